// The screen flow: function keys, quitting, suspend and resume, the update
// rate, state dispatch and the box slides.
#include <gtest/gtest.h>
#include <unistd.h>

#include "host/app.h"
#include "support/game_harness.h"

namespace {

class FlowTest : public ::testing::Test {
protected:
	void SetUp() override {
		app = host.Launch();
		host.Update(28);
	}
	GameHost host;
	c_MyApp* app = nullptr;
};

TEST_F(FlowTest, CreateSetsTheStartValues) {
	EXPECT_EQ(kx_app__updateRate, 60);
	EXPECT_EQ(app->m_gameState, 1);
	EXPECT_EQ(app->m_gameMode, 2);
	EXPECT_EQ(app->m_pauseY, -64);
	EXPECT_EQ(app->m_pauseDir, -1);
	EXPECT_EQ(app->m_menuSlide, -32);
	EXPECT_EQ(app->m_option[5], 1);
	EXPECT_EQ(app->m_sfxChannel[32], 32);
	EXPECT_EQ(app->m_lastDevWidth, 640);
	EXPECT_EQ(kx_Zimbolo_CreditText.Length(), 50);
	EXPECT_EQ(kx_Zimbolo_CreditText[49], String("End"));
	EXPECT_EQ(kx_Zimbolo_CreditText[7], String("Developed using"));
}

TEST_F(FlowTest, F1AndF2Flip) {
	host.KeyDown(KEY_F1);
	host.KeyDown(KEY_F2);
	host.Update(1);
	EXPECT_EQ(kx_Zimbolo_DebugMode, 1);
	EXPECT_EQ(app->m_hideHud, 1);
	host.Update(1);
	EXPECT_EQ(kx_Zimbolo_DebugMode, 1) << "a held key flips once";
	host.KeyUp(KEY_F1);
	host.KeyUp(KEY_F2);
	host.KeyDown(KEY_F1);
	host.Update(1);
	EXPECT_EQ(kx_Zimbolo_DebugMode, 0);
}

// The glyphs at the very end of the display list on the line of the last one,
// read back as text; (x, y) is where the first of them is drawn.
std::string LastLine(c_MyApp* app, float& x, float& y) {
	std::string text;
	const float* last = &app->m_drawList[app->m_drawCount - DL_RECORD];
	for (const float* e = last; e >= &app->m_drawList[0]; e -= DL_RECORD) {
		if (e[DL_KIND] != IMG_FONT || e[DL_Y] != last[DL_Y]) break;
		text.insert(text.begin(), static_cast<char>(e[DL_FRAME] + ' '));
		x = e[DL_X];
		y = e[DL_Y];
	}
	return text;
}

TEST_F(FlowTest, DebugLineIsDrawnLast) {
	app->m_renderFpsAvg = 58;
	app->m_scaleX = 1.5f;
	app->m_scaleY = 2.5f;
	host.KeyDown(KEY_F1);
	host.Update(1);
	float x = 0, y = 0;
	// The leading space advances the pen by one glyph (7) without drawing.
	EXPECT_EQ(LastLine(app, x, y), "58:1.5,2.5");
	EXPECT_EQ(x, 16 + 7);
	EXPECT_EQ(y, 480 - 16 + 5) << "glyph centres half a line below the line's y";
	EXPECT_EQ(app->m_drawList[app->m_drawCount - DL_RECORD + DL_ALPHA], 1.0f);
	kx_Zimbolo_AccelerometerControls = 1;
	host.Update(1);
	EXPECT_EQ(LastLine(app, x, y), "58:1.5,2.5");
	EXPECT_EQ(y, 240 + 5) << "with tilt steering the line moves to mid-height";
	kx_Zimbolo_iCadeControls = 1;
	host.Update(1);
	LastLine(app, x, y);
	EXPECT_EQ(y, 480 - 16 + 5) << "iCade input turns the tilt steering off";
	kx_Zimbolo_iCadeControls = 0;
	kx_Zimbolo_AccelerometerControls = 0;
	kx_Zimbolo_DebugMode = 0;
}

TEST_F(FlowTest, F4QuitsWithStatusZeroAndSavesNothing) {
	char cwd[4096];
	ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
	std::string dir = cwd;
	EXPECT_EXIT(
	    {
		    host.KeyDown(KEY_F4);
		    host.Update(1);
	    },
	    testing::ExitedWithCode(0), "");
	EXPECT_NE(access((dir + "/data").c_str(), F_OK), -1);
	EXPECT_EQ(access((dir + "/.velmarstate").c_str(), F_OK), -1);
}

TEST_F(FlowTest, SuspendDuringPlayOpensThePauseBoxFully) {
	app->m_gameState = 10;
	host.Suspend();
	EXPECT_EQ(app->m_paused, 1);
	EXPECT_EQ(app->m_pauseDir, 1);
	EXPECT_EQ(app->m_pauseY, 240);
	EXPECT_EQ(kx_app__updateRate, 5);
	EXPECT_FALSE(host.StateFile().empty()) << "suspending saves";
	host.Resume();
	EXPECT_EQ(kx_app__updateRate, 60);
	EXPECT_EQ(app->m_paused, 1);
}

TEST_F(FlowTest, SuspendInTheMenuClosesThePauseBox) {
	app->m_paused = 1;
	app->m_vButton[0] = 2;
	kx_Zimbolo_iCadeControls = 1;
	host.Suspend();
	EXPECT_EQ(app->m_paused, 0);
	EXPECT_EQ(app->m_pauseDir, 0);
	EXPECT_EQ(app->m_pauseY, 0);
	EXPECT_EQ(app->m_vButton[0], 0);
	EXPECT_EQ(kx_Zimbolo_iCadeControls, 0);
	int y = app->m_pauseY;
	host.Update(3);
	EXPECT_EQ(app->m_pauseY, y) << "no updates while suspended";
	host.Resume();
}

TEST_F(FlowTest, StartAndReturnFromAGame) {
	app->m_gameState = 11;
	app->m_gameMode = 3;
	app->m_score = 99;
	host.Update(1);
	EXPECT_EQ(app->m_gameState, 10);
	EXPECT_EQ(app->m_score, 0);
	EXPECT_FLOAT_EQ(app->m_speed, 1.1f);
	EXPECT_EQ(app->m_players[2], 288.0f);
	EXPECT_EQ(app->m_players[10], 5.0f);
	EXPECT_EQ(app->m_players[56], 60.0f);
	EXPECT_EQ(app->m_particleMax, 250);
	EXPECT_EQ(app->m_bgTargetG, 120.0f);
	EXPECT_EQ(app->m_musicOn, 1);
	app->m_score = 70;
	app->m_gameState = 2;
	host.Update(1);
	EXPECT_EQ(app->m_gameState, 1);
	EXPECT_EQ(app->m_hiScore[20], 70);
	EXPECT_EQ(app->m_hiScore[50], 70);
}

TEST_F(FlowTest, BoxesSlideOneStepPerUpdate) {
	app->m_creditsOpen = 1;
	host.Update(40);
	EXPECT_EQ(app->m_creditsSlide, 30);
	app->m_creditsOpen = 0;
	host.Update(10);
	EXPECT_EQ(app->m_creditsSlide, 20);
	app->m_gameState = 10;
	host.Update(25);
	EXPECT_EQ(app->m_creditsSlide, 0) << "the credits slide also moves outside the menu";
	app->m_optionsOpen = 1;
	host.Update(5);
	EXPECT_EQ(app->m_optionsSlide, 5);
}

TEST_F(FlowTest, BackKeyPausesAPlayingGameOnce) {
	app->m_gameState = 10;
	host.KeyDown(KEY_ESCAPE);
	host.Update(1);
	EXPECT_EQ(app->m_paused, 1);
	EXPECT_EQ(app->m_pauseDir, 1);
	EXPECT_EQ(app->m_keyLock, 1);
	EXPECT_EQ(app->m_menuSlide, -32);
}

TEST_F(FlowTest, ARearmedLoaderHoldsThePlayForTwentySevenUpdatesPlusOne) {
	host.SetWindowSize(1280, 720);
	app->m_gameState = 10;
	app->m_menuSlide = 0;
	app->m_loadStep = 1;
	host.Update(27);
	EXPECT_EQ(app->m_assetRes, 4);
	EXPECT_EQ(app->m_loadStep, 28);
	host.Update(1);
	EXPECT_EQ(app->m_loadStep, 0);
	EXPECT_EQ(app->m_menuSlide, 0) << "no play overlay ran while loading";
	EXPECT_EQ(app->m_imgInfo[3 * IMG_SPRITES], 128);
	host.Update(1);
	EXPECT_EQ(app->m_menuSlide, -32);
	EXPECT_EQ(app->m_gameState, 10) << "play continues where it was";
}

}  // namespace
