// invader.cpp: invaders in the object pass: the stepping walk between the
// walls, the fire timer with its warning flash and shot, and destruction by a
// ball.
#include <cmath>

#include "game/play/play.h"
#include "runtime/random.h"

//----------------------------------------------------------------------------
// Constants
//----------------------------------------------------------------------------

// The animation counter runs 0..CYCLE_END; the invader steps at multiples of
// STEP_PERIOD while its timer is above STEP_TIMER and shows its second
// frame while the counter is above HALF_CYCLE.
const float CYCLE_END = 29;
const float STEP_PERIOD = 15;
const float STEP_TIMER = 119;
const float HALF_CYCLE = 14;
// Within the last WARN_TIME timer units before a shot the invader holds still
// and flashes (on for WARN_ON of every WARN_PERIOD units).
const float WARN_TIME = 120;
const float WARN_PERIOD = 30;
const float WARN_ON = 20;
// Timer after a shot.
const float RELOAD_TIME = 600;
// The shot: a one-hit meteor flying left at this speed.
const int SHOT_HIT_POINTS = 1;
const int SHOT_DX = -6;
// Score of an invader.
const int INVADER_SCORE = 25;

//----------------------------------------------------------------------------
// Invader handler
//----------------------------------------------------------------------------

// One frame of the invader at slot value o, drawn at (sx, sy).
void c_MyApp::p_DoInvader(int o, float sx, float sy) {
	float* v = &m_objects[o];
	if (m_paused == 0) v[obj::counter] += m_speed;
	if (v[obj::counter] > CYCLE_END) v[obj::counter] = 0;
	// NOTE: the counter stands still while paused, so the step is taken only in
	// running frames; otherwise a pause at a step would walk the invader every frame.
	if (m_paused == 0 && std::fmod(v[obj::counter], STEP_PERIOD) == 0 && v[obj::cooldown] > STEP_TIMER) {
		v[obj::y] += v[obj::dy];
	}
	if (v[obj::y] < field::topBand) v[obj::dy] = p_Plus(v[obj::dy]);
	if (v[obj::y] > field::bottomBand) v[obj::dy] = p_Minus(v[obj::dy]);
	if (m_paused == 0) v[obj::cooldown] -= kx_random_Rnd2(0.01f, 0.1f) + m_speed;
	if (v[obj::cooldown] < 1) p_InvaderFire(o);
	// NOTE: the invader's cool-down is its fire timer, so only the ball's counts here.
	p_ShatterByBalls(o, sx, sy, INVADER_SCORE, false);
	int sprite = frame::invader;
	if (v[obj::cooldown] < WARN_TIME && std::fmod(v[obj::cooldown], WARN_PERIOD) < WARN_ON) sprite = frame::invaderWarn;
	if (v[obj::counter] > HALF_CYCLE) sprite = frame::invaderStep;
	p_DrawSprite(sprite, sx, sy, 0);
}

// The invader at slot value o fires a meteor from where it stands.
void c_MyApp::p_InvaderFire(int o) {
	float* v = &m_objects[o];
	p_PlaySFX(sfx::launch, kx_random_Rnd2(1.7f, 2.0f), 1, 0);
	v[obj::cooldown] = RELOAD_TIME;
	p_LaunchMeteor(static_cast<int>(v[obj::x]), static_cast<int>(v[obj::y]), SHOT_HIT_POINTS, SHOT_DX);
}
