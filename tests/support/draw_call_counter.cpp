// draw_call_counter.cpp: counting wrappers around the driver's draw entries.
#include "support/draw_call_counter.h"

#include "graphics/gl_api.h"

int g_drawCalls = 0;

namespace {

// Counts a DrawArrays and passes it on.
void countedDrawArrays(GLenum mode, GLint first, GLsizei count) {
	++g_drawCalls;
	kx_gl_native.DrawArrays(mode, first, count);
}

// Counts a DrawElements and passes it on.
void countedDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
	++g_drawCalls;
	kx_gl_native.DrawElements(mode, count, type, indices);
}

}  // namespace

// Routes the draw entries through the counter.
void CountDrawCalls() {
	kx_gl.DrawArrays = countedDrawArrays;
	kx_gl.DrawElements = countedDrawElements;
}
