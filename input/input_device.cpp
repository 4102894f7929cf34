// input_device.cpp: key flags, hit counting, the character queue, positions
// and joystick polling.
#include "input/input_device.h"

#include "host/game_event.h"
#include "host/kx_game.h"
#include "input/key_codes.h"

//----------------------------------------------------------------------------
// Globals
//----------------------------------------------------------------------------

c_InputDevice* kx_input_device;

namespace {

// True for a key of the table.
bool validKey(int key) {
	return key > 0 && key < KEY_TABLE_SIZE;
}

// The key that mirrors another (the left mouse button and the first touch).
int mirrorKey(int key) {
	if (key == KEY_MOUSE_LEFT) return KEY_TOUCH_BASE;
	if (key == KEY_TOUCH_BASE) return KEY_MOUSE_LEFT;
	return 0;
}

}  // namespace

//----------------------------------------------------------------------------
// Joystick state
//----------------------------------------------------------------------------

c_JoyState* c_JoyState::m_new() {
	gc_assign(m_joyx, Array<float>(JOY_STICKS));
	gc_assign(m_joyy, Array<float>(JOY_STICKS));
	gc_assign(m_joyz, Array<float>(JOY_STICKS));
	gc_assign(m_buttons, Array<bool>(JOY_BUTTONS));
	return this;
}

void c_JoyState::mark() {
	gc_mark_q(m_joyx);
	gc_mark_q(m_joyy);
	gc_mark_q(m_joyz);
	gc_mark_q(m_buttons);
}

//----------------------------------------------------------------------------
// Input device: set-up
//----------------------------------------------------------------------------

c_InputDevice* c_InputDevice::m_new() {
	gc_assign(m__joyStates, Array<c_JoyState*>(JOY_UNITS));
	gc_assign(m__keyDown, Array<bool>(KEY_TABLE_SIZE));
	gc_assign(m__keyHitQueue, Array<int>(KEY_HIT_QUEUE_SIZE));
	gc_assign(m__keyHit, Array<int>(KEY_TABLE_SIZE));
	gc_assign(m__charQueue, Array<int>(CHAR_QUEUE_SIZE));
	gc_assign(m__touchX, Array<float>(TOUCH_COUNT));
	gc_assign(m__touchY, Array<float>(TOUCH_COUNT));
	for (int unit = 0; unit < JOY_UNITS; ++unit) gc_assign(m__joyStates[unit], (new c_JoyState)->m_new());
	return this;
}

void c_InputDevice::mark() {
	gc_mark_q(m__joyStates);
	gc_mark_q(m__keyDown);
	gc_mark_q(m__keyHitQueue);
	gc_mark_q(m__keyHit);
	gc_mark_q(m__charQueue);
	gc_mark_q(m__touchX);
	gc_mark_q(m__touchY);
}

//----------------------------------------------------------------------------
// Input device: events
//----------------------------------------------------------------------------

void c_InputDevice::p_PutKeyHit(int key) {
	if (m__keyHitPut == KEY_HIT_QUEUE_SIZE) return;
	m__keyHit[key] += 1;
	m__keyHitQueue[m__keyHitPut] = key;
	m__keyHitPut += 1;
}

void c_InputDevice::PressKey(int key) {
	m__keyDown[key] = true;
	p_PutKeyHit(key);
}

// NOTE: codes outside the table are dropped here, so a stray event can never
// write beyond the arrays.
void c_InputDevice::p_KeyEvent(int event, int key) {
	switch (event) {
	case c_KxGameEvent::EVENT_KEY_DOWN:
		if (!validKey(key) || m__keyDown[key]) return;
		PressKey(key);
		if (mirrorKey(key)) PressKey(mirrorKey(key));
		break;
	case c_KxGameEvent::EVENT_KEY_UP:
		if (!validKey(key) || !m__keyDown[key]) return;
		m__keyDown[key] = false;
		if (mirrorKey(key)) m__keyDown[mirrorKey(key)] = false;
		break;
	case c_KxGameEvent::EVENT_KEY_CHAR:
		if (m__charPut == CHAR_QUEUE_SIZE) return;
		m__charQueue[m__charPut] = key;
		m__charPut += 1;
		break;
	default:
		break;
	}
}

void c_InputDevice::MovePointer(float x, float y) {
	m__mouseX = x;
	m__mouseY = y;
	m__touchX[0] = x;
	m__touchY[0] = y;
}

void c_InputDevice::p_MouseEvent(int event, int button, float x, float y) {
	switch (event) {
	case c_KxGameEvent::EVENT_MOUSE_DOWN:
		p_KeyEvent(c_KxGameEvent::EVENT_KEY_DOWN, button + 1);
		MovePointer(x, y);
		break;
	case c_KxGameEvent::EVENT_MOUSE_UP:
		p_KeyEvent(c_KxGameEvent::EVENT_KEY_UP, button + 1);
		break;
	case c_KxGameEvent::EVENT_MOUSE_MOVE:
		MovePointer(x, y);
		break;
	default:
		break;
	}
}

void c_InputDevice::p_TouchEvent(int event, int index, float x, float y) {
	if (index < 0 || index >= TOUCH_COUNT) return;
	switch (event) {
	case c_KxGameEvent::EVENT_TOUCH_DOWN:
		p_KeyEvent(c_KxGameEvent::EVENT_KEY_DOWN, KEY_TOUCH_BASE + index);
		p_TouchEvent(c_KxGameEvent::EVENT_TOUCH_MOVE, index, x, y);
		break;
	case c_KxGameEvent::EVENT_TOUCH_UP:
		p_KeyEvent(c_KxGameEvent::EVENT_KEY_UP, KEY_TOUCH_BASE + index);
		break;
	case c_KxGameEvent::EVENT_TOUCH_MOVE:
		m__touchX[index] = x;
		m__touchY[index] = y;
		if (index == 0) {
			m__mouseX = x;
			m__mouseY = y;
		}
		break;
	default:
		break;
	}
}

void c_InputDevice::p_MotionEvent(int event, int, float x, float y, float z) {
	if (event != c_KxGameEvent::EVENT_MOTION_ACCEL) return;
	m__accelX = x;
	m__accelY = y;
	m__accelZ = z;
}

//----------------------------------------------------------------------------
// Input device: update cycle
//----------------------------------------------------------------------------

void c_InputDevice::ApplyJoyButtons(int unit) {
	Array<bool> buttons = m__joyStates[unit]->m_buttons;
	for (int b = 0; b < JOY_BUTTONS; ++b) {
		int key = KEY_JOY_BASE + KEY_JOY_STRIDE * unit + b;
		if (buttons[b]) {
			if (!m__keyDown[key]) PressKey(key);
		} else {
			m__keyDown[key] = false;
		}
	}
}

void c_InputDevice::p_BeginUpdate() {
	for (int unit = 0; unit < JOY_UNITS; ++unit) {
		c_JoyState* state = m__joyStates[unit];
		if (!KxGame::_game->PollJoystick(unit, state->m_joyx, state->m_joyy, state->m_joyz, state->m_buttons)) break;
		ApplyJoyButtons(unit);
	}
}

void c_InputDevice::p_EndUpdate() {
	for (int i = 0; i < m__keyHitPut; ++i) m__keyHit[m__keyHitQueue[i]] = 0;
	m__keyHitPut = 0;
	m__charGet = 0;
	m__charPut = 0;
}

//----------------------------------------------------------------------------
// Input device: queries
//----------------------------------------------------------------------------

bool c_InputDevice::p_KeyDown(int key) {
	return validKey(key) && m__keyDown[key];
}

int c_InputDevice::p_KeyHit(int key) {
	return validKey(key) ? m__keyHit[key] : 0;
}

int c_InputDevice::p_GetChar() {
	if (m__charGet == m__charPut) return 0;
	int chr = m__charQueue[m__charGet];
	m__charGet += 1;
	return chr;
}

float c_InputDevice::p_MouseX() {
	return m__mouseX;
}

float c_InputDevice::p_MouseY() {
	return m__mouseY;
}

float c_InputDevice::p_TouchX(int index) {
	return m__touchX[index];
}

float c_InputDevice::p_TouchY(int index) {
	return m__touchY[index];
}

float c_InputDevice::p_AccelX() {
	return m__accelX;
}

float c_InputDevice::p_AccelY() {
	return m__accelY;
}

float c_InputDevice::p_JoyX(int index, int unit) {
	return m__joyStates[unit]->m_joyx[index];
}

float c_InputDevice::p_JoyY(int index, int unit) {
	return m__joyStates[unit]->m_joyy[index];
}

bool c_InputDevice::p_SetKeyboardEnabled(bool enabled) {
	KxGame::_game->SetKeyboardEnabled(enabled);
	return true;
}

int kx_input_SetInputDevice(c_InputDevice* device) {
	gc_assign(kx_input_device, device);
	return 0;
}
