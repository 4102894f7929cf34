// screen_harness.cpp: the game object on the scripted host, ready at the menu.
#include "support/screen_harness.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <tuple>

#include "host/app.h"
#include "support/fixtures.h"
#include "support/game_harness.h"
#include "host/kx_game.h"

namespace {

// Milliseconds between two updates at 60 per second.
const int UPDATE_MS = 16;
// A glyph's character code is its frame plus this.
const int GLYPH_BASE = 32;

// Groups glyph records into lines by their y, then their x.
std::vector<std::string> Lines(const std::vector<DrawRecord>& glyphs) {
	std::map<float, std::vector<std::pair<float, char>>> byLine;
	for (const DrawRecord& g : glyphs) {
		byLine[g.y].emplace_back(g.x, static_cast<char>(static_cast<int>(g.frame) + GLYPH_BASE));
	}
	std::vector<std::string> lines;
	for (auto& entry : byLine) {
		std::sort(entry.second.begin(), entry.second.end());
		std::string text;
		for (const auto& glyph : entry.second) text += glyph.second;
		lines.push_back(text);
	}
	return lines;
}

}  // namespace

void ScreenHarness::Start(float width, float height) {
	setenv("ALSOFT_DRIVERS", "null", 1);
	// Every screen test saves into a working directory of its own.
	EnterScratchDir();
	// Image and sound loading go through the window host; the scripted host
	// stays the one that runs the game.
	EnsureTestHost();
	host.SetWindowSize(static_cast<int>(width), static_cast<int>(height));
	host.Boot();
	kxInit();
	kxMain();
	host.Start();
	app = static_cast<c_MyApp*>(kx_app__app);
	app->m_loadStep = 0;
	app->m_assetRes = 1;
	app->m_assetScale = 1;
	int sizes[][2] = {{IMG_BUTTONS, HARNESS_BUTTON_SIZE}, {IMG_ICONS, HARNESS_ICON_SIZE}, {IMG_LOGO, HARNESS_LOGO_SIZE}};
	for (auto& slot : sizes) {
		app->m_imgInfo[3 * slot[0]] = slot[1];
		app->m_imgInfo[3 * slot[0] + 1] = slot[1];
	}
	app->m_scaleX = 1;
	app->m_scaleY = 1;
	kx_Zimbolo_overscan = 0;
	SetScreen(width, height);
}

void ScreenHarness::SetScreen(float width, float height) {
	kx_Zimbolo_jscrw = width;
	kx_Zimbolo_jscrh = height;
	app->m_landscape = height <= width ? 1 : 0;
}

void ScreenHarness::Update(int count) {
	host.RunUpdates(count, UPDATE_MS);
}

void ScreenHarness::Press(int key) {
	host.KeyDown(key);
}

void ScreenHarness::Release(int key) {
	host.KeyUp(key);
}

void ScreenHarness::Tap(int key) {
	Press(key);
	Update();
	Release(key);
	Update();
}

void ScreenHarness::PointerDown(float x, float y) {
	host.MouseMove(x, y);
	host.MouseDown(0, x, y);
}

void ScreenHarness::PointerMove(float x, float y) {
	host.MouseMove(x, y);
}

void ScreenHarness::PointerUp() {
	host.MouseUp(0, 0, 0);
}

std::vector<DrawRecord> ScreenHarness::Records(int kind) const {
	std::vector<DrawRecord> found;
	const Array<float>& list = app->m_drawList;
	for (int i = 0; i + DL_RECORD <= app->m_drawCount; i += DL_RECORD) {
		if (static_cast<int>(list[i + DL_KIND]) != kind) continue;
		found.push_back(DrawRecord{list[i + DL_KIND], list[i + DL_X], list[i + DL_Y], list[i + DL_ROT], list[i + DL_W],
		                           list[i + DL_H], list[i + DL_FRAME], list[i + DL_ALPHA], list[i + DL_RED],
		                           list[i + DL_GREEN], list[i + DL_BLUE]});
	}
	return found;
}

std::vector<std::string> ScreenHarness::TextLines(float red, float green, float blue) const {
	std::vector<DrawRecord> glyphs;
	for (const DrawRecord& g : Records(app->m_fontImage)) {
		if (g.red == red && g.green == green && g.blue == blue) glyphs.push_back(g);
	}
	return Lines(glyphs);
}

std::vector<std::string> ScreenHarness::AllText() const {
	return Lines(Records(app->m_fontImage));
}
