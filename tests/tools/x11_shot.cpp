// x11_shot.cpp: saves a window (or the whole screen) of the X display as a PNG.
//
// Usage: x11_shot OUT.png [WINDOW-ID]. Prints the mean red, green and blue of
// the picture on one line, so that scripts can tell screens apart.
#include <stb_image_write.h>

#include "x11_grab.h"

// Grabs the window, writes the PNG and prints the mean colour.
int main(int argc, char** argv) {
	if (argc < 2) {
		std::fprintf(stderr, "usage: x11_shot OUT.png [WINDOW-ID]\n");
		return 2;
	}
	Grab grab;
	if (!GrabWindow(argc > 2 ? argv[2] : nullptr, grab)) return 1;
	double sum[GRAB_RGB] = {0, 0, 0};
	for (size_t i = 0; i < grab.rgb.size(); ++i) sum[i % GRAB_RGB] += grab.rgb[i];
	double count = static_cast<double>(grab.width) * grab.height;
	std::printf("%d %d %d\n", static_cast<int>(sum[0] / count), static_cast<int>(sum[1] / count),
	            static_cast<int>(sum[2] / count));
	return stbi_write_png(argv[1], grab.width, grab.height, GRAB_RGB, grab.rgb.data(), grab.width * GRAB_RGB) ? 0 : 1;
}
