// x_client.cpp: xdotool, and a window manager's part through Xlib.
#include "x11/x_client.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

std::string runCommand(const std::string& command) {
	std::string out;
	FILE* pipe = popen(command.c_str(), "r");
	if (!pipe) return out;
	char buffer[256];
	while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
	pclose(pipe);
	while (!out.empty() && out.back() == '\n') out.pop_back();
	return out;
}

std::string findWindow(const std::string& title) {
	std::string ids = runCommand("timeout 10 xdotool search --sync --name '^" + title + "$'");
	size_t last = ids.find_last_of('\n');
	return last == std::string::npos ? ids : ids.substr(last + 1);
}

void requestClose(const std::string& windowId) {
	Display* display = XOpenDisplay(nullptr);
	if (!display) return;
	Window window = std::strtoul(windowId.c_str(), nullptr, 10);
	XEvent event = {};
	event.xclient.type = ClientMessage;
	event.xclient.window = window;
	event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
	event.xclient.format = 32;
	event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
	event.xclient.data.l[1] = CurrentTime;
	XSendEvent(display, window, False, NoEventMask, &event);
	XFlush(display);
	XCloseDisplay(display);
}

ClientListManager::ClientListManager(unsigned long client) : display(XOpenDisplay(nullptr)) {
	root = DefaultRootWindow(display);
	Window decoy = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
	char instance[] = "zimbolo", name[] = "Zimbolo";
	XClassHint hint = {instance, name};
	XSetClassHint(display, decoy, &hint);
	long pid = getpid();
	XChangeProperty(display, decoy, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
	                reinterpret_cast<unsigned char*>(&pid), 1);
	Window clients[] = {decoy, client};
	XChangeProperty(display, root, XInternAtom(display, "_NET_CLIENT_LIST", False), XA_WINDOW, 32,
	                PropModeReplace, reinterpret_cast<unsigned char*>(clients), 2);
	XSelectInput(display, root, SubstructureRedirectMask);
	XSync(display, False);
}

ClientListManager::~ClientListManager() {
	XDeleteProperty(display, root, XInternAtom(display, "_NET_CLIENT_LIST", False));
	XCloseDisplay(display);
}

std::vector<std::pair<unsigned long, long>> ClientListManager::Activations() {
	Atom activate = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
	std::vector<std::pair<unsigned long, long>> requests;
	XSync(display, False);
	while (XPending(display)) {
		XEvent event;
		XNextEvent(display, &event);
		if (event.type == ClientMessage && event.xclient.message_type == activate) {
			requests.emplace_back(event.xclient.window, event.xclient.data.l[0]);
		}
	}
	return requests;
}
