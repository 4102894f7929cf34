// main_menu.cpp: the title screen, its mode carousel and the side panel.
//
// p_Menu runs once per update in the menu state. It eases the background,
// draws the title art and a side panel with the selected mode's best and
// recent scores, and runs a carousel of four items (the three game modes and
// the options). Keys, taps, the play button, drags and flings move or choose
// an item; choosing starts a game or opens the options box. A credits button
// opens the credits, and the back control quits (on an Ouya it asks first).
#include <cmath>

#include "game/my_app.h"
#include "input/input_api.h"
#include "input/key_codes.h"
#include "runtime/errors.h"

namespace {

// Width of the right-hand side panel.
const float SIDE_PANEL_W = 140;
// Background colour the menu eases toward, one 48th of the way per update.
const float BG_RED = 60;
const float BG_GREEN = 120;
const float BG_BLUE = 60;
const float BG_EASE = 48;
// Carousel: four items 88 apart; the options item is the last.
const int ITEM_COUNT = 4;
const int OPTIONS_ITEM = 4;
const float ITEM_SPACING = 88;
const float HIGHLIGHT_SCALE = 1.75f;
const float MENU_SPIN_STEP = 0.5f;
// Items fade with their distance from the centre, down to half.
const float FADE_DISTANCE = 480;
const float MIN_ITEM_ALPHA = 0.5f;
const float NEAREST_START = 1024;
// Scroll easing, fling decay and the end of a snap.
const float SCROLL_EASE = 0.125f;
const float FLING_DECAY = 0.2f;
const float FLING_STOP = 3;
const float SNAP_CLOSE = 32;
const float END_STOP_PULL = 8;
// A drag is the pointer movement times 1.5; beyond 2 it is no longer a tap.
const float DRAG_FACTOR = 1.5f;
const float DRAG_THRESHOLD = 2;
// m_waitRelease value that marks a drag.
const int WAIT_DRAG = 2;
// Score lists: rows of 1.5 font lines, at most ten; scores padded to this width.
const float LIST_LINE = 1.5f;
const int LIST_MAX_ROWS = 10;
const int SCORE_WIDTH = 8;
const int HISCORE_ROWS = 10;
const int HISCORE_RECENT = 30;
// Frames of the icon sheet and the button sheet.
const int PLAY_ICON = 3;
const int MODE_FRAME_FIRST = 0;
// Pads tested for who started a game, highest first.
const int PAD_COUNT = 4;
const int KEYBOARD_PORT = -1;

// Item positions of this update and the carousel centre.
struct MenuLayout {
	bool portrait;
	float centreX;
	float centreY;
	float x[ITEM_COUNT + 1];
	float y[ITEM_COUNT + 1];
};

//----------------------------------------------------------------------------
// Helpers
//----------------------------------------------------------------------------

// Some box (credits, options, badges) lies over the menu.
bool BoxOpen(const c_MyApp& a) {
	return a.m_creditsOpen != 0 || a.m_optionsOpen != 0 || a.m_badgesOpen != 0;
}

// Left edge of the side panel, which slides in from the right.
float PanelX(const c_MyApp& a) {
	return kx_Zimbolo_jscrw - SIDE_PANEL_W - 4 * a.m_menuSlide;
}

// Control c is held by one of the four players.
bool Pressed(c_MyApp& a, int c) {
	return a.p_PlayKeyAll(c, 1) != 0;
}

// An action button (10-13, 16, 17; 13 not on an Ouya) is held on port.
bool ActionOn(c_MyApp& a, int port) {
	static const int actions[] = {BTN_A, BTN_B, BTN_C, BTN_D, VBTN_BACK_A, VBTN_BACK_B};
	for (int c : actions) {
		if (c == BTN_D && kx_Zimbolo_isOuya == 1) continue;
		if (a.p_PlayKey(c, 1, port) != 0) return true;
	}
	return false;
}

// An action button is held by one of the four players.
bool ActionPressed(c_MyApp& a) {
	for (int p = 0; p < PAD_COUNT; ++p) {
		if (ActionOn(a, p)) return true;
	}
	return false;
}

//----------------------------------------------------------------------------
// Steps of an update
//----------------------------------------------------------------------------

// Eased background as the clear colour, a new display list, the slide-in.
void FrameSetUp(c_MyApp& a) {
	a.m_bgTargetR = BG_RED;
	a.m_bgTargetG = BG_GREEN;
	a.m_bgTargetB = BG_BLUE;
	a.m_bgR -= (a.m_bgR - a.m_bgTargetR) / BG_EASE;
	a.m_bgG -= (a.m_bgG - a.m_bgTargetG) / BG_EASE;
	a.m_bgB -= (a.m_bgB - a.m_bgTargetB) / BG_EASE;
	a.p_CLS2D(a.m_bgR, a.m_bgG, a.m_bgB, 1);
	if (a.m_menuSlide < 0) a.m_menuSlide = static_cast<int>(a.m_menuSlide + 0.25f);
	a.m_sidePanelW = SIDE_PANEL_W;
}

// Back quits at once; on an Ouya it (or Escape) opens the quit box instead.
void BackControl(c_MyApp& a) {
	if (a.m_keyLock != 0 || a.m_waitRelease != 0) return;
	bool back = Pressed(a, BTN_BACK);
	if (kx_Zimbolo_isOuya == 0) {
		if (back) kxError(String());
		return;
	}
	if (back || kx_input_KeyDown(KEY_ESCAPE)) {
		a.m_gameState = STATE_QUIT_BOX;
		a.m_keyLock = 1;
		a.m_waitRelease = 1;
	}
}

// Faint background art, the title logo and the dark side panel.
void TitleAndPanel(c_MyApp& a) {
	float w = kx_Zimbolo_jscrw;
	float h = kx_Zimbolo_jscrh;
	a.p_SetSize(3);
	a.p_Alpha(0.1f);
	a.p_DrawImg(IMG_MENU, w / 2, h / 2 + 16 * a.m_menuSlide, 0);
	a.p_SetSize(1.5f);
	a.p_Alpha(1);
	a.p_DrawImg(IMG_TITLE, 0.4f * w, 96 + 12 * a.m_menuSlide, 0);
	a.p_SetCol(0, 0, 0, 0.4f);
	a.p_Rect(PanelX(a), 0, SIDE_PANEL_W, h);
}

// Rows the score lists have room for: half the screen less 90, in list lines.
int ListRows(const c_MyApp& a) {
	int line = static_cast<int>(LIST_LINE * a.m_imgInfo[3 * a.m_fontImage + 1]);
	// NOTE: a font without a recorded height would divide by zero; one pixel stands in.
	if (line < 1) line = 1;
	int rows = static_cast<int>(kx_Zimbolo_jscrh / 2 - 90) / line;
	if (rows < 1) return 1;
	return rows > LIST_MAX_ROWS ? LIST_MAX_ROWS : rows;
}

// A heading and one right-justified score per row, as lines of p_Text.
String ScoreList(c_MyApp& a, const String& heading, int first, int rows) {
	String text = heading;
	for (int r = 0; r < rows; ++r) {
		text += String("\\n") + a.p_rstr(a.m_hiScore[first + r], SCORE_WIDTH, String(" "));
	}
	return text;
}

// The selected mode's best and recent scores in the side panel.
void ScoreLists(c_MyApp& a) {
	if (BoxOpen(a) || a.m_menuSel >= OPTIONS_ITEM) return;
	int rows = ListRows(a);
	int best = (a.m_gameMode - 1) * HISCORE_ROWS;
	String top = rows == 1 ? String("Highscore") : String("Top ") + String(rows);
	String last = rows == 1 ? String("Last") : String("Last ") + String(rows);
	float x = PanelX(a) + 20;
	a.p_SetCol(255, 200, 100);
	a.p_SetSize(1.5f);
	a.p_Text(x, 60, ScoreList(a, top, best, rows), 0, 0);
	a.p_SetCol(200, 255, 100);
	a.p_Text(x, kx_Zimbolo_jscrh / 2 + 20, ScoreList(a, last, HISCORE_RECENT + best, rows), 0, 0);
}

// The highlighted item picks the game mode; the options emblem turns.
void Highlight(c_MyApp& a) {
	if (a.m_menuSel < 1 || a.m_menuSel > ITEM_COUNT) a.m_menuSel = 1;
	if (a.m_menuSel < OPTIONS_ITEM) {
		a.m_gameMode = a.m_menuSel;
	} else {
		a.m_menuSpin += MENU_SPIN_STEP;
	}
}

// Flings feed the target, the shown scroll eases toward it.
void Scrolling(c_MyApp& a) {
	if (a.m_mouseDown == 0) a.m_menuDrag = 0;
	a.m_menuScrollTarget += a.m_menuScrollVel;
	a.m_menuScroll -= (a.m_menuScroll - a.m_menuScrollTarget) * SCROLL_EASE;
	if (a.m_menuScrollVel != 0) {
		a.m_menuScrollVel *= FLING_DECAY;
		if (std::fabs(a.m_menuScrollVel) < FLING_STOP) a.m_menuScrollVel = 0;
	}
}

// Items down the screen in portrait, along the bottom in landscape.
MenuLayout Layout(const c_MyApp& a) {
	float w = kx_Zimbolo_jscrw;
	float h = kx_Zimbolo_jscrh;
	MenuLayout m;
	m.portrait = a.m_landscape == 0;
	m.centreX = static_cast<int>((w - SIDE_PANEL_W) / 2);
	m.centreY = static_cast<int>(0.6f * h);
	float firstX = m.centreX;
	float firstY = static_cast<int>(a.m_menuScroll + 0.6f * h);
	if (!m.portrait) {
		m.centreY = static_cast<int>(h - 96);
		firstX = static_cast<int>((w - SIDE_PANEL_W) / 2 + a.m_menuScroll);
		firstY = m.centreY;
	}
	for (int i = 1; i <= ITEM_COUNT; ++i) {
		m.x[i] = firstX + (m.portrait ? 0 : ITEM_SPACING * (i - 1));
		m.y[i] = firstY + (m.portrait ? ITEM_SPACING * (i - 1) : 0);
	}
	return m;
}

// The first and last items may not leave the screen: they pull the target back.
void EndStops(c_MyApp& a, const MenuLayout& m, int i) {
	float w = kx_Zimbolo_jscrw;
	float h = kx_Zimbolo_jscrh;
	if (i == 1 && (m.portrait ? m.y[i] > 0.75f * h : m.x[i] > 0.75f * (w - SIDE_PANEL_W))) {
		a.m_menuSel = 1;
		a.m_menuScrollTarget -= END_STOP_PULL;
	}
	if (i == ITEM_COUNT && (m.portrait ? m.y[i] < 0.45f * h : m.x[i] < 0.25f * w)) {
		a.m_menuSel = ITEM_COUNT;
		a.m_menuScrollTarget += END_STOP_PULL;
	}
}

// A mode's art, or the turning options emblem.
void DrawItem(c_MyApp& a, int i, float x, float y) {
	if (i == OPTIONS_ITEM) {
		a.p_DrawEmblem(x, y);
	} else {
		a.p_DrawImg(IMG_BUTTONS, x, y, MODE_FRAME_FIRST + i - 1);
	}
}

// The options box opens with its cursor on the back control.
void OpenOptions(c_MyApp& a) {
	a.m_optionsOpen = 1;
	a.m_optionsRow = 0;
	a.m_keyLock = 1;
	a.m_waitRelease = 1;
	a.p_PlaySFX(SFX_MENU, 1.0f);
}

// A game starts in the highlighted mode.
void StartGame(c_MyApp& a) {
	a.m_gameMode = a.m_menuSel;
	a.m_gameState = STATE_START_GAME;
	a.m_keyLock = 1;
	a.m_waitRelease = 1;
	a.p_PlaySFX(SFX_MENU, 1.0f);
}

// Item i becomes the highlighted one and the carousel scrolls to it.
void SnapTo(c_MyApp& a, int i) {
	a.m_menuSel = i;
	a.m_menuScrollTarget = (1 - i) * ITEM_SPACING;
	a.m_menuScrollVel = 0;
	a.m_menuDrag = 0;
	a.m_menuSnapItem = i;
	a.p_PlaySFX(SFX_BOX, 1.0f);
}

// A tap or the play button on item i: highlight it, or choose it.
void HitItem(c_MyApp& a, int i) {
	if (a.m_waitRelease != 0 || a.m_keyLock != 0) return;
	if (i != a.m_menuSel) {
		SnapTo(a, i);
		a.m_keyLock = 1;
		a.m_waitRelease = 1;
	} else if (i < OPTIONS_ITEM) {
		a.m_startPlayer = 0;
		a.m_controlMode = 2;
		StartGame(a);
	} else {
		OpenOptions(a);
	}
}

// The play button under the panel; true when pressed.
bool PlayButton(c_MyApp& a) {
	a.p_SetSize(3, 2.5f);
	a.p_SetCol(100, 255, 100, 0.3f);
	bool pressed = a.p_Button(IMG_ICONS, kx_Zimbolo_jscrw - 70, kx_Zimbolo_jscrh - 48 - 4 * a.m_menuSlide, PLAY_ICON) != 0;
	a.p_SetSize(1);
	a.p_SetCol(255, 255, 255, 1);
	return pressed;
}

// Draws and tests the four items; the item nearest the centre gets highlighted.
void Items(c_MyApp& a, const MenuLayout& m) {
	int nearest = 0;
	float nearestDist = NEAREST_START;
	bool playDrawn = false;
	for (int i = 1; i <= ITEM_COUNT; ++i) {
		EndStops(a, m, i);
		bool highlighted = i == a.m_menuSel;
		// NOTE: the items are drawn white; the colour left by the panel or the
		// score lists would tint them (black with the options item highlighted).
		a.p_SetCol(255, 255, 255);
		a.p_SetSize(highlighted ? HIGHLIGHT_SCALE : 1);
		a.p_SetRot(0);
		float d = std::hypot(m.x[i] - m.centreX, m.y[i] - m.centreY);
		if (d < nearestDist) {
			nearestDist = d;
			nearest = i;
		}
		a.p_Alpha(highlighted ? 1 : std::fmax(1 - d / FADE_DISTANCE, MIN_ITEM_ALPHA));
		DrawItem(a, i, m.x[i], m.y[i]);
		bool tapped = a.p_TapOnImage(IMG_BUTTONS, m.x[i], m.y[i]) != 0;
		bool played = false;
		if (!playDrawn && a.m_menuSel < OPTIONS_ITEM) {
			playDrawn = true;
			played = PlayButton(a);
		}
		if (tapped) HitItem(a, i);
		if (played) HitItem(a, a.m_menuSel);
	}
	if (nearest != 0 && nearest != a.m_menuSel && a.m_menuSnapItem == 0) {
		a.m_menuSel = nearest;
		a.p_PlaySFX(SFX_BOX, 1.0f);
	}
	if (a.m_menuSnapItem != 0 && std::fabs(a.m_menuScroll - a.m_menuScrollTarget) < SNAP_CLOSE) a.m_menuSnapItem = 0;
}

// Who pressed the action button: the highest pad, then the keyboard wins.
void TakeStartPlayer(c_MyApp& a) {
	a.m_controlMode = kx_Zimbolo_isOuya == 1 ? 1 : 0;
	for (int p = PAD_COUNT - 1; p >= 0; --p) {
		if (ActionOn(a, p)) {
			a.m_startPlayer = p;
			a.m_controlMode = 1;
		}
	}
	if (ActionOn(a, KEYBOARD_PORT)) {
		a.m_startPlayer = 0;
		a.m_controlMode = 0;
	}
}

// Keys move the highlight, choose the item or open the credits.
void Keys(c_MyApp& a) {
	if (BoxOpen(a)) return;
	if (a.m_keyLock == 0 && (Pressed(a, BTN_UP) || Pressed(a, BTN_LEFT)) && a.m_menuSel >= 2) {
		SnapTo(a, a.m_menuSel - 1);
		a.m_keyLock = 1;
	}
	if (a.m_keyLock == 0 && (Pressed(a, BTN_DOWN) || Pressed(a, BTN_RIGHT)) && a.m_menuSel < ITEM_COUNT) {
		SnapTo(a, a.m_menuSel + 1);
		a.m_keyLock = 1;
	}
	if (a.m_keyLock == 0 && ActionPressed(a)) {
		if (a.m_menuSel < OPTIONS_ITEM) {
			TakeStartPlayer(a);
			StartGame(a);
		} else {
			OpenOptions(a);
		}
	}
	if (a.m_keyLock == 0 && Pressed(a, BTN_R1)) {
		a.m_keyLock = 1;
		a.p_PlaySFX(SFX_BOX, 1.0f);
		a.m_creditsOpen = 1;
	}
}

// The studio logo in the corner opens the credits.
void CreditsButton(c_MyApp& a) {
	a.p_ResetDraw();
	a.p_SetSize(0.35f);
	bool pressed = a.p_Button(IMG_LOGO, kx_Zimbolo_jscrw - 70, 32 + 4 * a.m_menuSlide, 0) != 0;
	if (pressed && a.m_waitRelease == 0 && !BoxOpen(a)) {
		a.m_waitRelease = 1;
		a.p_PlaySFX(SFX_BOX, 1.0f);
		a.m_creditsOpen = 1;
	}
}

// Pointer movement along the carousel flings it; a real drag is not a tap.
void Dragging(c_MyApp& a, const MenuLayout& m) {
	if (BoxOpen(a) || a.m_waitRelease == 1 || a.m_mouseDown == 0) return;
	float moved = m.portrait ? a.m_mouseY - a.m_prevMouseY : a.m_mouseX - a.m_prevMouseX;
	a.m_menuDrag = DRAG_FACTOR * moved;
	if (std::fabs(a.m_menuDrag) > DRAG_THRESHOLD) {
		a.m_waitRelease = WAIT_DRAG;
		a.m_menuScrollVel += a.m_menuDrag;
	}
}

}  // namespace

//----------------------------------------------------------------------------
// The main menu
//----------------------------------------------------------------------------

// One update of the title screen.
int c_MyApp::p_Menu() {
	FrameSetUp(*this);
	BackControl(*this);
	TitleAndPanel(*this);
	ScoreLists(*this);
	Highlight(*this);
	Scrolling(*this);
	MenuLayout layout = Layout(*this);
	if (!BoxOpen(*this)) Items(*this, layout);
	Keys(*this);
	CreditsButton(*this);
	Dragging(*this, layout);
	return 0;
}
