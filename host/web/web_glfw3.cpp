// web_glfw3.cpp: the GLFW 3.3 calls the GLFW layer uses that Emscripten's
// GLFW 3.2 lacks: gamepads over the browser's gamepads, the content scale,
// init and string hints, and errors.
//
// A browser maps the pads it knows to its "standard" layout (the Gamepad
// API's), which holds the same controls as a GLFW gamepad in another order;
// such a pad is a gamepad here, any other stays a raw joystick. Browsers
// report hats as axes or buttons, so no joystick has hats.
#include <GLFW/glfw3.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstring>

namespace {

// The standard layout's buttons in GLFW's gamepad order (A, B, X, Y, the
// bumpers, back, start, guide, the stick clicks, then the d-pad up, right,
// down, left).
const int STANDARD_BUTTONS[GLFW_GAMEPAD_BUTTON_LAST + 1] = {0, 1, 2, 3, 4, 5, 8, 9, 16, 10, 11, 12, 15, 13, 14};
// The standard layout's triggers are its analog buttons 6 and 7.
const int STANDARD_LEFT_TRIGGER = 6;
const int STANDARD_RIGHT_TRIGGER = 7;
// The standard layout's sticks are its axes 0-3, in GLFW's order.
const int STANDARD_STICK_AXES = 4;

// A fresh reading of the pad jid, when it is connected and standard.
bool readStandardPad(int jid, EmscriptenGamepadEvent* pad) {
	if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return false;
	if (emscripten_get_gamepad_status(jid, pad) != EMSCRIPTEN_RESULT_SUCCESS) return false;
	return pad->connected && std::strcmp(pad->mapping, "standard") == 0;
}

// A trigger's 0 (released) .. 1 as GLFW's -1 .. 1.
float triggerAxis(const EmscriptenGamepadEvent& pad, int button) {
	double value = button < pad.numButtons ? pad.analogButton[button] : 0.0;
	return static_cast<float>(value * 2.0 - 1.0);
}

}  // namespace

// No init hint, and no string hint (X11 window names), changes anything in
// a browser.
void glfwInitHint(int, int) {}

void glfwWindowHintString(int, const char*) {}

// Emscripten's GLFW keeps no error text.
int glfwGetError(const char** description) {
	if (description) *description = nullptr;
	return GLFW_NO_ERROR;
}

// The screen's pixels per CSS pixel, the page's zoom included.
void glfwGetMonitorContentScale(GLFWmonitor*, float* x, float* y) {
	float scale = static_cast<float>(emscripten_get_device_pixel_ratio());
	if (x) *x = scale;
	if (y) *y = scale;
}

const unsigned char* glfwGetJoystickHats(int, int* count) {
	*count = 0;
	return nullptr;
}

int glfwJoystickIsGamepad(int jid) {
	EmscriptenGamepadEvent pad;
	return readStandardPad(jid, &pad) ? GLFW_TRUE : GLFW_FALSE;
}

int glfwGetGamepadState(int jid, GLFWgamepadstate* state) {
	EmscriptenGamepadEvent pad;
	if (!readStandardPad(jid, &pad)) return GLFW_FALSE;
	for (int i = 0; i <= GLFW_GAMEPAD_BUTTON_LAST; ++i) {
		int button = STANDARD_BUTTONS[i];
		state->buttons[i] = button < pad.numButtons && pad.digitalButton[button] ? GLFW_PRESS : GLFW_RELEASE;
	}
	for (int i = 0; i < STANDARD_STICK_AXES; ++i) {
		state->axes[i] = i < pad.numAxes ? static_cast<float>(pad.axis[i]) : 0.0f;
	}
	state->axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = triggerAxis(pad, STANDARD_LEFT_TRIGGER);
	state->axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = triggerAxis(pad, STANDARD_RIGHT_TRIGGER);
	return GLFW_TRUE;
}
