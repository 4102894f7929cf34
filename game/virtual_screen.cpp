// virtual_screen.cpp: the virtual screen, the display list and the draw state.
//
// Screens record commands of 15 floats into m_drawList during an update; the
// render maps the virtual screen onto the window (the larger of the two
// scale factors wins, the other side follows the window's shape, up to the
// widest and the tallest shape the screens fit) and replays the list through
// the drawing API.
#include <algorithm>
#include <cmath>
#include <climits>

#include "game/my_app.h"
#include "graphics/graphics_api.h"
#include "host/app.h"

namespace {

// The widest and the tallest shape of the picture, width : height. A window
// beyond them shows the picture in the limiting shape, centred between black
// bars.
// NOTE: the screens are laid out for these shapes. Play's walls fill a 16:9
// screen exactly and leave any wider one. The menu's side panel keeps its
// width while the carousel is centred in the rest: at 4:3 the options item
// just clears a five-digit score in the panel and on any narrower screen it
// reaches into the score column; a portrait screen also cuts the logo and
// draws the score lists over it.
const float WIDEST_W = 16;
const float WIDEST_H = 9;
const float TALLEST_W = 4;
const float TALLEST_H = 3;

}  // namespace

//----------------------------------------------------------------------------
// Helpers
//----------------------------------------------------------------------------

// Truncates toward zero; NaN gives 0 and values beyond the int range clamp.
int kx_Zimbolo_Trunc(float value) {
	if (std::isnan(value)) return 0;
	if (value >= 2147483520.0f) return INT_MAX;
	if (value <= -2147483648.0f) return INT_MIN;
	return static_cast<int>(value);
}

// The vertical overscan margin of the picture last rendered.
float c_MyApp::p_OverscanY() {
	float w = m_lastDevWidth - 2 * m_pictureX;
	if (w <= 0) return 0;
	return kx_Zimbolo_overscan * (m_lastDevHeight - 2 * m_pictureY) / w;
}

// The window x of virtual x 0.
float c_MyApp::p_OriginX() {
	return m_pictureX + kx_Zimbolo_overscan;
}

// The window y of virtual y 0.
float c_MyApp::p_OriginY() {
	return m_pictureY + p_OverscanY();
}

//----------------------------------------------------------------------------
// Mapping and replay
//----------------------------------------------------------------------------

// Fits the virtual screen to the picture: the window, or its centred part of
// the limiting shape.
// NOTE: a window without area (minimised) keeps the previous mapping, so the
// layout never sees a zero or undefined screen size.
int c_MyApp::p_MapScreen() {
	float w = static_cast<float>(kx_app_DeviceWidth());
	float h = static_cast<float>(kx_app_DeviceHeight());
	if (w <= 0 || h <= 0) return 0;
	float pw = std::min(w, h * WIDEST_W / WIDEST_H);
	float ph = std::min(h, w * TALLEST_H / TALLEST_W);
	m_pictureX = (w - pw) / 2;
	m_pictureY = (h - ph) / 2;
	float ov = kx_Zimbolo_overscan;
	float sx = (pw - 2 * ov) / kx_Zimbolo_rawscrw;
	float sy = (ph - 2 * ov) / kx_Zimbolo_rawscrh;
	float s = sx;
	float k = pw / kx_Zimbolo_rawscrw;
	if (sy > sx) {
		s = sy;
		k = ph / kx_Zimbolo_rawscrh;
	}
	m_scaleX = s;
	m_scaleY = s;
	kx_Zimbolo_jscrw = pw / k;
	kx_Zimbolo_jscrh = ph / k;
	m_landscape = kx_Zimbolo_jscrh <= kx_Zimbolo_jscrw ? 1 : 0;
	return 0;
}

// Draws every recorded command, mapped to window pixels.
int c_MyApp::p_Replay() {
	if (m_drawCount <= DL_RECORD - 1) return 0;
	float s = m_scaleX;
	float ox = p_OriginX();
	float oy = p_OriginY();
	for (m_i = 0; m_i < m_drawCount - (DL_RECORD - 1); m_i += DL_RECORD) {
		const float* e = &m_drawList[m_i];
		kx_graphics_SetAlpha(e[DL_ALPHA]);
		kx_graphics_SetColor(e[DL_RED], e[DL_GREEN], e[DL_BLUE]);
		kx_graphics_SetBlend(e[DL_BLEND] == ZB_BLEND_ADDITIVE ? 1 : 0);
		float x = e[DL_X] * s + ox;
		float y = e[DL_Y] * s + oy;
		int kind = kx_Zimbolo_Trunc(e[DL_KIND]);
		if (e[DL_KIND] == DL_KIND_RECT) {
			kx_graphics_DrawRect(x, y, e[DL_W] * s, e[DL_H] * s);
		} else if (e[DL_KIND] == DL_KIND_OVAL) {
			kx_graphics_DrawEllipse(x, y, e[DL_W] * s, e[DL_H] * s);
		} else if (e[DL_KIND] == DL_KIND_LINE) {
			kx_graphics_DrawLine(x, y, e[DL_W] * s + ox, e[DL_H] * s + oy);
		} else if (e[DL_KIND] > -1 && kind < MYAPP_IMAGES && m_images[kind]) {
			float scale = s * m_assetScale;
			kx_graphics_DrawImage2(m_images[kind], x, y, e[DL_ROT], e[DL_W] * scale, e[DL_H] * scale,
			                       kx_Zimbolo_Trunc(e[DL_FRAME]));
		}
	}
	return 0;
}

// Covers the bars beside or above and below the picture, and whatever was
// drawn over them.
int c_MyApp::p_DrawBars() {
	if (m_pictureX <= 0 && m_pictureY <= 0) return 0;
	float w = static_cast<float>(kx_app_DeviceWidth());
	float h = static_cast<float>(kx_app_DeviceHeight());
	kx_graphics_SetColor(0, 0, 0);
	kx_graphics_SetAlpha(1);
	kx_graphics_SetBlend(0);
	if (m_pictureX > 0) {
		kx_graphics_DrawRect(0, 0, m_pictureX, h);
		kx_graphics_DrawRect(w - m_pictureX, 0, m_pictureX, h);
	} else {
		kx_graphics_DrawRect(0, 0, w, m_pictureY);
		kx_graphics_DrawRect(0, h - m_pictureY, w, m_pictureY);
	}
	return 0;
}

//----------------------------------------------------------------------------
// Draw state
//----------------------------------------------------------------------------

// Starts a new screen: clear colour (unless omitted), draw state, empty list.
int c_MyApp::p_CLS2D(float r, float g, float b, float a) {
	if (r > ZB_OMITTED) {
		m_clsRed = r;
		m_clsGreen = g;
		m_clsBlue = b;
		m_clsAlpha = a;
	}
	p_ResetDraw();
	m_drawCount = 0;
	return 0;
}

// Scale 1, rotation 0, white, opaque, blend 1.
int c_MyApp::p_ResetDraw() {
	m_drawScaleX = 1;
	m_drawScaleY = 1;
	m_drawRot = 0;
	m_drawRed = 255;
	m_drawGreen = 255;
	m_drawBlue = 255;
	m_drawAlpha = 1;
	m_drawBlend = 1;
	return 0;
}

// Image scale; an omitted height takes the width.
int c_MyApp::p_SetSize(float w, float h) {
	m_drawScaleX = w;
	m_drawScaleY = h > ZB_OMITTED ? h : w;
	return 0;
}

// Colour, and alpha unless omitted.
int c_MyApp::p_SetCol(float r, float g, float b, float a) {
	m_drawRed = r;
	m_drawGreen = g;
	m_drawBlue = b;
	if (a > ZB_OMITTED) m_drawAlpha = a;
	return 0;
}

// Alpha.
int c_MyApp::p_Alpha(float a) {
	m_drawAlpha = a;
	return 0;
}

// Rotation, stored negated.
int c_MyApp::p_SetRot(float r) {
	m_drawRot = -r;
	return 0;
}

//----------------------------------------------------------------------------
// Recording
//----------------------------------------------------------------------------

// Appends one command with the current colour, alpha and blend.
bool c_MyApp::p_Record(float kind, float x, float y, float rot, float w, float h, float frame) {
	if (m_drawCount > DL_LAST_START) return false;
	float* e = &m_drawList[m_drawCount];
	e[DL_KIND] = kind;
	e[DL_X] = x;
	e[DL_Y] = y;
	e[DL_ROT] = rot;
	e[DL_W] = w;
	e[DL_H] = h;
	e[DL_FRAME] = frame;
	e[DL_ALPHA] = m_drawAlpha;
	e[DL_RED] = m_drawRed;
	e[DL_GREEN] = m_drawGreen;
	e[DL_BLUE] = m_drawBlue;
	e[DL_BLEND] = static_cast<float>(m_drawBlend);
	m_drawCount += DL_RECORD;
	return true;
}

// An image frame with the current scale and rotation.
int c_MyApp::p_DrawImg(int slot, float x, float y, float frame) {
	p_Record(static_cast<float>(slot), x, y, m_drawRot, m_drawScaleX, m_drawScaleY, frame);
	return 0;
}

// A filled rectangle (not scaled by the draw scale).
int c_MyApp::p_Rect(float x, float y, float w, float h) {
	p_Record(DL_KIND_RECT, x, y, m_drawRot, w, h, 0);
	return 0;
}

// A filled ellipse about its centre.
int c_MyApp::p_Oval(float x, float y, float rx, float ry) {
	p_Record(DL_KIND_OVAL, x, y, m_drawRot, rx, ry, 0);
	return 0;
}
