// Hazards: pede segments with bricks and balls, meteors at the paddle,
// bricks hit by two balls at once, invaders and their shots.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
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
	// Between two stacked bricks it turns twice, 16 to the left, into the reach
	// of a ball that was two cells away: the rest of its walk over the other
	// objects looks where the segment is now.
	h.Put(1000, KIND_PEDE, 97, 300, 0, 4);
	h.Put(5, KIND_BRICK, 97, 320);
	h.Put(6, KIND_BRICK, 97, 288);
	h.Put(10, KIND_BALL, 60, 304);
	h.Update();
	EXPECT_EQ(p[obj::x], 81);
	EXPECT_EQ(p[obj::kind], KIND_LOOSE);
	EXPECT_EQ(h.app->m_score, 5);
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
	// Loose, it spins, drawn turned the other way.
	std::vector<const float*> drawn = h.Records(IMG_SPRITES);
	auto loose = std::find_if(drawn.begin(), drawn.end(), [](const float* e) { return e[DL_FRAME] == frame::segment; });
	ASSERT_NE(loose, drawn.end());
	EXPECT_NE(p[obj::angle], 0);
	EXPECT_FLOAT_EQ((*loose)[DL_ROT], p[obj::angle]) << "the list keeps rotations negated";
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
	// Across, it reaches 12 either side of the paddle's x 8 (held there by a
	// pause). Each stun sounds 10 and throws, from the paddle's screen x 15,
	// nine rounds of green sparks at -8..8 and 172..188 degrees around grey
	// ones at 15..165, at a speed of 2..6.
	h.app->m_paused = h.app->m_pauseDir = 1;
	const float xs[] = {19.5f, 20, -3.5f, -4, 19.5f, -3.5f, 19.5f, -3.5f, 19.5f, -3.5f};
	Spread ahead, side, back, speeds;
	for (float x : xs) {
		h.ClearObjects();
		h.app->p_ResetParticles(0);
		h.Player(player::stun) = 0;
		h.Put(20, KIND_METEOR, x, 288, -6, 0)[obj::ink] = 4;
		h.Update();
		bool reached = x == 19.5f || x == -3.5f;
		EXPECT_EQ(h.Player(player::stun), reached ? 300 : 0) << x;
		EXPECT_EQ(h.Sounds().size(), reached ? 1u : 0u) << x;
		EXPECT_TRUE(!reached || SoundOnVoice(h.app, h.app->m_sfxVoice).id == 10) << x;
		EXPECT_EQ(h.LiveParticles(), reached ? 27 : 0);
		for (int q = 0; q <= h.app->m_particleMax; ++q) {
			const float* r = &h.app->m_particles[q * part::fields];
			if (r[part::kind] == 0) continue;
			EXPECT_NEAR(r[part::x] - r[part::dx], 15, 1e-3) << "moved once at speed 1";
			float direction = Heading(r);
			speeds.Add(std::hypot(r[part::dx], r[part::dy]));
			if (r[part::ink] == 0) {
				side.Add(direction);
			} else if (direction < 90 || direction > 270) {
				ahead.Add(direction < 90 ? direction : direction - 360);
			} else {
				back.Add(direction - 180);
			}
			EXPECT_TRUE(r[part::ink] == 0 || r[part::ink] == 4);
		}
	}
	EXPECT_TRUE(Fills(side, 15, 165, 15));
	EXPECT_TRUE(Fills(back, -8, 8, 1.6f)) << "172..188, less 180";
	EXPECT_TRUE(Fills(ahead, -8, 8, 1.6f));
	EXPECT_TRUE(Fills(speeds, 2, 6, 0.4f));
}

TEST_F(PlayHazards, MeteorTakesFourHitsAndCrushesBricks) {
	float* m = h.Put(1000, KIND_METEOR, 500, 300, -1, 0);
	m[obj::ink] = 4;
	m[obj::spin] = 3;
	h.Update();
	std::vector<const float*> drawn = h.Records(IMG_SPRITES);
	ASSERT_EQ(drawn.size(), 6u) << "the paddle and the meteor";
	EXPECT_EQ(drawn[0][DL_FRAME], 16) << "four hit points left";
	EXPECT_FLOAT_EQ(drawn[0][DL_ROT], 3) << "turned by -3, kept negated";
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
	EXPECT_EQ(h.Sounds().back().id, 12) << "the brick crushed";
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

// Rounds of many hits at once, a ball (dx 5, dy 1) meeting each of a grid of
// hazards of one kind: the hazard and ball afterwards, the sounds with their
// pitch, and the sparks (white, each burst at random, each cross at right
// angles) with their speed. NOTE: 95 and 23 hits leave their last 23 sounds
// on the ring of 24 voices.
TEST_F(PlayHazards, HitsSpreadTheirRandomPartsOverTheirRanges) {
	h.app->m_paused = h.app->m_pauseDir = 1;
	struct Hit {
		int kind, pairs, kindAfter, sound;
		float rateLo, rateHi;
		int sparks;
		float sparkLo, sparkHi;
	} hits[] = {
		{KIND_PEDE, 95, KIND_LOOSE, 8, 0.7f, 1.3f, 0, 0, 0},
		{KIND_METEOR, 23, KIND_METEOR, 7, 0.7f, 1.3f, 8, 0.5f, 1.2f},
		{KIND_BRICK, 60, KIND_FREE, 12, 1, 1, 4, 1, 2},
		{KIND_INVADER, 60, KIND_FREE, 12, 1, 1, 4, 1, 2},
	};
	for (const Hit& hit : hits) {
		Spread dx, dy, spin, rates, sparkSpeeds, directions;
		for (int round = 0; round < 4; ++round) {
			h.ClearObjects();
			h.app->p_ResetParticles(0);
			for (int i = 0; i < hit.pairs; ++i) {
				float x = 100 + 60 * (i % 14), y = 60 + 60 * (i / 14);
				h.Put(500 + i, hit.kind, x, y)[obj::ink] = 4;
				h.Obj(500 + i)[obj::cooldown] = hit.kind == KIND_INVADER ? 600 : 0;
				h.Put(i, KIND_BALL, x - 10, y, 5, 1);
			}
			h.Update();
			for (int i = 0; i < hit.pairs; ++i) {
				const float* p = h.Obj(500 + i);
				EXPECT_EQ(h.Obj(i)[obj::dx], -5);
				EXPECT_EQ(h.Obj(i)[obj::cooldown], 8);
				EXPECT_EQ(p[obj::kind], hit.kindAfter);
				if (hit.kindAfter == KIND_FREE) continue;
				EXPECT_EQ(p[obj::cooldown], 8);
				EXPECT_EQ(p[obj::ink], hit.kind == KIND_METEOR ? 3 : 4) << "a meteor loses a hit point";
				dx.Add(p[obj::dx]);
				dy.Add(p[obj::dy]);
				spin.Add(p[obj::spin]);
			}
			for (const VoiceSound& sound : h.Sounds()) {
				EXPECT_EQ(sound.id, hit.sound);
				rates.Add(sound.rate);
			}
			EXPECT_EQ(h.LiveParticles(), hit.pairs * hit.sparks);
			// Directions by the point a spark left from, a moved step ago.
			std::map<std::pair<int, int>, Spread> crosses;
			for (int q = 0; q <= h.app->m_particleMax; ++q) {
				const float* r = &h.app->m_particles[q * part::fields];
				if (r[part::kind] == 0) continue;
				EXPECT_EQ(r[part::ink], 9);
				sparkSpeeds.Add(std::hypot(r[part::dx], r[part::dy]));
				float direction = Heading(r);
				directions.Add(direction);
				std::pair<int, int> from(std::lround(r[part::x] - r[part::dx]), std::lround(r[part::y] - r[part::dy]));
				crosses[from].Add(std::fmod(direction + 0.5f, 90));
			}
			for (const auto& cross : crosses) {
				EXPECT_TRUE(hit.sparks != 4 || cross.second.hi - cross.second.lo < 0.01f) << "at right angles";
			}
		}
		const float tenth = 0.1f;
		EXPECT_TRUE(Fills(rates, hit.rateLo, hit.rateHi, tenth * (hit.rateHi - hit.rateLo) + 1e-6f)) << hit.kind;
		if (hit.kind == KIND_PEDE) {
			EXPECT_TRUE(Fills(dx, 5, 5.4f, tenth * 0.4f)) << "the ball's dx and 0..0.4";
			EXPECT_TRUE(Fills(dy, 1, 1.4f, tenth * 0.4f)) << "the ball's dy and 0..0.4";
		}
		if (hit.kindAfter != KIND_FREE) {
			EXPECT_TRUE(Fills(spin, -5, 5, tenth * 10)) << hit.kind;
		}
		if (hit.sparks == 0) continue;
		EXPECT_TRUE(Fills(sparkSpeeds, hit.sparkLo, hit.sparkHi, tenth * (hit.sparkHi - hit.sparkLo))) << hit.kind;
		EXPECT_TRUE(Fills(directions, 0, 360, 36)) << hit.kind;
	}
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
	// The other hazards meet a ball only while both cool-downs are below 1
	// (each a frame less once moved).
	const int kinds[] = {KIND_PEDE, KIND_METEOR, KIND_BRICK};
	const float cooldowns[][3] = {{1, 1, 1}, {2, 1, 0}, {1, 2, 0}};
	for (int kind : kinds) {
		for (const auto& c : cooldowns) {
			h.ClearObjects();
			float* hazard = h.Put(1000, kind, 640, 320);
			hazard[obj::ink] = 4;
			hazard[obj::cooldown] = c[0];
			h.Put(10, KIND_BALL, 630, 320, 5, 0)[obj::cooldown] = c[1];
			h.Update();
			EXPECT_EQ(h.Obj(10)[obj::dx] < 0, c[2] == 1) << "kind " << kind << ", cool-downs " << c[0] << " " << c[1];
		}
		// They touch while less than 24 apart on both axes; the ball, in the last
		// slot, moves after them.
		const float offsets[][3] = {{-24, 0, 0}, {-23.5f, 0, 1}, {0, 24, 0}, {0, 23.5f, 1}};
		for (const auto& d : offsets) {
			h.ClearObjects();
			h.Put(500, kind, 640, 320)[obj::ink] = 4;
			h.Put(obj::last, KIND_BALL, 640 + d[0], 320 + d[1], 5, 0);
			h.Update();
			EXPECT_EQ(h.Obj(obj::last)[obj::dx] < 0, d[2] == 1) << "kind " << kind << " at " << d[0] << ", " << d[1];
		}
	}
	// A brick stays where it is put, whatever speed it was given.
	h.ClearObjects();
	h.Put(500, KIND_BRICK, 640, 320, 3, 2);
	h.Update(2);
	EXPECT_EQ(h.Obj(500)[obj::x], 643) << "moved once before its handler stopped it";
	EXPECT_EQ(h.Obj(500)[obj::y], 322);
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
	// Held by a pause, a timer below 1 fires, 1 does not. Each shot sounds 9
	// at a pitch of 1.7..2 and leaves from where the invader stands.
	h.ClearObjects();
	h.app->m_paused = h.app->m_pauseDir = 1;
	h.Put(0, KIND_INVADER, 640.5f, 320.5f)[obj::cooldown] = 1;
	for (int i = 1; i < 216; ++i) h.Put(i, KIND_INVADER, 640.5f, 320.5f)[obj::cooldown] = 0.5f;
	h.Update();
	EXPECT_EQ(h.Obj(0)[obj::cooldown], 1);
	EXPECT_EQ(h.CountKind(KIND_METEOR), 215);
	EXPECT_EQ(shot[obj::x], 640);
	EXPECT_EQ(shot[obj::y], 320);
	Spread rates;
	for (const VoiceSound& sound : h.Sounds()) {
		EXPECT_EQ(sound.id, 9);
		rates.Add(sound.rate);
	}
	EXPECT_TRUE(Fills(rates, 1.7f, 2, 0.075f));
}

TEST_F(PlayHazards, InvaderStepsOncePerCycleAndHoldsStillWhilePaused) {
	float* v = h.Put(1000, KIND_INVADER, 640, 320, 0, 8);
	v[obj::cooldown] = 121;
	v[obj::counter] = 14;
	h.Update();
	EXPECT_EQ(v[obj::counter], 15);
	EXPECT_EQ(v[obj::y], 328) << "a timer of 120 (121 less a frame) is above 119";
	v[obj::cooldown] = 120;
	v[obj::counter] = 14;
	h.Update();
	EXPECT_EQ(v[obj::y], 328) << "119 is not";
	v[obj::cooldown] = 600;
	h.app->m_paused = 1;
	h.app->m_pauseDir = 1;
	h.Update(20);
	EXPECT_EQ(v[obj::y], 328) << "a pause at the step does not walk it";
	EXPECT_EQ(v[obj::counter], 15);
	h.app->m_paused = 0;
	h.Update(30);
	EXPECT_EQ(v[obj::y], 344) << "one step at the reset and one at 15";
	// Held by a pause: the frame for a counter and timer; a counter above 29
	// starts again at 0.
	h.app->m_paused = 1;
	const float frames[][3] = {{14, 600, 20}, {15, 600, 21}, {29.5f, 600, 20}, {0, 120, 20}, {0, 119.5f, 20},
	                           {0, 110, 20},  {0, 109.5f, 22}, {0, 90, 22},  {20, 90, 21}};
	for (const auto& f : frames) {
		v[obj::counter] = f[0];
		v[obj::cooldown] = f[1];
		h.Update();
		std::vector<const float*> drawn = h.Records(IMG_SPRITES);
		ASSERT_FALSE(drawn.empty());
		EXPECT_EQ(drawn[0][DL_FRAME], f[2]) << "counter " << f[0] << ", timer " << f[1];
	}
}

}  // namespace
