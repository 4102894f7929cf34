// gl_api.cpp: the table of OpenGL entry points, filled with the real ones.
#include "graphics/gl_api.h"

#include <GLFW/glfw3.h>

//----------------------------------------------------------------------------
// Window size
//----------------------------------------------------------------------------

// The size of the window that owns the current context.
static void currentWindowSize(int* width, int* height) {
	GLFWwindow* window = glfwGetCurrentContext();
	*width = 0;
	*height = 0;
	if (window) glfwGetWindowSize(window, width, height);
}

//----------------------------------------------------------------------------
// Tables
//----------------------------------------------------------------------------

const KxGlApi kx_gl_native = {
	glViewport,
	glMatrixMode,
	glLoadIdentity,
	glOrtho,
	glEnableClientState,
	glVertexPointer,
	glTexCoordPointer,
	glColorPointer,
	glEnable,
	glDisable,
	glBlendFunc,
	glClearColor,
	glClear,
	glScissor,
	glDrawArrays,
	glDrawElements,
	glReadPixels,
	glGenTextures,
	glDeleteTextures,
	glBindTexture,
	glTexParameteri,
	glTexImage2D,
	glTexSubImage2D,
	glPixelStorei,
	glGetError,
	currentWindowSize,
};

KxGlApi kx_gl = kx_gl_native;
