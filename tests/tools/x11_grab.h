// x11_grab.h: the pixels of a window (or the whole screen) of the X display as
// 8-bit RGB, for the scenario tools that look at what the game shows.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

// Bytes per pixel of a grabbed picture.
const int GRAB_RGB = 3;

// A grabbed picture: rows from the top, RGB bytes per pixel.
struct Grab {
	int width = 0;
	int height = 0;
	std::vector<unsigned char> rgb;

	// The RGB bytes of pixel (x, y).
	const unsigned char* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * GRAB_RGB]; }
};

// The colour channel of a pixel under a mask of the visual.
inline unsigned char GrabChannel(unsigned long pixel, unsigned long mask) {
	if (mask == 0) return 0;
	int shift = 0;
	while (((mask >> shift) & 1) == 0) ++shift;
	unsigned long top = mask >> shift;
	return static_cast<unsigned char>(((pixel & mask) >> shift) * 255 / top);
}

// Grabs the part X, Y, W, H of a window of an open display, cut at the
// window's edges (nothing when none of it is inside); false when the window
// cannot be read.
inline bool GrabArea(Display* display, Window window, int x, int y, int w, int h, Grab& grab) {
	XWindowAttributes attributes;
	if (!XGetWindowAttributes(display, window, &attributes)) return false;
	int x0 = std::max(0, x);
	int y0 = std::max(0, y);
	grab.width = std::min(attributes.width, x + w) - x0;
	grab.height = std::min(attributes.height, y + h) - y0;
	if (grab.width <= 0 || grab.height <= 0) {
		grab.width = grab.height = 0;
		return true;
	}
	XImage* image = XGetImage(display, window, x0, y0, grab.width, grab.height, AllPlanes, ZPixmap);
	if (!image) return false;
	grab.rgb.resize(static_cast<size_t>(grab.width) * grab.height * GRAB_RGB);
	for (int row = 0; row < grab.height; ++row) {
		for (int column = 0; column < grab.width; ++column) {
			unsigned long pixel = XGetPixel(image, column, row);
			unsigned char* out = &grab.rgb[(static_cast<size_t>(row) * grab.width + column) * GRAB_RGB];
			out[0] = GrabChannel(pixel, image->red_mask);
			out[1] = GrabChannel(pixel, image->green_mask);
			out[2] = GrabChannel(pixel, image->blue_mask);
		}
	}
	XDestroyImage(image);
	return true;
}

// Grabs the window given by its id text (the root window when null) of the
// default display; false with a message on standard error when it cannot.
inline bool GrabWindow(const char* id, Grab& grab) {
	Display* display = XOpenDisplay(nullptr);
	if (!display) {
		std::fprintf(stderr, "no display\n");
		return false;
	}
	Window window = id ? std::strtoul(id, nullptr, 0) : DefaultRootWindow(display);
	bool grabbed = GrabArea(display, window, 0, 0, INT_MAX / 2, INT_MAX / 2, grab);
	XCloseDisplay(display);
	return grabbed;
}
