// The game in a real window: the loading screen read back from the frame
// buffer, the logo jingle in OpenAL Soft's wave output, and the update rate
// after loading, until F4 ends the program with status 0.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/my_app.h"
#include "host/app.h"
#include "host/glfw2.h"
#include "input/key_codes.h"
#include "runtime/gc.h"
#include "support/game_harness.h"

namespace {

const int WIDTH = 640;
const int HEIGHT = 480;
// The loading screen is captured at the first render from this loader step on.
const int CAPTURE_STEP = 3;
// Updates are counted over this many seconds once loading has finished.
const double MEASURE_SECONDS = 2.0;

// The real GLFW host, watching the game's updates and renders.
class WatchedHost : public KxGlfwGame {
public:
	void UpdateGame() override {
		KxGlfwGame::UpdateGame();
		c_MyApp* app = static_cast<c_MyApp*>(kx_app__app);
		if (app->m_loadStep != 0 || finished) return;
		if (start == 0) start = glfw2::glfwGetTime();
		++updates;
		if (glfw2::glfwGetTime() - start >= MEASURE_SECONDS) {
			finished = true;
			std::printf("updates per second %d\n", static_cast<int>(updates / MEASURE_SECONDS + 0.5));
			std::fflush(stdout);
			KeyEvent(1, KEY_F4);
		}
	}
	void RenderGame() override {
		KxGlfwGame::RenderGame();
		if (!focused) {
			focused = true;
			if (std::system("xdotool search --name '^Zimbolo$' windowfocus >/dev/null 2>&1") != 0) std::abort();
		}
		c_MyApp* app = static_cast<c_MyApp*>(kx_app__app);
		if (!captured && app->m_loadStep >= CAPTURE_STEP) {
			captured = true;
			std::vector<unsigned char> pixels(WIDTH * HEIGHT * 3);
			glPixelStorei(GL_PACK_ALIGNMENT, 1);
			glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
			std::ofstream("loading.rgb", std::ios::binary).write(reinterpret_cast<char*>(pixels.data()), pixels.size());
		}
	}
	double start = 0;
	int updates = 0;
	bool finished = false;
	bool focused = false;
	bool captured = false;
};

// Runs the whole program as its start-up does, with the watched host.
void RunProgram() {
	if (!glfw2::glfwInit()) std::exit(2);
	WatchedHost* host = new WatchedHost();
	KxGame::_game = host;
	KxGlfwGame::_glfwGame = host;
	gc_init1();
	kxInit();
	gc_mark();
	kxMain();
	host->Run();
}

// The pixel at virtual (x, y) of the captured screen, top-left origin.
struct Rgb {
	int r, g, b;
};
Rgb PixelAt(const std::vector<unsigned char>& pixels, int x, int y) {
	const unsigned char* p = &pixels[3 * ((HEIGHT - 1 - y) * WIDTH + x)];
	return {p[0], p[1], p[2]};
}

// The program itself runs in a fresh process: this binary again, running
// only this case, so no window or GL state of other cases is inherited.
TEST(GameWindowProgram, Run) {
	if (!std::getenv("ZIMBOLO_GAME_WINDOW_CHILD")) GTEST_SKIP() << "runs only as the child of GameWindowTest";
	RecordProperty("ends_process", "F4 ends the game with status 0");
	RunProgram();
}

// Runs a case in a scratch working directory and returns to the previous one.
class GameWindowTest : public ::testing::Test {
protected:
	void SetUp() override { ASSERT_NE(getcwd(previous, sizeof previous), nullptr); }
	void TearDown() override { ASSERT_EQ(chdir(previous), 0); }
	char previous[4096];
};

TEST_F(GameWindowTest, LoadsWithTheLoadingScreenAndJingleThenRunsAtSixty) {
	std::string dir = EnterScratchDir();
	WriteFile("alsoft.conf", "[general]\ndrivers = wave\n[wave]\nfile = " + dir + "/out.wav\n");
	std::string command = "ZIMBOLO_GAME_WINDOW_CHILD=1 ALSOFT_CONF=" + dir + "/alsoft.conf ALSOFT_DRIVERS= " +
	                      "timeout 60 /proc/" + std::to_string(getpid()) + "/exe --gtest_filter=GameWindowProgram.Run" +
	                      " > out.txt 2>&1";
	int status = std::system(command.c_str());
	std::ifstream log("out.txt");
	std::string out((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
	ASSERT_TRUE(WIFEXITED(status)) << out;
	EXPECT_EQ(WEXITSTATUS(status), 0) << out;

	std::ifstream shot("loading.rgb", std::ios::binary);
	std::vector<unsigned char> pixels((std::istreambuf_iterator<char>(shot)), std::istreambuf_iterator<char>());
	ASSERT_EQ(pixels.size(), static_cast<size_t>(WIDTH * HEIGHT * 3));
	Rgb corner = PixelAt(pixels, 5, 5);
	EXPECT_NEAR(corner.r, 40, 2);
	EXPECT_NEAR(corner.g, 40, 2);
	EXPECT_NEAR(corner.b, 80, 2);
	Rgb disc = PixelAt(pixels, 320, 374);
	EXPECT_GT(disc.r, 180) << "yellow disc below the logo";
	EXPECT_GT(disc.g, 180);
	EXPECT_LT(disc.b, 60);
	Rgb band = PixelAt(pixels, 10, 240);
	EXPECT_NEAR(band.r, 187, 4);
	EXPECT_NEAR(band.g, 124, 4);
	Rgb logo = PixelAt(pixels, 320, 200);
	EXPECT_FALSE(std::abs(logo.r - band.r) < 8 && std::abs(logo.g - band.g) < 8) << "the logo covers the band";

	std::ifstream wave("out.wav", std::ios::binary);
	std::vector<unsigned char> audio((std::istreambuf_iterator<char>(wave)), std::istreambuf_iterator<char>());
	ASSERT_GT(audio.size(), 44u);
	int loud = 0;
	for (size_t i = 44; i + 1 < audio.size(); i += 2) {
		int sample = static_cast<short>(audio[i] | (audio[i + 1] << 8));
		if (std::abs(sample) > 1000) ++loud;
	}
	EXPECT_GT(loud, 1000) << "the jingle is heard";

	int rate = 0;
	size_t at = out.find("updates per second");
	ASSERT_NE(at, std::string::npos) << out;
	ASSERT_EQ(std::sscanf(out.c_str() + at, "updates per second %d", &rate), 1) << out;
	EXPECT_GE(rate, 57);
	EXPECT_LE(rate, 61);
}

}  // namespace
