// The drawing API: images and frames, flags and handles, the matrix stack and
// its lazy validation, the frame reset and the default font.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "graphics/gl_api.h"
#include "graphics/graphics_api.h"
#include "graphics/gxtk_graphics.h"
#include "graphics/gxtk_surface.h"
#include "host/app.h"
#include "support/child_process.h"
#include "support/fixtures.h"
#include "support/gl_recorder.h"

namespace {

// A device that counts the state calls the API sends it.
class CountingDevice : public gxtkGraphics {
public:
	int SetMatrix(float ix_, float iy_, float jx_, float jy_, float tx_, float ty_) override {
		++setMatrixCalls;
		return gxtkGraphics::SetMatrix(ix_, iy_, jx_, jy_, tx_, ty_);
	}
	int SetScissor(int x, int y, int w, int h) override {
		scissor = {x, y, w, h};
		return gxtkGraphics::SetScissor(x, y, w, h);
	}
	int setMatrixCalls = 0;
	std::vector<int> scissor;
};

// A fresh context and a counting device inside a render pass.
class DrawingApi : public ::testing::Test {
protected:
	void SetUp() override {
		EnsureTestHost();
		kx_graphics_context = (new c_GraphicsContext())->m_new();
		device = new CountingDevice();
		kx_graphics_SetGraphicsDevice(device);
		kx_app__devWidth = 640;
		kx_app__devHeight = 480;
		device->BeginRender();
		kx_graphics_BeginRender();
		device->setMatrixCalls = 0;
	}
	void TearDown() override {
		kx_graphics_EndRender();
		kx_graphics_device = nullptr;
	}

	c_GraphicsContext* ctx() { return kx_graphics_context; }

	GlRecorder gl;
	CountingDevice* device = nullptr;
};

TEST_F(DrawingApi, PaddedStripOf96Frames) {
	TempDir dir;
	WriteSolidPng("data/strip.png", 960, 32, 1, 2, 3, 255);
	c_Image* image = kx_graphics_LoadImage(String("strip.png"), 96, 2);
	ASSERT_NE(image, nullptr);
	EXPECT_EQ(image->m_width, 8);
	EXPECT_EQ(image->m_height, 32);
	ASSERT_EQ(image->m_frames.Length(), 96);
	EXPECT_EQ(image->m_frames[5]->m_x, 51);
	EXPECT_EQ(image->m_frames[5]->m_y, 0);
	EXPECT_EQ(image->m_flags, 2);
	EXPECT_EQ(image->m_sourceImage, nullptr);
	EXPECT_EQ(kx_graphics_LoadImage(String("missing.png"), 1, 0), nullptr);
}

TEST_F(DrawingApi, WholeSurfaceFlagOnlyWithoutPadding) {
	gxtkSurface* s = MakeSolidSurface(10, 6, 1, 2, 3, 255);
	c_Image* plain = (new c_Image())->m_new()->p_Init(s, 1, 0);
	EXPECT_EQ(plain->m_flags, IMAGE_FULL_FRAME);
	c_Image* padded = (new c_Image())->m_new()->p_Init(s, 1, IMAGE_X_PADDED);
	EXPECT_EQ(padded->m_flags, IMAGE_X_PADDED);
	c_Image* vpadded = (new c_Image())->m_new()->p_Init(s, 1, IMAGE_Y_PADDED);
	EXPECT_EQ(vpadded->m_height, 4);
	EXPECT_EQ(vpadded->m_frames[0]->m_y, 1);

	s->uScale = 0.1f;
	s->vScale = 1.0f / 6;
	kx_graphics_DrawImage(plain, 0, 0, 0);
	EXPECT_FLOAT_EQ(device->vertexBuffer[2].u, 1.0f) << "drawn with the whole-surface quad";
	kx_graphics_DrawImage(padded, 0, 0, 0);
	EXPECT_FLOAT_EQ(device->vertexBuffer[4].u, 0.1f) << "drawn from its frame, past the border";
	EXPECT_FLOAT_EQ(device->vertexBuffer[6].u, 0.9f);
}

TEST_F(DrawingApi, CentredHandle) {
	gxtkSurface* s = MakeSolidSurface(32, 16, 1, 2, 3, 255);
	c_Image* image = (new c_Image())->m_new()->p_Init(s, 1, IMAGE_MID_HANDLE);
	EXPECT_FLOAT_EQ(image->m_handleX, 16);
	EXPECT_FLOAT_EQ(image->m_handleY, 8);
	EXPECT_EQ(image->m_flags & IMAGE_MID_HANDLE, 0);
	EXPECT_EQ(image->m_flags, IMAGE_FULL_FRAME);
	c_Image* padded = (new c_Image())->m_new()->p_Init(s, 2, IMAGE_MID_HANDLE | IMAGE_X_PADDED | IMAGE_Y_PADDED);
	EXPECT_FLOAT_EQ(padded->m_handleX, 7) << "the handle uses the size without the border";
	EXPECT_FLOAT_EQ(padded->m_handleY, 7);
	kx_graphics_DrawImage(image, 100, 50, 0);
	EXPECT_FLOAT_EQ(device->vertexBuffer[0].x, 84);
	EXPECT_FLOAT_EQ(device->vertexBuffer[0].y, 42);
}

TEST_F(DrawingApi, FrameGridInReadingOrder) {
	gxtkSurface* s = MakeSolidSurface(60, 60, 1, 2, 3, 255);
	c_Image* source = (new c_Image())->m_new()->p_Init(s, 1, 0);
	// Frames that fill the 50 × 50 area exactly, both across and down.
	c_Image* image = (new c_Image())->m_new()->p_Init2(s, 0, 0, 25, 25, 4, 0, source, 5, 7, 50, 50);
	const int expected[4][2] = {{5, 7}, {30, 7}, {5, 32}, {30, 32}};
	for (int i = 0; i < 4; ++i) {
		EXPECT_EQ(image->m_frames[i]->m_x, expected[i][0]) << i;
		EXPECT_EQ(image->m_frames[i]->m_y, expected[i][1]) << i;
	}
	EXPECT_EQ(image->m_sourceImage, source);
	c_Image* empty = (new c_Image())->m_new()->p_Init2(s, 0, 0, 20, 20, 0, 0, nullptr, 0, 0, 10, 10);
	EXPECT_EQ(empty->m_frames.Length(), 0);
}

TEST_F(DrawingApi, FrameOutsideTheSurfaceEndsTheProgram) {
	gxtkSurface* s = MakeSolidSurface(50, 50, 1, 2, 3, 255);
	// frameCount frames of width × height cut from the 50 × 50 surface.
	auto grid = [s](int frameCount, int width, int height) {
		return [=] { (new c_Image())->m_new()->p_Init2(s, 0, 0, width, height, frameCount, 0, nullptr, 0, 0, 50, 50); };
	};
	ChildResult fifth = run_in_child(grid(5, 20, 20));
	EXPECT_TRUE(fifth.exited);
	EXPECT_EQ(fifth.status, 255);
	EXPECT_NE(fifth.out.find("Velmar Runtime Error : Image frame outside surface"), std::string::npos)
	    << fifth.out;
	ChildResult wide = run_in_child(grid(1, 60, 10));
	EXPECT_EQ(wide.status, 255);
	ChildResult fits = run_in_child(grid(4, 25, 25));
	EXPECT_EQ(fits.status, 0) << "frames that fill the surface exactly fit";
	ChildResult wholeRows = run_in_child(grid(2, 50, 25));
	EXPECT_EQ(wholeRows.status, 0) << wholeRows.out;
}

TEST_F(DrawingApi, MatrixProductAppliesTheNewTransformFirst) {
	kx_graphics_Translate(10, 0);
	kx_graphics_Scale(2, 3);
	EXPECT_FLOAT_EQ(ctx()->m_ix, 2);
	EXPECT_FLOAT_EQ(ctx()->m_jy, 3);
	EXPECT_FLOAT_EQ(ctx()->m_tx, 10);
	kx_graphics_Translate(1, 1);
	EXPECT_FLOAT_EQ(ctx()->m_tx, 12);
	EXPECT_FLOAT_EQ(ctx()->m_ty, 3);
	EXPECT_EQ(ctx()->m_isTransformed, 1);
	kx_graphics_SetMatrix(1, 0, 0, 1, 0, 0);
	EXPECT_EQ(ctx()->m_isTransformed, 0);
	kx_graphics_Rotate(90);
	EXPECT_NEAR(ctx()->m_iy, -1, 1e-6);
	EXPECT_NEAR(ctx()->m_jx, 1, 1e-6);
	Array<float> m(6);
	m[0] = NAN;
	m[3] = 1;
	kx_graphics_SetMatrix2(m);
	EXPECT_EQ(ctx()->m_isTransformed, 1);
	m[0] = 1;
	kx_graphics_SetMatrix2(m);
	kx_graphics_Transform2(m);
	EXPECT_EQ(ctx()->m_isTransformed, 0);
}

TEST_F(DrawingApi, TheMatrixIsSentOncePerChange) {
	kx_graphics_DrawRect(0, 0, 1, 1);
	EXPECT_EQ(device->setMatrixCalls, 1) << "the frame starts with the matrix marked changed";
	kx_graphics_Translate(5, 5);
	EXPECT_EQ(device->setMatrixCalls, 1);
	kx_graphics_DrawRect(0, 0, 1, 1);
	kx_graphics_DrawLine(0, 0, 1, 1);
	kx_graphics_DrawEllipse(10, 10, 3, 3);
	EXPECT_EQ(device->setMatrixCalls, 2);
	EXPECT_FLOAT_EQ(device->tx, 5);
	kx_graphics_PushMatrix();
	kx_graphics_PopMatrix();
	kx_graphics_DrawPoint(0, 0);
	EXPECT_EQ(device->setMatrixCalls, 3);
}

TEST_F(DrawingApi, TheStackDoublesOnThe33rdPush) {
	EXPECT_EQ(ctx()->m_matrixStack.Length(), 192);
	for (int i = 0; i < 32; ++i) {
		kx_graphics_Translate(1, 0);
		kx_graphics_PushMatrix();
	}
	EXPECT_EQ(ctx()->m_matrixStack.Length(), 192);
	kx_graphics_PushMatrix();
	EXPECT_EQ(ctx()->m_matrixStack.Length(), 384);
	EXPECT_EQ(ctx()->m_matrixSp, 198);
	kx_graphics_Translate(100, 0);
	for (int i = 0; i < 33; ++i) kx_graphics_PopMatrix();
	EXPECT_FLOAT_EQ(ctx()->m_tx, 1) << "the oldest saved matrix survived the growth";
}

TEST_F(DrawingApi, RotatedImageTurnsAboutItsHandle) {
	gxtkSurface* s = MakeSolidSurface(10, 10, 1, 2, 3, 255);
	c_Image* image = (new c_Image())->m_new()->p_Init(s, 1, IMAGE_MID_HANDLE);
	kx_graphics_DrawImage2(image, 50, 50, 90, 1, 1, 0);
	const gxtkVertex* v = device->vertexBuffer;
	EXPECT_NEAR(v[0].x, 45, 1e-4);
	EXPECT_NEAR(v[0].y, 55, 1e-4) << "the top-left corner turns to the bottom-left";
	EXPECT_NEAR(v[1].x, 45, 1e-4);
	EXPECT_NEAR(v[1].y, 45, 1e-4);
	EXPECT_NEAR(v[2].x, 55, 1e-4);
	EXPECT_NEAR(v[2].y, 45, 1e-4);
	EXPECT_EQ(ctx()->m_matrixSp, 0);
	EXPECT_EQ(ctx()->m_isTransformed, 0);
	kx_graphics_DrawImage2(image, 0, 0, 0, 2, 3, 0);
	EXPECT_NEAR(v[4].x, -10, 1e-4);
	EXPECT_NEAR(v[4].y, -15, 1e-4);
	EXPECT_NEAR(v[6].x, 10, 1e-4);
	EXPECT_NEAR(v[6].y, 15, 1e-4);
}

TEST_F(DrawingApi, EachFrameStartsFromTheSameState) {
	kx_graphics_SetColor(10, 20, 30);
	kx_graphics_SetAlpha(0.5f);
	kx_graphics_SetBlend(1);
	kx_graphics_Translate(3, 4);
	kx_graphics_PushMatrix();
	kx_graphics_SetScissor(1.9f, 2.9f, 3.5f, -0.5f);
	EXPECT_EQ(device->scissor, (std::vector<int>{1, 2, 3, 0}));
	EXPECT_FLOAT_EQ(ctx()->m_scissorX, 1.9f);
	kx_graphics_EndRender();
	EXPECT_EQ(kx_graphics_renderDevice, nullptr);
	kx_graphics_BeginRender();
	EXPECT_EQ(kx_graphics_renderDevice, device);
	EXPECT_EQ(ctx()->m_matrixSp, 0);
	EXPECT_EQ(ctx()->m_matrixDirty, 1);
	EXPECT_EQ(ctx()->m_tx, 0);
	EXPECT_EQ(device->colorPacked, 0xffffffffu);
	EXPECT_EQ(ctx()->m_blend, 0);
	EXPECT_EQ(gl.Calls("BlendFunc").back().args, (std::vector<double>{GL_ONE, GL_ONE_MINUS_SRC_ALPHA}));
	EXPECT_EQ(device->scissor, (std::vector<int>{0, 0, 640, 480}));
	EXPECT_EQ(gl.Calls("Disable").back().args[0], GL_SCISSOR_TEST);
}

TEST_F(DrawingApi, DefaultFontLoadsOnFirstNeedAndAMissingFileLeavesNone) {
	TempDir dir;
	kx_graphics_SetFont(nullptr, 0);
	EXPECT_EQ(ctx()->m_fontImage, nullptr);
	EXPECT_EQ(ctx()->m_fontFirstChar, 32);
	WriteSolidPng("data/vexo_font.png", 960, 16, 255, 255, 255, 255);
	kx_graphics_SetFont(nullptr, 0);
	ASSERT_NE(ctx()->m_fontImage, nullptr);
	EXPECT_EQ(ctx()->m_fontImage, ctx()->m_fontDefault);
	EXPECT_EQ(ctx()->m_fontImage->m_frames.Length(), 96);
	EXPECT_EQ(ctx()->m_fontImage->m_width, 8);
	c_Image* own = (new c_Image())->m_new()->p_Init(MakeSolidSurface(4, 4, 0, 0, 0, 255), 1, 0);
	kx_graphics_SetFont(own, 65);
	EXPECT_EQ(ctx()->m_fontImage, own);
	EXPECT_EQ(ctx()->m_fontFirstChar, 65);
	kx_graphics_SetGraphicsDevice(device);
	EXPECT_EQ(ctx()->m_fontImage, nullptr);
	EXPECT_EQ(ctx()->m_fontFirstChar, 32);
	EXPECT_NE(ctx()->m_fontDefault, nullptr) << "the loaded default stays for the next SetFont";
}

TEST_F(DrawingApi, ShippedDefaultFontHas96PaddedGlyphs) {
	std::string build = BuildDir();
	std::string previous = std::filesystem::current_path().string();
	if (!std::filesystem::exists(build + "/data/vexo_font.png")) GTEST_SKIP() << "no built data directory";
	std::filesystem::current_path(build);
	kx_graphics_SetFont(nullptr, 0);
	std::filesystem::current_path(previous);
	c_Image* font = ctx()->m_fontImage;
	ASSERT_NE(font, nullptr);
	EXPECT_EQ(font->m_frames.Length(), 96);
	EXPECT_EQ(font->m_width, font->m_surface->Width() / 96 - 2);
	EXPECT_EQ(font->m_frames[1]->m_x, font->m_width + 3);
	EXPECT_EQ(ctx()->m_fontFirstChar, 32);
}

}  // namespace
