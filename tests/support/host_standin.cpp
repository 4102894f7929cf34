// host_standin.cpp: TEMPORARY minimal host for the graphics and file tests.
//
// Until the host branch is merged, zimbolo_lib has no KxGame/KxGlfwGame
// bodies, no glfwGraphicsSeq and no application-module globals. This file
// gives the tests just enough of them: every operation is inert. It goes away
// as soon as the real host is merged in.
#include "host/kx_game.h"

int glfwGraphicsSeq = 0;
KxGame* KxGame::_game = nullptr;
KxGlfwGame* KxGlfwGame::_glfwGame = nullptr;
int kx_app__devWidth = 0;
int kx_app__devHeight = 0;

KxGame::KxGame() {}
KxGame::~KxGame() {}
void KxGame::SetDelegate(KxGameDelegate* delegate) { _delegate = delegate; }
KxGameDelegate* KxGame::Delegate() { return _delegate; }
void KxGame::SetKeyboardEnabled(bool enabled) { _keyboardEnabled = enabled; }
bool KxGame::KeyboardEnabled() { return _keyboardEnabled; }
void KxGame::SetUpdateRate(int rate) { _updateRate = rate; }
int KxGame::UpdateRate() { return _updateRate; }
bool KxGame::Started() { return _started; }
bool KxGame::Suspended() { return _suspended; }
int KxGame::Millisecs() { return 0; }
void KxGame::GetDate(Array<int>) {}
bool KxGame::PollJoystick(int, Array<float>, Array<float>, Array<float>, Array<bool>) { return false; }
void KxGame::OpenUrl(String) {}
void KxGame::SetMouseVisible(bool) {}
int KxGame::GetDeviceWidth() { return 0; }
int KxGame::GetDeviceHeight() { return 0; }
void KxGame::SetDeviceWindow(int, int, int) {}
Array<KxDisplayMode*> KxGame::GetDisplayModes() { return Array<KxDisplayMode*>(); }
KxDisplayMode* KxGame::GetDesktopMode() { return nullptr; }
void KxGame::SetSwapInterval(int) {}
String KxGame::PathToFilePath(String path) { return path; }
unsigned char* KxGame::LoadImageData(String, int*, int*, int*) { return nullptr; }
unsigned char* KxGame::LoadAudioData(String, int*, int*, int*, int*) { return nullptr; }
void KxGame::Die(ThrowableObject*) { std::exit(-1); }
void KxGame::gc_collect() {}
void KxGame::StartGame() {}
void KxGame::SuspendGame() {}
void KxGame::ResumeGame() {}
void KxGame::UpdateGame() {}
void KxGame::RenderGame() {}
void KxGame::KeyEvent(int, int) {}
void KxGame::MouseEvent(int, int, float, float) {}
void KxGame::TouchEvent(int, int, float, float) {}
void KxGame::MotionEvent(int, int, float, float, float) {}
void KxGame::DiscardGraphics() {}

KxGlfwGame::KxGlfwGame() {}
void KxGlfwGame::SetUpdateRate(int rate) { _updateRate = rate; }
int KxGlfwGame::Millisecs() { return 0; }
bool KxGlfwGame::PollJoystick(int, Array<float>, Array<float>, Array<float>, Array<bool>) { return false; }
void KxGlfwGame::OpenUrl(String) {}
void KxGlfwGame::SetMouseVisible(bool) {}
int KxGlfwGame::GetDeviceWidth() { return 0; }
int KxGlfwGame::GetDeviceHeight() { return 0; }
void KxGlfwGame::SetDeviceWindow(int, int, int) {}
Array<KxDisplayMode*> KxGlfwGame::GetDisplayModes() { return Array<KxDisplayMode*>(); }
KxDisplayMode* KxGlfwGame::GetDesktopMode() { return nullptr; }
void KxGlfwGame::SetSwapInterval(int) {}
unsigned char* KxGlfwGame::LoadAudioData(String, int*, int*, int*, int*) { return nullptr; }
void KxGlfwGame::SetGlfwWindow(int, int, int, int, int, int, int, int, bool) {}
KxGlfwVideoMode* KxGlfwGame::GetGlfwDesktopMode() { return nullptr; }
Array<KxGlfwVideoMode*> KxGlfwGame::GetGlfwVideoModes() { return Array<KxGlfwVideoMode*>(); }
void KxGlfwGame::Run() {}
