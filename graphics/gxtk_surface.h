// gxtk_surface.h: decoded images kept as pixels and as lazily made textures.
//
// A gxtkSurface owns its premultiplied pixel bytes and makes its OpenGL
// texture on the first Bind under a live context. The texture remembers the
// context generation (glfwGraphicsSeq) it was made in, so after the window is
// re-created the next Bind rebuilds it from the retained pixels. Drivers that
// refuse a texture size get one padded to powers of two.
#pragma once

#include "runtime/object.h"

class gxtkSurface : public Object {
public:
	unsigned char* pixels = nullptr;
	int width = 0;
	int height = 0;
	int bytesPerPixel = 0;
	int glFormat = 0;
	int textureSeq = -1;
	unsigned int textureId = 0;
	float uScale = 0;
	float vScale = 0;

	~gxtkSurface() override;

	// Frees the texture (when it belongs to the current context) and the pixels.
	virtual int Discard();
	virtual int Width();
	virtual int Height();
	virtual int Loaded();
	virtual void OnUnsafeLoadComplete();

	// Takes over data (malloc'd, rows top-down) and premultiplies it in place.
	void SetData(unsigned char* data, int width, int height, int bytesPerPixel);
	// Writes a rectangle of 0xAARRGGBB values into an RGBA surface and its texture.
	void SetSubData(int x, int y, int w, int h, const unsigned int* src, int pitch);
	// Makes the texture current, creating it for this context when needed.
	void Bind();

private:
	// Allocates the texture storage, padded when the driver refuses the size.
	void allocateTexture();
	// Uploads rows of the rectangle (x, y, w, h) from pixels.
	void uploadRect(int x, int y, int w, int h);
};

// The smallest power of two not below n (1 for n below 2).
int gxtk_PowerOfTwo(int n);
