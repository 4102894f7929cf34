// wav_builder.cpp: RIFF/WAVE files put together byte by byte for tests.
#include "support/wav_builder.h"

#include <cstdio>
#include <cstdlib>

WavBuilder& WavBuilder::Tag(const char* fourChars) {
	bytes.insert(bytes.end(), fourChars, fourChars + 4);
	return *this;
}

WavBuilder& WavBuilder::U16(unsigned value) {
	bytes.push_back(value & 0xFF);
	bytes.push_back(value >> 8 & 0xFF);
	return *this;
}

WavBuilder& WavBuilder::U32(unsigned value) {
	return U16(value & 0xFFFF).U16(value >> 16);
}

WavBuilder& WavBuilder::Fill(size_t count, unsigned char value) {
	bytes.insert(bytes.end(), count, value);
	return *this;
}

WavBuilder& WavBuilder::Chunk(const char* id, const Bytes& body) {
	Tag(id).U32(static_cast<unsigned>(body.size()));
	bytes.insert(bytes.end(), body.begin(), body.end());
	return Fill(body.size() & 1, 0);
}

WavBuilder& WavBuilder::Riff() {
	Bytes rest = bytes;
	bytes.clear();
	Tag("RIFF").U32(static_cast<unsigned>(rest.size() + 4)).Tag("WAVE");
	bytes.insert(bytes.end(), rest.begin(), rest.end());
	return *this;
}

Bytes WavFormatBody(const WavLayout& layout) {
	unsigned frameBytes = layout.channels * (layout.bits / 8);
	WavBuilder fmt;
	fmt.U16(1).U16(layout.channels).U32(layout.hertz).U32(layout.hertz * frameBytes).U16(frameBytes).U16(layout.bits);
	return fmt.Fill(layout.fmtSize - 16, 0).bytes;
}

Bytes MakeWav(const WavLayout& layout) {
	WavBuilder wav;
	wav.Chunk("fmt ", WavFormatBody(layout));
	for (const auto& chunk : layout.extraChunks) wav.Chunk(chunk.first.c_str(), chunk.second);
	Bytes data(layout.dataBytes);
	for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<unsigned char>(i * 7);
	return wav.Chunk("data", data).Riff().bytes;
}

std::string MakeTempDir() {
	const char* base = std::getenv("TMPDIR");
	std::string pattern = std::string(base && *base ? base : "/tmp") + "/zimbolo-XXXXXX";
	char* made = mkdtemp(&pattern[0]);
	return made ? pattern : std::string();
}

bool WriteBytes(const std::string& path, const Bytes& bytes) {
	FILE* file = std::fopen(path.c_str(), "wb");
	if (!file) return false;
	size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), file);
	return std::fclose(file) == 0 && written == bytes.size();
}
