// Batching, colour packing, state calls and pixel transfers of gxtkGraphics,
// counted through a recording GL table (no window needed).
#include <gtest/gtest.h>

#include <cmath>

#include "graphics/gl_api.h"
#include "graphics/gxtk_graphics.h"
#include "graphics/gxtk_surface.h"
#include "support/fixtures.h"
#include "support/gl_recorder.h"

namespace {

class Batching : public ::testing::Test {
protected:
	void SetUp() override {
		g = new gxtkGraphics();
		g->BeginRender();
		gl.Clear();
	}

	// The index counts of the indexed draws so far.
	std::vector<int> indexedDraws() const {
		std::vector<int> counts;
		for (const GlCall& c : gl.Calls("DrawElements")) counts.push_back(static_cast<int>(c.args[1]));
		return counts;
	}

	GlRecorder gl;
	gxtkGraphics* g = nullptr;
};

TEST_F(Batching, QuadsShareOneIndexedDrawUntilTheBufferIsFull) {
	for (int i = 0; i < 256; ++i) g->DrawRect(i, 0, 1, 1);
	EXPECT_EQ(gl.Count("DrawElements"), 0);
	EXPECT_EQ(g->batchCount, 1024);
	g->DrawRect(0, 0, 1, 1);
	EXPECT_EQ(indexedDraws(), std::vector<int>{1536});
	EXPECT_EQ(gl.Calls("DrawElements")[0].args[0], GL_TRIANGLES);
	EXPECT_EQ(gl.Calls("DrawElements")[0].args[2], GL_UNSIGNED_SHORT);
	EXPECT_EQ(g->batchCount, 4);
	g->EndRender();
	EXPECT_EQ(indexedDraws(), (std::vector<int>{1536, 6}));
	EXPECT_EQ(g->batchCount, 0);
}

TEST_F(Batching, QuadIndexTableDrawsEachQuadAsTwoTriangles) {
	const unsigned short first[] = {0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7};
	for (int i = 0; i < 12; ++i) EXPECT_EQ(g->quadIndexTable[i], first[i]);
	EXPECT_EQ(g->quadIndexTable[GXTK_QUAD_INDICES - 1], 1023);
}

TEST_F(Batching, AQuadFlushesOnlyWhenItNoLongerFits) {
	g->Begin(GXTK_QUADS, 1020, nullptr);
	g->DrawRect(0, 0, 1, 1);
	EXPECT_EQ(gl.Count("DrawElements"), 0);
	EXPECT_EQ(g->batchCount, 1024);
	g->Flush();
	gl.Clear();
	g->Begin(GXTK_QUADS, 1021, nullptr);
	g->DrawRect(0, 0, 1, 1);
	EXPECT_EQ(indexedDraws(), std::vector<int>{1530});
	EXPECT_EQ(g->batchCount, 4);
}

TEST_F(Batching, ChangeOfSurfaceOrKindFlushes) {
	gxtkSurface* a = MakeSolidSurface(4, 4, 255, 0, 0, 255);
	gxtkSurface* b = MakeSolidSurface(4, 4, 0, 255, 0, 255);
	g->DrawSurface(a, 0, 0);
	g->DrawSurface(a, 4, 0);
	EXPECT_EQ(gl.Count("DrawElements"), 0);
	g->DrawSurface(b, 0, 0);
	EXPECT_EQ(indexedDraws(), std::vector<int>{12});
	g->DrawRect(0, 0, 1, 1);
	EXPECT_EQ(indexedDraws(), (std::vector<int>{12, 6}));
	EXPECT_EQ(gl.Count("Enable"), 2);
	EXPECT_EQ(gl.Count("Disable"), 2);
	g->DrawLine(0, 0, 1, 1);
	EXPECT_EQ(indexedDraws(), (std::vector<int>{12, 6, 6}));
	EXPECT_EQ(gl.Count("Enable"), 2) << "an untextured batch leaves texturing off";
}

TEST_F(Batching, ClsDropsWhatIsBatched) {
	g->DrawRect(0, 0, 10, 10);
	g->DrawRect(0, 0, 10, 10);
	g->Cls(255, 51, 0);
	EXPECT_EQ(g->batchCount, 0);
	g->EndRender();
	EXPECT_EQ(gl.Count("DrawElements"), 0);
	ASSERT_EQ(gl.Count("ClearColor"), 1);
	std::vector<double> clear = gl.Calls("ClearColor")[0].args;
	EXPECT_FLOAT_EQ(clear[0], 1.0f);
	EXPECT_FLOAT_EQ(clear[1], 0.2f);
	EXPECT_FLOAT_EQ(clear[2], 0.0f);
	EXPECT_FLOAT_EQ(clear[3], 1.0f);
	EXPECT_EQ(gl.Calls("Clear")[0].args[0], GL_COLOR_BUFFER_BIT);
}

TEST_F(Batching, PointsLinesTrianglesAndPolygonsDrawWithTheirOwnModes) {
	g->DrawPoint(1, 1);
	g->DrawPoint(2, 2);
	g->DrawLine(0, 0, 5, 5);
	Array<float> triangle(6);
	g->DrawPoly(triangle);
	Array<float> pentagon(10);
	g->DrawPoly(pentagon);
	g->DrawPoly(pentagon);
	g->Flush();
	std::vector<GlCall> draws = gl.Calls("DrawArrays");
	ASSERT_EQ(draws.size(), 5u);
	EXPECT_EQ(draws[0].args, (std::vector<double>{GL_POINTS, 0, 2}));
	EXPECT_EQ(draws[1].args, (std::vector<double>{GL_LINES, 0, 2}));
	EXPECT_EQ(draws[2].args, (std::vector<double>{GL_TRIANGLES, 0, 3}));
	EXPECT_EQ(draws[3].args, (std::vector<double>{GL_TRIANGLE_FAN, 0, 5}));
	EXPECT_EQ(draws[4].args, (std::vector<double>{GL_TRIANGLE_FAN, 5, 5}));
}

TEST_F(Batching, PolygonLimits) {
	g->DrawPoly(Array<float>());
	g->DrawPoly(Array<float>(2050));
	EXPECT_EQ(g->batchCount, 0);
	g->DrawPoly(Array<float>(2048));
	EXPECT_EQ(g->batchKind, 1024);
	g->Flush();
	g->DrawPoly(Array<float>(5));
	EXPECT_EQ(g->batchKind, GXTK_LINES);
	EXPECT_EQ(g->batchCount, 2);
	g->DrawPoly2(Array<float>(3), nullptr, 0, 0);
	EXPECT_EQ(g->batchCount, 2) << "fewer than four floats make no textured vertex";
}

TEST_F(Batching, OvalSegmentCounts) {
	struct Case {
		float w, h;
		int segments;
	};
	const Case cases[] = {{0, 0, 12}, {20, 20, 20}, {22, 20, 20}, {5000, 5000, 1024}, {-30, 30, 28}};
	for (const Case& c : cases) {
		g->DrawOval(100, 100, c.w, c.h);
		EXPECT_EQ(g->batchKind, c.segments) << c.w << " x " << c.h;
		EXPECT_EQ(g->batchCount, c.segments);
		g->Flush();
	}
	g->DrawOval(50, 60, 0, 0);
	for (int i = 0; i < 12; ++i) {
		EXPECT_EQ(g->vertexBuffer[i].x, 50);
		EXPECT_EQ(g->vertexBuffer[i].y, 60);
	}
}

TEST_F(Batching, OvalFollowsTheMatrixAndRunsCounterClockwise) {
	g->SetMatrix(2, 0, 0, 2, 0, 0);
	g->DrawOval(0, 0, 20, 20);
	EXPECT_EQ(g->batchKind, 40);
	g->Flush();
	g->SetMatrix(1, 0, 0, 1, 0, 0);
	g->DrawOval(0, 0, 40, 40);
	EXPECT_FLOAT_EQ(g->vertexBuffer[0].x, 40);
	EXPECT_FLOAT_EQ(g->vertexBuffer[0].y, 20);
	EXPECT_NEAR(g->vertexBuffer[10].x, 20, 1e-4);
	EXPECT_NEAR(g->vertexBuffer[10].y, 0, 1e-4) << "a quarter turn on is the top of the box";
	g->SetMatrix(NAN, 0, 0, 1, 0, 0);
	g->DrawOval(0, 0, 20, 20);
	EXPECT_EQ(g->batchKind, 1024) << "an undefined size takes the cap";
}

TEST_F(Batching, ColourIsPremultipliedAndTruncated) {
	g->SetColor(255, 128, 0);
	g->SetAlpha(0.5f);
	g->DrawPoint(0, 0);
	const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&g->vertexBuffer[0].color);
	EXPECT_EQ(bytes[0], 127);
	EXPECT_EQ(bytes[1], 64);
	EXPECT_EQ(bytes[2], 0);
	EXPECT_EQ(bytes[3], 127);
	g->SetAlpha(0);
	EXPECT_EQ(g->colorPacked, 0u);
	g->SetAlpha(1);
	EXPECT_EQ(g->colorPacked, 0xff0080ffu) << "the colour survives a zero alpha";
	EXPECT_EQ(gl.Count("DrawArrays"), 0) << "colour changes never flush";
}

TEST_F(Batching, MatrixIsAppliedWhenVerticesAreWritten) {
	g->SetMatrix(0, 1, -1, 0, 100, 0);
	EXPECT_TRUE(g->isTransformed);
	g->DrawRect(10, 0, 5, 2);
	EXPECT_FLOAT_EQ(g->vertexBuffer[0].x, 100);
	EXPECT_FLOAT_EQ(g->vertexBuffer[0].y, 10);
	EXPECT_FLOAT_EQ(g->vertexBuffer[2].x, 98);
	EXPECT_FLOAT_EQ(g->vertexBuffer[2].y, 15);
	g->SetMatrix(1, 0, 0, 1, 0, 0);
	EXPECT_FALSE(g->isTransformed);
	g->SetMatrix(1, 0, 0, 1, 0, NAN);
	EXPECT_TRUE(g->isTransformed);
	EXPECT_EQ(gl.Count("DrawElements"), 0);
}

TEST_F(Batching, SurfaceQuadsCarryTextureCoordinates) {
	gxtkSurface* s = MakeSolidSurface(100, 50, 1, 2, 3, 255);
	s->uScale = 1.0f / 128;
	s->vScale = 1.0f / 64;
	g->DrawSurface2(s, 10, 20, 8, 4, 16, 32);
	const gxtkVertex* v = g->vertexBuffer;
	EXPECT_FLOAT_EQ(v[0].x, 10);
	EXPECT_FLOAT_EQ(v[2].x, 26);
	EXPECT_FLOAT_EQ(v[2].y, 52);
	EXPECT_FLOAT_EQ(v[0].u, 8.0f / 128);
	EXPECT_FLOAT_EQ(v[0].v, 4.0f / 64);
	EXPECT_FLOAT_EQ(v[2].u, 24.0f / 128);
	EXPECT_FLOAT_EQ(v[2].v, 36.0f / 64);
	EXPECT_FLOAT_EQ(v[3].u, 8.0f / 128);
	g->DrawSurface(s, 0, 0);
	EXPECT_FLOAT_EQ(v[6].u, 100.0f / 128);
	EXPECT_FLOAT_EQ(v[6].v, 50.0f / 64);
	EXPECT_FLOAT_EQ(v[6].x, 100);
	Array<float> poly(12);
	for (int i = 0; i < 12; ++i) poly[i] = static_cast<float>(i);
	g->DrawPoly2(poly, s, 2, 1);
	EXPECT_EQ(g->batchKind, GXTK_TRIANGLES);
	EXPECT_FLOAT_EQ(g->vertexBuffer[0].u, 4.0f / 128);
	EXPECT_FLOAT_EQ(g->vertexBuffer[0].v, 4.0f / 64);
}

TEST_F(Batching, BlendAndScissorFlushAndSelectGlState) {
	g->DrawRect(0, 0, 1, 1);
	g->SetBlend(1);
	EXPECT_EQ(gl.Count("DrawElements"), 1);
	EXPECT_EQ(gl.Calls("BlendFunc").back().args, (std::vector<double>{GL_ONE, GL_ONE}));
	g->SetBlend(2);
	EXPECT_EQ(gl.Calls("BlendFunc").back().args, (std::vector<double>{GL_ONE, GL_ONE_MINUS_SRC_ALPHA}));
	g->DrawRect(0, 0, 1, 1);
	g->SetScissor(10, 20, 100, 50);
	EXPECT_EQ(gl.Count("DrawElements"), 2);
	EXPECT_EQ(gl.Calls("Enable").back().args[0], GL_SCISSOR_TEST);
	EXPECT_EQ(gl.Calls("Scissor").back().args, (std::vector<double>{10, 410, 100, 50}));
	g->SetScissor(0, 0, 640, 480);
	EXPECT_EQ(gl.Calls("Disable").back().args[0], GL_SCISSOR_TEST);
	EXPECT_EQ(gl.Count("Scissor"), 1);
}

TEST(GraphicsFrame, BeginRenderSetsUpAPixelProjectionAndEmptiesTheBatch) {
	GlRecorder gl;
	gl.width = 800;
	gl.height = 600;
	gxtkGraphics* g = new gxtkGraphics();
	EXPECT_EQ(g->Width(), 800);
	g->DrawRect(0, 0, 1, 1);
	gl.width = 320;
	gl.height = 200;
	gl.Clear();
	EXPECT_EQ(g->BeginRender(), 1);
	EXPECT_EQ(g->batchCount, 0);
	EXPECT_EQ(g->Height(), 200);
	EXPECT_EQ(gl.Calls("Viewport")[0].args, (std::vector<double>{0, 0, 320, 200}));
	EXPECT_EQ(gl.Calls("Ortho")[0].args, (std::vector<double>{0, 320, 200, 0, -1, 1}));
	for (const char* pointer : {"VertexPointer", "TexCoordPointer", "ColorPointer"}) {
		EXPECT_EQ(gl.Calls(pointer)[0].args[2], 20) << pointer;
	}
	double base = gl.Calls("VertexPointer")[0].args[3];
	EXPECT_EQ(gl.Calls("TexCoordPointer")[0].args[3] - base, 8);
	EXPECT_EQ(gl.Calls("ColorPointer")[0].args[3] - base, 16);
	EXPECT_EQ(gl.Calls("ColorPointer")[0].args[1], GL_UNSIGNED_BYTE);
	EXPECT_EQ(gl.Calls("BlendFunc")[0].args, (std::vector<double>{GL_ONE, GL_ONE_MINUS_SRC_ALPHA}));
	EXPECT_EQ(gl.Count("DrawElements"), 0);
}

//----------------------------------------------------------------------------
// Pixel transfers
//----------------------------------------------------------------------------

TEST_F(Batching, ReadPixelsFlipsRowsIntoPlace) {
	g->DrawRect(0, 0, 1, 1);
	Array<int> pixels(8);
	g->ReadPixels(pixels, 5, 10, 3, 2, 1, 4);
	EXPECT_EQ(gl.Count("DrawElements"), 1) << "read-back flushes first";
	ASSERT_EQ(gl.Count("ReadPixels"), 1);
	EXPECT_EQ(gl.Calls("ReadPixels")[0].args, (std::vector<double>{5, 468, 3, 2, GL_BGRA, GL_UNSIGNED_BYTE}));
	const int expected[] = {0, 3, 4, 5, 0, 0, 1, 2};
	for (int i = 0; i < 8; ++i) EXPECT_EQ(pixels[i], expected[i]) << i;
}

TEST_F(Batching, PixelTransfersRefuseArraysTooSmallForTheRectangle) {
	Array<int> pixels(7);
	for (int& p : pixels) p = -7;
	g->ReadPixels(pixels, 0, 0, 3, 2, 1, 4);
	g->ReadPixels(pixels, 0, 0, 3, 2, -1, 4);
	g->ReadPixels(pixels, 0, 0, 3, 0x40000000, 0, 0x40000000);
	EXPECT_EQ(gl.Count("ReadPixels"), 0);
	for (int p : pixels) EXPECT_EQ(p, -7);
	g->ReadPixels(pixels, 0, 0, 3, 2, 4, -4);
	g->ReadPixels(pixels, 0, 0, 3, 2, 0, 4);
	EXPECT_EQ(gl.Count("ReadPixels"), 2) << "a negative pitch that stays inside is fine";
	EXPECT_FALSE(gxtk_PixelRowsFit(100, 0, 10, 0, 1));
	EXPECT_TRUE(gxtk_PixelRowsFit(7, 4, -4, 3, 2));
}

TEST_F(Batching, WritePixelsGoesToTheSurfaceWhenItFits) {
	gxtkSurface* s = g->CreateSurface(4, 4);
	Array<int> pixels(6);
	for (int& p : pixels) p = static_cast<int>(0x80C86432u);
	g->WritePixels2(s, pixels, 1, 1, 2, 2, 2, 2);
	ASSERT_NE(s->pixels, nullptr);
	const unsigned char* p = s->pixels + (1 * 4 + 1) * 4;
	EXPECT_EQ(p[0], 100);
	EXPECT_EQ(p[1], 50);
	EXPECT_EQ(p[2], 25);
	EXPECT_EQ(p[3], 128);
	for (int i = 0; i < 4; ++i) EXPECT_EQ(s->pixels[i], 0) << "the rest of a new block is transparent";
	gxtkSurface* untouched = g->CreateSurface(4, 4);
	g->WritePixels2(untouched, pixels, 0, 0, 2, 2, 3, 2);
	EXPECT_EQ(untouched->pixels, nullptr);
}

}  // namespace
