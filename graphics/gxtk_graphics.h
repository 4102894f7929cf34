// gxtk_graphics.h: the batched 2D drawing device.
//
// gxtkGraphics writes every primitive, already transformed by its CPU-side
// matrix and coloured with the premultiplied current colour, into one
// client-side array of 1024 interleaved vertices. The array is handed to
// OpenGL only when the next primitive cannot join it (another kind, another
// texture, no room left) or when blend, scissor or a pixel transfer needs the
// screen up to date, so runs of sprites from one texture cost one draw call.
#pragma once

#include "runtime/kx_array.h"
#include "runtime/object.h"

class gxtkSurface;

//----------------------------------------------------------------------------
// Batch layout
//----------------------------------------------------------------------------

// Vertices in the batch buffer.
const int GXTK_MAX_VERTICES = 1024;
// Quads that fit in the batch buffer, and their triangle indices.
const int GXTK_MAX_QUADS = GXTK_MAX_VERTICES / 4;
const int GXTK_QUAD_INDICES = GXTK_MAX_QUADS * 6;

// Batch kinds below 5; a kind n >= 5 is a run of polygons of n vertices.
const int GXTK_POINTS = 1;
const int GXTK_LINES = 2;
const int GXTK_TRIANGLES = 3;
const int GXTK_QUADS = 4;

// One vertex as the client arrays read it: 20 bytes.
struct gxtkVertex {
	float x, y;
	float u, v;
	// NOTE: R, G, B, A from the low byte up, which is byte order R, G, B, A in
	// memory on the little-endian machines this runs on.
	unsigned int color;
};
static_assert(sizeof(gxtkVertex) == 20, "the client arrays use a 20-byte stride");

//----------------------------------------------------------------------------
// Device
//----------------------------------------------------------------------------

class gxtkGraphics : public Object {
public:
	int width = 0;
	int height = 0;
	unsigned int colorPacked = 0xffffffffu;
	float red = 255;
	float green = 255;
	float blue = 255;
	float alpha = 1;
	float ix = 1, iy = 0, jx = 0, jy = 1, tx = 0, ty = 0;
	bool isTransformed = false;
	gxtkVertex vertexBuffer[GXTK_MAX_VERTICES];
	unsigned short quadIndexTable[GXTK_QUAD_INDICES];
	int batchKind = 0;
	int batchCount = 0;
	gxtkSurface* batchSurface = nullptr;
	// The blend function in effect: 1 additive, 0 alpha.
	int blendMode = 0;

	// Reads the window size and builds the quad index table.
	gxtkGraphics();

	virtual int Width();
	virtual int Height();
	// Per-frame GL set-up; empties the batch and returns 1.
	virtual int BeginRender();
	// Draws what is still batched.
	virtual void EndRender();
	virtual void DiscardGraphics();
	virtual gxtkSurface* LoadSurface(String path);
	virtual gxtkSurface* CreateSurface(int width, int height);
	virtual bool LoadSurface__UNSAFE__(gxtkSurface* surface, String path);
	// Drops the batch and clears the colour buffer (within the scissor).
	virtual int Cls(float r, float g, float b);
	virtual int SetAlpha(float a);
	virtual int SetColor(float r, float g, float b);
	virtual int SetBlend(int mode);
	virtual int SetScissor(int x, int y, int w, int h);
	virtual int SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty);
	virtual int DrawPoint(float x, float y);
	virtual int DrawRect(float x, float y, float w, float h);
	virtual int DrawLine(float x0, float y0, float x1, float y1);
	virtual int DrawOval(float x, float y, float w, float h);
	virtual int DrawPoly(Array<float> verts);
	virtual int DrawPoly2(Array<float> verts, gxtkSurface* surface, int srcX, int srcY);
	virtual int DrawSurface(gxtkSurface* surface, float x, float y);
	virtual int DrawSurface2(gxtkSurface* surface, float x, float y, int srcX, int srcY, int srcW, int srcH);
	virtual int ReadPixels(Array<int> pixels, int x, int y, int w, int h, int offset, int pitch);
	virtual int WritePixels2(gxtkSurface* surface, Array<int> pixels, int x, int y, int w, int h, int offset,
	                         int pitch);

	// Draws the batch if it holds anything.
	void Flush();
	// Reserves count vertices (at most GXTK_MAX_VERTICES) of kind for surface
	// under the batching rule; the caller fills them.
	gxtkVertex* Begin(int kind, int count, gxtkSurface* surface);

private:
	// Writes one vertex: the point through the matrix, the current colour.
	void put(gxtkVertex* v, float x, float y);
	// Writes one textured vertex.
	void putUV(gxtkVertex* v, float x, float y, float u, float v_);
	// Writes a textured quad of size w × h at (x, y) with texture corners u0..v1.
	void putQuad(gxtkSurface* surface, float x, float y, float w, float h, float u0, float v0, float u1, float v1);
};

// True when an array of length elements holds h rows of w elements starting at
// offset, pitch elements apart (the shape ReadPixels and WritePixels2 use).
bool gxtk_PixelRowsFit(int length, int offset, int pitch, int w, int h);
