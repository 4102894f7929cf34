// gl_recorder.h: a stand-in for the OpenGL entry table that records calls.
//
// While a GlRecorder lives, every kx_gl entry records its name and arguments,
// and a draw call also the positions of the vertices it draws.
// Without pass-through nothing reaches OpenGL (no context is needed) and the
// window reports the recorder's size; with it every call also goes to the real
// driver. A recorder can play a driver that refuses non-power-of-two textures.
#pragma once

#include <string>
#include <vector>

struct GlCall {
	std::string name;
	std::vector<double> args;
	// Draw calls: x and y of every vertex the call reads from the vertex array.
	std::vector<float> points;
};

class GlRecorder {
public:
	explicit GlRecorder(bool passThrough = false);
	~GlRecorder();
	GlRecorder(const GlRecorder&) = delete;
	GlRecorder& operator=(const GlRecorder&) = delete;

	// Calls of one entry, in order.
	std::vector<GlCall> Calls(const std::string& name) const;
	int Count(const std::string& name) const;
	// Names of the calls, in order.
	std::vector<std::string> Names() const;
	void Clear() { calls.clear(); }

	std::vector<GlCall> calls;
	bool passThrough;
	// Window size reported without pass-through.
	int width = 640;
	int height = 480;
	// When set, TexImage2D with a dimension that is not a power of two is not
	// passed on and the next GetError reports GL_INVALID_VALUE.
	bool refuseNonPowerOfTwo = false;
	unsigned pendingError = 0;
	// The vertex array in use, as the last VertexPointer set it.
	const void* vertexArray = nullptr;
	int vertexStride = 0;

	static GlRecorder* active;
};
