// The render: the window size check that re-arms the loader, the mapping it
// recomputes and the replay of the display list, on a recorded GL table.
#include <gtest/gtest.h>

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

TEST_F(RenderTest, ReplayDrawsEveryRecordAndSkipsEmptySlots) {
	app->p_CLS2D(10, 20, 30, 1);
	app->p_Rect(10, 10, 20, 20);
	app->p_Oval(100, 100, 8, 8);
	app->p_DrawImg(IMG_LOGO, 320, 240, 0);
	app->p_DrawImg(42, 320, 240, 0);
	gl.Clear();
	host.RenderGame();
	EXPECT_GT(gl.Count("DrawArrays") + gl.Count("DrawElements"), 0);
	EXPECT_EQ(app->m_i, 4 * DL_RECORD) << "the shared counter ran over the four records";
}

}  // namespace
