// desktop_identity.cpp: the window class and the window icon.
#include "host/desktop_identity.h"

#include <stb_image.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "host/glfw2.h"
#include "host/kx_game.h"

namespace {

// The icon sizes, as the asset generator writes them: icon/zimbolo-SIZE.png.
const int ICON_SIZES[] = {16, 24, 32, 48, 64, 128, 256};
const char* const ICON_PATH = "velmar://data/icon/zimbolo-";
const int RGBA = 4;

// Decoded pixels, freed by stb.
using Pixels = std::unique_ptr<unsigned char, void (*)(void*)>;

// The icon of one size as RGBA pixels, or null when its file is missing,
// damaged or of another size.
Pixels loadIcon(int size) {
	std::string path = ICON_PATH + std::to_string(size) + ".png";
	Pixels pixels(nullptr, stbi_image_free);
	FILE* file = KxGame::_game->OpenFile(String(path.c_str()), String("rb"));
	if (!file) return pixels;
	int width = 0, height = 0, components = 0;
	if (stbi_info_from_file(file, &width, &height, &components) && width == size && height == size) {
		pixels.reset(stbi_load_from_file(file, &width, &height, &components, RGBA));
	}
	std::fclose(file);
	return pixels;
}

}  // namespace

void kxSetDesktopIdentity() {
	glfw2::glfw2SetWindowClass(WINDOW_INSTANCE, WINDOW_CLASS);
	std::vector<Pixels> loaded;
	std::vector<glfw2::GLFW2image> images;
	for (int size : ICON_SIZES) {
		Pixels pixels = loadIcon(size);
		if (!pixels) continue;
		images.push_back(glfw2::GLFW2image{size, size, pixels.get()});
		loaded.push_back(std::move(pixels));
	}
	glfw2::glfw2SetWindowIcon(images.data(), static_cast<int>(images.size()));
}
