// kx_math.h: the framework's small numeric helpers.
#pragma once

#include <climits>

// Absolute value of an int; the most negative int is returned unchanged.
inline int kx_math_Abs(int i) {
	return i >= 0 || i == INT_MIN ? i : -i;
}

// Absolute value of a float.
inline float kx_math_Abs2(float f) {
	return f < 0 ? -f : f;
}

// The larger int.
inline int kx_math_Max(int a, int b) {
	return a < b ? b : a;
}

// The larger float.
inline float kx_math_Max2(float a, float b) {
	return a > b ? a : b;
}
