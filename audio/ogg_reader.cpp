// ogg_reader.cpp: Ogg Vorbis decoding through libvorbisfile, into one growing block.
#include <cstdlib>
#include <cstring>

#include <vorbis/vorbisfile.h>

#include "audio/audio_data.h"

namespace {

// Bytes asked of the decoder per read, and the first block's size.
const int OGG_READ_BYTES = 16384;
// Bytes per decoded sample: signed 16-bit.
const int OGG_SAMPLE_BYTES = 2;

// Decodes the whole stream into a malloc'd block; its size goes to *used.
// Decoding stops at the end, at a damaged page or where a chained stream
// changes its channel count.
unsigned char* decodeAll(OggVorbis_File* vf, int chans, long* used) {
	long capacity = OGG_READ_BYTES * 2;
	*used = 0;
	unsigned char* data = static_cast<unsigned char*>(std::malloc(capacity));
	while (data) {
		if (capacity - *used < OGG_READ_BYTES) {
			capacity *= 2;
			unsigned char* grown = static_cast<unsigned char*>(std::realloc(data, capacity));
			if (!grown) std::free(data);
			data = grown;
			if (!data) break;
		}
		int section = 0;
		long got = ov_read(vf, reinterpret_cast<char*>(data + *used), OGG_READ_BYTES, 0, OGG_SAMPLE_BYTES, 1,
		                   &section);
		if (got <= 0 || ov_info(vf, -1)->channels != chans) break;
		*used += got;
	}
	return data;
}

}  // namespace

// NOTE: the reference decoder is used rather than stb_vorbis, which faults
// (frees wild pointers) on some damaged stream headers.
unsigned char* LoadOGG(FILE* file, int* length, int* channels, int* format, int* hertz) {
	OggVorbis_File vf;
	if (ov_open_callbacks(file, &vf, nullptr, 0, OV_CALLBACKS_NOCLOSE) != 0) return nullptr;
	vorbis_info* info = ov_info(&vf, -1);
	int chans = info->channels;
	long rate = info->rate;
	long used = 0;
	unsigned char* data = chans > 0 ? decodeAll(&vf, chans, &used) : nullptr;
	ov_clear(&vf);
	if (!data) return nullptr;
	// NOTE: an empty piece keeps its first block; realloc to 0 bytes would free it.
	if (used > 0) {
		unsigned char* shrunk = static_cast<unsigned char*>(std::realloc(data, used));
		if (shrunk) data = shrunk;
	}
	*length = static_cast<int>(used / (OGG_SAMPLE_BYTES * chans));
	*channels = chans;
	*format = OGG_SAMPLE_BYTES;
	*hertz = static_cast<int>(rate);
	return data;
}
