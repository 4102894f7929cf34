// wav_fuzz.cpp: libFuzzer target for the RIFF/WAVE reader.
#include "audio/audio_data.h"
#include "fuzz/sound_fuzz.h"

// Reads the input as a .wav file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
	return FuzzSoundReader(LoadWAV, data, size);
}
