// x11_close.cpp: asks a window of the X display to close, the way a window
// manager does when the user clicks its close button.
//
// Usage: x11_close WINDOW-ID. Sends the WM_DELETE_WINDOW client message of the
// WM_PROTOCOLS kind. Fails (status 1) when the window has not taken part in
// that protocol, since it would then never see the request.
#include <cstdio>
#include <cstdlib>

#include "x11_wm.h"

// Sends the close request and waits until the server has passed it on.
int main(int argc, char** argv) {
	if (argc != 2) {
		std::fprintf(stderr, "usage: x11_close WINDOW-ID\n");
		return 2;
	}
	Display* display = XOpenDisplay(nullptr);
	if (!display) {
		std::fprintf(stderr, "x11_close: no display\n");
		return 1;
	}
	Window window = std::strtoul(argv[1], nullptr, 0);
	Atom deleteAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
	if (!WmTakesProtocol(display, window, deleteAtom)) {
		std::fprintf(stderr, "x11_close: window %s does not take WM_DELETE_WINDOW\n", argv[1]);
		XCloseDisplay(display);
		return 1;
	}
	WmSendProtocol(display, window, deleteAtom, CurrentTime, 0);
	XSync(display, False);
	XCloseDisplay(display);
	return 0;
}
