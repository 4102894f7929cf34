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
	// Held, the button launches nothing more even once the meter is full again.
	h.Player(player::meter) = 5;
	h.Update(3);
	EXPECT_EQ(h.CountKind(KIND_BALL), 1);
	h.host.KeyUp(KEY_SPACE);
	h.Update();
	h.host.KeyDown(KEY_X);
	h.Update();
	EXPECT_EQ(h.CountKind(KIND_BALL), 2);
}

TEST_F(PlayBall, TouchOnTheBottomStripLaunches) {
	h.app->m_mouseDown = 1;
	h.app->m_mouseY = static_cast<int>(kx_Zimbolo_jscrh) - 2;
	h.app->p_Game();
	EXPECT_EQ(h.CountKind(KIND_BALL), 1);
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
	const int rest[] = {90, 80, 70, 60, 50};
	for (int k = 0; k < 5; ++k) h.app->m_hiScore[5 + k] = rest[k];
	h.app->m_score = 0;
	h.Player(player::meter) = 5;
	h.host.millisecs = 9190 - 16;
	h.Update();
	EXPECT_EQ(GlyphText(h.Glyphs(220, 255, 220, 0.8f)), "00000050") << "below the tenth: no place";
	EXPECT_EQ(Pips(h, x), (std::vector<int>{full, light, light, light, full}));
	EXPECT_EQ(GlyphText(h.Glyphs(255, 255, 255, 0.5f)), "LaunchBall");
	h.Update();
	EXPECT_EQ(GlyphText(h.Glyphs(255, 255, 255, 1.0f)), "LaunchBall") << "the second half of the blink";
	h.app->m_hideHud = 1;
	h.Update();
	EXPECT_TRUE(h.Glyphs(255, 255, 255, 0.5f).empty() && h.Glyphs(255, 255, 255, 1.0f).empty());
	EXPECT_EQ(Pips(h, x).size(), 0u);
}

TEST_F(PlayBall, NoReturnWhileStunned) {
	h.Update();
	h.Player(player::stun) = 100;
	Incoming(0);
	h.Update();
	EXPECT_LT(h.Obj(0)[obj::dx], 0);
	EXPECT_EQ(h.app->m_score, 0);
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
	h.Update(60);
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
}

TEST_F(PlayBall, StunnedPaddleBurstsApartAndReforms) {
	h.Update();
	EXPECT_EQ(h.CountSprites(frame::ball), 5);
	h.Player(player::stun) = 100;
	h.Update();
	EXPECT_EQ(h.CountSprites(frame::ball), 4) << "the middle segment is gone";
	int reform = 0;
	for (int i = 0; i < 60; ++i) {
		h.Update();
		reform += h.TakeSounds();
	}
	EXPECT_EQ(h.Player(player::stun), 0);
	EXPECT_EQ(reform, 5) << "stun 38.8 down to 31.6 in steps of 1.8 at speed 0.9";
	EXPECT_EQ(h.CountSprites(frame::ball), 5);
}

}  // namespace
