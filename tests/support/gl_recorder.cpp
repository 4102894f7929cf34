// gl_recorder.cpp: recording replacements for every kx_gl entry.
#include "support/gl_recorder.h"

#include <algorithm>
#include <cstdint>

#include "graphics/gl_api.h"

GlRecorder* GlRecorder::active = nullptr;

// Records one call; true when it is to be passed on to the driver.
static bool rec(const char* name, std::initializer_list<double> args) {
	GlRecorder::active->calls.push_back(GlCall{name, args, {}});
	return GlRecorder::active->passThrough;
}

// A pointer argument as a number.
static double ptr(const void* p) {
	return static_cast<double>(reinterpret_cast<std::uintptr_t>(p));
}

static bool isPowerOfTwo(int n) {
	return n > 0 && (n & (n - 1)) == 0;
}

static void fViewport(GLint x, GLint y, GLsizei w, GLsizei h) {
	if (rec("Viewport", {double(x), double(y), double(w), double(h)})) kx_gl_native.Viewport(x, y, w, h);
}
static void fMatrixMode(GLenum mode) {
	if (rec("MatrixMode", {double(mode)})) kx_gl_native.MatrixMode(mode);
}
static void fLoadIdentity() {
	if (rec("LoadIdentity", {})) kx_gl_native.LoadIdentity();
}
static void fOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
	if (rec("Ortho", {l, r, b, t, n, f})) kx_gl_native.Ortho(l, r, b, t, n, f);
}
static void fEnableClientState(GLenum a) {
	if (rec("EnableClientState", {double(a)})) kx_gl_native.EnableClientState(a);
}
// Keeps x and y of vertices first .. first + count - 1 of the vertex array
// with the call just recorded.
static void recPoints(int first, int count) {
	const char* base = static_cast<const char*>(GlRecorder::active->vertexArray);
	std::vector<float>& points = GlRecorder::active->calls.back().points;
	for (int i = first; base && i < first + count; ++i) {
		const float* xy = reinterpret_cast<const float*>(base + i * GlRecorder::active->vertexStride);
		points.insert(points.end(), {xy[0], xy[1]});
	}
}

static void fVertexPointer(GLint size, GLenum type, GLsizei stride, const void* p) {
	GlRecorder::active->vertexArray = p;
	GlRecorder::active->vertexStride = stride;
	if (rec("VertexPointer", {double(size), double(type), double(stride), ptr(p)}))
		kx_gl_native.VertexPointer(size, type, stride, p);
}
static void fTexCoordPointer(GLint size, GLenum type, GLsizei stride, const void* p) {
	if (rec("TexCoordPointer", {double(size), double(type), double(stride), ptr(p)}))
		kx_gl_native.TexCoordPointer(size, type, stride, p);
}
static void fColorPointer(GLint size, GLenum type, GLsizei stride, const void* p) {
	if (rec("ColorPointer", {double(size), double(type), double(stride), ptr(p)}))
		kx_gl_native.ColorPointer(size, type, stride, p);
}
static void fEnable(GLenum cap) {
	if (rec("Enable", {double(cap)})) kx_gl_native.Enable(cap);
}
static void fDisable(GLenum cap) {
	if (rec("Disable", {double(cap)})) kx_gl_native.Disable(cap);
}
static void fBlendFunc(GLenum s, GLenum d) {
	if (rec("BlendFunc", {double(s), double(d)})) kx_gl_native.BlendFunc(s, d);
}
static void fClearColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
	if (rec("ClearColor", {r, g, b, a})) kx_gl_native.ClearColor(r, g, b, a);
}
static void fClear(GLbitfield mask) {
	if (rec("Clear", {double(mask)})) kx_gl_native.Clear(mask);
}
static void fScissor(GLint x, GLint y, GLsizei w, GLsizei h) {
	if (rec("Scissor", {double(x), double(y), double(w), double(h)})) kx_gl_native.Scissor(x, y, w, h);
}
static void fDrawArrays(GLenum mode, GLint first, GLsizei count) {
	bool pass = rec("DrawArrays", {double(mode), double(first), double(count)});
	recPoints(first, count);
	if (pass) kx_gl_native.DrawArrays(mode, first, count);
}
// The vertices of an indexed draw are kept once each, from 0 to the highest index.
static void fDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
	bool pass = rec("DrawElements", {double(mode), double(count), double(type), ptr(indices)});
	int highest = -1;
	for (int i = 0; type == GL_UNSIGNED_SHORT && i < count; ++i) {
		highest = std::max(highest, static_cast<int>(static_cast<const GLushort*>(indices)[i]));
	}
	recPoints(0, highest + 1);
	if (pass) kx_gl_native.DrawElements(mode, count, type, indices);
}
// Without a driver every pixel reads as its index in GL's bottom-up order.
static void fReadPixels(GLint x, GLint y, GLsizei w, GLsizei h, GLenum format, GLenum type, void* pixels) {
	if (rec("ReadPixels", {double(x), double(y), double(w), double(h), double(format), double(type)})) {
		kx_gl_native.ReadPixels(x, y, w, h, format, type, pixels);
		return;
	}
	int* out = static_cast<int*>(pixels);
	for (int i = 0; i < w * h; ++i) out[i] = i;
}
static void fGenTextures(GLsizei n, GLuint* textures) {
	if (rec("GenTextures", {double(n)})) {
		kx_gl_native.GenTextures(n, textures);
		return;
	}
	static GLuint next = 1;
	for (int i = 0; i < n; ++i) textures[i] = next++;
}
static void fDeleteTextures(GLsizei n, const GLuint* textures) {
	if (rec("DeleteTextures", {double(n), double(textures[0])})) kx_gl_native.DeleteTextures(n, textures);
}
static void fBindTexture(GLenum target, GLuint texture) {
	if (rec("BindTexture", {double(target), double(texture)})) kx_gl_native.BindTexture(target, texture);
}
static void fTexParameteri(GLenum target, GLenum name, GLint value) {
	if (rec("TexParameteri", {double(target), double(name), double(value)}))
		kx_gl_native.TexParameteri(target, name, value);
}
static void fTexImage2D(GLenum target, GLint level, GLint internal, GLsizei w, GLsizei h, GLint border, GLenum format,
                        GLenum type, const void* pixels) {
	bool pass = rec("TexImage2D", {double(target), double(level), double(internal), double(w), double(h),
	                               double(border), double(format), double(type), ptr(pixels)});
	if (GlRecorder::active->refuseNonPowerOfTwo && !(isPowerOfTwo(w) && isPowerOfTwo(h))) {
		GlRecorder::active->pendingError = GL_INVALID_VALUE;
		return;
	}
	if (pass) kx_gl_native.TexImage2D(target, level, internal, w, h, border, format, type, pixels);
}
static void fTexSubImage2D(GLenum target, GLint level, GLint x, GLint y, GLsizei w, GLsizei h, GLenum format,
                           GLenum type, const void* pixels) {
	if (rec("TexSubImage2D", {double(target), double(level), double(x), double(y), double(w), double(h),
	                          double(format), double(type), ptr(pixels)}))
		kx_gl_native.TexSubImage2D(target, level, x, y, w, h, format, type, pixels);
}
static void fPixelStorei(GLenum name, GLint value) {
	if (rec("PixelStorei", {double(name), double(value)})) kx_gl_native.PixelStorei(name, value);
}
static GLenum fGetError() {
	GLenum pending = GlRecorder::active->pendingError;
	GlRecorder::active->pendingError = GL_NO_ERROR;
	bool pass = rec("GetError", {double(pending)});
	if (pending != GL_NO_ERROR) return pending;
	return pass ? kx_gl_native.GetError() : GL_NO_ERROR;
}
static void fWindowSize(int* width, int* height) {
	if (rec("WindowSize", {})) {
		kx_gl_native.WindowSize(width, height);
		return;
	}
	*width = GlRecorder::active->width;
	*height = GlRecorder::active->height;
}

static const KxGlApi RECORDING = {
	fViewport,    fMatrixMode,  fLoadIdentity,  fOrtho,       fEnableClientState, fVertexPointer, fTexCoordPointer,
	fColorPointer, fEnable,     fDisable,       fBlendFunc,   fClearColor,        fClear,         fScissor,
	fDrawArrays,  fDrawElements, fReadPixels,   fGenTextures, fDeleteTextures,    fBindTexture,   fTexParameteri,
	fTexImage2D,  fTexSubImage2D, fPixelStorei, fGetError,    fWindowSize,
};

GlRecorder::GlRecorder(bool passThrough_) : passThrough(passThrough_) {
	active = this;
	kx_gl = RECORDING;
}

GlRecorder::~GlRecorder() {
	kx_gl = kx_gl_native;
	active = nullptr;
}

std::vector<GlCall> GlRecorder::Calls(const std::string& name) const {
	std::vector<GlCall> out;
	for (const GlCall& call : calls) {
		if (call.name == name) out.push_back(call);
	}
	return out;
}

int GlRecorder::Count(const std::string& name) const {
	return static_cast<int>(Calls(name).size());
}

std::vector<std::string> GlRecorder::Names() const {
	std::vector<std::string> out;
	for (const GlCall& call : calls) out.push_back(call.name);
	return out;
}
