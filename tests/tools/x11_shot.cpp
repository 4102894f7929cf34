// x11_shot.cpp: saves a window (or the whole screen) of the X display as a PNG.
//
// Usage: x11_shot OUT.png [WINDOW-ID]. Prints the mean red, green and blue of
// the picture on one line, so that scripts can tell screens apart.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stb_image_write.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Bytes per pixel of the saved picture.
const int RGB = 3;

// The colour channel of a pixel under a mask of the visual.
unsigned char Channel(unsigned long pixel, unsigned long mask) {
	if (mask == 0) return 0;
	int shift = 0;
	while (((mask >> shift) & 1) == 0) ++shift;
	unsigned long top = mask >> shift;
	return static_cast<unsigned char>(((pixel & mask) >> shift) * 255 / top);
}

}  // namespace

// Grabs the window, writes the PNG and prints the mean colour.
int main(int argc, char** argv) {
	if (argc < 2) {
		std::fprintf(stderr, "usage: x11_shot OUT.png [WINDOW-ID]\n");
		return 2;
	}
	Display* display = XOpenDisplay(nullptr);
	if (!display) {
		std::fprintf(stderr, "x11_shot: no display\n");
		return 1;
	}
	Window window = argc > 2 ? std::strtoul(argv[2], nullptr, 0) : DefaultRootWindow(display);
	XWindowAttributes attributes;
	if (!XGetWindowAttributes(display, window, &attributes)) return 1;
	XImage* image = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
	if (!image) return 1;
	std::vector<unsigned char> rgb(static_cast<size_t>(attributes.width) * attributes.height * RGB);
	double sum[RGB] = {0, 0, 0};
	for (int y = 0; y < attributes.height; ++y) {
		for (int x = 0; x < attributes.width; ++x) {
			unsigned long pixel = XGetPixel(image, x, y);
			unsigned char* out = &rgb[(static_cast<size_t>(y) * attributes.width + x) * RGB];
			out[0] = Channel(pixel, image->red_mask);
			out[1] = Channel(pixel, image->green_mask);
			out[2] = Channel(pixel, image->blue_mask);
			for (int c = 0; c < RGB; ++c) sum[c] += out[c];
		}
	}
	double count = static_cast<double>(attributes.width) * attributes.height;
	std::printf("%d %d %d\n", static_cast<int>(sum[0] / count), static_cast<int>(sum[1] / count),
	            static_cast<int>(sum[2] / count));
	int ok = stbi_write_png(argv[1], attributes.width, attributes.height, RGB, rgb.data(), attributes.width * RGB);
	XDestroyImage(image);
	XCloseDisplay(display);
	return ok ? 0 : 1;
}
