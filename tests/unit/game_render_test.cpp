// The render: the window size check that re-arms the loader, the mapping it
// recomputes, the replay of the display list and the bars beside or above and
// below the picture, on a recorded GL table.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/game_harness.h"
#include "support/gl_recorder.h"

namespace {

class RenderTest : public ::testing::Test {
protected:
	void SetUp() override {
		app = host.Launch();
		host.Update(28);
	}
	// Resizes the scripted window and what the GL table reports.
	void Resize(int width, int height) {
		host.SetWindowSize(width, height);
		gl.width = width;
		gl.height = height;
	}
	GameHost host;
	GlRecorder gl;
	c_MyApp* app = nullptr;
};

TEST_F(RenderTest, ASizeChangeRearmsTheLoaderAndRemaps) {
	host.RenderGame();
	EXPECT_EQ(app->m_loadStep, 0);
	Resize(1280, 720);
	host.RenderGame();
	EXPECT_EQ(app->m_loadStep, 1);
	EXPECT_EQ(app->m_lastDevWidth, 1280);
	EXPECT_EQ(app->m_lastDevHeight, 720);
	EXPECT_FLOAT_EQ(kx_Zimbolo_jscrh, 360.0f);
	EXPECT_FLOAT_EQ(app->m_scaleX, 2.0f);
	app->m_loadStep = 0;
	host.RenderGame();
	EXPECT_EQ(app->m_loadStep, 0) << "the same size does not reload";
}

// Every vertex the draw calls of the last render drew, as x, y pairs in order.
std::vector<float> DrawnPoints(const GlRecorder& gl) {
	std::vector<float> points;
	for (const GlCall& call : gl.calls) points.insert(points.end(), call.points.begin(), call.points.end());
	return points;
}

// Every coordinate within a hundredth of the expected one.
::testing::AssertionResult Near(const std::vector<float>& actual, const std::vector<float>& expected) {
	bool same = actual.size() == expected.size();
	for (size_t i = 0; same && i < actual.size(); ++i) same = std::fabs(actual[i] - expected[i]) < 0.01f;
	if (same) return ::testing::AssertionSuccess();
	::testing::AssertionResult failure = ::testing::AssertionFailure();
	for (float v : actual) failure << v << " ";
	return failure;
}

TEST_F(RenderTest, ReplayDrawsEveryRecordAndSkipsEmptySlots) {
	// A 640 x 480 window with a margin of 16: scale 0.95, offsets 16 across
	// and 12 down; the logo's file (asset level 2) is 512 pixels square.
	kx_Zimbolo_overscan = 16;
	app->p_CLS2D(10, 20, 30, 1);
	app->p_Rect(10, 10, 20, 20);
	app->p_Oval(100, 100, 8, 8);
	app->p_SetSize(2, 1);
	app->p_DrawImg(IMG_LOGO, 100, 50, 0);
	app->p_DrawImg(42, 320, 240, 0);
	app->p_Record(DL_KIND_LINE, 20, 30, 0, 40, 50, 0);
	gl.Clear();
	host.RenderGame();
	kx_Zimbolo_overscan = 0;
	EXPECT_EQ(app->m_i, 5 * DL_RECORD) << "the shared counter ran over the five records";
	std::vector<float> points = DrawnPoints(gl);
	// The clear (4 corners), the rectangle (4), the oval (12), the image (4)
	// and the line (2); the empty slot draws nothing.
	ASSERT_EQ(points.size(), 2 * (4 + 4 + 12 + 4 + 2u));
	std::vector<float> clearAndRect(points.begin(), points.begin() + 16);
	EXPECT_TRUE(Near(clearAndRect, {-1, -1, 641, -1, 641, 481, -1, 481, 25.5f, 21.5f, 44.5f, 21.5f, 44.5f, 40.5f,
	                                25.5f, 40.5f}));
	// Oval of radius 7.6 about (111, 107): its points at 0 and 90 degrees.
	EXPECT_TRUE(Near({points[16], points[17], points[22], points[23]}, {118.6f, 107, 111, 99.4f}));
	const float halfW = 256 * 2 * 0.95f * 0.5f, halfH = 256 * 1 * 0.95f * 0.5f;
	std::vector<float> imageAndLine(points.begin() + 40, points.end());
	EXPECT_TRUE(Near(imageAndLine, {111 - halfW, 59.5f - halfH, 111 + halfW, 59.5f - halfH, 111 + halfW, 59.5f + halfH,
	                                111 - halfW, 59.5f + halfH, 35, 40.5f, 54, 59.5f}));
}

TEST_F(RenderTest, BlackBarsFrameAPictureBeyondTheLimitingShapes) {
	// 32:9 shows 16:9 between bars 640 wide; 3:4 shows 4:3 between bars 175 high.
	struct Case {
		int width, height;
		std::vector<float> rectAndBars;
	};
	const Case cases[] = {
		{2560, 720, {660, 20, 700, 20, 700, 60, 660, 60, 0, 0, 640, 0, 640, 720, 0, 720, 1920, 0, 2560, 0, 2560, 720,
		             1920, 720}},
		{600, 800, {9.375f, 184.375f, 28.125f, 184.375f, 28.125f, 203.125f, 9.375f, 203.125f, 0, 0, 600, 0, 600, 175, 0,
		            175, 0, 625, 600, 625, 600, 800, 0, 800}},
	};
	for (const Case& c : cases) {
		Resize(c.width, c.height);
		app->p_CLS2D(10, 20, 30, 1);
		app->p_Rect(10, 10, 20, 20);
		gl.Clear();
		host.RenderGame();
		std::vector<float> points = DrawnPoints(gl);
		ASSERT_EQ(points.size(), 2 * (4 + 4 + 4 + 4u)) << "the clear, the rectangle and two bars";
		EXPECT_TRUE(Near(std::vector<float>(points.begin() + 8, points.end()), c.rectAndBars)) << c.width;
	}
	Resize(1280, 720);
	gl.Clear();
	host.RenderGame();
	EXPECT_EQ(DrawnPoints(gl).size(), 2 * (4 + 4u)) << "16:9 has no bars";
}

}  // namespace
