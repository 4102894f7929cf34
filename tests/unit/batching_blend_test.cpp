// Blend changes and batches: only a change of the blend function ends a batch.
#include <gtest/gtest.h>

#include "graphics/gl_api.h"
#include "graphics/gxtk_graphics.h"
#include "support/gl_recorder.h"

TEST(BatchingBlend, RepeatedBlendKeepsTheBatchAndAChangeFlushes) {
	GlRecorder gl;
	gxtkGraphics* g = new gxtkGraphics();
	g->BeginRender();
	gl.Clear();
	for (int i = 0; i < 100; ++i) {
		g->SetBlend(0);
		g->DrawRect(i, 0, 1, 1);
	}
	EXPECT_EQ(gl.Count("DrawElements"), 0);
	EXPECT_EQ(gl.Count("BlendFunc"), 0);
	g->SetBlend(1);
	EXPECT_EQ(gl.Count("DrawElements"), 1);
	g->DrawRect(0, 0, 1, 1);
	g->SetBlend(1);
	EXPECT_EQ(gl.Count("DrawElements"), 1);
	g->SetBlend(2);
	EXPECT_EQ(gl.Count("DrawElements"), 2) << "any mode but 1 is the alpha blend";
	EXPECT_EQ(gl.Calls("BlendFunc").back().args, (std::vector<double>{GL_ONE, GL_ONE_MINUS_SRC_ALPHA}));
	// A new pass sets the alpha blend again, so additive must be set anew.
	g->SetBlend(1);
	g->BeginRender();
	int funcs = gl.Count("BlendFunc");
	g->SetBlend(1);
	EXPECT_EQ(gl.Count("BlendFunc"), funcs + 1);
	g->EndRender();
}
