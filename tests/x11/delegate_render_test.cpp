// A render pass through the host's delegate: the application draws with the
// drawing API on the device the delegate created, and every frame starts from
// the same state.
#include <gtest/gtest.h>

#include "graphics/graphics_api.h"
#include "graphics/gxtk_graphics.h"
#include "host/app.h"
#include "support/gl_context.h"
#include "support/test_host.h"

namespace {

// Draws a tinted, half-transparent square over a clear; the second frame
// checks that the first one's colour, alpha and matrix did not carry over.
class SquareApp : public c_App {
public:
	int p_OnRender() override {
		kx_graphics_Cls(0, 0, 255);
		kx_graphics_DrawRect(10, 10, 20, 20);
		kx_graphics_SetColor(255, 0, 0);
		kx_graphics_SetAlpha(0.5f);
		kx_graphics_Translate(100, 0);
		kx_graphics_DrawRect(10, 10, 20, 20);
		return 0;
	}
};

// The pixel at (x, y), origin top-left, as 0xRRGGBB.
unsigned rgbAt(int x, int y) {
	Array<int> out(1);
	kx_graphics_device->ReadPixels(out, x, y, 1, 1, 0, 1);
	return static_cast<unsigned>(out[0]) & 0xffffff;
}

TEST(DelegateRender, TheApplicationDrawsOnTheRealDevice) {
	GlWindow window(320, 240);
	TestHost host;
	host.SetWindowSize(320, 240);
	host.Boot();
	(new SquareApp())->m_new();
	host.Start();
	ASSERT_NE(kx_graphics_device, nullptr);
	EXPECT_EQ(kx_graphics_device->Width(), 320);
	for (int frame = 0; frame < 2; ++frame) {
		host.RunRenders(1);
		EXPECT_EQ(kx_graphics_renderDevice, nullptr) << "the pass is over";
		EXPECT_EQ(rgbAt(15, 15), 0xffffffu) << "frame " << frame << " starts white and opaque";
		EXPECT_EQ(rgbAt(115, 15), 0x7f0080u) << "frame " << frame;
		EXPECT_EQ(rgbAt(215, 15), 0x0000ffu) << "frame " << frame << " starts untransformed";
	}
}

}  // namespace
