// options_box.cpp: the options panel over the main menu or the pause panel.
//
// p_OptionBox runs while the box is open and while it slides away. It keeps
// the screen below locked, slides a panel down from the top and offers a back
// control and a list of rows: sound mode, iCade input (not on an Ouya), full
// screen and, outside a game, the credits. On an Ouya an overscan adjuster sits
// above the rows. The box has its own key and tap locks, so a held key or a
// held pointer acts once. Leaving through back saves the settings.
#include "audio/audio_api.h"
#include "game/my_app.h"

namespace {

// The box is fully open (and takes input) at this slide position.
const int SLIDE_OPEN = 30;
// The panel and rows move 24 pixels per slide step.
const float SLIDE_PIXELS = 24;
// Panel: 50 in from each side, brown and nearly opaque.
const float PANEL_X = 50;
// Back control: the options emblem, with its label to the right.
const float BACK_X_OPEN = 100;
const float BACK_Y = 60;
const float BACK_SCALE = 1.5f;
const float BACK_SCALE_CURSOR = 2;
const float BACK_LABEL_OFFSET = 76;
const float SPIN_STEP = 0.2f;
// Rows: the first 130 below the panel top, then 40 apart; credits 50 apart.
const float FIRST_ROW = 130;
const float ROW_STEP = 40;
const float CREDITS_STEP = 50;
const float ROW_BAR_X = 84;
const float ROW_LABEL_X = 100;
const float ROW_BAR_H = 24;
const float CREDITS_FROM_RIGHT = 264;
const float CREDITS_BAR_W = 180;
const float LABEL_SCALE = 2;
// Overscan on an Ouya: 1..96 pixels in steps of 16, shown on a bar.
const int OVERSCAN_MIN = 1;
const int OVERSCAN_MAX = 96;
const int OVERSCAN_STEP = 16;
const float OVERSCAN_BAR_W = 256;
const float OVERSCAN_MARK = 2.67f;
const float OVERSCAN_ROW = 92;
// Screen corner marks on an Ouya: an L of two 16 x 8 bars.
const float CORNER_LONG = 16;
const float CORNER_SHORT = 8;
// Sound modes with music: off, effects and music, effects, music.
const int SOUND_MODES_MUSIC = 4;
const int SOUND_MODES_PLAIN = 2;
const int SOUND_OFF = 0;
const int SOUND_SFX_ONLY = 2;

// The rows of the list, in the order drawn.
enum OptionRow { ROW_SOUND, ROW_ICADE, ROW_FULLSCREEN, ROW_CREDITS };

// Controls that keep the box's key lock set while any is held.
const int LOCK_CONTROLS[] = {BTN_UP, BTN_LEFT, BTN_RIGHT, BTN_DOWN, BTN_A, BTN_B, BTN_C,
                             BTN_D, BTN_L1, BTN_R1, VBTN_BACK_A, VBTN_BACK_B, BTN_BACK};

//----------------------------------------------------------------------------
// Helpers
//----------------------------------------------------------------------------

// Control c is held by one of the four players.
bool Pressed(c_MyApp& a, int c) {
	return a.p_PlayKeyAll(c, 1) != 0;
}

// One of the controls 10-15 (which activate the row under the cursor) is held.
bool RowKeyPressed(c_MyApp& a) {
	for (int c = BTN_A; c <= BTN_R1; ++c) {
		if (Pressed(a, c)) return true;
	}
	return false;
}

// Both of the box's locks are clear.
bool Unlocked(const c_MyApp& a) {
	return a.m_optionsKeyLock == 0 && a.m_optionsTapLock == 0;
}

// Sets both of the box's locks.
void LockBox(c_MyApp& a) {
	a.m_optionsKeyLock = 1;
	a.m_optionsTapLock = 1;
}

// Slide offset: 0 when open, growing as the box slides away upward.
float SlideOffset(const c_MyApp& a) {
	return (SLIDE_OPEN - a.m_optionsSlide) * SLIDE_PIXELS;
}

// x of the back control, flying in from the left (100 when open).
float BackX(const c_MyApp& a) {
	return (3 * a.m_optionsSlide - 90) * 4 + BACK_X_OPEN;
}

// The rows shown: iCade not on an Ouya, credits not during a game.
int RowList(const c_MyApp& a, OptionRow rows[]) {
	int n = 0;
	rows[n++] = ROW_SOUND;
	if (kx_Zimbolo_isOuya == 0) rows[n++] = ROW_ICADE;
	rows[n++] = ROW_FULLSCREEN;
	if (a.m_paused == 0) rows[n++] = ROW_CREDITS;
	return n;
}

// The sound row's label; a stored mode out of range becomes off.
String SoundLabel(c_MyApp& a) {
	static const char* const withMusic[] = {"Sound : Off", "Sound : SFX + Music", "Sound : SFX", "Sound : Music"};
	static const char* const plain[] = {"Sound : Off", "Sound : On"};
	bool music = kx_Zimbolo_HasMusicStream == 1;
	int modes = music ? SOUND_MODES_MUSIC : SOUND_MODES_PLAIN;
	if (a.m_option[5] < 0 || a.m_option[5] >= modes) a.m_option[5] = SOUND_OFF;
	return String(music ? withMusic[a.m_option[5]] : plain[a.m_option[5]]);
}

// The text shown on a row.
String RowLabel(c_MyApp& a, OptionRow row) {
	switch (row) {
	case ROW_SOUND:
		return SoundLabel(a);
	case ROW_ICADE:
		return String(kx_Zimbolo_iCadeControls == 1 ? "iCade : On" : "iCade : Off");
	case ROW_FULLSCREEN:
		return String(a.m_fullscreen == 1 ? "Windowed" : "Fullscreen");
	case ROW_CREDITS:
		break;
	}
	return String("Credits");
}

//----------------------------------------------------------------------------
// Steps of an update
//----------------------------------------------------------------------------

// On an Ouya, L-shaped white marks show where the screen corners are.
void CornerMarks(c_MyApp& a) {
	float w = kx_Zimbolo_jscrw;
	float h = kx_Zimbolo_jscrh;
	a.p_Rect(0, 0, CORNER_LONG, CORNER_SHORT);
	a.p_Rect(0, 0, CORNER_SHORT, CORNER_LONG);
	a.p_Rect(w - CORNER_LONG, 0, CORNER_LONG, CORNER_SHORT);
	a.p_Rect(w - CORNER_SHORT, 0, CORNER_SHORT, CORNER_LONG);
	a.p_Rect(0, h - CORNER_SHORT, CORNER_LONG, CORNER_SHORT);
	a.p_Rect(0, h - CORNER_LONG, CORNER_SHORT, CORNER_LONG);
	a.p_Rect(w - CORNER_LONG, h - CORNER_SHORT, CORNER_LONG, CORNER_SHORT);
	a.p_Rect(w - CORNER_SHORT, h - CORNER_LONG, CORNER_SHORT, CORNER_LONG);
}

// Brown panel, sliding down from above.
void Panel(c_MyApp& a) {
	a.p_SetCol(150, 75, 0, 0.85f);
	a.p_Rect(PANEL_X, SlideOffset(a), kx_Zimbolo_jscrw - 2 * PANEL_X, kx_Zimbolo_jscrh);
}

// Leaves the box and saves the settings.
void Leave(c_MyApp& a) {
	a.m_optionsOpen = 0;
	a.p_PlaySFX(SFX_BOX, 1.0f);
	a.p_Save();
}

// The emblem at the top left closes the box when tapped or on back.
void BackControl(c_MyApp& a) {
	float x = BackX(a);
	a.p_SetCol(255, 255, 255);
	a.p_SetSize(a.m_optionsRow == 0 ? BACK_SCALE_CURSOR : BACK_SCALE);
	a.m_menuSpin += SPIN_STEP;
	a.p_DrawEmblem(x, BACK_Y);
	bool tapped = a.p_TapOnImage(IMG_BUTTONS, x, BACK_Y) != 0 || Pressed(a, BTN_BACK);
	if (tapped && Unlocked(a)) Leave(a);
	a.p_SetCol(255, 255, 255);
	a.p_SetSize(LABEL_SCALE);
	a.p_Text(x + BACK_LABEL_OFFSET, BACK_Y, String("<[BACK]"), 0, 1);
}

// On an Ouya: the overscan bar, moved by L1 and R1.
void OverscanRow(c_MyApp& a) {
	float y = (3 * a.m_optionsSlide - 90) * 4 + OVERSCAN_ROW;
	float cx = 0.6f * kx_Zimbolo_jscrw;
	a.p_SetSize(LABEL_SCALE);
	a.p_Text(cx, y, String("L1 <      Overscan      > R1"), 1, 1);
	a.p_SetSize(1);
	a.p_SetCol(0, 128, 255, 0.5f);
	a.p_Rect(cx - OVERSCAN_BAR_W / 2, y - 5, OVERSCAN_BAR_W, 9);
	a.p_SetCol(255, 255, 0, 0.75f);
	a.p_Rect(a.m_option[14] * OVERSCAN_MARK + cx - 132, y - 8, 8, 16);
	if (a.m_optionsKeyLock == 0 && Pressed(a, BTN_L1)) {
		a.m_option[14] -= OVERSCAN_STEP;
		a.m_optionsKeyLock = 1;
	}
	if (a.m_optionsKeyLock == 0 && Pressed(a, BTN_R1)) {
		a.m_option[14] += OVERSCAN_STEP;
		a.m_optionsKeyLock = 1;
	}
	if (a.m_option[14] < OVERSCAN_MIN) a.m_option[14] = OVERSCAN_MIN;
	if (a.m_option[14] > OVERSCAN_MAX) a.m_option[14] = OVERSCAN_MAX;
	kx_Zimbolo_overscan = static_cast<float>(a.m_option[14]);
}

// Next sound mode; music stops in the modes without it.
void CycleSound(c_MyApp& a) {
	if (kx_Zimbolo_HasMusicStream == 1) {
		a.m_option[5] = (a.m_option[5] + 1) % SOUND_MODES_MUSIC;
		if (a.m_option[5] == SOUND_OFF || a.m_option[5] == SOUND_SFX_ONLY) {
			kx_audio_StopMusic();
			a.m_musicOn = 0;
		}
	} else {
		a.m_option[5] = 1 - a.m_option[5];
	}
}

// Carries out a row that was touched or chosen by key; false when locked.
bool ActivateRow(c_MyApp& a, OptionRow row, bool byKey) {
	// NOTE: the iCade and full-screen rows also honour the key lock when chosen
	// by key, or a held key would flip them on every other update.
	bool keyClear = !byKey || a.m_optionsKeyLock == 0;
	switch (row) {
	case ROW_SOUND:
		if (!Unlocked(a)) return false;
		CycleSound(a);
		LockBox(a);
		a.p_PlaySFX(SFX_BOX, 1.0f);
		break;
	case ROW_ICADE:
		if (a.m_optionsTapLock != 0 || !keyClear) return false;
		kx_Zimbolo_iCadeControls = 1 - kx_Zimbolo_iCadeControls;
		a.p_iCade(kx_Zimbolo_iCadeControls);
		LockBox(a);
		a.p_PlaySFX(SFX_BOX, 1.0f);
		for (int i = 0; i < MYAPP_VBUTTONS; ++i) a.m_vButton[i] = 0;
		break;
	case ROW_FULLSCREEN:
		if (a.m_optionsTapLock != 0 || !keyClear) return false;
		LockBox(a);
		a.p_PlaySFX(SFX_BOX, 1.0f);
		a.p_FullscreenFlip();
		break;
	case ROW_CREDITS:
		if (!Unlocked(a)) return false;
		a.m_creditsOpen = 1;
		a.m_optionsKeyLock = 0;
		a.m_optionsTapLock = 0;
		a.m_optionsOpen = 0;
		break;
	}
	return true;
}

// Draws row k of the list at y; returns true when its bar is touched.
bool DrawRow(c_MyApp& a, OptionRow row, int k, float y) {
	float labelX = ROW_LABEL_X;
	float barX = ROW_BAR_X;
	float barW = kx_Zimbolo_jscrw - 2 * ROW_BAR_X;
	if (row == ROW_CREDITS) {
		labelX = static_cast<int>(kx_Zimbolo_jscrw - CREDITS_FROM_RIGHT);
		barX = labelX - 16;
		barW = CREDITS_BAR_W;
	}
	if (a.m_optionsRow == k) {
		a.p_SetCol(0, 180, 255, 0.5f);
	} else {
		a.p_SetCol(0, 0, 160, 0.5f);
	}
	a.p_SetSize(1);
	bool touched = a.p_Touch(barX, y - 2, barW, ROW_BAR_H) != 0;
	a.p_SetCol(255, 255, 255);
	a.p_SetSize(LABEL_SCALE);
	a.p_Text(labelX, y, RowLabel(a, row), 0, 0);
	return touched;
}

// The row list; returns the number of rows (the cursor's last position).
int Rows(c_MyApp& a) {
	OptionRow rows[ROW_CREDITS + 1];
	int n = RowList(a, rows);
	float y = SlideOffset(a) + FIRST_ROW;
	for (int k = 1; k <= n; ++k) {
		OptionRow row = rows[k - 1];
		if (k > 1) y += row == ROW_CREDITS ? CREDITS_STEP : ROW_STEP;
		bool touched = DrawRow(a, row, k, y);
		bool byKey = !touched && a.m_optionsRow == k && RowKeyPressed(a);
		if (!touched && !byKey) continue;
		if (ActivateRow(a, row, byKey) && touched) a.m_optionsRow = k;
	}
	return n;
}

// Keys: leave from the back control, move the cursor.
void Keys(c_MyApp& a, int lastRow) {
	if (a.m_optionsKeyLock == 0 && a.m_optionsRow == 0 &&
	    (Pressed(a, BTN_R1) || Pressed(a, BTN_A) || Pressed(a, BTN_B))) {
		a.m_optionsKeyLock = 1;
		Leave(a);
	}
	if (a.m_optionsKeyLock == 0 && a.m_optionsRow > 0 && (Pressed(a, BTN_UP) || Pressed(a, BTN_LEFT))) {
		a.m_optionsRow -= 1;
		a.m_optionsKeyLock = 1;
		a.p_PlaySFX(SFX_BOX, 1.0f);
	}
	if (a.m_optionsKeyLock == 0 && a.m_optionsRow < lastRow && (Pressed(a, BTN_DOWN) || Pressed(a, BTN_RIGHT))) {
		a.m_optionsRow += 1;
		a.m_optionsKeyLock = 1;
		a.p_PlaySFX(SFX_BOX, 1.0f);
	}
}

// The tap lock ends with the pointer up, the key lock once nothing is held.
void Release(c_MyApp& a) {
	if (a.m_mouseDown == 0) a.m_optionsTapLock = 0;
	for (int c : LOCK_CONTROLS) {
		if (Pressed(a, c)) return;
	}
	a.m_optionsKeyLock = 0;
}

}  // namespace

//----------------------------------------------------------------------------
// The options box
//----------------------------------------------------------------------------

// One update of the options box.
int c_MyApp::p_OptionBox() {
	p_ResetDraw();
	if (kx_Zimbolo_isOuya == 1) CornerMarks(*this);
	m_keyLock = 1;
	m_waitRelease = 1;
	if (m_optionsSlide != SLIDE_OPEN) LockBox(*this);
	Panel(*this);
	BackControl(*this);
	if (kx_Zimbolo_isOuya == 1) OverscanRow(*this);
	int lastRow = Rows(*this);
	Keys(*this, lastRow);
	Release(*this);
	p_ResetDraw();
	return 0;
}
