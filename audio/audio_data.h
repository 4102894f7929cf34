// audio_data.h: sound file decoders.
//
// Each decoder reads an open file and returns a malloc'd block of interleaved,
// little-endian PCM (the caller frees it) with its length in sample frames,
// channel count, bytes per sample (1 unsigned, 2 signed) and sample rate; or
// null, leaving the outputs untouched. Neither decoder closes the file.
#pragma once

#include <cstdio>

// A RIFF/WAVE file of integer PCM.
unsigned char* LoadWAV(FILE* file, int* length, int* channels, int* format, int* hertz);
// An Ogg Vorbis file, always decoded to 16-bit samples.
unsigned char* LoadOGG(FILE* file, int* length, int* channels, int* format, int* hertz);
