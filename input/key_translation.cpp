// key_translation.cpp: GLFW 2.7 key codes to key codes and typed characters.
#include "input/key_translation.h"

#include "host/glfw2.h"
#include "input/key_codes.h"

using namespace glfw2;

namespace {

// Keys that take a code other than their own GLFW value.
struct KeyPair {
	int glfwKey;
	int code;
};

const KeyPair kKeyTable[] = {
	{GLFW_KEY_SPACE, KEY_SPACE},
	{'"', KEY_QUOTE}, {'\'', KEY_QUOTE},
	{',', KEY_COMMA}, {'-', KEY_MINUS}, {'.', KEY_PERIOD}, {'/', KEY_SLASH},
	{';', KEY_SEMICOLON}, {'=', KEY_EQUALS},
	{'[', KEY_OPEN_BRACKET}, {'\\', KEY_BACKSLASH}, {']', KEY_CLOSE_BRACKET},
	{'`', KEY_TILDE}, {'~', KEY_TILDE},
	{GLFW_KEY_ESC, KEY_ESCAPE},
	{GLFW_KEY_LSHIFT, KEY_SHIFT}, {GLFW_KEY_RSHIFT, KEY_SHIFT},
	{GLFW_KEY_LCTRL, KEY_CONTROL}, {GLFW_KEY_RCTRL, KEY_CONTROL},
	{GLFW_KEY_TAB, KEY_TAB}, {GLFW_KEY_ENTER, KEY_ENTER}, {GLFW_KEY_BACKSPACE, KEY_BACKSPACE},
	{GLFW_KEY_KP_DIVIDE, KEY_PAD_DIVIDE}, {GLFW_KEY_KP_MULTIPLY, KEY_PAD_MULTIPLY},
	{GLFW_KEY_KP_SUBTRACT, KEY_PAD_SUBTRACT}, {GLFW_KEY_KP_ADD, KEY_PAD_ADD},
	{GLFW_KEY_KP_DECIMAL, KEY_PAD_DECIMAL},
	{GLFW_KEY_UP, KEY_UP}, {GLFW_KEY_DOWN, KEY_DOWN}, {GLFW_KEY_LEFT, KEY_LEFT}, {GLFW_KEY_RIGHT, KEY_RIGHT},
	{GLFW_KEY_INSERT, KEY_INSERT}, {GLFW_KEY_DEL, KEY_DELETE},
	{GLFW_KEY_PAGEUP, KEY_PAGE_UP}, {GLFW_KEY_PAGEDOWN, KEY_PAGE_DOWN},
	{GLFW_KEY_HOME, KEY_HOME}, {GLFW_KEY_END, KEY_END},
};

// Number of function keys with a key code (F1 to F12).
const int kFunctionKeys = 12;
// Keypad digits.
const int kPadDigits = 10;

}  // namespace

int TransKey(int glfwKey) {
	if ((glfwKey >= '0' && glfwKey <= '9') || (glfwKey >= 'A' && glfwKey <= 'Z')) return glfwKey;
	if (glfwKey >= GLFW_KEY_F1 && glfwKey < GLFW_KEY_F1 + kFunctionKeys) return KEY_F1 + glfwKey - GLFW_KEY_F1;
	if (glfwKey >= GLFW_KEY_KP_0 && glfwKey < GLFW_KEY_KP_0 + kPadDigits) return KEY_PAD_0 + glfwKey - GLFW_KEY_KP_0;
	for (const KeyPair& pair : kKeyTable) {
		if (pair.glfwKey == glfwKey) return pair.code;
	}
	return 0;
}

int KeyToChar(int key) {
	switch (key) {
	case KEY_BACKSPACE:
	case KEY_TAB:
	case KEY_ENTER:
	case KEY_ESCAPE:
		return key;
	case KEY_PAGE_UP:
	case KEY_PAGE_DOWN:
	case KEY_END:
	case KEY_HOME:
	case KEY_LEFT:
	case KEY_UP:
	case KEY_RIGHT:
	case KEY_DOWN:
	case KEY_INSERT:
		return key + CHAR_NAV_BASE;
	case KEY_DELETE:
		return CHAR_DELETE;
	default:
		return 0;
	}
}
