// gl_api.h: the OpenGL entry points the renderer and surfaces call.
//
// Every GL call of the graphics module goes through the table kx_gl, which
// starts out pointing at the real OpenGL 1.1 functions (and at GLFW for the
// window size). Tests swap single entries, or the whole table, to count calls
// or to make the driver report errors without a real context.
#pragma once

#include <GL/gl.h>

//----------------------------------------------------------------------------
// Entry table
//----------------------------------------------------------------------------

struct KxGlApi {
	void (*Viewport)(GLint x, GLint y, GLsizei w, GLsizei h);
	void (*MatrixMode)(GLenum mode);
	void (*LoadIdentity)();
	void (*Ortho)(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar);
	void (*EnableClientState)(GLenum array);
	void (*VertexPointer)(GLint size, GLenum type, GLsizei stride, const void* pointer);
	void (*TexCoordPointer)(GLint size, GLenum type, GLsizei stride, const void* pointer);
	void (*ColorPointer)(GLint size, GLenum type, GLsizei stride, const void* pointer);
	void (*Enable)(GLenum cap);
	void (*Disable)(GLenum cap);
	void (*BlendFunc)(GLenum src, GLenum dst);
	void (*ClearColor)(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
	void (*Clear)(GLbitfield mask);
	void (*Scissor)(GLint x, GLint y, GLsizei w, GLsizei h);
	void (*DrawArrays)(GLenum mode, GLint first, GLsizei count);
	void (*DrawElements)(GLenum mode, GLsizei count, GLenum type, const void* indices);
	void (*ReadPixels)(GLint x, GLint y, GLsizei w, GLsizei h, GLenum format, GLenum type, void* pixels);
	void (*GenTextures)(GLsizei n, GLuint* textures);
	void (*DeleteTextures)(GLsizei n, const GLuint* textures);
	void (*BindTexture)(GLenum target, GLuint texture);
	void (*TexParameteri)(GLenum target, GLenum name, GLint value);
	void (*TexImage2D)(GLenum target, GLint level, GLint internalFormat, GLsizei w, GLsizei h, GLint border,
	                   GLenum format, GLenum type, const void* pixels);
	void (*TexSubImage2D)(GLenum target, GLint level, GLint x, GLint y, GLsizei w, GLsizei h, GLenum format,
	                      GLenum type, const void* pixels);
	void (*PixelStorei)(GLenum name, GLint value);
	GLenum (*GetError)();
	// The drawable size of the window whose context is current (0 × 0 without one).
	void (*WindowSize)(int* width, int* height);
};

// The table in use.
extern KxGlApi kx_gl;
// The real functions, for restoring the table or passing calls through.
extern const KxGlApi kx_gl_native;
