// wav_builder.h: RIFF/WAVE files put together byte by byte for tests, and temporary files.
#pragma once

#include <string>
#include <vector>

typedef std::vector<unsigned char> Bytes;

// Little-endian pieces of a file.
class WavBuilder {
public:
	WavBuilder& Tag(const char* fourChars);
	WavBuilder& U16(unsigned value);
	WavBuilder& U32(unsigned value);
	WavBuilder& Fill(size_t count, unsigned char value);
	// An id, a size and a body, with the pad byte RIFF puts after an odd size.
	WavBuilder& Chunk(const char* id, const Bytes& body);
	// "RIFF", the size of the rest and "WAVE".
	WavBuilder& Riff();

	Bytes bytes;
};

// The layout of a generated PCM file.
struct WavLayout {
	int channels = 2;
	int hertz = 22050;
	int bits = 16;
	// 16, or more with that many bytes of extension (zeros).
	int fmtSize = 16;
	int dataBytes = 0;
	// Chunks written between the format chunk and "data".
	std::vector<std::pair<std::string, Bytes>> extraChunks;
};

// The format chunk's body for a layout.
Bytes WavFormatBody(const WavLayout& layout);
// A whole file: RIFF header, format chunk, extra chunks, then data of a ramp pattern.
Bytes MakeWav(const WavLayout& layout);

// A new empty directory under the system's temporary directory.
std::string MakeTempDir();
// Writes bytes to a file; false if it could not be written.
bool WriteBytes(const std::string& path, const Bytes& bytes);
