// audio_host_standin.cpp: temporary stand-ins for the host and files symbols
// the audio code and its tests link against, until the host and files modules
// are merged. Every operation does nothing; files open by their plain path.
#include "host/kx_game.h"
#include "runtime/kx_string.h"

KxGame* KxGame::_game = nullptr;
KxGlfwGame* KxGlfwGame::_glfwGame = nullptr;
int glfwGraphicsSeq = 0;

KxGame::KxGame() { _game = this; }
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
int KxGame::SaveState(String) { return -1; }
String KxGame::LoadState() { return String(); }
String KxGame::LoadString(String) { return String(); }
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
FILE* KxGame::OpenFile(String path, String mode) { return std::fopen(path.ToUtf8().c_str(), mode.ToUtf8().c_str()); }
unsigned char* KxGame::LoadData(String, int*) { return nullptr; }
unsigned char* KxGame::LoadImageData(String, int*, int*, int*) { return nullptr; }
unsigned char* KxGame::LoadAudioData(String, int*, int*, int*, int*) { return nullptr; }
void KxGame::Die(ThrowableObject*) { std::abort(); }
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

KxGlfwGame::KxGlfwGame() { _glfwGame = this; }
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
String KxGlfwGame::PathToFilePath(String path) { return path; }
unsigned char* KxGlfwGame::LoadImageData(String, int*, int*, int*) { return nullptr; }
void KxGlfwGame::SetGlfwWindow(int, int, int, int, int, int, int, int, bool) {}
KxGlfwVideoMode* KxGlfwGame::GetGlfwDesktopMode() { return nullptr; }
Array<KxGlfwVideoMode*> KxGlfwGame::GetGlfwVideoModes() { return Array<KxGlfwVideoMode*>(); }
void KxGlfwGame::Run() {}

// Asset names are used as they are.
String kx_data_FixDataPath(String path) { return path; }
