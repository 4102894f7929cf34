// A long soak of play: many games in all three modes under random input,
// with the tables, the display list and the heap checked after every update.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "runtime/gc.h"
#include "support/play_harness.h"

namespace {

const int SOAK_UPDATES = 100000;
// Keys the random player holds and releases.
const int SOAK_KEYS[] = {KEY_SPACE, KEY_UP, KEY_DOWN, KEY_X, KEY_W, KEY_S};

// Screen y of the leftmost ball coming back, or -1: the random player's aim.
float IncomingBallY(c_MyApp* app) {
	float best = -1, bestX = 1e9f;
	for (int s = 0; s < obj::slots; ++s) {
		const float* r = &app->m_objects[s * obj::fields];
		if (app->p_isBall(static_cast<int>(r[obj::kind])) && r[obj::dx] < 0 && r[obj::x] < bestX) {
			bestX = r[obj::x];
			best = r[obj::y];
		}
	}
	if (best < 0) return -1;
	return kx_Zimbolo_jscrh / 2 - 8.5f * kx_Zimbolo_jscrw / 32 + best * kx_Zimbolo_jscrw / 1024;
}

// The first broken invariant of the play tables, or an empty text.
std::string CheckInvariants(c_MyApp* app) {
	float meter = app->m_players[player::meter];
	if (meter < 0 || meter > 5) return "meter " + std::to_string(meter);
	for (int i = 0; i < obj::fields * obj::slots; ++i) {
		if (!std::isfinite(app->m_objects[i])) return "object value " + std::to_string(i);
	}
	for (int s = 0; s < obj::slots; ++s) {
		float kind = app->m_objects[s * obj::fields];
		if (kind < 0 || kind > 6 || kind != std::floor(kind)) return "kind " + std::to_string(kind);
	}
	for (int i = 0; i < app->m_particles.Length(); ++i) {
		if (!std::isfinite(app->m_particles[i])) return "particle value " + std::to_string(i);
	}
	if (app->m_drawCount < 0 || app->m_drawCount > DL_CAPACITY || app->m_drawCount % DL_RECORD != 0) {
		return "display list count " + std::to_string(app->m_drawCount);
	}
	return "";
}

TEST(PlaySoak, RandomGamesInAllModesKeepEveryInvariant) {
	PlayHarness h;
	h.Begin(1);
	h.app->m_scaleX = h.app->m_scaleY = 1;
	h.app->m_controlMode = 2;
	std::mt19937 random(20261209);
	std::uniform_int_distribution<int> percent(0, 99);
	int mode = 1;
	int games = 1;
	int heapStart = gc_alloced_bytes;
	int heapMax = heapStart;
	int waves = 0;
	for (int update = 0; update < SOAK_UPDATES; ++update) {
		for (int key : SOAK_KEYS) {
			int roll = percent(random);
			if (roll < 1) h.host.KeyDown(key);
			if (roll > 89) h.host.KeyUp(key);
		}
		int roll = percent(random);
		if (roll < 2) h.host.MouseDown(0, static_cast<float>(percent(random) * 6), 470);
		if (roll > 96) h.host.MouseUp(0, 0, 0);
		if (roll == 50) h.app->m_paused = 1 - h.app->m_paused;
		// NOTE: steering by pointer toward the returning ball keeps games going long
		// enough for waves of every kind.
		float aim = IncomingBallY(h.app);
		if (aim >= 0 && percent(random) < 90) h.host.MouseMove(100, aim + percent(random) / 10.0f - 5);
		float wave = h.Player(player::wave);
		h.Update();
		waves += h.Player(player::wave) > wave;
		if (h.app->m_gameState == STATE_MENU) {
			mode = mode % 3 + 1;
			++games;
			h.NewGame(mode);
		}
		std::string broken = CheckInvariants(h.app);
		ASSERT_EQ(broken, "") << "update " << update << ", game " << games;
		if (gc_alloced_bytes > heapMax) heapMax = gc_alloced_bytes;
	}
	EXPECT_GT(games, 10);
	EXPECT_GT(waves, 50) << "hazards took part";
	EXPECT_LT(heapMax - heapStart, 1 << 20) << "play allocates nothing that stays";
}

}  // namespace
