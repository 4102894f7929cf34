// Frame loop of the GLFW host under a scripted clock and window.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "host/app.h"
#include "host/framework_init.h"
#include "host/glfw2.h"

namespace {

// Time, events and the window's state as a test script decides them.
class ScriptedPlatform : public glfw2::Glfw2Platform {
public:
	double now = 100.0;
	int passes = 0;
	int maxPasses = 10;
	int sleeps = 0;
	int waits = 0;
	// Pass numbers (1-based) during which the window is not active.
	std::function<bool(int)> inactive = [](int) { return false; };

	double Time() override { return now; }
	void Sleep(double seconds) override {
		++sleeps;
		now += seconds;
	}
	void PollEvents() override {}
	void WaitEvents() override { ++waits; }
	void SwapBuffers() override {}
	bool WindowOpened() override { return ++passes <= maxPasses; }
	bool WindowActive() override { return !inactive(passes); }
	int JoystickParam(int, int) override { return 0; }
};

ScriptedPlatform* platform;

// Records what the loop asks of the application, per pass.
class LoopApp : public c_App {
public:
	double renderCost = 0.0;
	std::vector<int> updatesInPass;
	std::vector<int> sleepsBeforeUpdate;
	int renders = 0;
	int suspends = 0;
	int resumes = 0;
	std::function<void(int pass, int update)> onUpdate = [](int, int) {};

	int p_OnCreate() override {
		kx_app_SetUpdateRate(60);
		return 0;
	}
	int p_OnUpdate() override {
		int pass = platform->passes;
		if (static_cast<int>(updatesInPass.size()) < pass) updatesInPass.resize(pass, 0);
		int update = ++updatesInPass[pass - 1];
		onUpdate(pass, update);
		return 0;
	}
	int p_OnRender() override {
		++renders;
		platform->now += renderCost;
		return 0;
	}
	int p_OnSuspend() override {
		++suspends;
		return 0;
	}
	int p_OnResume() override {
		++resumes;
		return 0;
	}
};

// A GLFW host whose window is the scripted one.
class LoopHost : public KxGlfwGame {
public:
	void SetGlfwWindow(int, int, int, int, int, int, int, int, bool) override {}
};

class FrameLoop : public ::testing::Test {
protected:
	ScriptedPlatform scripted;
	LoopHost host;
	LoopApp* app = nullptr;

	void SetUp() override {
		platform = &scripted;
		glfw2::glfw2SetPlatform(&scripted);
		KxGame::_game = &host;
		KxGlfwGame::_glfwGame = &host;
		gc_init1();
		kx_framework_InitGlobals();
		gc_mark_roots = kx_framework_MarkRoots;
		app = new LoopApp;
		app->m_new();
	}
	void TearDown() override { glfw2::glfw2SetPlatform(nullptr); }

	// Updates in each pass, with passes that ran none as 0.
	std::vector<int> UpdatesPerPass() {
		std::vector<int> counts = app->updatesInPass;
		counts.resize(scripted.maxPasses, 0);
		return counts;
	}
};

}  // namespace

TEST_F(FrameLoop, SlowRenderAlternatesFourUpdatesAndOne) {
	app->renderCost = 0.1;
	scripted.maxPasses = 7;
	host.Run();
	// The first pass starts the schedule; then a backlog of four is dropped
	// and the next pass resynchronises with a single update.
	EXPECT_EQ(UpdatesPerPass(), (std::vector<int>{1, 4, 1, 4, 1, 4, 1}));
	EXPECT_EQ(app->renders, 7);
}

TEST_F(FrameLoop, FastRenderSleepsUntilDueAndRunsOneUpdate) {
	scripted.maxPasses = 5;
	double start = scripted.now;
	host.Run();
	EXPECT_EQ(UpdatesPerPass(), (std::vector<int>(5, 1)));
	// The first pass has no schedule yet; every later one sleeps.
	EXPECT_EQ(scripted.sleeps, 4);
	EXPECT_NEAR(scripted.now - start, 4.0 / 60.0, 1e-9);
}

TEST_F(FrameLoop, RateZeroRunsOneUpdatePerFrameWithoutSleeping) {
	app->renderCost = 0.1;
	scripted.maxPasses = 6;
	app->onUpdate = [](int pass, int) {
		if (pass == 1) kx_app_SetUpdateRate(0);
	};
	host.Run();
	EXPECT_EQ(UpdatesPerPass(), (std::vector<int>(6, 1)));
	EXPECT_EQ(scripted.sleeps, 0);
}

TEST_F(FrameLoop, RateChangeInsideAnUpdateEndsTheCatchUp) {
	app->renderCost = 0.1;
	scripted.maxPasses = 4;
	app->onUpdate = [](int pass, int update) {
		if (pass == 2 && update == 2) kx_app_SetUpdateRate(25);
	};
	host.Run();
	// Pass 2 stops after the change; pass 3 resynchronises at once; pass 4
	// catches up 100 ms at the new period of 40 ms (at 60 per second it
	// would be 4).
	EXPECT_EQ(UpdatesPerPass(), (std::vector<int>{1, 2, 1, 2}));
}

TEST_F(FrameLoop, SuspendAndResumeCallTheApplicationOnceEach) {
	scripted.maxPasses = 8;
	scripted.inactive = [](int pass) { return pass >= 3 && pass <= 5; };
	int sleepsAtResume = -1;
	app->onUpdate = [&](int pass, int update) {
		if (pass == 6 && update == 1) sleepsAtResume = scripted.sleeps;
	};
	host.Run();
	EXPECT_EQ(app->suspends, 1);
	EXPECT_EQ(app->resumes, 1);
	EXPECT_EQ(UpdatesPerPass(), (std::vector<int>{1, 1, 0, 0, 0, 1, 1, 1}));
	// Renders go on while suspended, and the loop blocks for events instead
	// of polling (passes 4, 5 and 6 start suspended).
	EXPECT_EQ(app->renders, 8);
	EXPECT_EQ(scripted.waits, 3);
	// Sleeps: passes 2 and 3 before the suspension; none in pass 6, whose
	// first update is due at once.
	EXPECT_EQ(sleepsAtResume, 2);
}

TEST_F(FrameLoop, TimeSpentSuspendedIsNotCaughtUp) {
	scripted.maxPasses = 6;
	// Five seconds pass while suspended in pass 4.
	scripted.inactive = [](int pass) {
		if (pass == 4) platform->now += 5.0;
		return pass == 3 || pass == 4;
	};
	host.Run();
	EXPECT_EQ(UpdatesPerPass(), (std::vector<int>{1, 1, 0, 0, 1, 1}));
}

TEST_F(FrameLoop, MillisecsFollowsTheClock) {
	scripted.now = 12.3456;
	EXPECT_EQ(host.Millisecs(), 12345);
}
