// The GLFW 2.7 layer's translation of GLFW 3 keys, gamepads and raw joysticks.
#include <gtest/gtest.h>

#include "game/play/records.h"
#include "game/zimbolo.h"
#include "host/glfw2.h"
#include "host/kx_game.h"
#include "input/key_translation.h"
#include "support/game_harness.h"

namespace {

// GLFW 2.7 values whose names the GLFW 3 header takes for its own macros.
const int kUnknown2 = glfw2::GLFW_KEY_UNKNOWN;
const int kLast2 = glfw2::GLFW_KEY_LAST;
const int kPress2 = glfw2::GLFW_PRESS;
const int kRelease2 = glfw2::GLFW_RELEASE;

}  // namespace

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

namespace {

// The program's key code for a key as GLFW 3 reports it.
int programKey(int key3) {
	return TransKey(glfw2::glfw2KeyFromGlfw3(key3));
}

// A gamepad at rest: nothing pressed, sticks centred, triggers released.
struct Gamepad {
	unsigned char buttons[glfw2::GLFW2_GAMEPAD3_BUTTONS] = {};
	float axes[glfw2::GLFW2_GAMEPAD3_AXES] = {0, 0, 0, 0, -1, -1};
	unsigned char classicButtons[glfw2::GLFW2_PAD_BUTTONS] = {};
	float classicAxes[glfw2::GLFW2_PAD_AXES] = {};
	void Convert() { glfw2::glfw2ClassicPad(buttons, axes, classicButtons, classicAxes); }
};

// Serves one gamepad as joystick 0 through the classic layout.
class OnePad : public glfw2::Glfw2Platform {
public:
	Gamepad pad;
	int JoystickParam(int joy, int param) override {
		if (joy != 0) return 0;
		if (param == glfw2::GLFW_PRESENT) return 1;
		return param == glfw2::GLFW_AXES ? glfw2::GLFW2_PAD_AXES : glfw2::GLFW2_PAD_BUTTONS;
	}
	int JoystickPos(int, float* pos, int numaxes) override {
		pad.Convert();
		for (int i = 0; i < numaxes && i < glfw2::GLFW2_PAD_AXES; ++i) pos[i] = pad.classicAxes[i];
		return numaxes < glfw2::GLFW2_PAD_AXES ? numaxes : glfw2::GLFW2_PAD_AXES;
	}
	int JoystickButtons(int, unsigned char* out, int numbuttons) override {
		pad.Convert();
		for (int i = 0; i < numbuttons && i < glfw2::GLFW2_PAD_BUTTONS; ++i) out[i] = pad.classicButtons[i];
		return numbuttons < glfw2::GLFW2_PAD_BUTTONS ? numbuttons : glfw2::GLFW2_PAD_BUTTONS;
	}
};

// Serves joystick 0 as GLFW 3 reports a joystick it has no gamepad mapping
// for: count buttons, hats hats (the first one scripted) and two axes.
class RawJoystick : public glfw2::Glfw2Platform {
public:
	int count = 6;
	int hats = 1;
	unsigned char buttons[JOY_BUTTONS] = {};
	unsigned char hat = GLFW_HAT_CENTERED;
	float axes[2] = {};
	int JoystickParam(int joy, int param) override { return joy == 0 && param == glfw2::GLFW_PRESENT; }
	int JoystickPos(int, float* pos, int numaxes) override { return glfw2::glfw2RawAxes(axes, 2, pos, numaxes); }
	int JoystickButtons(int, unsigned char* out, int numbuttons) override {
		return glfw2::glfw2RawButtons(buttons, count, &hat, hats, out, numbuttons);
	}
};

class Glfw2RawJoystick : public ::testing::Test {
protected:
	RawJoystick joystick;
	void SetUp() override { glfw2::glfw2SetPlatform(&joystick); }
	void TearDown() override { glfw2::glfw2SetPlatform(nullptr); }
};

// The hat directions in the order of pad buttons 8-11.
const unsigned char kHatWays[4] = {GLFW_HAT_LEFT, GLFW_HAT_UP, GLFW_HAT_RIGHT, GLFW_HAT_DOWN};

}  // namespace

TEST(Glfw2Keys, Glfw3KeysReachTheProgramCodes) {
	EXPECT_EQ(programKey(GLFW_KEY_A), 65);
	EXPECT_EQ(programKey(GLFW_KEY_7), 55);
	EXPECT_EQ(programKey(GLFW_KEY_APOSTROPHE), 222);
	EXPECT_EQ(programKey(GLFW_KEY_GRAVE_ACCENT), 192);
	EXPECT_EQ(programKey(GLFW_KEY_ESCAPE), 27);
	EXPECT_EQ(programKey(GLFW_KEY_ENTER), 13);
	EXPECT_EQ(programKey(GLFW_KEY_LEFT), 37);
	EXPECT_EQ(programKey(GLFW_KEY_UP), 38);
	EXPECT_EQ(programKey(GLFW_KEY_RIGHT), 39);
	EXPECT_EQ(programKey(GLFW_KEY_DOWN), 40);
	EXPECT_EQ(programKey(GLFW_KEY_DELETE), 46);
	EXPECT_EQ(programKey(GLFW_KEY_PAGE_UP), 33);
	EXPECT_EQ(programKey(GLFW_KEY_F1), 112);
	EXPECT_EQ(programKey(GLFW_KEY_F4), 115);
	EXPECT_EQ(programKey(GLFW_KEY_F12), 123);
	EXPECT_EQ(programKey(GLFW_KEY_KP_5), 101);
	EXPECT_EQ(programKey(GLFW_KEY_KP_DECIMAL), 110);
	EXPECT_EQ(programKey(GLFW_KEY_RIGHT_SHIFT), 16);
	EXPECT_EQ(programKey(GLFW_KEY_LEFT_CONTROL), 17);
}

TEST(Glfw2Keys, KeysWithoutACodeStaySilent) {
	EXPECT_EQ(programKey(GLFW_KEY_LEFT_ALT), 0);
	EXPECT_EQ(programKey(GLFW_KEY_RIGHT_ALT), 0);
	EXPECT_EQ(programKey(GLFW_KEY_KP_ENTER), 0);
	EXPECT_EQ(programKey(GLFW_KEY_PRINT_SCREEN), 0);
	EXPECT_EQ(programKey(GLFW_KEY_WORLD_1), 0);
	EXPECT_EQ(programKey(GLFW_KEY_UNKNOWN), 0);
	EXPECT_EQ(glfw2::glfw2KeyFromGlfw3(GLFW_KEY_PRINT_SCREEN), kUnknown2);
	EXPECT_EQ(glfw2::glfw2KeyFromGlfw3(GLFW_KEY_LEFT_ALT), glfw2::GLFW_KEY_LALT);
	EXPECT_EQ(glfw2::glfw2KeyFromGlfw3(GLFW_KEY_MENU), kLast2);
}

TEST(Glfw2Gamepad, FaceButtonsKeepTheClassicNumbers) {
	Gamepad pad;
	pad.buttons[GLFW_GAMEPAD_BUTTON_Y] = GLFW_PRESS;
	pad.buttons[GLFW_GAMEPAD_BUTTON_START] = GLFW_PRESS;
	pad.buttons[GLFW_GAMEPAD_BUTTON_GUIDE] = GLFW_PRESS;
	pad.Convert();
	for (int b = 0; b < glfw2::GLFW2_PAD_BUTTONS; ++b) {
		EXPECT_EQ(pad.classicButtons[b], b == 3 || b == 7 ? kPress2 : kRelease2) << b;
	}
}

TEST(Glfw2Gamepad, SticksArePositiveUpAndTriggersStartAtZero) {
	Gamepad pad;
	pad.axes[GLFW_GAMEPAD_AXIS_LEFT_X] = -0.5f;
	pad.axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = -1.0f;
	pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_Y] = 0.75f;
	pad.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = 1.0f;
	pad.Convert();
	EXPECT_FLOAT_EQ(pad.classicAxes[0], -0.5f);
	EXPECT_FLOAT_EQ(pad.classicAxes[1], 1.0f);
	EXPECT_FLOAT_EQ(pad.classicAxes[2], 0.0f);
	EXPECT_FLOAT_EQ(pad.classicAxes[4], -0.75f);
	EXPECT_FLOAT_EQ(pad.classicAxes[5], 1.0f);
}

// Through the host's remap the d-pad lands on buttons 8-11 as left, up,
// right, down, and the stick clicks after them.
TEST(Glfw2Gamepad, DpadReadsAsButtonsEightToElevenThroughTheHost) {
	OnePad platform;
	glfw2::glfw2SetPlatform(&platform);
	KxGlfwGame host;
	Array<float> x(2), y(2), z(2);
	Array<bool> buttons(32);
	const int dpad[4] = {GLFW_GAMEPAD_BUTTON_DPAD_LEFT, GLFW_GAMEPAD_BUTTON_DPAD_UP,
	                     GLFW_GAMEPAD_BUTTON_DPAD_RIGHT, GLFW_GAMEPAD_BUTTON_DPAD_DOWN};
	for (int i = 0; i < 4; ++i) {
		platform.pad = Gamepad();
		platform.pad.buttons[dpad[i]] = GLFW_PRESS;
		ASSERT_TRUE(host.PollJoystick(0, x, y, z, buttons));
		for (int b = 8; b < 12; ++b) EXPECT_EQ(buttons[b], b == 8 + i) << "d-pad " << i << " button " << b;
	}
	platform.pad = Gamepad();
	platform.pad.buttons[GLFW_GAMEPAD_BUTTON_RIGHT_THUMB] = GLFW_PRESS;
	platform.pad.axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = -0.9f;
	ASSERT_TRUE(host.PollJoystick(0, x, y, z, buttons));
	EXPECT_TRUE(buttons[13]);
	EXPECT_FALSE(buttons[12]);
	EXPECT_FLOAT_EQ(y[0], 0.9f);
	glfw2::glfw2SetPlatform(nullptr);
}

// Whatever the joystick's own button count, its hat reads as buttons 8-11
// (left, up, right, down) through the host, its buttons keep their places
// around it and its stick is positive upwards.
TEST_F(Glfw2RawJoystick, HatReadsAsButtonsEightToElevenThroughTheHost) {
	KxGlfwGame host;
	Array<float> x(2), y(2), z(2);
	Array<bool> buttons(JOY_BUTTONS);
	for (int count : {6, 12, 30}) {
		joystick = RawJoystick();
		joystick.count = count;
		for (int i = 0; i < 4; ++i) {
			joystick.hat = kHatWays[i];
			ASSERT_TRUE(host.PollJoystick(0, x, y, z, buttons));
			for (int b = 0; b < JOY_BUTTONS; ++b) {
				EXPECT_EQ(buttons[b], b == 8 + i) << count << " buttons, hat " << i << ", button " << b;
			}
		}
		// The last button that fits beside the hat; those after it are dropped.
		int last = (count < JOY_BUTTONS - 4 ? count : JOY_BUTTONS - 4) - 1;
		joystick.hat = GLFW_HAT_CENTERED;
		joystick.buttons[last] = GLFW_PRESS;
		joystick.axes[1] = -0.75f;
		ASSERT_TRUE(host.PollJoystick(0, x, y, z, buttons));
		EXPECT_TRUE(buttons[last < 8 ? last : last + 4]) << count << " buttons";
		EXPECT_FLOAT_EQ(y[0], 0.75f);
	}
	// Without a hat the buttons are read as they are, and the later ones keep their values.
	joystick = RawJoystick();
	joystick.hats = 0;
	joystick.hat = GLFW_HAT_UP;
	joystick.buttons[5] = GLFW_PRESS;
	buttons[9] = true;
	ASSERT_TRUE(host.PollJoystick(0, x, y, z, buttons));
	for (int b = 0; b < 8; ++b) EXPECT_EQ(buttons[b], b == 5) << b;
	EXPECT_TRUE(buttons[9]);
}

// With 6 and with 12 buttons of its own, a raw joystick's hat and stick move
// the menu's selection and steer in play.
TEST_F(Glfw2RawJoystick, HatAndStickSteerTheMenuAndPlay) {
	for (int count : {6, 12}) {
		SCOPED_TRACE(testing::Message() << count << " buttons");
		joystick = RawJoystick();
		joystick.count = count;
		GameHost host;
		host.glfwJoysticks = true;
		c_MyApp* app = host.Launch();
		host.Update(30);
		ASSERT_EQ(app->m_gameState, STATE_MENU);
		ASSERT_EQ(app->m_menuSel, 1);
		// Right, down, left, up; then the stick down and up (GLFW 3 reports down as positive).
		const unsigned char ways[4] = {GLFW_HAT_RIGHT, GLFW_HAT_DOWN, GLFW_HAT_LEFT, GLFW_HAT_UP};
		const float sticks[2] = {0.9f, -0.9f};
		const int selected[6] = {2, 3, 2, 1, 2, 1};
		for (int i = 0; i < 6; ++i) {
			if (i < 4) joystick.hat = ways[i];
			else joystick.axes[1] = sticks[i - 4];
			host.Update(1);
			EXPECT_EQ(app->m_menuSel, selected[i]) << "move " << i;
			joystick.hat = GLFW_HAT_CENTERED;
			joystick.axes[1] = 0;
			host.Update(1);
		}
		joystick.buttons[0] = GLFW_PRESS;
		host.Update(1);
		joystick.buttons[0] = GLFW_RELEASE;
		host.Update(2);
		ASSERT_EQ(app->m_gameState, STATE_PLAYING);
		// Held for three updates, each way drives its value; the paddle follows up and down.
		float* steered[4] = {&app->m_analogueX, &app->m_analogueY, &app->m_analogueX, &app->m_analogueY};
		const float sign[4] = {-1, -1, 1, 1};
		for (int i = 0; i < 4; ++i) {
			float paddle = app->m_players[player::paddleY];
			joystick.hat = kHatWays[i];
			host.Update(3);
			EXPECT_NEAR(*steered[i], 0.45f * sign[i], 1e-5) << "hat " << i;
			if (steered[i] == &app->m_analogueY) {
				EXPECT_EQ(app->m_players[player::paddleY] < paddle, sign[i] < 0) << "hat " << i;
			}
			joystick.hat = GLFW_HAT_CENTERED;
			host.Update(10);
		}
		joystick.axes[1] = -0.9f;
		host.Update(1);
		EXPECT_FLOAT_EQ(app->m_analogueY, -0.9f) << "the stick pushed up moves the paddle up";
	}
}
