// graphics_api.cpp: the device globals and the frame bracket.
#include "graphics/graphics_api.h"

gxtkGraphics* kx_graphics_device;
c_GraphicsContext* kx_graphics_context;
gxtkGraphics* kx_graphics_renderDevice;
int c_Image::m_DefaultFlags;

c_GraphicsContext* c_GraphicsContext::m_new() {
	return this;
}

int kx_graphics_SetGraphicsDevice(gxtkGraphics* device) {
	gc_assign(kx_graphics_device, device);
	return 0;
}

int kx_graphics_BeginRender() {
	gc_assign(kx_graphics_renderDevice, kx_graphics_device);
	return 0;
}

int kx_graphics_EndRender() {
	kx_graphics_renderDevice = nullptr;
	return 0;
}
