// Play on a real window: a game started, a ball launched with Space, and the
// rendered frame read back: background, walls, ball and score.
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

#include "graphics/graphics_api.h"
#include "graphics/gxtk_graphics.h"
#include "support/gl_context.h"
#include "support/play_harness.h"

namespace {

const int WIDTH = 640;
const int HEIGHT = 480;

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

// A fresh working directory that sees the build's data directory.
void EnterScratchDirectory() {
	const char* build = std::getenv("ZIMBOLO_BUILD_DIR");
	ASSERT_NE(build, nullptr);
	char dir[] = "/tmp/zimbolo_play_XXXXXX";
	ASSERT_NE(mkdtemp(dir), nullptr);
	ASSERT_EQ(chdir(dir), 0);
	ASSERT_EQ(symlink((std::string(build) + "/data").c_str(), "data"), 0);
}

TEST(PlayScreen, LaunchedBallOnTheGreenFieldBetweenBlackWallsWithTheScore) {
	EnterScratchDirectory();
	GlWindow window(WIDTH, HEIGHT);
	PlayHarness h;
	h.host.SetWindowSize(WIDTH, HEIGHT);
	h.Begin(2);
	ASSERT_NE(h.app->m_images[IMG_SPRITES], nullptr) << "the sprite sheet loads from data/";
	h.host.KeyDown(KEY_SPACE);
	h.Update(10);
	h.host.KeyUp(KEY_SPACE);
	ASSERT_EQ(h.CountKind(KIND_BALL), 1);
	h.host.RunRenders(1);
	SaveScreenshot(std::string(std::getenv("ZIMBOLO_BUILD_DIR")) + "/play_screenshot.png");

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

}  // namespace
