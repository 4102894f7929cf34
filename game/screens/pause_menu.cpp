// pause_menu.cpp: the panel that drops over a game in progress.
//
// p_PauseMenu runs while m_paused is 1. It dims the playfield, drops the panel
// in from the top (or lifts it away when resuming) and offers three choices:
// end the game (left), resume (centre) and the options box (right), by tap or
// by a key cursor. On an Ouya an overscan bar sits above the panel.
#include "game/my_app.h"

namespace {

// The dim layer is fully dark when the panel is 0.8 screen heights down.
const float DIM_DEPTH = 0.8f;
// The panel moves 24 pixels per update; it is gone above -32 (or -63 at once).
const int PAUSE_STEP = 24;
const int GONE_AT_ONCE = -63;
const int GONE = -32;
const int PAUSE_Y_START = -64;
// Cursor positions.
const int CHOICE_END = -1;
const int CHOICE_RESUME = 0;
const int CHOICE_OPTIONS = 1;
// Frames of the icon sheet.
const int ICON_END = 1;
const int ICON_RESUME = 3;
const int ICON_HIGHLIGHT = 6;
const float BUTTON_SCALE = 2;
const float HIGHLIGHT_SCALE = 2.5f;
const float SPIN_STEP = 0.2f;
// Side buttons: 140 out and 64 up in landscape, 96 and 96 in portrait.
const float SIDE_LANDSCAPE = 140;
const float RAISE_LANDSCAPE = 64;
const float SIDE_PORTRAIT = 96;
const float RAISE_PORTRAIT = 96;
// Cursor sounds: lower pitch to the left, higher to the right.
const float PITCH_LEFT = 0.8f;
const float PITCH_RIGHT = 1.2f;
const float PITCH_END = 0.5f;
const float MENU_VOLUME = 0.5f;
// Overscan on an Ouya: 1..96 pixels in steps of 16.
const int OVERSCAN_MIN = 1;
const int OVERSCAN_MAX = 96;
const int OVERSCAN_STEP = 16;
const int OVERSCAN_FLIP_AT = 32;
const float OVERSCAN_BAR_W = 256;
const float OVERSCAN_MARK = 2.67f;

// Where the side buttons sit this update.
struct SideButtons {
	float endX;
	float optionsX;
	float y;
};

//----------------------------------------------------------------------------
// Helpers
//----------------------------------------------------------------------------

// Control c is held by one of the four players.
bool Pressed(c_MyApp& a, int c) {
	return a.p_PlayKeyAll(c, 1) != 0;
}

// The end-game and options buttons, wider apart in landscape.
SideButtons SidePositions(const c_MyApp& a) {
	float cx = kx_Zimbolo_jscrw / 2;
	bool landscape = a.m_landscape == 1;
	float side = landscape ? SIDE_LANDSCAPE : SIDE_PORTRAIT;
	float raise = landscape ? RAISE_LANDSCAPE : RAISE_PORTRAIT;
	return SideButtons{static_cast<float>(static_cast<int>(cx - side)), static_cast<float>(static_cast<int>(cx + side)),
	                   a.m_pauseY - raise};
}

// The cursor's highlight ring on a button.
void DrawHighlight(c_MyApp& a, float x, float y) {
	a.p_SetSize(HIGHLIGHT_SCALE);
	a.p_SetCol(255, 255, 100);
	a.p_DrawImg(IMG_ICONS, x, y, ICON_HIGHLIGHT);
}

// Moves the cursor with a blip pitched by direction.
void MoveCursor(c_MyApp& a, int choice, float pitch) {
	a.m_pauseChoice = choice;
	a.m_keyLock = 1;
	a.p_PlaySFX(SFX_MENU, pitch, MENU_VOLUME, 0);
}

// The panel starts rising; the game resumes when it is gone.
void Resume(c_MyApp& a) {
	a.m_pauseDir = -1;
	a.m_waitRelease = 1;
	a.p_PlaySFX(SFX_MENU, MENU_VOLUME);
}

// The game ends at once and the game-over sequence takes over.
void EndGame(c_MyApp& a) {
	a.m_paused = 0;
	a.m_pauseDir = -1;
	a.m_pauseY = PAUSE_Y_START;
	a.m_gameOver = 1;
	a.m_waitRelease = 1;
	a.p_PlaySFX(SFX_MENU, PITCH_END, MENU_VOLUME, 0);
}

//----------------------------------------------------------------------------
// Steps of an update
//----------------------------------------------------------------------------

// Darkens the game in proportion to how far the panel has come down.
void Dim(c_MyApp& a) {
	a.p_SetCol(0, 0, 0, (a.m_pauseY < 0 ? -a.m_pauseY : a.m_pauseY) / (DIM_DEPTH * kx_Zimbolo_jscrh));
	a.p_Rect(0, 0, kx_Zimbolo_jscrw, kx_Zimbolo_jscrh);
}

// Drops in to mid-screen, or rises and ends the pause.
void Motion(c_MyApp& a) {
	if (a.m_pauseDir == 1) {
		if (a.m_pauseY < kx_Zimbolo_jscrh / 2) a.m_pauseY += PAUSE_STEP;
	} else if (a.m_pauseDir == -1) {
		if (a.m_pauseY < GONE_AT_ONCE) {
			a.m_paused = 0;
		} else {
			a.m_pauseY -= PAUSE_STEP;
			if (a.m_pauseY < GONE) a.m_paused = 0;
		}
	}
}

// An orange body between a yellow bar above and a blue bar below.
void Panel(c_MyApp& a) {
	float cx = kx_Zimbolo_jscrw / 2;
	float y = a.m_pauseY;
	bool landscape = a.m_landscape == 1;
	float barHalf = landscape ? 128 : 96;
	float bodyHalfW = landscape ? 140 : 128;
	float bodyHalfH = landscape ? 52 : 80;
	float barGap = landscape ? 64 : 92;
	a.p_ResetDraw();
	a.p_SetCol(255, 255, 10, 0.6f);
	a.p_Rect(cx - barHalf, y - barGap, 2 * barHalf, 8);
	a.p_SetCol(255, 150, 10, 0.7f);
	a.p_Rect(cx - bodyHalfW, y - bodyHalfH, 2 * bodyHalfW, 2 * bodyHalfH);
	a.p_SetCol(10, 150, 255, 0.6f);
	a.p_Rect(cx - barHalf, y + barGap - 8, 2 * barHalf, 8);
}

// On an Ouya: the overscan bar above the panel, clicked or moved by L1 and R1.
void OverscanLine(c_MyApp& a) {
	float cx = kx_Zimbolo_jscrw / 2;
	float y = a.m_pauseY;
	a.p_SetSize(2);
	a.p_Text(cx, y - 150, String("L1 <      Overscan      > R1"), 1, 1);
	a.p_SetSize(1);
	a.p_SetCol(0, 128, 255, 0.5f);
	a.p_Rect(cx - OVERSCAN_BAR_W / 2, y - 154, OVERSCAN_BAR_W, 9);
	a.p_SetCol(255, 255, 0, 0.75f);
	a.p_Rect(a.m_option[14] * OVERSCAN_MARK + cx - 132, y - 158, 8, 16);
	if (a.p_MouseIn_Centered(cx, y - 158, OVERSCAN_BAR_W, 16) != 0 && a.m_waitRelease == 0) {
		a.m_waitRelease = 1;
		a.p_PlaySFX(SFX_MENU, 1.0f);
		a.m_option[14] = a.m_option[14] >= OVERSCAN_FLIP_AT ? OVERSCAN_MIN : OVERSCAN_MAX;
	}
	if (a.m_keyLock == 0 && Pressed(a, BTN_L1) && a.m_option[14] > 0) {
		a.m_option[14] -= OVERSCAN_STEP;
		a.m_keyLock = 1;
	}
	if (a.m_keyLock == 0 && Pressed(a, BTN_R1) && a.m_option[14] < OVERSCAN_MAX) {
		a.m_option[14] += OVERSCAN_STEP;
		a.m_keyLock = 1;
	}
	if (a.m_option[14] < OVERSCAN_MIN) a.m_option[14] = OVERSCAN_MIN;
	if (a.m_option[14] > OVERSCAN_MAX) a.m_option[14] = OVERSCAN_MAX;
	kx_Zimbolo_overscan = static_cast<float>(a.m_option[14]);
}

// The centre button resumes the game.
void ResumeButton(c_MyApp& a) {
	float cx = kx_Zimbolo_jscrw / 2;
	a.p_SetSize(BUTTON_SCALE);
	a.p_SetCol(50, 50, 250);
	if (a.p_Button(IMG_ICONS, cx, a.m_pauseY, ICON_RESUME) != 0 && a.m_waitRelease == 0) Resume(a);
	if (a.m_pauseChoice != CHOICE_RESUME) return;
	DrawHighlight(a, cx, a.m_pauseY);
	if (a.m_keyLock != 0) return;
	if (Pressed(a, BTN_A)) {
		Resume(a);
		a.m_keyLock = 1;
	} else if (Pressed(a, BTN_LEFT) || Pressed(a, BTN_UP)) {
		MoveCursor(a, CHOICE_END, PITCH_LEFT);
	} else if (Pressed(a, BTN_RIGHT)) {
		MoveCursor(a, CHOICE_OPTIONS, PITCH_RIGHT);
	}
}

// The left button ends the game.
void EndButton(c_MyApp& a, const SideButtons& at) {
	a.p_SetSize(BUTTON_SCALE);
	a.p_SetCol(255, 50, 50);
	a.p_DrawImg(IMG_ICONS, at.endX, at.y, ICON_END);
	if (a.p_TapOnImage(IMG_ICONS, at.endX, at.y) != 0 && a.m_waitRelease == 0) EndGame(a);
	if (a.m_pauseChoice != CHOICE_END) return;
	DrawHighlight(a, at.endX, at.y);
	if (a.m_keyLock != 0) return;
	if (Pressed(a, BTN_A)) {
		EndGame(a);
		a.m_keyLock = 1;
	} else if (Pressed(a, BTN_RIGHT) || Pressed(a, BTN_DOWN)) {
		MoveCursor(a, CHOICE_RESUME, PITCH_LEFT);
	}
}

// The right button, the options emblem, opens the options box.
void OptionsButton(c_MyApp& a, const SideButtons& at) {
	if (a.m_optionsOpen == 0) a.m_menuSpin += SPIN_STEP;
	a.p_SetSize(1);
	a.p_SetCol(255, 255, 255);
	a.p_DrawEmblem(at.optionsX, at.y);
	if (a.p_TapOnImage(IMG_BUTTONS, at.optionsX, at.y) != 0 && a.m_waitRelease == 0) {
		a.m_optionsOpen = 1;
		a.m_optionsRow = 0;
		a.m_waitRelease = 1;
		a.p_PlaySFX(SFX_BOX, 1.0f);
	}
	if (a.m_pauseChoice != CHOICE_OPTIONS) return;
	DrawHighlight(a, at.optionsX, at.y);
	if (a.m_keyLock != 0) return;
	if (Pressed(a, BTN_A)) {
		a.m_optionsOpen = 1;
		a.m_optionsRow = 0;
		a.m_keyLock = 1;
		a.p_PlaySFX(SFX_MENU, MENU_VOLUME);
	} else if (Pressed(a, BTN_LEFT) || Pressed(a, BTN_DOWN)) {
		MoveCursor(a, CHOICE_RESUME, PITCH_LEFT);
	}
}

}  // namespace

//----------------------------------------------------------------------------
// The pause menu
//----------------------------------------------------------------------------

// One update of the pause panel.
int c_MyApp::p_PauseMenu() {
	Dim(*this);
	Motion(*this);
	Panel(*this);
	if (kx_Zimbolo_isOuya == 1) OverscanLine(*this);
	SideButtons at = SidePositions(*this);
	ResumeButton(*this);
	EndButton(*this, at);
	OptionsButton(*this, at);
	if (m_keyLock == 0 && Pressed(*this, BTN_BACK)) {
		m_keyLock = 1;
		m_pauseDir = -1;
		p_PlaySFX(SFX_MENU, MENU_VOLUME);
	}
	return 0;
}
