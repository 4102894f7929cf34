// glfw3.h: Emscripten's GLFW header (the 3.2 interface), and the GLFW 3.3
// calls the GLFW layer uses that it lacks: init and string hints, errors, the
// content scale, joystick hats and gamepads. host/web/web_glfw3.cpp gives
// them in a browser.
#pragma once

#include_next <GLFW/glfw3.h>

#ifdef __cplusplus
extern "C" {
#endif

// Init and string hints, errors.
#define GLFW_JOYSTICK_HAT_BUTTONS 0x00050001
#define GLFW_X11_CLASS_NAME 0x00024001
#define GLFW_X11_INSTANCE_NAME 0x00024002
#define GLFW_NO_ERROR 0

// Hat states.
#define GLFW_HAT_CENTERED 0
#define GLFW_HAT_UP 1
#define GLFW_HAT_RIGHT 2
#define GLFW_HAT_DOWN 4
#define GLFW_HAT_LEFT 8

// Gamepad buttons and axes.
#define GLFW_GAMEPAD_BUTTON_A 0
#define GLFW_GAMEPAD_BUTTON_B 1
#define GLFW_GAMEPAD_BUTTON_X 2
#define GLFW_GAMEPAD_BUTTON_Y 3
#define GLFW_GAMEPAD_BUTTON_LEFT_BUMPER 4
#define GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER 5
#define GLFW_GAMEPAD_BUTTON_BACK 6
#define GLFW_GAMEPAD_BUTTON_START 7
#define GLFW_GAMEPAD_BUTTON_GUIDE 8
#define GLFW_GAMEPAD_BUTTON_LEFT_THUMB 9
#define GLFW_GAMEPAD_BUTTON_RIGHT_THUMB 10
#define GLFW_GAMEPAD_BUTTON_DPAD_UP 11
#define GLFW_GAMEPAD_BUTTON_DPAD_RIGHT 12
#define GLFW_GAMEPAD_BUTTON_DPAD_DOWN 13
#define GLFW_GAMEPAD_BUTTON_DPAD_LEFT 14
#define GLFW_GAMEPAD_BUTTON_LAST GLFW_GAMEPAD_BUTTON_DPAD_LEFT
#define GLFW_GAMEPAD_AXIS_LEFT_X 0
#define GLFW_GAMEPAD_AXIS_LEFT_Y 1
#define GLFW_GAMEPAD_AXIS_RIGHT_X 2
#define GLFW_GAMEPAD_AXIS_RIGHT_Y 3
#define GLFW_GAMEPAD_AXIS_LEFT_TRIGGER 4
#define GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER 5
#define GLFW_GAMEPAD_AXIS_LAST GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER

typedef struct GLFWgamepadstate {
	unsigned char buttons[GLFW_GAMEPAD_BUTTON_LAST + 1];
	float axes[GLFW_GAMEPAD_AXIS_LAST + 1];
} GLFWgamepadstate;

void glfwInitHint(int hint, int value);
void glfwWindowHintString(int hint, const char* value);
int glfwGetError(const char** description);
void glfwGetMonitorContentScale(GLFWmonitor* monitor, float* xscale, float* yscale);
const unsigned char* glfwGetJoystickHats(int jid, int* count);
int glfwJoystickIsGamepad(int jid);
int glfwGetGamepadState(int jid, GLFWgamepadstate* state);

#ifdef __cplusplus
}
#endif
