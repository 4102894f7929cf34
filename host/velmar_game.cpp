// velmar_game.cpp: the life of the process, from the window system's start
// to the end of the frame loop.
#include "host/kx_game.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "host/desktop_identity.h"
#include "host/glfw2.h"
#include "host/single_game.h"
#include "runtime/errors.h"
#include "runtime/gc.h"

using namespace glfw2;

// The process arguments, for the translated program.
int argc;
const char** argv;

namespace {

// Exit status when the window system cannot start.
const int EXIT_NO_WINDOW_SYSTEM = -1;

// Another game runs in this save directory: it is brought forward, and this
// start ends as a successful one.
int showRunningGame(int pid) {
	kxShowRunningGame(pid);
	glfwTerminate();
	std::fprintf(stderr, "Zimbolo is already running in this directory\n");
	return 0;
}

}  // namespace

int KxVelmarGame::Main(int argCount, const char** args, BeforeRun beforeRun) {
	if (!glfwInit()) {
		puts("glfwInit failed");
		glfw2ReportError();
		exit(EXIT_NO_WINDOW_SYSTEM);
	}
	int runningGame = 0;
	if (!kxClaimSaveDirectory(&runningGame)) return showRunningGame(runningGame);
	KxVelmarGame* game = new KxVelmarGame();
	KxGame::_game = game;
	KxGlfwGame::_glfwGame = game;
	kxSetDesktopIdentity();
	argc = argCount;
	argv = args;
	kx_install_signal_handlers();
	if (!setlocale(LC_CTYPE, "en_US.UTF-8")) setlocale(LC_CTYPE, "");
	gc_init1();
	try {
		kxInit();
		gc_mark();
		kxMain();
		if (beforeRun) beforeRun(game);
		if (game->Delegate()) game->Run();
	} catch (ThrowableObject* exception) {
		glfwTerminate();
		game->Die(exception);
	}
	glfwTerminate();
	return 0;
}
