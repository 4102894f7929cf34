// fixtures.cpp: temporary directories, the test host, images and files.
#include "support/fixtures.h"

#include <stb_image_write.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "graphics/gxtk_surface.h"
#include "host/kx_game.h"

TempDir::TempDir() {
	char pattern[] = "/tmp/zimbolo-test-XXXXXX";
	path = mkdtemp(pattern);
	previous = std::filesystem::current_path().string();
	std::filesystem::current_path(path);
}

TempDir::~TempDir() {
	std::filesystem::current_path(previous);
	std::error_code ignored;
	std::filesystem::permissions(path, std::filesystem::perms::owner_all, ignored);
	std::filesystem::remove_all(path, ignored);
}

void EnsureTestHost() {
	if (KxGlfwGame::_glfwGame) return;
	KxGlfwGame::_glfwGame = new KxGlfwGame();
	if (!KxGame::_game) KxGame::_game = KxGlfwGame::_glfwGame;
}

void WriteSolidPng(const std::string& path, int w, int h, unsigned char r, unsigned char g, unsigned char b,
                   unsigned char a) {
	std::vector<unsigned char> rgba(static_cast<size_t>(w) * h * 4);
	for (size_t i = 0; i < rgba.size(); i += 4) {
		rgba[i] = r;
		rgba[i + 1] = g;
		rgba[i + 2] = b;
		rgba[i + 3] = a;
	}
	std::filesystem::create_directories(std::filesystem::path(path).parent_path());
	stbi_write_png(path.c_str(), w, h, 4, rgba.data(), w * 4);
}

gxtkSurface* MakeRgbaSurface(int w, int h, const unsigned char* rgba) {
	size_t bytes = static_cast<size_t>(w) * h * 4;
	unsigned char* copy = static_cast<unsigned char*>(std::malloc(bytes));
	std::memcpy(copy, rgba, bytes);
	gxtkSurface* surface = new gxtkSurface();
	surface->SetData(copy, w, h, 4);
	return surface;
}

gxtkSurface* MakeSolidSurface(int w, int h, unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
	std::vector<unsigned char> rgba;
	for (int i = 0; i < w * h; ++i) rgba.insert(rgba.end(), {r, g, b, a});
	return MakeRgbaSurface(w, h, rgba.data());
}

std::string BuildDir() {
	const char* dir = std::getenv("ZIMBOLO_BUILD_DIR");
	return dir ? std::string(dir) : std::filesystem::current_path().parent_path().string();
}

std::string ReadFileBytes(const std::string& path) {
	std::ifstream in(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

