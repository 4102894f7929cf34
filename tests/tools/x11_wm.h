// x11_wm.h: what the scenario tools need to act as a window manager towards
// the game's window: the WM_PROTOCOLS client messages, and a clock for their
// waits.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <time.h>

// Client messages carry 32-bit items.
const int WM_FORMAT_32 = 32;

// True when the window lists the atom among its protocols.
inline bool WmTakesProtocol(Display* display, Window window, Atom protocol) {
	Atom* protocols = nullptr;
	int count = 0;
	if (!XGetWMProtocols(display, window, &protocols, &count)) return false;
	bool found = false;
	for (int i = 0; i < count; ++i) found = found || protocols[i] == protocol;
	XFree(protocols);
	return found;
}

// Sends the WM_PROTOCOLS message of a protocol with its second and third
// items (a time stamp, or a ping's serial and window).
inline void WmSendProtocol(Display* display, Window window, Atom protocol, long item1, long item2) {
	XEvent event = {};
	event.xclient.type = ClientMessage;
	event.xclient.window = window;
	event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
	event.xclient.format = WM_FORMAT_32;
	event.xclient.data.l[0] = static_cast<long>(protocol);
	event.xclient.data.l[1] = item1;
	event.xclient.data.l[2] = item2;
	XSendEvent(display, window, False, NoEventMask, &event);
}

// Seconds on the monotonic clock.
inline double WmNow() {
	timespec t;
	clock_gettime(CLOCK_MONOTONIC, &t);
	return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}
