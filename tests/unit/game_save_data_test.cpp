// Saved settings, badges and high scores: the exact text, the checksums per
// section, the bounds and damaged state files.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/game_harness.h"

namespace {

// The text a first start saves: settings, their checksum 1483, then 72 zeros.
std::string FirstStartText() {
	std::string text = "0|0|0|0|0|1|0|0|0|0|64|64|10|0|1|0|0|0|0|0|0|0|0|0|0|1483|";
	for (int i = 0; i < 72; ++i) text += "0|";
	return text;
}

// A valid state text with the given settings and everything else zero.
std::string StateWithSettings(const int (&settings)[25]) {
	std::string text;
	int sum = 0;
	for (int i = 0; i < 25; ++i) {
		text += std::to_string(settings[i]) + "|";
		sum += i * settings[i];
	}
	text += std::to_string(sum) + "|";
	for (int i = 0; i < 72; ++i) text += "0|";
	return text;
}

class SaveDataTest : public ::testing::Test {
protected:
	GameHost host;
};

TEST_F(SaveDataTest, FirstStartSavesTheDefaultText) {
	c_MyApp* app = host.Launch();
	app->p_Save();
	EXPECT_EQ(host.StateFile(), FirstStartText());
}

TEST_F(SaveDataTest, SaveThenLoadGivesIdenticalFields) {
	c_MyApp* app = host.Launch();
	for (int i = 0; i < 25; ++i) app->m_option[i] = 3 * i + 1;
	app->m_option[10] = 100;
	app->m_option[11] = 90;
	app->m_option[14] = 1;
	for (int i = 0; i < 256; i += 3) app->m_badgeGot[i] = true;
	app->m_badgeGot[31] = true;
	app->m_badgeGot[255] = true;
	for (int i = 0; i < 60; ++i) app->m_hiScore[i] = 1000000 - 977 * i;
	app->p_Save();
	std::string saved = host.StateFile();
	EXPECT_NE(saved.find("|-"), std::string::npos) << "bit 31 makes a negative word";
	std::vector<int> options(app->m_option.begin(), app->m_option.end());
	std::vector<bool> badges(app->m_badgeGot.begin(), app->m_badgeGot.end());
	std::vector<int> scores(app->m_hiScore.begin(), app->m_hiScore.begin() + 60);

	GameHost second;
	c_MyApp* loaded = second.Launch(saved.c_str());
	for (int i = 0; i < 25; ++i) EXPECT_EQ(loaded->m_option[i], options[i]) << "option " << i;
	for (int i = 0; i < 256; ++i) EXPECT_EQ(loaded->m_badgeGot[i], badges[i]) << "badge " << i;
	for (int i = 0; i < 60; ++i) EXPECT_EQ(loaded->m_hiScore[i], scores[i]) << "score " << i;
	loaded->p_Save();
	EXPECT_EQ(second.StateFile(), saved);
}

TEST_F(SaveDataTest, ChangedBestScoreInvalidatesOnlyItsMode) {
	c_MyApp* app = host.Launch();
	for (int i = 0; i < 60; ++i) app->m_hiScore[i] = 500 + i;
	app->p_Save();
	std::string saved = host.StateFile();
	// Field 56 (0-based) is mode 2's best[0] = 510: change one digit.
	size_t pos = 0;
	for (int field = 0; field < 56; ++field) pos = saved.find('|', pos) + 1;
	ASSERT_EQ(saved.substr(pos, 4), "510|");
	saved[pos + 2] = '1';

	GameHost second;
	testing::internal::CaptureStdout();
	c_MyApp* loaded = second.Launch(saved.c_str());
	std::string out = testing::internal::GetCapturedStdout();
	EXPECT_NE(out.find("Settings Loaded"), std::string::npos);
	EXPECT_NE(out.find("Badges Loaded"), std::string::npos);
	EXPECT_NE(out.find("Highscore 0 Loaded"), std::string::npos);
	EXPECT_NE(out.find("Highscore 1 Checksum Invalid"), std::string::npos);
	EXPECT_NE(out.find("Highscore 2 Loaded"), std::string::npos);
	EXPECT_EQ(loaded->m_hiScore[0], 500);
	EXPECT_EQ(loaded->m_hiScore[10], 0);
	EXPECT_EQ(loaded->m_hiScore[40], 0);
	EXPECT_EQ(loaded->m_hiScore[20], 520);
	EXPECT_EQ(loaded->m_hiScore[50], 550);
}

// A text too short for a section leaves it and every later section at its
// start values, silently. The settings open with fields that would pass as
// badge words with their checksum (1 + 2 + 4 + 1 = 8), so a misread shows.
TEST_F(SaveDataTest, ShortTextsLeaveTheMissingSectionsAlone) {
	c_MyApp* app = host.Launch();
	const int opening[9] = {1, 2, 4, 0, 0, 1, 0, 0, 8};
	for (int i = 0; i < 9; ++i) app->m_option[i] = opening[i];
	for (int i = 0; i < 256; i += 5) app->m_badgeGot[i] = true;
	for (int i = 0; i < 60; ++i) app->m_hiScore[i] = 900 - i;
	app->p_Save();
	std::string saved = host.StateFile();
	// Field counts, and how many sections they hold: each section is read from
	// the count that holds its checksum on, 26, 35, 56, 77 and 98 fields.
	struct Case {
		int fields, sections;
	};
	const Case cases[] = {{9, 0},  {20, 0}, {25, 0}, {26, 1}, {27, 1}, {34, 1}, {35, 2}, {36, 2},
	                      {55, 2}, {56, 3}, {57, 3}, {76, 3}, {77, 4}, {78, 4}, {97, 4}, {98, 5}, {99, 5}};
	const char* messages[] = {"Settings Loaded\n", "Badges Loaded\n", "Highscore 0 Loaded\n", "Highscore 1 Loaded\n",
	                          "Highscore 2 Loaded\n"};
	for (const Case& c : cases) {
		size_t end = 0;
		for (int f = 0; f < c.fields; ++f) end = saved.find('|', end) + 1;
		std::string out;
		for (int k = 0; k < c.sections; ++k) out += messages[k];
		GameHost second;
		testing::internal::CaptureStdout();
		c_MyApp* loaded = second.Launch(saved.substr(0, end - 1).c_str());
		EXPECT_EQ(testing::internal::GetCapturedStdout(), out) << c.fields << " fields";
		EXPECT_EQ(loaded->m_option[0], c.sections > 0 ? 1 : 0) << c.fields << " fields";
		EXPECT_EQ(loaded->m_badgeGot[0], c.sections > 1) << c.fields << " fields";
		EXPECT_EQ(loaded->m_badgeGot[33], false) << c.fields << " fields";
		for (int k = 0; k < 3; ++k) {
			bool read = c.sections > 2 + k;
			EXPECT_EQ(loaded->m_hiScore[10 * k], read ? 900 - 10 * k : 0) << c.fields << " fields, mode " << k;
			EXPECT_EQ(loaded->m_hiScore[39 + 10 * k], read ? 861 - 10 * k : 0) << c.fields << " fields, mode " << k;
		}
	}
}

TEST_F(SaveDataTest, BoundsOfOverscanAndPad) {
	int settings[25] = {};
	settings[5] = 2;
	settings[10] = 10;
	settings[11] = 200;
	settings[12] = 5;
	settings[14] = 50;
	std::string text = StateWithSettings(settings);
	testing::internal::CaptureStdout();
	c_MyApp* app = host.Launch(text.c_str());
	std::string out = testing::internal::GetCapturedStdout();
	EXPECT_NE(out.find("Settings Loaded"), std::string::npos);
	EXPECT_EQ(app->m_option[5], 2);
	EXPECT_EQ(app->m_option[10], 64);
	EXPECT_EQ(app->m_option[11], 200);
	EXPECT_EQ(app->m_option[12], 10);
	EXPECT_EQ(app->m_option[14], 1);
	EXPECT_EQ(kx_Zimbolo_overscan, 0.0f);
	EXPECT_EQ(kx_Zimbolo_isOuya, 0);
	// Each bound at its edge and one step below it; the overscan on an Ouya.
	struct Bound {
		int option, below, raised, edge;
	} bounds[] = {{10, 63, 64, 64}, {11, 63, 64, 64}, {12, 7, 10, 8}, {14, 0, 64, 1}};
	kx_Zimbolo_isOuya = 1;
	for (const Bound& b : bounds) {
		for (int value : {b.below, b.edge}) {
			settings[b.option] = value;
			WriteFile(".velmarstate", StateWithSettings(settings));
			testing::internal::CaptureStdout();
			app->p_Load();
			testing::internal::GetCapturedStdout();
			EXPECT_EQ(app->m_option[b.option], value == b.below ? b.raised : value) << b.option << " at " << value;
		}
	}
	EXPECT_EQ(kx_Zimbolo_overscan, 1.0f);
	kx_Zimbolo_isOuya = 0;
}

TEST_F(SaveDataTest, BadSettingsChecksumResetsSettingsOnly) {
	int settings[25] = {};
	settings[5] = 3;
	std::string text = StateWithSettings(settings);
	text.replace(text.find("|15|"), 4, "|16|");
	testing::internal::CaptureStdout();
	c_MyApp* app = host.Launch(text.c_str());
	std::string out = testing::internal::GetCapturedStdout();
	EXPECT_NE(out.find("Settings Checksum Invalid"), std::string::npos);
	EXPECT_NE(out.find("Badges Loaded"), std::string::npos);
	EXPECT_EQ(app->m_option[5], 1);
}

TEST_F(SaveDataTest, RandomBytesStartCleanly) {
	std::mt19937 rng(7);
	std::string text(4096, '\0');
	for (char& c : text) c = static_cast<char>(rng());
	c_MyApp* app = host.Launch(text.c_str());
	host.Update(30);
	EXPECT_EQ(app->m_loadStep, 0);
	EXPECT_EQ(app->m_gameState, 1);
}

TEST_F(SaveDataTest, TenMegabytesStartCleanly) {
	std::string text;
	text.reserve(10 << 20);
	while (text.size() < (10u << 20)) text += "123456789|";
	c_MyApp* app = host.Launch(text.c_str());
	host.Update(30);
	EXPECT_EQ(app->m_gameState, 1);
}

TEST_F(SaveDataTest, OnlyABarStartsCleanly) {
	testing::internal::CaptureStdout();
	c_MyApp* app = host.Launch("|");
	std::string out = testing::internal::GetCapturedStdout();
	EXPECT_EQ(out.find("Loaded"), std::string::npos);
	EXPECT_EQ(app->m_option[5], 1);
	EXPECT_EQ(app->m_option[10], 64);
	host.Update(30);
	EXPECT_EQ(app->m_gameState, 1);
}

TEST_F(SaveDataTest, FinishedGameEntersBothListsAndSaves) {
	c_MyApp* app = host.Launch();
	host.Update(30);
	for (int k = 0; k < 10; ++k) app->m_hiScore[10 + k] = 1000 - 100 * k;
	app->m_gameMode = 2;
	app->m_score = 100;
	app->p_LoadMenu();
	EXPECT_EQ(app->m_hiScore[19], 100) << "equal to the 10th does not enter";
	EXPECT_EQ(app->m_hiScore[40], 100) << "but enters the recent list";
	app->m_score = 5000;
	app->p_LoadMenu();
	EXPECT_EQ(app->m_hiScore[10], 5000);
	EXPECT_EQ(app->m_hiScore[11], 1000);
	EXPECT_EQ(app->m_hiScore[19], 200);
	EXPECT_EQ(app->m_hiScore[40], 5000);
	EXPECT_EQ(app->m_hiScore[41], 100);
	EXPECT_NE(host.StateFile().find("|5000|"), std::string::npos);
}

}  // namespace
