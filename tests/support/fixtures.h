// fixtures.h: small helpers shared by the file and graphics tests.
#pragma once

#include <functional>
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
// The whole contents of a file as bytes ("" when it cannot be read).
std::string ReadFileBytes(const std::string& path);

// What a child process did: its exit status (-1 when it did not exit) and output.
struct ChildResult {
	int exitStatus;
	std::string output;
};
// Runs body in a forked child with standard input at end of file and standard
// output captured; the child exits with 0 when body returns.
ChildResult RunInChild(const std::function<void()>& body);
