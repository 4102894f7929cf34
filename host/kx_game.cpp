// kx_game.cpp: the host object's state, defaults and guarded events.
//
// Every event is guarded by the started/suspended state, runs inside a
// handler that ends the process on an escaping script exception, and is
// followed by one collector step.
#include "host/kx_game.h"

#include <cstdlib>
#include <ctime>

#include "runtime/errors.h"

//----------------------------------------------------------------------------
// Globals
//----------------------------------------------------------------------------

KxGame* KxGame::_game;

namespace {

// Exit status of an uncaught script exception.
const int EXIT_UNCAUGHT = -1;
// Fields GetDate fills: year, month, day, hours, minutes, seconds, milliseconds.
const int DATE_FIELDS = 7;
// struct tm counts years from 1900 and months from 0.
const int TM_YEAR_BASE = 1900;

// Runs one event's body; a script exception escaping it ends the process.
template <class Body>
void guarded(KxGame* game, Body body) {
	try {
		body();
	} catch (ThrowableObject* exception) {
		game->Die(exception);
	}
}

}  // namespace

//----------------------------------------------------------------------------
// State
//----------------------------------------------------------------------------

KxGame::KxGame() {}

KxGame::~KxGame() {}

void KxGame::SetDelegate(KxGameDelegate* delegate) {
	_delegate = delegate;
}

KxGameDelegate* KxGame::Delegate() {
	return _delegate;
}

void KxGame::SetKeyboardEnabled(bool enabled) {
	_keyboardEnabled = enabled;
}

bool KxGame::KeyboardEnabled() {
	return _keyboardEnabled;
}

void KxGame::SetUpdateRate(int rate) {
	_updateRate = rate;
}

int KxGame::UpdateRate() {
	return _updateRate;
}

bool KxGame::Started() {
	return _started;
}

bool KxGame::Suspended() {
	return _suspended;
}

//----------------------------------------------------------------------------
// Defaults
//----------------------------------------------------------------------------

int KxGame::Millisecs() {
	return 0;
}

void KxGame::GetDate(Array<int> date) {
	time_t now = time(nullptr);
	tm local;
	localtime_r(&now, &local);
	const int fields[DATE_FIELDS] = {local.tm_year + TM_YEAR_BASE, local.tm_mon + 1, local.tm_mday,
	                                 local.tm_hour, local.tm_min, local.tm_sec, 0};
	int n = date.Length() < DATE_FIELDS ? date.Length() : DATE_FIELDS;
	for (int i = 0; i < n; ++i) date[i] = fields[i];
}

bool KxGame::PollJoystick(int, Array<float>, Array<float>, Array<float>, Array<bool>) {
	return false;
}

void KxGame::OpenUrl(String) {}

void KxGame::SetMouseVisible(bool) {}

int KxGame::GetDeviceWidth() {
	return 0;
}

int KxGame::GetDeviceHeight() {
	return 0;
}

void KxGame::SetDeviceWindow(int, int, int) {}

Array<KxDisplayMode*> KxGame::GetDisplayModes() {
	return Array<KxDisplayMode*>();
}

KxDisplayMode* KxGame::GetDesktopMode() {
	return nullptr;
}

void KxGame::SetSwapInterval(int) {}

unsigned char* KxGame::LoadImageData(String, int*, int*, int*) {
	return nullptr;
}

unsigned char* KxGame::LoadAudioData(String, int*, int*, int*, int*) {
	return nullptr;
}

//----------------------------------------------------------------------------
// Fatal exceptions and the collector
//----------------------------------------------------------------------------

void KxGame::Die(ThrowableObject*) {
	kxPrint("Velmar Runtime Error : Uncaught Velmar Exception");
	std::exit(EXIT_UNCAUGHT);
}

void KxGame::gc_collect() {
	if (_delegate) gc_mark(_delegate);
	::gc_collect();
}

//----------------------------------------------------------------------------
// Guarded events
//----------------------------------------------------------------------------

void KxGame::StartGame() {
	if (_started) return;
	guarded(this, [this] {
		_started = true;
		_delegate->StartGame();
		gc_collect();
	});
}

void KxGame::SuspendGame() {
	if (!_started || _suspended) return;
	guarded(this, [this] {
		_suspended = true;
		_delegate->SuspendGame();
		gc_collect();
	});
}

void KxGame::ResumeGame() {
	if (!_started || !_suspended) return;
	guarded(this, [this] {
		_suspended = false;
		_delegate->ResumeGame();
		gc_collect();
	});
}

void KxGame::UpdateGame() {
	if (!_started || _suspended) return;
	guarded(this, [this] {
		_delegate->UpdateGame();
		gc_collect();
	});
}

void KxGame::RenderGame() {
	if (!_started) return;
	guarded(this, [this] {
		_delegate->RenderGame();
		gc_collect();
	});
}

void KxGame::KeyEvent(int event, int data) {
	if (!_started) return;
	guarded(this, [=] {
		_delegate->KeyEvent(event, data);
		gc_collect();
	});
}

void KxGame::MouseEvent(int event, int data, float x, float y) {
	if (!_started) return;
	guarded(this, [=] {
		_delegate->MouseEvent(event, data, x, y);
		gc_collect();
	});
}

void KxGame::TouchEvent(int event, int data, float x, float y) {
	if (!_started) return;
	guarded(this, [=] {
		_delegate->TouchEvent(event, data, x, y);
		gc_collect();
	});
}

void KxGame::MotionEvent(int event, int data, float x, float y, float z) {
	if (!_started) return;
	guarded(this, [=] {
		_delegate->MotionEvent(event, data, x, y, z);
		gc_collect();
	});
}

void KxGame::DiscardGraphics() {
	if (!_started) return;
	guarded(this, [this] {
		_delegate->DiscardGraphics();
		gc_collect();
	});
}
