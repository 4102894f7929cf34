// screens_credits_test.cpp: the credits test card, its scrolling lines, dials and closing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "input/key_codes.h"
#include "support/screen_harness.h"

namespace {

// Cell size of a 640 x 480 screen: 640 / 12.
const float CELL = 640.0f / 12;

class CreditsTest : public ::testing::Test {
protected:
	ScreenHarness h;

	void SetUp() override {
		h.Start();
		h.Update(40);
	}

	// Opens the credits fully faded in.
	void OpenFully() {
		h.app->m_creditsOpen = 1;
		h.app->m_creditsSlide = 30;
		h.Update();
	}

	// Backing squares of the grid: side one more than the drawn cell size.
	std::vector<DrawRecord> Cells(float drawn) const {
		std::vector<DrawRecord> cells;
		for (const DrawRecord& r : h.Records(DL_KIND_RECT)) {
			if (std::fabs(r.w - (drawn + 1)) < 0.01f && std::fabs(r.h - (drawn + 1)) < 0.01f) cells.push_back(r);
		}
		return cells;
	}

	// Lines of credit text (the dials' figures are left out).
	std::vector<std::string> CreditLines() const {
		std::vector<std::string> lines;
		for (const std::string& line : h.TextLines(255, 255, 255)) {
			if (line.find_first_not_of("0123456789") != std::string::npos) lines.push_back(line);
		}
		return lines;
	}
};

TEST_F(CreditsTest, A640By480ScreenHas13By10Cells) {
	OpenFully();
	std::vector<DrawRecord> cells = Cells(CELL);
	ASSERT_EQ(cells.size(), 130u);
	int black = 0;
	for (const DrawRecord& c : cells) black += c.red == 0 ? 1 : 0;
	EXPECT_EQ(black, 2 * 13 + 2 * 8) << "the border cells are backed black";
	float left = cells.front().x;
	for (const DrawRecord& c : cells) left = std::min(left, c.x);
	EXPECT_NEAR(left, -CELL / 2, 0.01f) << "open, the first column is centred on the left edge";
}

TEST_F(CreditsTest, BorderColoursRampAcrossTheGrid) {
	OpenFully();
	bool redToGreenTop = false;
	bool greyBottom = false;
	for (const DrawRecord& r : h.Records(DL_KIND_RECT)) {
		// Top row, gx = 1: a = 0, a' = 255.
		if (r.red == 0 && r.green == 255 && r.blue == 0 && std::fabs(r.h - CELL) < 0.01f) redToGreenTop = true;
		// Bottom row, gx = 11: g = 255 * 10 / 10.
		if (r.red == 255 && r.green == 255 && r.blue == 255 && std::fabs(r.w - (CELL - 16)) < 0.01f) greyBottom = true;
	}
	EXPECT_TRUE(redToGreenTop);
	EXPECT_TRUE(greyBottom);
}

TEST_F(CreditsTest, AtSlideZeroEverythingIsInvisibleAndSpreadOut) {
	h.app->m_creditsOpen = 1;
	h.Update();
	std::vector<DrawRecord> cells = Cells(0);
	ASSERT_EQ(cells.size(), 130u);
	for (const DrawRecord& c : cells) EXPECT_FLOAT_EQ(c.alpha, 0);
	float left = 0;
	for (const DrawRecord& c : cells) left = std::min(left, c.x);
	EXPECT_FLOAT_EQ(left, 30 * -7 * 7) << "the outermost column starts 30 * 7 * 7 further out";
	EXPECT_EQ(h.app->m_creditsSlide, 1);
}

TEST_F(CreditsTest, HoldingUpOrDownScrollsAt1Point8) {
	OpenFully();
	h.app->m_creditsScroll = 0;
	h.app->m_creditsTop = 0;
	h.Update();
	EXPECT_NEAR(h.app->m_creditsScroll, -0.3f, 1e-4);
	h.Press(KEY_UP);
	h.Update(5);
	EXPECT_NEAR(h.app->m_creditsScroll, -0.3f - 9.0f, 1e-3);
	h.Release(KEY_UP);
	h.Press(KEY_DOWN);
	h.app->m_creditsScroll = 0;
	h.Update(100);
	EXPECT_EQ(h.app->m_creditsTop, 11) << "180 pixels are 11 lines of 16";
	EXPECT_NEAR(h.app->m_creditsScroll, -4, 0.05f);
	EXPECT_EQ(h.app->m_creditsOpen, 1) << "up and down do not close the credits";
}

TEST_F(CreditsTest, AfterFortyNineLinesTheListStartsAgain) {
	OpenFully();
	h.app->m_creditsTop = 0;
	h.app->m_creditsScroll = -1;
	h.Update();
	std::vector<std::string> first = CreditLines();
	h.app->m_creditsTop = 48;
	h.app->m_creditsScroll = -15.9f;
	h.Update();
	EXPECT_EQ(h.app->m_creditsTop, 49);
	h.app->m_creditsScroll = -1;
	h.Update();
	EXPECT_EQ(CreditLines(), first);
	EXPECT_NE(std::find(first.begin(), first.end(), "AGameby"), first.end());
}

TEST_F(CreditsTest, EndIsNeverShown) {
	ASSERT_EQ(kx_Zimbolo_CreditText.Length(), 50);
	ASSERT_TRUE(kx_Zimbolo_CreditText[49] == String("End"));
	OpenFully();
	int shown = 0;
	for (int top = 0; top < 60; ++top) {
		h.app->m_creditsTop = top;
		h.app->m_creditsScroll = -1;
		h.Update();
		for (const std::string& line : CreditLines()) {
			EXPECT_NE(line, "End") << "top " << top;
			++shown;
		}
	}
	EXPECT_GT(shown, 0);
}

TEST_F(CreditsTest, DialsShowTheLiveFigures) {
	h.app->m_updateFpsAvg = 59;
	OpenFully();
	std::vector<std::string> lines = h.TextLines(255, 255, 255);
	// Each line holds the left dial's figure, then the right one's: window and
	// virtual width, window and virtual height, update and render rates.
	EXPECT_NE(std::find(lines.begin(), lines.end(), "640640"), lines.end());
	EXPECT_NE(std::find(lines.begin(), lines.end(), "480480"), lines.end());
	EXPECT_NE(std::find(lines.begin(), lines.end(), "590"), lines.end());
	EXPECT_GE(h.Records(DL_KIND_OVAL).size(), 8u);
}

TEST_F(CreditsTest, AClickClosesAndTheCardFadesOut) {
	OpenFully();
	h.PointerDown(320, 240);
	h.Update();
	EXPECT_EQ(h.app->m_creditsOpen, 0);
	EXPECT_EQ(h.app->m_gameState, STATE_MENU) << "the closing click starts no game";
	h.PointerUp();
	h.Update(30);
	EXPECT_EQ(h.app->m_creditsSlide, 0);
}

TEST_F(CreditsTest, AnActionKeyCloses) {
	OpenFully();
	h.Press(KEY_Z);
	h.Update();
	EXPECT_EQ(h.app->m_creditsOpen, 0);
	h.Update(5);
	EXPECT_EQ(h.app->m_gameState, STATE_MENU) << "the held key does not start a game";
}

TEST_F(CreditsTest, ThinScreensDoNotDivideByZero) {
	h.SetScreen(80, 480);
	OpenFully();
	EXPECT_EQ(Cells(40).size(), 3u * 13u) << "2 columns and 12 rows of cells 40 wide";
}

}  // namespace
