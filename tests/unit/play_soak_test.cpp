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
	std::mt19937 random(20261209);
	std::uniform_int_distribution<int> percent(0, 99);
	int mode = 1;
	int games = 1;
	int heapStart = gc_alloced_bytes;
	int heapMax = heapStart;
	for (int update = 0; update < SOAK_UPDATES; ++update) {
		for (int key : SOAK_KEYS) {
			int roll = percent(random);
			if (roll < 3) h.host.KeyDown(key);
			if (roll > 95) h.host.KeyUp(key);
		}
		int roll = percent(random);
		if (roll < 2) h.host.MouseDown(0, static_cast<float>(percent(random) * 6), 470);
		if (roll > 96) h.host.MouseUp(0, 0, 0);
		if (roll == 50) h.app->m_paused = 1 - h.app->m_paused;
		if (roll == 51) h.app->m_controlMode = 2 - h.app->m_controlMode;
		h.Update();
		if (h.app->m_gameState == STATE_MENU) {
			mode = mode % 3 + 1;
			++games;
			h.NewGame(mode);
		}
		std::string broken = CheckInvariants(h.app);
		ASSERT_EQ(broken, "") << "update " << update << ", game " << games;
		if (gc_alloced_bytes > heapMax) heapMax = gc_alloced_bytes;
	}
	EXPECT_GT(games, 30);
	EXPECT_LT(heapMax - heapStart, 1 << 20) << "play allocates nothing that stays";
}

}  // namespace
