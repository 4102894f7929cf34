// node_host.cpp: what the GLFW host and the C library do their own way, for
// tests under node.
//
// The desktop's half (host/glfw_desktop.cpp, host/save_dir_lock.cpp) needs
// processes and X11, the browser's (host/web/web_host.cpp) a page. Under node
// the tests drive every pass themselves and nothing else runs.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "host/kx_game.h"
#include "host/single_game.h"

// NOTE: Emscripten's file mode mask starts at 0777, which makes every file
// written unreadable; the tests get the usual 022, as the browser's game does.
[[maybe_unused]] const mode_t startMask = umask(S_IWGRP | S_IWOTH);

// The tests run the passes.
void KxGlfwGame::RunFrames() {}

// There is nothing to open a URL with.
void KxGlfwGame::OpenUrl(String) {}

// One test program owns its scratch directories.
bool kxClaimSaveDirectory(int*) {
	return true;
}

// No other game runs.
bool kxShowRunningGame(int) {
	return false;
}

// NOTE: Emscripten's C library declares at_quick_exit but has neither it nor
// quick_exit, so there is no quick exit for the exit check to watch.
extern "C" int at_quick_exit(void (*)()) {
	return 0;
}

// NOTE: Emscripten's C library names a temporary directory after the clock's
// millisecond and gives up when that name is taken, so two scratch
// directories made within one millisecond would end the tests: here the
// names count up from the time instead.
extern "C" char* mkdtemp(char* pattern) {
	static unsigned serial = static_cast<unsigned>(std::time(nullptr));
	size_t length = std::strlen(pattern);
	if (length < 6 || std::strcmp(pattern + length - 6, "XXXXXX") != 0) {
		errno = EINVAL;
		return nullptr;
	}
	for (int tries = 0; tries < 1000; ++tries) {
		std::snprintf(pattern + length - 6, 7, "%06x", serial++ & 0xffffffu);
		if (mkdir(pattern, 0700) == 0) return pattern;
		if (errno != EEXIST) return nullptr;
	}
	return nullptr;
}
