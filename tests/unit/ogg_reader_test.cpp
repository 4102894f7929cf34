// ogg_reader_test.cpp: Ogg Vorbis decoding of files made by the test encoder.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstdlib>

#include "audio/audio_data.h"
#include "support/ogg_writer.h"
#include "support/wav_builder.h"

#if defined(__SANITIZE_ADDRESS__)
// The exact size AddressSanitizer's allocator recorded for a block.
extern "C" size_t __sanitizer_get_allocated_size(const volatile void* block);
#endif

namespace {

// What LoadOGG made of a file, and whether it left the file open.
struct DecodedOgg {
	unsigned char* data = nullptr;
	int length = -1, channels = -1, format = -1, hertz = -1;
	bool fileStillOpen = false;

	~DecodedOgg() { std::free(data); }
};

// Encodes a tone and decodes the file again.
void RoundTrip(int frames, int channels, int hertz, DecodedOgg* out) {
	std::string path = MakeTempDir() + "/tone.ogg";
	ASSERT_TRUE(WriteOgg(path, SineFrames(frames, channels, hertz, 440.0f), channels, hertz));
	FILE* file = std::fopen(path.c_str(), "rb");
	ASSERT_NE(file, nullptr);
	out->data = LoadOGG(file, &out->length, &out->channels, &out->format, &out->hertz);
	out->fileStillOpen = std::fseek(file, 0, SEEK_SET) == 0;
	std::fclose(file);
}

// The size of a heap block as the allocator sees it.
size_t BlockSize(void* block) {
#if defined(__SANITIZE_ADDRESS__)
	return __sanitizer_get_allocated_size(block);
#else
	return malloc_usable_size(block);
#endif
}

// Largest absolute 16-bit sample of a decoded block.
int Peak(const unsigned char* data, int values) {
	const short* samples = reinterpret_cast<const short*>(data);
	int peak = 0;
	for (int i = 0; i < values; ++i) peak = std::max(peak, std::abs(samples[i]));
	return peak;
}

}  // namespace

TEST(OggReader, StereoPieceDecodesToExactFramesAndBlockSize) {
	DecodedOgg d;
	RoundTrip(100000, 2, 44100, &d);
	ASSERT_NE(d.data, nullptr);
	EXPECT_EQ(d.length, 100000);
	EXPECT_EQ(d.channels, 2);
	EXPECT_EQ(d.format, 2);
	EXPECT_EQ(d.hertz, 44100);
	EXPECT_TRUE(d.fileStillOpen);
	size_t block = BlockSize(d.data);
	EXPECT_GE(block, 400000u);
#if defined(__SANITIZE_ADDRESS__)
	EXPECT_EQ(block, 400000u);
#endif
	// The tone's peak is half of full scale; lossy coding keeps it close.
	EXPECT_NEAR(Peak(d.data, 200000), 16000, 2000);
}

TEST(OggReader, MonoAndShortPieces) {
	DecodedOgg mono;
	RoundTrip(22050, 1, 22050, &mono);
	ASSERT_NE(mono.data, nullptr);
	EXPECT_EQ(mono.length, 22050);
	EXPECT_EQ(mono.channels, 1);
	EXPECT_EQ(mono.hertz, 22050);

	DecodedOgg tiny;
	RoundTrip(300, 2, 44100, &tiny);
	ASSERT_NE(tiny.data, nullptr);
	EXPECT_EQ(tiny.length, 300);
}

TEST(OggReader, FilesThatAreNotVorbisAreRefused) {
	std::string dir = MakeTempDir();
	ASSERT_TRUE(WriteBytes(dir + "/noise.ogg", Bytes(5000, 0x5A)));
	ASSERT_TRUE(WriteBytes(dir + "/empty.ogg", Bytes()));
	for (const char* name : {"/noise.ogg", "/empty.ogg"}) {
		FILE* file = std::fopen((dir + name).c_str(), "rb");
		ASSERT_NE(file, nullptr);
		int length = -3, channels = -3, format = -3, hertz = -3;
		EXPECT_EQ(LoadOGG(file, &length, &channels, &format, &hertz), nullptr) << name;
		EXPECT_EQ(length + channels + format + hertz, -12) << name;
		std::fclose(file);
	}
}
