// Game over and ranking: the overlay's timing, placings, the best and recent
// lists after a game and the saved text.
#include <gtest/gtest.h>

#include <vector>

#include "host/app.h"
#include "support/play_harness.h"

namespace {

class PlayGameOver : public ::testing::Test {
protected:
	PlayHarness h;
	void SetUp() override { h.Begin(2); }
	// Mode 2's best ten.
	int* Best() { return &h.app->m_hiScore[10]; }
	int* Recent() { return &h.app->m_hiScore[40]; }
	// Ends the running game with score through the screen flow, back to the menu.
	void FinishGame(int score) {
		h.app->m_score = score;
		h.Player(player::meter) = 0;
		for (int i = 0; i < 400 && h.app->m_gameState == STATE_PLAYING; ++i) h.Update();
		ASSERT_EQ(h.app->m_gameState, STATE_TO_MENU);
		h.Update();
		ASSERT_EQ(h.app->m_gameState, STATE_MENU);
	}
	// Whether the update just run drew the "New Highscore" panel.
	bool BannerShown() { return h.CountRects(0, 125, 255) > 0; }
};

TEST_F(PlayGameOver, OverlayTakes90FramesThenStateTwoAndFadesOverTheMenu) {
	h.Player(player::meter) = 0;
	h.Update(59);
	ASSERT_EQ(h.app->m_gameOver, 0);
	h.Update();
	ASSERT_EQ(h.app->m_gameOver, 1);
	EXPECT_EQ(h.app->m_gameOverTimer, 1);
	h.Update(88);
	EXPECT_EQ(h.app->m_gameState, STATE_PLAYING);
	EXPECT_EQ(h.app->m_keyLock, 1) << "the overlay swallows input";
	h.Update();
	EXPECT_EQ(h.app->m_gameState, STATE_TO_MENU);
	EXPECT_EQ(h.app->m_gameOverTimer, 73);
	h.Update();
	EXPECT_EQ(h.app->m_gameState, STATE_MENU);
	EXPECT_EQ(h.app->m_gameOverTimer, 71);
	h.Update(40);
	EXPECT_EQ(h.app->m_gameOverTimer, 0);
}

TEST_F(PlayGameOver, NoLaunchUnderTheOverlay) {
	h.Player(player::meter) = 4;
	h.Update(61);
	h.Player(player::meter) = 5;
	h.host.KeyDown(KEY_SPACE);
	h.Update(5);
	EXPECT_EQ(h.CountKind(KIND_BALL), 0);
}

TEST_F(PlayGameOver, PlacingTexts) {
	const char* names[] = {"", "1st", "2nd", "3rd", "4th", "5th", "6th", "7th", "8th", "9th", "10th", ""};
	for (int n = 0; n <= 11; ++n) EXPECT_EQ(h.app->p_Nth(n), String(names[n])) << n;
	EXPECT_EQ(h.app->p_Nth(-1), String());
	for (int k = 0; k < 10; ++k) Best()[k] = 1000 - 100 * k;
	h.app->m_score = 1000;
	EXPECT_EQ(h.app->p_MyNth(), String("1st!"));
	EXPECT_EQ(h.app->m_i, 1);
	h.app->m_score = 150;
	EXPECT_EQ(h.app->p_MyNth(), String("10th"));
	EXPECT_EQ(h.app->m_i, 10);
	h.app->m_score = 99;
	EXPECT_EQ(h.app->p_MyNth(), String());
	EXPECT_EQ(h.app->m_i, 0);
}

TEST_F(PlayGameOver, ScoreEqualToTheBestShows1stButEntersSecond) {
	Best()[0] = 500;
	Best()[1] = 300;
	h.app->m_score = 500;
	h.Player(player::meter) = 0;
	h.Update(70);
	EXPECT_TRUE(BannerShown());
	EXPECT_EQ(h.app->p_MyNth(), String("1st!"));
	FinishGame(500);
	EXPECT_EQ(Best()[0], 500);
	EXPECT_EQ(Best()[1], 500);
	EXPECT_EQ(Best()[2], 300);
	EXPECT_EQ(Recent()[0], 500);
}

TEST_F(PlayGameOver, ZeroOnAnEmptyListShowsTheBannerButEntersOnlyTheRecentList) {
	Recent()[0] = 7;
	Recent()[9] = 9;
	h.Player(player::meter) = 0;
	h.Update(70);
	EXPECT_TRUE(BannerShown());
	EXPECT_EQ(h.app->p_MyNth(), String("1st!"));
	FinishGame(0);
	for (int k = 0; k < 10; ++k) EXPECT_EQ(Best()[k], 0);
	EXPECT_EQ(Recent()[0], 0);
	EXPECT_EQ(Recent()[1], 7);
	EXPECT_EQ(Recent()[9], 0) << "the oldest recent score is dropped";
}

TEST_F(PlayGameOver, RecentListTakesEveryScoreTheBestOnlyPlacedOnes) {
	for (int k = 0; k < 10; ++k) Best()[k] = 1000 - 50 * k;
	int games[] = {40, 2000, 600, 620, 3};
	for (int score : games) {
		h.NewGame(2);
		FinishGame(score);
	}
	int recent[] = {3, 620, 600, 2000, 40};
	for (int k = 0; k < 5; ++k) EXPECT_EQ(Recent()[k], recent[k]) << k;
	EXPECT_EQ(Best()[0], 2000);
	EXPECT_EQ(Best()[1], 1000);
	EXPECT_EQ(Best()[8], 650);
	EXPECT_EQ(Best()[9], 620) << "600 equals the tenth and stays out; 620 pushes it out";
	EXPECT_EQ(h.app->m_hiScore[0], 0) << "other modes untouched";
	EXPECT_EQ(h.app->m_hiScore[30], 0);
}

TEST_F(PlayGameOver, SavedTextCarriesTheNewTablesWithValidChecksums) {
	Best()[0] = 800;
	FinishGame(1234);
	String text = kx_app_LoadState();
	Array<String> fields = text.Split(String("|"));
	ASSERT_EQ(fields.Length(), 99);
	// Mode 2 section: fields 56..75 hold best/recent pairs, 76 the checksum.
	EXPECT_EQ(fields[56].ToInt(), 1234);
	EXPECT_EQ(fields[57].ToInt(), 1234);
	EXPECT_EQ(fields[58].ToInt(), 800);
	int sum = 0;
	for (int r = 0; r < 10; ++r) sum += (r + 4) * fields[56 + 2 * r].ToInt() + (r + 4) * fields[57 + 2 * r].ToInt();
	EXPECT_EQ(fields[76].ToInt(), sum);
	std::vector<int> saved(h.app->m_hiScore.begin(), h.app->m_hiScore.begin() + 60);
	for (int i = 0; i < 60; ++i) h.app->m_hiScore[i] = 0;
	h.app->p_Load();
	EXPECT_EQ(std::vector<int>(h.app->m_hiScore.begin(), h.app->m_hiScore.begin() + 60), saved);
}

}  // namespace
