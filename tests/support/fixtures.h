// fixtures.h: small helpers shared by the file and graphics tests.
#pragma once

#include <string>

class gxtkSurface;

// Makes a fresh temporary directory the working directory for its lifetime.
class TempDir {
public:
	TempDir();
	~TempDir();
	TempDir(const TempDir&) = delete;
	TempDir& operator=(const TempDir&) = delete;

	std::string path;

private:
	std::string previous;
};

// A GLFW host object as KxGlfwGame::_glfwGame (and KxGame::_game when unset),
// for the file operations and image decoding; it opens no window.
void EnsureTestHost();
// Writes an RGBA PNG of w × h pixels, every pixel the same bytes.
void WriteSolidPng(const std::string& path, int w, int h, unsigned char r, unsigned char g, unsigned char b,
                   unsigned char a);
// A surface holding a copy of w × h RGBA pixels, premultiplied as on load.
gxtkSurface* MakeRgbaSurface(int w, int h, const unsigned char* rgba);
// A surface of w × h pixels of one RGBA colour.
gxtkSurface* MakeSolidSurface(int w, int h, unsigned char r, unsigned char g, unsigned char b, unsigned char a);
// The build directory: ZIMBOLO_BUILD_DIR, else the parent of the working
// directory (tests run in build/test/tests).
std::string BuildDir();
// The whole contents of a file as bytes ("" when it cannot be read).
std::string ReadFileBytes(const std::string& path);

