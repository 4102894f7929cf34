// seed_corpus.cpp: writes the fuzzers' seed inputs into a directory.
//
// seed_corpus DIR makes DIR/wav, DIR/ogg, DIR/image, DIR/text and DIR/state,
// each with a few valid files of the kinds the game reads.
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include <stb_image_write.h>

#include "support/ogg_writer.h"
#include "support/wav_builder.h"

namespace {

// Side of the generated images, in pixels.
const int SEED_IMAGE_SIDE = 8;
// Sample frames in the generated sounds.
const int SEED_SOUND_FRAMES = 2000;

// Writes text as a file.
void WriteText(const std::string& path, const std::string& text) {
	WriteBytes(path, Bytes(text.begin(), text.end()));
}

// PCM files in each sample size and channel count, one with an extra chunk.
void WriteWavSeeds(const std::string& dir) {
	int n = 0;
	for (int bits : {8, 16}) {
		for (int channels : {1, 2}) {
			WavLayout layout;
			layout.bits = bits;
			layout.channels = channels;
			layout.dataBytes = 64 * channels * bits / 8;
			if (n == 3) layout.extraChunks.push_back({"LIST", Bytes(5, 'x')});
			WriteBytes(dir + "/seed" + std::to_string(n++) + ".wav", MakeWav(layout));
		}
	}
}

// A mono and a stereo tone.
void WriteOggSeeds(const std::string& dir) {
	for (int channels : {1, 2}) {
		std::vector<short> pcm = SineFrames(SEED_SOUND_FRAMES, channels, 22050, 440.0f);
		WriteOgg(dir + "/seed" + std::to_string(channels) + ".ogg", pcm, channels, 22050);
	}
}

// PNG, BMP and TGA images in every component count.
void WriteImageSeeds(const std::string& dir) {
	const int side = SEED_IMAGE_SIDE;
	for (int comp = 1; comp <= 4; ++comp) {
		std::vector<unsigned char> pixels(side * side * comp);
		for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 37);
		std::string base = dir + "/seed" + std::to_string(comp);
		stbi_write_png((base + ".png").c_str(), side, side, comp, pixels.data(), side * comp);
		if (comp >= 3) stbi_write_bmp((base + ".bmp").c_str(), side, side, comp, pixels.data());
		stbi_write_tga((base + ".tga").c_str(), side, side, comp, pixels.data());
	}
}

// ASCII, UTF-8 with and without a byte-order mark, UTF-16 in both orders.
void WriteTextSeeds(const std::string& dir) {
	WriteText(dir + "/ascii.txt", "Settings|12|-3|\n");
	WriteText(dir + "/utf8.txt", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xae");
	WriteText(dir + "/bom8.txt", "\xef\xbb\xbfscore|100");
	WriteBytes(dir + "/utf16le.txt", Bytes{0xff, 0xfe, 'h', 0, 'i', 0, 0xac, 0x20});
	WriteBytes(dir + "/utf16be.txt", Bytes{0xfe, 0xff, 0, 'h', 0, 'i', 0x20, 0xac});
}

// A first start's state text, and the same text with scores and badges.
void WriteStateSeeds(const std::string& dir) {
	std::string settings = "0|0|0|0|0|1|0|0|0|0|64|64|10|0|1|0|0|0|0|0|0|0|0|0|0|1483|";
	std::string rest;
	for (int i = 0; i < 72; ++i) rest += "0|";
	WriteText(dir + "/first.txt", settings + rest);
	std::string badges;
	int sum = 0;
	for (int w = 0; w < 8; ++w) {
		int word = (w % 2) ? -1 : 5 * w;
		badges += std::to_string(word) + "|";
		sum += word;
	}
	badges += std::to_string(sum) + "|";
	WriteText(dir + "/badges.txt", settings + badges);
	WriteText(dir + "/short.txt", settings);
}

}  // namespace

int main(int argc, char** argv) {
	if (argc != 2) {
		std::fprintf(stderr, "usage: seed_corpus DIR\n");
		return 2;
	}
	std::string root = argv[1];
	const char* kinds[] = {"wav", "ogg", "image", "text", "state"};
	for (const char* kind : kinds) mkdir((root + "/" + kind).c_str(), 0755);
	WriteWavSeeds(root + "/wav");
	WriteOggSeeds(root + "/ogg");
	WriteImageSeeds(root + "/image");
	WriteTextSeeds(root + "/text");
	WriteStateSeeds(root + "/state");
	return 0;
}
