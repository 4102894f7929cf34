// Play state and the ball: launching, returns and scores, losses, the end of
// a game, the shown score, the paddle and its stun.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/play_harness.h"

namespace {

class PlayBall : public ::testing::Test {
protected:
	PlayHarness h;
	void SetUp() override { h.Begin(1); }
	// A ball in slot s about to meet the paddle's middle.
	float* Incoming(int s) { return h.Put(s, KIND_BALL, 10, h.Player(player::paddleY), -5, 0); }
};

TEST_F(PlayBall, FirstPressLaunchesOneBallAndEmptiesTheMeter) {
	EXPECT_EQ(h.Player(player::meter), 5);
	h.host.KeyDown(KEY_SPACE);
	h.Update();
	ASSERT_EQ(h.CountKind(KIND_BALL), 1);
	const float* b = h.Obj(obj::last);
	EXPECT_EQ(b[obj::kind], KIND_BALL);
	EXPECT_EQ(b[obj::x], 32);
	EXPECT_EQ(b[obj::y], 288);
	EXPECT_EQ(b[obj::dx], 8);
	EXPECT_TRUE(b[obj::dy] == -4 || b[obj::dy] == -2 || b[obj::dy] == 2 || b[obj::dy] == 4) << b[obj::dy];
	EXPECT_EQ(h.Player(player::meter), 0);
	EXPECT_EQ(h.TakeSounds(), 1);
	EXPECT_EQ(h.Sounds()[0].id, 9);
	// Held, the button launches nothing more even once the meter is full again.
	h.Player(player::meter) = 5;
	h.Update(3);
	EXPECT_EQ(h.CountKind(KIND_BALL), 1);
	h.host.KeyUp(KEY_SPACE);
	h.Update();
	h.host.KeyDown(KEY_X);
	h.Update();
	EXPECT_EQ(h.CountKind(KIND_BALL), 2);
	// dy is twice a whole number from -2 to 2, with 0 made 4: 4 comes about
	// twice as often as -4, -2 or 2 (2 slightly less often).
	int lanes[5] = {};
	for (int i = 0; i < 1000; ++i) {
		h.app->p_LaunchBall();
		++lanes[static_cast<int>(h.Obj(obj::last - 2 - i)[obj::dy]) / 2 + 2];
	}
	EXPECT_EQ(lanes[2], 0);
	EXPECT_NEAR(lanes[0], 200, 45);
	EXPECT_NEAR(lanes[1], 200, 45);
	EXPECT_NEAR(lanes[3], 198, 45);
	EXPECT_NEAR(lanes[4], 401, 50);
}

TEST_F(PlayBall, TouchOnTheBottomStripLaunches) {
	h.app->m_mouseDown = 1;
	h.app->m_mouseY = static_cast<int>(kx_Zimbolo_jscrh) - 2;
	h.app->p_Game();
	EXPECT_EQ(h.CountKind(KIND_BALL), 1);
	// The strip lies below the bottom wall's top edge at screen y 400; only a
	// full meter, in a running game, with the pointer not held since it acted.
	struct Touch {
		int mouseY, meter, paused, gameOver, waitRelease;
		bool launches;
	} touches[] = {{400, 5, 0, 0, 0, false}, {401, 5, 0, 0, 0, true},  {401, 4, 0, 0, 0, false},
	               {401, 5, 1, 0, 0, false}, {401, 5, 0, 1, 0, false}, {401, 5, 0, 0, 1, false}};
	for (const Touch& t : touches) {
		h.ClearObjects();
		h.app->m_mouseY = t.mouseY;
		h.Player(player::meter) = t.meter;
		h.app->m_paused = t.paused;
		h.app->m_gameOver = t.gameOver;
		h.app->m_waitRelease = t.waitRelease;
		h.app->m_keyLock = 0;
		h.app->p_Game();
		EXPECT_EQ(h.CountKind(KIND_BALL), t.launches ? 1 : 0) << "at " << t.mouseY << ", meter " << t.meter;
	}
}

TEST_F(PlayBall, LostBallCostsTwoPipsLooseSegmentOne) {
	h.Put(10, KIND_BALL, -60, 300, -8, 0);
	h.Update();
	EXPECT_EQ(h.Player(player::meter), 3);
	EXPECT_EQ(h.TakeSounds(), 2);
	EXPECT_EQ(h.CountKind(KIND_BALL), 0);
	h.Put(10, KIND_LOOSE, -60, 300, -8, 0);
	h.Update();
	EXPECT_EQ(h.Player(player::meter), 2);
	EXPECT_EQ(h.TakeSounds(), 1);
	// Hazards leave at no cost.
	h.Put(10, KIND_METEOR, -60, 300, -8, 0)[obj::ink] = 4;
	h.Update();
	EXPECT_EQ(h.Player(player::meter), 2);
	EXPECT_EQ(h.CountKind(KIND_METEOR), 0);
	// Whatever leaves goes once its centre is beyond x -64 (held by a pause).
	h.app->m_paused = h.app->m_pauseDir = 1;
	h.Put(10, KIND_METEOR, -64, 300)[obj::ink] = 4;
	h.Update();
	EXPECT_EQ(h.CountKind(KIND_METEOR), 1);
	h.Obj(10)[obj::x] = -64.5f;
	h.Update();
	EXPECT_EQ(h.CountKind(KIND_METEOR), 0);
}

TEST_F(PlayBall, GameEndsExactly60FramesAfterTheLastChanceAlsoWhilePaused) {
	for (int paused = 0; paused <= 1; ++paused) {
		h.NewGame(1);
		h.Player(player::meter) = 4;
		h.app->m_paused = paused;
		h.app->m_pauseDir = paused;
		h.Update(59);
		EXPECT_EQ(h.app->m_gameOver, 0);
		EXPECT_EQ(h.app->m_paused, paused) << "the pause box stays open over the whole count";
		h.Update();
		EXPECT_EQ(h.app->m_gameOver, 1);
	}
	h.NewGame(1);
	h.Update(300);
	EXPECT_EQ(h.app->m_gameOver, 0) << "a full meter can still pay for a ball";
	h.Player(player::meter) = 0;
	h.app->m_paused = h.app->m_pauseDir = 1;
	h.Put(10, KIND_BALL, 500, 300);
	h.Update(100);
	EXPECT_EQ(h.app->m_gameOver, 0) << "nor does one ball in play";
}

TEST_F(PlayBall, NthReturnOfOneBallScoresN) {
	h.Update();
	h.Player(player::meter) = 0;
	float speed = h.app->m_speed;
	int expected = 0;
	// Where the ball meets the paddle, below (+) or above (-) its middle, sets
	// the angle it leaves at: 0.15 per unit, downward below the middle.
	const float offsets[] = {0, 20, -20, 10, -10};
	for (int n = 1; n <= 5; ++n) {
		float* b = h.Obj(0);
		float counter = b[obj::counter];
		Incoming(0)[obj::counter] = counter;
		h.Obj(0)[obj::y] += offsets[n - 1];
		h.Update();
		std::vector<int> sounds;
		for (const VoiceSound& sound : h.Sounds()) sounds.push_back(sound.id);
		EXPECT_EQ(sounds, (n == 5 ? std::vector<int>{5, 2} : std::vector<int>{2})) << "the fifth fills the meter";
		expected += n;
		EXPECT_EQ(h.app->m_score, expected);
		EXPECT_GT(h.Obj(0)[obj::dx], 0);
		EXPECT_FLOAT_EQ(h.Obj(0)[obj::dy], offsets[n - 1] * 0.15f) << "met " << offsets[n - 1] << " off the middle";
	}
	EXPECT_EQ(h.Player(player::meter), 5);
	EXPECT_EQ(h.Player(player::hitsSinceWave), 5);
	EXPECT_NEAR(h.app->m_speed, speed + 0.05f, 1e-5);
	// A loose segment scores its cool-down plus 2.
	Incoming(0);
	h.app->p_SetKind(0, KIND_LOOSE);
	h.Obj(0)[obj::cooldown] = 5;
	h.Update();
	EXPECT_EQ(h.app->m_score, expected + 6);
}

// Colours of the meter's pips on the bottom wall, left to right, as 0xRRGGBB,
// and the x of the first one. At 640 x 480 the field's cell is 20 pixels and
// its top-left corner is (10, 70).
std::vector<int> Pips(PlayHarness& h, float& firstX) {
	std::vector<int> colours;
	for (const float* e : h.Records(DL_KIND_RECT)) {
		if (std::fabs(e[DL_Y] - (70 + 17 * 20 - 8)) > 0.01f || std::fabs(e[DL_H] - 16) > 0.01f) continue;
		if (colours.empty()) firstX = e[DL_X];
		colours.push_back(static_cast<int>(e[DL_RED]) << 16 | static_cast<int>(e[DL_GREEN]) << 8 | static_cast<int>(e[DL_BLUE]));
	}
	return colours;
}

TEST_F(PlayBall, HudShowsTheNextGoalTheMeterAndLaunchBall) {
	const int lit = 0xb4ffb4, dark = 0x288c28, full = 0xffffb4, light = 0x8c2828;
	const float scale = 20.0f / 32;
	const int best[] = {500, 400, 300, 200, 100, 0, 0, 0, 0, 0};
	for (int k = 0; k < 10; ++k) h.app->m_hiScore[k] = best[k];
	h.Player(player::meter) = 2;
	// The clock reads 9190 in the update: running light at 9190 / 60 % 15 = 3,
	// blink phase 9190 % 800 = 390.
	h.host.millisecs = 9190 - 16;
	h.Update();
	std::vector<const float*> goal = h.Glyphs(220, 255, 220, 0.8f);
	EXPECT_EQ(GlyphText(goal), "5th00000100") << "empty places count as beaten";
	ASSERT_FALSE(goal.empty());
	EXPECT_FLOAT_EQ(goal[0][DL_Y], 70 + 2 * scale);
	EXPECT_FLOAT_EQ(goal[0][DL_W], 2 * scale);
	// Centred on 480 by the measured width of " 5th 00000100", 95 (each step
	// truncated); the leading space is not drawn.
	EXPECT_FLOAT_EQ(goal[0][DL_X], 480 - 95 / 2.0f + 7 * 2 * scale);
	float x = 0;
	EXPECT_EQ(Pips(h, x), (std::vector<int>{lit, lit, dark, dark, dark}));
	EXPECT_FLOAT_EQ(x, 10 + 5 * 20 - 6);
	std::vector<const float*> launch = h.Glyphs(255, 255, 255, 0.2f);
	EXPECT_EQ(GlyphText(launch), "LaunchBall") << "faint while the meter cannot pay";
	ASSERT_FALSE(launch.empty());
	EXPECT_FLOAT_EQ(launch[0][DL_X], 10 + 10 * 20 + 7 * 2 * scale);
	EXPECT_FLOAT_EQ(launch[0][DL_Y], 70 + 17 * 20 + 2 * scale);

	h.app->m_score = 150;
	h.Update();
	EXPECT_EQ(GlyphText(h.Glyphs(220, 255, 220, 0.8f)), "4th00000200");
	h.app->m_score = 200;
	h.Update();
	EXPECT_EQ(GlyphText(h.Glyphs(220, 255, 220, 0.8f)), "4th00000200") << "equal is not beaten";
	const int rest[] = {90, 80, 70, 60, 50};
	for (int k = 0; k < 5; ++k) h.app->m_hiScore[5 + k] = rest[k];
	h.app->m_score = 0;
	h.Player(player::meter) = 5;
	h.host.millisecs = 9190 - 16;
	h.Update();
	EXPECT_EQ(GlyphText(h.Glyphs(220, 255, 220, 0.8f)), "00000050") << "below the tenth: no place";
	EXPECT_EQ(Pips(h, x), (std::vector<int>{full, light, light, light, full}));
	EXPECT_EQ(GlyphText(h.Glyphs(255, 255, 255, 0.5f)), "LaunchBall");
	h.host.millisecs = 9250 - 16;
	h.Update();
	EXPECT_EQ(Pips(h, x), (std::vector<int>{full, full, light, light, light})) << "9250 / 60 % 15 = 4";
	h.Update();
	EXPECT_EQ(GlyphText(h.Glyphs(255, 255, 255, 1.0f)), "LaunchBall") << "the second half of the blink";
	h.app->m_hideHud = 1;
	h.Update();
	EXPECT_TRUE(h.Glyphs(255, 255, 255, 0.5f).empty() && h.Glyphs(255, 255, 255, 1.0f).empty());
	EXPECT_EQ(Pips(h, x).size(), 0u);
}

// Where the paddle returns a ball (its centre closer than 20 to x 0, moving
// left, less than 16 beyond the span 240..320, no stun) and where the walls
// turn it (x above 968, y below 24 or above 520), on each edge and just inside.
TEST_F(PlayBall, ReturnsAndWallBouncesStartAtTheirEdges) {
	h.Update();
	h.app->m_paused = h.app->m_pauseDir = 1;
	struct Spot {
		float x, y, dx, dy, stun;
		bool turned;
	} spots[] = {
		{19.5f, 288, -5, 0, 0, true}, {20, 288, -5, 0, 0, false},  {-19.5f, 288, -5, 0, 0, true},
		{-20, 288, -5, 0, 0, false},  {10, 288, 0, 0, 0, false},    {10, 224.5f, -5, 0, 0, true},
		{10, 224, -5, 0, 0, false},   {10, 335.5f, -5, 0, 0, true}, {10, 336, -5, 0, 0, false},
		{10, 288, -5, 0, 0.5f, true}, {10, 288, -5, 0, 1, false},   {968.5f, 300, 5, 0, 0, true},
		{968, 300, 5, 0, 0, false},   {500, 23.5f, 0, -1, 0, true}, {500, 24, 0, -1, 0, false},
		{500, 520.5f, 0, 1, 0, true}, {500, 520, 0, 1, 0, false},
	};
	for (const Spot& spot : spots) {
		h.ClearObjects();
		h.Player(player::stun) = spot.stun;
		const float* b = h.Put(0, KIND_BALL, spot.x, spot.y, spot.dx, spot.dy);
		h.Update();
		EXPECT_EQ(b[obj::dx] != spot.dx || b[obj::dy] != spot.dy, spot.turned) << spot.x << ", " << spot.y;
	}
}

TEST_F(PlayBall, ShownScoreCountsDownFromThePreviousGame) {
	h.app->m_shownScore = 1000;
	h.NewGame(2);
	EXPECT_EQ(h.app->m_score, 0);
	EXPECT_EQ(h.app->m_shownScore, 1000);
	h.Update();
	int last = h.app->m_shownScore;
	EXPECT_EQ(last, 1000 - 1000 / 6);
	for (int i = 0; i < 60 && last > 0; ++i) {
		h.Update();
		EXPECT_LT(h.app->m_shownScore, last);
		last = h.app->m_shownScore;
	}
	EXPECT_EQ(last, 0);
	// Within 5 of the score it jumps there; 6 away it still eases.
	const int shown[][2] = {{1006, 1000}, {1007, 1006}, {994, 1000}, {993, 994}};
	for (const auto& s : shown) {
		h.app->m_score = 1000;
		h.app->m_shownScore = s[0];
		h.Update();
		EXPECT_EQ(h.app->m_shownScore, s[1]) << "from " << s[0];
	}
}

TEST_F(PlayBall, WallsBounceWithinTheSpeedLimitsAndThrowSparks) {
	h.Put(0, KIND_BALL, 970, 300, 20, 0);
	h.Put(1, KIND_BALL, 500, 20, 0, -1);
	h.Put(2, KIND_BALL, 500, 525, 0, 1);
	h.Update();
	EXPECT_LE(h.Obj(0)[obj::dx], -3);
	EXPECT_GE(h.Obj(0)[obj::dx], -13);
	EXPECT_GE(h.Obj(1)[obj::dy], 3);
	EXPECT_LE(h.Obj(2)[obj::dy], -3);
	EXPECT_EQ(h.LiveParticles(), 3);
	EXPECT_EQ(h.TakeSounds(), 3);
	// Many balls and loose segments at once on each wall and at the paddle:
	// the spread of the speed they leave with, their sound, and the direction
	// (less twice the speed along the wall), ink and speed of their sparks.
	struct Bounce {
		int kind;
		float x, y, dx, dy;
		int axis;
		float lo, hi;
		int sound;
		float volume, sparkDirection;
	} bounces[] = {
		{KIND_BALL, 970, 300, 8, 2, obj::dx, -8.46f, -7.54f, 3, 1, 266},
		{KIND_BALL, 500, 20, 2, -8, obj::dy, 7.77f, 8.46f, 4, 1, 176},
		{KIND_BALL, 500, 525, 2, 8, obj::dy, -8.46f, -7.54f, 4, 1, 356},
		{KIND_BALL, 10, 288, -8, 0, obj::dx, 7.77f, 8.46f, 2, 1, -1},
		{KIND_LOOSE, 970, 300, 8, 2, obj::dx, -8.46f, -7.54f, 3, 0.3f, 266},
		{KIND_LOOSE, 500, 20, 2, -8, obj::dy, 7.77f, 8.46f, 4, 0.3f, 176},
		{KIND_LOOSE, 10, 288, -8, 0, obj::dx, 7.77f, 8.46f, 2, 0.7f, -1},
	};
	// NOTE: 239 throws fit the particle table, and 239 sounds leave the last 23
	// on the ring of 24 voices.
	const int n = 239;
	h.app->m_paused = h.app->m_pauseDir = 1;
	for (const Bounce& b : bounces) {
		Spread rates;
		h.ClearObjects();
		h.app->p_ResetParticles(0);
		h.Player(player::hitsSinceWave) = -1000;
		for (int i = 0; i < n; ++i) h.Put(i, b.kind, b.x, b.y, b.dx, b.dy);
		h.Update();
		Spread speeds, sparkSpeeds;
		for (int i = 0; i < n; ++i) speeds.Add(h.Obj(i)[b.axis]);
		EXPECT_TRUE(Fills(speeds, b.lo, b.hi)) << b.x << ", " << b.y;
		std::vector<VoiceSound> sounds = h.Sounds();
		ASSERT_EQ(sounds.size(), 23u);
		for (const VoiceSound& sound : sounds) {
			EXPECT_EQ(sound.id, b.sound) << b.x << ", " << b.y;
			EXPECT_FLOAT_EQ(sound.volume, b.volume) << b.x << ", " << b.y;
			rates.Add(sound.rate);
		}
		EXPECT_TRUE(Fills(rates, 0.8f, 1.2f, 0.1f)) << b.x << ", " << b.y;
		EXPECT_EQ(h.LiveParticles(), b.sparkDirection < 0 ? 0 : n);
		int inks = 0;
		for (int p = 0; p <= h.app->m_particleMax; ++p) {
			const float* q = &h.app->m_particles[p * part::fields];
			if (q[part::kind] == 0) continue;
			EXPECT_NEAR(Heading(q), b.sparkDirection, 0.01f);
			sparkSpeeds.Add(std::hypot(q[part::dx], q[part::dy]));
			inks |= 1 << static_cast<int>(q[part::ink]);
		}
		if (b.sparkDirection < 0) continue;
		EXPECT_EQ(inks, 0x1ff) << "inks 0..8";
		EXPECT_TRUE(Fills(sparkSpeeds, 0.5f, 1.5f));
	}
}

// Every motion, the stun countdown, the invader's counter and fire timer and
// the particles' motion and ageing go at the game speed; the cool-down counts
// whole frames.
TEST_F(PlayBall, EveryMotionGoesAtTheGameSpeed) {
	h.Update();
	h.app->m_speed = 2;
	float* m = h.Put(10, KIND_METEOR, 500, 300, -1, 0.5f);
	m[obj::ink] = 4;
	m[obj::spin] = 4;
	m[obj::cooldown] = 5;
	for (int i = 0; i < 100; ++i) h.Put(600 + i, KIND_INVADER, 640, 320)[obj::cooldown] = 300;
	h.Player(player::stun) = 100;
	h.app->p_ThrowParticle(100, 100, 1, 1, 135, 1);
	const float* q = &h.app->m_particles[250 * part::fields];
	float life = q[part::life], angle = q[part::angle], spin = q[part::spin];
	h.Update();
	EXPECT_EQ(m[obj::x], 498);
	EXPECT_EQ(m[obj::y], 301);
	EXPECT_EQ(m[obj::angle], 8);
	EXPECT_EQ(m[obj::cooldown], 4);
	EXPECT_EQ(h.Player(player::stun), 96);
	Spread fire;
	for (int i = 0; i < 100; ++i) {
		EXPECT_EQ(h.Obj(600 + i)[obj::counter], 2);
		fire.Add(300 - 1 - h.Obj(600 + i)[obj::cooldown]);
	}
	EXPECT_TRUE(Fills(fire, 2.01f, 2.1f, 0.01f)) << "a frame, and the speed and 0.01..0.1";
	EXPECT_FLOAT_EQ(q[part::x], 100 + 2 * q[part::dx]);
	EXPECT_FLOAT_EQ(q[part::y], 100 + 2 * q[part::dy]);
	EXPECT_FLOAT_EQ(q[part::life], life - 0.02f);
	EXPECT_FLOAT_EQ(q[part::angle], angle + 2 * spin);
}

TEST_F(PlayBall, PlusSpreadsFromMinusHalfToPlusAWholeStepMinusBothWays) {
	Spread plus, minus;
	for (int i = 0; i < 4000; ++i) {
		plus.Add(h.app->p_Plus(-8, 0.46f));
		minus.Add(h.app->p_Minus(8, 0.46f));
	}
	EXPECT_TRUE(Fills(plus, 8 - 0.23f, 8 + 0.46f));
	EXPECT_TRUE(Fills(minus, -8 - 0.46f, -8 + 0.46f));
	EXPECT_EQ(h.app->p_Plus(1, 0.46f), 3) << "at least 3";
	EXPECT_EQ(h.app->p_Minus(20, 0.46f), -13) << "at most 13";
	EXPECT_EQ(h.app->p_Minus(-5, 0), -5);
}

TEST_F(PlayBall, PaddleStaysBetweenTheWallsAndFollowsThePointer) {
	h.host.KeyDown(KEY_UP);
	h.Update();
	EXPECT_FLOAT_EQ(h.Player(player::paddleY), 288 - 0.15f * 12 * 0.9f) << "12 units per update at full control";
	h.Update(59);
	EXPECT_EQ(h.Player(player::paddleY), 64);
	EXPECT_EQ(h.Player(player::paddleTop), 16);
	h.host.KeyUp(KEY_UP);
	h.host.KeyDown(KEY_DOWN);
	h.Update(60);
	EXPECT_EQ(h.Player(player::paddleY), 496);
	EXPECT_EQ(h.Player(player::paddleBottom), 528);
	h.host.KeyUp(KEY_DOWN);
	h.Update(10);
	h.app->m_controlMode = 2;
	h.app->m_mouseY = 200;
	for (int i = 0; i < 60; ++i) h.app->p_Game();
	float p = kx_Zimbolo_jscrh / 2 - 8.5f * kx_Zimbolo_jscrw / 32 + (h.Player(player::paddleY) - 8) * kx_Zimbolo_jscrw / 1024;
	EXPECT_NEAR(p, 200, 10 * kx_Zimbolo_jscrw / 1024);
	// One update from 288, where the paddle's middle segment is drawn at screen
	// y 245: a step of 10 up while that lies below the pointer, then one down
	// while it lies above; only when played by pointer.
	struct Step {
		int controlMode, mouseY;
		float paddleY;
	} steps[] = {{2, 200, 278}, {2, 237, 278}, {2, 240, 288}, {2, 250, 298}, {0, 200, 288}, {1, 200, 288}};
	for (const Step& step : steps) {
		h.Player(player::paddleY) = 288;
		h.app->m_controlMode = step.controlMode;
		h.app->m_mouseY = step.mouseY;
		h.app->p_Game();
		EXPECT_EQ(h.Player(player::paddleY), step.paddleY) << "pointer at " << step.mouseY << ", mode " << step.controlMode;
	}
}

TEST_F(PlayBall, StunnedPaddleBurstsApartAndReforms) {
	h.Update();
	EXPECT_EQ(h.CountSprites(frame::ball), 5);
	h.Player(player::stun) = 100;
	h.Update();
	EXPECT_EQ(h.CountSprites(frame::ball), 4) << "the middle segment is gone";
	std::vector<float> reform;
	for (int i = 0; i < 60; ++i) {
		h.Update();
		for (const VoiceSound& sound : h.Sounds()) {
			EXPECT_EQ(sound.id, 11);
			reform.push_back(h.Player(player::stun));
		}
	}
	EXPECT_EQ(h.Player(player::stun), 0);
	ASSERT_EQ(reform.size(), 5u) << "stun 38.8 down to 31.6 in steps of 1.8 at speed 0.9";
	EXPECT_NEAR(reform[0], 38.8f, 1e-3);
	EXPECT_EQ(h.CountSprites(frame::ball), 5);
	// Paused, the stun stands still and the sound plays in every update.
	h.Player(player::stun) = 36;
	h.app->m_paused = h.app->m_pauseDir = 1;
	h.TakeSounds();
	h.Update(3);
	EXPECT_EQ(h.Player(player::stun), 36);
	EXPECT_EQ(h.TakeSounds(), 3);
	// The segments' spread d for a stun t: 5t below 30, 640 up to 280, then
	// 5(30 - |t - 270|); segment k sits max(16, |k| d) from the middle.
	const float spreads[][2] = {{2, 10}, {10, 50}, {29, 145}, {30, 640}, {280, 640}, {281, 95}, {290, 50}};
	const float scale = 20.0f / 32;
	for (const auto& spread : spreads) {
		h.Player(player::stun) = spread[0];
		h.Update();
		std::vector<float> ys;
		for (const float* e : h.Records(IMG_SPRITES)) ys.push_back((e[DL_Y] - 70) / scale - 280);
		ASSERT_EQ(ys.size(), 4u);
		const int ks[] = {-2, -1, 1, 2};
		for (int i = 0; i < 4; ++i) {
			float gap = std::max(16.0f, std::abs(ks[i]) * spread[1]);
			EXPECT_NEAR(ys[i], ks[i] * gap, 1e-3) << "stun " << spread[0] << ", segment " << ks[i];
		}
	}
}

}  // namespace
