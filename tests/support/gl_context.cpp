// gl_context.cpp: test windows through GLFW 3.
#include "support/gl_context.h"

#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>

#include "host/kx_game.h"

GlWindow::GlWindow(int width, int height) {
	static bool started = false;
	if (!started && !glfwInit()) {
		std::fprintf(stderr, "gl_context: glfwInit failed\n");
		std::abort();
	}
	started = true;
	glfwDefaultWindowHints();
	glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
	window = glfwCreateWindow(width, height, "Zimbolo test", nullptr, nullptr);
	if (!window) {
		std::fprintf(stderr, "gl_context: no window\n");
		std::abort();
	}
	glfwMakeContextCurrent(window);
	glfwSwapInterval(0);
	++glfwGraphicsSeq;
}

GlWindow::~GlWindow() {
	glfwMakeContextCurrent(nullptr);
	glfwDestroyWindow(window);
}
