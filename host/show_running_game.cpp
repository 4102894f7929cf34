// show_running_game.cpp: brings a running game's window forward, on X11.
//
// The game's window is the one that carries the game's process id
// (_NET_WM_PID) and its window class. Under a window manager it is activated
// as task bars and pagers do, by a _NET_ACTIVE_WINDOW request to the root
// window: the manager restores it when it is minimised, raises and focuses
// it. Without one nobody would act on that request, so the window is raised
// and focused here.
#include "host/single_game.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>
#include <vector>

#include "host/desktop_identity.h"

namespace {

// The source of an activation request: a pager or task bar, acting for the
// user (a second start is the player's own request).
const long SOURCE_PAGER = 2;
// Properties and client messages of 32-bit items.
const int FORMAT_32 = 32;
// Most items read from one property.
const long MAX_ITEMS = 4096;

// X errors are expected here (the window may close meanwhile) and ignored.
int ignoreError(Display*, XErrorEvent*) {
	return 0;
}

// The items of a 32-bit property of a window (Xlib hands them out as longs).
std::vector<unsigned long> property32(Display* display, Window window, const char* name, Atom type) {
	Atom actualType = None;
	int format = 0;
	unsigned long count = 0, after = 0;
	unsigned char* data = nullptr;
	std::vector<unsigned long> items;
	Atom property = XInternAtom(display, name, False);
	if (XGetWindowProperty(display, window, property, 0, MAX_ITEMS, False, type, &actualType, &format, &count,
	                       &after, &data) != Success) {
		return items;
	}
	if (data && actualType == type && format == FORMAT_32) {
		const unsigned long* values = reinterpret_cast<const unsigned long*>(data);
		items.assign(values, values + count);
	}
	if (data) XFree(data);
	return items;
}

// The windows that may be the game's: the window manager's list of clients,
// then the top-level windows (the clients themselves without a manager).
std::vector<Window> candidateWindows(Display* display) {
	Window root = DefaultRootWindow(display);
	std::vector<unsigned long> clients = property32(display, root, "_NET_CLIENT_LIST", XA_WINDOW);
	std::vector<Window> windows(clients.begin(), clients.end());
	Window rootReturn = None, parent = None;
	Window* children = nullptr;
	unsigned int count = 0;
	if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) && children) {
		windows.insert(windows.end(), children, children + count);
		XFree(children);
	}
	return windows;
}

// True when the window belongs to the game running as process pid.
bool isGameWindow(Display* display, Window window, int pid) {
	std::vector<unsigned long> pids = property32(display, window, "_NET_WM_PID", XA_CARDINAL);
	if (pids.size() != 1 || pids[0] != static_cast<unsigned long>(pid)) return false;
	XClassHint hint = {};
	if (!XGetClassHint(display, window, &hint)) return false;
	bool game = hint.res_class && std::strcmp(hint.res_class, WINDOW_CLASS) == 0;
	if (hint.res_name) XFree(hint.res_name);
	if (hint.res_class) XFree(hint.res_class);
	return game;
}

// The window of the game running as process pid, or None.
Window findGameWindow(Display* display, int pid) {
	for (Window window : candidateWindows(display)) {
		if (isGameWindow(display, window, pid)) return window;
	}
	return None;
}

// True when a window manager runs: it alone redirects the root's children.
bool windowManagerRuns(Display* display) {
	XWindowAttributes root = {};
	return XGetWindowAttributes(display, DefaultRootWindow(display), &root) &&
	       (root.all_event_masks & SubstructureRedirectMask);
}

// Asks the window manager to activate the window.
void requestActivation(Display* display, Window window) {
	XEvent event = {};
	event.xclient.type = ClientMessage;
	event.xclient.window = window;
	event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
	event.xclient.format = FORMAT_32;
	event.xclient.data.l[0] = SOURCE_PAGER;
	event.xclient.data.l[1] = CurrentTime;
	event.xclient.data.l[2] = None;
	XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
	           &event);
}

// Raises the window and, when it is on the screen, gives it the focus.
void raiseAndFocus(Display* display, Window window) {
	XRaiseWindow(display, window);
	XWindowAttributes attributes = {};
	if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable) {
		XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
	}
}

}  // namespace

bool kxShowRunningGame(int pid) {
	if (pid <= 0) return false;
	Display* display = XOpenDisplay(nullptr);
	if (!display) return false;
	XErrorHandler previous = XSetErrorHandler(ignoreError);
	Window game = findGameWindow(display, pid);
	if (game != None && windowManagerRuns(display)) {
		requestActivation(display, game);
	} else if (game != None) {
		raiseAndFocus(display, game);
	}
	XSync(display, False);
	XSetErrorHandler(previous);
	XCloseDisplay(display);
	return game != None;
}
