// x11_grab.h: the pixels of a window (or the whole screen) of the X display as
// 8-bit RGB, for the scenario tools that look at what the game shows.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

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

// Grabs the window given by its id text (the root window when null) of the
// default display; false with a message on standard error when it cannot.
inline bool GrabWindow(const char* id, Grab& grab) {
	Display* display = XOpenDisplay(nullptr);
	if (!display) {
		std::fprintf(stderr, "no display\n");
		return false;
	}
	Window window = id ? std::strtoul(id, nullptr, 0) : DefaultRootWindow(display);
	XWindowAttributes attributes;
	XImage* image = nullptr;
	if (XGetWindowAttributes(display, window, &attributes)) {
		image = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
	}
	if (!image) {
		XCloseDisplay(display);
		return false;
	}
	grab.width = attributes.width;
	grab.height = attributes.height;
	grab.rgb.resize(static_cast<size_t>(grab.width) * grab.height * GRAB_RGB);
	for (int y = 0; y < grab.height; ++y) {
		for (int x = 0; x < grab.width; ++x) {
			unsigned long pixel = XGetPixel(image, x, y);
			unsigned char* out = &grab.rgb[(static_cast<size_t>(y) * grab.width + x) * GRAB_RGB];
			out[0] = GrabChannel(pixel, image->red_mask);
			out[1] = GrabChannel(pixel, image->green_mask);
			out[2] = GrabChannel(pixel, image->blue_mask);
		}
	}
	XDestroyImage(image);
	XCloseDisplay(display);
	return true;
}
