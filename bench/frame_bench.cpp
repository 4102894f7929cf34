// frame_bench.cpp: the game's own worst frame and its collector, driven
// through the gameplay harness: a full object table of mixed hazards, 251
// live particles and the display list they make. It measures one update (and
// the same without sound effects), one render submission on a real GL context
// (with its draw calls; CPU time, which scripts/bench puts against the
// 16.7 ms frame), the same submission with the display list topped up to its
// 2500 records, one full collection of the game's heap, and the collector's
// pauses over a played game.
#include <benchmark/benchmark.h>

#include <GLFW/glfw3.h>

#include <algorithm>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "bench/worst_frame.h"
#include "game/zimbolo.h"
#include "graphics/gl_api.h"
#include "input/key_codes.h"
#include "runtime/gc.h"
#include "support/draw_call_counter.h"
#include "support/gl_context.h"
#include "support/play_harness.h"

namespace {

// Updates of the played game whose collector pauses are timed.
const int PLAYED_UPDATES = 3600;
// Keys pressed at random during the played game.
const int PLAY_KEYS[] = {KEY_UP, KEY_DOWN, KEY_SPACE, KEY_ENTER, KEY_LEFT, KEY_RIGHT};
const int PLAY_KEY_COUNT = sizeof(PLAY_KEYS) / sizeof(PLAY_KEYS[0]);
// Sprite frames the topped-up records cycle through, and every how many
// records the topping switches between normal and additive blending.
const int TOP_UP_FRAMES = 16;
const int TOP_UP_BLEND_RUN = 64;

// Launches the game on the harness, its assets loaded, with draw calls counted.
c_MyApp* launch(PlayHarness& play) {
	if (chdir(ZIMBOLO_BUILD_DIR) != 0) std::abort();
	CountDrawCalls();
	play.Begin(0);
	return play.app;
}

// The worst frame in play on a real window.
struct WorstFrame {
	GlWindow window;
	PlayHarness play;
	WorstFrameScene frame{launch(play)};

	// Records sprites after what the update drew until the display list is full,
	// in runs of normal and additive blending as sparks and glows come.
	void TopUpDisplayList() {
		c_MyApp* app = play.app;
		for (int n = 0;; ++n) {
			app->m_drawBlend = (n / TOP_UP_BLEND_RUN) % 2;
			app->p_DrawSprite(static_cast<float>(n % TOP_UP_FRAMES), 16 + (n * 29) % 600, 16 + (n * 43) % 440,
			                  static_cast<float>(n % 360));
			if (app->m_drawCount > DL_LAST_START) return;
		}
	}
};

// The one scene all benchmarks share (a second game object cannot be made).
WorstFrame* scene() {
	static WorstFrame* frame = new WorstFrame();
	return frame;
}

// CPU time of the calling thread, in microseconds (the machine may be busy).
double threadMicros() {
	timespec t;
	clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
	return t.tv_sec * 1e6 + t.tv_nsec / 1e3;
}

// Whether a window can be opened; records the error otherwise.
bool haveDisplay(benchmark::State& state) {
	if (std::getenv("DISPLAY")) return true;
	state.SkipWithError("no display for a GL context");
	return false;
}

// Updates of the worst frame (the tables are restored untimed), with the
// sound effects on or off.
void updateWorstFrame(benchmark::State& state, bool effects) {
	if (!haveDisplay(state)) return;
	WorstFrame* w = scene();
	w->frame.SetEffects(effects);
	for (auto _ : state) {
		state.PauseTiming();
		w->frame.Restore();
		state.ResumeTiming();
		w->play.app->p_OnUpdate();
	}
	w->frame.SetEffects(true);
	state.counters["objects"] = w->play.CountKind(KIND_PEDE) + w->play.CountKind(KIND_LOOSE) +
	                            w->play.CountKind(KIND_METEOR) + w->play.CountKind(KIND_BRICK) +
	                            w->play.CountKind(KIND_INVADER) + w->play.CountKind(KIND_BALL);
	state.counters["display_records"] = w->play.app->m_drawCount / DL_RECORD;
}

// One update of the worst frame.
void BM_WorstFrameUpdate(benchmark::State& state) { updateWorstFrame(state, true); }
BENCHMARK(BM_WorstFrameUpdate)->Unit(benchmark::kMicrosecond);

// The same without sound effects: the game's own work, not the audio device's.
void BM_WorstFrameUpdateSilent(benchmark::State& state) { updateWorstFrame(state, false); }
BENCHMARK(BM_WorstFrameUpdateSilent)->Unit(benchmark::kMicrosecond);

// Renders the display list of the worst update, topped up to full or not.
void renderWorstFrame(benchmark::State& state, bool fullList) {
	if (!haveDisplay(state)) return;
	WorstFrame* w = scene();
	w->frame.Restore();
	w->play.app->p_OnUpdate();
	if (fullList) w->TopUpDisplayList();
	int perFrame = 0;
	for (auto _ : state) {
		g_drawCalls = 0;
		w->play.host.RenderGame();
		perFrame = g_drawCalls;
	}
	state.counters["draw_calls"] = perFrame;
	state.counters["display_records"] = w->play.app->m_drawCount / DL_RECORD;
}

// One render submission of the display list the worst update made.
void BM_WorstFrameRender(benchmark::State& state) { renderWorstFrame(state, false); }
BENCHMARK(BM_WorstFrameRender)->Unit(benchmark::kMicrosecond);

// The same with the list topped up to its 2500 records.
void BM_FullDisplayListRender(benchmark::State& state) { renderWorstFrame(state, true); }
BENCHMARK(BM_FullDisplayListRender)->Unit(benchmark::kMicrosecond);

// One full collection of the game's heap in play.
void BM_GameHeapFullCollection(benchmark::State& state) {
	if (!haveDisplay(state)) return;
	scene();
	for (auto _ : state) {
		gc_ext_malloced(GC_FULL_COLLECT_BYTES + 1);
		gc_collect();
	}
	state.counters["live_bytes"] = gc_alloced_bytes;
}
BENCHMARK(BM_GameHeapFullCollection)->Unit(benchmark::kMicrosecond);

// A minute of play with random keys: the pauses (thread CPU time) of the
// collector after each update, as the host calls it; the 99th percentile and
// the longest.
// NOTE: on a virtual machine the longest pause also counts the moments the
// host takes the core away: it lands on another update in every run and is
// tens of times the 99th percentile, which is the collector's own figure.
void BM_GameLongestCollectorPause(benchmark::State& state) {
	if (!haveDisplay(state)) return;
	WorstFrame* w = scene();
	std::vector<double> pauses;
	std::srand(1);
	for (auto _ : state) {
		w->play.NewGame(std::rand() % 3);
		for (int i = 0; i < PLAYED_UPDATES; ++i) {
			int key = PLAY_KEYS[std::rand() % PLAY_KEY_COUNT];
			if (std::rand() % 8 == 0) w->play.host.KeyDown(key);
			if (std::rand() % 8 == 0) w->play.host.KeyUp(key);
			w->play.host.millisecs += 17;
			w->play.app->p_OnUpdate();
			double start = threadMicros();
			gc_collect();
			pauses.push_back(threadMicros() - start);
			w->play.host.RenderGame();
		}
	}
	std::sort(pauses.begin(), pauses.end());
	state.counters["p99_pause_us"] = pauses[pauses.size() * 99 / 100];
	state.counters["longest_pause_us"] = pauses.back();
	state.counters["updates"] = PLAYED_UPDATES;
}
BENCHMARK(BM_GameLongestCollectorPause)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
