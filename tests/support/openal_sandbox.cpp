// openal_sandbox.cpp: child processes with their own OpenAL Soft configuration.
#include "support/openal_sandbox.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "support/wav_builder.h"

namespace {

// Bytes of the RIFF header the wave backend writes before its samples (an
// extensible format chunk, then the "data" id and size).
const size_t WAVE_HEADER_BYTES = 68;

// The configuration file text for a setup.
std::string ConfigText(const OpenALSetup& setup) {
	std::string text = "[general]\ndrivers = " + setup.driver + "\n";
	text += "sample-type = int16\nchannels = stereo\nfrequency = 44100\ndither = false\n";
	if (setup.sources > 0) text += "sources = " + std::to_string(setup.sources) + "\n";
	if (!setup.waveFile.empty()) text += "[wave]\nfile = " + setup.waveFile + "\n";
	return text;
}

// In the child: configure OpenAL Soft, run the body, report through the exit status.
[[noreturn]] void RunChild(const OpenALSetup& setup, const std::function<void()>& body) {
	std::string dir = MakeTempDir();
	std::string conf = dir + "/alsoft.conf";
	std::string text = ConfigText(setup);
	bool written = WriteBytes(conf, Bytes(text.begin(), text.end()));
	EXPECT_TRUE(written) << conf;
	setenv("ALSOFT_CONF", conf.c_str(), 1);
	setenv("ALSOFT_DRIVERS", setup.driver.c_str(), 1);
	if (written) body();
	std::fflush(stdout);
	std::fflush(stderr);
	_exit(::testing::Test::HasFailure() ? 1 : 0);
}

}  // namespace

bool RunWithOpenAL(const OpenALSetup& setup, const std::function<void()>& body) {
	std::fflush(stdout);
	pid_t child = fork();
	if (child < 0) return false;
	if (child == 0) RunChild(setup, body);
	int status = 0;
	if (waitpid(child, &status, 0) != child) return false;
	return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::vector<short> ReadWaveOutput(const std::string& path) {
	std::ifstream in(path, std::ios::binary);
	std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
	std::vector<short> samples;
	if (bytes.size() < WAVE_HEADER_BYTES || std::memcmp(&bytes[WAVE_HEADER_BYTES - 8], "data", 4) != 0) return samples;
	for (size_t i = WAVE_HEADER_BYTES; i + 1 < bytes.size(); i += 2) {
		unsigned low = static_cast<unsigned char>(bytes[i]), high = static_cast<unsigned char>(bytes[i + 1]);
		samples.push_back(static_cast<short>(low | high << 8));
	}
	return samples;
}

size_t WaveSamplesWritten(const std::string& path) {
	struct stat info;
	if (stat(path.c_str(), &info) != 0 || static_cast<size_t>(info.st_size) < WAVE_HEADER_BYTES) return 0;
	return (info.st_size - WAVE_HEADER_BYTES) / 2;
}

int PeakLevel(const std::vector<short>& samples, size_t from, size_t to) {
	int peak = 0;
	for (size_t i = from; i < std::min(to, samples.size()); ++i) peak = std::max(peak, std::abs(samples[i]));
	return peak;
}

void SleepMs(int ms) {
	usleep(static_cast<useconds_t>(ms) * 1000);
}
