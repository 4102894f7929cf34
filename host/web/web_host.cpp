// web_host.cpp: the GLFW host in a browser: the program's entry, the platform
// under the GLFW layer, the frame passes run by the browser, the renderer's
// read-back, "open", and the claim of the saves. The page side of each lives
// in web_host.js and web/index.html.
//
// The game, the runtime and the host above this file are the desktop's: only
// what a browser cannot do the desktop's way is done here. A browser never
// lets a program sleep or block: it calls the program once per animation
// frame, so the loop of passes becomes that callback, sleeping becomes
// waiting for a later frame, and the window's focus is the page's visibility.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>
#include <sys/stat.h>

#include "graphics/gl_api.h"
#include "host/glfw2.h"
#include "host/kx_game.h"
#include "host/single_game.h"
#include "runtime/errors.h"

using namespace glfw2;

// The page side (web_host.js).
extern "C" {
// Fits the canvas to the page, follows the page's size, keys and full screen.
void web_host_start();
// Opens a URL (UTF-8) in a new tab that cannot reach this page.
void web_open_url(const char* url);
}

namespace {

// A pass starts on the first animation frame that comes at most this long
// before its update is due: one pass a frame on a 60 Hz screen, one every
// other frame at 120 Hz.
const double FRAME_SLACK = 1.0 / 120.0;

// The browser's platform: frames are paced by the browser, events arrive
// between frames, and the window is active while the page is visible.
class WebPlatform : public Glfw2Platform {
public:
	void Sleep(double) override {}
	void WaitEvents() override {}
	bool WindowActive() override {
		EmscriptenVisibilityChangeEvent status;
		return emscripten_get_visibility_status(&status) != EMSCRIPTEN_RESULT_SUCCESS || !status.hidden;
	}
};

WebPlatform webPlatform;

// Reads pixels; a read in GL_BGRA, which WebGL refuses, is read in GL_RGBA
// and has its red and blue bytes swapped.
void readPixelsRgba(GLint x, GLint y, GLsizei w, GLsizei h, GLenum format, GLenum type, void* pixels) {
	bool bgra = format == GL_BGRA && type == GL_UNSIGNED_BYTE;
	kx_gl_native.ReadPixels(x, y, w, h, bgra ? GL_RGBA : format, type, pixels);
	if (!bgra || w <= 0 || h <= 0) return;
	unsigned char* p = static_cast<unsigned char*>(pixels);
	unsigned char* end = p + static_cast<size_t>(w) * h * 4;
	for (; p < end; p += 4) {
		unsigned char red = p[0];
		p[0] = p[2];
		p[2] = red;
	}
}

// One animation frame: the pass runs once its update is (nearly) due.
void onAnimationFrame(void* game) {
	KxGlfwGame* host = static_cast<KxGlfwGame*>(game);
	if (host->FrameWait() <= FRAME_SLACK) host->RunFrame();
}

// NOTE: a hidden page gets no animation frames, so the pass that suspends
// the game (which saves and pauses the sound) runs at once from the event.
EM_BOOL onVisibilityChange(int, const EmscriptenVisibilityChangeEvent* status, void* game) {
	if (status->hidden) static_cast<KxGlfwGame*>(game)->RunFrame();
	return EM_FALSE;
}

}  // namespace

//----------------------------------------------------------------------------
// Frame loop and "open"
//----------------------------------------------------------------------------

// The browser calls a pass per animation frame; this returns to the browser
// at once (the code after Run never runs).
void KxGlfwGame::RunFrames() {
	emscripten_set_visibilitychange_callback(this, EM_FALSE, onVisibilityChange);
	emscripten_set_main_loop_arg(onAnimationFrame, this, 0, EM_TRUE);
}

void KxGlfwGame::OpenUrl(String url) {
	web_open_url(url.ToUtf8().c_str());
}

//----------------------------------------------------------------------------
// One game per browser profile
//----------------------------------------------------------------------------

// NOTE: the page holds the profile's Web Lock before it loads the game
// (web/index.html), so a game that runs has the claim already; a second tab
// is refused by the page, before any game of its own starts.
bool kxClaimSaveDirectory(int*) {
	return true;
}

// No second game runs, so there is no first one to show.
bool kxShowRunningGame(int) {
	return false;
}

//----------------------------------------------------------------------------
// Entry
//----------------------------------------------------------------------------

// A fault the browser stopped (a WebAssembly trap), reported as the desktop
// reports the signal of the same fault; called by the page.
extern "C" EMSCRIPTEN_KEEPALIVE void web_host_fault(int signal) {
	sighandle(signal);
}

// NOTE: a browser's program has no parent to inherit a file mode mask from,
// and Emscripten's starts at 0777, which would make every file the game
// writes unreadable (the state file first): it gets the usual 022.
int main(int argc, const char** argv) {
	umask(S_IWGRP | S_IWOTH);
	glfw2SetPlatform(&webPlatform);
	kx_gl.ReadPixels = readPixelsRgba;
	web_host_start();
	KxVelmarGame::Main(argc, argv);
	return 0;
}
