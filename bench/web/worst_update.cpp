// worst_update.cpp: the timing hook of the browser's bench build: the page
// (scripts/bench --web) calls it once the game has loaded its assets, and it
// times the worst frame's update (bench/worst_frame.h) in WebAssembly, as
// frame_bench times it natively.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <vector>

#include "bench/worst_frame.h"
#include "host/app.h"

// The median wall time, in microseconds, of rounds updates of the worst frame,
// the scene restored (untimed) before each, with the sound effects on or off.
// The first call turns the running game into the worst frame.
// NOTE: emscripten_get_now() is the page's performance.now(), which a page
// that is not cross-origin isolated coarsens to 100 us.
extern "C" EMSCRIPTEN_KEEPALIVE double web_bench_worst_update(int rounds, int effects) {
	static WorstFrameScene scene(static_cast<c_MyApp*>(kx_app__app));
	scene.SetEffects(effects != 0);
	std::vector<double> micros;
	for (int i = 0; i < rounds; ++i) {
		scene.Restore();
		double start = emscripten_get_now();
		scene.app->p_OnUpdate();
		micros.push_back((emscripten_get_now() - start) * 1000);
	}
	scene.SetEffects(true);
	std::nth_element(micros.begin(), micros.begin() + rounds / 2, micros.end());
	return micros[rounds / 2];
}
