// particles.cpp: sparks: throwing one into the highest free slot of the
// particle table, moving, drawing and ageing them every frame, the free-slot
// search over the set of slots in use and the reset, the ink colours, and the
// spark patterns of hits.
#include "game/angles.h"
#include "game/play/play.h"
#include "runtime/random.h"

//----------------------------------------------------------------------------
// Constants
//----------------------------------------------------------------------------

// Life lost per frame at speed factor 1.
const float AGEING = 0.01f;
// Frames of the particle sheet a spark picks from: 0..255.
const float PARTICLE_FRAMES = 255.99f;
const float SPARK_SPIN = 8;
// Ink colour factors of inks 1..9; every other ink is grey.
static const float INK_COLOURS[10][3] = {{0.3f, 0.3f, 0.3f}, {1, 0.1f, 0.1f}, {1, 0.5f, 0.1f}, {1, 1, 0.1f},
                                         {0.1f, 1, 0.1f}, {0.1f, 1, 1}, {0.1f, 0.1f, 1}, {0.5f, 0.1f, 1},
                                         {1, 0.1f, 0.5f}, {1, 1, 1}};
const int INK_COUNT = 10;
// The white ink of hit sparks.
const int INK_WHITE = 9;
// Sparks of a meteor hit or a crushed brick, and of a destroyed brick or invader.
const int BURST_SPARKS = 8;
const int CROSS_SPARKS = 4;
const float CROSS_ANGLE = 90;

//----------------------------------------------------------------------------
// Throwing and freeing
//----------------------------------------------------------------------------

// Adds one particle at a screen point; direction in degrees, 0 = up, 90 = right.
int c_MyApp::p_ThrowParticle(float x, float y, int kind, int ink, float direction, float speed) {
	if (direction == ZB_OMITTED) direction = kx_random_Rnd2(0, 360);
	if (speed == ZB_OMITTED) speed = kx_random_Rnd2(3, 8);
	if (m_particleMax < 0) return 0;
	int p = p_FreeParticle();
	if (p < 0) return 0;
	float* q = &m_particles[p];
	q[part::x] = x;
	q[part::y] = y;
	q[part::dx] = speed * SinDeg(direction);
	q[part::dy] = -speed * CosDeg(direction);
	q[part::angle] = kx_random_Rnd2(0, 360);
	q[part::spin] = kx_random_Rnd2(-SPARK_SPIN, SPARK_SPIN);
	q[part::life] = kx_random_Rnd2(0.7f, 1.3f);
	q[part::ink] = ink;
	q[part::frame] = static_cast<int>(std::floor(kx_random_Rnd2(0, PARTICLE_FRAMES)));
	p_SetParticleKind(p, kind);
	return 0;
}

// 10 times the highest free slot among 0..m_particleMax, or -1.
int c_MyApp::p_FreeParticle() {
	if (m_particleMax < 0) return -1;
	int p = set_HighestFree(m_particleSlots, m_particleMax);
	return p < 0 ? -1 : p * part::fields;
}

// Chooses the highest slot in use (1..499) and frees every slot up to it.
int c_MyApp::p_ResetParticles(int n) {
	if (n >= 1 && n <= part::maxLimit) m_particleMax = n;
	for (int p = 0; p <= m_particleMax; ++p) p_SetParticleKind(p * part::fields, 0);
	return 0;
}

// Writes the kind of the particle at slot value p and notes whether the slot
// is in use.
// NOTE: every write of a particle's kind goes through here, so the free-slot
// search can trust the set.
void c_MyApp::p_SetParticleKind(int p, float kind) {
	int s = p / part::fields;
	m_particles[p + part::kind] = kind;
	m_particleSlots[set_Word(s)] &= ~set_Bit(s);
	if (kind != 0) m_particleSlots[set_Word(s)] |= set_Bit(s);
}

// Notes anew which particle slots are in use, after the table was written as
// a whole.
void c_MyApp::p_IndexParticles() {
	for (int s = 0; s < part::slots; ++s) p_SetParticleKind(s * part::fields, m_particles[s * part::fields + part::kind]);
}

//----------------------------------------------------------------------------
// Update and drawing
//----------------------------------------------------------------------------

// Moves, draws and ages every particle once.
int c_MyApp::p_DoParticles() {
	p_ResetDraw();
	for (int p = 0; p <= m_particleMax; ++p) {
		float* q = &m_particles[p * part::fields];
		if (q[part::kind] <= 0) continue;
		q[part::x] += q[part::dx] * m_speed;
		q[part::y] += q[part::dy] * m_speed;
		q[part::angle] += q[part::spin] * m_speed;
		p_SetRot(-q[part::angle]);
		p_Alpha(q[part::life] < 1 ? q[part::life] : 1);
		p_Ink(static_cast<int>(q[part::ink]), 1);
		p_SetSize(1, 1);
		p_DrawImg(IMG_PARTICLES, q[part::x], q[part::y], q[part::frame]);
		q[part::life] -= m_speed * AGEING;
		if (q[part::life] < 0) p_SetParticleKind(p * part::fields, 0);
	}
	p_ResetDraw();
	return 0;
}

// Sets the draw colour to an ink's colour times brightness.
int c_MyApp::p_Ink(int ink, int brightness) {
	const float* c = INK_COLOURS[ink >= 1 && ink < INK_COUNT ? ink : 0];
	float rgb[3];
	for (int i = 0; i < 3; ++i) rgb[i] = play_Clamp(c[i] * brightness * 255, 0, 255);
	p_SetCol(rgb[0], rgb[1], rgb[2]);
	return 0;
}

//----------------------------------------------------------------------------
// Spark patterns
//----------------------------------------------------------------------------

// Eight white sparks flying off slowly in random directions.
void c_MyApp::p_BurstSparks(float sx, float sy) {
	for (int i = 0; i < BURST_SPARKS; ++i) {
		float direction = kx_random_Rnd2(0, 360);
		float speed = kx_random_Rnd2(0.5f, 1.2f);
		p_ThrowParticle(sx, sy, PARTICLE_SPARK, INK_WHITE, direction, speed);
	}
}

// Four white sparks at right angles to each other.
void c_MyApp::p_CrossSparks(float sx, float sy) {
	int a0 = p_Rand(360);
	for (int i = 0; i < CROSS_SPARKS; ++i) {
		p_ThrowParticle(sx, sy, PARTICLE_SPARK, INK_WHITE, a0 + CROSS_ANGLE * i, kx_random_Rnd2(1, 2));
	}
}
