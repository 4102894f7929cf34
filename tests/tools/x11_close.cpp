// x11_close.cpp: asks a window of the X display to close, the way a window
// manager does when the user clicks its close button.
//
// Usage: x11_close WINDOW-ID. Sends the WM_DELETE_WINDOW client message of the
// WM_PROTOCOLS kind. Fails (status 1) when the window has not taken part in
// that protocol, since it would then never see the request.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Client messages carry 32-bit items.
const int FORMAT_32 = 32;

// True when the window lists WM_DELETE_WINDOW among its protocols.
bool TakesDelete(Display* display, Window window, Atom deleteAtom) {
	Atom* protocols = nullptr;
	int count = 0;
	if (!XGetWMProtocols(display, window, &protocols, &count)) return false;
	bool found = false;
	for (int i = 0; i < count; ++i) found = found || protocols[i] == deleteAtom;
	XFree(protocols);
	return found;
}

}  // namespace

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
	Atom protocolsAtom = XInternAtom(display, "WM_PROTOCOLS", False);
	Atom deleteAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
	if (!TakesDelete(display, window, deleteAtom)) {
		std::fprintf(stderr, "x11_close: window %s does not take WM_DELETE_WINDOW\n", argv[1]);
		XCloseDisplay(display);
		return 1;
	}
	XEvent event = {};
	event.xclient.type = ClientMessage;
	event.xclient.window = window;
	event.xclient.message_type = protocolsAtom;
	event.xclient.format = FORMAT_32;
	event.xclient.data.l[0] = static_cast<long>(deleteAtom);
	event.xclient.data.l[1] = CurrentTime;
	XSendEvent(display, window, False, NoEventMask, &event);
	XSync(display, False);
	XCloseDisplay(display);
	return 0;
}
