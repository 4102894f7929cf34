// meteor.cpp: meteors in the object pass: stunning the paddle, bouncing off
// the walls, crushing bricks and taking hits from balls.
#include "game/play/play.h"
#include "runtime/random.h"

//----------------------------------------------------------------------------
// Constants
//----------------------------------------------------------------------------

// A meteor hits the paddle when its centre is this close to the paddle's x ...
const float PADDLE_REACH = 12;
// ... and this far at most beyond the paddle's span.
const float PADDLE_MARGIN = 8;
// Stun units a meteor gives the paddle.
const float STUN_TIME = 300;
// Rounds of three sparks thrown by a stun.
const int STUN_SPARK_ROUNDS = 9;
// Inks of the three sparks of a round.
const int STUN_INK_SIDE = 4;
const int STUN_INK_MIDDLE = 0;
// Leftward step of a meteor turning at a wall.
const float WALL_STEP = 16;
// Spin range of a meteor hit by a ball.
const float HIT_SPIN = 5;
// Cool-down given to a meteor and the ball that hit it.
const float HIT_COOLDOWN = 8;
// Score per hit.
const int HIT_SCORE = 25;

//----------------------------------------------------------------------------
// Meteor handler
//----------------------------------------------------------------------------

// One frame of the meteor at slot value o, drawn at (sx, sy).
void c_MyApp::p_DoMeteor(int o, float sx, float sy) {
	float* m = &m_objects[o];
	if (std::fabs(m[obj::x] - field::paddleX) < PADDLE_REACH && m[obj::dx] < 0 &&
	    m_players[player::paddleTop] - PADDLE_MARGIN < m[obj::y] && m[obj::y] < m_players[player::paddleBottom] + PADDLE_MARGIN &&
	    m_players[player::stun] < 1) {
		p_StunPaddle(sy);
	}
	if (m[obj::y] < field::topBand && m[obj::dy] < 0) {
		m[obj::dy] = play_Bounce(m[obj::dy]);
		m[obj::x] -= WALL_STEP;
	}
	if (m[obj::y] > field::bottomBand) {
		m[obj::dy] = -play_Bounce(m[obj::dy]);
		m[obj::x] -= WALL_STEP;
	}
	for (int j = p_NextContact(o, -1, true); j >= 0; j = p_NextContact(o, j, true)) {
		int t = j * obj::fields;
		float* other = &m_objects[t];
		int kind = static_cast<int>(other[obj::kind]);
		if (kind == KIND_BRICK && play_Overlap(m, other)) {
			p_SetKind(t, KIND_FREE);
			p_PlaySFX(sfx::crush, 1, 1, 0);
			p_BurstSparks(sx, sy);
		}
		if (p_isBall(kind) && m[obj::cooldown] < 1 && other[obj::cooldown] < 1 && play_Overlap(m, other)) {
			p_HitMeteor(o, t, sx, sy);
		}
	}
	p_DrawSprite(frame::meteor - m[obj::ink], sx, sy, -m[obj::angle]);
}

// The ball at slot value b hits the meteor at slot value o, drawn at (sx, sy).
void c_MyApp::p_HitMeteor(int o, int b, float sx, float sy) {
	float* m = &m_objects[o];
	float* ball = &m_objects[b];
	ball[obj::dx] = -ball[obj::dx];
	m[obj::spin] = kx_random_Rnd2(-HIT_SPIN, HIT_SPIN);
	m[obj::ink] -= 1;
	if (m[obj::ink] < 1) p_SetKind(o, KIND_FREE);
	m[obj::cooldown] = HIT_COOLDOWN;
	ball[obj::cooldown] = HIT_COOLDOWN;
	m_score += HIT_SCORE;
	p_PlaySFX(sfx::meteorHit, kx_random_Rnd2(0.7f, 1.3f), 1, 0);
	p_BurstSparks(sx, sy);
}

// A meteor at screen y sy reaches the paddle: the meter empties, the paddle is
// stunned and bursts into green and grey sparks.
void c_MyApp::p_StunPaddle(float sy) {
	m_players[player::meter] = 0;
	m_players[player::stun] = STUN_TIME;
	p_PlaySFX(sfx::stunned, 1, 1, 0);
	float sx = play_Field().ScreenX(field::paddleX);
	for (int round = 0; round < STUN_SPARK_ROUNDS; ++round) {
		p_StunSpark(sx, sy, STUN_INK_SIDE, -8, 8);
		p_StunSpark(sx, sy, STUN_INK_MIDDLE, 15, 165);
		p_StunSpark(sx, sy, STUN_INK_SIDE, 172, 188);
	}
}

// One stun spark of an ink, its direction drawn from lo..hi degrees.
void c_MyApp::p_StunSpark(float sx, float sy, int ink, float lo, float hi) {
	float direction = kx_random_Rnd2(lo, hi);
	float speed = kx_random_Rnd2(2, 6);
	p_ThrowParticle(sx, sy, PARTICLE_SPARK, ink, direction, speed);
}
