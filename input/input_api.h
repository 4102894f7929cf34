// input_api.h: the application's view of the input device (kx_input_*).
//
// Every function reads kx_input_device. Keys outside 1-511 read as up and
// never hit; mouse button b is key b + 1, touch i key 384 + i, joystick
// button b of unit u key 256 + 32 u + b.
#pragma once

#include "input/input_device.h"

bool kx_input_KeyDown(int key);
int kx_input_KeyHit(int key);
int kx_input_GetChar();
float kx_input_MouseX();
float kx_input_MouseY();
bool kx_input_MouseDown(int button);
int kx_input_MouseHit(int button);
bool kx_input_TouchDown(int index);
float kx_input_TouchX(int index);
float kx_input_TouchY(int index);
bool kx_input_JoyDown(int button, int unit);
int kx_input_JoyHit(int button, int unit);
float kx_input_JoyX(int index, int unit);
float kx_input_JoyY(int index, int unit);
float kx_input_AccelX();
float kx_input_AccelY();
bool kx_input_EnableKeyboard();
bool kx_input_DisableKeyboard();
