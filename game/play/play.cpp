// play.cpp: one update of play (p_Game) in its fixed order: the frame and the
// walls, the object pass, the wave and launch checks, the paddle with its
// stun, the meter and the end check, particles, score easing and the HUD.
#include "game/play/play.h"
#include "runtime/random.h"

//----------------------------------------------------------------------------
// Constants
//----------------------------------------------------------------------------

// The background moves this fraction of the way to its target per frame.
const float BG_FADE = 48;
// A new ball starts here, moving right.
const float LAUNCH_X = 32;
const float LAUNCH_DX = 8;
// Paddle speed at full control value, and the pointer's step.
const float PADDLE_SPEED = 12;
const float POINTER_STEP = 10;
// Segments each side of the paddle's middle.
const float PADDLE_HALF = 2;
// The paddle stays this far inside the top and bottom edges.
const float PADDLE_EDGE = 32;
// Stun units lost per frame at speed factor 1.
const float STUN_DECAY = 2;
// The re-forming sound plays while the stun is this close to REFORM_AT.
const float REFORM_AT = 35;
const float REFORM_NEAR = 4;
// Spread of the stunned paddle's segments: growing below SPREAD_NEAR,
// far off screen (SPREAD_FAR) up to SPREAD_BURST, bursting above it.
const float SPREAD_NEAR = 30;
const float SPREAD_BURST = 280;
const float SPREAD_PEAK = 270;
const float SPREAD_FAR = 640;
const float SPREAD_RATE = 5;
// The game ends after more than this many frames without ball or full meter.
const float IDLE_LIMIT = 59;
// The pips a ball costs to launch; fewer and no ball in play ends the game.
const float LAUNCH_COST = 5;
// The shown score moves a sixth of the way per frame, or jumps when close.
const int SCORE_EASE = 6;
const int SCORE_SNAP = 5;
// Digits of the score and goal texts.
const int SCORE_DIGITS = 8;
// The goal text's offset from the middle of the screen.
const float GOAL_OFFSET = 160;
// HUD colour.
const float HUD_R = 220, HUD_G = 255, HUD_B = 220;
// The running light over a full meter: position changes every LIGHT_MS over
// LIGHT_STEPS positions.
const int LIGHT_MS = 60;
const int LIGHT_STEPS = 15;
// "Launch Ball" blinks with this period while the meter is full.
const int BLINK_MS = 800;

//----------------------------------------------------------------------------
// One update of play
//----------------------------------------------------------------------------

// One update of play with its draw commands.
int c_MyApp::p_Game() {
	p_StartPlayFrame();
	p_AnalogueControl();
	p_DrawWalls();
	m_players[player::ballsInPlay] = 0;
	for (int s = 0; s <= obj::last; ++s) p_DoObject(s * obj::fields);
	p_WaveCheck();
	p_LaunchCheck();
	if (m_paused == 0) p_MovePaddle();
	p_PlacePaddle();
	p_CheckMeter();
	p_DoParticles();
	p_EaseScore();
	if (m_hideHud == 0) p_DrawHud();
	return 0;
}

// Fades the background a step and starts the display list in its colour.
void c_MyApp::p_StartPlayFrame() {
	m_bgR -= (m_bgR - m_bgTargetR) / BG_FADE;
	m_bgG -= (m_bgG - m_bgTargetG) / BG_FADE;
	m_bgB -= (m_bgB - m_bgTargetB) / BG_FADE;
	// NOTE: starting the list also resets the draw state.
	p_CLS2D(m_bgR, m_bgG, m_bgB, 1);
}

// The black walls at the top, bottom and right; then white at field scale.
void c_MyApp::p_DrawWalls() {
	PlayField f = play_Field();
	float edge = f.cell / 2;
	p_SetCol(0, 0, 0);
	p_Rect(f.left - edge, f.top - edge, 32 * f.cell, f.cell);
	p_Rect(f.left - edge, f.BottomWallTop(), 32 * f.cell, f.cell);
	p_Rect(f.left + 31 * f.cell - edge, f.top - edge, f.cell, 18 * f.cell);
	p_SetCol(255, 255, 255);
	p_SetSize(f.scale, f.scale);
}

// One object of the pass: motion, the kind handlers in order, the escape.
void c_MyApp::p_DoObject(int o) {
	float* r = &m_objects[o];
	if (r[obj::kind] <= 0) return;
	if (m_paused == 0) {
		if (r[obj::kind] != KIND_INVADER) {
			r[obj::x] += r[obj::dx] * m_speed;
			r[obj::y] += r[obj::dy] * m_speed;
		}
		r[obj::angle] += r[obj::spin] * m_speed;
		if (r[obj::cooldown] > 0) r[obj::cooldown] -= 1;
	}
	PlayField f = play_Field();
	float sx = f.ScreenX(r[obj::x]);
	float sy = f.ScreenY(r[obj::y]);
	// NOTE: each handler sees the kind left by the one before (a segment knocked
	// loose is handled as a loose segment in the same pass).
	if (r[obj::kind] == KIND_BALL) p_DoBall(o, sx, sy);
	if (r[obj::kind] == KIND_PEDE) p_DoPede(o, sx, sy);
	if (r[obj::kind] == KIND_LOOSE) p_DoBall(o, sx, sy);
	if (r[obj::kind] == KIND_METEOR) p_DoMeteor(o, sx, sy);
	if (r[obj::kind] == KIND_BRICK) p_DoBrick(o, sx, sy);
	if (r[obj::kind] == KIND_INVADER) p_DoInvader(o, sx, sy);
	// NOTE: the object's own walks skip its slot, so its place is filed once its
	// handlers are done, before any other object walks the index.
	p_FileObject(o);
	if (r[obj::x] < field::escapeX) p_Escape(o);
}

// An object leaves past the left edge: a lost ball costs pips; it is freed.
void c_MyApp::p_Escape(int o) {
	float* r = &m_objects[o];
	int kind = static_cast<int>(r[obj::kind]);
	if (p_isBall(kind)) p_LosePip();
	if (kind == KIND_BALL) p_LosePip();
	p_SetKind(o, KIND_FREE);
}

// One pip of the meter lost, with its sound.
void c_MyApp::p_LosePip() {
	m_players[player::meter] -= 1;
	p_PlaySFX(sfx::ballLost, 1, 1, 0);
}

//----------------------------------------------------------------------------
// Ball launch
//----------------------------------------------------------------------------

// Launches a ball from a full meter on a fresh press of button 10 or 11 or a
// touch below the playfield.
void c_MyApp::p_LaunchCheck() {
	if (m_players[player::meter] > m_meterSize - 1 && m_keyLock == 0 && m_waitRelease == 0 && p_LaunchPressed() &&
	    m_paused == 0 && m_gameOver == 0) {
		p_LaunchBall();
	}
}

// Whether a launch control is held.
bool c_MyApp::p_LaunchPressed() {
	return p_PlayKey(10, 1, 0) != 0 || p_PlayKey(11, 1, 0) != 0 ||
	       (m_mouseDown > 0 && m_mouseY > play_Field().BottomWallTop());
}

// Consumes the press and puts a new ball at the paddle, if a slot is free.
void c_MyApp::p_LaunchBall() {
	m_keyLock = 1;
	m_waitRelease = 1;
	int o = p_FreeObj();
	if (o < 0) return;
	m_players[player::meter] = 0;
	float* b = &m_objects[o];
	b[obj::x] = LAUNCH_X;
	b[obj::y] = m_players[player::paddleY];
	b[obj::counter] = 0;
	b[obj::dx] = LAUNCH_DX;
	int lane = p_Rand(-2, 2);
	b[obj::dy] = lane == 0 ? 4 : 2 * lane;
	p_SetKind(o, KIND_BALL);
	p_PlaySFX(sfx::launch, 1, 1, 0);
}

//----------------------------------------------------------------------------
// Paddle
//----------------------------------------------------------------------------

// Moves the paddle by the control value and, when played by pointer, toward it.
void c_MyApp::p_MovePaddle() {
	float& y = m_players[player::paddleY];
	y += m_analogueY * PADDLE_SPEED * m_speed;
	if (m_controlMode != 2) return;
	PlayField f = play_Field();
	float p = f.ScreenY(y - field::paddleLift);
	if (p > m_mouseY) {
		y -= POINTER_STEP;
		p = f.ScreenY(y - field::paddleLift);
	}
	if (p < m_mouseY) y += POINTER_STEP;
}

// Keeps the paddle inside the walls, sets its span, runs the stun and draws it.
void c_MyApp::p_PlacePaddle() {
	m_players[player::paddleHalf] = PADDLE_HALF;
	float half = PADDLE_HALF * field::segment;
	float& y = m_players[player::paddleY];
	if (y - half < PADDLE_EDGE) y = half + PADDLE_EDGE;
	if (y + half > field::height - PADDLE_EDGE) y = field::height - PADDLE_EDGE - half;
	m_players[player::paddleTop] = y - field::segment - half;
	m_players[player::paddleBottom] = y + half;
	p_StunCountdown();
	p_DrawPaddle();
}

// Runs the stun down (not while paused); the re-forming sound near its end.
void c_MyApp::p_StunCountdown() {
	float& stun = m_players[player::stun];
	if (m_paused == 0 && stun > 0) {
		stun -= STUN_DECAY * m_speed;
		if (stun < 0) {
			stun = 0;
			return;
		}
	}
	if (std::fabs(stun - REFORM_AT) < REFORM_NEAR) p_PlaySFX(sfx::reform, 1, 1, 0);
}

// Spread of the paddle's segments for a stun value.
static float play_Spread(float t) {
	if (t < SPREAD_NEAR) return t * SPREAD_RATE;
	if (t <= SPREAD_BURST) return SPREAD_FAR;
	return (SPREAD_NEAR - std::fabs(t - SPREAD_PEAK)) * SPREAD_RATE;
}

// The five paddle segments; a stunned paddle is burst apart, without its middle.
void c_MyApp::p_DrawPaddle() {
	PlayField f = play_Field();
	float stun = m_players[player::stun];
	float d = stun > 0 ? play_Spread(stun) : 0;
	float middle = m_players[player::paddleY] - field::paddleLift;
	int half = static_cast<int>(m_players[player::paddleHalf]);
	for (int k = -half; k <= half; ++k) {
		if (k == 0 && stun > 0) continue;
		float gap = std::abs(k) * d > field::segment ? std::abs(k) * d : field::segment;
		p_DrawSprite(frame::ball, f.ScreenX(field::paddleX), f.ScreenY(middle + k * gap), 0);
	}
}

//----------------------------------------------------------------------------
// Meter, end check and score
//----------------------------------------------------------------------------

// Clamps the meter and ends the game 60 frames after the last chance to play.
void c_MyApp::p_CheckMeter() {
	float& meter = m_players[player::meter];
	if (meter > m_meterSize - 1) meter = m_meterSize;
	if (meter < 0) meter = 0;
	float& idle = m_players[player::idleFrames];
	if (m_players[player::ballsInPlay] >= 1 || meter >= LAUNCH_COST) {
		idle = 0;
		return;
	}
	idle += 1;
	if (idle > IDLE_LIMIT) m_gameOver = 1;
}

// Moves the shown score toward the score.
void c_MyApp::p_EaseScore() {
	int n = m_shownScore - (m_shownScore - m_score) / SCORE_EASE;
	m_shownScore = std::abs(n - m_score) > SCORE_SNAP ? n : m_score;
}

//----------------------------------------------------------------------------
// HUD
//----------------------------------------------------------------------------

// Score, next goal, meter pips and "Launch Ball".
void c_MyApp::p_DrawHud() {
	PlayField f = play_Field();
	float y = f.top + 2 * f.scale;
	p_SetCol(HUD_R, HUD_G, HUD_B, 1);
	p_SetSize(3 * f.scale, 3 * f.scale);
	p_SetRot(0);
	p_Text(kx_Zimbolo_jscrw / 2, y, p_rstr(m_shownScore, SCORE_DIGITS, String("0")), 1, 1);
	p_DrawGoal(y);
	p_DrawMeter();
	p_DrawLaunchText();
}

// The place and score of the next best-ten entry to beat.
void c_MyApp::p_DrawGoal(float y) {
	int base = (m_gameMode - 1) * 10;
	int rank = 10;
	int goal = m_hiScore[base + 9];
	for (int k = 9; k >= 1; --k) {
		if (m_score > m_hiScore[base + k] || m_hiScore[base + k] == 0) {
			rank = k - 1;
			goal = m_hiScore[base + k - 1];
		}
	}
	float scale = play_Field().scale;
	p_SetCol(HUD_R, HUD_G, HUD_B, 0.8f);
	p_SetSize(2 * scale, 2 * scale);
	p_Text(kx_Zimbolo_jscrw / 2 + GOAL_OFFSET, y, p_Nth(rank + 1) + String(" ") + p_rstr(goal, SCORE_DIGITS, String("0")), 1, 1);
}

// The launch meter's pips on the bottom wall, with a running light when full.
void c_MyApp::p_DrawMeter() {
	PlayField f = play_Field();
	bool full = m_players[player::meter] > m_meterSize - 1;
	int light = (kx_app_Millisecs() / LIGHT_MS) % LIGHT_STEPS;
	for (int i = 1; i <= m_meterSize; ++i) {
		p_SetCol(40, 140, 40, 1);
		if (i < m_players[player::meter] + 1) p_SetCol(180, 255, 180, 1);
		if (full) p_SetCol(255, 255, 180, 1);
		if (full && std::abs(light - i) <= 1) p_SetCol(140, 40, 40, 1);
		p_Rect(f.left + (i + 4) * f.cell - 0.3f * f.cell, f.top + 17 * f.cell - 0.4f * f.cell, 0.6f * f.cell, 0.8f * f.cell);
	}
}

// "Launch Ball" beside the meter: faint, or blinking while the meter is full.
void c_MyApp::p_DrawLaunchText() {
	PlayField f = play_Field();
	float alpha = 0.2f;
	if (m_players[player::meter] > m_meterSize - 1) alpha = kx_app_Millisecs() % BLINK_MS < BLINK_MS / 2 ? 0.5f : 1;
	p_SetCol(255, 255, 255, alpha);
	p_SetSize(2 * f.scale, 2 * f.scale);
	p_Text(f.left + (m_meterSize + 5) * f.cell, f.top + 17 * f.cell + 2 * f.scale, String("Launch Ball"), 0, 1);
}

//----------------------------------------------------------------------------
// Player record
//----------------------------------------------------------------------------

// Clears the values of the player record that a new game starts from.
int c_MyApp::p_ResetPlayers() {
	for (int i = 0; i < player::resetCount; ++i) m_players[i] = 0;
	return 0;
}
