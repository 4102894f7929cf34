// game_loading_bench.cpp: the game's start-up to the end of loading.
//
// Each iteration boots the program on the scripted host (no window) and runs
// updates until the 27 loader steps are done, at the asset level of the
// window size given as the argument (640 x 480: level 2, 1280 x 720: level 4).
// Counters: the loader's updates and the process's resident memory after
// loading.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "support/game_harness.h"

namespace {

// Resident set size of this process in KiB (VmRSS of /proc/self/status).
long ResidentKiB() {
	std::ifstream status("/proc/self/status");
	std::string key;
	while (status >> key) {
		if (key == "VmRSS:") {
			long kib = 0;
			status >> kib;
			return kib;
		}
		status.ignore(4096, '\n');
	}
	return 0;
}

void BM_StartToEndOfLoading(benchmark::State& state) {
	int updates = 0;
	for (auto _ : state) {
		GameHost host;
		host.windowWidth = static_cast<int>(state.range(0));
		host.windowHeight = static_cast<int>(state.range(1));
		c_MyApp* app = host.Launch();
		updates = 0;
		while (app->m_loadStep != 0) {
			host.Update(1);
			++updates;
		}
	}
	state.counters["updates"] = updates;
	state.counters["rss_KiB"] = static_cast<double>(ResidentKiB());
}
BENCHMARK(BM_StartToEndOfLoading)->Args({640, 480})->Args({1280, 720})->Unit(benchmark::kMillisecond);

}  // namespace
