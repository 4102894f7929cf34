// openal_sandbox.h: runs audio tests against OpenAL Soft's null or wave backend.
//
// OpenAL Soft reads its configuration once per process, when it starts, so
// every setup runs in a child process of its own: the child writes an
// alsoft.conf, points ALSOFT_CONF and ALSOFT_DRIVERS at the chosen backend and
// runs the test body; the parent only sees whether the child passed.
#pragma once

#include <functional>
#include <string>
#include <vector>

// The backend a child process gets.
struct OpenALSetup {
	// "null", "wave", or a name no backend has (no device at all).
	std::string driver = "null";
	// Most sources a device gives; 0 keeps the library's default.
	int sources = 0;
	// Where the wave backend writes (16-bit stereo, no dithering).
	std::string waveFile;
};

// Runs body in a child with that OpenAL setup; true when the child's checks all passed.
bool RunWithOpenAL(const OpenALSetup& setup, const std::function<void()>& body);

// The 16-bit samples the wave backend has written to its file so far, after the header.
std::vector<short> ReadWaveOutput(const std::string& path);
// The number of samples the wave backend has written so far.
size_t WaveSamplesWritten(const std::string& path);
// The largest absolute sample in [from, to) (clamped to the samples there).
int PeakLevel(const std::vector<short>& samples, size_t from, size_t to);
// Sleeps for a number of milliseconds.
void SleepMs(int ms);
