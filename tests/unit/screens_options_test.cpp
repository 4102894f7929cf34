// screens_options_test.cpp: the options box's locks, rows, sound cycle, overscan and saving.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "host/app.h"
#include "input/key_codes.h"
#include "support/game_harness.h"
#include "support/screen_harness.h"

namespace {

// The sound row's bar, when the box is fully open on a 640 x 480 screen.
const float SOUND_ROW_X = 300;
const float SOUND_ROW_Y = 135;
// Updates until the box has slid fully in.
const int SLIDE_UPDATES = 31;

class OptionsTest : public ::testing::Test {
protected:
	ScreenHarness h;

	void SetUp() override {
		h.Start();
		h.Update(40);
	}

	// Opens the box with the cursor on row and lets it slide in.
	void Open(int row) {
		h.app->m_optionsOpen = 1;
		h.app->m_optionsRow = 0;
		h.Update(SLIDE_UPDATES);
		h.app->m_optionsRow = row;
	}

	bool Shows(const std::string& text) const {
		std::vector<std::string> lines = h.AllText();
		return std::find(lines.begin(), lines.end(), text) != lines.end();
	}
};

TEST_F(OptionsTest, NothingActsWhileSlidingIn) {
	h.app->m_option[5] = 1;
	h.app->m_optionsOpen = 1;
	h.app->m_optionsRow = 1;
	h.Press(KEY_ENTER);
	h.PointerDown(SOUND_ROW_X, SOUND_ROW_Y + 29 * 24);
	for (int i = 0; i < 29; ++i) {
		h.PointerMove(SOUND_ROW_X, SOUND_ROW_Y + (29 - i) * 24);
		h.Update();
	}
	EXPECT_LT(h.app->m_optionsSlide, 30);
	EXPECT_EQ(h.app->m_option[5], 1);
	EXPECT_EQ(h.app->m_optionsOpen, 1);
	h.Release(KEY_ENTER);
	h.PointerUp();
	h.Update(3);
	h.Tap(KEY_ENTER);
	EXPECT_EQ(h.app->m_option[5], 2) << "once open, a fresh press acts";
}

TEST_F(OptionsTest, SoundCyclesThroughFourModesAndStopsTheMusic) {
	h.app->m_option[5] = 0;
	Open(1);
	const int expected[] = {1, 2, 3, 0};
	const int musicAfter[] = {1, 0, 1, 0};
	for (int k = 0; k < 4; ++k) {
		h.app->m_musicOn = 1;
		h.Tap(KEY_ENTER);
		EXPECT_EQ(h.app->m_option[5], expected[k]) << "activation " << k;
		EXPECT_EQ(h.app->m_musicOn, musicAfter[k]) << "activation " << k;
	}
}

TEST_F(OptionsTest, SoundTogglesWithoutMusic) {
	kx_Zimbolo_HasMusicStream = 0;
	h.app->m_option[5] = 1;
	Open(1);
	EXPECT_TRUE(Shows("Sound:On"));
	h.Tap(KEY_ENTER);
	EXPECT_EQ(h.app->m_option[5], 0);
	h.Tap(KEY_ENTER);
	EXPECT_EQ(h.app->m_option[5], 1);
	kx_Zimbolo_HasMusicStream = 1;
}

TEST_F(OptionsTest, StoredModeOutOfRangeShowsOff) {
	h.app->m_option[5] = 7;
	h.app->m_optionsOpen = 1;
	h.Update();
	EXPECT_EQ(h.app->m_option[5], 0);
	EXPECT_TRUE(Shows("Sound:Off"));
}

TEST_F(OptionsTest, HeldKeyDoesNotRepeat) {
	h.app->m_option[5] = 1;
	Open(1);
	h.Press(KEY_ENTER);
	h.Update(20);
	EXPECT_EQ(h.app->m_option[5], 2);
	h.Release(KEY_ENTER);
	h.Update();
	EXPECT_EQ(h.app->m_option[5], 2);
}

TEST_F(OptionsTest, HeldKeyDoesNotRepeatOnTheICadeRow) {
	Open(2);
	h.Press(KEY_ENTER);
	h.Update(6);
	EXPECT_EQ(kx_Zimbolo_iCadeControls, 1);
	h.Release(KEY_ENTER);
	h.Update();
	EXPECT_TRUE(Shows("iCade:On"));
	h.Tap(KEY_ENTER);
	EXPECT_EQ(kx_Zimbolo_iCadeControls, 0);
}

TEST_F(OptionsTest, TapOnARowActsAndMovesTheCursor) {
	h.app->m_option[5] = 1;
	Open(0);
	h.PointerDown(SOUND_ROW_X, SOUND_ROW_Y);
	h.Update(5);
	EXPECT_EQ(h.app->m_option[5], 2);
	EXPECT_EQ(h.app->m_optionsRow, 1);
	h.PointerUp();
	h.Update();
	h.PointerDown(SOUND_ROW_X, SOUND_ROW_Y);
	h.Update();
	EXPECT_EQ(h.app->m_option[5], 3);
}

TEST_F(OptionsTest, CursorStopsAtTheLastRow) {
	Open(0);
	for (int i = 0; i < 6; ++i) h.Tap(KEY_DOWN);
	EXPECT_EQ(h.app->m_optionsRow, 4);
	EXPECT_TRUE(Shows("Credits"));
	for (int i = 0; i < 6; ++i) h.Tap(KEY_UP);
	EXPECT_EQ(h.app->m_optionsRow, 0);
}

TEST_F(OptionsTest, OverThePauseMenuThereIsNoCreditsRow) {
	h.app->m_paused = 1;
	Open(0);
	for (int i = 0; i < 6; ++i) h.Tap(KEY_DOWN);
	EXPECT_EQ(h.app->m_optionsRow, 3);
	EXPECT_TRUE(Shows("Fullscreen"));
	EXPECT_FALSE(Shows("Credits"));
}

TEST_F(OptionsTest, CreditsRowReplacesTheBoxWithoutSaving) {
	kx_app_SaveState(String("unchanged"));
	Open(4);
	h.Tap(KEY_ENTER);
	EXPECT_EQ(h.app->m_optionsOpen, 0);
	EXPECT_EQ(h.app->m_creditsOpen, 1);
	EXPECT_TRUE(kx_app_LoadState() == String("unchanged"));
}

TEST_F(OptionsTest, OuyaOverscanStepsDownToOneAndBackUpToNinetySix) {
	kx_Zimbolo_isOuya = 1;
	h.app->m_option[14] = 96;
	Open(0);
	const int down[] = {80, 64, 48, 32, 16, 1, 1};
	for (int expected : down) {
		h.Tap(KEY_B);
		EXPECT_EQ(h.app->m_option[14], expected);
		EXPECT_FLOAT_EQ(kx_Zimbolo_overscan, static_cast<float>(expected));
	}
	const int up[] = {17, 33, 49, 65, 81, 96, 96};
	for (int expected : up) {
		h.Tap(KEY_N);
		EXPECT_EQ(h.app->m_option[14], expected);
	}
	EXPECT_EQ(h.app->m_optionsOpen, 1) << "R1 adjusts the overscan, it does not leave";
	EXPECT_FALSE(Shows("iCade:Off")) << "no iCade row on an Ouya";
	kx_Zimbolo_isOuya = 0;
}

TEST_F(OptionsTest, LeavingByBackSaves) {
	kx_app_SaveState(String());
	h.app->m_option[5] = 2;
	Open(1);
	h.Press(KEY_ESCAPE);
	h.Update();
	EXPECT_EQ(h.app->m_optionsOpen, 0);
	Array<String> fields = kx_app_LoadState().Split(String("|"));
	ASSERT_EQ(fields.Length(), 99);
	EXPECT_EQ(fields[5].ToInt(), 2);
	h.Release(KEY_ESCAPE);
	h.Update(SLIDE_UPDATES);
	EXPECT_EQ(h.app->m_optionsSlide, 0);
	EXPECT_EQ(h.app->m_gameState, STATE_MENU) << "the back press does not also quit the menu";
}

// On the back control the keys and pad buttons of 10, 11, 15 and back leave
// the box; those of 12, 13 and 14 do not.
TEST_F(OptionsTest, ActionOnTheBackControlLeaves) {
	h.host.joysticks[0].present = true;
	struct Control {
		int key, pad;
		bool leaves;
	} controls[] = {
		{KEY_N, -1, 1},     {KEY_O, -1, 1},      {KEY_Z, -1, 1},      {KEY_J, -1, 1},         {KEY_SPACE, -1, 1},
		{KEY_ENTER, -1, 1}, {KEY_X, -1, 1},      {KEY_K, -1, 1},      {KEY_CONTROL, -1, 1},   {KEY_ESCAPE, -1, 1},
		{KEY_TILDE, -1, 1}, {KEY_DELETE, -1, 1}, {KEY_BACKSPACE, -1, 1}, {-1, 5, 1},          {-1, 0, 1},
		{-1, 1, 1},         {-1, 6, 1},          {-1, 7, 1},          {-1, 14, 1},            {KEY_C, -1, 0},
		{KEY_L, -1, 0},     {KEY_SHIFT, -1, 0},  {KEY_V, -1, 0},      {KEY_I, -1, 0},         {KEY_B, -1, 0},
		{KEY_U, -1, 0},     {-1, 2, 0},          {-1, 3, 0},          {-1, 4, 0},
	};
	for (const Control& c : controls) {
		Open(0);
		if (c.key >= 0) h.Press(c.key);
		if (c.pad >= 0) h.host.joysticks[0].buttons[c.pad] = true;
		h.Update();
		EXPECT_EQ(h.app->m_optionsOpen, c.leaves ? 0 : 1) << "key " << c.key << ", pad button " << c.pad;
		if (c.key >= 0) h.Release(c.key);
		if (c.pad >= 0) h.host.joysticks[0].buttons[c.pad] = false;
		h.Update();
		EXPECT_EQ(h.app->m_gameState, STATE_MENU);
	}
	// On a row, any of 10 to 15 activates it.
	for (int key : {KEY_Z, KEY_X, KEY_C, KEY_V, KEY_B, KEY_N}) {
		Open(1);
		int mode = h.app->m_option[5];
		h.Tap(key);
		EXPECT_EQ(h.app->m_option[5], (mode + 1) % 4) << "key " << key;
	}
}

TEST_F(OptionsTest, LocksTheScreenBelow) {
	Open(1);
	h.PointerUp();
	h.Update();
	EXPECT_EQ(h.app->m_keyLock, 1);
	EXPECT_EQ(h.app->m_waitRelease, 1);
	EXPECT_EQ(h.app->m_optionsKeyLock, 0);
	EXPECT_EQ(h.app->m_optionsTapLock, 0);
}

// The white labels drawn at scale 2 whose glyphs sit on line y, as text.
std::string LabelOnLine(c_MyApp* app, float y) {
	std::string text;
	for (int i = 0; i < app->m_drawCount; i += DL_RECORD) {
		const float* e = &app->m_drawList[i];
		if (e[DL_KIND] == IMG_FONT && e[DL_Y] == y && e[DL_W] == 2 && e[DL_BLUE] == 255) {
			text += static_cast<char>(e[DL_FRAME] + ' ');
		}
	}
	return text;
}

// On the scripted window host, whose window the row really switches.
TEST(OptionsFullscreenRow, SwitchesTheWindowAndNamesTheOtherChoice) {
	GameHost host;
	c_MyApp* app = host.Launch();
	host.Update(28);
	app->p_MapScreen();
	app->m_optionsOpen = 1;
	host.Update(SLIDE_UPDATES);
	// The third row: bar from y 208, label at (100, 210), glyph centres 10 lower.
	const float label = 130 + 2 * 40 + 10;
	EXPECT_EQ(LabelOnLine(app, label), "Fullscreen");
	app->m_optionsRow = 3;
	host.KeyDown(KEY_ENTER);
	host.Update(2);
	EXPECT_TRUE(host.fullscreen);
	EXPECT_EQ(host.windowWidth, 1920);
	EXPECT_EQ(app->m_fullscreen, 1);
	EXPECT_EQ(host.windowCalls, 1) << "a held key switches once";
	EXPECT_EQ(LabelOnLine(app, label), "Windowed");
	host.KeyUp(KEY_ENTER);
	host.Update(1);
	host.MouseMove(300, 215);
	host.MouseDown(300, 215);
	host.Update(1);
	EXPECT_FALSE(host.fullscreen) << "a tap on the bar switches back";
	EXPECT_EQ(host.windowWidth, 640);
	EXPECT_EQ(host.windowHeight, 480);
	EXPECT_EQ(app->m_fullscreen, 0);
	host.MouseUp(300, 215);
	app->m_optionsOpen = 0;
}

}  // namespace
