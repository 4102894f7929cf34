// x11_ping.cpp: waits until the program of a window has handled the events
// sent to it so far, through the ping a window manager uses to tell whether a
// program still answers.
//
// Usage: x11_ping WINDOW-ID [COUNT [SECONDS]]. Sends the _NET_WM_PING client
// message of the WM_PROTOCOLS kind COUNT times (1), each once the one before
// was answered, and waits SECONDS (60) at most in all. A program answers a
// ping while it handles its window's events, after the events that came
// before the ping; a second answer comes after another pass of the program's
// event loop. Fails (status 1) when the window does not take part in that
// protocol, is destroyed, or is not answered in time.
#include <poll.h>

#include <cstdio>
#include <cstdlib>

#include "x11_wm.h"

namespace {

const double DEFAULT_SECONDS = 60;
// Longest wait for the display between two checks of the time, in ms.
const int POLL_MS = 100;

// Set by the error handler: the window went away under a request.
bool windowGone = false;

// Notes the error (a destroyed window) instead of ending the program.
int OnError(Display*, XErrorEvent*) {
	windowGone = true;
	return 0;
}

// The ping numbered serial; the answer comes back on the root window.
void SendPing(Display* display, Window window, Atom ping, long serial) {
	WmSendProtocol(display, window, ping, serial, static_cast<long>(window));
	XFlush(display);
}

// Waits for the answer to ping serial until the end time; false when the
// window is destroyed or the time is up.
bool AwaitAnswer(Display* display, Window window, Atom protocols, Atom ping, long serial, double end) {
	while (!windowGone) {
		while (XPending(display)) {
			XEvent event;
			XNextEvent(display, &event);
			if (event.type == DestroyNotify && event.xdestroywindow.window == window) return false;
			if (event.type == ClientMessage && event.xclient.message_type == protocols &&
			    static_cast<Atom>(event.xclient.data.l[0]) == ping && event.xclient.data.l[1] == serial) {
				return true;
			}
		}
		double left = end - WmNow();
		if (left <= 0) return false;
		pollfd display_fd = {ConnectionNumber(display), POLLIN, 0};
		poll(&display_fd, 1, left * 1000 < POLL_MS ? static_cast<int>(left * 1000) + 1 : POLL_MS);
	}
	return false;
}

}  // namespace

// Pings the window COUNT times in turn.
int main(int argc, char** argv) {
	if (argc < 2 || argc > 4) {
		std::fprintf(stderr, "usage: x11_ping WINDOW-ID [COUNT [SECONDS]]\n");
		return 2;
	}
	Display* display = XOpenDisplay(nullptr);
	if (!display) {
		std::fprintf(stderr, "x11_ping: no display\n");
		return 1;
	}
	XSetErrorHandler(OnError);
	Window window = std::strtoul(argv[1], nullptr, 0);
	int count = argc > 2 ? std::atoi(argv[2]) : 1;
	double end = WmNow() + (argc > 3 ? std::atof(argv[3]) : DEFAULT_SECONDS);
	Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
	Atom ping = XInternAtom(display, "_NET_WM_PING", False);
	// NOTE: the answer is sent to the root window for the window manager's
	// eyes; with no window manager there, any client may listen.
	XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
	XSelectInput(display, window, StructureNotifyMask);
	bool answered = WmTakesProtocol(display, window, ping);
	for (long serial = 1; answered && serial <= count; ++serial) {
		SendPing(display, window, ping, serial);
		answered = AwaitAnswer(display, window, protocols, ping, serial, end);
	}
	XCloseDisplay(display);
	if (!answered) std::fprintf(stderr, "x11_ping: window %s did not answer\n", argv[1]);
	return answered ? 0 : 1;
}
