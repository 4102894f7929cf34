// random_math_test.cpp: the linear congruential generator and the numeric
// helpers.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "runtime/kx_math.h"
#include "runtime/random.h"

namespace {

// 2^-24, the step between consecutive generator values.
const double STEP = 1.0 / 16777216.0;

// The multiplicative inverse of an odd number modulo 2^32 (Newton's method).
unsigned inverse(unsigned a) {
	unsigned x = a;
	for (int i = 0; i < 5; ++i) x *= 2 - a * x;
	return x;
}

// The seed whose next state is the given one.
int seed_before(unsigned state) {
	return static_cast<int>((state - KX_RANDOM_C) * inverse(KX_RANDOM_A));
}

class Random : public ::testing::Test {
protected:
	void SetUp() override { kx_random_Seed = 1234; }
};

}  // namespace

TEST_F(Random, FirstValueFromSeed1234) {
	float r = kx_random_Rnd();
	EXPECT_EQ(static_cast<unsigned>(kx_random_Seed), 3067928073u);
	EXPECT_EQ(r, static_cast<float>(11984094 * STEP));
	EXPECT_NEAR(r, 0.714308, 1e-6);
	unsigned next = 3067928073u * KX_RANDOM_A + KX_RANDOM_C;
	EXPECT_EQ(kx_random_Rnd(), static_cast<float>((next >> 8) * STEP));
}

TEST_F(Random, SequenceIsDeterminedByTheSeed) {
	float first[8];
	for (float& r : first) r = kx_random_Rnd();
	kx_random_Seed = 1234;
	for (float r : first) EXPECT_EQ(kx_random_Rnd(), r);
}

TEST_F(Random, ValuesStayBelowOne) {
	kx_random_Seed = seed_before(0xFFFFFFFFu);
	float top = kx_random_Rnd();
	EXPECT_EQ(top, static_cast<float>(16777215 * STEP));
	EXPECT_LT(top, 1.0f);
	kx_random_Seed = seed_before(0xFFu);
	EXPECT_EQ(kx_random_Rnd(), 0.0f);
}

TEST_F(Random, ScaledValuesAdvanceTheStateOnce) {
	EXPECT_EQ(kx_random_Rnd2(5, 5), 5.0f);
	EXPECT_EQ(static_cast<unsigned>(kx_random_Seed), 3067928073u);
	kx_random_Seed = 1234;
	double r = 11984094 * STEP;
	EXPECT_EQ(kx_random_Rnd2(-10, 30), static_cast<float>(40 * r - 10));
	kx_random_Seed = 1234;
	EXPECT_EQ(kx_random_Rnd3(100), static_cast<float>(100 * r));
	kx_random_Seed = 1234;
	// low > high scales downward from low.
	EXPECT_EQ(kx_random_Rnd2(10, 0), static_cast<float>(-10 * r + 10));
}

TEST(MathHelpers, AbsoluteValues) {
	EXPECT_EQ(kx_math_Abs(-5), 5);
	EXPECT_EQ(kx_math_Abs(5), 5);
	EXPECT_EQ(kx_math_Abs(0), 0);
	EXPECT_EQ(kx_math_Abs(INT_MIN), INT_MIN);
	EXPECT_EQ(kx_math_Abs(INT_MIN + 1), INT_MAX);
	EXPECT_EQ(kx_math_Abs2(-2.5f), 2.5f);
	EXPECT_EQ(kx_math_Abs2(2.5f), 2.5f);
	EXPECT_TRUE(std::signbit(kx_math_Abs2(-0.0f))) << "-0 is not below 0";
}

TEST(MathHelpers, MaximaAndTheirTieAndNanRules) {
	EXPECT_EQ(kx_math_Max(3, 7), 7);
	EXPECT_EQ(kx_math_Max(7, 3), 7);
	EXPECT_EQ(kx_math_Max(INT_MIN, INT_MAX), INT_MAX);
	EXPECT_EQ(kx_math_Max2(1.5f, -2.0f), 1.5f);
	EXPECT_EQ(kx_math_Max2(-2.0f, 1.5f), 1.5f);
	float nan = std::numeric_limits<float>::quiet_NaN();
	EXPECT_EQ(kx_math_Max2(nan, 1.0f), 1.0f);
	EXPECT_TRUE(std::isnan(kx_math_Max2(1.0f, nan)));
}
