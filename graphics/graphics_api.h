// graphics_api.h: the framework's drawing API, images and frames.
//
// c_GraphicsContext holds the logical drawing state: colour, alpha, blend,
// scissor, the current matrix with its push/pop stack and the font. State
// changes are forwarded to the render device at once, except the matrix,
// which is sent only when something is drawn after it changed. A c_Image is a
// surface cut into equal c_Frames, drawn about its handle.
#pragma once

#include "graphics/gxtk_graphics.h"
#include "runtime/kx_array.h"
#include "runtime/object.h"

class gxtkSurface;

//----------------------------------------------------------------------------
// Images
//----------------------------------------------------------------------------

// Image flags.
const int IMAGE_MID_HANDLE = 1;
const int IMAGE_X_PADDED = 2;
const int IMAGE_Y_PADDED = 4;
const int IMAGE_FULL_FRAME = 65536;

class c_Frame : public Object {
public:
	int m_x = 0;
	int m_y = 0;

	c_Frame* m_new(int x, int y);
	c_Frame* m_new2();
};

class c_Image : public Object {
public:
	gxtkSurface* m_surface = nullptr;
	int m_width = 0;
	int m_height = 0;
	Array<c_Frame*> m_frames;
	int m_flags = 0;
	float m_handleX = 0;
	float m_handleY = 0;
	c_Image* m_sourceImage = nullptr;

	static int m_DefaultFlags;

	c_Image* m_new();
	// A horizontal strip of frameCount frames over the whole surface.
	c_Image* p_Init(gxtkSurface* surface, int frameCount, int flags);
	// frameCount frames of width × height laid out in reading order over the
	// source area (srcX, srcY, srcW, srcH), starting at (x, y) within it.
	c_Image* p_Init2(gxtkSurface* surface, int x, int y, int width, int height, int frameCount, int flags,
	                 c_Image* source, int srcX, int srcY, int srcW, int srcH);
	// Padding, the centred handle and the whole-surface mark.
	int p_ApplyFlags(int flags);
	// Places the handle and drops the centred-handle flag.
	int p_SetHandle(float x, float y);
	void mark() override;
};

//----------------------------------------------------------------------------
// Drawing state
//----------------------------------------------------------------------------

// Floats of one saved matrix, and saved matrices the stack starts with.
const int MATRIX_FLOATS = 6;
const int MATRIX_STACK_START = 32;

class c_GraphicsContext : public Object {
public:
	c_Image* m_fontDefault = nullptr;
	c_Image* m_fontImage = nullptr;
	int m_fontFirstChar = 0;
	int m_matrixSp = 0;
	float m_ix = 1, m_iy = 0, m_jx = 0, m_jy = 1, m_tx = 0, m_ty = 0;
	int m_isTransformed = 0;
	int m_matrixDirty = 0;
	float m_red = 0, m_green = 0, m_blue = 0;
	float m_alpha = 0;
	int m_blend = 0;
	float m_scissorX = 0, m_scissorY = 0, m_scissorW = 0, m_scissorH = 0;
	Array<float> m_matrixStack;

	// The defaults, with room for 32 saved matrices.
	c_GraphicsContext* m_new();
	// Replaces the matrix and marks it changed.
	void p_SetMatrixValues(float ix, float iy, float jx, float jy, float tx, float ty);
	// Sends a changed matrix to the render device.
	void p_Validate();
	void mark() override;
};

extern gxtkGraphics* kx_graphics_device;
extern c_GraphicsContext* kx_graphics_context;
extern gxtkGraphics* kx_graphics_renderDevice;

//----------------------------------------------------------------------------
// Module functions
//----------------------------------------------------------------------------

c_Image* kx_graphics_LoadImage(String path, int frameCount, int flags);
c_Image* kx_graphics_LoadImage2(String path, int frameWidth, int frameHeight, int frameCount, int flags);

int kx_graphics_SetGraphicsDevice(gxtkGraphics* device);
int kx_graphics_BeginRender();
int kx_graphics_EndRender();

int kx_graphics_SetColor(float r, float g, float b);
int kx_graphics_SetAlpha(float alpha);
int kx_graphics_SetBlend(int blend);
int kx_graphics_SetScissor(float x, float y, float width, float height);
int kx_graphics_SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty);
int kx_graphics_SetMatrix2(Array<float> m);
int kx_graphics_Transform(float ix, float iy, float jx, float jy, float tx, float ty);
int kx_graphics_Transform2(Array<float> m);
int kx_graphics_Translate(float x, float y);
int kx_graphics_Scale(float x, float y);
int kx_graphics_Rotate(float angle);
int kx_graphics_PushMatrix();
int kx_graphics_PopMatrix();
int kx_graphics_SetFont(c_Image* font, int firstChar);

int kx_graphics_Cls(float r, float g, float b);
int kx_graphics_DrawPoint(float x, float y);
int kx_graphics_DrawRect(float x, float y, float w, float h);
int kx_graphics_DrawLine(float x0, float y0, float x1, float y1);
int kx_graphics_DrawOval(float x, float y, float w, float h);
int kx_graphics_DrawEllipse(float x, float y, float xRadius, float yRadius);
int kx_graphics_DrawPoly(Array<float> verts);
int kx_graphics_DrawImage(c_Image* image, float x, float y, int frame);
int kx_graphics_DrawImage2(c_Image* image, float x, float y, float rotation, float scaleX, float scaleY, int frame);
