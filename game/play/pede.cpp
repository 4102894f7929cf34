// pede.cpp: pede segments in the object pass: the zigzag between the walls,
// turning at bricks, and being knocked loose by a ball.
#include "game/play/play.h"
#include "runtime/random.h"

//----------------------------------------------------------------------------
// Constants
//----------------------------------------------------------------------------

// Leftward step of a segment turning at a wall, and at a brick.
const float WALL_STEP = 16;
const float BRICK_STEP = 8;
// Random extra speed a loose segment takes over from the ball, on each axis.
const float LOOSE_KICK = 0.4f;
// Spin range of a segment knocked loose.
const float LOOSE_SPIN = 5;
// Cool-down given to a segment knocked loose and to the ball.
const float HIT_COOLDOWN = 8;
// Score of a segment knocked loose.
const int LOOSE_SCORE = 5;

//----------------------------------------------------------------------------
// Pede segment handler
//----------------------------------------------------------------------------

// One frame of the pede segment at slot value o, drawn at (sx, sy).
void c_MyApp::p_DoPede(int o, float sx, float sy) {
	float* p = &m_objects[o];
	if (p[obj::y] < field::topBand && p[obj::dy] < 0) {
		p[obj::dy] = play_Bounce(p[obj::dy]);
		p[obj::x] -= WALL_STEP;
	}
	if (p[obj::y] > field::bottomBand) {
		p[obj::dy] = p_Minus(p[obj::dy], 0);
		p[obj::x] -= WALL_STEP;
	}
	for (int j = p_NextContact(o, -1, true); j >= 0; j = p_NextContact(o, j, true)) {
		int t = j * obj::fields;
		float* other = &m_objects[t];
		int kind = static_cast<int>(other[obj::kind]);
		if (kind == KIND_BRICK && play_Overlap(p, other)) {
			p[obj::dy] = -p[obj::dy];
			p[obj::x] -= BRICK_STEP;
		} else if (p_isBall(kind) && p[obj::cooldown] < 1 && other[obj::cooldown] < 1 && play_Overlap(p, other)) {
			p_KnockLoose(o, t);
		}
	}
	p_DrawSprite(frame::segment + p[obj::ink], sx, sy, 0);
}

// The ball at slot value b knocks the segment at slot value o loose.
void c_MyApp::p_KnockLoose(int o, int b) {
	float* p = &m_objects[o];
	float* ball = &m_objects[b];
	p_SetKind(o, KIND_LOOSE);
	p[obj::dx] = kx_random_Rnd2(0, LOOSE_KICK) + ball[obj::dx];
	p[obj::dy] = kx_random_Rnd2(0, LOOSE_KICK) + ball[obj::dy];
	ball[obj::dx] = -ball[obj::dx];
	p[obj::spin] = kx_random_Rnd2(-LOOSE_SPIN, LOOSE_SPIN);
	p[obj::cooldown] = HIT_COOLDOWN;
	ball[obj::cooldown] = HIT_COOLDOWN;
	p_PlaySFX(sfx::segmentLoose, kx_random_Rnd2(0.7f, 1.3f), 1, 0);
	m_score += LOOSE_SCORE;
}
