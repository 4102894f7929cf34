// save_loop.cpp: saves two texts in turn through the game's save path until
// it is killed, for the scenario that kills a process in the middle of a save.
//
// Started as "save_loop FILE_A FILE_B" in a working directory, it reads both
// files as texts and then writes them alternately with kx_app_SaveState into
// ./.velmarstate, without pause. It prints "saving" once the first save is
// done. A save that fails ends it with status 2; bad arguments give status 1.
#include <cstdio>

#include "host/app.h"
#include "host/kx_game.h"
#include "support/fixtures.h"

namespace {

const int EXIT_USAGE = 1;
const int EXIT_SAVE_FAILED = 2;
const int TEXTS = 2;

}  // namespace

// The game's module initialiser, unused: no application runs here.
void kxInit() {}

// The game's module main, unused too.
int kxMain() {
	return 0;
}

// Reads the two texts, then saves them in turn until killed.
int main(int argc, char** argv) {
	if (argc != 1 + TEXTS) {
		std::fprintf(stderr, "usage: save_loop FILE_A FILE_B\n");
		return EXIT_USAGE;
	}
	EnsureTestHost();
	kx_app__game = KxGlfwGame::_glfwGame;
	String texts[TEXTS] = {kx_app__game->LoadString(String(argv[1])), kx_app__game->LoadString(String(argv[2]))};
	for (unsigned long n = 0;; ++n) {
		if (kx_app_SaveState(texts[n % TEXTS]) != 0) return EXIT_SAVE_FAILED;
		if (n == 0) {
			std::printf("saving\n");
			std::fflush(stdout);
		}
	}
}
