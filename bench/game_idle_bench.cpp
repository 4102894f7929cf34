// game_idle_bench.cpp: the real game on the real GLFW host, from its start to
// a stretch of idling in the menu.
//
// The benchmark starts the game as the game binary does (KxVelmarGame::Main,
// which opens the window, creates c_MyApp and runs the frame loop), with a
// counting delegate slipped in front of the game's own. It times the start to
// the first frame and to the first frame of the menu, then lets the menu sit
// for IDLE_SECONDS and counts the updates and renders of that stretch and the
// processor time the process used (every thread: Mesa's software rasteriser
// runs in threads of its own; the X server's share is not counted) and the
// part of it the game's own thread used. Then it asks the window to close,
// and the frame loop ends as it does on a closed window. The game runs in a
// scratch directory holding a link to the build's data/, with OpenAL Soft
// mixing into nothing (the mixer still runs). The start is
// counted from the call of Main: the process's own loading is not in it.
// Counters: first_frame_ms, menu_ms, updates_per_s, renders_per_s,
// cpu_percent and game_thread_cpu_percent (of one core), suspends (the window
// losing its focus; 0 when the figures hold).
#include <benchmark/benchmark.h>

#include <GLFW/glfw3.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>

#include "game/my_app.h"
#include "game/zimbolo.h"
#include "host/app.h"
#include "host/kx_game.h"
#include "support/game_harness.h"

namespace {

// How long the menu idles, and how long it settles before that.
const double IDLE_SECONDS = 30.0;
const double SETTLE_SECONDS = 1.0;

using Clock = std::chrono::steady_clock;

// Seconds since a point of the steady clock.
double SecondsSince(Clock::time_point start) {
	return std::chrono::duration<double>(Clock::now() - start).count();
}

// Processor time used so far, in seconds, by the process (RUSAGE_SELF) or by
// the calling thread (RUSAGE_THREAD).
double CpuSeconds(int who) {
	rusage usage;
	getrusage(who, &usage);
	return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// What the counting delegate saw.
struct Tally {
	Clock::time_point launch;
	double firstFrame = -1;
	double menu = -1;
	double idleStart = -1;
	double idleCpuStart = 0;
	double idleThreadCpuStart = 0;
	double idleSeconds = 0;
	double idleCpu = 0;
	double idleThreadCpu = 0;
	int idleUpdates = 0;
	int idleRenders = 0;
	int suspends = 0;
	bool lastUpdateRanMenu = false;
	bool done = false;
};

Tally g_tally;

// The game's own delegate behind one that counts and times.
class CountingDelegate : public KxGameDelegate {
public:
	explicit CountingDelegate(KxGameDelegate* game) : m_game(game) {}

	void mark() override { gc_mark_q(m_game); }

	// NOTE: without a window manager nothing gives the new window the focus,
	// and an unfocused game runs suspended; the start asks for it.
	void StartGame() override {
		glfwFocusWindow(glfwGetCurrentContext());
		m_game->StartGame();
	}
	void SuspendGame() override {
		++g_tally.suspends;
		m_game->SuspendGame();
	}
	void ResumeGame() override { m_game->ResumeGame(); }
	void UpdateGame() override {
		c_MyApp* app = static_cast<c_MyApp*>(kx_app__app);
		g_tally.lastUpdateRanMenu = app->m_loadStep == 0 && app->m_gameState == STATE_MENU;
		m_game->UpdateGame();
		if (g_tally.idleStart >= 0) ++g_tally.idleUpdates;
	}
	void RenderGame() override {
		m_game->RenderGame();
		double now = SecondsSince(g_tally.launch);
		if (g_tally.firstFrame < 0) g_tally.firstFrame = now;
		if (g_tally.menu < 0 && g_tally.lastUpdateRanMenu) g_tally.menu = now;
		Idle(now);
	}
	void KeyEvent(int event, int data) override { m_game->KeyEvent(event, data); }
	void MouseEvent(int event, int data, float x, float y) override { m_game->MouseEvent(event, data, x, y); }
	void TouchEvent(int event, int data, float x, float y) override { m_game->TouchEvent(event, data, x, y); }
	void MotionEvent(int event, int data, float x, float y, float z) override {
		m_game->MotionEvent(event, data, x, y, z);
	}
	void DiscardGraphics() override { m_game->DiscardGraphics(); }

private:
	KxGameDelegate* m_game;

	// Opens the idle stretch after the settling time, counts it, and closes
	// the window at its end.
	void Idle(double now) {
		Tally& t = g_tally;
		if (t.menu < 0 || t.done) return;
		if (t.idleStart < 0) {
			if (now - t.menu < SETTLE_SECONDS) return;
			t.idleStart = now;
			t.idleCpuStart = CpuSeconds(RUSAGE_SELF);
			t.idleThreadCpuStart = CpuSeconds(RUSAGE_THREAD);
			return;
		}
		++t.idleRenders;
		if (now - t.idleStart < IDLE_SECONDS) return;
		t.idleSeconds = now - t.idleStart;
		t.idleCpu = CpuSeconds(RUSAGE_SELF) - t.idleCpuStart;
		t.idleThreadCpu = CpuSeconds(RUSAGE_THREAD) - t.idleThreadCpuStart;
		t.done = true;
		glfwSetWindowShouldClose(glfwGetCurrentContext(), GLFW_TRUE);
	}
};

// Puts the counting delegate in front of the game's.
void WrapDelegate(KxVelmarGame* game) {
	game->SetDelegate(new CountingDelegate(game->Delegate()));
}

void BM_GameStartAndIdleMenu(benchmark::State& state) {
	EnterScratchDir();
	setenv("ALSOFT_DRIVERS", "null", 1);
	for (auto _ : state) {
		static const char* args[] = {"zimbolo", nullptr};
		g_tally.launch = Clock::now();
		KxVelmarGame::Main(1, args, WrapDelegate);
		state.SetIterationTime(g_tally.idleSeconds);
	}
	const Tally& t = g_tally;
	if (!t.done) state.SkipWithError("the game never idled in its menu");
	state.counters["first_frame_ms"] = 1000 * t.firstFrame;
	state.counters["menu_ms"] = 1000 * t.menu;
	state.counters["updates_per_s"] = t.idleUpdates / t.idleSeconds;
	state.counters["renders_per_s"] = t.idleRenders / t.idleSeconds;
	state.counters["cpu_percent"] = 100 * t.idleCpu / t.idleSeconds;
	state.counters["game_thread_cpu_percent"] = 100 * t.idleThreadCpu / t.idleSeconds;
	state.counters["suspends"] = t.suspends;
}
// NOTE: one iteration: the game's globals live once per process.
BENCHMARK(BM_GameStartAndIdleMenu)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
