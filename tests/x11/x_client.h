// x_client.h: what the window tests ask of the X server and of xdotool.
#pragma once

#include <string>

// Runs a shell command; its standard output, trimmed of the last line end.
std::string runCommand(const std::string& command);
// The id of the (last) window with exactly this title, or "" after a timeout.
std::string findWindow(const std::string& title);
// Asks the window to close, as a window manager's close button does.
void requestClose(const std::string& windowId);
