// x11_spot.cpp: where something bright is in a part of a window, so that a
// scenario can follow a ball on the screen.
//
// Usage: x11_spot WINDOW-ID X Y W H [MIN]. Looks at the rectangle X, Y, W, H
// of the window for pixels whose red, green and blue are all at least MIN
// (default 200) and prints the centre of those pixels and their count as
// "X Y COUNT", or "none" when there is no such pixel. The rectangle is cut at
// the window's edges.
#include <algorithm>

#include "x11_grab.h"

namespace {

// Pixels this bright on every channel count.
const int DEFAULT_MIN = 200;

}  // namespace

// Grabs the window and prints the centre of its bright pixels in the rectangle.
int main(int argc, char** argv) {
	if (argc != 6 && argc != 7) {
		std::fprintf(stderr, "usage: x11_spot WINDOW-ID X Y W H [MIN]\n");
		return 2;
	}
	Grab grab;
	if (!GrabWindow(argv[1], grab)) return 1;
	int x0 = std::max(0, std::atoi(argv[2]));
	int y0 = std::max(0, std::atoi(argv[3]));
	int x1 = std::min(grab.width, std::atoi(argv[2]) + std::atoi(argv[4]));
	int y1 = std::min(grab.height, std::atoi(argv[3]) + std::atoi(argv[5]));
	int min = argc > 6 ? std::atoi(argv[6]) : DEFAULT_MIN;
	long sumX = 0, sumY = 0, count = 0;
	for (int y = y0; y < y1; ++y) {
		for (int x = x0; x < x1; ++x) {
			const unsigned char* p = grab.At(x, y);
			if (p[0] < min || p[1] < min || p[2] < min) continue;
			sumX += x;
			sumY += y;
			++count;
		}
	}
	if (count == 0) {
		std::printf("none\n");
	} else {
		std::printf("%ld %ld %ld\n", sumX / count, sumY / count, count);
	}
	return 0;
}
