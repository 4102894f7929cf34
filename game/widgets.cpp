// widgets.cpp: the pointer in virtual pixels, buttons and hit tests.
//
// Once per update the mouse and the touches are mapped back from window to
// virtual pixels; the buttons then test those points against image frames or
// rectangles, so every hit test works in virtual pixels.
#include "game/my_app.h"
#include "input/input_api.h"

namespace {

// p_Touch accepts points this far outside its rectangle.
const int TOUCH_MARGIN_BEFORE = 6;
const int TOUCH_MARGIN_AFTER = 12;

}  // namespace

//----------------------------------------------------------------------------
// Sampling
//----------------------------------------------------------------------------

// Maps the mouse and touches into virtual pixels; releases m_waitRelease.
int c_MyApp::p_SamplePointer() {
	float ox = p_OriginX();
	float oy = p_OriginY();
	m_prevMouseX = m_mouseX;
	m_prevMouseY = m_mouseY;
	m_mouseX = kx_Zimbolo_Trunc((kx_input_MouseX() - ox) / m_scaleX);
	m_mouseY = kx_Zimbolo_Trunc((kx_input_MouseY() - oy) / m_scaleY);
	int leftDown = kx_input_MouseDown(0) ? 1 : 0;
	if (m_prevMouseDown == 0 && leftDown) {
		m_prevMouseX = m_mouseX;
		m_prevMouseY = m_mouseY;
	}
	m_mouseDown = leftDown;
	m_mouseHit = kx_input_MouseHit(0);
	for (int i = 0; i < MYAPP_TOUCHES; ++i) {
		m_touchDown[i] = 0;
		m_touchX[i] = ZB_OMITTED;
		m_touchY[i] = ZB_OMITTED;
		if (!kx_input_TouchDown(i)) continue;
		m_touchDown[i] = 1;
		m_touchX[i] = kx_Zimbolo_Trunc((kx_input_TouchX(i) - ox) / m_scaleX);
		m_touchY[i] = kx_Zimbolo_Trunc((kx_input_TouchY(i) - oy) / m_scaleY);
		m_mouseDown = 1;
	}
	m_prevMouseDown = leftDown;
	if (m_mouseDown == 0) m_waitRelease = 0;
	return 0;
}

//----------------------------------------------------------------------------
// Buttons
//----------------------------------------------------------------------------

// True when touch i lies strictly inside the frame box of slot centred on (x, y).
bool c_MyApp::p_InFrame(int slot, float x, float y, int i) {
	float hw = m_imgInfo[3 * slot] * m_assetScale * m_drawScaleX / 2;
	float hh = m_imgInfo[3 * slot + 1] * m_assetScale * m_drawScaleY / 2;
	return x - hw < m_touchX[i] && m_touchX[i] < x + hw && y - hh < m_touchY[i] && m_touchY[i] < y + hh;
}

// Draws an image frame; 1 when a held touch lies on it.
int c_MyApp::p_Button(int slot, float x, float y, int frame) {
	p_DrawImg(slot, x, y, static_cast<float>(frame));
	m_buttonHover = 0;
	for (int i = 0; i < MYAPP_TOUCHES; ++i) {
		if (p_InFrame(slot, x, y, i) && m_mouseDown > 0) m_buttonHover = 1;
	}
	return m_buttonHover;
}

// p_Button on the icon sheet.
int c_MyApp::p_IconButton(float x, float y, int frame) {
	return p_Button(IMG_ICONS, x, y, frame);
}

// The p_Button test for touch 0 only; leaves m_buttonHover alone.
bool c_MyApp::p_Button0(int slot, float x, float y, int frame) {
	p_DrawImg(slot, x, y, static_cast<float>(frame));
	return p_InFrame(slot, x, y, 0) && m_mouseDown > 0;
}

// Draws a rectangle; 1 when a held touch is in it, with margins.
int c_MyApp::p_Touch(float x, float y, float w, float h) {
	p_Rect(x, y, w, h);
	for (int i = 0; i < MYAPP_TOUCHES; ++i) {
		if (m_touchDown[i] == 0) continue;
		if (x - TOUCH_MARGIN_BEFORE < m_touchX[i] && m_touchX[i] < x + w + TOUCH_MARGIN_AFTER &&
		    y - TOUCH_MARGIN_BEFORE < m_touchY[i] && m_touchY[i] < y + h + TOUCH_MARGIN_AFTER) {
			return 1;
		}
	}
	return 0;
}

// 1 when a held touch is inside the box centred on (x, y); draws nothing.
int c_MyApp::p_MouseIn_Centered(float x, float y, float w, float h) {
	for (int i = 0; i < MYAPP_TOUCHES; ++i) {
		if (m_touchDown[i] == 0) continue;
		if (x - w / 2 < m_touchX[i] && m_touchX[i] < x + w / 2 && y - h / 2 < m_touchY[i] &&
		    m_touchY[i] < y + h / 2) {
			return 1;
		}
	}
	return 0;
}
