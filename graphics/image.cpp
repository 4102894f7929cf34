// image.cpp: frames, images cut from surfaces, and drawing them.
#include "graphics/graphics_api.h"
#include "graphics/gxtk_graphics.h"
#include "graphics/gxtk_surface.h"
#include "runtime/errors.h"
#include "runtime/files.h"

int c_Image::m_DefaultFlags = 0;

//----------------------------------------------------------------------------
// Frames
//----------------------------------------------------------------------------

// A frame with its top-left corner at (x, y) of the surface.
c_Frame* c_Frame::m_new(int x, int y) {
	m_x = x;
	m_y = y;
	return this;
}

// A frame at the surface origin.
c_Frame* c_Frame::m_new2() {
	return this;
}

//----------------------------------------------------------------------------
// Images
//----------------------------------------------------------------------------

// An empty image, filled by p_Init or p_Init2.
c_Image* c_Image::m_new() {
	return this;
}

// Frames side by side across the surface, then the flags.
c_Image* c_Image::p_Init(gxtkSurface* surface, int frameCount, int flags) {
	gc_assign(m_surface, surface);
	m_width = surface->Width() / frameCount;
	m_height = surface->Height();
	gc_assign(m_frames, Array<c_Frame*>(frameCount));
	for (int i = 0; i < frameCount; ++i) gc_assign(m_frames[i], (new c_Frame())->m_new(i * m_width, 0));
	p_ApplyFlags(flags);
	return this;
}

// Rows are filled left to right and wrap to x 0; a frame that cannot fit is a runtime error.
c_Image* c_Image::p_Init2(gxtkSurface* surface, int x, int y, int width, int height, int frameCount, int flags,
                          c_Image* source, int srcX, int srcY, int srcW, int srcH) {
	gc_assign(m_surface, surface);
	gc_assign(m_sourceImage, source);
	m_width = width;
	m_height = height;
	gc_assign(m_frames, Array<c_Frame*>(frameCount));
	for (int i = 0; i < frameCount; ++i) {
		if (x + width > srcW) {
			y += height;
			if (width > srcW) kxError(String("Image frame outside surface"));
			x = 0;
		}
		if (y + height > srcH) kxError(String("Image frame outside surface"));
		gc_assign(m_frames[i], (new c_Frame())->m_new(x + srcX, y + srcY));
		x += width;
	}
	p_ApplyFlags(flags);
	return this;
}

// Padding first, then the handle from the padded-off size, then the whole-surface mark.
int c_Image::p_ApplyFlags(int flags) {
	m_flags = flags;
	if (m_flags & IMAGE_X_PADDED) {
		for (c_Frame* frame : m_frames) frame->m_x += 1;
		m_width -= 2;
	}
	if (m_flags & IMAGE_Y_PADDED) {
		for (c_Frame* frame : m_frames) frame->m_y += 1;
		m_height -= 2;
	}
	if (m_flags & IMAGE_MID_HANDLE) p_SetHandle(0.5f * m_width, 0.5f * m_height);
	bool whole = m_frames.Length() == 1 && m_frames[0]->m_x == 0 && m_frames[0]->m_y == 0 &&
	             m_width == m_surface->Width() && m_height == m_surface->Height();
	if (whole) m_flags |= IMAGE_FULL_FRAME;
	return 0;
}

// An explicit handle replaces the centred one.
int c_Image::p_SetHandle(float x, float y) {
	m_handleX = x;
	m_handleY = y;
	m_flags &= ~IMAGE_MID_HANDLE;
	return 0;
}

// Reports the surface, the frames and the source image.
void c_Image::mark() {
	Object::mark();
	gc_mark_q(m_surface);
	gc_mark_q(m_frames);
	gc_mark_q(m_sourceImage);
}

//----------------------------------------------------------------------------
// Loading
//----------------------------------------------------------------------------

// A strip of frameCount frames, or null when the file cannot be loaded.
c_Image* kx_graphics_LoadImage(String path, int frameCount, int flags) {
	gxtkSurface* surface = kx_graphics_device->LoadSurface(kx_data_FixDataPath(path));
	if (!surface) return nullptr;
	return (new c_Image())->m_new()->p_Init(surface, frameCount, flags);
}

// frameCount frames of frameWidth × frameHeight in reading order over the surface.
c_Image* kx_graphics_LoadImage2(String path, int frameWidth, int frameHeight, int frameCount, int flags) {
	gxtkSurface* surface = kx_graphics_device->LoadSurface(kx_data_FixDataPath(path));
	if (!surface) return nullptr;
	return (new c_Image())->m_new()->p_Init2(surface, 0, 0, frameWidth, frameHeight, frameCount, flags, nullptr, 0,
	                                         0, surface->Width(), surface->Height());
}

//----------------------------------------------------------------------------
// Drawing
//----------------------------------------------------------------------------

// One frame with its top-left corner at (x, y) in current units.
static void drawFrame(c_Image* image, float x, float y, int frame) {
	if (image->m_flags & IMAGE_FULL_FRAME) {
		kx_graphics_renderDevice->DrawSurface(image->m_surface, x, y);
		return;
	}
	c_Frame* f = image->m_frames[frame];
	kx_graphics_renderDevice->DrawSurface2(image->m_surface, x, y, f->m_x, f->m_y, image->m_width, image->m_height);
}

// NOTE: the handle is taken off before the matrix applies, in local units.
int kx_graphics_DrawImage(c_Image* image, float x, float y, int frame) {
	kx_graphics_context->p_Validate();
	drawFrame(image, x - image->m_handleX, y - image->m_handleY, frame);
	return 0;
}

// The frame turned, scaled and placed about its handle.
int kx_graphics_DrawImage2(c_Image* image, float x, float y, float rotation, float scaleX, float scaleY, int frame) {
	kx_graphics_PushMatrix();
	kx_graphics_Translate(x, y);
	kx_graphics_Rotate(rotation);
	kx_graphics_Scale(scaleX, scaleY);
	kx_graphics_Translate(-image->m_handleX, -image->m_handleY);
	kx_graphics_context->p_Validate();
	drawFrame(image, 0, 0, frame);
	kx_graphics_PopMatrix();
	return 0;
}
