// wav_reader_test.cpp: the RIFF/WAVE reader on generated files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "audio/audio_data.h"
#include "support/wav_builder.h"

namespace {

// Output value a refused file must leave untouched.
const int UNTOUCHED = -7;

// What LoadWAV made of a file.
struct Decoded {
	unsigned char* data = nullptr;
	int length = UNTOUCHED, channels = UNTOUCHED, format = UNTOUCHED, hertz = UNTOUCHED;

	~Decoded() { std::free(data); }
	bool Untouched() const {
		return length == UNTOUCHED && channels == UNTOUCHED && format == UNTOUCHED && hertz == UNTOUCHED;
	}
};

// Decodes bytes through a real (temporary) file.
void Decode(const Bytes& bytes, Decoded* out) {
	FILE* file = std::tmpfile();
	ASSERT_NE(file, nullptr);
	if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
	std::rewind(file);
	out->data = LoadWAV(file, &out->length, &out->channels, &out->format, &out->hertz);
	std::fclose(file);
}

// Expects a file to be refused without touching the outputs.
void ExpectRefused(const Bytes& bytes, const char* why) {
	Decoded d;
	Decode(bytes, &d);
	EXPECT_EQ(d.data, nullptr) << why;
	EXPECT_TRUE(d.Untouched()) << why;
}

// The first bytes of the data body MakeWav writes.
void ExpectRampData(const unsigned char* data, int count) {
	for (int i = 0; i < count; ++i) ASSERT_EQ(data[i], static_cast<unsigned char>(i * 7)) << "byte " << i;
}

WavLayout Stereo16(int dataBytes) {
	WavLayout layout;
	layout.dataBytes = dataBytes;
	return layout;
}

// A header whose format chunk declares a size (the body is a normal 16-byte one).
Bytes WithFmtSize(unsigned fmtSize) {
	WavBuilder wav;
	Bytes body = WavFormatBody(Stereo16(0));
	wav.Tag("fmt ").U32(fmtSize).bytes.insert(wav.bytes.end(), body.begin(), body.end());
	return wav.Chunk("data", Bytes(400, 1)).Riff().bytes;
}

// A file with one chunk of declared size (and a shorter real body) before "data".
Bytes WithChunkSize(unsigned declared) {
	WavBuilder wav;
	wav.Chunk("fmt ", WavFormatBody(Stereo16(0))).Tag("LIST").U32(declared).Fill(6, 0);
	return wav.Chunk("data", Bytes(400, 1)).Riff().bytes;
}

// Expects a file with that format chunk size and those chunks before "data" to give its data intact.
void ExpectDataAfter(int fmtSize, const std::vector<std::pair<std::string, Bytes>>& chunks) {
	WavLayout layout = Stereo16(4000);
	layout.fmtSize = fmtSize;
	layout.extraChunks = chunks;
	Decoded d;
	Decode(MakeWav(layout), &d);
	ASSERT_NE(d.data, nullptr);
	EXPECT_EQ(d.length, 1000);
	ExpectRampData(d.data, 4000);
}

}  // namespace

TEST(WavReader, Stereo16BitDataGivesFramesChannelsAndFormat) {
	Decoded d;
	Decode(MakeWav(Stereo16(40000)), &d);
	ASSERT_NE(d.data, nullptr);
	EXPECT_EQ(d.length, 10000);
	EXPECT_EQ(d.channels, 2);
	EXPECT_EQ(d.format, 2);
	EXPECT_EQ(d.hertz, 22050);
	ExpectRampData(d.data, 40000);
}

TEST(WavReader, EightBitMonoAndTwentyFourBitLayouts) {
	WavLayout mono8;
	mono8.channels = 1;
	mono8.bits = 8;
	mono8.hertz = 11025;
	mono8.dataBytes = 999;
	Decoded a;
	Decode(MakeWav(mono8), &a);
	ASSERT_NE(a.data, nullptr);
	EXPECT_EQ(a.length, 999);
	EXPECT_EQ(a.channels, 1);
	EXPECT_EQ(a.format, 1);
	EXPECT_EQ(a.hertz, 11025);

	WavLayout stereo24 = Stereo16(600);
	stereo24.bits = 24;
	Decoded b;
	Decode(MakeWav(stereo24), &b);
	ASSERT_NE(b.data, nullptr);
	EXPECT_EQ(b.length, 100);
	EXPECT_EQ(b.format, 3);
}

TEST(WavReader, ExtendedFormatChunkAndChunksBeforeData) {
	ExpectDataAfter(18, {{"LIST", Bytes(26, 'x')}, {"fact", Bytes(4, 0)}});
}

TEST(WavReader, OddSizedChunksAreFollowedByAPadByte) {
	ExpectDataAfter(18, {{"LIST", Bytes(27, 'x')}});
	ExpectDataAfter(17, {{"LIST", Bytes(5, 'x')}, {"junk", Bytes(1, 0)}});
}

TEST(WavReader, OddDataChunkAtTheEndWithoutItsPadByteLoads) {
	WavLayout layout = Stereo16(0);
	layout.channels = 1;
	layout.bits = 8;
	layout.dataBytes = 7;
	Bytes bytes = MakeWav(layout);
	bytes.pop_back();
	Decoded d;
	Decode(bytes, &d);
	ASSERT_NE(d.data, nullptr);
	EXPECT_EQ(d.length, 7);
}

TEST(WavReader, EmptyDataChunkLoadsWithNoFrames) {
	Decoded d;
	Decode(MakeWav(Stereo16(0)), &d);
	ASSERT_NE(d.data, nullptr);
	EXPECT_EQ(d.length, 0);
}

TEST(WavReader, WrongContainerOrFormatIsRefused) {
	Bytes good = MakeWav(Stereo16(400));
	Bytes notRiff = good, notWave = good, notPcm = good;
	std::memcpy(&notRiff[0], "RIFX", 4);
	std::memcpy(&notWave[8], "AVI ", 4);
	notPcm[20] = 3;
	ExpectRefused(notRiff, "RIFX");
	ExpectRefused(notWave, "AVI");
	ExpectRefused(notPcm, "float samples");
	ExpectRefused(Bytes(), "empty file");

	WavBuilder listFirst;
	listFirst.Chunk("LIST", Bytes(4, 0)).Chunk("fmt ", WavFormatBody(Stereo16(0))).Chunk("data", Bytes(40, 0));
	ExpectRefused(listFirst.Riff().bytes, "format chunk not first");

	WavBuilder noData;
	noData.Chunk("fmt ", WavFormatBody(Stereo16(0))).Chunk("LIST", Bytes(40, 0));
	ExpectRefused(noData.Riff().bytes, "no data chunk");
}

TEST(WavReader, EveryTruncationIsRefused) {
	Bytes good = MakeWav(Stereo16(400));
	for (size_t size = 0; size < good.size(); ++size) {
		Bytes cut(good.begin(), good.begin() + size);
		ExpectRefused(cut, ("cut at " + std::to_string(size)).c_str());
	}
}

TEST(WavReader, ChunkSizesPastTheEndOfTheFileAreRefused) {
	ExpectRefused(WithChunkSize(0x7FFFFFF0u), "huge chunk before data");
	ExpectRefused(WithChunkSize(0xFFFFFFFFu), "negative chunk size");
	ExpectRefused(WithChunkSize(0x80000000u), "most negative chunk size");
	ExpectRefused(WithFmtSize(0x7FFFFFF0u), "huge format chunk");
	ExpectRefused(WithFmtSize(0xFFFFFFF0u), "negative format chunk");

	Bytes hugeData = MakeWav(Stereo16(400));
	size_t dataSize = hugeData.size() - 400 - 4;
	hugeData[dataSize + 3] = 0x7F;
	ExpectRefused(hugeData, "data size of 2 GiB");

	Bytes shortData = MakeWav(Stereo16(400));
	shortData.pop_back();
	ExpectRefused(shortData, "data one byte short");
}

TEST(WavReader, FormatChunkShorterThanItsFieldsIsRefused) {
	ExpectRefused(WithFmtSize(14), "14-byte format chunk");
	ExpectRefused(WithFmtSize(0), "empty format chunk");
}

TEST(WavReader, FramesOfZeroBytesAreRefused) {
	WavLayout noChannels = Stereo16(400);
	noChannels.channels = 0;
	ExpectRefused(MakeWav(noChannels), "no channels");
	WavLayout fourBit = Stereo16(400);
	fourBit.bits = 4;
	ExpectRefused(MakeWav(fourBit), "4 bits per sample");
}
