// screens_menu_test.cpp: the main menu's lists, carousel, taps, drags and keys.
#include <gtest/gtest.h>

#include "input/key_codes.h"
#include "support/screen_harness.h"

namespace {

// On a 640 x 480 screen the carousel runs along y 384 with item 1 at x 250.
const float CAROUSEL_Y = 384;
const float CENTRE_X = 250;
const float SPACING = 88;

class MenuTest : public ::testing::Test {
protected:
	ScreenHarness h;

	void SetUp() override {
		h.Start();
		h.Update(40);
	}

	// Puts the carousel at rest on item i.
	void RestOn(int i) {
		h.app->m_menuSel = i;
		h.app->m_menuScroll = h.app->m_menuScrollTarget = (1 - i) * SPACING;
		// The lists are drawn before the highlight picks the mode: two updates.
		h.Update(2);
	}

	// Where item i is drawn now.
	float ItemX(int i) const { return static_cast<int>(CENTRE_X + h.app->m_menuScroll) + SPACING * (i - 1); }
};

TEST_F(MenuTest, ListsHaveTenRowsOnA480HighScreen) {
	h.app->m_hiScore[0] = 12345;
	h.app->m_hiScore[9] = 5;
	h.app->m_hiScore[30] = 777;
	RestOn(1);
	std::vector<std::string> top = h.TextLines(255, 200, 100);
	std::vector<std::string> last = h.TextLines(200, 255, 100);
	ASSERT_EQ(top.size(), 11u);
	ASSERT_EQ(last.size(), 11u);
	EXPECT_EQ(top[0], "Top10");
	EXPECT_EQ(top[1], "12345");
	EXPECT_EQ(top[10], "5");
	EXPECT_EQ(last[0], "Last10");
	EXPECT_EQ(last[1], "777");
}

TEST_F(MenuTest, ListsHaveOneRowOnA210HighScreen) {
	h.SetScreen(280, 210);
	h.Update();
	EXPECT_EQ(h.TextLines(255, 200, 100), (std::vector<std::string>{"Highscore", "0"}));
	EXPECT_EQ(h.TextLines(200, 255, 100), (std::vector<std::string>{"Last", "0"}));
	// 300 high: trunc(150 - 90) / 15 = 4 rows.
	h.SetScreen(400, 300);
	h.Update();
	EXPECT_EQ(h.TextLines(255, 200, 100).front(), "Top4");
}

TEST_F(MenuTest, ListsFollowTheSelectedMode) {
	h.app->m_hiScore[20] = 3333;
	RestOn(3);
	EXPECT_EQ(h.app->m_gameMode, 3);
	EXPECT_EQ(h.TextLines(255, 200, 100)[1], "3333");
}

TEST_F(MenuTest, OptionsItemHidesBothLists) {
	RestOn(4);
	ASSERT_EQ(h.app->m_menuSel, 4);
	EXPECT_TRUE(h.TextLines(255, 200, 100).empty());
	EXPECT_TRUE(h.TextLines(200, 255, 100).empty());
	for (const DrawRecord& item : h.Records(IMG_BUTTONS)) {
		EXPECT_EQ(item.red + item.green + item.blue, 3 * 255) << "items keep their own colours";
	}
}

TEST_F(MenuTest, KeysStopAtBothEnds) {
	RestOn(1);
	h.Tap(KEY_LEFT);
	h.Tap(KEY_UP);
	EXPECT_EQ(h.app->m_menuSel, 1);
	EXPECT_EQ(h.app->m_menuSnapItem, 0);
	h.Tap(KEY_RIGHT);
	EXPECT_EQ(h.app->m_menuSel, 2);
	EXPECT_EQ(h.app->m_menuSnapItem, 2);
	EXPECT_FLOAT_EQ(h.app->m_menuScrollTarget, -SPACING);
	RestOn(4);
	h.Tap(KEY_RIGHT);
	h.Tap(KEY_DOWN);
	EXPECT_EQ(h.app->m_menuSel, 4);
	EXPECT_EQ(h.app->m_menuSnapItem, 0);
}

TEST_F(MenuTest, HeldKeyMovesOnce) {
	RestOn(1);
	h.Press(KEY_RIGHT);
	h.Update(30);
	EXPECT_EQ(h.app->m_menuSel, 2);
	h.Release(KEY_RIGHT);
	h.Update(30);
	EXPECT_EQ(h.app->m_menuSel, 2);
	EXPECT_NEAR(h.app->m_menuScroll, -SPACING, 1);
}

TEST_F(MenuTest, TapHighlightsThenSecondTapStarts) {
	RestOn(1);
	h.PointerDown(ItemX(2), CAROUSEL_Y);
	h.Update();
	EXPECT_EQ(h.app->m_menuSel, 2);
	EXPECT_EQ(h.app->m_gameState, STATE_MENU);
	h.Update(5);
	EXPECT_EQ(h.app->m_gameState, STATE_MENU) << "holding the pointer does not choose";
	h.PointerUp();
	h.Update(40);
	EXPECT_EQ(h.app->m_menuSnapItem, 0);
	h.PointerDown(ItemX(2), CAROUSEL_Y);
	h.Update();
	EXPECT_EQ(h.app->m_gameState, STATE_START_GAME);
	EXPECT_EQ(h.app->m_gameMode, 2);
	EXPECT_EQ(h.app->m_controlMode, 2);
	EXPECT_EQ(h.app->m_startPlayer, 0);
}

TEST_F(MenuTest, PlayButtonStartsTheHighlightedMode) {
	RestOn(3);
	h.PointerDown(640 - 70, 480 - 48);
	h.Update();
	EXPECT_EQ(h.app->m_gameState, STATE_START_GAME);
	EXPECT_EQ(h.app->m_gameMode, 3);
}

TEST_F(MenuTest, DragIsNotATap) {
	RestOn(1);
	h.PointerDown(40, 300);
	h.Update();
	h.PointerMove(50, 300);
	h.Update();
	EXPECT_EQ(h.app->m_waitRelease, 2);
	EXPECT_FLOAT_EQ(h.app->m_menuScrollVel, 15) << "10 pixels to the right fling the carousel by 15";
	for (int i = 0; i < 20; ++i) {
		h.PointerMove(ItemX(1), CAROUSEL_Y);
		h.Update();
	}
	EXPECT_EQ(h.app->m_gameState, STATE_MENU);
	h.PointerUp();
	h.Update(40);
	h.PointerDown(ItemX(1), CAROUSEL_Y);
	h.Update();
	EXPECT_EQ(h.app->m_gameState, STATE_START_GAME) << "the same spot tapped starts the game";
}

TEST_F(MenuTest, SmallMovementIsStillATap) {
	RestOn(1);
	h.PointerDown(40, 300);
	h.Update();
	h.PointerMove(41, 300);
	h.Update();
	EXPECT_EQ(h.app->m_waitRelease, 0) << "1 pixel is a drag of 1.5, not beyond 2";
	h.PointerMove(ItemX(1), CAROUSEL_Y);
	h.Update();
	EXPECT_EQ(h.app->m_gameState, STATE_START_GAME);
}

TEST_F(MenuTest, KeyboardStartWinsOverAPad) {
	RestOn(2);
	h.host.joysticks[2].present = true;
	h.host.joysticks[2].buttons[0] = true;
	h.Press(KEY_ENTER);
	h.Update();
	EXPECT_EQ(h.app->m_gameState, STATE_START_GAME);
	EXPECT_EQ(h.app->m_controlMode, 0);
	EXPECT_EQ(h.app->m_startPlayer, 0);
}

TEST_F(MenuTest, PadStartRecordsThePad) {
	RestOn(1);
	h.host.joysticks[0].present = true;
	h.host.joysticks[1].present = true;
	h.host.joysticks[1].buttons[1] = true;
	h.Update();
	EXPECT_EQ(h.app->m_gameState, STATE_START_GAME);
	EXPECT_EQ(h.app->m_controlMode, 1);
	EXPECT_EQ(h.app->m_startPlayer, 1);
	h.Update();
	EXPECT_EQ(h.app->m_gameState, STATE_PLAYING);
	EXPECT_EQ(h.app->m_gameMode, 1);
}

// Every key and pad button of the action controls 10 to 13 starts a game on
// a mode item; those of 14 and 15 do not, and on an Ouya neither does 13.
TEST_F(MenuTest, EachActionControlStartsAGameAndNoOtherDoes) {
	h.host.joysticks[0].present = h.host.joysticks[1].present = true;
	struct Control {
		int key, pad;
		bool ouya, starts;
	} controls[] = {
		{KEY_Z, -1, 0, 1},     {KEY_J, -1, 0, 1}, {KEY_SPACE, -1, 0, 1}, {KEY_ENTER, -1, 0, 1}, {KEY_X, -1, 0, 1},
		{KEY_K, -1, 0, 1},     {KEY_CONTROL, -1, 0, 1}, {KEY_C, -1, 0, 1}, {KEY_L, -1, 0, 1}, {KEY_SHIFT, -1, 0, 1},
		{KEY_V, -1, 0, 1},     {KEY_I, -1, 0, 1}, {-1, 0, 0, 1},         {-1, 1, 0, 1},         {-1, 2, 0, 1},
		{-1, 3, 0, 1},         {KEY_B, -1, 0, 0}, {KEY_U, -1, 0, 0},     {KEY_N, -1, 0, 0},     {KEY_O, -1, 0, 0},
		{-1, 4, 0, 0},         {-1, 5, 0, 0},     {KEY_V, -1, 1, 0},     {-1, 3, 1, 0},         {KEY_C, -1, 1, 1},
	};
	for (const Control& c : controls) {
		RestOn(2);
		kx_Zimbolo_isOuya = c.ouya;
		if (c.key >= 0) h.Press(c.key);
		if (c.pad >= 0) h.host.joysticks[1].buttons[c.pad] = true;
		h.Update();
		EXPECT_EQ(h.app->m_gameState == STATE_START_GAME, c.starts) << "key " << c.key << ", pad button " << c.pad;
		if (c.key >= 0) h.Release(c.key);
		if (c.pad >= 0) h.host.joysticks[1].buttons[c.pad] = false;
		kx_Zimbolo_isOuya = 0;
		h.app->m_gameState = STATE_MENU;
		h.app->m_creditsOpen = 0;
	}
}

TEST_F(MenuTest, ActionOnOptionsItemOpensTheBox) {
	RestOn(4);
	h.app->m_optionsRow = 3;
	h.Press(KEY_SPACE);
	h.Update();
	EXPECT_EQ(h.app->m_optionsOpen, 1);
	EXPECT_EQ(h.app->m_optionsRow, 0);
	EXPECT_EQ(h.app->m_gameState, STATE_MENU);
}

TEST_F(MenuTest, CreditsButtonAndKeyOpenTheCredits) {
	h.PointerDown(640 - 70, 32);
	h.Update();
	EXPECT_EQ(h.app->m_creditsOpen, 1);
	h.PointerUp();
	h.app->m_creditsOpen = 0;
	h.Update(40);
	h.Tap(KEY_N);
	EXPECT_EQ(h.app->m_creditsOpen, 1);
}

TEST_F(MenuTest, SlideRisesOnePerUpdate) {
	h.app->m_menuSlide = -32;
	h.Update(10);
	EXPECT_EQ(h.app->m_menuSlide, -22);
	h.Update(30);
	EXPECT_EQ(h.app->m_menuSlide, 0);
}

TEST_F(MenuTest, PortraitCarouselRunsDownTheScreen) {
	h.SetScreen(360, 480);
	RestOn(1);
	std::vector<DrawRecord> items = h.Records(IMG_BUTTONS);
	ASSERT_GE(items.size(), 3u);
	EXPECT_FLOAT_EQ(items[0].x, 110);
	EXPECT_FLOAT_EQ(items[0].y, 288);
	EXPECT_FLOAT_EQ(items[1].y, 288 + SPACING);
	EXPECT_FLOAT_EQ(items[0].w, 1.75f) << "the highlighted item is drawn larger";
	EXPECT_FLOAT_EQ(items[1].w, 1);
}

using MenuDeathTest = MenuTest;

TEST_F(MenuDeathTest, BackQuitsWithStatusZero) {
	::testing::FLAGS_gtest_death_test_style = "threadsafe";
	EXPECT_EXIT(
		{
			h.Press(KEY_ESCAPE);
			h.Update();
		},
		::testing::ExitedWithCode(0), "");
}

TEST_F(MenuTest, BackWithCreditsOpenOnlyClosesThem) {
	h.app->m_creditsOpen = 1;
	h.Press(KEY_ESCAPE);
	h.Update(3);
	EXPECT_EQ(h.app->m_creditsOpen, 0);
	EXPECT_EQ(h.app->m_gameState, STATE_MENU);
}

TEST_F(MenuTest, OuyaBackOpensTheQuitPage) {
	kx_Zimbolo_isOuya = 1;
	h.Press(KEY_ESCAPE);
	h.Update();
	kx_Zimbolo_isOuya = 0;
	EXPECT_EQ(h.app->m_gameState, STATE_QUIT_BOX);
	EXPECT_EQ(h.app->m_keyLock, 1);
}

}  // namespace
