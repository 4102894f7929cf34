// Key translation, the GLFW callbacks and the input device.
#include <gtest/gtest.h>

#include <initializer_list>
#include <tuple>
#include <vector>

#include "host/app.h"
#include "host/glfw2.h"
#include "input/input_api.h"
#include "input/key_translation.h"
#include "support/test_host.h"

#include "support/event_log.h"

using namespace glfw2;

namespace {

// A GLFW host whose callbacks feed an EventLog.
class CallbackTest : public ::testing::Test {
protected:
	KxGlfwGame host;
	EventLog* log = new EventLog;

	void SetUp() override {
		KxGame::_game = &host;
		KxGlfwGame::_glfwGame = &host;
		host.SetDelegate(log);
		host.StartGame();
	}
};

// Records the hits of one key during each update.
class HitProbe : public c_App {
public:
	int key = 0;
	std::vector<int> hits;
	int p_OnUpdate() override {
		hits.push_back(kx_input_KeyHit(key));
		return 0;
	}
};

class InputDevice : public ::testing::Test {
protected:
	TestHost host;
	HitProbe* probe = new HitProbe;

	void SetUp() override {
		host.Boot();
		probe->m_new();
		host.Start();
	}
};

// A scripted pad for the GLFW host's joystick read.
class PadPlatform : public Glfw2Platform {
public:
	int buttons = 0;
	int axes = 0;
	unsigned char states[32] = {};
	float pos[6] = {};
	int JoystickParam(int joy, int param) override {
		if (joy != 0) return 0;
		return param == GLFW_PRESENT ? 1 : param == GLFW_AXES ? axes : buttons;
	}
	int JoystickPos(int, float* out, int numaxes) override {
		int n = axes < numaxes ? axes : numaxes;
		for (int i = 0; i < n; ++i) out[i] = pos[i];
		return n;
	}
	int JoystickButtons(int, unsigned char* out, int numbuttons) override {
		int n = buttons < numbuttons ? buttons : numbuttons;
		for (int i = 0; i < n; ++i) out[i] = states[i];
		return n;
	}
};

class PadRead : public ::testing::Test {
protected:
	PadPlatform pad;
	KxGlfwGame host;
	Array<float> x{2}, y{2}, z{2};
	Array<bool> buttons{32};

	void SetUp() override { glfw2SetPlatform(&pad); }
	void TearDown() override { glfw2SetPlatform(nullptr); }
	bool Poll(int port = 0) { return host.PollJoystick(port, x, y, z, buttons); }
};

// A key and what it must translate to.
struct KeyCase {
	int key;
	int expected;
};

// Each GLFW 2.7 key gives its code in the game's numbering.
void ExpectKeyCodes(std::initializer_list<KeyCase> cases) {
	for (const KeyCase& c : cases) EXPECT_EQ(TransKey(c.key), c.expected) << "key " << c.key;
}

// Each key code gives its character.
void ExpectKeyChars(std::initializer_list<KeyCase> cases) {
	for (const KeyCase& c : cases) EXPECT_EQ(KeyToChar(c.key), c.expected) << "key " << c.key;
}

}  // namespace

//----------------------------------------------------------------------------
// Translation
//----------------------------------------------------------------------------

TEST(TransKey, DigitsAndCapitalsKeepTheirCodes) {
	ExpectKeyCodes({
		{'0', 48}, {'9', 57}, {'A', 65}, {'Z', 90}, {'a', 0}
	});
}

TEST(TransKey, PunctuationAndBothQuotes) {
	ExpectKeyCodes({
		{'"', 222}, {'\'', 222}, {GLFW_KEY_SPACE, 32}, {',', 188}, {'-', 189}, {'.', 190}, {'/', 191}, {';', 186},
		{'=', 187}, {'[', 219}, {'\\', 220}, {']', 221}, {'`', 192}, {'~', 192}, {'!', 0}
	});
}

TEST(TransKey, SpecialKeysInGlfw27Numbering) {
	ExpectKeyCodes({
		{257, 27}, {258, 112}, {269, 123}, {283, 38}, {284, 40}, {285, 37}, {286, 39}, {287, 16}, {288, 16},
		{289, 17}, {290, 17}, {293, 9}, {294, 13}, {295, 8}, {296, 45}, {297, 46}, {298, 33}, {299, 34}, {300, 36},
		{301, 35}, {302, 96}, {311, 105}, {312, 111}, {313, 106}, {314, 109}, {315, 107}, {316, 110}
	});
}

TEST(TransKey, IgnoredKeysGiveZero) {
	ExpectKeyCodes({
		{GLFW_KEY_LALT, 0}, {GLFW_KEY_RALT, 0}, {GLFW_KEY_F13, 0}, {GLFW_KEY_F25, 0}, {GLFW_KEY_KP_EQUAL, 0},
		{GLFW_KEY_KP_ENTER, 0}, {GLFW_KEY_CAPS_LOCK, 0}, {GLFW_KEY_LSUPER, 0}, {GLFW_KEY_MENU, 0},
		{GLFW_KEY_UNKNOWN, 0}, {0, 0}, {1000, 0}
	});
}

TEST(KeyToChar, ControlNavigationAndDelete) {
	ExpectKeyChars({
		{8, 8}, {9, 9}, {13, 13}, {27, 27}, {33, 65569}, {37, 65573}, {40, 65576}, {45, 65581}, {46, 127}, {32, 0},
		{65, 0}, {112, 0}
	});
}

//----------------------------------------------------------------------------
// GLFW callbacks
//----------------------------------------------------------------------------

TEST_F(CallbackTest, NavigationKeysSendTheirCharacter) {
	KxGlfwGame::OnKey(GLFW_KEY_LEFT, GLFW_PRESS);
	KxGlfwGame::OnKey(GLFW_KEY_LEFT, GLFW_RELEASE);
	KxGlfwGame::OnKey(GLFW_KEY_DEL, GLFW_PRESS);
	EXPECT_EQ(log->keys, (std::vector<KeyRecord>{{1, 37}, {3, 65573}, {2, 37}, {1, 46}, {3, 127}}));
}

TEST_F(CallbackTest, PrintableKeysLeaveCharactersToOnChar) {
	KxGlfwGame::OnKey('A', GLFW_PRESS);
	KxGlfwGame::OnChar('a', GLFW_PRESS);
	KxGlfwGame::OnChar('a', GLFW_RELEASE);
	KxGlfwGame::OnKey('A', GLFW_RELEASE);
	EXPECT_EQ(log->keys, (std::vector<KeyRecord>{{1, 65}, {3, 97}, {2, 65}}));
}

TEST_F(CallbackTest, AltKeysSendNothing) {
	KxGlfwGame::OnKey(GLFW_KEY_LALT, GLFW_PRESS);
	KxGlfwGame::OnKey(GLFW_KEY_RALT, GLFW_RELEASE);
	EXPECT_TRUE(log->keys.empty());
}

TEST_F(CallbackTest, WindowCloseSendsCloseKeyAndKeepsTheWindow) {
	EXPECT_EQ(KxGlfwGame::OnWindowClose(), 0);
	EXPECT_EQ(log->keys, (std::vector<KeyRecord>{{1, 432}, {2, 432}}));
}

TEST_F(CallbackTest, MouseButtonsBeyondMiddleAreIgnored) {
	KxGlfwGame::OnMouseButton(3, GLFW_PRESS);
	KxGlfwGame::OnMouseButton(2, GLFW_PRESS);
	KxGlfwGame::OnMouseButton(2, GLFW_RELEASE);
	KxGlfwGame::OnMousePos(12, 34);
	ASSERT_EQ(log->mouse.size(), 3u);
	EXPECT_EQ(std::get<0>(log->mouse[0]), 4);
	EXPECT_EQ(std::get<1>(log->mouse[0]), 2);
	EXPECT_EQ(std::get<0>(log->mouse[1]), 5);
	EXPECT_EQ(log->mouse[2], std::make_tuple(6, -1, 12.0f, 34.0f));
}

//----------------------------------------------------------------------------
// Input device
//----------------------------------------------------------------------------

TEST_F(InputDevice, HitsCountUpBetweenUpdatesAndLastOneUpdate) {
	probe->key = KEY_A;
	for (int i = 0; i < 2; ++i) {
		host.KeyDown(KEY_A);
		host.KeyUp(KEY_A);
	}
	host.RunUpdates(2);
	EXPECT_EQ(probe->hits, (std::vector<int>{2, 0}));
	EXPECT_FALSE(kx_input_KeyDown(KEY_A));
}

TEST_F(InputDevice, RepeatsAreNotCountedButCharactersAre) {
	for (int i = 0; i < 3; ++i) {
		host.KeyDown(KEY_A);
		host.TypeChar('a');
	}
	EXPECT_EQ(kx_input_KeyHit(KEY_A), 1);
	EXPECT_TRUE(kx_input_KeyDown(KEY_A));
	EXPECT_EQ(kx_input_GetChar(), 'a');
	EXPECT_EQ(kx_input_GetChar(), 'a');
	EXPECT_EQ(kx_input_GetChar(), 'a');
	EXPECT_EQ(kx_input_GetChar(), 0);
	host.RunUpdates(1);
	EXPECT_EQ(kx_input_GetChar(), 0);
	EXPECT_TRUE(kx_input_KeyDown(KEY_A));
}

TEST_F(InputDevice, LeftMouseButtonMirrorsTheFirstTouch) {
	host.MouseDown(0, 10, 20);
	EXPECT_TRUE(kx_input_KeyDown(KEY_MOUSE_LEFT));
	EXPECT_TRUE(kx_input_KeyDown(KEY_TOUCH_BASE));
	EXPECT_TRUE(kx_input_TouchDown(0));
	EXPECT_EQ(kx_input_MouseHit(0), 1);
	EXPECT_EQ(kx_input_KeyHit(KEY_TOUCH_BASE), 1);
	EXPECT_EQ(kx_input_TouchX(0), 10.0f);
	host.MouseMove(30, 40);
	EXPECT_EQ(kx_input_TouchX(0), 30.0f);
	EXPECT_EQ(kx_input_TouchY(0), 40.0f);
	EXPECT_EQ(kx_input_MouseX(), 30.0f);
	host.MouseUp(0, 99, 99);
	EXPECT_FALSE(kx_input_MouseDown(0));
	EXPECT_FALSE(kx_input_TouchDown(0));
	// A release does not move the pointer.
	EXPECT_EQ(kx_input_MouseY(), 40.0f);
}

TEST_F(InputDevice, TouchZeroMirrorsTheLeftButtonAndMovesThePointer) {
	host.TouchEvent(7, 0, 5, 6);
	EXPECT_TRUE(kx_input_MouseDown(0));
	EXPECT_EQ(kx_input_MouseX(), 5.0f);
	host.TouchEvent(7, 3, 50, 60);
	EXPECT_TRUE(kx_input_TouchDown(3));
	EXPECT_EQ(kx_input_TouchX(3), 50.0f);
	EXPECT_EQ(kx_input_MouseX(), 5.0f);
	host.TouchEvent(8, 0, 0, 0);
	EXPECT_FALSE(kx_input_MouseDown(0));
}

TEST_F(InputDevice, RightAndMiddleButtonsAreKeysTwoAndThree) {
	host.MouseDown(1, 0, 0);
	host.MouseDown(2, 0, 0);
	EXPECT_TRUE(kx_input_KeyDown(KEY_MOUSE_RIGHT));
	EXPECT_TRUE(kx_input_KeyDown(KEY_MOUSE_MIDDLE));
	EXPECT_FALSE(kx_input_TouchDown(0));
}

TEST_F(InputDevice, FullHitQueueDropsHitsButKeepsFlags) {
	for (int key = 100; key < 140; ++key) host.KeyDown(key);
	EXPECT_EQ(kx_input_KeyHit(132), 1);
	EXPECT_EQ(kx_input_KeyHit(133), 0);
	EXPECT_TRUE(kx_input_KeyDown(139));
	host.RunUpdates(1);
	for (int key = 100; key < 140; ++key) EXPECT_EQ(kx_input_KeyHit(key), 0);
	host.KeyDown(200);
	EXPECT_EQ(kx_input_KeyHit(200), 1);
}

TEST_F(InputDevice, FullCharacterQueueDropsCharacters) {
	for (int i = 0; i < 40; ++i) host.TypeChar('a' + i % 26);
	int count = 0;
	while (kx_input_GetChar()) ++count;
	EXPECT_EQ(count, 32);
}

TEST_F(InputDevice, KeysOutsideTheTableAreNeverDown) {
	host.KeyDown(0);
	host.KeyDown(512);
	host.KeyDown(-5);
	EXPECT_FALSE(kx_input_KeyDown(0));
	EXPECT_FALSE(kx_input_KeyDown(512));
	EXPECT_EQ(kx_input_KeyHit(-5), 0);
	EXPECT_FALSE(kx_input_MouseDown(511));
	EXPECT_FALSE(kx_input_TouchDown(128));
	EXPECT_EQ(kx_input_TouchX(32), 0.0f);
}

TEST_F(InputDevice, JoystickButtonsAreKeysFromTwoHundredFiftySix) {
	host.joysticks[0].present = true;
	host.joysticks[1].present = true;
	host.joysticks[1].buttons[0] = true;
	host.joysticks[3].present = true;
	host.joysticks[3].buttons[5] = true;
	host.RunUpdates(1);
	EXPECT_TRUE(kx_input_KeyDown(288));
	EXPECT_TRUE(kx_input_JoyDown(0, 1));
	// Unit 2 is absent, so unit 3 is never read.
	EXPECT_EQ(host.polledUnits, (std::vector<int>{0, 1, 2}));
	EXPECT_FALSE(kx_input_JoyDown(5, 3));
	EXPECT_FALSE(kx_input_JoyDown(0, 8));
}

TEST_F(InputDevice, JoystickHitIsVisibleDuringOneUpdate) {
	probe->key = 357;
	for (int unit = 0; unit < 4; ++unit) host.joysticks[unit].present = true;
	host.joysticks[3].buttons[5] = true;
	host.RunUpdates(3);
	EXPECT_EQ(probe->hits, (std::vector<int>{1, 0, 0}));
	EXPECT_TRUE(kx_input_JoyDown(5, 3));
	host.joysticks[3].buttons[5] = false;
	host.RunUpdates(1);
	EXPECT_FALSE(kx_input_KeyDown(357));
}

TEST_F(InputDevice, StickAxesOfEachUnit) {
	host.joysticks[0].present = true;
	host.joysticks[0].x[0] = 0.5f;
	host.joysticks[0].y[1] = -0.25f;
	host.RunUpdates(1);
	EXPECT_EQ(kx_input_JoyX(0, 0), 0.5f);
	EXPECT_EQ(kx_input_JoyY(1, 0), -0.25f);
}

TEST_F(InputDevice, KeyboardSwitchGoesToTheHost) {
	EXPECT_TRUE(kx_input_EnableKeyboard());
	EXPECT_TRUE(host.KeyboardEnabled());
	EXPECT_TRUE(kx_input_DisableKeyboard());
	EXPECT_FALSE(host.KeyboardEnabled());
}

//----------------------------------------------------------------------------
// GLFW joystick read
//----------------------------------------------------------------------------

TEST_F(PadRead, AbsentPadChangesNothing) {
	buttons[3] = true;
	EXPECT_FALSE(Poll(1));
	EXPECT_TRUE(buttons[3]);
}

TEST_F(PadRead, SixteenButtonsPutTheHatAtEightToEleven) {
	pad.buttons = 16;
	pad.axes = 6;
	for (int i = 8; i < 16; ++i) pad.states[i] = i >= 12 ? GLFW_PRESS : GLFW_RELEASE;
	pad.states[1] = GLFW_PRESS;
	ASSERT_TRUE(Poll());
	EXPECT_TRUE(buttons[1]);
	for (int b = 8; b < 12; ++b) EXPECT_TRUE(buttons[b]) << b;
	for (int b = 12; b < 16; ++b) EXPECT_FALSE(buttons[b]) << b;
	pad.states[12] = GLFW_RELEASE;
	pad.states[8] = GLFW_PRESS;
	pad.states[11] = GLFW_PRESS;
	ASSERT_TRUE(Poll());
	EXPECT_FALSE(buttons[8]);
	EXPECT_TRUE(buttons[12]);
	EXPECT_TRUE(buttons[15]);
}

TEST_F(PadRead, FewButtonsKeepTheirPlacesAndLaterOnesTheirValues) {
	pad.buttons = 4;
	pad.states[2] = GLFW_PRESS;
	buttons[10] = true;
	ASSERT_TRUE(Poll());
	EXPECT_TRUE(buttons[2]);
	EXPECT_TRUE(buttons[10]);
}

TEST_F(PadRead, AxesGoToBothSticks) {
	pad.buttons = 10;
	pad.axes = 6;
	for (int i = 0; i < 6; ++i) pad.pos[i] = 0.1f * (i + 1);
	ASSERT_TRUE(Poll());
	EXPECT_FLOAT_EQ(x[0], 0.1f);
	EXPECT_FLOAT_EQ(y[0], 0.2f);
	EXPECT_FLOAT_EQ(z[0], 0.3f);
	EXPECT_FLOAT_EQ(x[1], 0.4f);
	EXPECT_FLOAT_EQ(y[1], 0.5f);
	EXPECT_FLOAT_EQ(z[1], 0.6f);
}

TEST_F(PadRead, FourteenButtonsFiveAxesTurnTheSecondStick) {
	pad.buttons = 14;
	pad.axes = 5;
	for (int i = 0; i < 5; ++i) pad.pos[i] = 0.1f * (i + 1);
	ASSERT_TRUE(Poll());
	EXPECT_FLOAT_EQ(x[1], 0.5f);
	EXPECT_FLOAT_EQ(y[1], -0.4f);
	EXPECT_FLOAT_EQ(z[1], 0.0f);
}

TEST_F(PadRead, EighteenButtonsFourAxesMirrorTheTrigger) {
	pad.buttons = 18;
	pad.axes = 4;
	for (int i = 0; i < 4; ++i) pad.pos[i] = 0.1f * (i + 1);
	ASSERT_TRUE(Poll());
	EXPECT_FLOAT_EQ(y[1], -0.3f);
	EXPECT_FLOAT_EQ(x[1], 0.4f);
}
