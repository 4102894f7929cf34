// game_over.cpp: the end of a game: the game-over overlay and its timing, the
// placing texts and the Game Center hooks (which do nothing on this platform).
#include "game/play/play.h"

//----------------------------------------------------------------------------
// Constants
//----------------------------------------------------------------------------

// Places in each mode's best list.
const int LIST_PLACES = 10;
// The overlay builds up for OVERLAY_FRAMES, then play returns to the menu and
// the timer goes on from OVERLAY_AFTER, fading by OVERLAY_FADE per menu frame.
const int OVERLAY_FRAMES = 90;
const int OVERLAY_AFTER = 73;
const int OVERLAY_FADE = 2;
// Screen darkening: alpha grows by 1/DARKEN_FRAMES per frame up to DARKEN_MAX.
const float DARKEN_FRAMES = 40;
const float DARKEN_MAX = 0.7f;
// The bars grow by BAR_SPEED pixels per frame up to BAR_REACH of the height.
const int BAR_SPEED = 12;
const float BAR_REACH = 0.45f;
const float BAR_HEIGHT = 16;
// The banner's place under its heading.
const char* const BANNER_TEXT = "New Highscore\\n           ";

static const char* const PLACE_NAMES[LIST_PLACES] = {"1st", "2nd", "3rd", "4th", "5th", "6th", "7th", "8th", "9th", "10th"};

//----------------------------------------------------------------------------
// Placing
//----------------------------------------------------------------------------

// "1st" .. "10th" for 1..10; empty otherwise.
String c_MyApp::p_Nth(int n) {
	if (n < 1 || n > LIST_PLACES) return String();
	return String(PLACE_NAMES[n - 1]);
}

// The placing text of the score in the mode's best ten; the placing in m_i.
String c_MyApp::p_MyNth() {
	int base = (m_gameMode - 1) * LIST_PLACES;
	m_i = 0;
	for (int k = 0; k < LIST_PLACES; ++k) {
		if (m_score >= m_hiScore[base + k]) {
			m_i = k + 1;
			break;
		}
	}
	if (m_i == 1) return String("1st!");
	return p_Nth(m_i);
}

//----------------------------------------------------------------------------
// Game-over overlay
//----------------------------------------------------------------------------

// Draws the overlay while its timer runs and advances the sequence.
int c_MyApp::p_GameOver() {
	if (m_gameOverTimer >= 1) p_DrawGameOver(m_gameOverTimer);
	if (m_gameState == STATE_PLAYING) {
		m_gameOverTimer += 1;
		if (m_gameOverTimer == OVERLAY_FRAMES) {
			m_gameState = STATE_TO_MENU;
			if (kx_Zimbolo_HasMusicStream == 1) p_StopTune();
			m_gameOverTimer = OVERLAY_AFTER;
		}
	} else if (m_gameState < STATE_PLAYING) {
		m_gameOverTimer = m_gameOverTimer > OVERLAY_FADE ? m_gameOverTimer - OVERLAY_FADE : 0;
	}
	return 0;
}

// The overlay at frame t: darkening, the bars, the words and the banner.
void c_MyApp::p_DrawGameOver(int t) {
	float w = kx_Zimbolo_jscrw;
	float h = kx_Zimbolo_jscrh;
	m_keyLock = 1;
	m_waitRelease = 1;
	float dark = t / DARKEN_FRAMES;
	p_SetCol(0, 0, 0, dark < DARKEN_MAX ? dark : DARKEN_MAX);
	p_Rect(-1, -1, w + 2, h + 2);
	float len = static_cast<float>(BAR_SPEED * t);
	if (len > BAR_REACH * h) len = static_cast<int>(BAR_REACH * h);
	p_SetSize(1, 1);
	p_SetRot(0);
	m_drawBlend = 1;
	p_SetCol(255, 255, 0, 0.5f);
	p_Rect(-1, BAR_REACH * h - BAR_HEIGHT / 2, 2 * len, BAR_HEIGHT);
	p_SetCol(255, 128, 0, 0.5f);
	p_Rect(w - 2 * len, (1 - BAR_REACH) * h - BAR_HEIGHT / 2, 2 * len + 1, BAR_HEIGHT);
	p_SetCol(255, 180, 180, 1);
	p_SetSize(4, 4);
	p_Text(0.35f * w, len, String("GAME"), 1, 1);
	p_Text(0.65f * w, h - len, String("OVER"), 1, 1);
	String place = p_MyNth();
	if (m_i <= 0) return;
	p_SetCol(0, 125, 255, 0.5f);
	p_SetSize(1, 1);
	p_Rect(0.35f * w, h - len / 1.5f - 16, 0.3f * w, 32);
	p_SetCol(100, 255, 100, 1);
	p_SetSize(2, 2);
	p_Text(0.5f * w, h - len / 1.5f, String(BANNER_TEXT) + place, 0.5f, 2);
}

//----------------------------------------------------------------------------
// Game Center hooks
//----------------------------------------------------------------------------

// Posting a score to Game Center: nothing on this platform.
int c_MyApp::p_GC_PostScore(int, int) {
	return 0;
}

// Reporting badges to Game Center: nothing on this platform.
int c_MyApp::p_GC_Badges() {
	return 0;
}
