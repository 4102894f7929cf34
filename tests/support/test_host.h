// test_host.h: a host without a window for driving an application in tests.
//
// TestHost is a KxGame with a scripted clock, a settable window size, desktop
// mode, display modes and joysticks, and helpers that send key, character
// and mouse events and run updates and renders. Boot() sets up the framework
// globals and the collector as the program's start-up does; the application
// then registers itself (its c_App::m_new) and Start() starts the game.
#pragma once

#include <utility>
#include <vector>

#include "host/kx_game.h"
#include "input/key_codes.h"

// The scripted state of one joystick unit.
struct TestJoystick {
	bool present = false;
	float x[2] = {};
	float y[2] = {};
	float z[2] = {};
	bool buttons[JOY_BUTTONS] = {};
};

class TestHost : public KxGame {
public:
	TestHost();
	~TestHost() override;

	// Framework globals, collector lists and roots, as the start-up sets them.
	void Boot(void (*markRoots)() = nullptr);
	// Starts the game (the application must have registered itself).
	void Start();

	// Clock.
	void SetMillisecs(int ms);
	void AdvanceMillisecs(int ms);
	// Window and screen.
	void SetWindowSize(int width, int height);
	void SetDesktopMode(int width, int height);
	void ClearDesktopMode();
	void AddDisplayMode(int width, int height);

	// Events, as the window system delivers them.
	void KeyDown(int key);
	void KeyUp(int key);
	// Press and release, with the character a navigation key types.
	void TapKey(int key);
	void TypeChar(int chr);
	void MouseMove(float x, float y);
	void MouseDown(int button, float x, float y);
	void MouseUp(int button, float x, float y);

	// Runs updates; each first advances the clock by msPerUpdate.
	void RunUpdates(int count, int msPerUpdate = 0);
	void RunRenders(int count);

	// Joysticks; units polled by the last input update, in order.
	TestJoystick joysticks[JOY_UNITS];
	std::vector<int> polledUnits;

	int Millisecs() override;
	int GetDeviceWidth() override;
	int GetDeviceHeight() override;
	Array<KxDisplayMode*> GetDisplayModes() override;
	KxDisplayMode* GetDesktopMode() override;
	bool PollJoystick(int port, Array<float> x, Array<float> y, Array<float> z, Array<bool> buttons) override;

private:
	int _millisecs = 0;
	int _width = 640;
	int _height = 480;
	bool _hasDesktop = true;
	int _desktopWidth = 1280;
	int _desktopHeight = 1024;
	std::vector<std::pair<int, int>> _modes;
};
