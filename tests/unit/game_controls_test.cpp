// Controls: the abstract buttons with and without iCade input, pads and
// sticks, the key lock, iCade letters and the analogue ramps.
#include <gtest/gtest.h>

#include <vector>

#include "support/game_harness.h"

namespace {

class ControlsTest : public ::testing::Test {
protected:
	void SetUp() override {
		app = host.Launch();
		host.Update(30);
		app->p_MapScreen();
	}
	GameHost host;
	c_MyApp* app = nullptr;
};

TEST_F(ControlsTest, WAnswersUpOnEveryPortUnlessICadeIsOn) {
	host.KeyDown(KEY_W);
	host.Update(1);
	EXPECT_EQ(app->p_PlayKey(BTN_UP, 0, -1), 1);
	for (int port = 0; port < 4; ++port) EXPECT_EQ(app->p_PlayKey(BTN_UP, 0, port), 1) << port;
	EXPECT_EQ(app->p_PlayKey(BTN_UP, 0, -2), 0);
	EXPECT_EQ(app->p_PlayKey(BTN_UP, 0, 4), 0);
	EXPECT_EQ(app->p_PlayKeyAll(BTN_UP, 0), 4);
	EXPECT_EQ(app->p_PlayKey(42, 0, -1), 0) << "unknown buttons are never held";
	app->p_iCade(1);
	EXPECT_EQ(app->p_PlayKey(BTN_UP, 0, -1), 0);
	host.KeyUp(KEY_W);
	host.KeyDown(KEY_UP);
	EXPECT_EQ(app->p_PlayKey(BTN_UP, 0, -1), 1) << "cursor keys still count";
}

TEST_F(ControlsTest, EachActionButtonAnswersItsOwnKeys) {
	const std::vector<int> keys[] = {{KEY_Z, KEY_J, KEY_SPACE, KEY_ENTER}, {KEY_X, KEY_K, KEY_CONTROL},
	                                 {KEY_C, KEY_L, KEY_SHIFT}, {KEY_V, KEY_I}, {KEY_B, KEY_U}, {KEY_N, KEY_O}};
	for (int iCade = 0; iCade <= 1; ++iCade) {
		app->p_iCade(iCade);
		for (int button = 0; button < 6; ++button) {
			for (int key : keys[button]) {
				// With iCade input on the cabinet types letters, so letter keys drop out.
				bool letter = key >= KEY_A && key <= KEY_Z;
				host.KeyDown(key);
				for (int asked = 0; asked < 6; ++asked) {
					EXPECT_EQ(app->p_PlayKey(BTN_A + asked, 0, -1), asked == button && !(iCade && letter) ? 1 : 0)
					    << "key " << key << " as button " << BTN_A + asked << ", iCade " << iCade;
				}
				host.KeyUp(key);
			}
		}
	}
	app->p_iCade(0);
}

TEST_F(ControlsTest, ICadeLettersHoldUntilTheirRelease) {
	app->p_iCade(1);
	host.TypeChar('W');
	host.Update(1);
	EXPECT_EQ(app->m_vButton[0], 2);
	host.Update(5);
	EXPECT_EQ(app->p_PlayKey(BTN_UP, 0, -1), 1) << "held survives the per-update reset";
	host.TypeChar('y');
	host.Update(1);
	EXPECT_EQ(app->p_PlayKey(BTN_D, 0, -1), 2) << "buttons 13-15 pass the held value on port -1";
	EXPECT_EQ(app->p_PlayKey(BTN_D, 0, 0), 1);
	host.TypeChar('e');
	host.TypeChar('?');
	host.Update(1);
	EXPECT_EQ(app->m_vButton[0], 0);
	EXPECT_EQ(app->m_iCadeKey, 0);
	EXPECT_EQ(app->p_PlayKey(BTN_UP, 0, -1), 0);
	app->p_iCade(0);
	EXPECT_EQ(app->m_vButton[13], 0);
	EXPECT_EQ(kx_Zimbolo_iCadeControls, 0);
}

TEST_F(ControlsTest, PulsesLastOneUpdate) {
	app->m_vButton[BTN_A] = 1;
	app->m_vButton[BTN_B] = 2;
	EXPECT_EQ(app->p_PlayKey(BTN_A, 0, -1), 1);
	host.Update(1);
	EXPECT_EQ(app->m_vButton[BTN_A], 0);
	EXPECT_EQ(app->m_vButton[BTN_B], 2);
}

TEST_F(ControlsTest, StickCountsOnlyWithAnalog) {
	host.pads[0].present = true;
	host.pads[0].y[0] = 0.5f;
	host.Update(1);
	EXPECT_EQ(app->p_PlayKey(BTN_UP, 0, 0), 0);
	EXPECT_EQ(app->p_PlayKey(BTN_UP, 1, 0), 1);
	EXPECT_EQ(app->p_PlayKey(BTN_UP, 1, -1), 0);
	EXPECT_FLOAT_EQ(app->p_StickY(0, 0), -0.5f);
	EXPECT_FLOAT_EQ(app->p_StickY(0, -1), 0.0f);
	// NOTE: back on the main menu would quit the game; the key lock keeps the
	// menu from acting on it while it is held.
	app->m_keyLock = 1;
	host.pads[0].buttons[6] = true;
	host.Update(1);
	EXPECT_EQ(app->p_PlayKey(BTN_BACK, 1, 0), 1);
	EXPECT_EQ(app->p_PlayKey(BTN_BACK, 1, -1), 0) << "port -1 never reads pads";
	host.KeyDown(KEY_ESCAPE);
	EXPECT_EQ(app->p_PlayKey(BTN_BACK, 1, -1), 1);
}

TEST_F(ControlsTest, EscapeClosesTheCreditsOnce) {
	app->m_creditsOpen = 1;
	host.KeyDown(KEY_ESCAPE);
	host.Update(1);
	EXPECT_EQ(app->m_creditsOpen, 0);
	EXPECT_EQ(app->m_keyLock, 1);
	app->m_creditsOpen = 1;
	host.Update(1);
	EXPECT_EQ(app->m_creditsOpen, 1) << "the same press does not act again";
	host.KeyUp(KEY_ESCAPE);
	host.Update(1);
	EXPECT_EQ(app->m_keyLock, 0);
}

TEST_F(ControlsTest, OpenOptionsKeepBothLocksSet) {
	app->m_optionsOpen = 1;
	host.Update(1);
	EXPECT_EQ(app->m_keyLock, 1);
	EXPECT_EQ(app->m_waitRelease, 1);
}

TEST_F(ControlsTest, KeyRampsUpAndDecays) {
	const float held[] = {-0.15f, -0.3f, -0.45f};
	const float released[] = {-0.25f, -0.05f, 0.0f};
	host.KeyDown(KEY_LEFT);
	for (float expected : held) {
		host.Update(1);
		app->p_AnalogueControl();
		EXPECT_NEAR(app->m_analogueX, expected, 1e-5);
	}
	host.KeyUp(KEY_LEFT);
	for (float expected : released) {
		host.Update(1);
		app->p_AnalogueControl();
		EXPECT_NEAR(app->m_analogueX, expected, 1e-5);
	}
	host.KeyDown(KEY_DOWN);
	for (int i = 0; i < 8; ++i) app->p_AnalogueControl();
	EXPECT_FLOAT_EQ(app->m_analogueY, 1.0f);
	EXPECT_FLOAT_EQ(app->m_rampY, 1.0f);
}

TEST_F(ControlsTest, StickDeadZone) {
	host.pads[0].present = true;
	host.pads[0].x[0] = 0.15f;
	host.pads[0].y[0] = 0.1f;
	host.Update(1);
	app->p_AnalogueControl();
	EXPECT_EQ(app->m_analogueX, 0.0f);
	EXPECT_EQ(app->m_analogueY, 0.0f);
	host.pads[0].y[0] = 0.3f;
	host.Update(1);
	app->p_AnalogueControl();
	EXPECT_FLOAT_EQ(app->m_analogueX, 0.15f);
	EXPECT_FLOAT_EQ(app->m_analogueY, -0.3f);
}

TEST_F(ControlsTest, OnScreenPadPressesVirtualButtons) {
	kx_Zimbolo_OnScreenControls = 1;
	app->m_gameState = 10;
	host.Update(1);
	EXPECT_EQ(app->m_dpadX, 64);
	EXPECT_EQ(app->m_dpadY, 480 - 64);
	host.MouseMove(64 - 32, 480 - 64);
	host.MouseDown(64 - 32, 480 - 64);
	app->p_CLS2D(ZB_OMITTED, 0, 0, 0);
	host.Update(1);
	EXPECT_EQ(app->m_vButton[BTN_LEFT], 1) << "the press waits for the next update's play";
	EXPECT_EQ(app->m_vButton[BTN_RIGHT], 0);
	EXPECT_EQ(CountRecords(app, IMG_DPAD), 7);
	host.MouseUp(64 - 32, 480 - 64);
	host.Update(1);
	EXPECT_EQ(app->m_vButton[BTN_LEFT], 0);
	kx_Zimbolo_OnScreenControls = 0;
}

}  // namespace
