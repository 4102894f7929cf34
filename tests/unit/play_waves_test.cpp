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
	// From the clock: 25 draws of 1..4, the last one the hazard; sound 13; then
	// one of six backgrounds by a whole number from 1 to 6.
	const int kinds[] = {KIND_PEDE, KIND_METEOR, KIND_BRICK, KIND_INVADER};
	const float backgrounds[6][3] = {{120, 60, 60}, {120, 120, 60}, {60, 120, 60},
	                                 {60, 120, 120}, {60, 60, 120}, {120, 60, 120}};
	int seen = 0;
	for (int ms = 1000; ms < 1000 + 60 * 997; ms += 997) {
		kx_random_Seed = ms;
		int hazard = 0;
		for (int i = 0; i < 25; ++i) hazard = static_cast<int>(kx_random_Rnd2(1, 4.99f));
		int background = static_cast<int>(kx_random_Rnd2(1, 6.99f)) - 1;
		seen |= 1 << background;
		h.Player(player::wave) = 60;
		EXPECT_EQ(WaveKind(ms), kinds[hazard - 1]) << ms;
		EXPECT_EQ(SoundOnVoice(h.app, h.app->m_sfxVoice).id, 13);
		EXPECT_EQ(h.app->m_bgTargetR, backgrounds[background][0]) << ms;
		EXPECT_EQ(h.app->m_bgTargetG, backgrounds[background][1]) << ms;
		EXPECT_EQ(h.app->m_bgTargetB, backgrounds[background][2]) << ms;
	}
	EXPECT_EQ(seen, 0x3f) << "every background came";
	// The background moves a 48th of the way there per update.
	h.app->m_bgR = 120;
	h.app->m_bgTargetR = 60;
	h.Update();
	EXPECT_FLOAT_EQ(h.app->m_bgR, 120 - 60 / 48.0f);
	EXPECT_FLOAT_EQ(h.app->m_clsRed, h.app->m_bgR);
}

TEST_F(PlayWaves, LaunchersTakeTheHighestFreeSlotsAndSkipWhatDoesNotFit) {
	h.Begin(2);
	Spread lengths, colours;
	for (int seed = 1; seed <= 60; ++seed) {
		h.ClearObjects();
		kx_random_Seed = Seed(seed);
		h.app->p_LaunchPede();
		int n = h.CountKind(KIND_PEDE);
		lengths.Add(n);
		colours.Add(h.Obj(obj::last)[obj::ink]);
		for (int i = 1; i <= n; ++i) {
			const float* p = h.Obj(obj::slots - i);
			EXPECT_EQ(p[obj::kind], KIND_PEDE);
			EXPECT_EQ(p[obj::y], -24 * i);
			EXPECT_EQ(p[obj::x], 960);
			EXPECT_EQ(p[obj::dy], 4);
			EXPECT_EQ(p[obj::ink], h.Obj(obj::last)[obj::ink]);
		}
		EXPECT_EQ(h.Obj(obj::slots - n - 1)[obj::kind], KIND_FREE);
	}
	EXPECT_TRUE(Fills(lengths, 4, 8, 0.5f)) << "4 to 8 segments";
	EXPECT_TRUE(Fills(colours, 0, 7, 0.5f)) << "colours 0 to 7";
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

// Meteors by default come in from x 1020 at a random height 64..512, flying
// left at 1..1.5 with a spin of -4..4 and four hit points; the arguments
// replace x, y, hit points and dx. Invaders stand on the grid, columns 20..30
// and rows 2..14, stepping 8 and first firing after 360.
TEST_F(PlayWaves, MeteorsAndInvadersAreLaunchedWithinTheirRanges) {
	h.Begin(2);
	h.ClearObjects();
	Spread y, dx, angle, spin, columns, rows;
	for (int i = 0; i < 150; ++i) {
		h.app->p_LaunchMeteor(-1, -1, -1, -1);
		const float* m = h.Obj(obj::last - i);
		EXPECT_EQ(m[obj::kind], KIND_METEOR);
		EXPECT_EQ(m[obj::x], 1020);
		EXPECT_EQ(m[obj::dy], 0);
		EXPECT_EQ(m[obj::ink], 4);
		y.Add(m[obj::y]);
		dx.Add(m[obj::dx]);
		angle.Add(m[obj::angle]);
		spin.Add(m[obj::spin]);
	}
	EXPECT_TRUE(Fills(y, 64, 512, 16));
	EXPECT_TRUE(Fills(dx, -1.5f, -1, 0.05f));
	EXPECT_TRUE(Fills(angle, 0, 360, 18));
	EXPECT_TRUE(Fills(spin, -4, 4, 0.4f));
	h.app->p_LaunchMeteor(100, 200, 1, -6);
	const float* shot = h.Obj(obj::last - 150);
	EXPECT_EQ(shot[obj::x], 100);
	EXPECT_EQ(shot[obj::y], 200);
	EXPECT_EQ(shot[obj::ink], 1);
	EXPECT_EQ(shot[obj::dx], -6);
	h.ClearObjects();
	for (int i = 0; i < 150; ++i) {
		h.app->p_LaunchInvader();
		const float* v = h.Obj(obj::last - i);
		EXPECT_EQ(v[obj::dy], 8);
		EXPECT_EQ(v[obj::cooldown], 360);
		columns.Add(v[obj::x] / 32);
		rows.Add(v[obj::y] / 32);
	}
	EXPECT_TRUE(Fills(columns, 20, 30, 0.5f));
	EXPECT_TRUE(Fills(rows, 2, 14, 0.5f));
}

TEST_F(PlayWaves, BrickWallIsOneColumnOfEightRows) {
	h.Begin(2);
	int walls = 0;
	Spread columns, rows, colours;
	for (int seed = 1; seed <= 80; ++seed) {
		h.ClearObjects();
		kx_random_Seed = Seed(seed);
		h.app->p_LaunchBricks();
		ASSERT_EQ(h.CountKind(KIND_BRICK), 8);
		const float* top = h.Obj(obj::last);
		bool wall = true;
		for (int k = 0; k < 8; ++k) {
			const float* b = h.Obj(obj::last - k);
			wall = wall && b[obj::x] == top[obj::x] && b[obj::y] == top[obj::y] + 32 * k;
			columns.Add(b[obj::x] / 32);
			rows.Add(b[obj::y] / 32);
			EXPECT_EQ(b[obj::ink], top[obj::ink]);
		}
		colours.Add(top[obj::ink]);
		if (wall) {
			++walls;
			EXPECT_LE(top[obj::y], 32 * 6) << "a wall starts no lower than row 6";
		}
	}
	EXPECT_GT(walls, 10);
	EXPECT_LT(walls, 70);
	EXPECT_TRUE(Fills(columns, 10, 30, 0.5f));
	EXPECT_TRUE(Fills(rows, 2, 14, 0.5f));
	EXPECT_TRUE(Fills(colours, 0, 6, 0.5f));
}

}  // namespace
