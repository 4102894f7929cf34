// ogg_reader.cpp: Ogg Vorbis decoding through stb_vorbis, into one growing block.
#include <cstdlib>
#include <cstring>

#include "audio/audio_data.h"

// The decoder itself lives in the stb library; only its declarations are wanted.
#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>

namespace {

// Sample frames of free space kept ahead of every decoded frame; no Vorbis
// frame is longer, so a frame is never cut short.
const int OGG_FRAME_SPACE = 4096;

}  // namespace

// Decodes frame after frame, doubling the block when the free space runs low.
unsigned char* LoadOGG(FILE* file, int* length, int* channels, int* format, int* hertz) {
	int error = 0;
	stb_vorbis* vorbis = stb_vorbis_open_file(file, 0, &error, nullptr);
	if (!vorbis) return nullptr;
	stb_vorbis_info info = stb_vorbis_get_info(vorbis);
	int chans = info.channels;
	int capacity = OGG_FRAME_SPACE * chans;
	int used = 0;
	short* data = static_cast<short*>(std::malloc(capacity * sizeof(short)));
	while (data) {
		int frames = stb_vorbis_get_frame_short_interleaved(vorbis, chans, data + used, capacity - used);
		if (frames == 0) break;
		used += frames * chans;
		if (capacity < used + OGG_FRAME_SPACE * chans) {
			capacity *= 2;
			short* grown = static_cast<short*>(std::realloc(data, capacity * sizeof(short)));
			if (!grown) std::free(data);
			data = grown;
		}
	}
	stb_vorbis_close(vorbis);
	if (!data) return nullptr;
	// NOTE: an empty piece keeps its first block; realloc to 0 bytes would free it.
	if (used > 0) {
		short* shrunk = static_cast<short*>(std::realloc(data, used * sizeof(short)));
		if (shrunk) data = shrunk;
	}
	*length = used / chans;
	*channels = chans;
	*format = 2;
	*hertz = static_cast<int>(info.sample_rate);
	return reinterpret_cast<unsigned char*>(data);
}
