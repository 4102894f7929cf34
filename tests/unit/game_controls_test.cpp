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

// Every key, button of pad 2 and direction of its first stick answers the one
// button of its row, with iCade input off and on (-1: none).
TEST_F(ControlsTest, EachSourceAnswersItsOwnButton) {
	struct Source {
		int key, pad;
		float x, y;
		int off, on;
	} sources[] = {
		{KEY_UP, -1, 0, 0, 0, 0},          {KEY_W, -1, 0, 0, 0, -1},          {KEY_LEFT, -1, 0, 0, 3, 3},
		{KEY_A, -1, 0, 0, 3, -1},          {KEY_RIGHT, -1, 0, 0, 5, 5},       {KEY_D, -1, 0, 0, 5, -1},
		{KEY_DOWN, -1, 0, 0, 8, 8},        {KEY_S, -1, 0, 0, 8, -1},          {KEY_Z, -1, 0, 0, 10, -1},
		{KEY_J, -1, 0, 0, 10, -1},         {KEY_SPACE, -1, 0, 0, 10, 10},     {KEY_ENTER, -1, 0, 0, 10, 10},
		{KEY_X, -1, 0, 0, 11, -1},         {KEY_K, -1, 0, 0, 11, -1},         {KEY_CONTROL, -1, 0, 0, 11, 11},
		{KEY_C, -1, 0, 0, 12, -1},         {KEY_L, -1, 0, 0, 12, -1},         {KEY_SHIFT, -1, 0, 0, 12, 12},
		{KEY_V, -1, 0, 0, 13, -1},         {KEY_I, -1, 0, 0, 13, -1},         {KEY_B, -1, 0, 0, 14, -1},
		{KEY_U, -1, 0, 0, 14, -1},         {KEY_N, -1, 0, 0, 15, -1},         {KEY_O, -1, 0, 0, 15, -1},
		{KEY_ESCAPE, -1, 0, 0, 99, 99},    {KEY_TILDE, -1, 0, 0, 99, -1},     {KEY_DELETE, -1, 0, 0, 99, 99},
		{KEY_BACKSPACE, -1, 0, 0, 99, 99}, {KEY_Q, -1, 0, 0, -1, -1},         {-1, 9, 0, 0, 0, 0},
		{-1, 8, 0, 0, 3, 3},               {-1, 10, 0, 0, 5, 5},              {-1, 11, 0, 0, 8, 8},
		{-1, 0, 0, 0, 10, 10},             {-1, 1, 0, 0, 11, 11},             {-1, 2, 0, 0, 12, 12},
		{-1, 3, 0, 0, 13, 13},             {-1, 4, 0, 0, 14, 14},             {-1, 5, 0, 0, 15, 15},
		{-1, 6, 0, 0, 99, 99},             {-1, 7, 0, 0, 99, 99},             {-1, 14, 0, 0, 99, 99},
		{-1, 12, 0, 0, -1, -1},            {-1, -1, 0, 0.45f, 0, -1},         {-1, -1, -0.45f, 0, 3, -1},
		{-1, -1, 0.45f, 0, 5, -1},         {-1, -1, 0, -0.45f, 8, -1},        {-1, -1, 0.35f, 0.35f, -1, -1},
	};
	const int buttons[] = {0, 3, 5, 8, 10, 11, 12, 13, 14, 15, 99};
	for (ScriptedPad& pad : host.pads) pad.present = true;
	for (const Source& s : sources) {
		if (s.key >= 0) host.KeyDown(s.key);
		if (s.pad >= 0) host.pads[2].buttons[s.pad] = true;
		host.pads[2].x[0] = s.x;
		host.pads[2].y[0] = s.y;
		app->m_keyLock = 1;
		host.Update(1);
		for (int iCade = 0; iCade <= 1; ++iCade) {
			kx_Zimbolo_iCadeControls = iCade;
			for (int b : buttons) {
				EXPECT_EQ(app->p_PlayKey(b, 1, 2), b == (iCade ? s.on : s.off) ? 1 : 0)
				    << "source " << &s - sources << " as button " << b << ", iCade " << iCade;
			}
		}
		kx_Zimbolo_iCadeControls = 0;
		if (s.key >= 0) host.KeyUp(s.key);
		if (s.pad >= 0) host.pads[2].buttons[s.pad] = false;
		host.pads[2].x[0] = host.pads[2].y[0] = 0;
		host.Update(1);
	}
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
	host.TypeChar('K');
	host.Update(1);
	EXPECT_EQ(app->p_PlayKey(BTN_C, 0, -1), 1) << "12 does not";
	host.TypeChar('P');
	host.TypeChar('e');
	host.TypeChar('?');
	host.Update(1);
	EXPECT_EQ(app->m_vButton[0], 0);
	EXPECT_EQ(app->m_iCadeKey, 0);
	EXPECT_EQ(app->p_PlayKey(BTN_UP, 0, -1), 0);
	// The whole table in both cases: a press letter holds its own entry and no
	// other, its release letter frees it.
	const char press[] = "WXADYUIOHJKL";
	const char release[] = "EZQCTFMGRNPV";
	const int entries[] = {0, 8, 3, 5, 13, 14, 15, 16, 10, 11, 12, 17};
	const int held[] = {0, 8, 3, 5, 13, 14, 15, 99, 10, 11, 12, 99};
	const int buttons[] = {0, 3, 5, 8, 10, 11, 12, 13, 14, 15, 99};
	host.TypeChar('T');
	app->p_ReadICade();
	for (int i = 0; i < 12; ++i) {
		for (int lower = 0; lower <= 32; lower += 32) {
			char letter = static_cast<char>(press[i] + lower);
			host.TypeChar(letter);
			app->p_ReadICade();
			for (int e = 0; e < VBTN_PULSES; ++e) EXPECT_EQ(app->m_vButton[e], e == entries[i] ? 2 : 0) << letter;
			for (int button : buttons) EXPECT_EQ(app->p_PlayKey(button, 0, 0), button == held[i] ? 1 : 0) << letter;
			host.TypeChar(release[i] + lower);
			app->p_ReadICade();
			EXPECT_EQ(app->m_vButton[entries[i]], 0) << static_cast<char>(release[i] + lower);
		}
		host.Update(1);
	}
	host.TypeChar('L');
	app->p_ReadICade();
	app->p_iCade(0);
	for (int e = 0; e < VBTN_PULSES; ++e) EXPECT_EQ(app->m_vButton[e], 0) << "switching off frees entry " << e;
	EXPECT_EQ(kx_Zimbolo_iCadeControls, 0);
}

TEST_F(ControlsTest, PulsesLastOneUpdate) {
	app->m_vButton[BTN_A] = 1;
	app->m_vButton[BTN_B] = 2;
	EXPECT_EQ(app->p_PlayKey(BTN_A, 0, -1), 1);
	host.Update(1);
	EXPECT_EQ(app->m_vButton[BTN_A], 0);
	EXPECT_EQ(app->m_vButton[BTN_B], 2);
	app->m_vButton[BTN_B] = 0;
	// Each virtual entry holds the one button of its row.
	const int rows[][2] = {{0, 0},   {3, 3},   {5, 5},   {8, 8},   {10, 10}, {11, 11}, {12, 12},
	                       {13, 13}, {14, 14}, {15, 15}, {16, 99}, {17, 99}, {19, 99}};
	const int buttons[] = {0, 3, 5, 8, 10, 11, 12, 13, 14, 15, 99};
	for (const auto& row : rows) {
		app->m_vButton[row[0]] = 1;
		for (int b : buttons) EXPECT_EQ(app->p_PlayKey(b, 0, -1), b == row[1] ? 1 : 0) << "entry " << row[0] << ", button " << b;
		app->m_vButton[row[0]] = 0;
	}
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
	app->m_waitRelease = 1;
	host.MouseDown(5, 5);
	host.KeyDown(KEY_ESCAPE);
	host.Update(1);
	EXPECT_EQ(app->m_creditsOpen, 1) << "not while a click waits for its release";
	host.KeyUp(KEY_ESCAPE);
	host.MouseUp(5, 5);
	host.Update(1);
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

// The key lock, and the options box's own, stay set while a button they watch
// is held (0, 3, 5, 8, 10-17 and 99, on every port and the stick too) and
// end once it is released; a key of no button ends them at once.
TEST_F(ControlsTest, KeyLocksHoldWhileAWatchedButtonIsHeld) {
	struct Source {
		int key, pad;
		float stickY;
		const char* letters; // an iCade press and release letter
		bool watched;
	} sources[] = {
		{KEY_UP, -1, 0, nullptr, true},    {KEY_A, -1, 0, nullptr, true},         {-1, 10, 0, nullptr, true},
		{KEY_S, -1, 0, nullptr, true},     {-1, -1, 0.5f, nullptr, true},         {KEY_SPACE, -1, 0, nullptr, true},
		{-1, 1, 0, nullptr, true},         {KEY_SHIFT, -1, 0, nullptr, true},     {KEY_I, -1, 0, nullptr, true},
		{-1, 4, 0, nullptr, true},         {KEY_O, -1, 0, nullptr, true},         {-1, -1, 0, "OG", true},
		{-1, -1, 0, "LV", true},           {KEY_BACKSPACE, -1, 0, nullptr, true}, {-1, 14, 0, nullptr, true},
		{KEY_Q, -1, 0, nullptr, false},    {-1, 12, 0, nullptr, false},
	};
	for (ScriptedPad& pad : host.pads) pad.present = true;
	for (int box = 0; box <= 1; ++box) {
		app->m_optionsOpen = box;
		host.Update(31);
		int& lock = box ? app->m_optionsKeyLock : app->m_keyLock;
		for (const Source& s : sources) {
			app->p_iCade(s.letters ? 1 : 0);
			// Held over an update (the letters are read at its end), then the lock
			// step alone (or the box's update) judges it; released over two
			// updates. Both locks are set before each step but the last, so that
			// no screen acts on what is held.
			for (int step = 0; step < 4; ++step) {
				bool down = step < 2;
				if (s.key >= 0) down ? host.KeyDown(s.key) : host.KeyUp(s.key);
				if (s.pad >= 0) host.pads[3].buttons[s.pad] = down;
				host.pads[3].y[0] = down ? s.stickY : 0;
				if (s.letters && (step == 0 || step == 2)) host.TypeChar(s.letters[step / 2]);
				if (step < 3) app->m_keyLock = app->m_optionsKeyLock = 1;
				if (step != 1 || box) host.Update(1);
				if (step != 1) continue;
				if (!box) app->p_KeyLock();
				EXPECT_EQ(lock, s.watched ? 1 : 0) << "box " << box << ", source " << &s - sources;
			}
			EXPECT_EQ(lock, 0) << "box " << box << ", source " << &s - sources;
		}
	}
	app->p_iCade(0);
	app->m_optionsOpen = 0;
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
	host.pads[0].y[0] = 0.22f;
	host.Update(1);
	app->p_AnalogueControl();
	EXPECT_FLOAT_EQ(app->m_analogueX, 0.15f) << "beyond 0.2 on one axis counts on both";
	EXPECT_FLOAT_EQ(app->m_analogueY, -0.22f);
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
