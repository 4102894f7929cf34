// angles.h: the sine and cosine of an angle in degrees, as the game takes
// them for its sparks, its text and its loading spinner.
#pragma once

#include <cmath>

// Degrees to radians, as single precision.
const float DEG_TO_RAD = 0.0174532924f;

// NOTE: the angle is turned into radians in single precision, and its sine
// taken in double precision and rounded to float once. C libraries' float
// sines differ in the last bit (glibc's and musl's, which the browser build
// uses, disagree on about one angle in a thousand), while their double sines
// round to the same float for every float up to 16 radians, 916 degrees,
// far beyond the angles the game takes.

// The sine of an angle in degrees.
inline float SinDeg(float degrees) {
	return static_cast<float>(std::sin(static_cast<double>(degrees * DEG_TO_RAD)));
}

// The cosine of an angle in degrees.
inline float CosDeg(float degrees) {
	return static_cast<float>(std::cos(static_cast<double>(degrees * DEG_TO_RAD)));
}
