// play_harness.cpp: the gameplay test harness.
#include "support/play_harness.h"

#include <cmath>

#include "game/zimbolo.h"

//----------------------------------------------------------------------------
// Constants
//----------------------------------------------------------------------------

// Updates the loader needs to go through its steps.
const int LOADER_UPDATES = 30;
// Sound mode with effects and no music.
const int SOUND_EFFECTS_ONLY = 2;
// A glyph's character code is its frame plus this.
const int GLYPH_BASE = 32;

//----------------------------------------------------------------------------
// Games and updates
//----------------------------------------------------------------------------

void PlayHarness::Begin(int mode) {
	app = host.Launch();
	host.Update(LOADER_UPDATES);
	app->m_option[5] = SOUND_EFFECTS_ONLY;
	for (int i = 0; i < MYAPP_HISCORES; ++i) app->m_hiScore[i] = 0;
	NewGame(mode);
}

void PlayHarness::NewGame(int mode) {
	app->m_gameMode = mode;
	app->m_gameState = STATE_START_GAME;
	host.Update();
	TakeSounds();
}

void PlayHarness::Update(int n) {
	for (int i = 0; i < n; ++i) {
		_voiceBefore = app->m_sfxVoice;
		host.Update();
		_sounds += (app->m_sfxVoice - _voiceBefore + SFX_VOICES) % SFX_VOICES;
	}
}

int PlayHarness::TakeSounds() {
	int n = _sounds;
	_sounds = 0;
	return n;
}

std::vector<VoiceSound> PlayHarness::Sounds() {
	std::vector<VoiceSound> sounds;
	for (int v = _voiceBefore; v != app->m_sfxVoice;) {
		v = (v + 1) % SFX_VOICES;
		sounds.push_back(SoundOnVoice(app, v));
	}
	return sounds;
}

//----------------------------------------------------------------------------
// Tables and the display list
//----------------------------------------------------------------------------

void PlayHarness::ClearObjects() {
	for (int i = 0; i < obj::fields * obj::slots; ++i) app->m_objects[i] = 0;
	app->p_IndexObjects();
}

float* PlayHarness::Put(int slot, int kind, float x, float y, float dx, float dy) {
	float* r = Obj(slot);
	for (int v = 0; v < obj::fields; ++v) r[v] = 0;
	r[obj::kind] = kind;
	r[obj::x] = x;
	r[obj::y] = y;
	r[obj::dx] = dx;
	r[obj::dy] = dy;
	app->p_FileObject(slot * obj::fields);
	return r;
}

float* PlayHarness::Obj(int slot) {
	return &app->m_objects[slot * obj::fields];
}

int PlayHarness::CountKind(int kind) {
	int n = 0;
	for (int s = 0; s < obj::slots; ++s) n += Obj(s)[obj::kind] == kind;
	return n;
}

int PlayHarness::LiveParticles() {
	int n = 0;
	for (int p = 0; p <= app->m_particleMax; ++p) n += app->m_particles[p * part::fields + part::kind] > 0;
	return n;
}

std::vector<const float*> PlayHarness::Records(int kind) {
	std::vector<const float*> found;
	for (int i = 0; i < app->m_drawCount; i += DL_RECORD) {
		const float* e = &app->m_drawList[i];
		if (e[DL_KIND] == kind) found.push_back(e);
	}
	return found;
}

int PlayHarness::CountSprites(int frame) {
	int n = 0;
	for (const float* e : Records(IMG_SPRITES)) n += e[DL_FRAME] == frame;
	return n;
}

int PlayHarness::CountRects(float r, float g, float b) {
	int n = 0;
	for (const float* e : Records(DL_KIND_RECT)) n += e[DL_RED] == r && e[DL_GREEN] == g && e[DL_BLUE] == b;
	return n;
}

std::vector<const float*> PlayHarness::Glyphs(float r, float g, float b, float alpha) {
	std::vector<const float*> found;
	for (const float* e : Records(IMG_FONT)) {
		if (e[DL_RED] == r && e[DL_GREEN] == g && e[DL_BLUE] == b && e[DL_ALPHA] == alpha) found.push_back(e);
	}
	return found;
}

float& PlayHarness::Player(int i) {
	return app->m_players[i];
}

std::string GlyphText(const std::vector<const float*>& glyphs) {
	std::string text;
	for (const float* e : glyphs) text += static_cast<char>(e[DL_FRAME] + GLYPH_BASE);
	return text;
}

float Heading(const float* particle) {
	const float degrees = 57.2957795f;
	return std::fmod(std::atan2(particle[part::dx], -particle[part::dy]) * degrees + 360, 360);
}

::testing::AssertionResult Fills(const Spread& spread, float from, float to, float reach) {
	// NOTE: a hair of slack, since the float ends of a spread may round either way.
	const float slack = 1e-5f;
	if (spread.lo >= from - slack && spread.hi <= to + slack && spread.lo < from + reach && spread.hi > to - reach) {
		return ::testing::AssertionSuccess();
	}
	return ::testing::AssertionFailure() << "spread " << spread.lo << " .. " << spread.hi << ", wanted " << from << " .. "
	                                     << to;
}
