// app.cpp: application registration, the delegate and the kx_app_* functions.
#include "host/app.h"

#include "audio/audio_api.h"
#include "audio/gxtk_audio.h"
#include "graphics/graphics_api.h"
#include "graphics/gxtk_graphics.h"
#include "input/input_device.h"
#include "input/key_codes.h"
#include "runtime/containers.h"
#include "runtime/errors.h"

//----------------------------------------------------------------------------
// Globals
//----------------------------------------------------------------------------

c_App* kx_app__app;
c_GameDelegate* kx_app__delegate;
KxGame* kx_app__game;
int kx_app__updateRate;
int kx_app__devWidth;
int kx_app__devHeight;
Array<c_DisplayMode*> kx_app__displayModes;
c_DisplayMode* kx_app__desktopMode;

namespace {

// Shift that packs a display width above its height in one map key.
const int kModeKeyShift = 16;

}  // namespace

//----------------------------------------------------------------------------
// Application
//----------------------------------------------------------------------------

c_App* c_App::m_new() {
	if (kx_app__app) kxError("App has already been created");
	gc_assign(kx_app__app, this);
	gc_assign(kx_app__delegate, (new c_GameDelegate)->m_new());
	kx_app__game->SetDelegate(kx_app__delegate);
	return this;
}

int c_App::p_OnCreate() {
	return 0;
}

int c_App::p_OnSuspend() {
	return 0;
}

int c_App::p_OnResume() {
	return 0;
}

int c_App::p_OnUpdate() {
	return 0;
}

int c_App::p_OnRender() {
	return 0;
}

int c_App::p_OnClose() {
	kx_app_EndApp();
}

int c_App::p_OnBack() {
	kx_app_EndApp();
}

int c_App::p_OnResize() {
	return 0;
}

int c_App::p_OnLoading() {
	return 0;
}

//----------------------------------------------------------------------------
// Delegate
//----------------------------------------------------------------------------

c_GameDelegate* c_GameDelegate::m_new() {
	return this;
}

void c_GameDelegate::StartGame() {
	gc_assign(m__graphics, new gxtkGraphics());
	kx_graphics_SetGraphicsDevice(m__graphics);
	gc_assign(m__audio, new gxtkAudio());
	kx_audio_SetAudioDevice(m__audio);
	gc_assign(m__input, (new c_InputDevice)->m_new());
	kx_input_SetInputDevice(m__input);
	kx_app_ValidateDeviceWindow(false);
	kx_app_EnumDisplayModes();
	kx_app__app->p_OnCreate();
}

void c_GameDelegate::SuspendGame() {
	kx_app__app->p_OnSuspend();
	m__audio->Suspend();
}

void c_GameDelegate::ResumeGame() {
	m__audio->Resume();
	kx_app__app->p_OnResume();
}

void c_GameDelegate::UpdateGame() {
	kx_app_ValidateDeviceWindow(false);
	m__input->p_BeginUpdate();
	kx_app__app->p_OnUpdate();
	m__input->p_EndUpdate();
}

void c_GameDelegate::RenderGame() {
	kx_app_ValidateDeviceWindow(false);
	m__graphics->BeginRender();
	kx_graphics_BeginRender();
	kx_app__app->p_OnRender();
	kx_graphics_EndRender();
	m__graphics->EndRender();
}

// The close and back keys end the program, also on a press of a key that is
// already down.
void c_GameDelegate::KeyEvent(int event, int data) {
	m__input->p_KeyEvent(event, data);
	if (event != c_KxGameEvent::EVENT_KEY_DOWN) return;
	if (data == KEY_CLOSE) kx_app__app->p_OnClose();
	if (data == KEY_BACK) kx_app__app->p_OnBack();
}

void c_GameDelegate::MouseEvent(int event, int data, float x, float y) {
	m__input->p_MouseEvent(event, data, x, y);
}

void c_GameDelegate::TouchEvent(int event, int data, float x, float y) {
	m__input->p_TouchEvent(event, data, x, y);
}

void c_GameDelegate::MotionEvent(int event, int data, float x, float y, float z) {
	m__input->p_MotionEvent(event, data, x, y, z);
}

void c_GameDelegate::DiscardGraphics() {
	m__graphics->DiscardGraphics();
}

void c_GameDelegate::mark() {
	gc_mark_q(m__graphics);
	gc_mark_q(m__audio);
	gc_mark_q(m__input);
}

//----------------------------------------------------------------------------
// Module functions
//----------------------------------------------------------------------------

int kx_app_SetUpdateRate(int rate) {
	kx_app__updateRate = rate;
	kx_app__game->SetUpdateRate(rate);
	return 0;
}

int kx_app_Millisecs() {
	return kx_app__game->Millisecs();
}

int kx_app_DeviceWidth() {
	return kx_app__devWidth;
}

int kx_app_DeviceHeight() {
	return kx_app__devHeight;
}

int kx_app_ValidateDeviceWindow(bool notify) {
	(void)notify;
	int width = kx_app__game->GetDeviceWidth();
	int height = kx_app__game->GetDeviceHeight();
	if (width != kx_app__devWidth || height != kx_app__devHeight) {
		kx_app__devWidth = width;
		kx_app__devHeight = height;
	}
	return 0;
}

int kx_app_SaveState(String state) {
	return kx_app__game->SaveState(state);
}

String kx_app_LoadState() {
	return kx_app__game->LoadState();
}

int kx_app_EnumDisplayModes() {
	Array<KxDisplayMode*> modes = kx_app__game->GetDisplayModes();
	c_IntMap* seen = (new c_IntMap)->m_new();
	c_Stack* distinct = (new c_Stack)->m_new();
	for (KxDisplayMode* mode : modes) {
		int key = (mode->width << kModeKeyShift) | mode->height;
		if (seen->p_Contains(key)) continue;
		c_DisplayMode* size = (new c_DisplayMode)->m_new(mode->width, mode->height);
		seen->p_Set(key, size);
		distinct->p_Push(size);
	}
	gc_assign(kx_app__displayModes, distinct->p_ToArray());
	KxDisplayMode* desktop = kx_app__game->GetDesktopMode();
	c_DisplayMode* desktopSize = new c_DisplayMode;
	if (desktop) {
		desktopSize->m_new(desktop->width, desktop->height);
	} else {
		desktopSize->m_new(kx_app__devWidth, kx_app__devHeight);
	}
	gc_assign(kx_app__desktopMode, desktopSize);
	return 0;
}

int kx_app_EndApp() {
	kxError(String());
}
