// controls.cpp: abstract buttons, the key lock, iCade letters and steering.
//
// p_PlayKey folds the keyboard, a port's pad buttons and first stick, and the
// virtual buttons (set by iCade letters, the on-screen pad and the platform
// back key) into one answer per abstract button. The iCade cabinet types
// letters, so while it is on the letter keys and the stick drop out.
#include <cmath>

#include "game/my_app.h"
#include "input/input_api.h"
#include "input/key_codes.h"

namespace {

// The last joystick port.
const int LAST_PORT = 3;
// Buttons per joystick in the key table.
const int JOY_KEYS_PER_PORT = 32;
// A stick counts as a direction beyond this.
const float STICK_DIRECTION = 0.4f;
// p_AnalogueControl: stick dead zone, key ramp up and decay per update.
const float STICK_DEAD_ZONE = 0.2f;
const float RAMP_STEP = 0.15f;
const float RAMP_DECAY = 0.2f;
// The debug marker of the steering values.
const float MARKER_INSET = 64;
const float MARKER_RANGE = 52;
const int NONE = -1;

// Stick directions a row may count.
enum Stick { STICK_NONE, STICK_UP, STICK_LEFT, STICK_RIGHT, STICK_DOWN };

// One abstract button: its keys, pad buttons, stick direction and virtual entries.
struct ButtonRow {
	int button;
	int keys[4];
	int pads[3];
	Stick stick;
	int virtuals[3];
};

// The sources with iCade input off.
const ButtonRow KEYBOARD_ROWS[] = {
	{BTN_UP, {KEY_UP, KEY_W, NONE, NONE}, {9, NONE, NONE}, STICK_UP, {0, NONE, NONE}},
	{BTN_LEFT, {KEY_LEFT, KEY_A, NONE, NONE}, {8, NONE, NONE}, STICK_LEFT, {3, NONE, NONE}},
	{BTN_RIGHT, {KEY_RIGHT, KEY_D, NONE, NONE}, {10, NONE, NONE}, STICK_RIGHT, {5, NONE, NONE}},
	{BTN_DOWN, {KEY_DOWN, KEY_S, NONE, NONE}, {11, NONE, NONE}, STICK_DOWN, {8, NONE, NONE}},
	{BTN_A, {KEY_Z, KEY_J, KEY_SPACE, KEY_ENTER}, {0, NONE, NONE}, STICK_NONE, {10, NONE, NONE}},
	{BTN_B, {KEY_X, KEY_K, KEY_CONTROL, NONE}, {1, NONE, NONE}, STICK_NONE, {11, NONE, NONE}},
	{BTN_C, {KEY_C, KEY_L, KEY_SHIFT, NONE}, {2, NONE, NONE}, STICK_NONE, {12, NONE, NONE}},
	{BTN_D, {KEY_V, KEY_I, NONE, NONE}, {3, NONE, NONE}, STICK_NONE, {13, NONE, NONE}},
	{BTN_L1, {KEY_B, KEY_U, NONE, NONE}, {4, NONE, NONE}, STICK_NONE, {14, NONE, NONE}},
	{BTN_R1, {KEY_N, KEY_O, NONE, NONE}, {5, NONE, NONE}, STICK_NONE, {15, NONE, NONE}},
	{BTN_BACK, {KEY_ESCAPE, KEY_TILDE, KEY_DELETE, KEY_BACKSPACE}, {6, 7, 14}, STICK_NONE,
	 {VBTN_BACK_A, VBTN_BACK_B, VBTN_PLATFORM_BACK}},
};

// The sources with iCade input on: no letter keys, no stick.
const ButtonRow ICADE_ROWS[] = {
	{BTN_UP, {KEY_UP, NONE, NONE, NONE}, {9, NONE, NONE}, STICK_NONE, {0, NONE, NONE}},
	{BTN_LEFT, {KEY_LEFT, NONE, NONE, NONE}, {8, NONE, NONE}, STICK_NONE, {3, NONE, NONE}},
	{BTN_RIGHT, {KEY_RIGHT, NONE, NONE, NONE}, {10, NONE, NONE}, STICK_NONE, {5, NONE, NONE}},
	{BTN_DOWN, {KEY_DOWN, NONE, NONE, NONE}, {11, NONE, NONE}, STICK_NONE, {8, NONE, NONE}},
	{BTN_A, {KEY_SPACE, KEY_ENTER, NONE, NONE}, {0, NONE, NONE}, STICK_NONE, {10, NONE, NONE}},
	{BTN_B, {KEY_CONTROL, NONE, NONE, NONE}, {1, NONE, NONE}, STICK_NONE, {11, NONE, NONE}},
	{BTN_C, {KEY_SHIFT, NONE, NONE, NONE}, {2, NONE, NONE}, STICK_NONE, {12, NONE, NONE}},
	{BTN_D, {NONE, NONE, NONE, NONE}, {3, NONE, NONE}, STICK_NONE, {13, NONE, NONE}},
	{BTN_L1, {NONE, NONE, NONE, NONE}, {4, NONE, NONE}, STICK_NONE, {14, NONE, NONE}},
	{BTN_R1, {NONE, NONE, NONE, NONE}, {5, NONE, NONE}, STICK_NONE, {15, NONE, NONE}},
	{BTN_BACK, {KEY_ESCAPE, KEY_DELETE, KEY_BACKSPACE, NONE}, {7, 6, 14}, STICK_NONE,
	 {VBTN_BACK_A, VBTN_BACK_B, VBTN_PLATFORM_BACK}},
};

// The buttons the key lock watches, in order.
const int LOCK_BUTTONS[] = {BTN_UP, BTN_LEFT, BTN_RIGHT, BTN_DOWN, BTN_A, BTN_B, BTN_C,
                            BTN_D, BTN_L1, BTN_R1, VBTN_BACK_A, VBTN_BACK_B, BTN_BACK};

// iCade letters: the press letter holds the entry, the release letter frees it.
struct ICadeLetter {
	char press;
	char release;
	int entry;
};
const ICadeLetter ICADE_LETTERS[] = {
	{'W', 'E', 0},  {'X', 'Z', 8},  {'A', 'Q', 3},  {'D', 'C', 5},  {'Y', 'T', 13},           {'U', 'F', 14},
	{'I', 'M', 15}, {'O', 'G', 16}, {'H', 'R', 10}, {'J', 'N', 11}, {'K', 'P', 12},           {'L', 'V', 17},
};

// The row of a button, or null.
template <size_t N>
const ButtonRow* FindRow(const ButtonRow (&rows)[N], int button) {
	for (const ButtonRow& row : rows) {
		if (row.button == button) return &row;
	}
	return nullptr;
}

// True when the first stick of port points the row's way.
bool StickPoints(Stick stick, int port) {
	switch (stick) {
	case STICK_UP: return kx_input_JoyY(0, port) > STICK_DIRECTION;
	case STICK_LEFT: return kx_input_JoyX(0, port) < -STICK_DIRECTION;
	case STICK_RIGHT: return kx_input_JoyX(0, port) > STICK_DIRECTION;
	case STICK_DOWN: return kx_input_JoyY(0, port) < -STICK_DIRECTION;
	default: return false;
	}
}

// True when a key, pad button (port >= 0) or stick (analog 1) of the row is down.
bool RowDown(const ButtonRow& row, int analog, int port) {
	for (int key : row.keys) {
		if (key != NONE && kx_input_KeyDown(key)) return true;
	}
	if (port < 0) return false;
	for (int pad : row.pads) {
		if (pad != NONE && kx_input_KeyDown(KEY_JOY_BASE + JOY_KEYS_PER_PORT * port + pad)) return true;
	}
	return analog == 1 && StickPoints(row.stick, port);
}

// Upper-case of an ASCII letter.
int UpperLetter(int c) {
	return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

// v clamped to -1..1.
float ClampUnit(float v) {
	return v < -1 ? -1 : (v > 1 ? 1 : v);
}

// One axis of the key ramp: a held key pushes, a free ramp decays to 0.
void RampAxis(bool negative, bool positive, float& ramp, float& value) {
	if (negative) {
		ramp -= RAMP_STEP;
		value = ramp;
	} else if (ramp < 0) {
		ramp = std::fmin(ramp + RAMP_DECAY, 0.0f);
		value = ramp;
	}
	if (positive) {
		ramp += RAMP_STEP;
		value = ramp;
	} else if (ramp > 0) {
		ramp = std::fmax(ramp - RAMP_DECAY, 0.0f);
		value = ramp;
	}
}

}  // namespace

//----------------------------------------------------------------------------
// Abstract buttons
//----------------------------------------------------------------------------

// Non-zero while the button is held on the keyboard, port's pad or virtually.
// NOTE: ports above 3 give 0 like negative ones; their joystick keys would
// otherwise overlap the touch keys.
int c_MyApp::p_PlayKey(int button, int analog, int port) {
	if (port < -1 || port > LAST_PORT) return 0;
	if (kx_Zimbolo_iCadeControls == 0) {
		if (kx_Zimbolo_isOuya == 1 && button == BTN_BACK) return m_vButton[VBTN_PLATFORM_BACK];
		const ButtonRow* row = FindRow(KEYBOARD_ROWS, button);
		if (!row) return 0;
		if (RowDown(*row, analog, port)) return 1;
		for (int entry : row->virtuals) {
			if (entry != NONE && m_vButton[entry] != 0) return 1;
		}
		return 0;
	}
	if (kx_Zimbolo_iCadeControls != 1) return 0;
	const ButtonRow* row = FindRow(ICADE_ROWS, button);
	if (!row) return 0;
	if (RowDown(*row, analog, port)) return 1;
	bool passThrough = port == -1 && button >= BTN_D && button <= BTN_R1;
	for (int entry : row->virtuals) {
		if (entry != NONE && m_vButton[entry] != 0) return passThrough ? m_vButton[entry] : 1;
	}
	return 0;
}

// The sum over the ports 0..3.
int c_MyApp::p_PlayKeyAll(int button, int analog) {
	int sum = 0;
	for (int port = 0; port <= LAST_PORT; ++port) sum += p_PlayKey(button, analog, port);
	return sum;
}

// Releases the key lock when nothing is held; back closes the menu's boxes.
int c_MyApp::p_KeyLock() {
	bool held = false;
	for (int button : LOCK_BUTTONS) {
		if (p_PlayKeyAll(button, 1) != 0) {
			held = true;
			break;
		}
	}
	if (!held) m_keyLock = 0;
	bool boxOpen = m_creditsOpen == 1 || m_optionsOpen == 1 || m_badgesOpen == 1;
	if (m_keyLock == 0 && m_waitRelease == 0 && p_PlayKeyAll(BTN_BACK, 1) != 0 && m_gameState == STATE_MENU &&
	    boxOpen) {
		m_creditsOpen = 0;
		m_badgesOpen = 0;
		m_keyLock = 1;
		m_waitRelease = 1;
	}
	if (m_optionsOpen == 1) {
		m_keyLock = 1;
		m_waitRelease = 1;
	}
	return 0;
}

//----------------------------------------------------------------------------
// iCade
//----------------------------------------------------------------------------

// Reads every queued character as an iCade press or release letter.
int c_MyApp::p_ReadICade() {
	while ((m_iCadeKey = kx_input_GetChar()) != 0) {
		if (m_iCadeKey < 0) continue;
		int letter = UpperLetter(m_iCadeKey);
		for (const ICadeLetter& l : ICADE_LETTERS) {
			if (letter == l.press) m_vButton[l.entry] = VBTN_HELD;
			if (letter == l.release) m_vButton[l.entry] = 0;
		}
	}
	return 0;
}

// Switches iCade input on (1) or off (0).
int c_MyApp::p_iCade(int on) {
	if (on == 1) {
		kx_input_EnableKeyboard();
		kx_Zimbolo_iCadeControls = 1;
		while (kx_input_GetChar() != 0) {
		}
		m_iCadeKey = 0;
	} else if (on == 0) {
		kx_input_DisableKeyboard();
		kx_Zimbolo_iCadeControls = 0;
		for (int i = 0; i < VBTN_PULSES; ++i) m_vButton[i] = 0;
	}
	return 0;
}

//----------------------------------------------------------------------------
// Steering
//----------------------------------------------------------------------------

// The steering values of this update from the stick of pad 0 and the key ramps.
int c_MyApp::p_AnalogueControl() {
	m_analogueX = 0;
	m_analogueY = 0;
	float x = kx_input_JoyX(0, 0);
	float y = kx_input_JoyY(0, 0);
	if (std::fabs(x) > STICK_DEAD_ZONE || std::fabs(y) > STICK_DEAD_ZONE) {
		m_analogueX = x;
		m_analogueY = -y;
	}
	RampAxis(p_PlayKey(BTN_UP, 0, 0) != 0, p_PlayKey(BTN_DOWN, 0, 0) != 0, m_rampY, m_analogueY);
	RampAxis(p_PlayKey(BTN_LEFT, 0, 0) != 0, p_PlayKey(BTN_RIGHT, 0, 0) != 0, m_rampX, m_analogueX);
	m_analogueX = ClampUnit(m_analogueX);
	m_analogueY = ClampUnit(m_analogueY);
	m_rampX = ClampUnit(m_rampX);
	m_rampY = ClampUnit(m_rampY);
	if (kx_Zimbolo_DebugMode == 1 && (std::fabs(m_analogueX) > 0.05f || std::fabs(m_analogueY) > 0.05f)) {
		p_SetCol(0, 180, 250, 0.5f);
		float cx = kx_Zimbolo_jscrw - MARKER_INSET;
		float cy = kx_Zimbolo_jscrh - MARKER_INSET;
		p_Oval(cx, cy, 12, 12);
		p_Oval(cx + m_analogueX * MARKER_RANGE, cy + m_analogueY * MARKER_RANGE, 8, 8);
	}
	return 0;
}

// x of a stick of a port's joystick; 0 for a port without one.
float c_MyApp::p_StickX(int axis, int port) {
	if (port < 0 || port > LAST_PORT) return 0;
	return kx_input_JoyX(axis, port);
}

// y of a stick, negated for the first stick; 0 for a port without one.
float c_MyApp::p_StickY(int axis, int port) {
	if (port < 0 || port > LAST_PORT) return 0;
	float y = kx_input_JoyY(axis, port);
	return axis == 0 ? -y : y;
}
