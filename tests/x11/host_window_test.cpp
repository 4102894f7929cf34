// The GLFW host on a real window: size, title, keys, characters, the mouse,
// close requests and re-creation.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "host/glfw2.h"
#include "host/kx_game.h"
#include "x11/x_client.h"

#include "support/event_log.h"

using namespace glfw2;

namespace {

class HostWindow : public ::testing::Test {
protected:
	KxGlfwGame* host = new KxGlfwGame;
	EventLog* log = new EventLog;
	std::string id;

	// NOTE: GLFW stays initialised afterwards: other window tests in this
	// program share the library and expect it to be running.
	static void SetUpTestSuite() { ASSERT_TRUE(glfwInit()); }

	void SetUp() override {
		KxGame::_game = host;
		KxGlfwGame::_glfwGame = host;
		host->SetDelegate(log);
		host->SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
		host->StartGame();
		Pump(0.2);
		id = findWindow("Zimbolo");
		ASSERT_FALSE(id.empty());
	}
	void TearDown() override { glfwCloseWindow(); }

	// Processes window events for a while.
	void Pump(double seconds) {
		double end = glfwGetTime() + seconds;
		while (glfwGetTime() < end) {
			glfwPollEvents();
			glfwSleep(0.01);
		}
	}
	// Gives the window the keyboard (there is no window manager to do it).
	void Focus() {
		runCommand("timeout 5 xdotool windowfocus --sync " + id);
		Pump(0.2);
	}
	// Sends keys through the XTEST extension, then collects their events.
	void Keys(const std::string& keys) {
		Focus();
		log->keys.clear();
		runCommand("xdotool key --delay 30 " + keys);
		Pump(0.5);
	}
};

}  // namespace

TEST_F(HostWindow, OpensCentredAtSixForty) {
	EXPECT_EQ(host->GetDeviceWidth(), 640);
	EXPECT_EQ(host->GetDeviceHeight(), 480);
	EXPECT_EQ(runCommand("xdotool getwindowname " + id), "Zimbolo");
	std::string geometry = runCommand("xdotool getwindowgeometry " + id);
	EXPECT_NE(geometry.find("Geometry: 640x480"), std::string::npos) << geometry;
	// The desktop of the test display is 1280 x 1024.
	EXPECT_NE(geometry.find("Position: 320,272"), std::string::npos) << geometry;
	EXPECT_TRUE(glfwGetWindowParam(GLFW_OPENED));
}

TEST_F(HostWindow, LettersArriveAsKeysAndCharacters) {
	Keys("a z 5");
	EXPECT_EQ(log->keys, (std::vector<KeyRecord>{{1, 65}, {3, 97}, {2, 65}, {1, 90}, {3, 122}, {2, 90},
	                                             {1, 53}, {3, 53}, {2, 53}}));
}

TEST_F(HostWindow, NavigationKeysTypeTheirPrivateCharacters) {
	Keys("Left Delete Return");
	EXPECT_EQ(log->keys, (std::vector<KeyRecord>{{1, 37}, {3, 65573}, {2, 37}, {1, 46}, {3, 127}, {2, 46},
	                                             {1, 13}, {3, 13}, {2, 13}}));
}

TEST_F(HostWindow, BothQuotesAreKeyTwoTwentyTwo) {
	Keys("apostrophe shift+apostrophe");
	// xdotool lets go of shift first.
	EXPECT_EQ(log->keys, (std::vector<KeyRecord>{{1, 222}, {3, 39}, {2, 222}, {1, 16}, {1, 222}, {3, 34},
	                                             {2, 16}, {2, 222}}));
}

TEST_F(HostWindow, AltAndFunctionKeysBeyondTwelve) {
	Keys("Alt_L F13 F1");
	EXPECT_EQ(log->keys, (std::vector<KeyRecord>{{1, 112}, {2, 112}}));
}

TEST_F(HostWindow, HeldKeyRepeatsPressesAndCharacters) {
	Focus();
	log->keys.clear();
	runCommand("xdotool keydown b; sleep 1; xdotool keyup b");
	Pump(0.3);
	int presses = 0, chars = 0;
	for (const KeyRecord& record : log->keys) {
		if (record == KeyRecord(1, 66)) ++presses;
		if (record == KeyRecord(3, 98)) ++chars;
	}
	EXPECT_GT(presses, 1);
	EXPECT_EQ(chars, presses);
	EXPECT_EQ(log->keys.back(), KeyRecord(2, 66));
}

TEST_F(HostWindow, MouseButtonsAndPointer) {
	Focus();
	runCommand("xdotool mousemove --window " + id + " 100 120 sleep 0.1 click 1 sleep 0.1 click 3");
	Pump(0.4);
	ASSERT_GE(log->mouse.size(), 5u);
	auto last = log->mouse.size() - 1;
	EXPECT_EQ(log->mouse[last - 3], std::make_tuple(4, 0, 100.0f, 120.0f));
	EXPECT_EQ(log->mouse[last - 2], std::make_tuple(5, 0, 100.0f, 120.0f));
	EXPECT_EQ(log->mouse[last - 1], std::make_tuple(4, 1, 100.0f, 120.0f));
	EXPECT_EQ(log->mouse[last], std::make_tuple(5, 1, 100.0f, 120.0f));
	EXPECT_EQ(log->mouse[last - 4], std::make_tuple(6, -1, 100.0f, 120.0f));
}

TEST_F(HostWindow, CloseRequestSendsTheCloseKeyAndKeepsTheWindow) {
	log->keys.clear();
	requestClose(id);
	Pump(0.3);
	EXPECT_EQ(log->keys, (std::vector<KeyRecord>{{1, 432}, {2, 432}}));
	EXPECT_TRUE(glfwGetWindowParam(GLFW_OPENED));
	EXPECT_EQ(findWindow("Zimbolo"), id);
}

TEST_F(HostWindow, RecreationReleasesHeldKeysAndCountsAContext) {
	Focus();
	runCommand("xdotool keydown x");
	Pump(0.2);
	log->keys.clear();
	int seq = glfwGraphicsSeq;
	host->SetGlfwWindow(800, 600, 8, 8, 8, 0, 0, 0, false);
	runCommand("xdotool keyup x");
	EXPECT_EQ(glfwGraphicsSeq, seq + 1);
	ASSERT_FALSE(log->keys.empty());
	EXPECT_EQ(log->keys.front(), KeyRecord(2, 88));
	Pump(0.2);
	EXPECT_EQ(host->GetDeviceWidth(), 800);
	EXPECT_EQ(host->GetDeviceHeight(), 600);
}

// The GLFW 3 platform, noting every swap interval that reaches it.
class SwapIntervalLog : public Glfw2Platform {
public:
	std::vector<int> intervals;
	void SwapInterval(int interval) override {
		intervals.push_back(interval);
		Glfw2Platform::SwapInterval(interval);
	}
};

TEST_F(HostWindow, SwapIntervalIsKeptForLaterWindows) {
	SwapIntervalLog log;
	glfw2SetPlatform(&log);
	host->SetSwapInterval(-1);
	host->SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
	EXPECT_EQ(log.intervals, std::vector<int>()) << "-1 leaves the driver's own, now and for a new window";
	host->SetSwapInterval(2);
	host->SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
	EXPECT_EQ(log.intervals, (std::vector<int>{2, 2})) << "at once, and again for the new window";
	host->SetSwapInterval(-1);
	host->SetGlfwWindow(640, 480, 8, 8, 8, 0, 0, 0, false);
	EXPECT_EQ(log.intervals, (std::vector<int>{2, 2}));
	glfw2SetPlatform(nullptr);
	Pump(0.1);
	EXPECT_TRUE(glfwGetWindowParam(GLFW_OPENED));
}

TEST_F(HostWindow, DesktopAndVideoModes) {
	KxDisplayMode* desktop = host->GetDesktopMode();
	EXPECT_EQ(desktop->width, 1280);
	EXPECT_EQ(desktop->height, 1024);
	Array<KxDisplayMode*> modes = host->GetDisplayModes();
	ASSERT_GE(modes.Length(), 1);
	Array<KxGlfwVideoMode*> glfwModes = host->GetGlfwVideoModes();
	ASSERT_EQ(glfwModes.Length(), modes.Length());
	EXPECT_EQ(glfwModes[0]->Width, modes[0]->width);
	EXPECT_EQ(host->GetGlfwDesktopMode()->RedBits, 8);
}
