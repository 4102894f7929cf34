// brick.cpp: bricks in the object pass: they hold still and are destroyed by
// every ball that touches them (as invaders are).
#include "game/play/play.h"

//----------------------------------------------------------------------------
// Constants
//----------------------------------------------------------------------------

// Cool-down given to a ball that destroyed a brick or an invader.
const float HIT_COOLDOWN = 8;
// Score of a brick.
const int BRICK_SCORE = 2;

//----------------------------------------------------------------------------
// Brick handler
//----------------------------------------------------------------------------

// One frame of the brick at slot value o, drawn at (sx, sy).
void c_MyApp::p_DoBrick(int o, float sx, float sy) {
	float* k = &m_objects[o];
	k[obj::dx] = 0;
	k[obj::dy] = 0;
	p_ShatterByBalls(o, sx, sy, BRICK_SCORE, true);
	p_DrawSprite(frame::brick + k[obj::ink], sx, sy, 0);
}

// Every ball touching the brick or invader at slot value o destroys it, is
// bounced back and scores; ownCooldown makes the object's cool-down count too.
void c_MyApp::p_ShatterByBalls(int o, float sx, float sy, int score, bool ownCooldown) {
	float* k = &m_objects[o];
	for (int j = p_NextContact(o, -1, false); j >= 0; j = p_NextContact(o, j, false)) {
		int t = j * obj::fields;
		float* ball = &m_objects[t];
		if (p_isBall(static_cast<int>(ball[obj::kind])) && (!ownCooldown || k[obj::cooldown] < 1) && ball[obj::cooldown] < 1 &&
		    play_Overlap(k, ball)) {
			// NOTE: the scan goes on, so every ball touching in this pass bounces and scores.
			p_SetKind(o, KIND_FREE);
			ball[obj::dx] = -ball[obj::dx];
			ball[obj::cooldown] = HIT_COOLDOWN;
			m_score += score;
			p_CrossSparks(sx, sy);
			p_PlaySFX(sfx::crush, 1, 1, 0);
		}
	}
}
