// x_client.h: what the window tests ask of the X server and of xdotool.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct _XDisplay;

// Runs a shell command; its standard output, trimmed of the last line end.
std::string runCommand(const std::string& command);
// The id of the (last) window with exactly this title, or "" after a timeout.
std::string findWindow(const std::string& title);
// Asks the window to close, as a window manager's close button does.
void requestClose(const std::string& windowId);

// What of a window manager a request to activate a window reaches: the root
// window's children redirected, and its clients listed in _NET_CLIENT_LIST,
// here after a decoy: a window of the game's class from another process.
class ClientListManager {
public:
	explicit ClientListManager(unsigned long client);
	~ClientListManager();
	// The windows and sources of the activation requests received so far.
	std::vector<std::pair<unsigned long, long>> Activations();

private:
	_XDisplay* display;
	unsigned long root;
};
