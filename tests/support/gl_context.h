// gl_context.h: a real GLFW window with a current OpenGL context for tests.
//
// Opening a window counts as a new context generation (glfwGraphicsSeq), as
// the host does. Windows are visible so that read-back sees real pixels.
#pragma once

struct GLFWwindow;

class GlWindow {
public:
	GlWindow(int width = 640, int height = 480);
	~GlWindow();
	GlWindow(const GlWindow&) = delete;
	GlWindow& operator=(const GlWindow&) = delete;

	GLFWwindow* window = nullptr;
};
