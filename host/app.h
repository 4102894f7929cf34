// app.h: the application object, the delegate that feeds it, and the
// application's view of the host (kx_app_*).
//
// c_App::m_new registers the one application and installs a c_GameDelegate
// as the host's delegate. The delegate owns the graphics, audio and input
// devices, creates them when the game starts and turns host events into
// calls on the application and the input device.
#pragma once

#include "host/display_mode.h"
#include "host/game_event.h"
#include "host/kx_game.h"
#include "runtime/kx_array.h"
#include "runtime/object.h"

class gxtkGraphics;
class gxtkAudio;
class c_InputDevice;

//----------------------------------------------------------------------------
// Application
//----------------------------------------------------------------------------

class c_App : public Object {
public:
	// Registers this application and installs the delegate.
	c_App* m_new();
	virtual int p_OnCreate();
	virtual int p_OnSuspend();
	virtual int p_OnResume();
	virtual int p_OnUpdate();
	virtual int p_OnRender();
	// The close key: ends the program.
	int p_OnClose();
	// The back key: ends the program.
	int p_OnBack();
	int p_OnResize();
	int p_OnLoading();
};

//----------------------------------------------------------------------------
// Delegate
//----------------------------------------------------------------------------

class c_GameDelegate : public KxGameDelegate {
public:
	gxtkGraphics* m__graphics = nullptr;
	gxtkAudio* m__audio = nullptr;
	c_InputDevice* m__input = nullptr;

	c_GameDelegate* m_new();
	void StartGame() override;
	void SuspendGame() override;
	void ResumeGame() override;
	void UpdateGame() override;
	void RenderGame() override;
	void KeyEvent(int event, int data) override;
	void MouseEvent(int event, int data, float x, float y) override;
	void TouchEvent(int event, int data, float x, float y) override;
	void MotionEvent(int event, int data, float x, float y, float z) override;
	void DiscardGraphics() override;
	void mark() override;
};

//----------------------------------------------------------------------------
// Module globals and functions
//----------------------------------------------------------------------------

extern c_App* kx_app__app;
extern c_GameDelegate* kx_app__delegate;
extern KxGame* kx_app__game;
extern int kx_app__updateRate;
extern int kx_app__devWidth;
extern int kx_app__devHeight;
extern Array<c_DisplayMode*> kx_app__displayModes;
extern c_DisplayMode* kx_app__desktopMode;

int kx_app_SetUpdateRate(int rate);
int kx_app_Millisecs();
int kx_app_DeviceWidth();
int kx_app_DeviceHeight();
// Reads the window size; the new size is seen from now on.
int kx_app_ValidateDeviceWindow(bool notify);
int kx_app_SaveState(String state);
String kx_app_LoadState();
// The distinct display sizes in first-seen order, and the desktop mode.
int kx_app_EnumDisplayModes();
// Ends the program with status 0.
[[noreturn]] int kx_app_EndApp();
