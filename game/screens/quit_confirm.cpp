// quit_confirm.cpp: the Ouya's "really quit?" page.
//
// p_OuyaQuit runs in its own screen state, entered when the back button is
// pressed on the main menu of an Ouya. It shows the test card circle and a
// few lines of pleading text; the first action button returns to the menu,
// the second or third or back ends the program.
#include "game/my_app.h"
#include "runtime/errors.h"

namespace {

// Grey clear colour, with an alpha below zero.
const float CLEAR_GREY = 180;
const float CLEAR_ALPHA = -1;
const float CARD_SCALE = 3;
// The "not" sign starts a controller button symbol in p_Text; the lines below
// write it as a tilde.
const int SYMBOL_ESCAPE = 172;

// One line of the page: its text, its scale and how far down the next starts.
struct QuitLine {
	const char* text;
	float scale;
	float step;
};

const QuitLine QUIT_LINES[] = {
	{"It looks like you're", 3, 32},
	{"trying to QUIT!", 3, 36},
	{"Are you absolutely sure", 2, 20},
	{"you want to quit the game?", 2, 28},
	{"Isn't this fun?", 2, 38},
	{"It'll be a shame to see you go.", 2, 38},
	{"Press ~K to Quit", 2, 20},
	{"or ~J to return to the fun!", 2, 0},
};

// A line's text with its button symbol escape in place.
String LineText(const QuitLine& line) {
	return String(line.text).Replace(String("~"), String::FromChar(SYMBOL_ESCAPE));
}

}  // namespace

//----------------------------------------------------------------------------
// The quit confirmation
//----------------------------------------------------------------------------

// One update of the quit page.
int c_MyApp::p_OuyaQuit() {
	float w = kx_Zimbolo_jscrw;
	float h = kx_Zimbolo_jscrh;
	p_CLS2D(CLEAR_GREY, CLEAR_GREY, CLEAR_GREY, CLEAR_ALPHA);
	p_SetSize(CARD_SCALE);
	p_DrawImg(IMG_TESTCARD, w / 2, h / 2, 0);
	float x = static_cast<int>(0.65f * w);
	float y = static_cast<int>(0.3f * h);
	for (const QuitLine& line : QUIT_LINES) {
		p_SetSize(line.scale);
		p_Text(x, y, LineText(line), 1, 1);
		y += line.step;
	}
	if (m_waitRelease != 0 || m_keyLock != 0) return 0;
	if (p_PlayKeyAll(BTN_A, 1) != 0) {
		m_gameState = STATE_MENU;
		m_keyLock = 1;
		m_waitRelease = 1;
	} else if (p_PlayKeyAll(BTN_B, 1) != 0 || p_PlayKeyAll(BTN_C, 1) != 0 || p_PlayKeyAll(BTN_BACK, 1) != 0) {
		kxError(String());
	}
	return 0;
}
