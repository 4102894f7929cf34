// glfw_desktop.cpp: what the GLFW host does its own way on the desktop: the
// loop that runs the frame passes, and the shell's "open" (xdg-open). A
// browser build has its own (host/web/web_host.cpp).
#include "host/kx_game.h"

#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "host/glfw2.h"

using namespace glfw2;

extern char** environ;

namespace {

// Children started by OpenUrl that have not been reaped yet.
std::vector<pid_t> openers;

// Collects the openers that have ended, without waiting for the others.
void reapOpeners() {
	if (openers.empty()) return;
	std::vector<pid_t> running;
	for (pid_t pid : openers) {
		int status = 0;
		if (waitpid(pid, &status, WNOHANG) == 0) running.push_back(pid);
	}
	openers.swap(running);
}

}  // namespace

//----------------------------------------------------------------------------
// Frame loop
//----------------------------------------------------------------------------

// Passes follow each other until the window is gone.
void KxGlfwGame::RunFrames() {
	while (glfwGetWindowParam(GLFW_OPENED)) {
		reapOpeners();
		RunFrame();
	}
}

//----------------------------------------------------------------------------
// The shell's "open"
//----------------------------------------------------------------------------

// NOTE: the URL is one argument of xdg-open, never text for a shell, and
// nothing waits for the child; finished children are reaped on later calls
// and by the frame loop.
void KxGlfwGame::OpenUrl(String url) {
	reapOpeners();
	std::string target = url.ToNarrow();
	char program[] = "xdg-open";
	char* args[] = {program, &target[0], nullptr};
	pid_t pid = 0;
	if (posix_spawnp(&pid, program, nullptr, nullptr, args, environ) == 0) openers.push_back(pid);
}
