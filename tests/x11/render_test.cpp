// The renderer on a real OpenGL context (Mesa under xvfb): what is drawn is
// read back and checked pixel by pixel.
#include <gtest/gtest.h>

#include <memory>

#include "graphics/gxtk_graphics.h"
#include "graphics/gxtk_surface.h"
#include "host/kx_game.h"
#include "support/fixtures.h"
#include "support/gl_context.h"
#include "support/gl_recorder.h"

namespace {

// One 640 × 480 window for the whole suite.
class Render : public ::testing::Test {
protected:
	static void SetUpTestSuite() { window = new GlWindow(640, 480); }
	static void TearDownTestSuite() {
		delete window;
		window = nullptr;
	}
	void SetUp() override {
		g = new gxtkGraphics();
		g->BeginRender();
		g->Cls(0, 0, 0);
	}

	// The pixel at window position (x, y), origin top-left, as 0xAARRGGBB.
	unsigned pixel(int x, int y) {
		Array<int> out(1);
		g->ReadPixels(out, x, y, 1, 1, 0, 1);
		return static_cast<unsigned>(out[0]);
	}

	static GlWindow* window;
	gxtkGraphics* g = nullptr;
};

GlWindow* Render::window = nullptr;

// Opaque colour as read back.
unsigned rgb(unsigned r, unsigned g, unsigned b) {
	return 0xff000000u | r << 16 | g << 8 | b;
}

// Each channel of two read-back colours within one step of the other.
::testing::AssertionResult near(unsigned actual, unsigned expected) {
	for (int shift = 0; shift < 32; shift += 8) {
		int a = actual >> shift & 0xff;
		int e = expected >> shift & 0xff;
		if (a - e > 1 || e - a > 1) {
			return ::testing::AssertionFailure() << std::hex << "0x" << actual << " is not near 0x" << expected;
		}
	}
	return ::testing::AssertionSuccess();
}

TEST_F(Render, RectanglesLandWhereTheyAreDrawn) {
	EXPECT_EQ(g->Width(), 640);
	EXPECT_EQ(g->Height(), 480);
	g->SetColor(255, 0, 0);
	g->DrawRect(10, 20, 30, 5);
	EXPECT_EQ(pixel(10, 20), rgb(255, 0, 0));
	EXPECT_EQ(pixel(39, 24), rgb(255, 0, 0));
	EXPECT_EQ(pixel(40, 24), rgb(0, 0, 0));
	EXPECT_EQ(pixel(39, 25), rgb(0, 0, 0));
	EXPECT_EQ(pixel(9, 20), rgb(0, 0, 0));
}

TEST_F(Render, ReadPixelsReturnsRowsTopDown) {
	g->SetColor(0, 255, 0);
	g->DrawRect(0, 0, 4, 1);
	g->SetColor(0, 0, 255);
	g->DrawRect(0, 1, 4, 1);
	Array<int> out(12);
	g->ReadPixels(out, 0, 0, 4, 2, 2, 5);
	EXPECT_EQ(static_cast<unsigned>(out[2]), rgb(0, 255, 0));
	EXPECT_EQ(static_cast<unsigned>(out[7]), rgb(0, 0, 255));
	EXPECT_EQ(out[0], 0);
	EXPECT_EQ(out[6], 0);
}

TEST_F(Render, HalfAlphaBlendsPremultiplied) {
	g->Cls(0, 0, 255);
	g->SetColor(255, 0, 0);
	g->SetAlpha(0.5f);
	g->DrawRect(0, 0, 8, 8);
	EXPECT_TRUE(near(pixel(4, 4), rgb(127, 0, 128)));
	g->SetAlpha(0);
	g->DrawRect(20, 0, 8, 8);
	EXPECT_EQ(pixel(24, 4), rgb(0, 0, 255)) << "zero alpha draws nothing";
}

TEST_F(Render, AdditiveBlendAddsAndSaturates) {
	g->Cls(100, 50, 0);
	g->SetBlend(1);
	g->SetColor(100, 100, 100);
	g->DrawRect(0, 0, 8, 8);
	g->SetColor(200, 250, 10);
	g->DrawRect(20, 0, 8, 8);
	EXPECT_TRUE(near(pixel(4, 4), rgb(200, 150, 100)));
	EXPECT_TRUE(near(pixel(24, 4), rgb(255, 255, 10)));
	g->SetBlend(0);
}

TEST_F(Render, ScissorLimitsTheClearWithRowsCountedFromTheTop) {
	g->SetScissor(10, 10, 20, 20);
	g->Cls(255, 0, 0);
	g->SetColor(0, 255, 0);
	g->DrawRect(0, 0, 640, 480);
	g->SetScissor(0, 0, 640, 480);
	EXPECT_EQ(pixel(10, 10), rgb(0, 255, 0));
	EXPECT_EQ(pixel(29, 29), rgb(0, 255, 0));
	EXPECT_EQ(pixel(30, 29), rgb(0, 0, 0));
	EXPECT_EQ(pixel(15, 9), rgb(0, 0, 0));
	EXPECT_EQ(pixel(15, 465), rgb(0, 0, 0)) << "the y flip keeps the area near the top";
	g->Cls(0, 0, 255);
	EXPECT_EQ(pixel(300, 300), rgb(0, 0, 255)) << "the whole window turns the scissor off";
}

TEST_F(Render, OvalsPolygonsLinesAndPoints) {
	g->SetColor(255, 255, 0);
	g->DrawOval(100, 100, 40, 20);
	EXPECT_EQ(pixel(120, 110), rgb(255, 255, 0));
	EXPECT_EQ(pixel(101, 101), rgb(0, 0, 0)) << "the box corner is outside the ellipse";
	Array<float> tri(6);
	const float corners[] = {200, 100, 240, 100, 200, 140};
	for (int i = 0; i < 6; ++i) tri[i] = corners[i];
	g->DrawPoly(tri);
	EXPECT_EQ(pixel(205, 105), rgb(255, 255, 0));
	EXPECT_EQ(pixel(235, 135), rgb(0, 0, 0));
	g->SetColor(0, 255, 255);
	g->DrawLine(300.5f, 100.5f, 340.5f, 100.5f);
	g->DrawPoint(400.5f, 100.5f);
	EXPECT_EQ(pixel(320, 100), rgb(0, 255, 255));
	EXPECT_EQ(pixel(400, 100), rgb(0, 255, 255));
}

TEST_F(Render, TexturedQuadsModulatePremultipliedTexels) {
	const unsigned char texels[] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 128};
	gxtkSurface* s = MakeRgbaSurface(2, 2, texels);
	s->Bind();
	g->Cls(0, 0, 0);
	g->SetMatrix(10, 0, 0, 10, 50, 60);
	g->DrawSurface(s, 0, 0);
	g->SetMatrix(1, 0, 0, 1, 0, 0);
	g->SetColor(255, 0, 255);
	g->DrawSurface2(s, 200, 200, 1, 1, 1, 1);
	g->Flush();
	EXPECT_EQ(pixel(55, 65), rgb(255, 0, 0));
	EXPECT_EQ(pixel(65, 65), rgb(0, 255, 0));
	EXPECT_EQ(pixel(55, 75), rgb(0, 0, 255));
	EXPECT_TRUE(near(pixel(65, 75), rgb(128, 128, 128))) << "half-transparent white over black";
	EXPECT_TRUE(near(pixel(200, 200), rgb(128, 0, 128))) << "the vertex colour multiplies the texel";
	EXPECT_EQ(pixel(201, 200), rgb(0, 0, 0));
}

TEST_F(Render, PaddedTextureDrawsTheSameImage) {
	GlRecorder gl(true);
	gl.refuseNonPowerOfTwo = true;
	std::vector<unsigned char> texels;
	for (int y = 0; y < 50; ++y) {
		for (int x = 0; x < 100; ++x) {
			unsigned char v = x < 50 ? 255 : 0;
			texels.insert(texels.end(), {v, static_cast<unsigned char>(255 - v), 0, 255});
		}
	}
	gxtkSurface* s = MakeRgbaSurface(100, 50, texels.data());
	s->Bind();
	EXPECT_FLOAT_EQ(s->uScale, 1.0f / 128);
	g->DrawSurface(s, 0, 0);
	g->DrawSurface2(s, 300, 0, 50, 0, 50, 50);
	g->Flush();
	EXPECT_EQ(pixel(49, 49), rgb(255, 0, 0));
	EXPECT_EQ(pixel(50, 0), rgb(0, 255, 0));
	EXPECT_EQ(pixel(99, 49), rgb(0, 255, 0));
	EXPECT_EQ(pixel(100, 10), rgb(0, 0, 0)) << "the padding is not drawn";
	EXPECT_EQ(pixel(300, 10), rgb(0, 255, 0));
	EXPECT_EQ(pixel(350, 10), rgb(0, 0, 0));
}

TEST_F(Render, SubDataUpdatesALiveTexture) {
	gxtkSurface* s = g->CreateSurface(4, 4);
	Array<int> red(16);
	for (int& p : red) p = static_cast<int>(0xffff0000u);
	g->WritePixels2(s, red, 0, 0, 4, 4, 0, 4);
	Array<int> green(2);
	for (int& p : green) p = static_cast<int>(0xff00ff00u);
	g->WritePixels2(s, green, 1, 2, 2, 1, 0, 2);
	g->SetMatrix(4, 0, 0, 4, 0, 0);
	g->DrawSurface(s, 0, 0);
	g->SetMatrix(1, 0, 0, 1, 0, 0);
	g->Flush();
	EXPECT_EQ(pixel(1, 1), rgb(255, 0, 0));
	EXPECT_EQ(pixel(5, 9), rgb(0, 255, 0));
	EXPECT_EQ(pixel(13, 9), rgb(255, 0, 0));
}

TEST(RenderContexts, ANewWindowGetsFreshTexturesOnTheNextDraw) {
	const unsigned char texel[] = {0, 0, 255, 255};
	gxtkSurface* s = MakeRgbaSurface(1, 1, texel);
	for (int generation = 0; generation < 2; ++generation) {
		GlWindow window(320, 240);
		GlRecorder gl(true);
		gxtkGraphics* g = new gxtkGraphics();
		g->BeginRender();
		g->Cls(0, 0, 0);
		g->DrawSurface(s, 5, 5);
		g->Flush();
		EXPECT_EQ(gl.Count("TexImage2D"), 1) << "generation " << generation;
		EXPECT_EQ(s->textureSeq, glfwGraphicsSeq);
		gl.Clear();
		g->DrawSurface(s, 7, 7);
		g->Flush();
		EXPECT_EQ(gl.Count("TexImage2D"), 0);
		EXPECT_EQ(gl.Count("TexSubImage2D"), 0);
		EXPECT_EQ(gl.Count("BindTexture"), 1);
		Array<int> out(1);
		g->ReadPixels(out, 5, 5, 1, 1, 0, 1);
		EXPECT_EQ(static_cast<unsigned>(out[0]), rgb(0, 0, 255));
	}
}

}  // namespace
