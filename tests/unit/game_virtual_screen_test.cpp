// The virtual screen: window mapping with its limiting shapes and bars, the
// pointer, display list records and capacity, the bitmap text, the number
// formatter and the hit tests.
#include <gtest/gtest.h>

#include "support/game_harness.h"

namespace {

class VirtualScreenTest : public ::testing::Test {
protected:
	void SetUp() override {
		app = host.Launch();
		host.Update(30);
		app->p_CLS2D(ZB_OMITTED, 0, 0, 0);
	}
	// Element e of record r of the display list.
	float Rec(int r, int e) { return app->m_drawList[r * DL_RECORD + e]; }
	GameHost host;
	c_MyApp* app = nullptr;
};

// Maps a window of the given size as the render does (the framework reads
// the size at the next update).
void Map(GameHost& host, c_MyApp* app, int width, int height) {
	host.SetWindowSize(width, height);
	host.Update(1);
	app->p_MapScreen();
	app->m_lastDevWidth = width;
	app->m_lastDevHeight = height;
}

TEST_F(VirtualScreenTest, ShapesFromFourThirdsToSixteenNinthsFillTheWindow) {
	// Window, scale, virtual screen and the bars' width and height.
	struct Case {
		int width, height;
		float scale, jscrw, jscrh, barX, barY;
	};
	const Case cases[] = {
		{1280, 720, 2, 640, 360, 0, 0},                  // 16:9, the widest
		{1280, 721, 2, 640, 360.5f, 0, 0},               //
		{1281, 720, 2, 640, 360, 0.5f, 0},               // wider: bars beside
		{2560, 720, 2, 640, 360, 640, 0},                // 32:9
		{640, 480, 1, 640, 480, 0, 0},                   // 4:3, the tallest
		{641, 480, 641 / 640.0f, 640, 480 * 640 / 641.0f, 0, 0},
		{640, 481, 1, 640, 480, 0, 0.5f},                // taller: bars above and below
		{600, 601, 0.9375f, 640, 480, 0, 75.5f},         // square, and a step either side
		{600, 600, 0.9375f, 640, 480, 0, 75},            //
		{600, 599, 0.9375f, 640, 480, 0, 74.5f},         //
		{540, 960, 0.84375f, 640, 480, 0, 277.5f},       // 9:16
	};
	for (const Case& c : cases) {
		Map(host, app, c.width, c.height);
		SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
		EXPECT_FLOAT_EQ(app->m_scaleX, c.scale);
		EXPECT_FLOAT_EQ(app->m_scaleY, c.scale);
		EXPECT_FLOAT_EQ(kx_Zimbolo_jscrw, c.jscrw);
		EXPECT_FLOAT_EQ(kx_Zimbolo_jscrh, c.jscrh);
		EXPECT_FLOAT_EQ(app->m_pictureX, c.barX);
		EXPECT_FLOAT_EQ(app->m_pictureY, c.barY);
		EXPECT_EQ(app->m_landscape, 1);
	}
}

TEST_F(VirtualScreenTest, OverscanShrinksThePictureButNotTheScreen) {
	kx_Zimbolo_overscan = 32;
	Map(host, app, 1280, 720);
	EXPECT_FLOAT_EQ(app->m_scaleX, (1280.0f - 64) / 640);
	EXPECT_FLOAT_EQ(kx_Zimbolo_jscrw, 640.0f);
	EXPECT_FLOAT_EQ(app->p_OverscanY(), 18.0f);
	Map(host, app, 2560, 720);
	EXPECT_FLOAT_EQ(app->m_scaleX, (1280.0f - 64) / 640) << "the margin lies inside the picture";
	EXPECT_FLOAT_EQ(kx_Zimbolo_jscrh, 360.0f);
	EXPECT_FLOAT_EQ(app->p_OriginX(), 640 + 32.0f);
	EXPECT_FLOAT_EQ(app->p_OriginY(), 18.0f);
	kx_Zimbolo_overscan = 0;
}

TEST_F(VirtualScreenTest, PointerIsSampledInVirtualPixels) {
	Map(host, app, 1280, 720);
	host.MouseMove(101, 51);
	host.MouseDown(101, 51);
	host.Update(1);
	EXPECT_EQ(app->m_mouseX, 50);
	EXPECT_EQ(app->m_mouseY, 25);
	EXPECT_EQ(app->m_mouseDown, 1);
	EXPECT_EQ(app->m_mouseHit, 1);
	EXPECT_EQ(app->m_prevMouseX, 50) << "a press starts without a jump";
	EXPECT_EQ(app->m_touchX[0], 50);
	EXPECT_EQ(app->m_touchX[1], ZB_OMITTED);
	// Bars 640 wide beside the picture, then 175 high above and below it.
	Map(host, app, 2560, 720);
	host.MouseMove(640 + 101, 51);
	host.Update(1);
	EXPECT_EQ(app->m_touchX[0], 50);
	EXPECT_EQ(app->m_touchY[0], 25);
	host.MouseMove(600, 51);
	host.Update(1);
	EXPECT_LT(app->m_mouseX, 0) << "the left bar lies outside the virtual screen";
	Map(host, app, 600, 800);
	host.MouseMove(300, 175 + 225);
	host.Update(1);
	EXPECT_EQ(app->m_mouseX, 320);
	EXPECT_EQ(app->m_mouseY, 240);
	EXPECT_EQ(app->m_touchY[0], 240);
	host.MouseMove(300, 800 - 170);
	host.Update(1);
	EXPECT_GT(app->m_mouseY, 480) << "the bottom bar lies below it";
	app->m_waitRelease = 1;
	host.MouseUp(300, 630);
	host.Update(1);
	EXPECT_EQ(app->m_mouseDown, 0);
	EXPECT_EQ(app->m_waitRelease, 0);
}

TEST_F(VirtualScreenTest, RecordsCarryTheDrawState) {
	app->p_SetSize(2, ZB_OMITTED);
	EXPECT_FLOAT_EQ(app->m_drawScaleY, 2.0f);
	app->p_SetRot(30);
	app->p_SetCol(10, 20, 30, 0.5f);
	app->m_drawBlend = ZB_BLEND_ADDITIVE;
	app->p_DrawImg(IMG_SPRITES, 5, 6, 7);
	app->p_Rect(1, 2, 3, 4);
	app->p_Oval(8, 9, 10, 11);
	ASSERT_EQ(app->m_drawCount, 45);
	EXPECT_EQ(Rec(0, DL_KIND), IMG_SPRITES);
	EXPECT_EQ(Rec(0, DL_ROT), -30);
	EXPECT_EQ(Rec(0, DL_W), 2);
	EXPECT_EQ(Rec(0, DL_FRAME), 7);
	EXPECT_EQ(Rec(0, DL_ALPHA), 0.5f);
	EXPECT_EQ(Rec(0, DL_BLUE), 30);
	EXPECT_EQ(Rec(0, DL_BLEND), 3);
	EXPECT_EQ(Rec(1, DL_KIND), DL_KIND_RECT);
	EXPECT_EQ(Rec(1, DL_W), 3) << "rectangles ignore the draw scale";
	EXPECT_EQ(Rec(2, DL_KIND), DL_KIND_OVAL);
	EXPECT_EQ(Rec(2, DL_H), 11);
	app->p_SetCol(1, 2, 3, ZB_OMITTED);
	EXPECT_EQ(app->m_drawAlpha, 0.5f) << "an omitted alpha stays";
	app->p_CLS2D(1, 2, 3, 0.25f);
	EXPECT_EQ(app->m_drawCount, 0);
	EXPECT_EQ(app->m_clsAlpha, 0.25f);
	EXPECT_EQ(app->m_drawScaleX, 1.0f);
	EXPECT_EQ(app->m_drawBlend, 1);
}

TEST_F(VirtualScreenTest, TheCommandAfterTheLastSlotIsDropped) {
	for (int i = 0; i < 2499; ++i) app->p_Rect(static_cast<float>(i), 0, 1, 1);
	EXPECT_EQ(app->m_drawCount, 2499 * DL_RECORD);
	app->p_Rect(-5, -5, 1, 1);
	app->p_DrawImg(IMG_SPRITES, 0, 0, 0);
	EXPECT_EQ(app->m_drawCount, 2499 * DL_RECORD);
	EXPECT_EQ(app->m_drawList[2499 * DL_RECORD + DL_X], 0.0f) << "no partial record";
}

TEST_F(VirtualScreenTest, HiMeasuresFourteen) {
	app->p_Text(100, 50, String("Hi"), 1, 1);
	ASSERT_EQ(app->m_drawCount, 2 * DL_RECORD);
	EXPECT_FLOAT_EQ(Rec(0, DL_X), 100 - 7 + 7) << "the space advances, the H is drawn after it";
	EXPECT_EQ(Rec(0, DL_FRAME), 'H' - 32);
	EXPECT_NEAR(Rec(0, DL_Y), 50, 1e-4);
	EXPECT_EQ(Rec(1, DL_FRAME), 'i' - 32);
	EXPECT_FLOAT_EQ(Rec(1, DL_X), 107);
	app->p_CLS2D(ZB_OMITTED, 0, 0, 0);
	app->p_Text(100, 50, String("Hi"), 0, 0);
	EXPECT_FLOAT_EQ(Rec(0, DL_X), 107);
	EXPECT_NEAR(Rec(0, DL_Y), 55, 1e-4) << "alignY 0 puts glyph centres half a line below";
}

TEST_F(VirtualScreenTest, BackslashNBreaksTheLine) {
	String text = String("a") + String("\\") + String("nb");
	app->p_SetSize(2, ZB_OMITTED);
	app->p_Text(10, 40, text, 0, 1);
	ASSERT_EQ(app->m_drawCount, 2 * DL_RECORD) << "neither backslash nor n is drawn";
	EXPECT_EQ(Rec(0, DL_FRAME), 'a' - 32);
	EXPECT_EQ(Rec(1, DL_FRAME), 'b' - 32);
	EXPECT_NEAR(Rec(1, DL_X), 10, 1e-3) << "the new line starts at the line's start";
	EXPECT_NEAR(Rec(1, DL_Y) - Rec(0, DL_Y), 20, 1e-3) << "one line height times the scale";
}

TEST_F(VirtualScreenTest, EscapesPickPadOrKeySymbols) {
	String text = String("Press ") + String::FromChar(172) + String("K to Quit");
	app->m_controlMode = 1;
	app->p_Text(0, 0, text, 0, 1);
	int frame = -1;
	for (int r = 0; r < app->m_drawCount / DL_RECORD; ++r) {
		if (Rec(r, DL_FRAME) >= 96) frame = static_cast<int>(Rec(r, DL_FRAME));
	}
	EXPECT_EQ(frame, 97);
	app->p_CLS2D(ZB_OMITTED, 0, 0, 0);
	app->m_controlMode = 0;
	app->p_Text(0, 0, text, 0, 1);
	frame = -1;
	float symbolX = 0, nextX = 0;
	for (int r = 0; r < app->m_drawCount / DL_RECORD; ++r) {
		if (frame >= 0 && nextX == 0) nextX = Rec(r, DL_X);
		if (Rec(r, DL_FRAME) >= 96) {
			frame = static_cast<int>(Rec(r, DL_FRAME));
			symbolX = Rec(r, DL_X);
		}
	}
	EXPECT_EQ(frame, 113);
	EXPECT_FLOAT_EQ(nextX - symbolX, 7 + 4 + 7) << "the symbol advances 11, the space after it 7";
}

TEST_F(VirtualScreenTest, RotatedTextRunsAlongTheTurnedBaseline) {
	app->p_SetRot(90);
	app->p_Text(100, 100, String("Hi"), 0, 1);
	ASSERT_EQ(app->m_drawCount, 2 * DL_RECORD);
	EXPECT_NEAR(Rec(0, DL_X), 100, 1e-3);
	EXPECT_NEAR(Rec(0, DL_Y), 107, 1e-3) << "the pen moves down the screen";
	EXPECT_NEAR(Rec(1, DL_Y), 114, 1e-3);
	EXPECT_EQ(Rec(0, DL_ROT), -90) << "every glyph turns like an image";
}

TEST_F(VirtualScreenTest, SpacingTableAndEscapesWiden) {
	app->p_Text(0, 0, String("wil"), 2, 1);
	EXPECT_FLOAT_EQ(Rec(0, DL_X), -(7 + 9 + 4) + 7) << "w +2, i -3; the last letter is not measured";
	app->p_CLS2D(ZB_OMITTED, 0, 0, 0);
	app->p_Text(0, 0, String::FromChar(172) + String("Jx"), 2, 1);
	EXPECT_FLOAT_EQ(Rec(0, DL_X), -(7 + 9) + 7) << "an escape pair measures as one +2";
}

TEST_F(VirtualScreenTest, NumbersArePaddedAndCut) {
	EXPECT_EQ(app->p_rstr(123, 8, String("0")), String("00000123"));
	EXPECT_EQ(app->p_rstr(123456789, 8, String("0")), String("23456789"));
	EXPECT_EQ(app->p_rstr(-5, 4, String(" ")), String("  -5"));
}

TEST_F(VirtualScreenTest, TouchAcceptsMoreRoomAfterThanBefore) {
	app->m_touchDown[0] = 1;
	app->m_touchX[0] = 111;
	app->m_touchY[0] = 50;
	EXPECT_EQ(app->p_Touch(50, 40, 50, 20), 1);
	app->m_touchX[0] = 112;
	EXPECT_EQ(app->p_Touch(50, 40, 50, 20), 0);
	app->m_touchX[0] = 45;
	EXPECT_EQ(app->p_Touch(50, 40, 50, 20), 1);
	app->m_touchX[0] = 44;
	EXPECT_EQ(app->p_Touch(50, 40, 50, 20), 0);
	app->m_touchDown[0] = 0;
	app->m_touchX[0] = 60;
	EXPECT_EQ(app->p_Touch(50, 40, 50, 20), 0) << "only held touches count";
}

TEST_F(VirtualScreenTest, ButtonsTestTheFrameBox) {
	app->m_touchX[3] = 116;
	app->m_touchY[3] = 100;
	app->m_mouseDown = 1;
	EXPECT_EQ(app->p_Button(IMG_ICONS, 100, 100, 0), 0) << "icons are 32 wide: the edge is outside";
	app->m_touchX[3] = 115;
	EXPECT_EQ(app->p_Button(IMG_ICONS, 100, 100, 0), 1);
	EXPECT_EQ(app->m_buttonHover, 1);
	EXPECT_FALSE(app->p_Button0(IMG_ICONS, 100, 100, 0)) << "only touch 0";
	app->m_mouseDown = 0;
	EXPECT_EQ(app->p_Button(IMG_ICONS, 100, 100, 0), 0);
}

}  // namespace
