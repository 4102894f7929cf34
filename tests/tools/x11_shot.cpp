// x11_shot.cpp: saves a window (or the whole screen) of the X display as a PNG.
//
// Usage: x11_shot OUT.png [WINDOW-ID [X Y W H]]. Prints the mean red, green
// and blue of the picture (or of its part X, Y, W, H, cut at its edges) on
// one line, so that scripts can tell screens apart.
#include <stb_image_write.h>

#include "x11_grab.h"

// Grabs the window, writes the PNG and prints the mean colour.
int main(int argc, char** argv) {
	if (argc != 2 && argc != 3 && argc != 7) {
		std::fprintf(stderr, "usage: x11_shot OUT.png [WINDOW-ID [X Y W H]]\n");
		return 2;
	}
	Grab grab;
	if (!GrabWindow(argc > 2 ? argv[2] : nullptr, grab)) return 1;
	int area[4] = {0, 0, grab.width, grab.height};
	for (int i = 0; argc == 7 && i < 4; ++i) area[i] = std::atoi(argv[3 + i]);
	int x0 = std::max(0, area[0]), y0 = std::max(0, area[1]);
	int x1 = std::min(grab.width, area[0] + area[2]), y1 = std::min(grab.height, area[1] + area[3]);
	double sum[GRAB_RGB] = {0, 0, 0};
	for (int y = y0; y < y1; ++y) {
		for (int x = x0; x < x1; ++x) {
			for (int c = 0; c < GRAB_RGB; ++c) sum[c] += grab.At(x, y)[c];
		}
	}
	double count = std::max(1.0, static_cast<double>(x1 - x0) * (y1 - y0));
	std::printf("%d %d %d\n", static_cast<int>(sum[0] / count), static_cast<int>(sum[1] / count),
	            static_cast<int>(sum[2] / count));
	return stbi_write_png(argv[1], grab.width, grab.height, GRAB_RGB, grab.rgb.data(), grab.width * GRAB_RGB) ? 0 : 1;
}
