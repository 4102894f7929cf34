// game_harness.cpp: the scripted GLFW host for game tests.
#include "support/game_harness.h"

#include <dirent.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "audio/audio_api.h"
#include "graphics/gl_api.h"
#include "host/app.h"
#include "host/game_event.h"
#include "runtime/gc.h"

namespace {

// The update period of the scripted clock.
const int UPDATE_MS = 16;

GameHost* current = nullptr;

// The scratch directories this process made, and the process that made them.
std::vector<std::string> scratchDirs;
pid_t scratchOwner = 0;

// Empties and removes the scratch directories when the process that made
// them ends.
// NOTE: a forked child (a death test, or the game quitting with exit inside
// run_in_child) runs the same exit handlers; the parent may still check the
// directory, so children leave it alone.
void RemoveScratchDirs() {
	if (getpid() != scratchOwner) return;
	for (const std::string& dir : scratchDirs) {
		DIR* d = opendir(dir.c_str());
		if (!d) continue;
		while (dirent* entry = readdir(d)) {
			std::string name = entry->d_name;
			if (name != "." && name != "..") unlink((dir + "/" + name).c_str());
		}
		closedir(d);
		rmdir(dir.c_str());
	}
}

// The GL window query answers with the scripted window.
void ScriptedWindowSize(int* width, int* height) {
	*width = current ? current->windowWidth : 0;
	*height = current ? current->windowHeight : 0;
}

}  // namespace

std::string EnterScratchDir() {
	char pattern[] = "/tmp/zimbolo_game_XXXXXX";
	const char* dir = mkdtemp(pattern);
	if (!dir || chdir(dir) != 0) std::abort();
	std::string data = std::string(ZIMBOLO_BUILD_DIR) + "/data";
	if (symlink(data.c_str(), "data") != 0) std::abort();
	if (scratchDirs.empty()) {
		scratchOwner = getpid();
		std::atexit(RemoveScratchDirs);
	}
	scratchDirs.push_back(dir);
	return dir;
}

void WriteFile(const std::string& name, const std::string& text) {
	std::ofstream out(name, std::ios::binary);
	out << text;
}

int CountRecords(c_MyApp* app, int kind) {
	int n = 0;
	for (int i = 0; i < app->m_drawCount; i += DL_RECORD) {
		if (static_cast<int>(app->m_drawList[i + DL_KIND]) == kind) ++n;
	}
	return n;
}

VoiceSound SoundOnVoice(c_MyApp* app, int v) {
	const gxtkChannel& channel = kx_audio_device->channels[app->m_sfxChannel[v]];
	VoiceSound sound = {-1, 0, 0, 0};
	for (int id = 0; id < app->m_sounds.Length(); ++id) {
		if (app->m_sounds[id] && app->m_sounds[id]->m_sample == channel.sampleRef) sound.id = id;
	}
	float x = 0, y = 0, z = 0;
	alGetSourcef(channel.sourceId, AL_PITCH, &sound.rate);
	alGetSourcef(channel.sourceId, AL_GAIN, &sound.volume);
	alGetSource3f(channel.sourceId, AL_POSITION, &x, &y, &z);
	sound.pan = std::atan2(x, -z);
	return sound;
}

GameHost::GameHost() {
	current = this;
	KxGame::_game = this;
	KxGlfwGame::_glfwGame = this;
	setenv("ALSOFT_DRIVERS", "null", 1);
	kx_gl.WindowSize = ScriptedWindowSize;
}

GameHost::~GameHost() {
	current = nullptr;
	if (KxGame::_game == this) KxGame::_game = nullptr;
	if (KxGlfwGame::_glfwGame == this) KxGlfwGame::_glfwGame = nullptr;
	kx_gl.WindowSize = kx_gl_native.WindowSize;
}

c_MyApp* GameHost::Launch(const char* savedState) {
	EnterScratchDir();
	if (savedState) WriteFile(".velmarstate", savedState);
	gc_init1();
	kxInit();
	gc_mark();
	kxMain();
	app = static_cast<c_MyApp*>(kx_app__app);
	StartGame();
	return app;
}

void GameHost::Update(int count) {
	for (int i = 0; i < count; ++i) {
		millisecs += UPDATE_MS;
		UpdateGame();
	}
}

void GameHost::Suspend() {
	SuspendGame();
}

void GameHost::Resume() {
	ResumeGame();
}

void GameHost::KeyDown(int key) {
	KeyEvent(c_KxGameEvent::EVENT_KEY_DOWN, key);
}

void GameHost::KeyUp(int key) {
	KeyEvent(c_KxGameEvent::EVENT_KEY_UP, key);
}

void GameHost::TypeChar(int chr) {
	KeyEvent(c_KxGameEvent::EVENT_KEY_CHAR, chr);
}

void GameHost::MouseMove(float x, float y) {
	MouseEvent(c_KxGameEvent::EVENT_MOUSE_MOVE, -1, x, y);
}

void GameHost::MouseDown(float x, float y) {
	MouseEvent(c_KxGameEvent::EVENT_MOUSE_DOWN, 0, x, y);
}

void GameHost::MouseUp(float x, float y) {
	MouseEvent(c_KxGameEvent::EVENT_MOUSE_UP, 0, x, y);
}

void GameHost::SetWindowSize(int width, int height) {
	windowWidth = width;
	windowHeight = height;
}

std::string GameHost::StateFile() const {
	std::ifstream in(".velmarstate", std::ios::binary);
	std::stringstream text;
	text << in.rdbuf();
	return text.str();
}

int GameHost::Millisecs() {
	return millisecs;
}

int GameHost::GetDeviceWidth() {
	return windowWidth;
}

int GameHost::GetDeviceHeight() {
	return windowHeight;
}

bool GameHost::PollJoystick(int port, Array<float> x, Array<float> y, Array<float> z, Array<bool> buttons) {
	if (glfwJoysticks) return KxGlfwGame::PollJoystick(port, x, y, z, buttons);
	const ScriptedPad& pad = pads[port];
	if (!pad.present) return false;
	for (int i = 0; i < 2; ++i) {
		x[i] = pad.x[i];
		y[i] = pad.y[i];
	}
	for (int b = 0; b < JOY_BUTTONS; ++b) buttons[b] = pad.buttons[b];
	return true;
}

void GameHost::SetGlfwWindow(int width, int height, int, int, int, int, int, int, bool full) {
	windowWidth = width;
	windowHeight = height;
	fullscreen = full;
	++windowCalls;
}

KxGlfwVideoMode* GameHost::GetGlfwDesktopMode() {
	KxGlfwVideoMode* mode = new KxGlfwVideoMode();
	mode->Width = desktopWidth;
	mode->Height = desktopHeight;
	mode->RedBits = mode->GreenBits = mode->BlueBits = 8;
	return mode;
}
