// graphics_api.cpp: the drawing context, its matrix stack and the module functions.
#include "graphics/graphics_api.h"

#include <cmath>

#include "graphics/gxtk_graphics.h"
#include "host/app.h"

// Degrees to radians, single precision.
static const float DEG_TO_RAD = 0.017453292f;
// The default font: its file, frames and the character of frame 0.
static const char* const DEFAULT_FONT_FILE = "vexo_font.png";
static const int DEFAULT_FONT_FRAMES = 96;
static const int DEFAULT_FONT_FIRST_CHAR = 32;

gxtkGraphics* kx_graphics_device = nullptr;
c_GraphicsContext* kx_graphics_context = nullptr;
gxtkGraphics* kx_graphics_renderDevice = nullptr;

//----------------------------------------------------------------------------
// Context
//----------------------------------------------------------------------------

// The defaults, with room for 32 saved matrices.
c_GraphicsContext* c_GraphicsContext::m_new() {
	gc_assign(m_matrixStack, Array<float>(MATRIX_STACK_START * MATRIX_FLOATS));
	return this;
}

// NOTE: written as positive comparisons so that a NaN counts as transformed.
void c_GraphicsContext::p_SetMatrixValues(float ix, float iy, float jx, float jy, float tx, float ty) {
	m_ix = ix;
	m_iy = iy;
	m_jx = jx;
	m_jy = jy;
	m_tx = tx;
	m_ty = ty;
	m_isTransformed = !(ix == 1 && iy == 0 && jx == 0 && jy == 1 && tx == 0 && ty == 0);
	m_matrixDirty = 1;
}

// Sends a changed matrix to the render device, once.
void c_GraphicsContext::p_Validate() {
	if (!m_matrixDirty) return;
	kx_graphics_renderDevice->SetMatrix(m_ix, m_iy, m_jx, m_jy, m_tx, m_ty);
	m_matrixDirty = 0;
}

// Reports the fonts and the matrix stack.
void c_GraphicsContext::mark() {
	Object::mark();
	gc_mark_q(m_fontDefault);
	gc_mark_q(m_fontImage);
	gc_mark_q(m_matrixStack);
}

//----------------------------------------------------------------------------
// Device and frame pass
//----------------------------------------------------------------------------

// Publishes the device; the current font goes back to none, from character 32.
int kx_graphics_SetGraphicsDevice(gxtkGraphics* device) {
	gc_assign(kx_graphics_device, device);
	kx_graphics_context->m_fontImage = nullptr;
	kx_graphics_context->m_fontFirstChar = DEFAULT_FONT_FIRST_CHAR;
	return 0;
}

// Every frame starts white, opaque, alpha blended, unscissored and untransformed.
int kx_graphics_BeginRender() {
	gc_assign(kx_graphics_renderDevice, kx_graphics_device);
	c_GraphicsContext* ctx = kx_graphics_context;
	ctx->m_matrixSp = 0;
	ctx->p_SetMatrixValues(1, 0, 0, 1, 0, 0);
	kx_graphics_SetColor(255, 255, 255);
	kx_graphics_SetAlpha(1);
	kx_graphics_SetBlend(0);
	kx_graphics_SetScissor(0, 0, static_cast<float>(kx_app__devWidth), static_cast<float>(kx_app__devHeight));
	return 0;
}

// Ends the pass: drawing calls are not allowed until the next one.
int kx_graphics_EndRender() {
	kx_graphics_renderDevice = nullptr;
	return 0;
}

//----------------------------------------------------------------------------
// Colour, blend, scissor, font
//----------------------------------------------------------------------------

// Stores the colour and forwards it.
int kx_graphics_SetColor(float r, float g, float b) {
	kx_graphics_context->m_red = r;
	kx_graphics_context->m_green = g;
	kx_graphics_context->m_blue = b;
	return kx_graphics_renderDevice->SetColor(r, g, b);
}

// Stores the alpha and forwards it.
int kx_graphics_SetAlpha(float alpha) {
	kx_graphics_context->m_alpha = alpha;
	return kx_graphics_renderDevice->SetAlpha(alpha);
}

// Stores the blend mode and forwards it (the device flushes).
int kx_graphics_SetBlend(int blend) {
	kx_graphics_context->m_blend = blend;
	return kx_graphics_renderDevice->SetBlend(blend);
}

// Stores the rectangle and forwards it truncated to whole pixels.
int kx_graphics_SetScissor(float x, float y, float width, float height) {
	c_GraphicsContext* ctx = kx_graphics_context;
	ctx->m_scissorX = x;
	ctx->m_scissorY = y;
	ctx->m_scissorW = width;
	ctx->m_scissorH = height;
	return kx_graphics_renderDevice->SetScissor(static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
	                                            static_cast<int>(height));
}

// A null font selects the default one, loaded on first need, from character 32.
int kx_graphics_SetFont(c_Image* font, int firstChar) {
	c_GraphicsContext* ctx = kx_graphics_context;
	if (!font) {
		if (!ctx->m_fontDefault) {
			gc_assign(ctx->m_fontDefault,
			          kx_graphics_LoadImage(String(DEFAULT_FONT_FILE), DEFAULT_FONT_FRAMES, IMAGE_X_PADDED));
		}
		font = ctx->m_fontDefault;
		firstChar = DEFAULT_FONT_FIRST_CHAR;
	}
	gc_assign(ctx->m_fontImage, font);
	ctx->m_fontFirstChar = firstChar;
	return 0;
}

//----------------------------------------------------------------------------
// Matrix
//----------------------------------------------------------------------------

// Replaces the matrix.
int kx_graphics_SetMatrix(float ix, float iy, float jx, float jy, float tx, float ty) {
	kx_graphics_context->p_SetMatrixValues(ix, iy, jx, jy, tx, ty);
	return 0;
}

// Replaces the matrix with elements 0-5 of m.
int kx_graphics_SetMatrix2(Array<float> m) {
	return kx_graphics_SetMatrix(m[0], m[1], m[2], m[3], m[4], m[5]);
}

// The given transform applies to a point first, the current matrix after it.
int kx_graphics_Transform(float a, float b, float c, float d, float e, float f) {
	c_GraphicsContext* ctx = kx_graphics_context;
	ctx->p_SetMatrixValues(a * ctx->m_ix + b * ctx->m_jx, a * ctx->m_iy + b * ctx->m_jy, c * ctx->m_ix + d * ctx->m_jx,
	                       c * ctx->m_iy + d * ctx->m_jy, e * ctx->m_ix + f * ctx->m_jx + ctx->m_tx,
	                       e * ctx->m_iy + f * ctx->m_jy + ctx->m_ty);
	return 0;
}

// Multiplies the matrix by elements 0-5 of m.
int kx_graphics_Transform2(Array<float> m) {
	return kx_graphics_Transform(m[0], m[1], m[2], m[3], m[4], m[5]);
}

// Moves the origin by (x, y) in current units.
int kx_graphics_Translate(float x, float y) {
	return kx_graphics_Transform(1, 0, 0, 1, x, y);
}

// Scales current units.
int kx_graphics_Scale(float x, float y) {
	return kx_graphics_Transform(x, 0, 0, y, 0, 0);
}

// Turns by angle degrees (counter-clockwise on screen).
int kx_graphics_Rotate(float angle) {
	float radians = angle * DEG_TO_RAD;
	float s = std::sin(radians);
	float c = std::cos(radians);
	return kx_graphics_Transform(c, -s, s, c, 0, 0);
}

// The stack doubles when it is full and never shrinks.
int kx_graphics_PushMatrix() {
	c_GraphicsContext* ctx = kx_graphics_context;
	if (ctx->m_matrixSp == ctx->m_matrixStack.Length()) {
		gc_assign(ctx->m_matrixStack, ctx->m_matrixStack.Resize(ctx->m_matrixSp * 2));
	}
	float* top = &ctx->m_matrixStack[ctx->m_matrixSp];
	top[0] = ctx->m_ix;
	top[1] = ctx->m_iy;
	top[2] = ctx->m_jx;
	top[3] = ctx->m_jy;
	top[4] = ctx->m_tx;
	top[5] = ctx->m_ty;
	ctx->m_matrixSp += MATRIX_FLOATS;
	return 0;
}

// Restores the last saved matrix.
int kx_graphics_PopMatrix() {
	c_GraphicsContext* ctx = kx_graphics_context;
	ctx->m_matrixSp -= MATRIX_FLOATS;
	const float* top = &ctx->m_matrixStack[ctx->m_matrixSp];
	ctx->p_SetMatrixValues(top[0], top[1], top[2], top[3], top[4], top[5]);
	return 0;
}

//----------------------------------------------------------------------------
// Primitives
//----------------------------------------------------------------------------

// Clears the window (within the scissor) to a colour.
int kx_graphics_Cls(float r, float g, float b) {
	return kx_graphics_renderDevice->Cls(r, g, b);
}

// One point.
int kx_graphics_DrawPoint(float x, float y) {
	kx_graphics_context->p_Validate();
	return kx_graphics_renderDevice->DrawPoint(x, y);
}

// A filled rectangle.
int kx_graphics_DrawRect(float x, float y, float w, float h) {
	kx_graphics_context->p_Validate();
	return kx_graphics_renderDevice->DrawRect(x, y, w, h);
}

// A line.
int kx_graphics_DrawLine(float x0, float y0, float x1, float y1) {
	kx_graphics_context->p_Validate();
	return kx_graphics_renderDevice->DrawLine(x0, y0, x1, y1);
}

// A filled ellipse inside the box (x, y, w, h).
int kx_graphics_DrawOval(float x, float y, float w, float h) {
	kx_graphics_context->p_Validate();
	return kx_graphics_renderDevice->DrawOval(x, y, w, h);
}

// A filled ellipse about its centre.
int kx_graphics_DrawEllipse(float x, float y, float xRadius, float yRadius) {
	return kx_graphics_DrawOval(x - xRadius, y - yRadius, 2 * xRadius, 2 * yRadius);
}

// A filled convex polygon of x, y pairs.
int kx_graphics_DrawPoly(Array<float> verts) {
	kx_graphics_context->p_Validate();
	return kx_graphics_renderDevice->DrawPoly(verts);
}
