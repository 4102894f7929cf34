// my_app.cpp: construction, the five lifecycle entry points and the screen flow.
//
// p_OnUpdate runs one game step: platform and function keys, the meters, the
// pointer, the key lock, then either the step loader or the screen of
// m_gameState with the boxes over it, and last the per-update input chores.
// p_OnRender clears the window by drawing over it and replays the display list
// recorded by the last update.
#include "game/my_app.h"

#include "audio/audio_api.h"
#include "game/play/records.h"
#include "graphics/graphics_api.h"
#include "host/app.h"
#include "host/async_events.h"
#include "input/input_api.h"
#include "input/key_codes.h"
#include "runtime/errors.h"

namespace {

// Update rates while active and while the window has no focus.
const int ACTIVE_RATE = 60;
const int SUSPENDED_RATE = 5;
// Box slide positions run from closed to fully open.
const int SLIDE_OPEN = 30;
// Start values of the menu slide and the pause panel.
const int MENU_SLIDE_START = -32;
const int PAUSE_Y_START = -64;
// Key codes the shell reacts to.
const int KEY_OUYA_BACK = 270;
// The pause icon sits at this virtual point.
const float PAUSE_ICON_POS = 16;
// Player record values set at a game start.
const int PLAYER_CLEARED = 500;
const int PLAYER_PADDLE_Y = 2;
const int PLAYER_METER = 10;
const int PLAYER_WAVE = 56;
const int OBJECTS_CLEARED = 10251;
// Highest particle slot in use at a game start.
const int PARTICLE_MAX_START = 250;
// High-score table: ten best per mode, then ten recent per mode from here.
const int HISCORE_ROWS = 10;
const int HISCORE_RECENT = 30;

// Moves a box slide one step toward open (30) or closed (0).
int SlideStep(int slide, bool open) {
	if (open) return slide < SLIDE_OPEN ? slide + 1 : SLIDE_OPEN;
	return slide > 0 ? slide - 1 : 0;
}

// One step of a rate meter: frames per second from the time since the last call.
void MeterStep(int& lastMs, int& fps, int& fpsAvg) {
	int t = kx_app_Millisecs();
	if (t - lastMs > 0) {
		fps = 1000 / (kx_app_Millisecs() - lastMs);
		fpsAvg = (fpsAvg * 9 + fps) / 10;
		lastMs = kx_app_Millisecs();
	}
}

}  // namespace

//----------------------------------------------------------------------------
// Construction
//----------------------------------------------------------------------------

// Every scalar 0, every array allocated zero-filled at its size.
c_MyApp::c_MyApp() {
	gc_assign(m_images, Array<c_Image*>(MYAPP_IMAGES));
	gc_assign(m_imgInfo, Array<int>(MYAPP_IMG_INFO));
	gc_assign(m_badgeGot, Array<bool>(MYAPP_BADGES));
	gc_assign(m_vButton, Array<int>(MYAPP_VBUTTONS));
	gc_assign(m_option, Array<int>(MYAPP_OPTIONS));
	gc_assign(m_hiScore, Array<int>(MYAPP_HISCORES));
	gc_assign(m_sfxChannel, Array<int>(SFX_CHANNELS));
	gc_assign(m_drawList, Array<float>(DL_CAPACITY));
	gc_assign(m_touchDown, Array<int>(MYAPP_TOUCHES));
	gc_assign(m_touchX, Array<int>(MYAPP_TOUCHES));
	gc_assign(m_touchY, Array<int>(MYAPP_TOUCHES));
	gc_assign(m_sounds, Array<c_Sound*>(MYAPP_SOUNDS));
	gc_assign(m_players, Array<float>(MYAPP_PLAYERS));
	gc_assign(m_objects, Array<float>(MYAPP_OBJECTS));
	gc_assign(m_particles, Array<float>(MYAPP_PARTICLES));
	gc_assign(m_particleSlots, Array<unsigned>(part::words));
	gc_assign(m_objectSlots, Array<unsigned>(obj::words));
	gc_assign(m_ballSlots, Array<unsigned>(obj::words));
	gc_assign(m_brickSlots, Array<unsigned>(obj::words));
	gc_assign(m_rowSlots, Array<unsigned>(band::rows * obj::words));
	gc_assign(m_columnSlots, Array<unsigned>(band::columns * obj::words));
	gc_assign(m_slotCells, Array<int>(obj::slots));
	gc_assign(m_badgeQueueId, Array<int>(MYAPP_BADGE_QUEUE));
	gc_assign(m_badgeQueueTime, Array<int>(MYAPP_BADGE_QUEUE));
}

c_MyApp::~c_MyApp() = default;

// Registers the application with the framework (c_App construction).
c_MyApp* c_MyApp::m_new() {
	c_App::m_new();
	return this;
}

// Reports exactly the array fields.
void c_MyApp::mark() {
	c_App::mark();
	gc_mark_q(m_images);
	gc_mark_q(m_imgInfo);
	gc_mark_q(m_badgeGot);
	gc_mark_q(m_vButton);
	gc_mark_q(m_option);
	gc_mark_q(m_hiScore);
	gc_mark_q(m_sfxChannel);
	gc_mark_q(m_drawList);
	gc_mark_q(m_touchDown);
	gc_mark_q(m_touchX);
	gc_mark_q(m_touchY);
	gc_mark_q(m_sounds);
	gc_mark_q(m_players);
	gc_mark_q(m_objects);
	gc_mark_q(m_particles);
	gc_mark_q(m_particleSlots);
	gc_mark_q(m_objectSlots);
	gc_mark_q(m_ballSlots);
	gc_mark_q(m_brickSlots);
	gc_mark_q(m_rowSlots);
	gc_mark_q(m_columnSlots);
	gc_mark_q(m_slotCells);
	gc_mark_q(m_badgeQueueId);
	gc_mark_q(m_badgeQueueTime);
}

// Web requests are never started by the game.
int c_MyApp::p_OnHttpRequestComplete(c_HttpRequest*) {
	return 0;
}

//----------------------------------------------------------------------------
// Lifecycle
//----------------------------------------------------------------------------

// First initialisation: rate, loader, start values, saved data, voices.
int c_MyApp::p_OnCreate() {
	if (kx_Zimbolo_isOuya == 1) {
		kx_Zimbolo_overscan = 64.0f;
		m_controlMode = 1;
	}
	m_fullscreen = 0;
	m_logoJinglePlayed = 0;
	m_gameState = STATE_MENU;
	kx_app_SetUpdateRate(ACTIVE_RATE);
	m_accelZeroX = 0;
	m_accelZeroY = 0;
	m_lastDevWidth = kx_app_DeviceWidth();
	m_lastDevHeight = kx_app_DeviceHeight();
	p_Reload();
	m_gameMode = 2;
	m_menuSlide = MENU_SLIDE_START;
	m_paused = 0;
	m_pauseDir = -1;
	m_pauseY = PAUSE_Y_START;
	m_option[5] = 1;
	p_Load();
	for (int i = 0; i < SFX_CHANNELS; ++i) m_sfxChannel[i] = i;
	return 0;
}

// One game step.
int c_MyApp::p_OnUpdate() {
	p_ReadBackKey();
	p_FunctionKeys();
	kx_asyncevent_UpdateAsyncEvents();
	p_FollowPause();
	MeterStep(m_updateLastMs, m_updateFps, m_updateFpsAvg);
	p_SamplePointer();
	p_KeyLock();
	if (m_loadStep == 0) p_Dispatch();
	if (m_loadStep > 0) p_Loader();
	if (kx_Zimbolo_iCadeControls == 1) p_ReadICade();
	for (int i = 0; i < VBTN_PULSES; ++i) {
		if (m_vButton[i] == VBTN_PRESSED) m_vButton[i] = 0;
	}
	p_OnScreenPad();
	p_TiltSteering();
	p_DebugLine();
	p_ShowBadges();
	return 0;
}

// One frame: clear by drawing, notice a new window size, map, replay, bars.
int c_MyApp::p_OnRender() {
	MeterStep(m_renderLastMs, m_renderFps, m_renderFpsAvg);
	int width = kx_app_DeviceWidth();
	int height = kx_app_DeviceHeight();
	kx_graphics_SetColor(m_clsRed, m_clsGreen, m_clsBlue);
	kx_graphics_SetAlpha(m_clsAlpha);
	kx_graphics_DrawRect(-1, -1, width + 2, height + 2);
	kx_graphics_SetColor(255, 255, 255);
	kx_graphics_SetAlpha(1);
	if (width != m_lastDevWidth || height != m_lastDevHeight) {
		m_loadStep = 1;
		m_lastDevWidth = width;
		m_lastDevHeight = height;
	}
	p_MapScreen();
	p_Replay();
	p_DrawBars();
	return 0;
}

// Focus lost: inputs cleared, pause box state, slow updates, settings saved.
int c_MyApp::p_OnSuspend() {
	kx_input_DisableKeyboard();
	kx_Zimbolo_iCadeControls = 0;
	for (int i = 0; i < VBTN_PULSES; ++i) m_vButton[i] = 0;
	p_FocusChange();
	kx_app_SetUpdateRate(SUSPENDED_RATE);
	p_Save();
	return 0;
}

// Focus regained: pause box state, full rate, inputs cleared.
int c_MyApp::p_OnResume() {
	p_FocusChange();
	kx_app_SetUpdateRate(ACTIVE_RATE);
	kx_input_DisableKeyboard();
	kx_Zimbolo_iCadeControls = 0;
	for (int i = 0; i < VBTN_PULSES; ++i) m_vButton[i] = 0;
	return 0;
}

// A running game shows the pause box fully open; elsewhere it is closed.
int c_MyApp::p_FocusChange() {
	if (m_gameState < STATE_PLAYING) {
		m_paused = 0;
		m_pauseDir = 0;
		m_pauseY = 0;
	} else {
		m_paused = 1;
		m_pauseDir = 1;
		m_pauseY = static_cast<int>(kx_Zimbolo_jscrh * 0.5f);
	}
	return 0;
}

//----------------------------------------------------------------------------
// Update steps
//----------------------------------------------------------------------------

// The platform back key as a virtual button.
int c_MyApp::p_ReadBackKey() {
	if (kx_Zimbolo_isOuya == 1) {
		m_vButton[VBTN_PLATFORM_BACK] = kx_input_KeyHit(KEY_OUYA_BACK) > 0 ? 1 : 0;
	} else {
		m_vButton[VBTN_PLATFORM_BACK] = kx_input_KeyHit(KEY_BACK);
	}
	return 0;
}

// F1 debug line, F2 hud, F11 fullscreen; F4 and the close button quit unsaved.
int c_MyApp::p_FunctionKeys() {
	if (kx_input_KeyHit(KEY_F1)) kx_Zimbolo_DebugMode = 1 - kx_Zimbolo_DebugMode;
	if (kx_input_KeyHit(KEY_F2)) m_hideHud = 1 - m_hideHud;
	if (kx_input_KeyHit(KEY_F11)) p_FullscreenFlip();
	if (kx_input_KeyHit(KEY_F4) || kx_input_KeyHit(KEY_CLOSE)) kxError(String());
	return 0;
}

// Music pauses with the game.
int c_MyApp::p_FollowPause() {
	if (kx_Zimbolo_HasMusicStream != 1 || m_musicOn != 1) return 0;
	if (m_paused != 0) {
		kx_audio_PauseMusic();
	} else {
		kx_audio_ResumeMusic();
	}
	return 0;
}

// The screen of the current state, then the overlays and boxes.
int c_MyApp::p_Dispatch() {
	switch (m_gameState) {
	case STATE_MENU:
		p_Menu();
		break;
	case STATE_TO_MENU:
		p_LoadMenu();
		p_PlaySFX(SFX_JINGLE, 1.0f);
		m_gameState = STATE_MENU;
		break;
	case STATE_QUIT_BOX:
		p_OuyaQuit();
		break;
	case STATE_PLAYING:
		p_Game();
		p_InGame();
		break;
	case STATE_START_GAME:
		p_LoadGame();
		break;
	}
	p_RunBoxes();
	return 0;
}

// The game-over overlay, the credits, badges and options boxes and their slides.
int c_MyApp::p_RunBoxes() {
	if ((m_gameState == STATE_PLAYING && m_gameOver > 0) || m_gameState == STATE_MENU ||
	    m_gameState == STATE_TO_MENU) {
		p_GameOver();
	}
	if (m_gameState == STATE_MENU) {
		if (m_creditsOpen == 1 || m_creditsSlide > 0) {
			p_CreditBox();
			m_creditsSlide = SlideStep(m_creditsSlide, m_creditsOpen == 1);
		}
		if (m_badgesOpen == 1) p_BadgesBox();
	} else {
		m_creditsSlide = SlideStep(m_creditsSlide, m_creditsOpen == 1);
	}
	if (m_optionsOpen == 1 || m_optionsSlide > 0) {
		p_OptionBox();
		m_optionsSlide = SlideStep(m_optionsSlide, m_optionsOpen == 1);
	}
	return 0;
}

// The debug line: render rate and screen scale.
int c_MyApp::p_DebugLine() {
	if (kx_Zimbolo_DebugMode != 1) return 0;
	p_ResetDraw();
	float y = kx_Zimbolo_jscrh - 16;
	if (kx_Zimbolo_AccelerometerControls == 1 && kx_Zimbolo_iCadeControls == 0) y = kx_Zimbolo_jscrh * 0.5f;
	String text = String(m_renderFpsAvg) + String(":") + String(m_scaleX) + String(",") + String(m_scaleY);
	p_Text(16, y, text, 0, 0);
	return 0;
}

//----------------------------------------------------------------------------
// Game entry and exit
//----------------------------------------------------------------------------

// The overlay of the playing state: pause key, pause icon, pause box.
int c_MyApp::p_InGame() {
	p_ResetDraw();
	m_menuSlide = MENU_SLIDE_START;
	bool pauseKey = p_PlayKeyAll(BTN_BACK, 0) != 0 || (kx_Zimbolo_isOuya == 1 && p_PlayKeyAll(BTN_D, 0) != 0);
	if (pauseKey && m_paused == 0 && m_keyLock == 0) {
		m_keyLock = 1;
		m_paused = 1;
		m_pauseDir = 1;
		m_pauseChoice = 0;
		p_PlaySFX(SFX_MENU, 0.5f);
	}
	if (m_hideHud == 0) {
		if (m_controlMode != 2) p_Alpha(0.2f);
		p_DrawImg(IMG_ICONS, PAUSE_ICON_POS, PAUSE_ICON_POS, 0);
		m_buttonHover = 0;
		for (int i = 0; i < MYAPP_TOUCHES; ++i) {
			if (p_InFrame(IMG_ICONS, PAUSE_ICON_POS, PAUSE_ICON_POS, i) && m_mouseDown > 0) m_buttonHover = 1;
		}
		if (m_buttonHover == 1 && m_paused == 0) {
			m_paused = 1;
			m_pauseDir = 1;
			m_waitRelease = 1;
			m_pauseChoice = 0;
			p_PlaySFX(SFX_MENU, 0.5f);
		}
		p_Alpha(1);
	}
	if (m_paused == 1) p_PauseMenu();
	return 0;
}

// Back from a finished game: the score enters the mode's lists, then a save.
int c_MyApp::p_LoadMenu() {
	int base = (m_gameMode - 1) * HISCORE_ROWS;
	for (int k = 0; k < HISCORE_ROWS; ++k) {
		if (m_hiScore[base + k] < m_score) {
			for (int r = HISCORE_ROWS - 1; r > k; --r) m_hiScore[base + r] = m_hiScore[base + r - 1];
			m_hiScore[base + k] = m_score;
			break;
		}
	}
	int recent = HISCORE_RECENT + base;
	for (int r = HISCORE_ROWS - 1; r > 0; --r) m_hiScore[recent + r] = m_hiScore[recent + r - 1];
	m_hiScore[recent] = m_score;
	p_Save();
	return 0;
}

// A new game in the selected mode.
int c_MyApp::p_LoadGame() {
	m_paused = 0;
	m_score = 0;
	m_gameOver = 0;
	m_gameOverTimer = 0;
	m_gameState = STATE_PLAYING;
	m_bgR = m_bgTargetR = 60;
	m_bgG = m_bgTargetG = 120;
	m_bgB = m_bgTargetB = 60;
	if (kx_Zimbolo_HasMusicStream == 1) p_PlayTune(String("Freeflowing"), 1);
	p_ResetParticles(PARTICLE_MAX_START);
	for (int i = 0; i < PLAYER_CLEARED; ++i) m_players[i] = 0;
	m_players[PLAYER_PADDLE_Y] = 288.0f;
	m_players[PLAYER_METER] = 5.0f;
	m_meterSize = 5;
	m_speed = 0.9f;
	if (m_gameMode == 2) m_speed = 1.0f;
	if (m_gameMode == 3) m_speed = 1.1f;
	for (int i = 0; i < OBJECTS_CLEARED; ++i) m_objects[i] = 0;
	p_IndexObjects();
	m_players[PLAYER_WAVE] = m_gameMode == 3 ? 60.0f : 0.0f;
	return 0;
}
