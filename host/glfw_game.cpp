// glfw_game.cpp: the GLFW host: window, frame passes, time, display modes,
// joysticks and the window-system callbacks.
#include "host/kx_game.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "host/game_event.h"
#include "host/glfw2.h"
#include "input/key_codes.h"
#include "input/key_translation.h"

using namespace glfw2;

//----------------------------------------------------------------------------
// Globals
//----------------------------------------------------------------------------

int glfwGraphicsSeq;
KxGlfwGame* KxGlfwGame::_glfwGame;

namespace {

// Most video modes asked of GLFW.
const int MAX_VIDEO_MODES = 1024;
// Most updates one pass runs to catch up with the schedule.
const int MAX_CATCH_UP_UPDATES = 4;
// Axes and buttons read from one joystick.
const int JOY_AXES_READ = 6;
// Pads with more buttons report their hat as the last four.
const int JOY_HAT_LAYOUT_MIN = 13;
const int JOY_HAT_BUTTONS = 4;
// Buttons kept in place ahead of the hat, and where the hat lands.
const int JOY_FRONT_BUTTONS = 8;
// Two pad layouts whose second stick needs a fix-up.
const int JOY_LAYOUT_A_BUTTONS = 14;
const int JOY_LAYOUT_A_AXES = 5;
const int JOY_LAYOUT_B_BUTTONS = 18;
const int JOY_LAYOUT_B_AXES = 4;
// The first window, before the desktop's content scale.
const int START_WIDTH = 640;
const int START_HEIGHT = 480;
const int START_COLOUR_BITS = 8;
const int WINDOW_REFRESH_RATE = 60;
const char* const WINDOW_TITLE = "Zimbolo";
// Bit of SetDeviceWindow's flags that asks for full screen.
const int WINDOW_FLAG_FULLSCREEN = 1;
// Exit status when no window can be opened.
const int EXIT_NO_WINDOW = -1;

// A collector display mode for a GLFW video mode.
KxDisplayMode* displayMode(const GLFWvidmode& mode) {
	KxDisplayMode* out = new KxDisplayMode;
	out->width = mode.Width;
	out->height = mode.Height;
	return out;
}

// A collector copy of a GLFW video mode.
KxGlfwVideoMode* glfwVideoMode(const GLFWvidmode& mode) {
	KxGlfwVideoMode* out = new KxGlfwVideoMode;
	out->Width = mode.Width;
	out->Height = mode.Height;
	out->RedBits = mode.RedBits;
	out->GreenBits = mode.GreenBits;
	out->BlueBits = mode.BlueBits;
	return out;
}

// The video modes GLFW reports, at most MAX_VIDEO_MODES.
std::vector<GLFWvidmode> videoModes() {
	std::vector<GLFWvidmode> modes(MAX_VIDEO_MODES);
	modes.resize(glfwGetVideoModes(modes.data(), MAX_VIDEO_MODES));
	return modes;
}

// Copies joystick button states s[from, from + count) to buttons[to, ...).
void copyButtons(const unsigned char* s, int from, int count, Array<bool> buttons, int to) {
	for (int i = 0; i < count; ++i) buttons[to + i] = s[from + i] == GLFW_PRESS;
}

}  // namespace

//----------------------------------------------------------------------------
// Settings and queries
//----------------------------------------------------------------------------

KxGlfwGame::KxGlfwGame() {}

void KxGlfwGame::SetUpdateRate(int rate) {
	KxGame::SetUpdateRate(rate);
	if (rate) _updatePeriod = 1.0 / rate;
	_nextUpdate = 0.0;
}

int KxGlfwGame::Millisecs() {
	return static_cast<int>(glfwGetTime() * 1000.0);
}

void KxGlfwGame::SetMouseVisible(bool visible) {
	if (visible) {
		glfwEnable(GLFW_MOUSE_CURSOR);
	} else {
		glfwDisable(GLFW_MOUSE_CURSOR);
	}
}

int KxGlfwGame::GetDeviceWidth() {
	int width, height;
	glfwGetWindowSize(&width, &height);
	return width;
}

int KxGlfwGame::GetDeviceHeight() {
	int width, height;
	glfwGetWindowSize(&width, &height);
	return height;
}

void KxGlfwGame::SetDeviceWindow(int width, int height, int flags) {
	SetGlfwWindow(width, height, START_COLOUR_BITS, START_COLOUR_BITS, START_COLOUR_BITS, 0, 0, 0,
	              (flags & WINDOW_FLAG_FULLSCREEN) != 0);
}

Array<KxDisplayMode*> KxGlfwGame::GetDisplayModes() {
	std::vector<GLFWvidmode> modes = videoModes();
	Array<KxDisplayMode*> out(static_cast<int>(modes.size()));
	for (int i = 0; i < out.Length(); ++i) gc_assign(out[i], displayMode(modes[i]));
	return out;
}

KxDisplayMode* KxGlfwGame::GetDesktopMode() {
	GLFWvidmode mode;
	glfwGetDesktopMode(&mode);
	return displayMode(mode);
}

KxGlfwVideoMode* KxGlfwGame::GetGlfwDesktopMode() {
	GLFWvidmode mode;
	glfwGetDesktopMode(&mode);
	return glfwVideoMode(mode);
}

Array<KxGlfwVideoMode*> KxGlfwGame::GetGlfwVideoModes() {
	std::vector<GLFWvidmode> modes = videoModes();
	Array<KxGlfwVideoMode*> out(static_cast<int>(modes.size()));
	for (int i = 0; i < out.Length(); ++i) gc_assign(out[i], glfwVideoMode(modes[i]));
	return out;
}

// NOTE: the scale is capped where the window would outgrow the desktop, so
// that the centred window stays on it, and a scale below 1 keeps the size.
void KxGlfwGame::ScaleToDesktop(int* width, int* height) {
	KxGlfwVideoMode* desktop = GetGlfwDesktopMode();
	double scale = glfw2GetContentScale();
	scale = std::min({scale, static_cast<double>(desktop->Width) / *width,
	                  static_cast<double>(desktop->Height) / *height});
	if (!(scale > 1.0)) return;
	*width = static_cast<int>(std::lround(*width * scale));
	*height = static_cast<int>(std::lround(*height * scale));
}

void KxGlfwGame::SetSwapInterval(int interval) {
	_swapInterval = interval;
	if (interval >= 0) glfwSwapInterval(interval);
}

//----------------------------------------------------------------------------
// Joysticks
//----------------------------------------------------------------------------

bool KxGlfwGame::PollJoystick(int port, Array<float> x, Array<float> y, Array<float> z, Array<bool> buttons) {
	if (!glfwGetJoystickParam(port, GLFW_PRESENT)) return false;
	float a[JOY_AXES_READ] = {};
	int axes = glfwGetJoystickPos(port, a, JOY_AXES_READ);
	x[0] = a[0];
	y[0] = a[1];
	z[0] = a[2];
	x[1] = a[3];
	y[1] = a[4];
	z[1] = a[5];
	unsigned char s[JOY_BUTTONS] = {};
	int n = glfwGetJoystickButtons(port, s, JOY_BUTTONS);
	if (n < JOY_HAT_LAYOUT_MIN) {
		copyButtons(s, 0, n, buttons, 0);
	} else {
		// The hat, reported as the last four buttons, becomes buttons 8-11.
		copyButtons(s, 0, JOY_FRONT_BUTTONS, buttons, 0);
		copyButtons(s, n - JOY_HAT_BUTTONS, JOY_HAT_BUTTONS, buttons, JOY_FRONT_BUTTONS);
		copyButtons(s, JOY_FRONT_BUTTONS, n - JOY_FRONT_BUTTONS - JOY_HAT_BUTTONS, buttons,
		            JOY_FRONT_BUTTONS + JOY_HAT_BUTTONS);
	}
	if (n == JOY_LAYOUT_A_BUTTONS && axes == JOY_LAYOUT_A_AXES) {
		x[1] = a[4];
		y[1] = -a[3];
	}
	if (n == JOY_LAYOUT_B_BUTTONS && axes == JOY_LAYOUT_B_AXES) y[1] = -z[0];
	return true;
}

//----------------------------------------------------------------------------
// Window
//----------------------------------------------------------------------------

void KxGlfwGame::SetGlfwWindow(int width, int height, int red, int green, int blue, int alpha, int depth,
                               int stencil, bool fullscreen) {
	for (int key = 0; key <= GLFW_KEY_LAST; ++key) {
		int code = TransKey(key);
		if (code && glfwGetKey(key) == GLFW_PRESS) KeyEvent(c_KxGameEvent::EVENT_KEY_UP, code);
	}
	GLFWvidmode desktop;
	glfwGetDesktopMode(&desktop);
	glfwCloseWindow();
	glfwOpenWindowHint(GLFW_REFRESH_RATE, WINDOW_REFRESH_RATE);
	glfwOpenWindowHint(GLFW_WINDOW_NO_RESIZE, 0);
	int mode = fullscreen ? GLFW_FULLSCREEN : GLFW_WINDOW;
	// NOTE: a window that cannot be opened ends the program as a failed
	// start; carrying on would end the loop at once and report success.
	if (!glfwOpenWindow(width, height, red, green, blue, alpha, depth, stencil, mode)) {
		puts("glfwOpenWindow failed");
		glfw2ReportError();
		exit(EXIT_NO_WINDOW);
	}
	++glfwGraphicsSeq;
	if (!fullscreen) glfwSetWindowPos((desktop.Width - width) / 2, (desktop.Height - height) / 2);
	// NOTE: the full-screen window is named too: task bars and window
	// switchers show it, and GLFW's own default title would stand there.
	glfwSetWindowTitle(WINDOW_TITLE);
	if (_swapInterval >= 0) glfwSwapInterval(_swapInterval);
	glfwEnable(GLFW_KEY_REPEAT);
	glfwDisable(GLFW_AUTO_POLL_EVENTS);
	glfwSetKeyCallback(OnKey);
	glfwSetCharCallback(OnChar);
	glfwSetMouseButtonCallback(OnMouseButton);
	glfwSetMousePosCallback(OnMousePos);
	glfwSetWindowCloseCallback(OnWindowClose);
}

//----------------------------------------------------------------------------
// Frame loop
//----------------------------------------------------------------------------

void KxGlfwGame::Run() {
	int width = START_WIDTH;
	int height = START_HEIGHT;
	ScaleToDesktop(&width, &height);
	SetGlfwWindow(width, height, START_COLOUR_BITS, START_COLOUR_BITS, START_COLOUR_BITS, 0, 0, 0, false);
	StartGame();
	RunFrames();
}

// Until the next update is due, or 0 when none is scheduled.
double KxGlfwGame::FrameWait() {
	return _nextUpdate == 0.0 ? 0.0 : _nextUpdate - glfwGetTime();
}

void KxGlfwGame::RunFrame() {
	RenderGame();
	glfwSwapBuffers();
	double wait = FrameWait();
	if (wait > 0.0) glfwSleep(wait);
	if (_suspended) {
		glfwWaitEvents();
	} else {
		glfwPollEvents();
	}
	if (glfwGetWindowParam(GLFW_ACTIVE)) {
		if (_suspended) {
			ResumeGame();
			_nextUpdate = 0.0;
		}
	} else if (!_suspended) {
		SuspendGame();
		_nextUpdate = 0.0;
	}
	if (_suspended) return;
	if (_updateRate == 0) {
		UpdateGame();
		return;
	}
	if (_nextUpdate == 0.0) _nextUpdate = glfwGetTime();
	// Catch up; a backlog beyond MAX_CATCH_UP_UPDATES is dropped.
	for (int update = 1;; ++update) {
		UpdateGame();
		if (_nextUpdate == 0.0) return;
		_nextUpdate += _updatePeriod;
		if (glfwGetTime() < _nextUpdate) return;
		if (update == MAX_CATCH_UP_UPDATES) {
			_nextUpdate = 0.0;
			return;
		}
	}
}

//----------------------------------------------------------------------------
// Callbacks
//----------------------------------------------------------------------------

void KxGlfwGame::OnKey(int key, int action) {
	int code = TransKey(key);
	if (!code) return;
	if (action == GLFW_RELEASE) {
		_glfwGame->KeyEvent(c_KxGameEvent::EVENT_KEY_UP, code);
		return;
	}
	_glfwGame->KeyEvent(c_KxGameEvent::EVENT_KEY_DOWN, code);
	int chr = KeyToChar(code);
	if (chr) _glfwGame->KeyEvent(c_KxGameEvent::EVENT_KEY_CHAR, chr);
}

void KxGlfwGame::OnChar(int chr, int action) {
	if (action == GLFW_PRESS) _glfwGame->KeyEvent(c_KxGameEvent::EVENT_KEY_CHAR, chr);
}

void KxGlfwGame::OnMouseButton(int button, int action) {
	if (button < GLFW_MOUSE_BUTTON_LEFT || button > GLFW_MOUSE_BUTTON_MIDDLE) return;
	int x, y;
	glfwGetMousePos(&x, &y);
	int event = action == GLFW_RELEASE ? c_KxGameEvent::EVENT_MOUSE_UP : c_KxGameEvent::EVENT_MOUSE_DOWN;
	_glfwGame->MouseEvent(event, button, static_cast<float>(x), static_cast<float>(y));
}

void KxGlfwGame::OnMousePos(int x, int y) {
	_glfwGame->MouseEvent(c_KxGameEvent::EVENT_MOUSE_MOVE, -1, static_cast<float>(x), static_cast<float>(y));
}

// The application decides about closing: the window stays open.
int KxGlfwGame::OnWindowClose() {
	_glfwGame->KeyEvent(c_KxGameEvent::EVENT_KEY_DOWN, KEY_CLOSE);
	_glfwGame->KeyEvent(c_KxGameEvent::EVENT_KEY_UP, KEY_CLOSE);
	return 0;
}
