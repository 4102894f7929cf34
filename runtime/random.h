// random.h: the one pseudo-random generator all of the program's randomness
// comes from: a linear congruential generator over kx_random_Seed.
#pragma once

extern int kx_random_Seed;

// Multiplier and increment of the generator.
const unsigned KX_RANDOM_A = 1664525u;
const unsigned KX_RANDOM_C = 1013904223u;
// 2^-24: scales the state's upper 24 bits into [0, 1).
const float KX_RANDOM_SCALE = 5.9604645e-08f;

// Advances the state once; the next value in [0, 1).
float kx_random_Rnd();
// low + (high - low) * r.
float kx_random_Rnd2(float low, float high);
// r * range.
float kx_random_Rnd3(float range);
