// wav_levels.cpp: loudness of a 16-bit PCM WAV file over time, for scenarios
// that listen to the mixed sound of the game.
//
// Usage:
//   wav_levels FILE length                  the length in milliseconds
//   wav_levels FILE windows MS              "START_MS PEAK" per window of MS
//   wav_levels FILE peak FROM_MS TO_MS      the peak of a span
//   wav_levels FILE silent FROM_MS TO_MS [LIMIT]
//                                           status 0 when no sample of the span
//                                           goes beyond LIMIT (default 64)
// Peaks are absolute sample values, 0 to 32768, over all channels. The file
// may still be growing, or its writer may have been killed before it set the
// chunk sizes: the sample data then runs to the end of the file. A span past
// the end is cut at the end.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// WAV format tags: plain PCM and the extensible form that carries PCM too.
const unsigned FORMAT_PCM = 1;
const unsigned FORMAT_EXTENSIBLE = 0xFFFE;
const unsigned BITS = 16;
// Header sizes: "RIFF" size "WAVE", then chunks of id and size.
const size_t RIFF_HEADER = 12;
const size_t CHUNK_HEADER = 8;
const size_t FMT_MIN = 16;
// A span is silent when no sample is louder than this.
const int SILENT_LIMIT = 64;
const int MS_PER_SECOND = 1000;

// The samples of the file, interleaved, and their layout.
struct Wave {
	unsigned channels = 0;
	unsigned rate = 0;
	std::vector<int16_t> samples;

	// Frames (one sample per channel) in the file.
	size_t Frames() const { return channels ? samples.size() / channels : 0; }
	// The frame at a time in milliseconds, cut at the end.
	size_t FrameAt(long ms) const {
		if (ms <= 0) return 0;
		size_t frame = static_cast<size_t>(ms) * rate / MS_PER_SECOND;
		return frame < Frames() ? frame : Frames();
	}
};

// A little-endian number of n bytes at p.
unsigned LittleEndian(const unsigned char* p, int n) {
	unsigned v = 0;
	for (int i = n - 1; i >= 0; --i) v = (v << 8) | p[i];
	return v;
}

// The whole file; false when it cannot be read.
bool ReadFile(const char* path, std::vector<unsigned char>& bytes) {
	FILE* f = std::fopen(path, "rb");
	if (!f) return false;
	unsigned char buffer[1 << 16];
	size_t n;
	while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
	std::fclose(f);
	return true;
}

// Reads the format and the samples; an error message on failure.
// NOTE: the data chunk's size is trusted only when it fits in the file; a
// writer that was killed leaves 0 or a stale size there.
std::string ParseWave(const std::vector<unsigned char>& b, Wave& wave) {
	if (b.size() < RIFF_HEADER || std::memcmp(&b[0], "RIFF", 4) != 0 || std::memcmp(&b[8], "WAVE", 4) != 0) {
		return "not a WAV file";
	}
	size_t pos = RIFF_HEADER;
	bool haveFormat = false;
	while (pos + CHUNK_HEADER <= b.size()) {
		const unsigned char* chunk = &b[pos];
		size_t size = LittleEndian(chunk + 4, 4);
		size_t body = pos + CHUNK_HEADER;
		if (std::memcmp(chunk, "fmt ", 4) == 0) {
			if (size < FMT_MIN || body + size > b.size()) return "short format chunk";
			unsigned tag = LittleEndian(&b[body], 2);
			wave.channels = LittleEndian(&b[body + 2], 2);
			wave.rate = LittleEndian(&b[body + 4], 4);
			unsigned bits = LittleEndian(&b[body + 14], 2);
			if ((tag != FORMAT_PCM && tag != FORMAT_EXTENSIBLE) || bits != BITS) return "not 16-bit PCM";
			if (wave.channels == 0 || wave.rate == 0) return "no channels or no rate";
			haveFormat = true;
		} else if (std::memcmp(chunk, "data", 4) == 0) {
			if (!haveFormat) return "data before format";
			size_t left = b.size() - body;
			if (size == 0 || size > left) size = left;
			wave.samples.resize(size / 2);
			for (size_t i = 0; i < wave.samples.size(); ++i) {
				wave.samples[i] = static_cast<int16_t>(LittleEndian(&b[body + 2 * i], 2));
			}
			return "";
		}
		pos = body + size + (size & 1);
	}
	return haveFormat ? "" : "no format chunk";
}

// The largest absolute sample of the frames [from, to).
int Peak(const Wave& wave, size_t from, size_t to) {
	int peak = 0;
	for (size_t i = from * wave.channels; i < to * wave.channels; ++i) {
		int v = std::abs(static_cast<int>(wave.samples[i]));
		if (v > peak) peak = v;
	}
	return peak;
}

// Prints the usage and returns the status for a wrong call.
int Usage() {
	std::fprintf(stderr,
	             "usage: wav_levels FILE length | windows MS | peak FROM_MS TO_MS | silent FROM_MS TO_MS [LIMIT]\n");
	return 2;
}

// Carries out the command in argv[2..] on the wave.
int Run(const Wave& wave, int argc, char** argv) {
	std::string command = argv[2];
	if (command == "length") {
		std::printf("%ld\n", static_cast<long>(wave.Frames() * MS_PER_SECOND / wave.rate));
		return 0;
	}
	if (command == "windows" && argc == 4) {
		long ms = std::atol(argv[3]);
		if (ms <= 0) return Usage();
		for (long start = 0; wave.FrameAt(start) < wave.Frames(); start += ms) {
			std::printf("%ld %d\n", start, Peak(wave, wave.FrameAt(start), wave.FrameAt(start + ms)));
		}
		return 0;
	}
	if ((command == "peak" || command == "silent") && argc >= 5) {
		int peak = Peak(wave, wave.FrameAt(std::atol(argv[3])), wave.FrameAt(std::atol(argv[4])));
		std::printf("%d\n", peak);
		if (command == "peak") return 0;
		int limit = argc > 5 ? std::atoi(argv[5]) : SILENT_LIMIT;
		return peak <= limit ? 0 : 1;
	}
	return Usage();
}

}  // namespace

// Reads the file and answers the command.
int main(int argc, char** argv) {
	if (argc < 3) return Usage();
	std::vector<unsigned char> bytes;
	if (!ReadFile(argv[1], bytes)) {
		std::fprintf(stderr, "wav_levels: cannot read %s\n", argv[1]);
		return 2;
	}
	Wave wave;
	std::string error = ParseWave(bytes, wave);
	if (!error.empty()) {
		std::fprintf(stderr, "wav_levels: %s: %s\n", argv[1], error.c_str());
		return 2;
	}
	return Run(wave, argc, argv);
}
