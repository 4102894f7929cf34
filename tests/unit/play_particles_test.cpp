// Particles: the full table, motionless sparks, life and alpha, the ink table
// and the reset.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "runtime/random.h"
#include "support/play_harness.h"

namespace {

class PlayParticles : public ::testing::Test {
protected:
	PlayHarness h;
	void SetUp() override { h.Begin(2); }
	std::vector<float> Table() {
		return std::vector<float>(h.app->m_particles.begin(), h.app->m_particles.end());
	}
	// The alphas of the particle sprites in the display list.
	std::vector<float> SparkAlphas() {
		std::vector<float> alphas;
		for (int i = 0; i < h.app->m_drawCount; i += DL_RECORD) {
			if (h.app->m_drawList[i + DL_KIND] == IMG_PARTICLES) alphas.push_back(h.app->m_drawList[i + DL_ALPHA]);
		}
		return alphas;
	}
};

TEST_F(PlayParticles, FullTableDropsAThrowAndAFreedSlotIsTakenNext) {
	for (int i = 0; i < 251; ++i) h.app->p_ThrowParticle(100, 100, 1, 3, 90, 1);
	EXPECT_EQ(h.LiveParticles(), 251);
	EXPECT_EQ(h.app->m_particles[250 * 10], 1) << "slot 250 itself is in use";
	EXPECT_EQ(h.app->p_FreeParticle(), -1);
	std::vector<float> before = Table();
	int seed = kx_random_Seed;
	h.app->p_ThrowParticle(200, 200, 1, 4, 0, 2);
	EXPECT_EQ(Table(), before);
	EXPECT_EQ(kx_random_Seed, seed);
	h.app->p_SetParticleKind(40 * 10, 0);
	h.app->p_SetParticleKind(100 * 10, 0);
	EXPECT_EQ(h.app->p_FreeParticle(), 1000);
	h.app->p_ThrowParticle(200, 200, 1, 4, 0, 2);
	EXPECT_EQ(h.app->m_particles[100 * 10 + 1], 200);
	EXPECT_EQ(h.app->m_particles[40 * 10], 0);
}

TEST_F(PlayParticles, DirectionZeroIsUpAndNinetyRight) {
	h.app->p_ThrowParticle(100, 100, 1, 1, 0, 2);
	h.app->p_ThrowParticle(100, 100, 1, 1, 90, 2);
	const float* up = &h.app->m_particles[250 * 10];
	const float* right = &h.app->m_particles[249 * 10];
	EXPECT_NEAR(up[3], 0, 1e-5);
	EXPECT_NEAR(up[4], -2, 1e-5);
	EXPECT_NEAR(right[3], 2, 1e-5);
	EXPECT_NEAR(right[4], 0, 1e-5);
}

TEST_F(PlayParticles, ZeroSpeedStaysInPlaceSpinsAndFades) {
	h.app->p_ThrowParticle(150, 120, 1, 9, 45, 0);
	const float* q = &h.app->m_particles[250 * 10];
	float life = q[7];
	float angle = q[5];
	int frames = 0;
	while (q[0] != 0 && frames < 200) {
		h.app->p_DoParticles();
		++frames;
		if (q[0] == 0) break;
		EXPECT_EQ(q[1], 150);
		EXPECT_EQ(q[2], 120);
	}
	EXPECT_NE(q[5], angle);
	EXPECT_NEAR(frames, life / 0.01f, 1.5f);
	// Drawn turned by -angle, which the list keeps negated.
	h.app->p_ThrowParticle(150, 120, 1, 9, 45, 0);
	h.app->m_drawCount = 0;
	h.app->p_DoParticles();
	ASSERT_EQ(SparkAlphas().size(), 1u);
	EXPECT_FLOAT_EQ(h.app->m_drawList[DL_ROT], q[5]);
}

TEST_F(PlayParticles, LifeIsBetween07And13AndAlphaCappedAt1) {
	// Also the other random parts, and a direction and speed not given.
	Spread angles, spins, frames, directions, speeds;
	for (int round = 0; round < 8; ++round) {
		h.app->p_ResetParticles(0);
		for (int i = 0; i < 251; ++i) h.app->p_ThrowParticle(10, 10, 1, i % 10, -3717, -3717);
		std::vector<float> lives;
		for (int p = 0; p <= 250; ++p) {
			const float* q = &h.app->m_particles[p * 10];
			float life = q[7];
			EXPECT_GE(life, 0.7f);
			EXPECT_LT(life, 1.3f);
			lives.push_back(life);
			angles.Add(q[5]);
			spins.Add(q[6]);
			frames.Add(q[9]);
			directions.Add(Heading(q));
			speeds.Add(std::hypot(q[3], q[4]));
		}
		h.app->m_drawCount = 0;
		h.app->p_DoParticles();
		std::vector<float> alphas = SparkAlphas();
		ASSERT_EQ(alphas.size(), 251u);
		for (int p = 0; p <= 250; ++p) EXPECT_EQ(alphas[p], lives[p] < 1 ? lives[p] : 1);
	}
	EXPECT_TRUE(Fills(angles, 0, 360, 3));
	EXPECT_TRUE(Fills(spins, -8, 8, 0.1f));
	EXPECT_TRUE(Fills(frames, 0, 255, 0.5f));
	EXPECT_TRUE(Fills(directions, 0, 360, 3));
	EXPECT_TRUE(Fills(speeds, 3, 8, 0.05f));
}

TEST_F(PlayParticles, InkTableGivesColoursAndGreyForTheRest) {
	struct Case {
		int ink;
		float r, g, b;
	} cases[] = {{1, 255, 25.5f, 25.5f},   {2, 255, 127.5f, 25.5f},  {3, 255, 255, 25.5f},
	             {4, 25.5f, 255, 25.5f},   {5, 25.5f, 255, 255},     {6, 25.5f, 25.5f, 255},
	             {7, 127.5f, 25.5f, 255},  {8, 255, 25.5f, 127.5f},  {9, 255, 255, 255},
	             {0, 76.5f, 76.5f, 76.5f}, {10, 76.5f, 76.5f, 76.5f}, {-1, 76.5f, 76.5f, 76.5f}};
	for (const Case& c : cases) {
		h.app->p_Ink(c.ink, 1);
		EXPECT_NEAR(h.app->m_drawRed, c.r, 1e-3) << c.ink;
		EXPECT_NEAR(h.app->m_drawGreen, c.g, 1e-3) << c.ink;
		EXPECT_NEAR(h.app->m_drawBlue, c.b, 1e-3) << c.ink;
	}
	h.app->p_Ink(3, 2);
	EXPECT_EQ(h.app->m_drawRed, 255) << "clamped";
	EXPECT_NEAR(h.app->m_drawBlue, 51, 1e-3);
}

TEST_F(PlayParticles, ResetChoosesTheRangeAndFreesIt) {
	for (int i = 0; i < 5; ++i) h.app->p_ThrowParticle(10, 10, 1, 1, 0, 1);
	h.app->p_ResetParticles(10);
	EXPECT_EQ(h.app->m_particleMax, 10);
	EXPECT_EQ(h.LiveParticles(), 0);
	h.app->p_ResetParticles(500);
	EXPECT_EQ(h.app->m_particleMax, 10);
	const int choices[][2] = {{499, 499}, {0, 499}, {1, 1}, {500, 1}, {10, 10}};
	for (const auto& choice : choices) {
		h.app->p_ResetParticles(choice[0]);
		EXPECT_EQ(h.app->m_particleMax, choice[1]) << choice[0];
	}
	for (int i = 0; i < 20; ++i) h.app->p_ThrowParticle(10, 10, 1, 1, 0, 1);
	EXPECT_EQ(h.LiveParticles(), 11);
	EXPECT_EQ(h.app->m_particles[11 * 10], 0);
}

}  // namespace
