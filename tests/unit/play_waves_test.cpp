// Waves: their schedule by mode, the fixed first nine, the invader mode rule
// and the free-slot search of the launchers.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/random.h"
#include "support/play_harness.h"

namespace {

// Generator seeds far apart (neighbouring small seeds start alike).
int Seed(int i) {
	return static_cast<int>(2654435761u * static_cast<unsigned>(i));
}

class PlayWaves : public ::testing::Test {
protected:
	PlayHarness h;
	// Returns made until the first wave in mode, ball after ball.
	int ReturnsPerWave(int mode) {
		h.NewGame(mode);
		h.Update();
		float wave = h.Player(player::wave);
		for (int n = 1; n <= 20; ++n) {
			h.Put(0, KIND_BALL, 10, h.Player(player::paddleY), -5, 0);
			h.Update();
			if (h.Player(player::wave) != wave) return n;
		}
		return 0;
	}
	// The kinds a wave launched at clock ms put into an empty table.
	int WaveKind(int ms) {
		h.ClearObjects();
		h.host.millisecs = ms;
		h.app->p_LaunchWave();
		for (int s = 0; s < obj::slots; ++s) {
			if (h.Obj(s)[obj::kind] != KIND_FREE) return static_cast<int>(h.Obj(s)[obj::kind]);
		}
		return KIND_FREE;
	}
};

TEST_F(PlayWaves, ComeAfterEvery6th4th2ndReturnByMode) {
	h.Begin(1);
	EXPECT_EQ(ReturnsPerWave(1), 6);
	EXPECT_EQ(ReturnsPerWave(2), 4);
	EXPECT_EQ(ReturnsPerWave(3), 2);
	EXPECT_EQ(h.Player(player::hitsSinceWave), 0);
}

TEST_F(PlayWaves, FirstNineAreFixed) {
	h.Begin(1);
	const int expected[9] = {KIND_BRICK, KIND_BRICK, KIND_METEOR, KIND_BRICK, KIND_PEDE,
	                         KIND_BRICK, KIND_PEDE, KIND_INVADER, KIND_INVADER};
	for (int seed = 0; seed < 3; ++seed) {
		h.NewGame(1);
		for (int w = 0; w < 9; ++w) {
			EXPECT_EQ(WaveKind(1000 + 7919 * seed + 31 * w), expected[w]) << "wave " << w + 1;
		}
		EXPECT_EQ(h.Player(player::wave), 9);
	}
}

TEST_F(PlayWaves, InvaderModeTurnsFourOfFiveBrickWavesIntoInvaders) {
	h.Begin(2);
	const int waves = 2000;
	int bricks[4] = {};
	int invaders[4] = {};
	for (int mode = 2; mode <= 3; ++mode) {
		h.NewGame(mode);
		for (int i = 0; i < waves; ++i) {
			h.Player(player::wave) = 60;
			int kind = WaveKind(5000 + 977 * i);
			bricks[mode] += kind == KIND_BRICK;
			invaders[mode] += kind == KIND_INVADER;
		}
	}
	// Each hazard is about a quarter of the random waves; in mode 3 a brick
	// wave stays one only a fifth of the time.
	EXPECT_NEAR(bricks[2] / double(waves), 0.25, 0.04);
	EXPECT_NEAR(invaders[2] / double(waves), 0.25, 0.04);
	EXPECT_NEAR(bricks[3] / double(waves), 0.05, 0.02);
	EXPECT_NEAR(invaders[3] / double(waves), 0.45, 0.04);
}

TEST_F(PlayWaves, ReseedFromTheClockMakesWavesRepeatable) {
	h.Begin(2);
	h.Player(player::wave) = 60;
	WaveKind(123456);
	std::vector<float> first(h.app->m_objects.begin(), h.app->m_objects.begin() + obj::fields * obj::slots);
	h.Player(player::wave) = 60;
	WaveKind(123456);
	std::vector<float> second(h.app->m_objects.begin(), h.app->m_objects.begin() + obj::fields * obj::slots);
	EXPECT_EQ(first, second);
}

TEST_F(PlayWaves, LaunchersTakeTheHighestFreeSlotsAndSkipWhatDoesNotFit) {
	h.Begin(2);
	for (int seed = 1; seed <= 20; ++seed) {
		h.ClearObjects();
		kx_random_Seed = Seed(seed);
		h.app->p_LaunchPede();
		int n = h.CountKind(KIND_PEDE);
		ASSERT_GE(n, 4);
		ASSERT_LE(n, 8);
		for (int i = 1; i <= n; ++i) {
			const float* p = h.Obj(obj::slots - i);
			EXPECT_EQ(p[obj::kind], KIND_PEDE);
			EXPECT_EQ(p[obj::y], -24 * i);
			EXPECT_EQ(p[obj::x], 960);
			EXPECT_EQ(p[obj::ink], h.Obj(obj::last)[obj::ink]);
		}
		EXPECT_EQ(h.Obj(obj::slots - n - 1)[obj::kind], KIND_FREE);
	}
	// A full table but for three slots takes three bricks.
	for (int s = 0; s < obj::slots; ++s) h.Put(s, KIND_BRICK, 0, 0);
	for (int s : {3, 500, 900}) h.app->p_SetKind(s * obj::fields, KIND_FREE);
	h.app->p_LaunchBricks();
	EXPECT_EQ(h.CountKind(KIND_BRICK), obj::slots);
	EXPECT_EQ(h.app->p_FreeObj(), -1);
	h.app->p_LaunchInvader();
	h.app->p_LaunchMeteor(-1, -1, -1, -1);
	EXPECT_EQ(h.CountKind(KIND_BRICK), obj::slots);
}

TEST_F(PlayWaves, BrickWallIsOneColumnOfEightRows) {
	h.Begin(2);
	int walls = 0;
	for (int seed = 1; seed <= 40; ++seed) {
		h.ClearObjects();
		kx_random_Seed = Seed(seed);
		h.app->p_LaunchBricks();
		ASSERT_EQ(h.CountKind(KIND_BRICK), 8);
		const float* top = h.Obj(obj::last);
		bool wall = true;
		for (int k = 0; k < 8; ++k) {
			const float* b = h.Obj(obj::last - k);
			wall = wall && b[obj::x] == top[obj::x] && b[obj::y] == top[obj::y] + 32 * k;
			EXPECT_GE(b[obj::x], 320);
			EXPECT_LE(b[obj::x], 960);
			EXPECT_EQ(b[obj::ink], top[obj::ink]);
		}
		if (wall) {
			++walls;
			EXPECT_LE(top[obj::y], 32 * 6) << "a wall starts no lower than row 6";
		}
	}
	EXPECT_GT(walls, 5);
	EXPECT_LT(walls, 35);
}

}  // namespace
