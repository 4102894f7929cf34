// input_api.cpp: the kx_input_* module functions.
#include "input/input_api.h"

#include "host/kx_game.h"
#include "input/key_codes.h"

namespace {

// Highest mouse button that still maps into the key table.
const int kLastMouseButton = KEY_TABLE_SIZE - 2;
// Touch indices whose key stays inside the table.
const int kFirstTouchKeyIndex = 1 - KEY_TOUCH_BASE;
const int kLastTouchKeyIndex = KEY_TABLE_SIZE - 1 - KEY_TOUCH_BASE;

// The key of a joystick button, or 0 when it falls outside the table.
int joyKey(int button, int unit) {
	int key = button | KEY_JOY_BASE | (unit * KEY_JOY_STRIDE);
	return key < KEY_TABLE_SIZE ? key : 0;
}

}  // namespace

bool kx_input_KeyDown(int key) {
	return kx_input_device->p_KeyDown(key);
}

int kx_input_KeyHit(int key) {
	return kx_input_device->p_KeyHit(key);
}

int kx_input_GetChar() {
	return kx_input_device->p_GetChar();
}

float kx_input_MouseX() {
	return kx_input_device->p_MouseX();
}

float kx_input_MouseY() {
	return kx_input_device->p_MouseY();
}

bool kx_input_MouseDown(int button) {
	return button >= 0 && button <= kLastMouseButton && kx_input_device->p_KeyDown(button + 1);
}

int kx_input_MouseHit(int button) {
	if (button < 0 || button > kLastMouseButton) return 0;
	return kx_input_device->p_KeyHit(button + 1);
}

bool kx_input_TouchDown(int index) {
	if (index < kFirstTouchKeyIndex || index > kLastTouchKeyIndex) return false;
	return kx_input_device->p_KeyDown(KEY_TOUCH_BASE + index);
}

float kx_input_TouchX(int index) {
	return index >= 0 && index < TOUCH_COUNT ? kx_input_device->p_TouchX(index) : 0.0f;
}

float kx_input_TouchY(int index) {
	return index >= 0 && index < TOUCH_COUNT ? kx_input_device->p_TouchY(index) : 0.0f;
}

bool kx_input_JoyDown(int button, int unit) {
	int key = joyKey(button, unit);
	return key && kx_input_device->p_KeyDown(key);
}

int kx_input_JoyHit(int button, int unit) {
	int key = joyKey(button, unit);
	return key ? kx_input_device->p_KeyHit(key) : 0;
}

float kx_input_JoyX(int index, int unit) {
	return kx_input_device->p_JoyX(index, unit);
}

float kx_input_JoyY(int index, int unit) {
	return kx_input_device->p_JoyY(index, unit);
}

float kx_input_AccelX() {
	return kx_input_device->p_AccelX();
}

float kx_input_AccelY() {
	return kx_input_device->p_AccelY();
}

bool kx_input_EnableKeyboard() {
	KxGame::_game->SetKeyboardEnabled(true);
	return true;
}

bool kx_input_DisableKeyboard() {
	KxGame::_game->SetKeyboardEnabled(false);
	return true;
}
