// key_codes.h: the numbered keys of the input table.
//
// Keyboard keys, mouse buttons, joystick buttons and touches share one table
// of 512 keys, so the game tests any of them with the same calls.
#pragma once

// Size of the key table.
const int KEY_TABLE_SIZE = 512;

const int KEY_MOUSE_LEFT = 1;
const int KEY_MOUSE_RIGHT = 2;
const int KEY_MOUSE_MIDDLE = 3;
const int KEY_BACKSPACE = 8;
const int KEY_TAB = 9;
const int KEY_ENTER = 13;
const int KEY_SHIFT = 16;
const int KEY_CONTROL = 17;
const int KEY_ESCAPE = 27;
const int KEY_SPACE = 32;
const int KEY_PAGE_UP = 33;
const int KEY_PAGE_DOWN = 34;
const int KEY_END = 35;
const int KEY_HOME = 36;
const int KEY_LEFT = 37;
const int KEY_UP = 38;
const int KEY_RIGHT = 39;
const int KEY_DOWN = 40;
const int KEY_INSERT = 45;
const int KEY_DELETE = 46;
const int KEY_0 = 48;
const int KEY_1 = 49;
const int KEY_2 = 50;
const int KEY_3 = 51;
const int KEY_4 = 52;
const int KEY_5 = 53;
const int KEY_6 = 54;
const int KEY_7 = 55;
const int KEY_8 = 56;
const int KEY_9 = 57;
const int KEY_A = 65;
const int KEY_B = 66;
const int KEY_C = 67;
const int KEY_D = 68;
const int KEY_E = 69;
const int KEY_F = 70;
const int KEY_G = 71;
const int KEY_H = 72;
const int KEY_I = 73;
const int KEY_J = 74;
const int KEY_K = 75;
const int KEY_L = 76;
const int KEY_M = 77;
const int KEY_N = 78;
const int KEY_O = 79;
const int KEY_P = 80;
const int KEY_Q = 81;
const int KEY_R = 82;
const int KEY_S = 83;
const int KEY_T = 84;
const int KEY_U = 85;
const int KEY_V = 86;
const int KEY_W = 87;
const int KEY_X = 88;
const int KEY_Y = 89;
const int KEY_Z = 90;
const int KEY_PAD_0 = 96;
const int KEY_PAD_1 = 97;
const int KEY_PAD_2 = 98;
const int KEY_PAD_3 = 99;
const int KEY_PAD_4 = 100;
const int KEY_PAD_5 = 101;
const int KEY_PAD_6 = 102;
const int KEY_PAD_7 = 103;
const int KEY_PAD_8 = 104;
const int KEY_PAD_9 = 105;
const int KEY_PAD_MULTIPLY = 106;
const int KEY_PAD_ADD = 107;
const int KEY_PAD_SUBTRACT = 109;
const int KEY_PAD_DECIMAL = 110;
const int KEY_PAD_DIVIDE = 111;
const int KEY_F1 = 112;
const int KEY_F2 = 113;
const int KEY_F3 = 114;
const int KEY_F4 = 115;
const int KEY_F5 = 116;
const int KEY_F6 = 117;
const int KEY_F7 = 118;
const int KEY_F8 = 119;
const int KEY_F9 = 120;
const int KEY_F10 = 121;
const int KEY_F11 = 122;
const int KEY_F12 = 123;
const int KEY_SEMICOLON = 186;
const int KEY_EQUALS = 187;
const int KEY_COMMA = 188;
const int KEY_MINUS = 189;
const int KEY_PERIOD = 190;
const int KEY_SLASH = 191;
const int KEY_TILDE = 192;
const int KEY_OPEN_BRACKET = 219;
const int KEY_BACKSLASH = 220;
const int KEY_CLOSE_BRACKET = 221;
const int KEY_QUOTE = 222;
// Joystick unit u, button b: KEY_JOY_BASE + KEY_JOY_STRIDE * u + b.
const int KEY_JOY_BASE = 256;
const int KEY_JOY_STRIDE = 32;
// Touch i: KEY_TOUCH_BASE + i.
const int KEY_TOUCH_BASE = 384;
const int KEY_BACK = 416;
const int KEY_CLOSE = 432;

// Joystick units, buttons per unit and touches the table holds.
const int JOY_UNITS = 4;
const int JOY_BUTTONS = 32;
const int TOUCH_COUNT = 32;
