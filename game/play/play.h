// play.h: helpers shared by the play modules: where the playfield lies on
// the virtual screen, the bounce speed limits, the slot sets kept beside the
// tables and the overlap test.
//
// The 992 x 560 world of play is drawn centred on the virtual screen, one
// cell (32 world units) being a 32nd of the screen width. PlayField holds that
// placement for the current virtual screen size.
#pragma once

#include <cmath>

#include "game/my_app.h"
#include "game/play/records.h"

//----------------------------------------------------------------------------
// Constants
//----------------------------------------------------------------------------

// Every bounced speed component stays within these.
const float BOUNCE_MIN = 3;
const float BOUNCE_MAX = 13;

//----------------------------------------------------------------------------
// Playfield placement
//----------------------------------------------------------------------------

// Placement of the playfield on the virtual screen.
struct PlayField {
	float cell;  // screen pixels per cell
	float scale; // screen pixels per world unit
	float left;  // screen x of world x 0
	float top;   // screen y of world y 0

	// Screen x of a world x.
	float ScreenX(float x) const { return left + x * scale; }
	// Screen y of a world y.
	float ScreenY(float y) const { return top + y * scale; }
	// Screen y of the bottom wall's upper edge.
	float BottomWallTop() const { return top + 17 * cell - cell / 2; }
};

// The placement for the current virtual screen.
inline PlayField play_Field() {
	PlayField f;
	f.cell = kx_Zimbolo_jscrw / 32;
	f.scale = f.cell / 32;
	f.left = kx_Zimbolo_jscrw / 2 - 15.5f * f.cell;
	f.top = kx_Zimbolo_jscrh / 2 - 8.5f * f.cell;
	return f;
}

//----------------------------------------------------------------------------
// Motion helpers
//----------------------------------------------------------------------------

// v limited to lo..hi.
inline float play_Clamp(float v, float lo, float hi) {
	return v < lo ? lo : (v > hi ? hi : v);
}

// The size of a speed component, kept within the bounce limits.
inline float play_Bounce(float v) {
	return play_Clamp(std::fabs(v), BOUNCE_MIN, BOUNCE_MAX);
}

//----------------------------------------------------------------------------
// Slot sets
//----------------------------------------------------------------------------

// The word of slot s in a slot set.
inline int set_Word(int s) {
	return s / SET_BITS;
}

// The bit of slot s in its word.
inline unsigned set_Bit(int s) {
	return 1u << (s % SET_BITS);
}

// The highest slot up to last that is not in the set, or -1.
inline int set_HighestFree(const Array<unsigned>& set, int last) {
	for (int w = set_Word(last); w >= 0; --w) {
		unsigned open = ~set[w];
		if (w == set_Word(last)) open &= ~0u >> (SET_BITS - 1 - last % SET_BITS);
		if (open != 0) return w * SET_BITS + SET_BITS - 1 - __builtin_clz(open);
	}
	return -1;
}

//----------------------------------------------------------------------------
// Contacts
//----------------------------------------------------------------------------

// Whether two object records touch (centres closer than 24 on both axes).
inline bool play_Overlap(const float* a, const float* b) {
	return std::fabs(a[obj::x] - b[obj::x]) < field::overlap && std::fabs(a[obj::y] - b[obj::y]) < field::overlap;
}
