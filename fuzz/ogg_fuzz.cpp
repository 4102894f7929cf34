// ogg_fuzz.cpp: libFuzzer target for the Ogg Vorbis reader.
#include "audio/audio_data.h"
#include "fuzz/sound_fuzz.h"

// Reads the input as a .ogg file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
	return FuzzSoundReader(LoadOGG, data, size);
}
