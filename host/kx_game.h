// kx_game.h: the single host object and the event path to the application.
//
// KxGame keeps the started/suspended state, guards every host event with it,
// ends the process on an escaping script exception and runs one collector
// step after every event. KxGlfwGame makes it concrete on a GLFW window with a
// fixed-rate frame loop; KxVelmarGame is the program's own host and entry.
// KxGameDelegate receives the guarded events (c_GameDelegate is the one used).
//
// The methods are implemented by topic:
//   host/kx_game.cpp        KxGame defaults, guarded events, date, Die, collector
//   host/glfw_game.cpp      KxGlfwGame window, frame passes, time, modes, joysticks
//   host/glfw_desktop.cpp   KxGlfwGame's loop of passes and OpenUrl on the desktop
//   host/web/web_host.cpp   the same in a browser, and the browser's entry
//   host/velmar_game.cpp    KxVelmarGame::Main, the process start-up
//   runtime/files.cpp       paths, files and the state file
//   graphics/image_data.cpp KxGlfwGame::LoadImageData
//   audio/audio_data.cpp    KxGlfwGame::LoadAudioData
#pragma once

#include <cstdio>

#include "host/display_mode.h"
#include "runtime/kx_array.h"
#include "runtime/object.h"

class ThrowableObject;

//----------------------------------------------------------------------------
// Delegate
//----------------------------------------------------------------------------

class KxGameDelegate : public Object {
public:
	virtual void StartGame() {}
	virtual void SuspendGame() {}
	virtual void ResumeGame() {}
	virtual void UpdateGame() {}
	virtual void RenderGame() {}
	virtual void KeyEvent(int, int) {}
	virtual void MouseEvent(int, int, float, float) {}
	virtual void TouchEvent(int, int, float, float) {}
	virtual void MotionEvent(int, int, float, float, float) {}
	virtual void DiscardGraphics() {}
};

//----------------------------------------------------------------------------
// Host game object
//----------------------------------------------------------------------------

class KxGame {
public:
	KxGame();
	virtual ~KxGame();

	virtual void SetDelegate(KxGameDelegate* delegate);
	virtual KxGameDelegate* Delegate();
	virtual void SetKeyboardEnabled(bool enabled);
	virtual bool KeyboardEnabled();
	virtual void SetUpdateRate(int rate);
	virtual int UpdateRate();
	virtual bool Started();
	virtual bool Suspended();
	virtual int Millisecs();
	virtual void GetDate(Array<int> date);
	virtual int SaveState(String state);
	virtual String LoadState();
	virtual String LoadString(String path);
	virtual bool PollJoystick(int port, Array<float> x, Array<float> y, Array<float> z, Array<bool> buttons);
	virtual void OpenUrl(String url);
	virtual void SetMouseVisible(bool visible);
	virtual int GetDeviceWidth();
	virtual int GetDeviceHeight();
	virtual void SetDeviceWindow(int width, int height, int flags);
	virtual Array<KxDisplayMode*> GetDisplayModes();
	virtual KxDisplayMode* GetDesktopMode();
	virtual void SetSwapInterval(int interval);
	virtual String PathToFilePath(String path);
	virtual FILE* OpenFile(String path, String mode);
	virtual unsigned char* LoadData(String path, int* length);
	virtual unsigned char* LoadImageData(String path, int* width, int* height, int* depth);
	virtual unsigned char* LoadAudioData(String path, int* length, int* channels, int* format, int* hertz);
	[[noreturn]] virtual void Die(ThrowableObject* exception);
	virtual void gc_collect();
	virtual void StartGame();
	virtual void SuspendGame();
	virtual void ResumeGame();
	virtual void UpdateGame();
	virtual void RenderGame();
	virtual void KeyEvent(int event, int data);
	virtual void MouseEvent(int event, int data, float x, float y);
	virtual void TouchEvent(int event, int data, float x, float y);
	virtual void MotionEvent(int event, int data, float x, float y, float z);
	virtual void DiscardGraphics();

	static KxGame* _game;

protected:
	KxGameDelegate* _delegate = nullptr;
	bool _keyboardEnabled = false;
	int _updateRate = 0;
	bool _started = false;
	bool _suspended = false;
};

//----------------------------------------------------------------------------
// GLFW host
//----------------------------------------------------------------------------

// A video mode as GLFW reports it.
class KxGlfwVideoMode : public Object {
public:
	int Width = 0;
	int Height = 0;
	int RedBits = 0;
	int GreenBits = 0;
	int BlueBits = 0;
};

// Incremented every time a window, and so a GL context, is opened.
extern int glfwGraphicsSeq;

class KxGlfwGame : public KxGame {
public:
	KxGlfwGame();

	void SetUpdateRate(int rate) override;
	int Millisecs() override;
	bool PollJoystick(int port, Array<float> x, Array<float> y, Array<float> z, Array<bool> buttons) override;
	void OpenUrl(String url) override;
	void SetMouseVisible(bool visible) override;
	int GetDeviceWidth() override;
	int GetDeviceHeight() override;
	void SetDeviceWindow(int width, int height, int flags) override;
	Array<KxDisplayMode*> GetDisplayModes() override;
	KxDisplayMode* GetDesktopMode() override;
	void SetSwapInterval(int interval) override;
	String PathToFilePath(String path) override;
	unsigned char* LoadImageData(String path, int* width, int* height, int* depth) override;
	unsigned char* LoadAudioData(String path, int* length, int* channels, int* format, int* hertz) override;

	virtual void SetGlfwWindow(int width, int height, int red, int green, int blue, int alpha, int depth,
	                           int stencil, bool fullscreen);
	virtual KxGlfwVideoMode* GetGlfwDesktopMode();
	virtual Array<KxGlfwVideoMode*> GetGlfwVideoModes();
	// Turns a size in design pixels into the window size that shows it on
	// this desktop: times its content scale as far as the desktop holds the
	// window, and never smaller.
	void ScaleToDesktop(int* width, int* height);
	virtual void Run();

	// One pass of the frame loop: render and swap, wait until the next update
	// is due, events, suspend or resume, then the updates that are due.
	void RunFrame();
	// Seconds until the next update is due; 0 when none is scheduled.
	double FrameWait();

	static KxGlfwGame* _glfwGame;

	// GLFW callbacks (they reach the game through _glfwGame).
	static void OnKey(int key, int action);
	static void OnChar(int chr, int action);
	static void OnMouseButton(int button, int action);
	static void OnMousePos(int x, int y);
	static int OnWindowClose();

protected:
	// Runs RunFrame until the game ends: on the desktop in a loop while the
	// window is open, in a browser once per animation frame.
	void RunFrames();

	double _updatePeriod = 0.0;
	double _nextUpdate = 0.0;
	int _swapInterval = -1;
};

class KxVelmarGame : public KxGlfwGame {
public:
	// Called once the application exists, just before the frame loop starts.
	using BeforeRun = void (*)(KxVelmarGame* game);

	// The whole life of the process; beforeRun (a benchmark's hook) may be null.
	static int Main(int argc, const char** argv, BeforeRun beforeRun = nullptr);
};

// The translated program's global set-up and application creation.
void kxInit();
int kxMain();
