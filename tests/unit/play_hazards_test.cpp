// Hazards: pede segments with bricks and balls, meteors at the paddle,
// bricks hit by two balls at once, invaders and their shots.
#include <gtest/gtest.h>

#include <vector>

#include "support/play_harness.h"

namespace {

class PlayHazards : public ::testing::Test {
protected:
	PlayHarness h;
	void SetUp() override {
		h.Begin(2);
		h.Update();
		h.TakeSounds();
	}
};

TEST_F(PlayHazards, SegmentTouchingABrickTurnsAndStepsLeft) {
	h.Put(1000, KIND_PEDE, 500, 300, 0, 4);
	h.Put(5, KIND_BRICK, 500, 320);
	h.Update();
	const float* p = h.Obj(1000);
	EXPECT_EQ(p[obj::dy], -4);
	EXPECT_EQ(p[obj::x], 492);
	EXPECT_EQ(p[obj::y], 304);
	EXPECT_EQ(h.CountKind(KIND_BRICK), 1) << "segments do not harm bricks";
}

TEST_F(PlayHazards, SegmentsZigzagLeftAtTheWalls) {
	h.Put(1000, KIND_PEDE, 500, 518, 0, 4);
	h.Update();
	EXPECT_EQ(h.Obj(1000)[obj::dy], -4);
	EXPECT_EQ(h.Obj(1000)[obj::x], 484);
	h.Put(1000, KIND_PEDE, 500, -30, 0, -4);
	h.Update();
	EXPECT_EQ(h.Obj(1000)[obj::dy], 4) << "entering from above it is not turned back";
}

TEST_F(PlayHazards, BallKnocksASegmentLooseFor5Points) {
	h.Put(10, KIND_BALL, 490, 300, 5, 1);
	h.Put(1000, KIND_PEDE, 500, 300, 0, 4);
	h.Update();
	const float* p = h.Obj(1000);
	const float* b = h.Obj(10);
	EXPECT_EQ(p[obj::kind], KIND_LOOSE);
	EXPECT_EQ(h.app->m_score, 5);
	EXPECT_EQ(b[obj::dx], -5);
	EXPECT_EQ(p[obj::cooldown], 8);
	EXPECT_EQ(b[obj::cooldown], 8);
	EXPECT_GE(p[obj::dx], 5);
	EXPECT_LT(p[obj::dx], 5.4f);
	EXPECT_EQ(h.CountSprites(frame::segment + 0), 2) << "drawn as segment and as loose segment";
	EXPECT_EQ(h.Player(player::ballsInPlay), 2);
	// The cool-down keeps the same pair from colliding again at once.
	h.Update();
	EXPECT_EQ(h.app->m_score, 5);
}

TEST_F(PlayHazards, MeteorAtThePaddleEmptiesTheMeterStunsAndThrows27Sparks) {
	// A meteor reaches the paddle up to 8 units beyond its span, not at 8.
	const float top = h.Player(player::paddleTop), bottom = h.Player(player::paddleBottom);
	h.Put(20, KIND_METEOR, 14, top - 8, -6, 0)[obj::ink] = 4;
	h.Put(21, KIND_METEOR, 14, bottom + 8, -6, 0)[obj::ink] = 4;
	h.Update();
	EXPECT_EQ(h.Player(player::stun), 0);
	EXPECT_EQ(h.Player(player::meter), 5);
	h.ClearObjects();
	h.Put(20, KIND_METEOR, 14, top - 7, -6, 0)[obj::ink] = 4;
	h.Update();
	EXPECT_EQ(h.Player(player::meter), 0);
	EXPECT_FLOAT_EQ(h.Player(player::stun), 300 - 2 * h.app->m_speed);
	EXPECT_EQ(h.LiveParticles(), 27);
	EXPECT_EQ(h.CountKind(KIND_METEOR), 1) << "the meteor flies on";
	// A stunned paddle is not stunned again.
	h.Put(21, KIND_METEOR, 14, h.Player(player::paddleY), -6, 0)[obj::ink] = 4;
	h.Update();
	EXPECT_EQ(h.LiveParticles(), 27);
	h.Player(player::stun) = 0;
	h.Put(21, KIND_METEOR, 14, bottom + 7, -6, 0)[obj::ink] = 4;
	h.Update();
	EXPECT_FLOAT_EQ(h.Player(player::stun), 300 - 2 * h.app->m_speed) << "the lower edge of the reach";
}

TEST_F(PlayHazards, MeteorTakesFourHitsAndCrushesBricks) {
	float* m = h.Put(1000, KIND_METEOR, 500, 300, -1, 0);
	m[obj::ink] = 4;
	for (int hit = 1; hit <= 4; ++hit) {
		h.Put(10, KIND_BALL, 495, 300, 0, 0);
		h.Update();
		EXPECT_EQ(h.app->m_score, 25 * hit);
		h.Obj(1000)[obj::cooldown] = 0;
	}
	EXPECT_EQ(h.CountKind(KIND_METEOR), 0);
	m = h.Put(1000, KIND_METEOR, 600, 300, -1, 0);
	m[obj::ink] = 4;
	h.Put(5, KIND_BRICK, 610, 300);
	int before = h.LiveParticles();
	h.Update();
	EXPECT_EQ(h.CountKind(KIND_BRICK), 0);
	EXPECT_EQ(h.CountKind(KIND_METEOR), 1);
	EXPECT_EQ(h.LiveParticles(), before + 8);
}

TEST_F(PlayHazards, BrickHitByTwoBallsInOnePassScoresAndBouncesBoth) {
	h.Put(500, KIND_BRICK, 600, 300);
	h.Put(10, KIND_BALL, 590, 295, 5, 0);
	h.Put(11, KIND_LOOSE, 590, 310, 5, 0);
	h.Update();
	EXPECT_EQ(h.CountKind(KIND_BRICK), 0);
	EXPECT_EQ(h.app->m_score, 4);
	EXPECT_EQ(h.Obj(10)[obj::dx], -5);
	EXPECT_EQ(h.Obj(11)[obj::dx], -5);
	EXPECT_EQ(h.Obj(10)[obj::cooldown], 8);
	EXPECT_EQ(h.LiveParticles(), 8);
	EXPECT_EQ(h.CountSprites(frame::brick), 1) << "drawn in the pass that destroys it";
}

TEST_F(PlayHazards, BallDestroysAnInvaderWhateverItsFireTimer) {
	float* v = h.Put(1000, KIND_INVADER, 640, 320, 0, 8);
	v[obj::cooldown] = 400;
	float* b = h.Put(10, KIND_BALL, 630, 320, 5, 0);
	b[obj::cooldown] = 2;
	h.Update();
	EXPECT_EQ(v[obj::kind], KIND_INVADER) << "not while the ball's own cool-down runs";
	h.Update();
	EXPECT_EQ(v[obj::kind], KIND_FREE) << "the invader's cool-down is its fire timer and does not count";
	EXPECT_EQ(b[obj::dx], -5);
	EXPECT_EQ(b[obj::cooldown], 8);
	EXPECT_EQ(h.app->m_score, 25);
	EXPECT_EQ(h.LiveParticles(), 4);
}

TEST_F(PlayHazards, MeteorsAndInvadersTurnAtTheWallsInTheirOwnWays) {
	// Meteors: upward ones turn below the top wall, every one at the bottom,
	// each turn a step of 16 to the left and a speed within 3..13.
	float* up = h.Put(20, KIND_METEOR, 500, 20, 0, -1);
	float* down = h.Put(21, KIND_METEOR, 600, 20, 0, 1);
	float* fast = h.Put(22, KIND_METEOR, 700, 530, 0, 20);
	float* rising = h.Put(23, KIND_METEOR, 800, 530, 0, -2);
	for (float* m : {up, down, fast, rising}) m[obj::ink] = 4;
	h.Update();
	EXPECT_EQ(up[obj::dy], 3);
	EXPECT_EQ(up[obj::x], 484);
	EXPECT_EQ(down[obj::dy], 1) << "entering from above it is not turned back";
	EXPECT_EQ(down[obj::x], 600);
	EXPECT_EQ(fast[obj::dy], -13);
	EXPECT_EQ(fast[obj::x], 684);
	EXPECT_EQ(rising[obj::dy], -3);
	EXPECT_EQ(rising[obj::x], 784);
	// Invaders stay in their column; in a wall band their step turns away from
	// the wall with the uneven spreads: -0.23..+0.46 at the top, +-0.46 at the
	// bottom. 200 of each show the ends of the spreads.
	h.ClearObjects();
	const int n = 200;
	for (int i = 0; i < n; ++i) {
		h.Put(600 + i, KIND_INVADER, 640, 20, 0, -8)[obj::cooldown] = 600;
		h.Put(800 + i, KIND_INVADER, 700, 530, 0, 8)[obj::cooldown] = 600;
	}
	h.Update();
	Spread high, low;
	for (int i = 0; i < n; ++i) {
		high.Add(h.Obj(600 + i)[obj::dy]);
		low.Add(h.Obj(800 + i)[obj::dy]);
		EXPECT_EQ(h.Obj(600 + i)[obj::x], 640);
	}
	EXPECT_TRUE(Fills(high, 8 - 0.23f, 8 + 0.46f));
	EXPECT_TRUE(Fills(low, -8 - 0.46f, -8 + 0.46f));
	EXPECT_EQ(h.CountKind(KIND_INVADER), 2 * n);
}

TEST_F(PlayHazards, InvaderFiresAfterAbout180FramesAndFlashesBeforeEachShot) {
	h.ClearObjects();
	h.app->p_LaunchInvader();
	const float* v = h.Obj(obj::last);
	ASSERT_EQ(v[obj::kind], KIND_INVADER);
	std::vector<int> shots;
	int flashes = 0;
	for (int frame = 1; frame <= 800 && shots.size() < 2; ++frame) {
		float timer = v[obj::cooldown];
		h.Update();
		flashes += h.CountSprites(frame::invaderWarn);
		if (v[obj::cooldown] > timer) {
			EXPECT_EQ(v[obj::cooldown], 600);
			shots.push_back(frame);
			EXPECT_GT(flashes, 10) << "warned before shot " << shots.size();
			flashes = 0;
		}
	}
	ASSERT_EQ(shots.size(), 2u);
	EXPECT_NEAR(shots[0], 180, 10);
	EXPECT_NEAR(shots[1] - shots[0], 300, 20);
	const float* shot = h.Obj(obj::last - 1);
	EXPECT_EQ(shot[obj::ink], 1);
	EXPECT_EQ(shot[obj::dx], -6);
}

TEST_F(PlayHazards, InvaderStepsOncePerCycleAndHoldsStillWhilePaused) {
	float* v = h.Put(1000, KIND_INVADER, 640, 320, 0, 8);
	v[obj::cooldown] = 600;
	v[obj::counter] = 14;
	h.Update();
	EXPECT_EQ(v[obj::counter], 15);
	EXPECT_EQ(v[obj::y], 328);
	h.app->m_paused = 1;
	h.app->m_pauseDir = 1;
	h.Update(20);
	EXPECT_EQ(v[obj::y], 328) << "a pause at the step does not walk it";
	EXPECT_EQ(v[obj::counter], 15);
	h.app->m_paused = 0;
	h.Update(30);
	EXPECT_EQ(v[obj::y], 344) << "one step at the reset and one at 15";
}

}  // namespace
