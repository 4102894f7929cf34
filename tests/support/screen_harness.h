// screen_harness.h: the game object on the scripted host, ready at the menu.
//
// ScreenHarness boots the framework on a TestHost, creates and starts the
// game (audio on OpenAL Soft's null backend), skips the asset loader and
// fixes a virtual screen at scale 1, so that window and virtual pixels are
// the same. It reads back what the last update recorded: records of one kind
// and the lines of text drawn in one colour.
#pragma once

#include <string>
#include <vector>

#include "game/my_app.h"
#include "support/test_host.h"

// Frame sizes of the sheets the screens hit-test, at asset level 1.
const int HARNESS_BUTTON_SIZE = 64;
const int HARNESS_ICON_SIZE = 32;
const int HARNESS_LOGO_SIZE = 256;

// One display-list record.
struct DrawRecord {
	float kind, x, y, rot, w, h, frame, alpha, red, green, blue;
};

class ScreenHarness {
public:
	TestHost host;
	c_MyApp* app = nullptr;

	// Starts the game on a virtual screen of width x height (the window size too).
	void Start(float width = 640, float height = 480);
	// Changes the virtual screen; landscape follows from the sides.
	void SetScreen(float width, float height);
	// Runs updates, each 16 ms after the last.
	void Update(int count = 1);
	// Presses and holds a key / releases it.
	void Press(int key);
	void Release(int key);
	// A press, an update, a release and another update.
	void Tap(int key);
	// Pointer down / moved / up at a virtual point.
	void PointerDown(float x, float y);
	void PointerMove(float x, float y);
	void PointerUp();

	// Records of the last update of one kind (image slot, or rectangle / oval code).
	std::vector<DrawRecord> Records(int kind) const;
	// Text drawn in the colour (red, green, blue), one string per line from the
	// top, characters left to right. Spaces are not drawn and so not listed.
	std::vector<std::string> TextLines(float red, float green, float blue) const;
	// Every line of text drawn, whatever its colour.
	std::vector<std::string> AllText() const;
};
