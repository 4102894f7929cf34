// wav_reader.cpp: the RIFF/WAVE reader for integer PCM.
//
// The format chunk must come first; other chunks before "data" are skipped.
// Every size is checked against the bytes really left in the file before
// anything is skipped or allocated, so a damaged header cannot make the reader
// allocate more than the file holds.
#include <cstdlib>
#include <cstring>

#include "audio/audio_data.h"

namespace {

// The part of a format chunk that is read field by field.
const int WAV_FMT_BASE_SIZE = 16;
// wFormatTag of integer PCM.
const int WAV_FORMAT_PCM = 1;

// An open file and the offset of its end.
struct WavFile {
	FILE* file;
	long end;
};

// The bytes between the read position and the end of the file; -1 if unknown.
long BytesLeft(const WavFile& wav) {
	long pos = std::ftell(wav.file);
	return pos < 0 ? -1 : wav.end - pos;
}

// Reads exactly count bytes.
bool ReadBytes(const WavFile& wav, void* out, size_t count) {
	return std::fread(out, 1, count, wav.file) == count;
}

// Reads a little-endian number of the given byte width (at most 4).
bool ReadLE(const WavFile& wav, int bytes, unsigned* out) {
	unsigned char b[4];
	if (!ReadBytes(wav, b, bytes)) return false;
	unsigned value = 0;
	for (int i = bytes - 1; i >= 0; --i) value = value << 8 | b[i];
	*out = value;
	return true;
}

// Reads four bytes and compares them with a chunk id.
bool ReadTag(const WavFile& wav, const char* tag) {
	char id[4];
	return ReadBytes(wav, id, sizeof id) && std::memcmp(id, tag, sizeof id) == 0;
}

// Reads a chunk size; refuses one that is negative or runs past the end of the file.
bool ReadChunkSize(const WavFile& wav, long* size) {
	unsigned raw = 0;
	if (!ReadLE(wav, 4, &raw)) return false;
	*size = static_cast<int>(raw);
	return *size >= 0 && *size <= BytesLeft(wav);
}

// Skips count bytes of chunk body and, for an odd count, the RIFF pad byte.
bool SkipChunkBody(const WavFile& wav, long count) {
	if (std::fseek(wav.file, count, SEEK_CUR) != 0) return false;
	// NOTE: a file may end right after an odd-sized last chunk without its pad byte.
	if ((count & 1) && BytesLeft(wav) > 0) return std::fseek(wav.file, 1, SEEK_CUR) == 0;
	return true;
}

// The layout read from the format chunk.
struct WavFormat {
	unsigned channels;
	unsigned hertz;
	unsigned bytesPerSample;
};

// Reads "RIFF", "WAVE" and the format chunk that must follow them.
bool ReadHeader(const WavFile& wav, WavFormat* fmt) {
	if (!ReadTag(wav, "RIFF")) return false;
	unsigned ignored = 0;
	if (!ReadLE(wav, 4, &ignored) || !ReadTag(wav, "WAVE") || !ReadTag(wav, "fmt ")) return false;
	long size = 0;
	if (!ReadChunkSize(wav, &size) || size < WAV_FMT_BASE_SIZE) return false;
	unsigned tag = 0, bits = 0;
	bool ok = ReadLE(wav, 2, &tag) && tag == WAV_FORMAT_PCM && ReadLE(wav, 2, &fmt->channels) &&
	          ReadLE(wav, 4, &fmt->hertz) && ReadLE(wav, 4, &ignored) && ReadLE(wav, 2, &ignored) &&
	          ReadLE(wav, 2, &bits);
	fmt->bytesPerSample = bits / 8;
	return ok && SkipChunkBody(wav, size - WAV_FMT_BASE_SIZE);
}

// Skips chunks up to "data" and reads its body into a new block of *size bytes.
unsigned char* ReadDataChunk(const WavFile& wav, long* size) {
	for (;;) {
		char id[4];
		if (!ReadBytes(wav, id, sizeof id) || !ReadChunkSize(wav, size)) return nullptr;
		if (std::memcmp(id, "data", sizeof id) != 0) {
			if (!SkipChunkBody(wav, *size)) return nullptr;
			continue;
		}
		// NOTE: malloc(0) may give null; an empty data chunk still gets a block.
		unsigned char* data = static_cast<unsigned char*>(std::malloc(*size > 0 ? *size : 1));
		if (data && ReadBytes(wav, data, *size)) return data;
		std::free(data);
		return nullptr;
	}
}

// The offset of the end of an open file, leaving the read position alone; -1 if unknown.
long FileEnd(FILE* file) {
	long pos = std::ftell(file);
	if (pos < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
	long end = std::ftell(file);
	return std::fseek(file, pos, SEEK_SET) == 0 ? end : -1;
}

}  // namespace

// Reads the header, finds the data chunk and returns its samples.
unsigned char* LoadWAV(FILE* file, int* length, int* channels, int* format, int* hertz) {
	// NOTE: a file whose size cannot be found (not seekable) is refused: its sizes cannot be checked.
	WavFile wav{file, FileEnd(file)};
	WavFormat fmt{};
	if (wav.end < 0 || !ReadHeader(wav, &fmt)) return nullptr;
	long frameBytes = static_cast<long>(fmt.channels) * fmt.bytesPerSample;
	if (frameBytes == 0) return nullptr;
	long size = 0;
	unsigned char* data = ReadDataChunk(wav, &size);
	if (!data) return nullptr;
	*length = static_cast<int>(size / frameBytes);
	*channels = static_cast<int>(fmt.channels);
	*format = static_cast<int>(fmt.bytesPerSample);
	*hertz = static_cast<int>(fmt.hertz);
	return data;
}
