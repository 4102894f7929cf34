// worst_frame.h: the game's worst frame, which frame_bench times natively and
// the browser's bench build (bench/web/) in WebAssembly, so both time the
// same update of the same scene: a new game in the first mode with every
// object slot a moving hazard (one ball) and 251 live particles. Restore()
// puts the tables and the random seed back before each timed update, so
// every update does the same work. With the sound effects off, the update
// does the game's own work without the audio device's.
#pragma once

#include <algorithm>
#include <vector>

#include "game/my_app.h"
#include "game/play/records.h"
#include "game/zimbolo.h"
#include "runtime/random.h"

class WorstFrameScene {
public:
	// Live particles in the worst frame.
	static const int LIVE_PARTICLES = 251;

	// Starts a new game on app (which has loaded its assets) and fills it.
	explicit WorstFrameScene(c_MyApp* game) : app(game) {
		app->m_gameMode = 0;
		app->m_gameState = STATE_START_GAME;
		app->p_OnUpdate();
		Fill();
		objects.assign(app->m_objects.begin(), app->m_objects.end());
		particles.assign(app->m_particles.begin(), app->m_particles.end());
		players.assign(app->m_players.begin(), app->m_players.end());
		seed = kx_random_Seed;
		soundMode = app->m_option[SOUND_MODE_OPTION];
	}

	// Puts the tables and the random seed back as they were after filling.
	void Restore() {
		std::copy(objects.begin(), objects.end(), app->m_objects.begin());
		std::copy(particles.begin(), particles.end(), app->m_particles.begin());
		std::copy(players.begin(), players.end(), app->m_players.begin());
		app->m_particleMax = LIVE_PARTICLES - 1;
		app->p_IndexObjects();
		app->p_IndexParticles();
		app->m_gameState = STATE_PLAYING;
		kx_random_Seed = seed;
	}

	// Turns the sound effects off, or back to the game's sound mode.
	void SetEffects(bool on) {
		app->m_option[SOUND_MODE_OPTION] = on ? soundMode : SOUND_OFF;
	}

	c_MyApp* app;

private:
	// The setting that holds the sound mode, and the mode without any sound.
	static const int SOUND_MODE_OPTION = 5;
	static const int SOUND_OFF = 0;
	// Hazard kinds cycled through the table (every kind but the ball).
	static constexpr int HAZARDS[] = {KIND_PEDE, KIND_LOOSE, KIND_METEOR, KIND_BRICK, KIND_INVADER};
	static const int HAZARD_KINDS = sizeof(HAZARDS) / sizeof(HAZARDS[0]);

	// Every slot a moving hazard (one ball), and the live particles.
	void Fill() {
		for (int s = 0; s < obj::slots; ++s) {
			float* r = &app->m_objects[s * obj::fields];
			std::fill(r, r + obj::fields, 0.0f);
			r[obj::kind] = s == 0 ? KIND_BALL : HAZARDS[s % HAZARD_KINDS];
			r[obj::x] = 64 + (s * 37) % 880;
			r[obj::y] = 40 + (s * 53) % 460;
			r[obj::dx] = -1.0f - s % 3;
			r[obj::dy] = (s % 5) - 2.0f;
			r[obj::spin] = 3;
			r[obj::ink] = 1 + s % 6;
			app->p_FileObject(s * obj::fields);
		}
		app->m_particleMax = LIVE_PARTICLES - 1;
		for (int p = 0; p < LIVE_PARTICLES; ++p) {
			float* r = &app->m_particles[p * part::fields];
			r[part::kind] = PARTICLE_SPARK;
			r[part::x] = 10 + (p * 7) % 620;
			r[part::y] = 10 + (p * 11) % 460;
			r[part::dx] = 1;
			r[part::life] = 1;
			r[part::spin] = 5;
			r[part::frame] = p % 4;
		}
	}

	std::vector<float> objects;
	std::vector<float> particles;
	std::vector<float> players;
	int seed = 0;
	int soundMode = 0;
};
