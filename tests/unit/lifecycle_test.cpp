// Application lifecycle, delegate and kx_app_* through the scripted host.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "audio/audio_api.h"
#include "audio/gxtk_audio.h"
#include "graphics/graphics_api.h"
#include "host/app.h"
#include "input/input_api.h"
#include "runtime/gc.h"
#include "support/test_host.h"

namespace {

// Suspend and resume calls on the application and the audio device, in order.
std::vector<std::string> pauseCalls;

// An audio device that logs its suspend and resume.
class RecordingAudio : public gxtkAudio {
public:
	int Suspend() override {
		pauseCalls.push_back("audio suspend");
		return gxtkAudio::Suspend();
	}
	int Resume() override {
		pauseCalls.push_back("audio resume");
		return gxtkAudio::Resume();
	}
};

// Records the calls the framework makes on the application.
class RecordingApp : public c_App {
public:
	int creates = 0;
	int updates = 0;
	int renders = 0;
	int suspends = 0;
	int resumes = 0;
	int widthInCreate = -1;
	int widthInUpdate = -1;
	bool throwInUpdate = false;
	bool devicesInCreate = false;

	int p_OnCreate() override {
		++creates;
		widthInCreate = kx_app_DeviceWidth();
		devicesInCreate = kx_graphics_device && kx_audio_device && kx_input_device;
		return 0;
	}
	int p_OnUpdate() override {
		++updates;
		widthInUpdate = kx_app_DeviceWidth();
		if (throwInUpdate) throw new ThrowableObject;
		return 0;
	}
	int p_OnRender() override {
		++renders;
		EXPECT_EQ(kx_graphics_renderDevice, kx_graphics_device);
		return 0;
	}
	int p_OnSuspend() override {
		++suspends;
		pauseCalls.push_back("app suspend");
		return 0;
	}
	int p_OnResume() override {
		++resumes;
		pauseCalls.push_back("app resume");
		return 0;
	}
};

// In a death test: program output to standard error (where the test reads
// it) and no debugger on standard input.
void outputToStderr() {
	dup2(2, 1);
	if (!freopen("/dev/null", "r", stdin)) std::abort();
}

class Lifecycle : public ::testing::Test {
protected:
	TestHost host;
	RecordingApp* app = nullptr;

	void SetUp() override {
		host.Boot();
		app = new RecordingApp;
		app->m_new();
	}
};

}  // namespace

TEST_F(Lifecycle, StartCreatesDevicesThenCallsOnCreateOnce) {
	host.SetWindowSize(800, 600);
	host.Start();
	host.Start();
	EXPECT_EQ(app->creates, 1);
	EXPECT_TRUE(app->devicesInCreate);
	EXPECT_EQ(app->widthInCreate, 800);
	EXPECT_EQ(kx_app__game, &host);
	EXPECT_EQ(host.Delegate(), kx_app__delegate);
}

TEST_F(Lifecycle, EventsBeforeStartAreDropped) {
	host.KeyDown(KEY_A);
	host.TypeChar('a');
	host.MouseDown(0, 5, 5);
	host.RunUpdates(1);
	host.RunRenders(1);
	EXPECT_EQ(app->updates, 0);
	EXPECT_EQ(app->renders, 0);
	host.Start();
	host.RunUpdates(1);
	EXPECT_FALSE(kx_input_KeyDown(KEY_A));
	EXPECT_FALSE(kx_input_MouseDown(0));
	EXPECT_EQ(app->updates, 1);
}

TEST_F(Lifecycle, SuspendedRendersButDoesNotUpdate) {
	host.Start();
	gc_assign(kx_app__delegate->m__audio, new RecordingAudio());
	pauseCalls.clear();
	host.SuspendGame();
	host.SuspendGame();
	host.RunUpdates(3);
	host.RunRenders(2);
	EXPECT_EQ(app->suspends, 1);
	EXPECT_EQ(app->updates, 0);
	EXPECT_EQ(app->renders, 2);
	EXPECT_EQ(kx_graphics_renderDevice, nullptr);
	// Keys still reach the input device while suspended.
	host.KeyDown(KEY_SPACE);
	host.ResumeGame();
	host.ResumeGame();
	EXPECT_EQ(app->resumes, 1);
	// The application goes quiet before the sound stops, and the sound is
	// back before the application resumes.
	EXPECT_EQ(pauseCalls, (std::vector<std::string>{"app suspend", "audio suspend", "audio resume", "app resume"}));
	EXPECT_TRUE(kx_input_KeyDown(KEY_SPACE));
	host.RunUpdates(1);
	EXPECT_EQ(app->updates, 1);
}

TEST_F(Lifecycle, ResumeWithoutSuspendIsIgnored) {
	host.Start();
	host.ResumeGame();
	EXPECT_EQ(app->resumes, 0);
}

TEST_F(Lifecycle, CloseKeyDownEndsWithStatusZero) {
	host.Start();
	EXPECT_EXIT(host.KeyDown(KEY_CLOSE), ::testing::ExitedWithCode(0), "");
}

TEST_F(Lifecycle, BackKeyDownEndsWithStatusZero) {
	host.Start();
	EXPECT_EXIT(host.KeyDown(KEY_BACK), ::testing::ExitedWithCode(0), "");
}

TEST_F(Lifecycle, CloseKeyUpDoesNothing) {
	host.Start();
	host.KeyUp(KEY_CLOSE);
	host.RunUpdates(1);
	EXPECT_EQ(app->updates, 1);
}

TEST_F(Lifecycle, UncaughtScriptExceptionEndsTheProcess) {
	host.Start();
	app->throwInUpdate = true;
	EXPECT_EXIT(
	    {
		    outputToStderr();
		    host.RunUpdates(1);
	    },
	    ::testing::ExitedWithCode(255), "Velmar Runtime Error : Uncaught Velmar Exception");
}

TEST_F(Lifecycle, SecondApplicationIsARuntimeError) {
	EXPECT_EXIT(
	    {
		    outputToStderr();
		    (new RecordingApp)->m_new();
	    },
	    ::testing::ExitedWithCode(255), "Velmar Runtime Error : App has already been created");
}

TEST_F(Lifecycle, WindowSizeIsSeenFromTheNextUpdateOrRender) {
	host.Start();
	host.SetWindowSize(1024, 768);
	EXPECT_EQ(kx_app_DeviceWidth(), 640);
	host.RunUpdates(1);
	EXPECT_EQ(app->widthInUpdate, 1024);
	EXPECT_EQ(kx_app_DeviceHeight(), 768);
	host.SetWindowSize(320, 200);
	host.RunRenders(1);
	EXPECT_EQ(kx_app_DeviceWidth(), 320);
}

TEST_F(Lifecycle, DisplayModesOfOneSizeGiveOneMode) {
	host.AddDisplayMode(800, 600);
	host.AddDisplayMode(1024, 768);
	host.AddDisplayMode(800, 600);
	host.AddDisplayMode(640, 480);
	host.SetDesktopMode(1920, 1080);
	host.Start();
	ASSERT_EQ(kx_app__displayModes.Length(), 3);
	EXPECT_EQ(kx_app__displayModes[0]->m__width, 800);
	EXPECT_EQ(kx_app__displayModes[1]->m__width, 1024);
	EXPECT_EQ(kx_app__displayModes[2]->m__height, 480);
	ASSERT_NE(kx_app__desktopMode, nullptr);
	EXPECT_EQ(kx_app__desktopMode->m__width, 1920);
	EXPECT_EQ(kx_app__desktopMode->m__height, 1080);
}

TEST_F(Lifecycle, NoDesktopModeFallsBackToTheWindowSize) {
	host.ClearDesktopMode();
	host.SetWindowSize(700, 500);
	host.Start();
	EXPECT_EQ(kx_app__displayModes.Length(), 0);
	EXPECT_EQ(kx_app__desktopMode->m__width, 700);
	EXPECT_EQ(kx_app__desktopMode->m__height, 500);
}

TEST_F(Lifecycle, GetDateFillsOnlyTheElementsThereAre) {
	time_t now = time(nullptr);
	tm local;
	localtime_r(&now, &local);
	Array<int> date(3);
	host.GetDate(date);
	EXPECT_EQ(date[0], local.tm_year + 1900);
	EXPECT_EQ(date[1], local.tm_mon + 1);
	EXPECT_EQ(date[2], local.tm_mday);
	Array<int> longer(9);
	longer[6] = longer[7] = longer[8] = 5;
	host.GetDate(longer);
	EXPECT_EQ(longer[6], 0);
	EXPECT_EQ(longer[7], 5);
	Array<int> empty;
	host.GetDate(empty);
	EXPECT_EQ(empty.Length(), 0);
}

TEST_F(Lifecycle, UpdateRateGoesToTheHost) {
	kx_app_SetUpdateRate(60);
	EXPECT_EQ(kx_app__updateRate, 60);
	EXPECT_EQ(host.UpdateRate(), 60);
	host.SetMillisecs(4321);
	EXPECT_EQ(kx_app_Millisecs(), 4321);
}

TEST_F(Lifecycle, DevicesSurviveFullCollections) {
	host.Start();
	c_InputDevice* input = kx_input_device;
	for (int round = 0; round < 3; ++round) {
		// Well over one full-collection threshold of garbage per round.
		for (int i = 0; i < 2000; ++i) Array<int> garbage(2048);
		host.RunUpdates(1);
		host.RunRenders(1);
	}
	host.KeyDown(KEY_B);
	EXPECT_EQ(kx_input_device, input);
	EXPECT_TRUE(kx_input_KeyDown(KEY_B));
	EXPECT_EQ(kx_app__app, app);
	EXPECT_EQ(app->updates, 3);
}
