// random.cpp: the game's random helpers over the runtime generator: whole
// numbers in a range, the randomised bounce speeds and the ball test.
#include "game/play/play.h"
#include "runtime/random.h"

//----------------------------------------------------------------------------
// Constants
//----------------------------------------------------------------------------

// Added to the upper bound so that it can be drawn (slightly less often).
const float RAND_TOP = 0.99f;

//----------------------------------------------------------------------------
// Random helpers
//----------------------------------------------------------------------------

// A whole number from lo to hi inclusive.
int c_MyApp::p_Rand(float lo, float hi) {
	return static_cast<int>(std::floor(kx_random_Rnd2(lo, hi + RAND_TOP)));
}

// A whole number from 0 to hi inclusive.
int c_MyApp::p_Rand(float hi) {
	return p_Rand(0, hi);
}

// A rightward or downward bounce speed: |v| changed by -s/2..s, kept in 3..13.
float c_MyApp::p_Plus(float v, float s) {
	return play_Clamp(std::fabs(v) + kx_random_Rnd2(-s / 2, s), BOUNCE_MIN, BOUNCE_MAX);
}

// A leftward or upward bounce speed: |v| changed by -s..s, kept in 3..13.
float c_MyApp::p_Minus(float v, float s) {
	return -play_Clamp(std::fabs(v) + kx_random_Rnd2(-s, s), BOUNCE_MIN, BOUNCE_MAX);
}

// Whether a kind moves and bounces as a ball (a ball or a loose segment).
bool c_MyApp::p_isBall(int kind) {
	return (kind & ~2) == KIND_BALL;
}
