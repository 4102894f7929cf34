// waves.cpp: waves of hazards: when one comes, which kind it brings (the
// first nine are fixed), the background change, the free-slot search and the
// four launchers that place pedes, meteors, bricks and invaders.
#include "game/play/play.h"
#include "runtime/random.h"

//----------------------------------------------------------------------------
// Constants
//----------------------------------------------------------------------------

// Returns since the last wave beyond which the next wave comes, in modes 1
// and 2; in the invader mode after every second return.
const int WAVE_THRESHOLD_MODE1 = 5;
const int WAVE_THRESHOLD_MODE2 = 3;
const int WAVE_THRESHOLD_FAST = 1;
// Draws of the hazard choice after the reseed; the last one counts.
const int WAVE_DRAWS = 25;
// Hazard choices.
enum WaveHazard { HAZARD_PEDE = 1, HAZARD_METEOR = 2, HAZARD_BRICKS = 3, HAZARD_INVADER = 4 };
// The hazard of waves 1..9 (0 = random).
static const int FIXED_WAVES[10] = {0, HAZARD_BRICKS, HAZARD_BRICKS, HAZARD_METEOR, HAZARD_BRICKS, HAZARD_PEDE,
                                    HAZARD_BRICKS, HAZARD_PEDE, HAZARD_INVADER, HAZARD_INVADER};
const int FIXED_WAVE_COUNT = 9;
// The mode in which most brick waves become invaders.
const int INVADER_MODE = 3;
// Background colours a wave fades to, chosen 1..6.
static const float WAVE_BACKGROUNDS[6][3] = {{120, 60, 60}, {120, 120, 60}, {60, 120, 60},
                                             {60, 120, 120}, {60, 60, 120}, {120, 60, 120}};

// Meteors enter from beyond the right wall.
const float METEOR_X = 1020;
const float METEOR_HIT_POINTS = 4;
const float METEOR_SPIN = 4;
// A pede enters above the top wall at this x, one segment per PEDE_GAP.
const float PEDE_X = 960;
const float PEDE_GAP = 24;
const float PEDE_DY = 4;
const int BRICK_COUNT = 8;
// Bricks of the wall layout start no lower than this row.
const int WALL_LOWEST_ROW = 6;
const float INVADER_DY = 8;
// An invader's first shot comes when this timer has run out.
const float INVADER_FIRST_SHOT = 360;
// Argument value of p_LaunchMeteor that keeps the default.
const int KEEP_DEFAULT = -1;

//----------------------------------------------------------------------------
// Waves
//----------------------------------------------------------------------------

// Launches a wave once enough returns have been made since the last one.
void c_MyApp::p_WaveCheck() {
	int threshold = WAVE_THRESHOLD_FAST;
	if (m_gameMode == 1) threshold = WAVE_THRESHOLD_MODE1;
	if (m_gameMode == 2) threshold = WAVE_THRESHOLD_MODE2;
	if (m_players[player::hitsSinceWave] > threshold) p_LaunchWave();
}

// One wave: the hazard choice, its sound, a new background and the launch.
void c_MyApp::p_LaunchWave() {
	// NOTE: the reseed from the clock makes every wave after it follow from the time alone.
	kx_random_Seed = kx_app_Millisecs();
	int h = 0;
	for (int i = 0; i < WAVE_DRAWS; ++i) h = static_cast<int>(kx_random_Rnd2(1, 4.99f));
	p_PlaySFX(sfx::wave, 1, 1, 0);
	const float* bg = WAVE_BACKGROUNDS[p_Rand(1, 6) - 1];
	m_bgTargetR = bg[0];
	m_bgTargetG = bg[1];
	m_bgTargetB = bg[2];
	int wave = static_cast<int>(m_players[player::wave] += 1);
	if (wave >= 1 && wave <= FIXED_WAVE_COUNT) h = FIXED_WAVES[wave];
	if (m_gameMode == INVADER_MODE && h == HAZARD_BRICKS && kx_random_Rnd2(0, 5) < 4) h = HAZARD_INVADER;
	if (h == HAZARD_PEDE) p_LaunchPede();
	if (h == HAZARD_METEOR) p_LaunchMeteor(KEEP_DEFAULT, KEEP_DEFAULT, KEEP_DEFAULT, KEEP_DEFAULT);
	if (h == HAZARD_BRICKS) p_LaunchBricks();
	if (h == HAZARD_INVADER) p_LaunchInvader();
	m_players[player::hitsSinceWave] = 0;
}

//----------------------------------------------------------------------------
// Slots and launchers
//----------------------------------------------------------------------------

// Takes the highest free object slot, zeroed; its first value's index, or -1.
int c_MyApp::p_FreeObj() {
	int s = set_HighestFree(m_objectSlots, obj::last);
	if (s < 0) return -1;
	int o = s * obj::fields;
	// NOTE: the kind is free already; only the other values are cleared.
	for (int v = obj::kind + 1; v < obj::fields; ++v) m_objects[o + v] = 0;
	return o;
}

// Places one meteor; arguments of -1 keep the default x, y, hit points, dx.
int c_MyApp::p_LaunchMeteor(int x, int y, int hp, int dx) {
	int o = p_FreeObj();
	if (o < 0) return 0;
	float* m = &m_objects[o];
	m[obj::x] = METEOR_X;
	m[obj::y] = kx_random_Rnd2(64, 512);
	m[obj::dx] = kx_random_Rnd2(-1, -1.5f);
	m[obj::dy] = 0;
	m[obj::angle] = kx_random_Rnd2(0, 360);
	m[obj::spin] = kx_random_Rnd2(-METEOR_SPIN, METEOR_SPIN);
	m[obj::ink] = METEOR_HIT_POINTS;
	if (x != KEEP_DEFAULT) m[obj::x] = x;
	if (y != KEEP_DEFAULT) m[obj::y] = y;
	if (dx != KEEP_DEFAULT) m[obj::dx] = dx;
	if (hp != KEEP_DEFAULT) m[obj::ink] = hp;
	p_SetKind(o, KIND_METEOR);
	return 0;
}

// Places a chain of 4 to 8 pede segments of one colour above the top wall.
int c_MyApp::p_LaunchPede() {
	int n = p_Rand(4, 8);
	float colour = p_Rand(7);
	for (int i = 1; i <= n; ++i) {
		int o = p_FreeObj();
		if (o < 0) continue;
		float* p = &m_objects[o];
		p[obj::x] = PEDE_X;
		p[obj::y] = -PEDE_GAP * i;
		p[obj::dy] = PEDE_DY;
		p[obj::ink] = colour;
		p_SetKind(o, KIND_PEDE);
	}
	return 0;
}

// Places 8 bricks of one colour: scattered on the grid, or a vertical wall.
int c_MyApp::p_LaunchBricks() {
	int layout = p_Rand(1, 2);
	int c0 = p_BrickColumn();
	int r0 = p_BrickRow();
	float colour = p_Rand(6);
	if (layout == 2 && r0 > WALL_LOWEST_ROW) r0 = WALL_LOWEST_ROW;
	for (int k = 0; k < BRICK_COUNT; ++k) {
		int o = p_FreeObj();
		if (o < 0) continue;
		float* b = &m_objects[o];
		b[obj::ink] = colour;
		int column = p_BrickColumn();
		int row = p_BrickRow();
		b[obj::x] = field::cellUnits * column;
		b[obj::y] = field::cellUnits * row;
		if (layout == 2) {
			b[obj::x] = field::cellUnits * c0;
			b[obj::y] = field::cellUnits * (r0 + k);
		}
		p_SetKind(o, KIND_BRICK);
	}
	return 0;
}

// Places one invader on the right half of the grid.
int c_MyApp::p_LaunchInvader() {
	int o = p_FreeObj();
	int column = static_cast<int>(kx_random_Rnd2(20, 30.99f));
	int row = p_BrickRow();
	if (o < 0) return 0;
	float* v = &m_objects[o];
	v[obj::x] = field::cellUnits * column;
	v[obj::y] = field::cellUnits * row;
	v[obj::dy] = INVADER_DY;
	v[obj::cooldown] = INVADER_FIRST_SHOT;
	p_SetKind(o, KIND_INVADER);
	return 0;
}

// A random grid column 10..30 for a brick.
int c_MyApp::p_BrickColumn() {
	return static_cast<int>(kx_random_Rnd2(10, 30.99f));
}

// A random grid row 2..14 for a brick or an invader.
int c_MyApp::p_BrickRow() {
	return static_cast<int>(kx_random_Rnd2(2, 14.99f));
}
