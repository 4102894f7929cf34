// test_host.cpp: the scripted host for tests.
#include "support/test_host.h"

#include "host/framework_init.h"
#include "host/game_event.h"
#include "input/key_translation.h"
#include "runtime/gc.h"

TestHost::TestHost() {
	KxGame::_game = this;
}

TestHost::~TestHost() {
	if (KxGame::_game == this) KxGame::_game = nullptr;
}

void TestHost::Boot(void (*markRoots)()) {
	KxGame::_game = this;
	gc_init1();
	kx_framework_InitGlobals();
	gc_mark_roots = markRoots ? markRoots : kx_framework_MarkRoots;
	gc_mark();
}

void TestHost::Start() {
	StartGame();
}

void TestHost::SetMillisecs(int ms) {
	_millisecs = ms;
}

void TestHost::AdvanceMillisecs(int ms) {
	_millisecs += ms;
}

void TestHost::SetWindowSize(int width, int height) {
	_width = width;
	_height = height;
}

void TestHost::SetDesktopMode(int width, int height) {
	_hasDesktop = true;
	_desktopWidth = width;
	_desktopHeight = height;
}

void TestHost::ClearDesktopMode() {
	_hasDesktop = false;
}

void TestHost::AddDisplayMode(int width, int height) {
	_modes.emplace_back(width, height);
}

void TestHost::KeyDown(int key) {
	KeyEvent(c_KxGameEvent::EVENT_KEY_DOWN, key);
}

void TestHost::KeyUp(int key) {
	KeyEvent(c_KxGameEvent::EVENT_KEY_UP, key);
}

void TestHost::TapKey(int key) {
	KeyDown(key);
	if (KeyToChar(key)) TypeChar(KeyToChar(key));
	KeyUp(key);
}

void TestHost::TypeChar(int chr) {
	KeyEvent(c_KxGameEvent::EVENT_KEY_CHAR, chr);
}

void TestHost::MouseMove(float x, float y) {
	MouseEvent(c_KxGameEvent::EVENT_MOUSE_MOVE, -1, x, y);
}

void TestHost::MouseDown(int button, float x, float y) {
	MouseEvent(c_KxGameEvent::EVENT_MOUSE_DOWN, button, x, y);
}

void TestHost::MouseUp(int button, float x, float y) {
	MouseEvent(c_KxGameEvent::EVENT_MOUSE_UP, button, x, y);
}

void TestHost::RunUpdates(int count, int msPerUpdate) {
	for (int i = 0; i < count; ++i) {
		AdvanceMillisecs(msPerUpdate);
		polledUnits.clear();
		UpdateGame();
	}
}

void TestHost::RunRenders(int count) {
	for (int i = 0; i < count; ++i) RenderGame();
}

int TestHost::Millisecs() {
	return _millisecs;
}

int TestHost::GetDeviceWidth() {
	return _width;
}

int TestHost::GetDeviceHeight() {
	return _height;
}

Array<KxDisplayMode*> TestHost::GetDisplayModes() {
	Array<KxDisplayMode*> modes(static_cast<int>(_modes.size()));
	for (int i = 0; i < modes.Length(); ++i) {
		KxDisplayMode* mode = new KxDisplayMode;
		mode->width = _modes[i].first;
		mode->height = _modes[i].second;
		gc_assign(modes[i], mode);
	}
	return modes;
}

KxDisplayMode* TestHost::GetDesktopMode() {
	if (!_hasDesktop) return nullptr;
	KxDisplayMode* mode = new KxDisplayMode;
	mode->width = _desktopWidth;
	mode->height = _desktopHeight;
	return mode;
}

bool TestHost::PollJoystick(int port, Array<float> x, Array<float> y, Array<float> z, Array<bool> buttons) {
	polledUnits.push_back(port);
	const TestJoystick& pad = joysticks[port];
	if (!pad.present) return false;
	for (int i = 0; i < 2; ++i) {
		x[i] = pad.x[i];
		y[i] = pad.y[i];
		z[i] = pad.z[i];
	}
	for (int b = 0; b < JOY_BUTTONS; ++b) buttons[b] = pad.buttons[b];
	return true;
}
