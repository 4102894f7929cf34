// gxtk_graphics.cpp: batching, colour packing, the CPU-side matrix and pixel transfers.
#include "graphics/gxtk_graphics.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "graphics/gl_api.h"
#include "graphics/gxtk_surface.h"

// Colour component scale of the device's 0-255 colours.
static const float COLOR_SCALE = 255.0f;
// Segments an oval always gets at least.
static const int OVAL_MIN_SEGMENTS = 12;
// A full turn in radians, single precision.
static const float TWO_PI = 6.2831855f;

//----------------------------------------------------------------------------
// Construction and frame
//----------------------------------------------------------------------------

// Reads the window size and builds the quad index table.
gxtkGraphics::gxtkGraphics() {
	kx_gl.WindowSize(&width, &height);
	for (int q = 0; q < GXTK_MAX_QUADS; ++q) {
		unsigned short first = static_cast<unsigned short>(q * 4);
		unsigned short* entry = &quadIndexTable[q * 6];
		entry[0] = first;
		entry[1] = first + 1;
		entry[2] = first + 2;
		entry[3] = first;
		entry[4] = first + 2;
		entry[5] = first + 3;
	}
}

// The window width read at the last BeginRender.
int gxtkGraphics::Width() {
	return width;
}

// The window height read at the last BeginRender.
int gxtkGraphics::Height() {
	return height;
}

// Pixel-exact projection, the interleaved client arrays, premultiplied blending.
int gxtkGraphics::BeginRender() {
	kx_gl.WindowSize(&width, &height);
	kx_gl.Viewport(0, 0, width, height);
	kx_gl.MatrixMode(GL_PROJECTION);
	kx_gl.LoadIdentity();
	kx_gl.Ortho(0, width, height, 0, -1, 1);
	kx_gl.MatrixMode(GL_MODELVIEW);
	kx_gl.LoadIdentity();
	kx_gl.EnableClientState(GL_VERTEX_ARRAY);
	kx_gl.EnableClientState(GL_TEXTURE_COORD_ARRAY);
	kx_gl.EnableClientState(GL_COLOR_ARRAY);
	kx_gl.VertexPointer(2, GL_FLOAT, sizeof(gxtkVertex), &vertexBuffer[0].x);
	kx_gl.TexCoordPointer(2, GL_FLOAT, sizeof(gxtkVertex), &vertexBuffer[0].u);
	kx_gl.ColorPointer(4, GL_UNSIGNED_BYTE, sizeof(gxtkVertex), &vertexBuffer[0].color);
	kx_gl.Enable(GL_BLEND);
	kx_gl.BlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
	blendMode = 0;
	kx_gl.Disable(GL_TEXTURE_2D);
	batchCount = 0;
	return 1;
}

// Draws what the frame left in the batch; the host swaps buffers.
void gxtkGraphics::EndRender() {
	Flush();
}

void gxtkGraphics::DiscardGraphics() {}

//----------------------------------------------------------------------------
// State
//----------------------------------------------------------------------------

// NOTE: the batch is dropped, not drawn: what was drawn before a clear is gone anyway.
int gxtkGraphics::Cls(float r, float g, float b) {
	batchCount = 0;
	kx_gl.ClearColor(r / COLOR_SCALE, g / COLOR_SCALE, b / COLOR_SCALE, 1);
	kx_gl.Clear(GL_COLOR_BUFFER_BIT);
	return 0;
}

// Packs the current colour premultiplied by alpha, each product truncated.
static unsigned int packColor(float r, float g, float b, float a) {
	unsigned int pr = static_cast<unsigned int>(static_cast<int>(r * a));
	unsigned int pg = static_cast<unsigned int>(static_cast<int>(g * a));
	unsigned int pb = static_cast<unsigned int>(static_cast<int>(b * a));
	unsigned int pa = static_cast<unsigned int>(static_cast<int>(COLOR_SCALE * a));
	return pr | pg << 8 | pb << 16 | pa << 24;
}

// New vertices get the colour at this alpha; nothing is flushed.
int gxtkGraphics::SetAlpha(float a) {
	alpha = a;
	colorPacked = packColor(red, green, blue, alpha);
	return 0;
}

// New vertices get this colour; nothing is flushed.
int gxtkGraphics::SetColor(float r, float g, float b) {
	red = r;
	green = g;
	blue = b;
	colorPacked = packColor(red, green, blue, alpha);
	return 0;
}

// Mode 1 adds; every other mode blends premultiplied alpha.
// NOTE: setting the blend already in effect keeps the batch: the game sets it
// before every command it replays.
int gxtkGraphics::SetBlend(int mode) {
	int wanted = mode == 1 ? 1 : 0;
	if (wanted == blendMode) return 0;
	Flush();
	blendMode = wanted;
	if (mode == 1) {
		kx_gl.BlendFunc(GL_ONE, GL_ONE);
	} else {
		kx_gl.BlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
	}
	return 0;
}

// The whole window switches the test off; GL counts rows from the bottom.
int gxtkGraphics::SetScissor(int x, int y, int w, int h) {
	Flush();
	if (x == 0 && y == 0 && w == Width() && h == Height()) {
		kx_gl.Disable(GL_SCISSOR_TEST);
	} else {
		kx_gl.Enable(GL_SCISSOR_TEST);
		kx_gl.Scissor(x, Height() - y - h, w, h);
	}
	return 0;
}

// NOTE: written as positive comparisons so that a NaN counts as transformed.
int gxtkGraphics::SetMatrix(float ix_, float iy_, float jx_, float jy_, float tx_, float ty_) {
	ix = ix_;
	iy = iy_;
	jx = jx_;
	jy = jy_;
	tx = tx_;
	ty = ty_;
	isTransformed = !(ix == 1 && iy == 0 && jx == 0 && jy == 1 && tx == 0 && ty == 0);
	return 0;
}

//----------------------------------------------------------------------------
// Batching
//----------------------------------------------------------------------------

// Joins the batch when kind, surface and room allow; otherwise flushes and starts anew.
gxtkVertex* gxtkGraphics::Begin(int kind, int count, gxtkSurface* surface) {
	if (kind != batchKind || surface != batchSurface || batchCount + count > GXTK_MAX_VERTICES) {
		if (batchCount > 0) Flush();
		batchKind = kind;
		batchSurface = surface;
	}
	gxtkVertex* first = &vertexBuffer[batchCount];
	batchCount += count;
	return first;
}

// Points, lines and triangles in one call each; quads through the index table;
// polygons as one fan each.
void gxtkGraphics::Flush() {
	if (batchCount == 0) return;
	if (batchSurface) {
		kx_gl.Enable(GL_TEXTURE_2D);
		batchSurface->Bind();
	}
	switch (batchKind) {
	case GXTK_POINTS:
		kx_gl.DrawArrays(GL_POINTS, 0, batchCount);
		break;
	case GXTK_LINES:
		kx_gl.DrawArrays(GL_LINES, 0, batchCount);
		break;
	case GXTK_TRIANGLES:
		kx_gl.DrawArrays(GL_TRIANGLES, 0, batchCount);
		break;
	case GXTK_QUADS:
		kx_gl.DrawElements(GL_TRIANGLES, batchCount / 4 * 6, GL_UNSIGNED_SHORT, quadIndexTable);
		break;
	default:
		for (int first = 0; first < batchCount; first += batchKind) {
			kx_gl.DrawArrays(GL_TRIANGLE_FAN, first, batchKind);
		}
		break;
	}
	if (batchSurface) kx_gl.Disable(GL_TEXTURE_2D);
	batchCount = 0;
}

// Writes the position through the matrix and the current colour.
void gxtkGraphics::put(gxtkVertex* v, float x, float y) {
	if (isTransformed) {
		v->x = ix * x + jx * y + tx;
		v->y = iy * x + jy * y + ty;
	} else {
		v->x = x;
		v->y = y;
	}
	v->color = colorPacked;
}

// Writes a position, the colour and texture coordinates.
void gxtkGraphics::putUV(gxtkVertex* v, float x, float y, float u, float v_) {
	put(v, x, y);
	v->u = u;
	v->v = v_;
}

// Appends a textured quad corner by corner, clockwise from the top-left.
void gxtkGraphics::putQuad(gxtkSurface* surface, float x, float y, float w, float h, float u0, float v0, float u1,
                           float v1) {
	gxtkVertex* v = Begin(GXTK_QUADS, 4, surface);
	putUV(&v[0], x, y, u0, v0);
	putUV(&v[1], x + w, y, u1, v0);
	putUV(&v[2], x + w, y + h, u1, v1);
	putUV(&v[3], x, y + h, u0, v1);
}

//----------------------------------------------------------------------------
// Primitives
//----------------------------------------------------------------------------

// One vertex of a point batch.
int gxtkGraphics::DrawPoint(float x, float y) {
	put(Begin(GXTK_POINTS, 1, nullptr), x, y);
	return 0;
}

// Two vertices of a line batch.
int gxtkGraphics::DrawLine(float x0, float y0, float x1, float y1) {
	gxtkVertex* v = Begin(GXTK_LINES, 2, nullptr);
	put(&v[0], x0, y0);
	put(&v[1], x1, y1);
	return 0;
}

// An untextured quad.
int gxtkGraphics::DrawRect(float x, float y, float w, float h) {
	gxtkVertex* v = Begin(GXTK_QUADS, 4, nullptr);
	put(&v[0], x, y);
	put(&v[1], x + w, y);
	put(&v[2], x + w, y + h);
	put(&v[3], x, y + h);
	return 0;
}

// The segment count follows the oval's size on screen: at least 12, at most
// the whole buffer, otherwise a multiple of 4.
static int ovalSegments(float size) {
	// NOTE: NaN and huge sizes take the cap; the float is never cast out of range.
	if (!(size < GXTK_MAX_VERTICES + 1)) return GXTK_MAX_VERTICES;
	int n = static_cast<int>(size);
	if (n < OVAL_MIN_SEGMENTS) return OVAL_MIN_SEGMENTS;
	return n & ~3;
}

// A filled ellipse as one polygon, counter-clockwise from its right end.
int gxtkGraphics::DrawOval(float x, float y, float w, float h) {
	float rx = w * 0.5f;
	float ry = h * 0.5f;
	float cx = x + rx;
	float cy = y + ry;
	float size;
	if (isTransformed) {
		size = std::sqrt((rx * ix) * (rx * ix) + (rx * iy) * (rx * iy)) +
		       std::sqrt((ry * jx) * (ry * jx) + (ry * jy) * (ry * jy));
	} else {
		size = std::fabs(std::trunc(rx)) + std::fabs(std::trunc(ry));
	}
	int n = ovalSegments(size);
	gxtkVertex* v = Begin(n, n, nullptr);
	for (int i = 0; i < n; ++i) {
		float theta = i * TWO_PI / n;
		put(&v[i], cx + std::cos(theta) * rx, cy - std::sin(theta) * ry);
	}
	return 0;
}

// An untextured polygon of x, y pairs; too few or too many vertices draw nothing.
int gxtkGraphics::DrawPoly(Array<float> verts) {
	int n = verts.Length() / 2;
	if (n < 1 || n > GXTK_MAX_VERTICES) return 0;
	gxtkVertex* v = Begin(n, n, nullptr);
	for (int i = 0; i < n; ++i) put(&v[i], verts[2 * i], verts[2 * i + 1]);
	return 0;
}

// A textured polygon of x, y, u, v quadruples, u and v in surface pixels from (srcX, srcY).
int gxtkGraphics::DrawPoly2(Array<float> verts, gxtkSurface* surface, int srcX, int srcY) {
	int n = verts.Length() / 4;
	if (n < 1 || n > GXTK_MAX_VERTICES) return 0;
	gxtkVertex* v = Begin(n, n, surface);
	for (int i = 0; i < n; ++i) {
		const float* p = &verts[4 * i];
		putUV(&v[i], p[0], p[1], (p[2] + srcX) * surface->uScale, (p[3] + srcY) * surface->vScale);
	}
	return 0;
}

// The whole surface at its own size.
int gxtkGraphics::DrawSurface(gxtkSurface* surface, float x, float y) {
	float w = static_cast<float>(surface->Width());
	float h = static_cast<float>(surface->Height());
	putQuad(surface, x, y, w, h, 0, 0, w * surface->uScale, h * surface->vScale);
	return 0;
}

// A source rectangle of the surface at its own size.
int gxtkGraphics::DrawSurface2(gxtkSurface* surface, float x, float y, int srcX, int srcY, int srcW, int srcH) {
	float u = surface->uScale;
	float v = surface->vScale;
	putQuad(surface, x, y, static_cast<float>(srcW), static_cast<float>(srcH), srcX * u, srcY * v,
	        (srcX + srcW) * u, (srcY + srcH) * v);
	return 0;
}

//----------------------------------------------------------------------------
// Pixel transfers
//----------------------------------------------------------------------------

// Checks the first and the last row (either may be lower with a negative pitch).
bool gxtk_PixelRowsFit(int length, int offset, int pitch, int w, int h) {
	if (w <= 0 || h <= 0 || offset < 0) return false;
	long long last = offset + static_cast<long long>(h - 1) * pitch;
	long long lowest = last < offset ? last : offset;
	long long highest = last < offset ? offset : last;
	return lowest >= 0 && highest + w <= length;
}

// NOTE: an array too small for the rectangle at offset and pitch is left
// alone and nothing is read, rather than written past its end.
int gxtkGraphics::ReadPixels(Array<int> pixels, int x, int y, int w, int h, int offset, int pitch) {
	Flush();
	if (!gxtk_PixelRowsFit(pixels.Length(), offset, pitch, w, h)) return 0;
	std::vector<int> rows(static_cast<size_t>(w) * h);
	kx_gl.ReadPixels(x, height - y - h, w, h, GL_BGRA, GL_UNSIGNED_BYTE, rows.data());
	for (int r = 0; r < h; ++r) {
		const int* src = &rows[static_cast<size_t>(h - 1 - r) * w];
		int* dst = &pixels[offset + r * pitch];
		for (int i = 0; i < w; ++i) dst[i] = src[i];
	}
	return 0;
}

// Copies 0xAARRGGBB pixels into a surface rectangle when the array holds them.
int gxtkGraphics::WritePixels2(gxtkSurface* surface, Array<int> pixels, int x, int y, int w, int h, int offset,
                               int pitch) {
	Flush();
	if (!gxtk_PixelRowsFit(pixels.Length(), offset, pitch, w, h)) return 0;
	surface->SetSubData(x, y, w, h, reinterpret_cast<const unsigned int*>(&pixels[offset]), pitch);
	return 0;
}
