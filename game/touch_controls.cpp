// touch_controls.cpp: the on-screen d-pad and buttons, and tilt steering.
//
// Both sit behind platform switches that are off in this program; when on,
// the pad presses virtual buttons and can be moved and resized while paused,
// and the tilt shows a marker with a calibrate button.
#include <cmath>

#include "game/my_app.h"
#include "input/input_api.h"

namespace {

// States above this have a game on screen.
const int PAD_MIN_STATE = 5;
// Saved pad layout: x, distance from the bottom, size x 10, and their bounds.
const int OPT_PAD_X = 10;
const int OPT_PAD_BOTTOM = 11;
const int OPT_PAD_SIZE = 12;
const int PAD_EDGE = 32;
const int PAD_SIZE_MIN = 8;
const int PAD_SIZE_MAX = 25;
// Pad geometry in pad-scale units and the pad sheet frames.
const float PAD_STEP = 32;
const float ACTION_STEP = 24;
const int FRAME_UP = 1;
const int FRAME_LEFT = 4;
const int FRAME_CENTRE = 5;
const int FRAME_RIGHT = 6;
const int FRAME_DOWN = 9;
const int FRAME_ACTION = 0;
// Two fingers resize the pad by one step per this many pixels of spread.
const int DRAG_PIXELS = 16;
// Tilt marker: easing, snap distance, position and range.
const float TILT_EASE = 0.25f;
const float TILT_SNAP = 0.005f;
const float TILT_POS = 24;
const float TILT_RANGE = 20;
const int FRAME_CALIBRATE = 7;

int ClampInt(int v, int lo, int hi) {
	return v < lo ? lo : (v > hi ? hi : v);
}

// show moves a quarter of the way to target and snaps when close.
float EaseToward(float show, float target) {
	show += (target - show) * TILT_EASE;
	return std::fabs(target - show) < TILT_SNAP ? target : show;
}

}  // namespace

// The on-screen pad: four directions, two action buttons, moved while paused.
int c_MyApp::p_OnScreenPad() {
	if (kx_Zimbolo_OnScreenControls != 1 || m_gameState <= PAD_MIN_STATE || kx_Zimbolo_iCadeControls != 0) return 0;
	m_option[OPT_PAD_X] = ClampInt(m_option[OPT_PAD_X], PAD_EDGE, kx_Zimbolo_Trunc(kx_Zimbolo_jscrw - PAD_EDGE));
	m_option[OPT_PAD_BOTTOM] =
	    ClampInt(m_option[OPT_PAD_BOTTOM], PAD_EDGE, kx_Zimbolo_Trunc(kx_Zimbolo_jscrh - PAD_EDGE));
	m_option[OPT_PAD_SIZE] = ClampInt(m_option[OPT_PAD_SIZE], PAD_SIZE_MIN, PAD_SIZE_MAX);
	m_dpadX = m_option[OPT_PAD_X];
	m_dpadY = kx_Zimbolo_Trunc(kx_Zimbolo_jscrh - m_option[OPT_PAD_BOTTOM]);
	m_dpadScale = m_option[OPT_PAD_SIZE] / 10.0f;
	p_ResetDraw();
	p_Alpha(0.6f);
	p_SetSize(m_dpadScale);
	float q = PAD_STEP * m_dpadScale;
	struct {
		float dx, dy;
		int frame, entry;
	} const directions[] = {
		{-q, 0, FRAME_LEFT, BTN_LEFT}, {0, -q, FRAME_UP, BTN_UP}, {0, q, FRAME_DOWN, BTN_DOWN}, {q, 0, FRAME_RIGHT, BTN_RIGHT},
	};
	for (const auto& d : directions) {
		if (p_Button(IMG_DPAD, m_dpadX + d.dx, m_dpadY + d.dy, d.frame) && m_paused == 0) {
			m_vButton[d.entry] = VBTN_PRESSED;
		}
	}
	p_DrawImg(IMG_DPAD, static_cast<float>(m_dpadX), static_cast<float>(m_dpadY), FRAME_CENTRE);
	if (m_paused != 0) {
		p_SetSize(3);
		if (p_Button0(IMG_DPAD, static_cast<float>(m_dpadX), static_cast<float>(m_dpadY), FRAME_ACTION) &&
		    m_touchDown[1] == 0) {
			m_option[OPT_PAD_X] = m_touchX[0];
			m_option[OPT_PAD_BOTTOM] = kx_Zimbolo_Trunc(kx_Zimbolo_jscrh - m_touchY[0]);
		}
		if (m_touchDown[1] == 0) {
			m_dragging = 0;
			m_dragLast = 0;
		}
		if (m_touchDown[0] != 0 && m_touchDown[1] != 0) {
			m_dragStep = -std::abs(m_touchX[0] - m_touchX[1]) / DRAG_PIXELS;
			if (m_dragging == 1) m_option[OPT_PAD_SIZE] += m_dragLast - m_dragStep;
			m_dragLast = m_dragStep;
			m_dragging = 1;
		}
	}
	p_SetSize(1.5f * m_dpadScale);
	float e = ACTION_STEP * m_dpadScale;
	if (p_Button(IMG_DPAD, kx_Zimbolo_jscrw - (m_dpadX - e), m_dpadY - e, FRAME_ACTION)) m_vButton[BTN_A] = VBTN_PRESSED;
	if (p_Button(IMG_DPAD, kx_Zimbolo_jscrw - (m_dpadX + e), m_dpadY + e, FRAME_ACTION)) m_vButton[BTN_B] = VBTN_PRESSED;
	return 0;
}

// The tilt marker and its calibrate button.
int c_MyApp::p_TiltSteering() {
	if (kx_Zimbolo_AccelerometerControls != 1) return 0;
	if (kx_Zimbolo_iCadeControls != 0) {
		m_tiltShowX = 0;
		m_tiltShowY = 0;
		return 0;
	}
	float ax = kx_input_AccelX();
	float ay = kx_input_AccelY();
	m_tiltShowX = EaseToward(m_tiltShowX, ax - m_accelZeroX);
	m_tiltShowY = EaseToward(m_tiltShowY, ay - m_accelZeroY);
	p_ResetDraw();
	p_SetSize(1.5f);
	p_Alpha(0.8f);
	if (p_Button(IMG_ICONS, TILT_POS, kx_Zimbolo_jscrh - TILT_POS, FRAME_CALIBRATE)) {
		m_accelZeroX = ax;
		m_accelZeroY = ay;
	}
	p_SetCol(100, 255, 100, 0.6f);
	p_SetSize(1);
	p_Oval(TILT_POS + m_tiltShowX * TILT_RANGE, kx_Zimbolo_jscrh - TILT_POS + m_tiltShowY * TILT_RANGE, 4, 4);
	return 0;
}
