// random.cpp: the linear congruential generator.
#include "runtime/random.h"

int kx_random_Seed = 1234;

// Advances the state; its upper 24 bits scaled into [0, 1).
float kx_random_Rnd() {
	unsigned state = static_cast<unsigned>(kx_random_Seed) * KX_RANDOM_A + KX_RANDOM_C;
	kx_random_Seed = static_cast<int>(state);
	return static_cast<float>(state >> 8) * KX_RANDOM_SCALE;
}

// A value between low and high, computed in double precision.
float kx_random_Rnd2(float low, float high) {
	double r = kx_random_Rnd();
	return static_cast<float>((static_cast<double>(high) - low) * r + low);
}

// A value between 0 and range, computed in double precision.
float kx_random_Rnd3(float range) {
	double r = kx_random_Rnd();
	return static_cast<float>(r * range);
}
