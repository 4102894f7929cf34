// Surfaces: premultiplied pixels, lazy textures per context generation, the
// padded retry, sub-rectangle updates and the factories.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "graphics/gl_api.h"
#include "graphics/gxtk_graphics.h"
#include "graphics/gxtk_surface.h"
#include "host/kx_game.h"
#include "support/fixtures.h"
#include "support/gl_recorder.h"

namespace {

// Runs with a recording GL table and a pretend context generation.
class Surfaces : public ::testing::Test {
protected:
	void SetUp() override {
		savedSeq = glfwGraphicsSeq;
		glfwGraphicsSeq = 1;
	}
	void TearDown() override { glfwGraphicsSeq = savedSeq; }

	// The (width, height) of every texture allocation.
	std::vector<std::pair<int, int>> allocations() const {
		std::vector<std::pair<int, int>> sizes;
		for (const GlCall& c : gl.Calls("TexImage2D")) sizes.emplace_back(int(c.args[3]), int(c.args[4]));
		return sizes;
	}

	GlRecorder gl;
	int savedSeq = 0;
};

TEST(SurfacePixels, StoredPremultipliedByAlpha) {
	const unsigned char rgba[] = {200, 100, 50, 128, 255, 255, 255, 0, 10, 20, 30, 255};
	gxtkSurface* s = MakeRgbaSurface(3, 1, rgba);
	const unsigned char expected[] = {100, 50, 25, 128, 0, 0, 0, 0, 10, 20, 30, 255};
	for (int i = 0; i < 12; ++i) EXPECT_EQ(s->pixels[i], expected[i]) << i;
	EXPECT_EQ(s->glFormat, GL_RGBA);
}

TEST(SurfacePixels, GreyAlphaIsPremultipliedAndOpaqueFormatsAreNot) {
	struct Case {
		int depth;
		int format;
		unsigned char first, second;
	};
	const Case cases[] = {{1, GL_LUMINANCE, 200, 100}, {2, GL_LUMINANCE_ALPHA, 78, 100}, {3, GL_RGB, 200, 100}};
	for (const Case& c : cases) {
		unsigned char* data = static_cast<unsigned char*>(std::malloc(3));
		data[0] = 200;
		data[1] = 100;
		data[2] = 7;
		gxtkSurface* s = new gxtkSurface();
		s->SetData(data, 1, 1, c.depth);
		EXPECT_EQ(s->glFormat, c.format) << c.depth;
		EXPECT_EQ(s->pixels[0], c.first) << c.depth;
		EXPECT_EQ(s->pixels[1], c.second) << c.depth;
	}
	gxtkSurface* odd = new gxtkSurface();
	odd->SetData(static_cast<unsigned char*>(std::malloc(5)), 1, 1, 5);
	EXPECT_EQ(odd->glFormat, 0);
}

TEST_F(Surfaces, NothingIsCreatedBeforeAnyWindow) {
	glfwGraphicsSeq = 0;
	gxtkSurface* s = MakeSolidSurface(8, 8, 1, 2, 3, 4);
	s->Bind();
	EXPECT_TRUE(gl.calls.empty());
	EXPECT_EQ(s->textureSeq, -1);
}

TEST_F(Surfaces, FirstBindUploadsLaterBindsOnlyBindUntilTheContextChanges) {
	gxtkSurface* s = MakeSolidSurface(100, 50, 1, 2, 3, 255);
	s->Bind();
	EXPECT_EQ(s->textureSeq, 1);
	EXPECT_EQ(gl.Count("GenTextures"), 1);
	EXPECT_EQ(allocations(), (std::vector<std::pair<int, int>>{{100, 50}}));
	EXPECT_FLOAT_EQ(s->uScale, 0.01f);
	EXPECT_FLOAT_EQ(s->vScale, 0.02f);
	ASSERT_EQ(gl.Count("TexSubImage2D"), 1);
	EXPECT_EQ(gl.Calls("TexSubImage2D")[0].args[4], 100);
	EXPECT_EQ(gl.Calls("PixelStorei")[0].args, (std::vector<double>{GL_UNPACK_ALIGNMENT, 1}));
	std::vector<GlCall> params = gl.Calls("TexParameteri");
	ASSERT_EQ(params.size(), 4u);
	EXPECT_EQ(params[0].args[2], GL_NEAREST);
	EXPECT_EQ(params[3].args[2], GL_CLAMP_TO_EDGE);

	gl.Clear();
	s->Bind();
	EXPECT_EQ(gl.Names(), std::vector<std::string>{"BindTexture"});

	gl.Clear();
	glfwGraphicsSeq = 2;
	s->Bind();
	EXPECT_EQ(gl.Count("GenTextures"), 1) << "a new context gets a new texture";
	EXPECT_EQ(gl.Count("TexSubImage2D"), 1);
	EXPECT_EQ(s->textureSeq, 2);
	gl.Clear();
	s->Bind();
	EXPECT_EQ(gl.Names(), std::vector<std::string>{"BindTexture"});
}

TEST_F(Surfaces, RefusedSizeIsRetriedPaddedToPowersOfTwo) {
	gl.refuseNonPowerOfTwo = true;
	gxtkSurface* s = MakeSolidSurface(100, 50, 1, 2, 3, 255);
	s->Bind();
	EXPECT_EQ(allocations(), (std::vector<std::pair<int, int>>{{100, 50}, {128, 64}}));
	EXPECT_FLOAT_EQ(s->uScale, 1.0f / 128);
	EXPECT_FLOAT_EQ(s->vScale, 1.0f / 64);
	std::vector<double> upload = gl.Calls("TexSubImage2D")[0].args;
	EXPECT_EQ(upload[2], 0);
	EXPECT_EQ(upload[3], 0);
	EXPECT_EQ(upload[4], 100);
	EXPECT_EQ(upload[5], 50);
	EXPECT_EQ(gxtk_PowerOfTwo(0), 1);
	EXPECT_EQ(gxtk_PowerOfTwo(1), 1);
	EXPECT_EQ(gxtk_PowerOfTwo(65), 128);
	EXPECT_EQ(gxtk_PowerOfTwo(64), 64);
}

TEST_F(Surfaces, AStaleErrorDoesNotPadTheTexture) {
	gl.pendingError = GL_INVALID_ENUM;
	gxtkSurface* s = MakeSolidSurface(100, 50, 1, 2, 3, 255);
	s->Bind();
	EXPECT_EQ(allocations().size(), 1u);
	EXPECT_FLOAT_EQ(s->uScale, 0.01f);
}

TEST_F(Surfaces, DiscardDeletesOnlyTexturesOfTheCurrentContext) {
	gxtkSurface* current = MakeSolidSurface(4, 4, 1, 2, 3, 255);
	gxtkSurface* old = MakeSolidSurface(4, 4, 1, 2, 3, 255);
	current->Bind();
	old->Bind();
	glfwGraphicsSeq = 2;
	current->Bind();
	gl.Clear();
	EXPECT_EQ(old->Discard(), 0);
	EXPECT_EQ(gl.Count("DeleteTextures"), 0);
	EXPECT_EQ(old->pixels, nullptr);
	current->Discard();
	ASSERT_EQ(gl.Count("DeleteTextures"), 1);
	EXPECT_EQ(gl.Calls("DeleteTextures")[0].args[1], current->textureId);
	EXPECT_EQ(current->textureSeq, -1);
	EXPECT_EQ(current->pixels, nullptr);
}

TEST_F(Surfaces, SubDataPremultipliesAndUploadsRowByRowUnlessFullWidth) {
	gxtkSurface* s = MakeSolidSurface(4, 3, 0, 0, 0, 0);
	s->Bind();
	gl.Clear();
	const unsigned int src[] = {0x80C86432u, 0xFF010203u, 0, 0, 0x00FFFFFFu, 0xFFFFFFFFu};
	s->SetSubData(1, 1, 2, 2, src, 4);
	const unsigned char* p = s->pixels + (1 * 4 + 1) * 4;
	EXPECT_EQ(p[0], 100);
	EXPECT_EQ(p[3], 128);
	EXPECT_EQ(p[4], 1);
	EXPECT_EQ(p[6], 3);
	const unsigned char* q = s->pixels + (2 * 4 + 1) * 4;
	EXPECT_EQ(q[0], 0) << "transparent white is stored as zero";
	EXPECT_EQ(q[4], 255);
	std::vector<GlCall> uploads = gl.Calls("TexSubImage2D");
	ASSERT_EQ(uploads.size(), 2u);
	EXPECT_EQ(uploads[1].args[3], 2);
	EXPECT_EQ(uploads[1].args[5], 1);
	EXPECT_EQ(uploads[1].args[8] - uploads[0].args[8], 16) << "rows read at the surface's stride";

	gl.Clear();
	const unsigned int row[4] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
	s->SetSubData(0, 2, 4, 1, row, 4);
	EXPECT_EQ(gl.Count("TexSubImage2D"), 1);
}

TEST_F(Surfaces, SubDataIgnoresOtherFormatsAndRectanglesOutsideTheSurface) {
	gxtkSurface* s = MakeSolidSurface(4, 4, 9, 9, 9, 255);
	const unsigned int src[32] = {};
	s->SetSubData(3, 0, 2, 1, src, 2);
	s->SetSubData(0, -1, 1, 1, src, 1);
	s->SetSubData(0, 0, 1, 5, src, 1);
	for (int i = 0; i < 64; ++i) ASSERT_EQ(s->pixels[i], (i % 4 == 3) ? 255 : 9) << i;
	unsigned char* grey = static_cast<unsigned char*>(std::malloc(4));
	gxtkSurface* g = new gxtkSurface();
	g->SetData(grey, 2, 2, 1);
	grey[0] = 42;
	g->SetSubData(0, 0, 1, 1, src, 1);
	EXPECT_EQ(grey[0], 42);
}

TEST_F(Surfaces, CreateSurfaceMakesAnEmptyTexture) {
	gxtkGraphics* device = new gxtkGraphics();
	gxtkSurface* s = device->CreateSurface(16, 8);
	EXPECT_EQ(s->pixels, nullptr);
	EXPECT_EQ(s->Width(), 16);
	EXPECT_EQ(s->bytesPerPixel, 4);
	EXPECT_EQ(allocations(), (std::vector<std::pair<int, int>>{{16, 8}}));
	EXPECT_EQ(gl.Count("TexSubImage2D"), 0);
	EXPECT_EQ(s->Loaded(), 1);
}

TEST_F(Surfaces, LoadSurfaceDecodesThroughTheHost) {
	EnsureTestHost();
	TempDir dir;
	WriteSolidPng("data/gfx/red.png", 6, 5, 200, 100, 50, 128);
	gxtkGraphics* device = new gxtkGraphics();
	gxtkSurface* s = device->LoadSurface(String("velmar://data/gfx/red.png"));
	ASSERT_NE(s, nullptr);
	EXPECT_EQ(s->Width(), 6);
	EXPECT_EQ(s->Height(), 5);
	EXPECT_EQ(s->pixels[0], 100);
	EXPECT_EQ(s->pixels[3], 128);
	EXPECT_EQ(s->textureSeq, 1) << "a loaded surface is bound at once";
	EXPECT_EQ(device->LoadSurface(String("velmar://data/gfx/none.png")), nullptr);
	gxtkSurface* unsafe = new gxtkSurface();
	gl.Clear();
	EXPECT_TRUE(device->LoadSurface__UNSAFE__(unsafe, String("velmar://data/gfx/red.png")));
	EXPECT_TRUE(gl.calls.empty()) << "the unsafe load issues no GL calls";
	unsafe->OnUnsafeLoadComplete();
	EXPECT_EQ(unsafe->textureSeq, 1);
}

TEST_F(Surfaces, UndecodableFileGivesNoImage) {
	EnsureTestHost();
	TempDir dir;
	std::filesystem::create_directories("data");
	std::ofstream("data/bad.png") << "not-a-png";
	int w = -1, h = -1, depth = -1;
	EXPECT_EQ(KxGlfwGame::_glfwGame->LoadImageData(String("velmar://data/bad.png"), &w, &h, &depth), nullptr);
	EXPECT_EQ(KxGlfwGame::_glfwGame->LoadImageData(String("velmar://data/none.png"), &w, &h, &depth), nullptr);
}

}  // namespace
