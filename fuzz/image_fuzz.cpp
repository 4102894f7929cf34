// image_fuzz.cpp: libFuzzer target for the host's image decoder and surfaces.
//
// The input is written to a file and decoded through the host's image entry,
// then handed to a surface (premultiplied as a loaded image is), which the
// collector frees again.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "graphics/gxtk_surface.h"
#include "host/kx_game.h"
#include "runtime/gc.h"
#include "support/test_host.h"

namespace {

KxGlfwGame* host = nullptr;
std::string path;

}  // namespace

// Boots the framework once on a GLFW host that never opens a window.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
	host = new KxGlfwGame();
	TestHost boot;
	boot.Boot();
	KxGame::_game = host;
	KxGlfwGame::_glfwGame = host;
	path = "/tmp/zimbolo-image-fuzz-" + std::to_string(getpid());
	return 0;
}

// Decodes the input as an image file into a fresh surface.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
	FILE* file = std::fopen(path.c_str(), "wb");
	if (!file) return 0;
	std::fwrite(data, 1, size, file);
	std::fclose(file);
	int w = 0, h = 0, depth = 0;
	unsigned char* pixels = host->LoadImageData(String(path.c_str()), &w, &h, &depth);
	if (pixels) (new gxtkSurface())->SetData(pixels, w, h, depth);
	gc_collect();
	return 0;
}
