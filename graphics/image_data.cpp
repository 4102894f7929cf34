// image_data.cpp: the host's image decoder entry, through stb_image.
#include <stb_image.h>

#include "host/kx_game.h"
#include "runtime/gc.h"

// Images wider or taller than this are refused before decoding.
// NOTE: a header of a few bytes could otherwise claim gigabytes of pixels.
const int MAX_IMAGE_SIDE = 8192;

// Decodes an image file to 8-bit pixels with its natural component count.
unsigned char* KxGlfwGame::LoadImageData(String path, int* width, int* height, int* depth) {
	FILE* file = OpenFile(path, String("rb"));
	if (!file) return nullptr;
	int w = 0, h = 0, comp = 0;
	unsigned char* data = nullptr;
	if (stbi_info_from_file(file, &w, &h, &comp) && w <= MAX_IMAGE_SIDE && h <= MAX_IMAGE_SIDE) {
		data = stbi_load_from_file(file, width, height, depth, 0);
	}
	std::fclose(file);
	if (data) gc_ext_malloced(*width * *height * *depth);
	return data;
}
