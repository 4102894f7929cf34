// host_app.cpp: a small application on the real host, for the window tests.
//
// It opens the game's window through KxVelmarGame::Main, runs at 60 updates
// per second and reports on standard output: "ready" after the first update,
// "key N" for every key hit and "char N" for every character of an update.
// F4 ends it through kx_app_EndApp. Started with "measure", it ends by
// itself after five seconds and first prints the updates it ran and its
// processor time over them. Started with "crash" or "error", its first update
// ends in a fatal signal or in a runtime error (a second application). A run
// that nobody ends stops after a minute with status 3.
#include <sys/resource.h>

#include <GL/gl.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/app.h"
#include "host/framework_init.h"
#include "input/input_api.h"
#include "input/key_codes.h"
#include "runtime/gc.h"

namespace {

// Length of a measuring run.
const int MEASURE_MS = 5000;
// A run nobody ends stops after this long, with EXIT_ABANDONED.
const int ABANDON_MS = 60000;
const int EXIT_ABANDONED = 3;
const int UPDATE_RATE = 60;

// The run the command line asks for: "measure", "crash", "error" or none.
std::string run;

// Processor time used by the process so far, in seconds.
double cpuSeconds() {
	rusage usage;
	getrusage(RUSAGE_SELF, &usage);
	return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class c_HostApp : public c_App {
public:
	int m_updates = 0;
	int m_startMs = 0;
	double m_startCpu = 0.0;

	c_HostApp* m_new() {
		c_App::m_new();
		return this;
	}

	int p_OnCreate() override {
		kx_app_SetUpdateRate(UPDATE_RATE);
		return 0;
	}

	int p_OnUpdate() override {
		if (m_updates == 0) {
			m_startMs = kx_app_Millisecs();
			m_startCpu = cpuSeconds();
			std::printf("ready %d %d\n", kx_app_DeviceWidth(), kx_app_DeviceHeight());
		}
		++m_updates;
		ReportInput();
		std::fflush(stdout);
		if (run == "crash") std::raise(SIGSEGV);
		if (run == "error") (new c_HostApp)->m_new();
		if (kx_input_KeyHit(KEY_F4)) kx_app_EndApp();
		int elapsed = kx_app_Millisecs() - m_startMs;
		if (elapsed >= ABANDON_MS) std::exit(EXIT_ABANDONED);
		if (run == "measure" && elapsed >= MEASURE_MS) {
			std::printf("updates %d ms %d cpu %.3f\n", m_updates - 1, elapsed, cpuSeconds() - m_startCpu);
			std::fflush(stdout);
			kx_app_EndApp();
		}
		return 0;
	}

	int p_OnRender() override {
		glClearColor(0.0f, 0.0f, 0.2f, 1.0f);
		glClear(GL_COLOR_BUFFER_BIT);
		return 0;
	}

	// Every key hit and typed character of this update.
	void ReportInput() {
		for (int key = 1; key < KEY_TABLE_SIZE; ++key) {
			for (int i = kx_input_KeyHit(key); i > 0; --i) std::printf("key %d\n", key);
		}
		for (int chr = kx_input_GetChar(); chr; chr = kx_input_GetChar()) std::printf("char %d\n", chr);
	}
};

}  // namespace

void kxInit() {
	kx_framework_InitGlobals();
	gc_mark_roots = kx_framework_MarkRoots;
}

int kxMain() {
	(new c_HostApp)->m_new();
	return 0;
}

int main(int argc, char** argv) {
	if (argc > 1) run = argv[1];
	KxVelmarGame::Main(argc, const_cast<const char**>(argv));
	return 0;
}
