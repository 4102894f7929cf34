// Image files whose header claims more pixels than the decoder takes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <stb_image_write.h>

#include "host/kx_game.h"
#include "support/wav_builder.h"

namespace {

// Writes a 2 x 2 PNG and then sets its header's width and height.
std::string WritePng(const std::string& dir, unsigned side) {
	std::string path = dir + "/image.png";
	unsigned char pixels[16] = {};
	stbi_write_png(path.c_str(), 2, 2, 4, pixels, 8);
	FILE* file = std::fopen(path.c_str(), "r+b");
	unsigned char size[8] = {};
	for (int i = 0; i < 4; ++i) size[i] = size[4 + i] = static_cast<unsigned char>(side >> (24 - 8 * i));
	std::fseek(file, 16, SEEK_SET);
	std::fwrite(size, 1, sizeof(size), file);
	std::fclose(file);
	return path;
}

}  // namespace

TEST(ImageLimits, HugeClaimedSizeIsRefusedAndTheLimitItselfIsTried) {
	KxGlfwGame host;
	std::string dir = MakeTempDir();
	int w = -1, h = -1, depth = -1;
	EXPECT_EQ(host.LoadImageData(String(WritePng(dir, 8193).c_str()), &w, &h, &depth), nullptr);
	EXPECT_EQ(host.LoadImageData(String(WritePng(dir, 100000).c_str()), &w, &h, &depth), nullptr);
	EXPECT_EQ(w, -1) << "outputs untouched";
	unsigned char* small = host.LoadImageData(String(WritePng(dir, 2).c_str()), &w, &h, &depth);
	ASSERT_NE(small, nullptr);
	EXPECT_EQ(w, 2);
	EXPECT_EQ(depth, 4);
	std::free(small);
}
