// Play on a real window: a game started, a ball launched with Space, and the
// rendered frame read back: background, walls, ball and score. Then a game
// played by an autopilot until hazards fill the field, kept as a screenshot.
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cstdio>
#include <string>

#include "graphics/graphics_api.h"
#include "graphics/gxtk_graphics.h"
#include "support/gl_context.h"
#include "support/play_harness.h"

namespace {

const int WIDTH = 640;
const int HEIGHT = 480;
// The autopilot steers when the ball is this far off the paddle's middle.
const float STEER_DEADBAND = 6;
// Updates the autopilot may play (ten minutes of play), and the waves and
// hazards inside the walls that count as a game in full swing.
const int AUTOPILOT_UPDATES = 36000;
const int FULL_SWING_WAVES = 5;
const int FULL_SWING_HAZARDS = 12;
// World x of the right wall's inner side.
const float FIELD_RIGHT = 960;

// The pixel at (x, y), origin top-left, as 0xRRGGBB.
unsigned RgbAt(int x, int y) {
	Array<int> out(1);
	kx_graphics_device->ReadPixels(out, x, y, 1, 1, 0, 1);
	return static_cast<unsigned>(out[0]) & 0xffffff;
}

// Channels of a pixel.
int Red(unsigned rgb) { return (rgb >> 16) & 255; }
int Green(unsigned rgb) { return (rgb >> 8) & 255; }
int Blue(unsigned rgb) { return rgb & 255; }

// Writes the window's picture as a PNG for people to look at.
void SaveScreenshot(const std::string& path) {
	Array<int> pixels(WIDTH * HEIGHT);
	kx_graphics_device->ReadPixels(pixels, 0, 0, WIDTH, HEIGHT, 0, WIDTH);
	std::string rgb(WIDTH * HEIGHT * 3, '\0');
	for (int i = 0; i < WIDTH * HEIGHT; ++i) {
		unsigned p = static_cast<unsigned>(pixels[i]);
		rgb[3 * i] = static_cast<char>(Red(p));
		rgb[3 * i + 1] = static_cast<char>(Green(p));
		rgb[3 * i + 2] = static_cast<char>(Blue(p));
	}
	stbi_write_png(path.c_str(), WIDTH, HEIGHT, 3, rgb.data(), WIDTH * 3);
}

TEST(PlayScreen, LaunchedBallOnTheGreenFieldBetweenBlackWallsWithTheScore) {
	GlWindow window(WIDTH, HEIGHT);
	PlayHarness h;
	h.host.SetWindowSize(WIDTH, HEIGHT);
	h.Begin(2);
	ASSERT_NE(h.app->m_images[IMG_SPRITES], nullptr) << "the sprite sheet loads from data/";
	h.host.KeyDown(KEY_SPACE);
	h.Update(10);
	h.host.KeyUp(KEY_SPACE);
	ASSERT_EQ(h.CountKind(KIND_BALL), 1);
	h.host.RenderGame();
	SaveScreenshot(std::string(ZIMBOLO_BUILD_DIR) + "/play_screenshot.png");

	// 640 x 480: a cell is 20 pixels, world units 0.625, the field starts at (10, 70).
	EXPECT_EQ(RgbAt(400, 300), 0x3c783cu) << "background (60, 120, 60)";
	EXPECT_EQ(RgbAt(100, 64), 0x000000u) << "top wall";
	EXPECT_EQ(RgbAt(100, 415), 0x000000u) << "bottom wall";
	EXPECT_EQ(RgbAt(630, 240), 0x000000u) << "right wall";
	EXPECT_EQ(RgbAt(2, 240), 0x3c783cu) << "no left wall";

	const float* ball = h.Obj(obj::last);
	int bx = static_cast<int>(10 + ball[obj::x] * 0.625f);
	int by = static_cast<int>(70 + ball[obj::y] * 0.625f);
	unsigned centre = RgbAt(bx, by);
	EXPECT_GT(Red(centre) + Green(centre) + Blue(centre), 600) << "a white ball at " << bx << "," << by;

	int scorePixels = 0;
	for (int y = 60; y < 82; ++y) {
		for (int x = 250; x < 390; ++x) {
			unsigned p = RgbAt(x, y);
			scorePixels += Green(p) > 200 && Red(p) > 180;
		}
	}
	EXPECT_GT(scorePixels, 100) << "the score's digits on the top wall";
}

// The ball nearest the paddle's side of the field, or nullptr.
const float* NearestBall(PlayHarness& h) {
	const float* nearest = nullptr;
	for (int s = 0; s <= obj::last; ++s) {
		const float* r = h.Obj(s);
		if (r[obj::kind] == KIND_BALL && (!nearest || r[obj::x] < nearest[obj::x])) nearest = r;
	}
	return nearest;
}

// Hazards inside the walls: objects of every kind but the ball.
int Hazards(PlayHarness& h) {
	int count = 0;
	for (int s = 0; s <= obj::last; ++s) {
		const float* r = h.Obj(s);
		count += r[obj::kind] > KIND_BALL && r[obj::x] >= 0 && r[obj::x] < FIELD_RIGHT;
	}
	return count;
}

// One update of the autopilot: the paddle follows the nearest ball with the
// arrow keys, and Space is tapped to launch whenever the meter is full.
void AutopilotUpdate(PlayHarness& h, int frame) {
	const float* ball = NearestBall(h);
	float offset = ball ? ball[obj::y] - h.Player(player::paddleY) : 0;
	bool up = offset < -STEER_DEADBAND;
	bool down = offset > STEER_DEADBAND;
	up ? h.host.KeyDown(KEY_UP) : h.host.KeyUp(KEY_UP);
	down ? h.host.KeyDown(KEY_DOWN) : h.host.KeyUp(KEY_DOWN);
	frame % 2 == 0 ? h.host.KeyDown(KEY_SPACE) : h.host.KeyUp(KEY_SPACE);
	h.Update();
}

TEST(PlayScreen, AutopilotReturnsBallsUntilWavesFillTheField) {
	GlWindow window(WIDTH, HEIGHT);
	PlayHarness h;
	h.host.SetWindowSize(WIDTH, HEIGHT);
	h.Begin(2);
	int frame = 0;
	while (frame < AUTOPILOT_UPDATES && h.app->m_gameOver == 0 &&
	       (h.Player(player::wave) < FULL_SWING_WAVES || Hazards(h) < FULL_SWING_HAZARDS ||
	        h.CountKind(KIND_BALL) == 0)) {
		AutopilotUpdate(h, frame++);
	}
	ASSERT_EQ(h.app->m_gameOver, 0) << "the autopilot lost after " << frame << " updates";
	EXPECT_GE(h.Player(player::wave), FULL_SWING_WAVES) << "returning balls brings waves";
	EXPECT_GT(h.app->m_score, 0);
	h.host.RenderGame();
	SaveScreenshot(std::string(ZIMBOLO_BUILD_DIR) + "/play_full_swing.png");
	std::printf("full swing after %d updates: score %d, %d hazards, wave %d\n", frame, h.app->m_score, Hazards(h),
	            static_cast<int>(h.Player(player::wave)));
}

}  // namespace
