// sound_fuzz.h: the body shared by the fuzz targets of the sound readers.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A reader of one sound format: the open file in, PCM data and its shape out.
typedef unsigned char* (*SoundReader)(FILE* file, int* length, int* channels, int* format, int* hertz);

// Decodes the input with a reader; a decoded block must hold what it claims,
// so every byte of it is touched.
inline int FuzzSoundReader(SoundReader reader, const uint8_t* data, size_t size) {
	FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
	if (!file) return 0;
	int length = 0, channels = 0, format = 0, hertz = 0;
	unsigned char* pcm = reader(file, &length, &channels, &format, &hertz);
	std::fclose(file);
	if (!pcm) return 0;
	size_t bytes = static_cast<size_t>(length) * channels * format;
	volatile unsigned char sum = 0;
	for (size_t i = 0; i < bytes; ++i) sum = sum + pcm[i];
	std::free(pcm);
	return 0;
}
