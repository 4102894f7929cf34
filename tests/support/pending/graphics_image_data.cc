// graphics_image_data.cc: fallback image decoding of the GLFW host, linked
// into the test programs only while graphics/image_data.cpp is not in the tree.
#include "host/kx_game.h"

unsigned char* KxGlfwGame::LoadImageData(String, int*, int*, int*) {
	return nullptr;
}
