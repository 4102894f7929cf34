// input_device.h: the state of every key, button, pointer, touch and joystick.
//
// One c_InputDevice, created by the delegate at start, holds a flag and a hit
// count for each of the 512 keys, the keys hit since the last update (in
// order), the characters typed since then, pointer and touch positions and
// one c_JoyState per joystick unit. Hits and characters live until the end of
// the next update; flags until the matching release.
#pragma once

#include "runtime/kx_array.h"
#include "runtime/object.h"

// Keys with hits one update can record.
const int KEY_HIT_QUEUE_SIZE = 33;
// Characters one update can queue.
const int CHAR_QUEUE_SIZE = 32;
// Sticks per joystick unit.
const int JOY_STICKS = 2;

class c_JoyState : public Object {
public:
	Array<float> m_joyx;
	Array<float> m_joyy;
	Array<float> m_joyz;
	Array<bool> m_buttons;

	c_JoyState* m_new();
	void mark() override;
};

class c_InputDevice : public Object {
public:
	Array<c_JoyState*> m__joyStates;
	Array<bool> m__keyDown;
	int m__keyHitPut = 0;
	Array<int> m__keyHitQueue;
	Array<int> m__keyHit;
	int m__charGet = 0;
	int m__charPut = 0;
	Array<int> m__charQueue;
	float m__mouseX = 0.0f;
	float m__mouseY = 0.0f;
	Array<float> m__touchX;
	Array<float> m__touchY;
	float m__accelX = 0.0f;
	float m__accelY = 0.0f;
	float m__accelZ = 0.0f;

	// A device with four joystick states and every key up.
	c_InputDevice* m_new();
	void p_PutKeyHit(int key);
	void p_KeyEvent(int event, int key);
	void p_MouseEvent(int event, int button, float x, float y);
	void p_TouchEvent(int event, int index, float x, float y);
	void p_MotionEvent(int event, int data, float x, float y, float z);
	// Polls the joysticks (before the application's update).
	void p_BeginUpdate();
	// Clears this update's hits and characters.
	void p_EndUpdate();
	bool p_KeyDown(int key);
	int p_KeyHit(int key);
	int p_GetChar();
	float p_MouseX();
	float p_MouseY();
	float p_TouchX(int index);
	float p_TouchY(int index);
	float p_AccelX();
	float p_AccelY();
	float p_JoyX(int index, int unit);
	float p_JoyY(int index, int unit);
	bool p_SetKeyboardEnabled(bool enabled);
	void mark() override;

private:
	// Presses a key that is up: sets its flag and counts a hit.
	void PressKey(int key);
	// Sets the pointer and first-touch position.
	void MovePointer(float x, float y);
	// Turns one unit's button states into key flags and hits.
	void ApplyJoyButtons(int unit);
};

extern c_InputDevice* kx_input_device;

// Makes device the one the kx_input_* functions read.
int kx_input_SetInputDevice(c_InputDevice* device);
