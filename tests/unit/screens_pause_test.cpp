// screens_pause_test.cpp: the pause panel's motion, buttons, cursor and back, and the quit page.
#include <gtest/gtest.h>

#include <algorithm>

#include "input/key_codes.h"
#include "support/screen_harness.h"

namespace {

// Updates a paused panel needs on a 480-high screen to come to rest.
const int DROP_UPDATES = 13;
const int REST_Y = 248;

class PauseTest : public ::testing::Test {
protected:
	ScreenHarness h;

	void SetUp() override {
		h.Start();
		h.Update(40);
		h.app->m_gameState = STATE_START_GAME;
		h.Update(2);
	}

	// Pauses by key and lets the panel drop in fully.
	void PauseAtRest() {
		h.Press(KEY_ESCAPE);
		h.Update();
		h.Release(KEY_ESCAPE);
		h.Update(DROP_UPDATES);
	}

	// The dim layer of the last update: the black rectangle over the whole screen.
	DrawRecord Dim() const {
		DrawRecord dim{};
		for (const DrawRecord& r : h.Records(DL_KIND_RECT)) {
			if (r.x == 0 && r.y == 0 && r.w == kx_Zimbolo_jscrw && r.h == kx_Zimbolo_jscrh && r.red == 0) dim = r;
		}
		return dim;
	}
};

TEST_F(PauseTest, PanelRestsAt248With248Over384Dim) {
	ASSERT_EQ(h.app->m_gameState, STATE_PLAYING);
	h.Press(KEY_ESCAPE);
	h.Update();
	h.Release(KEY_ESCAPE);
	EXPECT_EQ(h.app->m_paused, 1);
	EXPECT_EQ(h.app->m_pauseY, -40) << "the panel starts at -64 and moves in the update that opens it";
	h.Update(DROP_UPDATES - 2);
	EXPECT_EQ(h.app->m_pauseY, 224);
	h.Update();
	EXPECT_EQ(h.app->m_pauseY, REST_Y);
	h.Update(5);
	EXPECT_EQ(h.app->m_pauseY, REST_Y);
	EXPECT_FLOAT_EQ(Dim().alpha, 248.0f / 384.0f);
	EXPECT_EQ(h.app->m_paused, 1);
}

TEST_F(PauseTest, DimIsClearAtZero) {
	h.app->m_paused = 1;
	h.app->m_pauseDir = 0;
	h.app->m_pauseY = 0;
	h.Update();
	EXPECT_FLOAT_EQ(Dim().alpha, 0);
}

TEST_F(PauseTest, BackTwiceResumesOnce) {
	PauseAtRest();
	h.Press(KEY_ESCAPE);
	h.Update();
	EXPECT_EQ(h.app->m_pauseDir, -1);
	h.Release(KEY_ESCAPE);
	h.Update();
	h.Press(KEY_ESCAPE);
	int resumes = 0;
	int last = h.app->m_paused;
	for (int i = 0; i < 30; ++i) {
		h.Update();
		if (last == 1 && h.app->m_paused == 0) ++resumes;
		EXPECT_FALSE(last == 0 && h.app->m_paused == 1) << "update " << i << " paused again";
		last = h.app->m_paused;
	}
	EXPECT_EQ(resumes, 1);
	EXPECT_EQ(h.app->m_paused, 0);
}

TEST_F(PauseTest, PanelRisesAndGoesAboveMinus32) {
	PauseAtRest();
	h.Tap(KEY_SPACE);
	EXPECT_EQ(h.app->m_pauseDir, -1);
	int updates = 0;
	while (h.app->m_paused == 1 && updates < 40) {
		h.Update();
		++updates;
	}
	EXPECT_EQ(h.app->m_paused, 0);
	EXPECT_LT(h.app->m_pauseY, -32);
	EXPECT_GE(h.app->m_pauseY, -56);
}

TEST_F(PauseTest, EndingTheGameStartsTheGameOverSequence) {
	PauseAtRest();
	h.Tap(KEY_LEFT);
	EXPECT_EQ(h.app->m_pauseChoice, -1);
	h.Press(KEY_ENTER);
	h.Update();
	h.Release(KEY_ENTER);
	EXPECT_EQ(h.app->m_paused, 0);
	EXPECT_EQ(h.app->m_gameOver, 1);
	EXPECT_EQ(h.app->m_pauseY, -64);
	EXPECT_GT(h.app->m_gameOverTimer, 0);
	int updates = 0;
	while (h.app->m_gameState != STATE_MENU && updates < 120) {
		h.Update();
		++updates;
	}
	EXPECT_EQ(h.app->m_gameState, STATE_MENU);
	EXPECT_LE(updates, 90);
}

TEST_F(PauseTest, TapsOnTheThreeButtons) {
	PauseAtRest();
	h.PointerDown(180, REST_Y - 64);
	h.Update();
	EXPECT_EQ(h.app->m_gameOver, 1) << "the end-game button sits 140 left and 64 up";
	EXPECT_EQ(h.app->m_paused, 0);
}

TEST_F(PauseTest, TapOnTheEmblemOpensOptionsWithoutCredits) {
	PauseAtRest();
	h.PointerDown(460, REST_Y - 64);
	h.Update();
	h.PointerUp();
	EXPECT_EQ(h.app->m_optionsOpen, 1);
	EXPECT_EQ(h.app->m_paused, 1);
	h.Update(40);
	EXPECT_EQ(h.app->m_pauseY, REST_Y) << "the panel stays under the box";
	std::vector<std::string> lines = h.AllText();
	EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string("Credits")), 0);
}

TEST_F(PauseTest, TapInTheCentreResumes) {
	PauseAtRest();
	h.PointerDown(320, REST_Y);
	h.Update();
	EXPECT_EQ(h.app->m_pauseDir, -1);
	EXPECT_EQ(h.app->m_gameOver, 0);
}

TEST_F(PauseTest, CursorMovesAndOpensOptions) {
	PauseAtRest();
	h.Tap(KEY_RIGHT);
	EXPECT_EQ(h.app->m_pauseChoice, 1);
	h.Tap(KEY_RIGHT);
	EXPECT_EQ(h.app->m_pauseChoice, 1);
	h.Tap(KEY_LEFT);
	EXPECT_EQ(h.app->m_pauseChoice, 0);
	h.Tap(KEY_RIGHT);
	h.Press(KEY_ENTER);
	h.Update();
	EXPECT_EQ(h.app->m_optionsOpen, 1);
	EXPECT_EQ(h.app->m_optionsRow, 0);
}

TEST_F(PauseTest, PortraitPanelIsNarrowerAndTaller) {
	h.SetScreen(360, 480);
	PauseAtRest();
	bool bodyFound = false;
	for (const DrawRecord& r : h.Records(DL_KIND_RECT)) {
		if (r.red == 255 && r.green == 150 && r.blue == 10) {
			EXPECT_FLOAT_EQ(r.x, 180 - 128);
			EXPECT_FLOAT_EQ(r.w, 256);
			EXPECT_FLOAT_EQ(r.h, 160);
			bodyFound = true;
		}
	}
	EXPECT_TRUE(bodyFound);
	bool endFound = false;
	for (const DrawRecord& r : h.Records(IMG_ICONS)) {
		if (r.frame == 1 && r.red == 255 && r.green == 50) {
			EXPECT_FLOAT_EQ(r.x, 84);
			EXPECT_FLOAT_EQ(r.y, REST_Y - 96);
			endFound = true;
		}
	}
	EXPECT_TRUE(endFound);
}

TEST_F(PauseTest, OuyaOverscanLineFlipsAndSteps) {
	PauseAtRest();
	kx_Zimbolo_isOuya = 1;
	h.app->m_option[14] = 1;
	h.PointerDown(320, REST_Y - 158);
	h.Update();
	h.PointerUp();
	EXPECT_EQ(h.app->m_option[14], 96);
	EXPECT_FLOAT_EQ(kx_Zimbolo_overscan, 96);
	h.Update();
	// The new margin shifts the pointer mapping: click in window pixels.
	h.host.MouseMove(320 + 96, REST_Y - 158 + h.app->p_OverscanY());
	h.host.MouseDown(0, 320 + 96, REST_Y - 158 + h.app->p_OverscanY());
	h.Update();
	h.PointerUp();
	EXPECT_EQ(h.app->m_option[14], 1);
	h.Tap(KEY_N);
	EXPECT_EQ(h.app->m_option[14], 17);
	EXPECT_FLOAT_EQ(kx_Zimbolo_overscan, 17);
	h.Tap(KEY_B);
	h.Tap(KEY_B);
	EXPECT_EQ(h.app->m_option[14], 1);
	kx_Zimbolo_isOuya = 0;
}

class QuitPageTest : public ::testing::Test {
protected:
	ScreenHarness h;

	void SetUp() override {
		h.Start();
		h.Update(40);
		kx_Zimbolo_isOuya = 1;
		h.app->m_controlMode = 1;
		h.app->m_gameState = STATE_QUIT_BOX;
		h.Update();
	}

	void TearDown() override { kx_Zimbolo_isOuya = 0; }
};

TEST_F(QuitPageTest, ShowsTheCardAndTheText) {
	std::vector<DrawRecord> card = h.Records(IMG_TESTCARD);
	ASSERT_EQ(card.size(), 1u);
	EXPECT_FLOAT_EQ(card[0].x, 320);
	EXPECT_FLOAT_EQ(card[0].w, 3);
	EXPECT_FLOAT_EQ(h.app->m_drawList[0], IMG_TESTCARD) << "the card is the first command";
	std::vector<std::string> lines = h.AllText();
	ASSERT_EQ(lines.size(), 8u);
	EXPECT_EQ(lines[0], "Itlookslikeyou're");
	EXPECT_EQ(lines[1], "tryingtoQUIT!");
	EXPECT_EQ(lines[7], std::string("or") + static_cast<char>(96 + 32) + "toreturntothefun!")
		<< "the escape draws the pad button J, frame 96";
	EXPECT_FLOAT_EQ(h.app->m_clsRed, 180);
}

TEST_F(QuitPageTest, FirstButtonReturnsToTheMenu) {
	h.Press(KEY_SPACE);
	h.Update();
	EXPECT_EQ(h.app->m_gameState, STATE_MENU);
	h.Update(3);
	EXPECT_EQ(h.app->m_gameState, STATE_MENU) << "the held key does not act on the menu";
}

using QuitPageDeathTest = QuitPageTest;

TEST_F(QuitPageDeathTest, SecondButtonQuitsWithStatusZero) {
	::testing::FLAGS_gtest_death_test_style = "threadsafe";
	EXPECT_EXIT(
		{
			h.Press(KEY_X);
			h.Update();
		},
		::testing::ExitedWithCode(0), "");
}

}  // namespace
