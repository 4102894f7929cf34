// graphics_api.h: the drawing state and the device the application draws on.
#pragma once

#include "graphics/gxtk_graphics.h"
#include "runtime/object.h"

class c_GraphicsContext : public Object {
public:
	c_GraphicsContext* m_new();
};

class c_Image : public Object {
public:
	static int m_DefaultFlags;
};

extern gxtkGraphics* kx_graphics_device;
extern c_GraphicsContext* kx_graphics_context;
// The device between kx_graphics_BeginRender and kx_graphics_EndRender.
extern gxtkGraphics* kx_graphics_renderDevice;

int kx_graphics_SetGraphicsDevice(gxtkGraphics* device);
int kx_graphics_BeginRender();
int kx_graphics_EndRender();
