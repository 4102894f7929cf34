// play_bench.cpp: the CPU time of one update of play (p_Game) with a full
// object table of every kind and all 251 particle slots live; 16.7 ms is the
// budget of one frame at 60 updates per second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "game/my_app.h"
#include "game/play/records.h"
#include "host/app.h"
#include "host/kx_game.h"
#include "input/input_device.h"

namespace {

// Kinds placed in turn over the table.
const int KINDS[] = {KIND_BALL, KIND_PEDE, KIND_LOOSE, KIND_METEOR, KIND_BRICK, KIND_INVADER};
const int KIND_COUNT = 6;
// One frame at 60 updates per second, in seconds.
const double FRAME_SECONDS = 1.0 / 60;

// A game object in play with no window, input device or sound.
c_MyApp* BenchApp() {
	static KxGame host;
	kx_app__game = &host;
	kx_Zimbolo_InitGlobals();
	kx_input_device = (new c_InputDevice())->m_new();
	c_MyApp* app = new c_MyApp();
	app->m_gameMode = 2;
	app->m_gameState = STATE_START_GAME;
	app->p_LoadGame();
	return app;
}

// Every object slot in use, kinds mixed and spread over the field.
void FillObjects(c_MyApp* app) {
	for (int s = 0; s < obj::slots; ++s) {
		float* r = &app->m_objects[s * obj::fields];
		int kind = KINDS[s % KIND_COUNT];
		r[obj::kind] = kind;
		r[obj::x] = 100 + (s * 37) % 820;
		r[obj::y] = 40 + (s * 53) % 460;
		r[obj::dx] = kind == KIND_BRICK ? 0 : -1.5f + (s % 7) * 0.5f;
		r[obj::dy] = kind == KIND_BRICK ? 0 : 4;
		r[obj::spin] = 2;
		r[obj::ink] = kind == KIND_METEOR ? 4 : s % 7;
		if (kind == KIND_INVADER) r[obj::cooldown] = 360;
	}
}

// Every particle slot in use.
void FillParticles(c_MyApp* app) {
	for (int p = 0; p <= app->m_particleMax; ++p) {
		app->p_ThrowParticle(100 + p, 100 + p % 200, 1, p % 10, static_cast<float>(p), 0.5f);
	}
}

void BM_PlayUpdateFullTables(benchmark::State& state) {
	c_MyApp* app = BenchApp();
	FillObjects(app);
	app->p_IndexObjects();
	FillParticles(app);
	std::vector<float> objects(app->m_objects.begin(), app->m_objects.end());
	std::vector<float> particles(app->m_particles.begin(), app->m_particles.end());
	std::vector<float> players(app->m_players.begin(), app->m_players.end());
	for (auto _ : state) {
		state.PauseTiming();
		std::copy(objects.begin(), objects.end(), app->m_objects.begin());
		std::copy(particles.begin(), particles.end(), app->m_particles.begin());
		std::copy(players.begin(), players.end(), app->m_players.begin());
		app->p_IndexObjects();
		app->p_IndexParticles();
		app->m_speed = 1;
		state.ResumeTiming();
		app->p_Game();
	}
	state.counters["frame_share"] = benchmark::Counter(static_cast<double>(state.iterations()) * FRAME_SECONDS,
	                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
	state.counters["commands"] = app->m_drawCount / DL_RECORD;
}
BENCHMARK(BM_PlayUpdateFullTables)->Unit(benchmark::kMillisecond);

}  // namespace
