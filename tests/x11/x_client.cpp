// x_client.cpp: xdotool and a WM_DELETE_WINDOW request through Xlib.
#include "x11/x_client.h"

#include <X11/Xlib.h>

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
