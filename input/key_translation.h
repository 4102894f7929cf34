// key_translation.h: GLFW 2.7 key codes to the program's key codes, and key
// codes to the characters that navigation and control keys type.
#pragma once

// Start of the private character range of navigation keys (cursor-left
// types 37 + CHAR_NAV_BASE).
const int CHAR_NAV_BASE = 0x10000;
// The character the Delete key types.
const int CHAR_DELETE = 127;

// The program's key code for a GLFW key, or 0 when the key is ignored.
int TransKey(int glfwKey);
// The character a key press types, or 0 for none.
int KeyToChar(int key);
