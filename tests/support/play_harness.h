// play_harness.h: a game in play on the scripted game host, for the gameplay
// tests: starting games, running updates, placing objects and reading back
// the tables, the display list and the sounds started.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <string>
#include <vector>

#include "game/my_app.h"
#include "game/play/records.h"
#include "support/game_harness.h"

class PlayHarness {
public:
	GameHost host;
	c_MyApp* app = nullptr;

	// Launches the game, runs its loader to the menu and starts a game in mode
	// with sound effects on and empty score tables.
	void Begin(int mode);
	// Starts a new game in mode through the screen flow (state 11).
	void NewGame(int mode);
	// Runs n updates; counts the sound effects they start.
	void Update(int n = 1);
	// Sound effects started since the last call.
	int TakeSounds();
	// The last update's sound effects, in order; of more than 24, the ring of
	// voices keeps the last (count mod 24).
	std::vector<VoiceSound> Sounds();

	// Empties the object table.
	void ClearObjects();
	// Puts an object of kind at world (x, y) moving (dx, dy) into slot s.
	// NOTE: play keeps an index of where balls and bricks lie; a test that
	// changes a kind or place itself afterwards must file the slot again
	// (c_MyApp::p_FileObject) or set the kind with c_MyApp::p_SetKind.
	float* Put(int slot, int kind, float x, float y, float dx = 0, float dy = 0);
	// The record of slot s.
	float* Obj(int slot);
	// Objects of kind in the table.
	int CountKind(int kind);
	// Particles in use.
	int LiveParticles();
	// Display-list records of one kind (an image slot or DL_KIND_*), in order.
	std::vector<const float*> Records(int kind);
	// Image commands of the sprite sheet with this frame in the display list.
	int CountSprites(int frame);
	// Rectangles of this colour in the display list.
	int CountRects(float r, float g, float b);
	// Font glyphs drawn in one colour and alpha, in order.
	std::vector<const float*> Glyphs(float r, float g, float b, float alpha);
	// The player record value i.
	float& Player(int i);

private:
	int _sounds = 0;
	int _voiceBefore = 0;
};

// The characters that glyph records show, in order.
std::string GlyphText(const std::vector<const float*>& glyphs);
// The direction a particle record flies in, degrees from 0 up to 360 (90 right).
float Heading(const float* particle);

// The lowest and highest of the values added.
struct Spread {
	float lo = FLT_MAX;
	float hi = -FLT_MAX;
	void Add(float v) {
		lo = std::min(lo, v);
		hi = std::max(hi, v);
	}
};
// A spread that stays within [from, to] and reaches both ends to within reach.
::testing::AssertionResult Fills(const Spread& spread, float from, float to, float reach = 0.05f);
