// glfw2.cpp: the GLFW 2.7 interface over one GLFW 3 window.
#include "host/glfw2.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace {

// GLFW 2.7 values whose names the GLFW 3 header below takes for its own macros.
const int kPress2 = glfw2::GLFW_PRESS;
const int kRelease2 = glfw2::GLFW_RELEASE;
const int kHintRefreshRate2 = glfw2::GLFW_REFRESH_RATE;
const int kKeyLast2 = glfw2::GLFW_KEY_LAST;
const int kIconified2 = glfw2::GLFW_ICONIFIED;

}  // namespace

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

namespace {

//----------------------------------------------------------------------------
// Key numbering
//----------------------------------------------------------------------------

// GLFW 3 keys in the order of the GLFW 2.7 special keys, which count on from
// GLFW_KEY_SPECIAL + 1 (escape) to the menu key.
const int kSpecialKeys3[] = {
	GLFW_KEY_ESCAPE,
	GLFW_KEY_F1, GLFW_KEY_F2, GLFW_KEY_F3, GLFW_KEY_F4, GLFW_KEY_F5, GLFW_KEY_F6, GLFW_KEY_F7,
	GLFW_KEY_F8, GLFW_KEY_F9, GLFW_KEY_F10, GLFW_KEY_F11, GLFW_KEY_F12, GLFW_KEY_F13, GLFW_KEY_F14,
	GLFW_KEY_F15, GLFW_KEY_F16, GLFW_KEY_F17, GLFW_KEY_F18, GLFW_KEY_F19, GLFW_KEY_F20, GLFW_KEY_F21,
	GLFW_KEY_F22, GLFW_KEY_F23, GLFW_KEY_F24, GLFW_KEY_F25,
	GLFW_KEY_UP, GLFW_KEY_DOWN, GLFW_KEY_LEFT, GLFW_KEY_RIGHT,
	GLFW_KEY_LEFT_SHIFT, GLFW_KEY_RIGHT_SHIFT, GLFW_KEY_LEFT_CONTROL, GLFW_KEY_RIGHT_CONTROL,
	GLFW_KEY_LEFT_ALT, GLFW_KEY_RIGHT_ALT,
	GLFW_KEY_TAB, GLFW_KEY_ENTER, GLFW_KEY_BACKSPACE, GLFW_KEY_INSERT, GLFW_KEY_DELETE,
	GLFW_KEY_PAGE_UP, GLFW_KEY_PAGE_DOWN, GLFW_KEY_HOME, GLFW_KEY_END,
	GLFW_KEY_KP_0, GLFW_KEY_KP_1, GLFW_KEY_KP_2, GLFW_KEY_KP_3, GLFW_KEY_KP_4,
	GLFW_KEY_KP_5, GLFW_KEY_KP_6, GLFW_KEY_KP_7, GLFW_KEY_KP_8, GLFW_KEY_KP_9,
	GLFW_KEY_KP_DIVIDE, GLFW_KEY_KP_MULTIPLY, GLFW_KEY_KP_SUBTRACT, GLFW_KEY_KP_ADD,
	GLFW_KEY_KP_DECIMAL, GLFW_KEY_KP_EQUAL, GLFW_KEY_KP_ENTER,
	GLFW_KEY_NUM_LOCK, GLFW_KEY_CAPS_LOCK, GLFW_KEY_SCROLL_LOCK, GLFW_KEY_PAUSE,
	GLFW_KEY_LEFT_SUPER, GLFW_KEY_RIGHT_SUPER, GLFW_KEY_MENU,
};
const int kFirstSpecial2 = glfw2::GLFW_KEY_SPECIAL + 1;
static_assert(sizeof kSpecialKeys3 / sizeof kSpecialKeys3[0] == kKeyLast2 - glfw2::GLFW_KEY_SPECIAL,
              "one GLFW 3 key per GLFW 2.7 special key");
// Printable keys have the same code in both numberings (below the special keys).
const int kLastPrintable = glfw2::GLFW_KEY_SPECIAL - 1;

// The GLFW 3 key for a GLFW 2.7 code, or GLFW_KEY_UNKNOWN.
int keyToGlfw3(int key) {
	if (key >= GLFW_KEY_SPACE && key <= kLastPrintable) return key;
	if (key >= kFirstSpecial2 && key <= kKeyLast2) return kSpecialKeys3[key - kFirstSpecial2];
	return GLFW_KEY_UNKNOWN;
}

//----------------------------------------------------------------------------
// State
//----------------------------------------------------------------------------

GLFWwindow* window;
// The desktop's mode when the library started (full screen changes the current one).
GLFWvidmode desktopMode;
// Hints for the next glfwOpenWindow (reset after each).
int hintRefreshRate;
bool hintNoResize;
// What names the windows: their X11 class and instance, and their icon
// (RGBA pixels).
const int kIconPixelBytes = 4;
std::string windowClass;
std::string windowInstance;
std::vector<std::vector<unsigned char>> iconPixels;
std::vector<GLFWimage> icons;
// Switches.
bool keyRepeat;
bool autoPollEvents = true;
bool mouseCursor = true;
// Callbacks.
glfw2::GLFWkeyfun keyCallback;
glfw2::GLFWcharfun charCallback;
glfw2::GLFWmousebuttonfun mouseButtonCallback;
glfw2::GLFWmouseposfun mousePosCallback;
glfw2::GLFWwindowclosefun closeCallback;

glfw2::Glfw2Platform glfw3Platform;
glfw2::Glfw2Platform* platform = &glfw3Platform;

//----------------------------------------------------------------------------
// GLFW 3 callbacks
//----------------------------------------------------------------------------

// A repeat reaches the game as a press with key repeat on, otherwise not at all.
void onKey3(GLFWwindow*, int key, int, int action, int) {
	if (!keyCallback) return;
	if (action == GLFW_REPEAT) {
		if (!keyRepeat) return;
		action = GLFW_PRESS;
	}
	int key2 = glfw2::glfw2KeyFromGlfw3(key);
	if (key2 == GLFW_KEY_UNKNOWN) return;
	keyCallback(key2, action == GLFW_PRESS ? kPress2 : kRelease2);
}

// Characters arrive as presses.
void onChar3(GLFWwindow*, unsigned int codepoint) {
	if (charCallback) charCallback(static_cast<int>(codepoint), kPress2);
}

// Mouse buttons keep their numbers.
void onMouseButton3(GLFWwindow*, int button, int action, int) {
	if (mouseButtonCallback) mouseButtonCallback(button, action == GLFW_PRESS ? kPress2 : kRelease2);
}

// Pointer positions in whole window pixels.
void onCursorPos3(GLFWwindow*, double x, double y) {
	if (mousePosCallback) mousePosCallback(static_cast<int>(x), static_cast<int>(y));
}

// A close callback that returns 0 keeps the window open.
void onClose3(GLFWwindow* w) {
	if (closeCallback && closeCallback() == 0) glfwSetWindowShouldClose(w, GLFW_FALSE);
}

// The GLFW 3 cursor mode for the GLFW_MOUSE_CURSOR switch.
void applyCursorMode() {
	// NOTE: a disabled cursor is hidden but not captured, so the pointer
	// keeps reporting window positions for the game's hit tests.
	if (window) glfwSetInputMode(window, GLFW_CURSOR, mouseCursor ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_HIDDEN);
}

// Turns one of the glfwEnable switches on or off.
void setSwitch(int token, bool on) {
	if (token == glfw2::GLFW_MOUSE_CURSOR) {
		mouseCursor = on;
		applyCursorMode();
	}
	if (token == glfw2::GLFW_KEY_REPEAT) keyRepeat = on;
	if (token == glfw2::GLFW_AUTO_POLL_EVENTS) autoPollEvents = on;
}

// A GLFW 3 video mode in the GLFW 2.7 form.
glfw2::GLFWvidmode toVidmode2(const GLFWvidmode& mode) {
	return glfw2::GLFWvidmode{mode.width, mode.height, mode.redBits, mode.blueBits, mode.greenBits};
}

// Colour depths of 0 ask for the default.
int colourBitsHint(int bits) {
	return bits > 0 ? bits : GLFW_DONT_CARE;
}

// A trigger from GLFW 3's -1 (released) .. 1 to 0 .. 1.
float triggerAxis(float value) {
	return (value + 1.0f) * 0.5f;
}

// The first stick's y axis of a raw joystick, positive downwards in GLFW 3.
const int kRawStickY = 1;

// The number of buttons a raw joystick with count buttons and hats hats
// reports, its first hat included.
// NOTE: the host takes twelve buttons or fewer in place and moves the last
// four of more to buttons 8-11, so a hat after at least eight buttons lands
// on 8-11 either way, where a gamepad's d-pad is.
int rawButtonCount(int count, int hats) {
	if (hats <= 0) return count;
	return (count > glfw2::GLFW2_FRONT_BUTTONS ? count : glfw2::GLFW2_FRONT_BUTTONS) + glfw2::GLFW2_HAT_BUTTONS;
}

}  // namespace

namespace glfw2 {

//----------------------------------------------------------------------------
// Default platform: GLFW 3
//----------------------------------------------------------------------------

double Glfw2Platform::Time() {
	return ::glfwGetTime();
}

void Glfw2Platform::Sleep(double seconds) {
	timespec left;
	left.tv_sec = static_cast<time_t>(seconds);
	left.tv_nsec = static_cast<long>((seconds - static_cast<double>(left.tv_sec)) * 1e9);
	while (nanosleep(&left, &left) == -1 && errno == EINTR) {
	}
}

void Glfw2Platform::PollEvents() {
	::glfwPollEvents();
}

void Glfw2Platform::WaitEvents() {
	::glfwWaitEvents();
}

void Glfw2Platform::SwapBuffers() {
	if (window) ::glfwSwapBuffers(window);
}

void Glfw2Platform::SwapInterval(int interval) {
	if (window) ::glfwSwapInterval(interval);
}

bool Glfw2Platform::WindowOpened() {
	return window && !glfwWindowShouldClose(window);
}

bool Glfw2Platform::WindowActive() {
	return window && glfwGetWindowAttrib(window, GLFW_FOCUSED) && !glfwGetWindowAttrib(window, GLFW_ICONIFIED);
}

// The primary monitor's horizontal scale (X11 takes both from Xft.dpi).
float Glfw2Platform::ContentScale() {
	GLFWmonitor* monitor = glfwGetPrimaryMonitor();
	float x = 1.0f, y = 1.0f;
	if (monitor) glfwGetMonitorContentScale(monitor, &x, &y);
	return x;
}

int Glfw2Platform::JoystickParam(int joy, int param) {
	if (!glfwJoystickPresent(joy)) return 0;
	bool pad = glfwJoystickIsGamepad(joy);
	int count = 0;
	int hats = 0;
	switch (param) {
	case GLFW_PRESENT:
		return 1;
	case GLFW_AXES:
		if (pad) return GLFW2_PAD_AXES;
		glfwGetJoystickAxes(joy, &count);
		return count;
	case GLFW_BUTTONS:
		if (pad) return GLFW2_PAD_BUTTONS;
		::glfwGetJoystickButtons(joy, &count);
		glfwGetJoystickHats(joy, &hats);
		return rawButtonCount(count, hats);
	default:
		return 0;
	}
}

int Glfw2Platform::JoystickPos(int joy, float* pos, int numaxes) {
	int count = 0;
	GLFWgamepadstate state;
	if (!glfwGetGamepadState(joy, &state)) {
		const float* axes = glfwGetJoystickAxes(joy, &count);
		return axes ? glfw2RawAxes(axes, count, pos, numaxes) : 0;
	}
	float classic[GLFW2_PAD_AXES];
	unsigned char buttons[GLFW2_PAD_BUTTONS];
	glfw2ClassicPad(state.buttons, state.axes, buttons, classic);
	int n = GLFW2_PAD_AXES < numaxes ? GLFW2_PAD_AXES : numaxes;
	for (int i = 0; i < n; ++i) pos[i] = classic[i];
	return n;
}

int Glfw2Platform::JoystickButtons(int joy, unsigned char* buttons, int numbuttons) {
	int count = 0;
	int hats = 0;
	GLFWgamepadstate state;
	if (!glfwGetGamepadState(joy, &state)) {
		const unsigned char* states = ::glfwGetJoystickButtons(joy, &count);
		const unsigned char* hat = glfwGetJoystickHats(joy, &hats);
		return states ? glfw2RawButtons(states, count, hat, hats, buttons, numbuttons) : 0;
	}
	float axes[GLFW2_PAD_AXES];
	unsigned char classic[GLFW2_PAD_BUTTONS];
	glfw2ClassicPad(state.buttons, state.axes, classic, axes);
	int n = GLFW2_PAD_BUTTONS < numbuttons ? GLFW2_PAD_BUTTONS : numbuttons;
	for (int i = 0; i < n; ++i) buttons[i] = classic[i];
	return n;
}

//----------------------------------------------------------------------------
// Library
//----------------------------------------------------------------------------

int glfwInit() {
	// A raw joystick's hats are read on their own: glfw2RawButtons places the first.
	glfwInitHint(GLFW_JOYSTICK_HAT_BUTTONS, GLFW_FALSE);
	if (!::glfwInit()) return 0;
	GLFWmonitor* monitor = glfwGetPrimaryMonitor();
	const ::GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
	if (mode) desktopMode = *mode;
	return 1;
}

void glfw2ReportError() {
	const char* description = nullptr;
	if (glfwGetError(&description) == GLFW_NO_ERROR || !description) return;
	std::fflush(stdout);
	std::fprintf(stderr, "%s\n", description);
}

void glfwTerminate() {
	::glfwTerminate();
	window = nullptr;
}

void glfw2SetPlatform(Glfw2Platform* replacement) {
	platform = replacement ? replacement : &glfw3Platform;
}

//----------------------------------------------------------------------------
// Window
//----------------------------------------------------------------------------

int glfwOpenWindow(int width, int height, int redbits, int greenbits, int bluebits, int alphabits,
                   int depthbits, int stencilbits, int mode) {
	if (window) return 0;
	glfwDefaultWindowHints();
	glfwWindowHint(GLFW_RED_BITS, colourBitsHint(redbits));
	glfwWindowHint(GLFW_GREEN_BITS, colourBitsHint(greenbits));
	glfwWindowHint(GLFW_BLUE_BITS, colourBitsHint(bluebits));
	glfwWindowHint(GLFW_ALPHA_BITS, alphabits);
	glfwWindowHint(GLFW_DEPTH_BITS, depthbits);
	glfwWindowHint(GLFW_STENCIL_BITS, stencilbits);
	glfwWindowHint(GLFW_REFRESH_RATE, hintRefreshRate > 0 ? hintRefreshRate : GLFW_DONT_CARE);
	glfwWindowHint(GLFW_RESIZABLE, hintNoResize ? GLFW_FALSE : GLFW_TRUE);
	hintRefreshRate = 0;
	hintNoResize = false;
	// NOTE: without both names GLFW takes the first title for them.
	if (!windowClass.empty()) {
		glfwWindowHintString(GLFW_X11_CLASS_NAME, windowClass.c_str());
		glfwWindowHintString(GLFW_X11_INSTANCE_NAME, windowInstance.c_str());
	}
	GLFWmonitor* monitor = mode == GLFW_FULLSCREEN ? glfwGetPrimaryMonitor() : nullptr;
	window = glfwCreateWindow(width, height, "GLFW Window", monitor, nullptr);
	if (!window) return 0;
	if (!icons.empty()) glfwSetWindowIcon(window, static_cast<int>(icons.size()), icons.data());
	glfwMakeContextCurrent(window);
	::glfwSetKeyCallback(window, onKey3);
	::glfwSetCharCallback(window, onChar3);
	::glfwSetMouseButtonCallback(window, onMouseButton3);
	glfwSetCursorPosCallback(window, onCursorPos3);
	::glfwSetWindowCloseCallback(window, onClose3);
	applyCursorMode();
	return 1;
}

void glfwOpenWindowHint(int target, int hint) {
	if (target == kHintRefreshRate2) hintRefreshRate = hint;
	if (target == GLFW_WINDOW_NO_RESIZE) hintNoResize = hint != 0;
}

void glfwCloseWindow() {
	if (!window) return;
	glfwDestroyWindow(window);
	window = nullptr;
}

void glfwSetWindowCloseCallback(GLFWwindowclosefun callback) {
	closeCallback = callback;
}

void glfwSetWindowTitle(const char* title) {
	if (window) ::glfwSetWindowTitle(window, title);
}

void glfw2SetWindowClass(const char* instance, const char* className) {
	windowInstance = instance;
	windowClass = className;
}

void glfw2SetWindowIcon(const GLFW2image* images, int count) {
	iconPixels.clear();
	icons.clear();
	for (int i = 0; i < count; ++i) {
		const unsigned char* pixels = images[i].pixels;
		size_t bytes = static_cast<size_t>(images[i].width) * images[i].height * kIconPixelBytes;
		iconPixels.emplace_back(pixels, pixels + bytes);
	}
	for (int i = 0; i < count; ++i) icons.push_back(GLFWimage{images[i].width, images[i].height, iconPixels[i].data()});
}

void glfwGetWindowSize(int* width, int* height) {
	*width = 0;
	*height = 0;
	if (window) ::glfwGetWindowSize(window, width, height);
}

void glfwSetWindowPos(int x, int y) {
	if (window) ::glfwSetWindowPos(window, x, y);
}

int glfwGetWindowParam(int param) {
	switch (param) {
	case GLFW_OPENED:
		return platform->WindowOpened();
	case GLFW_ACTIVE:
		return platform->WindowActive();
	case kIconified2:
		return window && glfwGetWindowAttrib(window, GLFW_ICONIFIED);
	default:
		return 0;
	}
}

void glfwSwapBuffers() {
	platform->SwapBuffers();
	if (autoPollEvents) platform->PollEvents();
}

void glfwSwapInterval(int interval) {
	platform->SwapInterval(interval);
}

//----------------------------------------------------------------------------
// Video modes
//----------------------------------------------------------------------------

int glfwGetVideoModes(GLFWvidmode* list, int maxcount) {
	GLFWmonitor* monitor = glfwGetPrimaryMonitor();
	if (!monitor) return 0;
	int count = 0;
	const ::GLFWvidmode* modes = ::glfwGetVideoModes(monitor, &count);
	int n = count < maxcount ? count : maxcount;
	for (int i = 0; i < n; ++i) list[i] = toVidmode2(modes[i]);
	return n;
}

void glfwGetDesktopMode(GLFWvidmode* mode) {
	*mode = toVidmode2(desktopMode);
}

float glfw2GetContentScale() {
	return platform->ContentScale();
}

//----------------------------------------------------------------------------
// Events and input
//----------------------------------------------------------------------------

void glfwPollEvents() {
	platform->PollEvents();
}

void glfwWaitEvents() {
	platform->WaitEvents();
}

int glfwGetKey(int key) {
	int key3 = keyToGlfw3(key);
	if (!window || key3 == GLFW_KEY_UNKNOWN) return kRelease2;
	return ::glfwGetKey(window, key3) == GLFW_PRESS ? kPress2 : kRelease2;
}

void glfwGetMousePos(int* x, int* y) {
	double cx = 0.0, cy = 0.0;
	if (window) glfwGetCursorPos(window, &cx, &cy);
	*x = static_cast<int>(cx);
	*y = static_cast<int>(cy);
}

void glfwSetKeyCallback(GLFWkeyfun callback) {
	keyCallback = callback;
}

void glfwSetCharCallback(GLFWcharfun callback) {
	charCallback = callback;
}

void glfwSetMouseButtonCallback(GLFWmousebuttonfun callback) {
	mouseButtonCallback = callback;
}

void glfwSetMousePosCallback(GLFWmouseposfun callback) {
	mousePosCallback = callback;
}

//----------------------------------------------------------------------------
// Joysticks
//----------------------------------------------------------------------------

int glfwGetJoystickParam(int joy, int param) {
	if (joy < GLFW_JOYSTICK_1 || joy > GLFW_JOYSTICK_LAST) return 0;
	return platform->JoystickParam(joy, param);
}

int glfwGetJoystickPos(int joy, float* pos, int numaxes) {
	if (joy < GLFW_JOYSTICK_1 || joy > GLFW_JOYSTICK_LAST || numaxes <= 0) return 0;
	return platform->JoystickPos(joy, pos, numaxes);
}

int glfwGetJoystickButtons(int joy, unsigned char* buttons, int numbuttons) {
	if (joy < GLFW_JOYSTICK_1 || joy > GLFW_JOYSTICK_LAST || numbuttons <= 0) return 0;
	return platform->JoystickButtons(joy, buttons, numbuttons);
}

//----------------------------------------------------------------------------
// Time and switches
//----------------------------------------------------------------------------

double glfwGetTime() {
	return platform->Time();
}

void glfwSleep(double time) {
	if (time > 0.0) platform->Sleep(time);
}

void glfwEnable(int token) {
	setSwitch(token, true);
}

void glfwDisable(int token) {
	setSwitch(token, false);
}

//----------------------------------------------------------------------------
// Translation
//----------------------------------------------------------------------------

int glfw2KeyFromGlfw3(int key) {
	if (key >= GLFW_KEY_SPACE && key <= kLastPrintable) return key;
	for (int i = 0; i <= kKeyLast2 - kFirstSpecial2; ++i) {
		if (kSpecialKeys3[i] == key) return kFirstSpecial2 + i;
	}
	return GLFW_KEY_UNKNOWN;
}

void glfw2ClassicPad(const unsigned char* buttons3, const float* axes3, unsigned char* buttons, float* axes) {
	static const int order[GLFW2_PAD_BUTTONS] = {
		GLFW_GAMEPAD_BUTTON_A, GLFW_GAMEPAD_BUTTON_B, GLFW_GAMEPAD_BUTTON_X, GLFW_GAMEPAD_BUTTON_Y,
		GLFW_GAMEPAD_BUTTON_LEFT_BUMPER, GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER,
		GLFW_GAMEPAD_BUTTON_BACK, GLFW_GAMEPAD_BUTTON_START,
		GLFW_GAMEPAD_BUTTON_LEFT_THUMB, GLFW_GAMEPAD_BUTTON_RIGHT_THUMB,
		GLFW_GAMEPAD_BUTTON_DPAD_LEFT, GLFW_GAMEPAD_BUTTON_DPAD_UP,
		GLFW_GAMEPAD_BUTTON_DPAD_RIGHT, GLFW_GAMEPAD_BUTTON_DPAD_DOWN,
	};
	for (int i = 0; i < GLFW2_PAD_BUTTONS; ++i) buttons[i] = buttons3[order[i]] == GLFW_PRESS ? kPress2 : kRelease2;
	axes[0] = axes3[GLFW_GAMEPAD_AXIS_LEFT_X];
	axes[1] = -axes3[GLFW_GAMEPAD_AXIS_LEFT_Y];
	axes[2] = triggerAxis(axes3[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER]);
	axes[3] = axes3[GLFW_GAMEPAD_AXIS_RIGHT_X];
	axes[4] = -axes3[GLFW_GAMEPAD_AXIS_RIGHT_Y];
	axes[5] = triggerAxis(axes3[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER]);
}

int glfw2RawButtons(const unsigned char* buttons3, int count, const unsigned char* hats3, int hats,
                    unsigned char* buttons, int numbuttons) {
	static const int hatOrder[GLFW2_HAT_BUTTONS] = {GLFW_HAT_LEFT, GLFW_HAT_UP, GLFW_HAT_RIGHT, GLFW_HAT_DOWN};
	int hatButtons = hats > 0 ? GLFW2_HAT_BUTTONS : 0;
	int front = rawButtonCount(count, hats) - hatButtons;
	int room = numbuttons > hatButtons ? numbuttons - hatButtons : 0;
	if (front > room) front = room;
	int n = 0;
	for (; n < front; ++n) buttons[n] = n < count && buttons3[n] == GLFW_PRESS ? kPress2 : kRelease2;
	for (int i = 0; i < hatButtons && n < numbuttons; ++i) buttons[n++] = hats3[0] & hatOrder[i] ? kPress2 : kRelease2;
	return n;
}

int glfw2RawAxes(const float* axes3, int count, float* axes, int numaxes) {
	int n = count < numaxes ? count : numaxes;
	for (int i = 0; i < n; ++i) axes[i] = axes3[i];
	if (n > kRawStickY) axes[kRawStickY] = -axes3[kRawStickY];
	return n;
}

}  // namespace glfw2
