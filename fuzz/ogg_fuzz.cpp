// ogg_fuzz.cpp: libFuzzer target for the Ogg Vorbis reader.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "audio/audio_data.h"

// Decodes the input as an Ogg file and touches every decoded byte.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
	FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
	if (!file) return 0;
	int length = 0, channels = 0, format = 0, hertz = 0;
	unsigned char* pcm = LoadOGG(file, &length, &channels, &format, &hertz);
	std::fclose(file);
	if (!pcm) return 0;
	size_t bytes = static_cast<size_t>(length) * channels * format;
	volatile unsigned char sum = 0;
	for (size_t i = 0; i < bytes; ++i) sum = sum + pcm[i];
	std::free(pcm);
	return 0;
}
