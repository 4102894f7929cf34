// image_data.cpp: the host's image decoder entry, through stb_image.
#include <stb_image.h>

#include "host/kx_game.h"
#include "runtime/gc.h"

// Decodes an image file to 8-bit pixels with its natural component count.
unsigned char* KxGlfwGame::LoadImageData(String path, int* width, int* height, int* depth) {
	FILE* file = OpenFile(path, String("rb"));
	if (!file) return nullptr;
	unsigned char* data = stbi_load_from_file(file, width, height, depth, 0);
	std::fclose(file);
	if (data) gc_ext_malloced(*width * *height * *depth);
	return data;
}
