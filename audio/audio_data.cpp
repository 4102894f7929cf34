// audio_data.cpp: the host's sound file loading, by file extension.
#include "audio/audio_data.h"

#include "host/kx_game.h"

// Opens and decodes a ".wav" or ".ogg" file (any letter case); null otherwise.
unsigned char* KxGlfwGame::LoadAudioData(String path, int* length, int* channels, int* format, int* hertz) {
	FILE* file = OpenFile(path, "rb");
	if (!file) return nullptr;
	String lower = path.ToLower();
	unsigned char* data = nullptr;
	if (lower.EndsWith(".wav")) {
		data = LoadWAV(file, length, channels, format, hertz);
	} else if (lower.EndsWith(".ogg")) {
		data = LoadOGG(file, length, channels, format, hertz);
	}
	std::fclose(file);
	if (data) gc_ext_malloced(*length * *channels * *format);
	return data;
}
