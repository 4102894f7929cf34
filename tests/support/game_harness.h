// game_harness.h: runs the game object through the real framework without a
// window.
//
// GameHost is a GLFW host whose clock, window size, desktop mode, window
// re-creation and joysticks are scripted. Launch() boots the program as its
// start-up does (framework and game globals, roots, the application) inside a
// fresh working directory that sees the build's data, and starts the game;
// the tests then send events and run updates. Nothing is rendered: the GL
// window query answers with the scripted size.
#pragma once

#include <string>

#include "game/my_app.h"
#include "host/kx_game.h"
#include "input/key_codes.h"

// The scripted state of one joystick.
struct ScriptedPad {
	bool present = false;
	float x[2] = {};
	float y[2] = {};
	bool buttons[JOY_BUTTONS] = {};
};

class GameHost : public KxGlfwGame {
public:
	GameHost();
	// Hands the host object and the GL window query back.
	~GameHost() override;

	// Boots and starts the game; the state file is written (if text is given)
	// into the fresh working directory first.
	c_MyApp* Launch(const char* savedState = nullptr);
	// Runs updates, each 16 ms after the last.
	void Update(int count = 1);
	void Suspend();
	void Resume();

	void KeyDown(int key);
	void KeyUp(int key);
	void TypeChar(int chr);
	void MouseMove(float x, float y);
	void MouseDown(float x, float y);
	void MouseUp(float x, float y);
	void SetWindowSize(int width, int height);

	// The saved state text, or empty when there is no state file.
	std::string StateFile() const;

	c_MyApp* app = nullptr;
	ScriptedPad pads[JOY_UNITS];
	// Joysticks are read as the GLFW host reads them, from the GLFW 2 layer
	// and the platform a test installs there, instead of from pads.
	bool glfwJoysticks = false;
	int millisecs = 1000;
	int windowWidth = 640;
	int windowHeight = 480;
	bool fullscreen = false;
	int windowCalls = 0;
	int desktopWidth = 1920;
	int desktopHeight = 1080;

	int Millisecs() override;
	int GetDeviceWidth() override;
	int GetDeviceHeight() override;
	bool PollJoystick(int port, Array<float> x, Array<float> y, Array<float> z, Array<bool> buttons) override;
	void SetGlfwWindow(int width, int height, int red, int green, int blue, int alpha, int depth, int stencil,
	                   bool fullscreen) override;
	KxGlfwVideoMode* GetGlfwDesktopMode() override;
};

// Makes a fresh working directory with ./data linked to the build's data;
// it is removed when the process ends.
std::string EnterScratchDir();
// Writes text to a file of the working directory.
void WriteFile(const std::string& name, const std::string& text);
// Draw list records of kind (an image slot or DL_KIND_*) recorded so far.
int CountRecords(c_MyApp* app, int kind);

// A sound effect as its voice's channel holds it on the audio device: the
// effect's id (-1 when none of the game's sounds plays there), the source's
// pitch and gain, and the pan its position stands for.
struct VoiceSound {
	int id;
	float rate, volume, pan;
};
// The sound on voice v of the game's ring of effect voices.
VoiceSound SoundOnVoice(c_MyApp* app, int v);
