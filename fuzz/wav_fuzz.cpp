// wav_fuzz.cpp: libFuzzer target for the RIFF/WAVE reader.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "audio/audio_data.h"

// Reads the input as a sound file; a decoded block must hold what it claims.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
	FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
	if (!file) return 0;
	int length = 0, channels = 0, format = 0, hertz = 0;
	unsigned char* pcm = LoadWAV(file, &length, &channels, &format, &hertz);
	std::fclose(file);
	if (!pcm) return 0;
	size_t bytes = static_cast<size_t>(length) * channels * format;
	volatile unsigned char sum = 0;
	for (size_t i = 0; i < bytes; ++i) sum = sum + pcm[i];
	std::free(pcm);
	return 0;
}
