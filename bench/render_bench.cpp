// render_bench.cpp: one frame's worst case for the game, 2499 sprites of one
// texture drawn through the drawing API, recorded and flushed. It runs once
// against a GL table that only counts draw calls (the CPU cost of batching)
// and once on a real OpenGL context when a display is there (add the driver's
// cost of taking the batches).
#include <benchmark/benchmark.h>

#include <GLFW/glfw3.h>

#include <cstdlib>
#include <cstring>

#include "graphics/gl_api.h"
#include "graphics/graphics_api.h"
#include "graphics/gxtk_graphics.h"
#include "graphics/gxtk_surface.h"
#include "host/app.h"
#include "host/kx_game.h"
#include "sprite_scene.h"
#include "support/draw_call_counter.h"

namespace {

using namespace sprite_scene;

// A GL table that does nothing but count draws (no context needed).
KxGlApi countingTable() {
	KxGlApi t;
	t.Viewport = [](GLint, GLint, GLsizei, GLsizei) {};
	t.MatrixMode = [](GLenum) {};
	t.LoadIdentity = [] {};
	t.Ortho = [](GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble) {};
	t.EnableClientState = [](GLenum) {};
	t.VertexPointer = [](GLint, GLenum, GLsizei, const void*) {};
	t.TexCoordPointer = [](GLint, GLenum, GLsizei, const void*) {};
	t.ColorPointer = [](GLint, GLenum, GLsizei, const void*) {};
	t.Enable = [](GLenum) {};
	t.Disable = [](GLenum) {};
	t.BlendFunc = [](GLenum, GLenum) {};
	t.ClearColor = [](GLfloat, GLfloat, GLfloat, GLfloat) {};
	t.Clear = [](GLbitfield) {};
	t.Scissor = [](GLint, GLint, GLsizei, GLsizei) {};
	t.DrawArrays = [](GLenum, GLint, GLsizei) { ++g_drawCalls; };
	t.DrawElements = [](GLenum, GLsizei, GLenum, const void*) { ++g_drawCalls; };
	t.ReadPixels = [](GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*) {};
	t.GenTextures = [](GLsizei n, GLuint* ids) { std::memset(ids, 0, sizeof(GLuint) * n); };
	t.DeleteTextures = [](GLsizei, const GLuint*) {};
	t.BindTexture = [](GLenum, GLuint) {};
	t.TexParameteri = [](GLenum, GLenum, GLint) {};
	t.TexImage2D = [](GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*) {};
	t.TexSubImage2D = [](GLenum, GLint, GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, const void*) {};
	t.PixelStorei = [](GLenum, GLint) {};
	t.GetError = []() -> GLenum { return GL_NO_ERROR; };
	t.WindowSize = [](int* w, int* h) {
		*w = WIDTH;
		*h = HEIGHT;
	};
	return t;
}

// The framework state, a device and a bound sprite sheet.
c_Image* setUpScene() {
	kx_graphics_context = (new c_GraphicsContext())->m_new();
	kx_graphics_SetGraphicsDevice(new gxtkGraphics());
	kx_app__devWidth = WIDTH;
	kx_app__devHeight = HEIGHT;
	size_t bytes = static_cast<size_t>(FRAME) * FRAMES * FRAME * 4;
	unsigned char* pixels = static_cast<unsigned char*>(std::malloc(bytes));
	std::memset(pixels, 0xff, bytes);
	gxtkSurface* sheet = new gxtkSurface();
	sheet->SetData(pixels, FRAME * FRAMES, FRAME, 4);
	sheet->Bind();
	return (new c_Image())->m_new()->p_Init(sheet, FRAMES, IMAGE_MID_HANDLE);
}

// One frame: every sprite rotated, scaled and tinted differently, then the flush.
void renderFrame(c_Image* sheet) {
	kx_graphics_device->BeginRender();
	kx_graphics_BeginRender();
	for (int i = 0; i < SPRITES; ++i) {
		kx_graphics_SetAlpha(0.5f + (i % 2) * 0.5f);
		kx_graphics_DrawImage2(sheet, static_cast<float>(i % WIDTH), static_cast<float>(i % HEIGHT),
		                       static_cast<float>(i % 360), SCALE, SCALE, i % FRAMES);
	}
	kx_graphics_EndRender();
	kx_graphics_device->EndRender();
}

// Runs frames and reports the draw calls one frame takes.
void runFrames(benchmark::State& state, c_Image* sheet) {
	int perFrame = 0;
	for (auto _ : state) {
		g_drawCalls = 0;
		renderFrame(sheet);
		perFrame = g_drawCalls;
	}
	state.counters["draw_calls"] = perFrame;
	state.counters["sprites"] = SPRITES;
	state.SetItemsProcessed(state.iterations() * SPRITES);
}

void BM_SpritesCountedSeam(benchmark::State& state) {
	kx_gl = countingTable();
	int savedSeq = glfwGraphicsSeq;
	glfwGraphicsSeq = 1;
	c_Image* sheet = setUpScene();
	runFrames(state, sheet);
	glfwGraphicsSeq = savedSeq;
	kx_gl = kx_gl_native;
}
BENCHMARK(BM_SpritesCountedSeam)->Unit(benchmark::kMicrosecond);

void BM_SpritesRealContext(benchmark::State& state) {
	if (!std::getenv("DISPLAY") || !glfwInit()) {
		state.SkipWithError("no display for a GL context");
		return;
	}
	GLFWwindow* window = glfwCreateWindow(WIDTH, HEIGHT, "render_bench", nullptr, nullptr);
	if (!window) {
		state.SkipWithError("no GL window");
		return;
	}
	glfwMakeContextCurrent(window);
	++glfwGraphicsSeq;
	CountDrawCalls();
	c_Image* sheet = setUpScene();
	runFrames(state, sheet);
	kx_gl = kx_gl_native;
	glfwDestroyWindow(window);
}
BENCHMARK(BM_SpritesRealContext)->Unit(benchmark::kMicrosecond);

}  // namespace
