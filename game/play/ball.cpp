// ball.cpp: balls and loose segments in the object pass: the paddle return
// with its score, meter and speed-up, the wall bounces with their sparks and
// sounds, and the sprite.
#include "game/play/play.h"
#include "runtime/random.h"

//----------------------------------------------------------------------------
// Constants
//----------------------------------------------------------------------------

// A ball is returned when its centre is this close to x 0 ...
const float RETURN_REACH = 20;
// ... and this far at most beyond the paddle's span.
const float RETURN_MARGIN = 16;
// Vertical speed per world unit between the ball and the paddle's middle.
const float RETURN_ANGLE = 0.15f;
// Game speed gained per return.
const float SPEED_GAIN = 0.01f;
// Cool-down (and so score) a loose segment gains per return.
const float LOOSE_RETURN_GAIN = 2;
// Volumes of a loose segment's sounds.
const float LOOSE_RETURN_VOLUME = 0.7f;
const float LOOSE_WALL_VOLUME = 0.3f;
// Directions of the wall sparks, less twice the speed along the wall.
const float RIGHT_SPARK_DIR = 270;
const float TOP_SPARK_DIR = 180;
const float BOTTOM_SPARK_DIR = 0;
// Ink of a wall spark: 0..8.
const float WALL_SPARK_INKS = 8.99f;

//----------------------------------------------------------------------------
// Ball handler
//----------------------------------------------------------------------------

// One frame of a ball or loose segment at slot value o, drawn at (sx, sy).
void c_MyApp::p_DoBall(int o, float sx, float sy) {
	float* b = &m_objects[o];
	bool loose = b[obj::kind] == KIND_LOOSE;
	m_players[player::ballsInPlay] += 1;
	if (std::fabs(b[obj::x]) < RETURN_REACH && b[obj::dx] < 0 && m_players[player::paddleTop] - RETURN_MARGIN < b[obj::y] &&
	    b[obj::y] < m_players[player::paddleBottom] + RETURN_MARGIN && m_players[player::stun] < 1) {
		p_ReturnBall(o);
	}
	float volume = loose ? LOOSE_WALL_VOLUME : 1;
	if (b[obj::x] > field::rightBand) {
		b[obj::dx] = p_Minus(b[obj::dx]);
		p_WallSpark(sx, sy, RIGHT_SPARK_DIR - 2 * b[obj::dy]);
		p_PlaySFX(sfx::rightWall, kx_random_Rnd2(0.8f, 1.2f), volume, 0);
	}
	if (b[obj::y] < field::topBand) {
		b[obj::dy] = p_Plus(b[obj::dy]);
		p_WallSpark(sx, sy, TOP_SPARK_DIR - 2 * b[obj::dx]);
		p_PlaySFX(sfx::sideWall, kx_random_Rnd2(0.8f, 1.2f), volume, 0);
	}
	if (b[obj::y] > field::bottomBand) {
		b[obj::dy] = p_Minus(b[obj::dy]);
		p_WallSpark(sx, sy, BOTTOM_SPARK_DIR - 2 * b[obj::dx]);
		p_PlaySFX(sfx::sideWall, kx_random_Rnd2(0.8f, 1.2f), volume, 0);
	}
	if (loose) {
		p_DrawSprite(frame::segment + b[obj::ink], sx, sy, -b[obj::angle]);
	} else {
		p_DrawSprite(frame::ball, sx, sy, 0);
	}
}

// The paddle returns the ball at slot value o: meter, speed, bounce, score.
void c_MyApp::p_ReturnBall(int o) {
	float* b = &m_objects[o];
	m_players[player::meter] += 1;
	m_players[player::hitsSinceWave] += 1;
	if (m_players[player::meter] == m_meterSize) p_PlaySFX(sfx::meterFull, 1, 1, 0);
	m_speed += SPEED_GAIN;
	b[obj::dx] = p_Plus(b[obj::dx]);
	b[obj::dy] = (b[obj::y] - m_players[player::paddleY]) * RETURN_ANGLE;
	if (b[obj::kind] == KIND_LOOSE) {
		b[obj::cooldown] += LOOSE_RETURN_GAIN;
		m_score += static_cast<int>(b[obj::cooldown]);
		p_PlaySFX(sfx::paddleReturn, kx_random_Rnd2(0.8f, 1.2f), LOOSE_RETURN_VOLUME, 0);
	} else {
		b[obj::counter] += 1;
		m_score += static_cast<int>(b[obj::counter]);
		p_PlaySFX(sfx::paddleReturn, kx_random_Rnd2(0.8f, 1.2f), 1, 0);
	}
}

// One spark of a wall bounce, thrown from (sx, sy) toward direction.
void c_MyApp::p_WallSpark(float sx, float sy, float direction) {
	int ink = static_cast<int>(kx_random_Rnd2(0, WALL_SPARK_INKS));
	float speed = kx_random_Rnd2(0.5f, 1.5f);
	p_ThrowParticle(sx, sy, PARTICLE_SPARK, ink, direction, speed);
}

// A sprite of the game sheet at (sx, sy): white, opaque, at the field scale.
void c_MyApp::p_DrawSprite(float spriteFrame, float sx, float sy, float rotation) {
	float scale = play_Field().scale;
	p_SetSize(scale, scale);
	p_SetRot(rotation);
	p_SetCol(255, 255, 255, 1);
	p_DrawImg(IMG_SPRITES, sx, sy, spriteFrame);
}
