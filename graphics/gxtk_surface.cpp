// gxtk_surface.cpp: premultiplied pixels, lazy textures and the surface factories.
#include "graphics/gxtk_surface.h"

#include <cstdlib>

#include "graphics/gl_api.h"
#include "graphics/gxtk_graphics.h"
#include "host/kx_game.h"

// Largest component value.
static const int FULL = 255;
// Bytes per pixel of the formats that carry alpha.
static const int GREY_ALPHA_BYTES = 2;
static const int RGBA_BYTES = 4;
// Pending GL errors drained before a texture allocation, at most.
static const int MAX_STALE_ERRORS = 16;

//----------------------------------------------------------------------------
// Pixels
//----------------------------------------------------------------------------

// The GL format of a pixel size.
static int formatFor(int bytesPerPixel) {
	switch (bytesPerPixel) {
	case 1:
		return GL_LUMINANCE;
	case 2:
		return GL_LUMINANCE_ALPHA;
	case 3:
		return GL_RGB;
	case 4:
		return GL_RGBA;
	default:
		return 0;
	}
}

// One colour component scaled by alpha, truncating.
static unsigned char premultiplied(int c, int a) {
	return static_cast<unsigned char>(c * a / FULL);
}

// A collected surface frees what Discard frees.
gxtkSurface::~gxtkSurface() {
	Discard();
}

// Formats with alpha are premultiplied; the others are kept as they are.
void gxtkSurface::SetData(unsigned char* data, int w, int h, int depth) {
	pixels = data;
	width = w;
	height = h;
	bytesPerPixel = depth;
	glFormat = formatFor(depth);
	if (depth != GREY_ALPHA_BYTES && depth != RGBA_BYTES) return;
	size_t count = static_cast<size_t>(w) * h;
	for (size_t i = 0; i < count; ++i) {
		unsigned char* p = pixels + i * depth;
		int a = p[depth - 1];
		for (int c = 0; c < depth - 1; ++c) p[c] = premultiplied(p[c], a);
	}
}

// NOTE: a rectangle that does not lie inside the surface is ignored instead of
// being written past the pixel block.
void gxtkSurface::SetSubData(int x, int y, int w, int h, const unsigned int* src, int pitch) {
	if (glFormat != GL_RGBA) return;
	if (x < 0 || y < 0 || w <= 0 || h <= 0 || w > width - x || h > height - y) return;
	// NOTE: the rest of a new pixel block starts transparent, so that a texture
	// rebuilt after a new context shows nothing undefined.
	if (!pixels) pixels = static_cast<unsigned char*>(std::calloc(static_cast<size_t>(width) * height, RGBA_BYTES));
	for (int r = 0; r < h; ++r) {
		const unsigned int* row = src + static_cast<long long>(r) * pitch;
		unsigned char* dst = pixels + (static_cast<size_t>(y + r) * width + x) * RGBA_BYTES;
		for (int i = 0; i < w; ++i, dst += RGBA_BYTES) {
			unsigned int s = row[i];
			int a = s >> 24;
			dst[0] = premultiplied(s >> 16 & 0xff, a);
			dst[1] = premultiplied(s >> 8 & 0xff, a);
			dst[2] = premultiplied(s & 0xff, a);
			dst[3] = static_cast<unsigned char>(a);
		}
	}
	if (textureSeq != glfwGraphicsSeq) return;
	kx_gl.BindTexture(GL_TEXTURE_2D, textureId);
	uploadRect(x, y, w, h);
}

//----------------------------------------------------------------------------
// Texture
//----------------------------------------------------------------------------

// The smallest power of two not below n.
int gxtk_PowerOfTwo(int n) {
	int p = 1;
	while (p < n) p <<= 1;
	return p;
}

// In one call when the rows are contiguous, else one call per row.
void gxtkSurface::uploadRect(int x, int y, int w, int h) {
	kx_gl.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
	size_t rowBytes = static_cast<size_t>(width) * bytesPerPixel;
	const unsigned char* first = pixels + y * rowBytes + static_cast<size_t>(x) * bytesPerPixel;
	if (w == width) {
		kx_gl.TexSubImage2D(GL_TEXTURE_2D, 0, x, y, w, h, glFormat, GL_UNSIGNED_BYTE, first);
		return;
	}
	for (int r = 0; r < h; ++r) {
		kx_gl.TexSubImage2D(GL_TEXTURE_2D, 0, x, y + r, w, 1, glFormat, GL_UNSIGNED_BYTE, first + r * rowBytes);
	}
}

// NOTE: errors left over from earlier calls are drained first so that only a
// refusal of this allocation makes the texture padded.
void gxtkSurface::allocateTexture() {
	for (int i = 0; i < MAX_STALE_ERRORS && kx_gl.GetError() != GL_NO_ERROR; ++i) {}
	int texWidth = width;
	int texHeight = height;
	kx_gl.TexImage2D(GL_TEXTURE_2D, 0, glFormat, texWidth, texHeight, 0, glFormat, GL_UNSIGNED_BYTE, nullptr);
	if (kx_gl.GetError() != GL_NO_ERROR) {
		texWidth = gxtk_PowerOfTwo(width);
		texHeight = gxtk_PowerOfTwo(height);
		kx_gl.TexImage2D(GL_TEXTURE_2D, 0, glFormat, texWidth, texHeight, 0, glFormat, GL_UNSIGNED_BYTE, nullptr);
	}
	uScale = 1.0f / texWidth;
	vScale = 1.0f / texHeight;
}

// Nothing without a context; a texture of an earlier context is rebuilt from the pixels.
void gxtkSurface::Bind() {
	if (glfwGraphicsSeq == 0) return;
	if (textureSeq == glfwGraphicsSeq) {
		kx_gl.BindTexture(GL_TEXTURE_2D, textureId);
		return;
	}
	textureSeq = glfwGraphicsSeq;
	kx_gl.GenTextures(1, &textureId);
	kx_gl.BindTexture(GL_TEXTURE_2D, textureId);
	kx_gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
	kx_gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
	kx_gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
	kx_gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
	allocateTexture();
	if (pixels) uploadRect(0, 0, width, height);
}

// A texture of an earlier context died with it and is not deleted.
int gxtkSurface::Discard() {
	if (textureSeq == glfwGraphicsSeq) {
		kx_gl.DeleteTextures(1, &textureId);
		textureSeq = -1;
	}
	std::free(pixels);
	pixels = nullptr;
	return 0;
}

// The image width in pixels.
int gxtkSurface::Width() {
	return width;
}

// The image height in pixels.
int gxtkSurface::Height() {
	return height;
}

// Surfaces are complete once they exist.
int gxtkSurface::Loaded() {
	return 1;
}

// Makes the texture of a surface filled off the GL path.
void gxtkSurface::OnUnsafeLoadComplete() {
	Bind();
}

//----------------------------------------------------------------------------
// Factories
//----------------------------------------------------------------------------

// A decoded, bound surface, or null when the file cannot be decoded.
gxtkSurface* gxtkGraphics::LoadSurface(String path) {
	gxtkSurface* surface = new gxtkSurface();
	if (!LoadSurface__UNSAFE__(surface, path)) return nullptr;
	surface->Bind();
	return surface;
}

// An RGBA surface with no pixels yet (its texture starts undefined).
gxtkSurface* gxtkGraphics::CreateSurface(int w, int h) {
	gxtkSurface* surface = new gxtkSurface();
	surface->width = w;
	surface->height = h;
	surface->bytesPerPixel = RGBA_BYTES;
	surface->glFormat = GL_RGBA;
	surface->Bind();
	return surface;
}

// Decodes into the surface without touching GL.
bool gxtkGraphics::LoadSurface__UNSAFE__(gxtkSurface* surface, String path) {
	int w = 0, h = 0, depth = 0;
	unsigned char* data = KxGlfwGame::_glfwGame->LoadImageData(path, &w, &h, &depth);
	if (!data) return false;
	surface->SetData(data, w, h, depth);
	return true;
}
