// A whole scene through the drawing API, read back, checked and written to
// render_scene.png in the working directory for a person to look at.
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cmath>
#include <string>
#include <vector>

#include "graphics/graphics_api.h"
#include "graphics/gxtk_graphics.h"
#include "graphics/gxtk_surface.h"
#include "host/app.h"
#include "support/fixtures.h"
#include "support/gl_context.h"

namespace {

const int W = 640;
const int H = 480;
// Side of one sprite frame and of the padded frame around it.
const int SPRITE = 32;
const int PADDED = SPRITE + 2;
const int SPRITE_FRAMES = 4;

// Four arrows pointing right, each frame with a 1-pixel transparent border.
gxtkSurface* arrowStrip() {
	const unsigned char colours[SPRITE_FRAMES][3] = {{255, 80, 80}, {80, 255, 80}, {80, 160, 255}, {255, 220, 60}};
	int width = PADDED * SPRITE_FRAMES;
	std::vector<unsigned char> rgba(static_cast<size_t>(width) * PADDED * 4, 0);
	for (int f = 0; f < SPRITE_FRAMES; ++f) {
		for (int y = 0; y < SPRITE; ++y) {
			for (int x = 0; x < SPRITE; ++x) {
				int dy = std::abs(y - SPRITE / 2);
				bool shaft = x < 20 && dy < 4;
				bool head = x >= 16 && dy < (SPRITE - x);
				if (!shaft && !head) continue;
				unsigned char* p = &rgba[((y + 1) * static_cast<size_t>(width) + f * PADDED + x + 1) * 4];
				bool edge = x == 0 || dy == 3 || dy == SPRITE - x - 1;
				for (int c = 0; c < 3; ++c) p[c] = edge ? 255 : colours[f][c];
				p[3] = 255;
			}
		}
	}
	gxtkSurface* surface = MakeRgbaSurface(width, PADDED, rgba.data());
	surface->Bind();
	return surface;
}

// A soft white disc whose alpha falls off from the centre.
gxtkSurface* glow() {
	std::vector<unsigned char> rgba;
	for (int y = 0; y < 64; ++y) {
		for (int x = 0; x < 64; ++x) {
			float d = std::hypot(x - 31.5f, y - 31.5f) / 32;
			int a = d >= 1 ? 0 : static_cast<int>(255 * (1 - d * d));
			rgba.insert(rgba.end(), {255, 255, 255, static_cast<unsigned char>(a)});
		}
	}
	gxtkSurface* surface = MakeRgbaSurface(64, 64, rgba.data());
	surface->Bind();
	return surface;
}

Array<float> polygon(std::initializer_list<float> xy) {
	Array<float> verts(static_cast<int>(xy.size()));
	int i = 0;
	for (float v : xy) verts[i++] = v;
	return verts;
}

// A star of n points about (cx, cy), as a fan from its centre round to the first tip again.
Array<float> star(float cx, float cy, float outer, float inner, int points) {
	int corners = points * 2;
	Array<float> verts((corners + 2) * 2);
	verts[0] = cx;
	verts[1] = cy;
	for (int i = 0; i <= corners; ++i) {
		float r = i % 2 ? inner : outer;
		float a = i * 3.14159265f / points - 1.5707963f;
		verts[2 * i + 2] = cx + r * std::cos(a);
		verts[2 * i + 3] = cy + r * std::sin(a);
	}
	return verts;
}

void drawBackground() {
	kx_graphics_Cls(16, 20, 40);
	for (int i = 0; i < 16; ++i) {
		kx_graphics_SetColor(static_cast<float>(i * 16), 64, static_cast<float>(255 - i * 16));
		kx_graphics_DrawRect(20 + i * 25.0f, 16, 22, 22);
	}
	kx_graphics_SetColor(200, 200, 220);
	for (int i = 0; i < 60; ++i) kx_graphics_DrawPoint(20 + i * 6.5f + 0.5f, 48.5f);
}

void drawShapes() {
	kx_graphics_SetColor(255, 140, 0);
	kx_graphics_DrawEllipse(60, 100, 40, 25);
	kx_graphics_SetColor(0, 200, 200);
	kx_graphics_DrawOval(110, 80, 30, 50);
	kx_graphics_PushMatrix();
	kx_graphics_Translate(200, 105);
	kx_graphics_Rotate(30);
	kx_graphics_SetColor(230, 60, 160);
	kx_graphics_DrawEllipse(0, 0, 45, 14);
	kx_graphics_PopMatrix();
	kx_graphics_SetColor(250, 230, 40);
	kx_graphics_DrawPoly(star(560, 110, 50, 20, 5));
	kx_graphics_SetColor(90, 220, 90);
	kx_graphics_DrawPoly(polygon({430, 80, 470, 80, 490, 115, 470, 150, 430, 150, 410, 115}));
	kx_graphics_SetColor(160, 160, 255);
	for (int i = 0; i <= 8; ++i) kx_graphics_DrawLine(280, 150, 260 + i * 20.0f, 70);
}

void drawSprites(c_Image* arrows) {
	for (int i = 0; i < 8; ++i) {
		kx_graphics_SetColor(255, 255, 255);
		kx_graphics_DrawImage2(arrows, 320 + 90 * std::cos(i * 0.7853982f), 270 - 90 * std::sin(i * 0.7853982f),
		                       i * 45.0f, 1.5f, 1.5f, i % SPRITE_FRAMES);
	}
	kx_graphics_DrawImage2(arrows, 320, 270, 0, 2.5f, 1.5f, 3);
	kx_graphics_SetAlpha(0.4f);
	kx_graphics_DrawRect(230, 330, 180, 24);
	kx_graphics_SetAlpha(1);
	kx_graphics_DrawImage(arrows, 40, 200, 0);
}

void drawAdditive(c_Image* light) {
	kx_graphics_SetBlend(1);
	const float spots[3][5] = {{540, 290, 255, 40, 40}, {580, 290, 40, 255, 40}, {560, 325, 40, 40, 255}};
	for (const float* s : spots) {
		kx_graphics_SetColor(s[2], s[3], s[4]);
		kx_graphics_DrawImage2(light, s[0], s[1], 0, 1.4f, 1.4f, 0);
	}
	kx_graphics_SetBlend(0);
}

void drawScissored() {
	kx_graphics_SetScissor(40, 340, 160, 110);
	kx_graphics_Cls(70, 70, 80);
	kx_graphics_SetColor(255, 255, 255);
	for (int i = 0; i < 12; ++i) kx_graphics_DrawLine(0, 300 + i * 20.0f, 300, 480 - i * 20.0f);
	kx_graphics_SetColor(255, 60, 60);
	kx_graphics_DrawEllipse(120, 395, 110, 40);
	kx_graphics_SetScissor(0, 0, W, H);
}

// A caption in the shipped default font, when the build has made it.
void drawCaption() {
	c_Image* font = kx_graphics_LoadImage(String((BuildDir() + "/data/vexo_font.png").c_str()), 96, 2);
	if (!font) return;
	const char* text = "ZIMBOLO RENDER TEST";
	kx_graphics_SetColor(255, 255, 160);
	for (int i = 0; text[i]; ++i) {
		kx_graphics_DrawImage2(font, 250 + i * font->m_width * 2.0f, 440, 0, 2, 2, text[i] - 32);
	}
}

// The top-down pixels as RGBA bytes for the PNG writer.
std::vector<unsigned char> toRgba(const Array<int>& pixels) {
	std::vector<unsigned char> rgba;
	for (int p : pixels) {
		unsigned v = static_cast<unsigned>(p);
		rgba.insert(rgba.end(), {static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 8),
		                         static_cast<unsigned char>(v), 255});
	}
	return rgba;
}

TEST(Scene, EveryDrawingOperationInOneFrame) {
	GlWindow window(W, H);
	EnsureTestHost();
	kx_graphics_context = (new c_GraphicsContext())->m_new();
	gxtkGraphics* device = new gxtkGraphics();
	kx_graphics_SetGraphicsDevice(device);
	kx_app__devWidth = W;
	kx_app__devHeight = H;
	// Surfaces get their textures (and texture scale) at once, as loaded ones do.
	c_Image* arrows = (new c_Image())->m_new()->p_Init(arrowStrip(), SPRITE_FRAMES, 1 | 2 | 4);
	c_Image* light = (new c_Image())->m_new()->p_Init(glow(), 1, 1);
	ASSERT_EQ(arrows->m_width, SPRITE);

	device->BeginRender();
	kx_graphics_BeginRender();
	drawBackground();
	drawShapes();
	drawSprites(arrows);
	drawAdditive(light);
	drawScissored();
	drawCaption();
	kx_graphics_EndRender();
	Array<int> pixels(W * H);
	device->ReadPixels(pixels, 0, 0, W, H, 0, W);
	device->EndRender();

	auto at = [&](int x, int y) { return static_cast<unsigned>(pixels[y * W + x]) & 0xffffff; };
	EXPECT_EQ(at(25, 20), 0x0040ffu) << "first rectangle";
	EXPECT_EQ(at(60, 100), 0xff8c00u) << "orange ellipse centre";
	EXPECT_EQ(at(39, 339), 0x101428u) << "outside the scissor box the big ellipse is cut off";
	EXPECT_EQ(at(45, 345) == 0x464650u || at(45, 345) == 0xffffffu, true) << "inside: the scissor clear or a line";
	EXPECT_EQ(at(560, 300) & 0xe0e0e0u, 0xe0e0e0u) << "three additive lights add up to white";
	EXPECT_EQ(at(320 + 90, 270), 0xff5050u) << "the red arrow at the ring's right";
	EXPECT_EQ(at(320, 270 - 90 - 20), 0x50a0ffu) << "the blue arrow above the centre points up";
	ASSERT_NE(stbi_write_png("render_scene.png", W, H, 4, toRgba(pixels).data(), W * 4), 0);
}

}  // namespace
