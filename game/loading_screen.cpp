// loading_screen.cpp: the screen shown while the step loader runs.
//
// A blue-grey screen with a yellow disc, an orange band, the studio logo and
// two rings of dots that turn by 16 degrees every update.
#include "game/angles.h"
#include "game/my_app.h"

namespace {

const int SPINNER_DOTS = 11;
const int SPINNER_STEP = 16;
const int SPINNER_LEAD = 196;
const float DOT_RADIUS = 8;

}  // namespace

// Records the loading screen; the loader calls it with mode 1.
int c_MyApp::p_WaitStart(int mode) {
	if (mode != 1) return 0;
	p_CLS2D(40, 40, 80, 1);
	float w = kx_Zimbolo_jscrw;
	float h = kx_Zimbolo_jscrh;
	m_minDim = kx_Zimbolo_Trunc(w < h ? w : h);
	int a = m_spinAngle;
	m_spinAngle = a + SPINNER_STEP;
	p_Spinner(a + SPINNER_LEAD, 250, 250, 250);
	p_SetCol(255, 255, 0, 0.8f);
	p_Oval(w / 2, h / 2, m_minDim * 0.3f, m_minDim * 0.3f);
	p_SetCol(250, 160, 60, 0.7f);
	p_Rect(0, h * 0.4f, w, h * 0.2f);
	p_ResetDraw();
	p_DrawImg(IMG_LOGO, w * 0.5f, h * 0.48f, 0);
	p_Spinner(a + SPINNER_STEP, 50, 50, 50);
	return 0;
}

// A ring of 11 dots from angle on, fading in from transparent.
int c_MyApp::p_Spinner(int angle, float red, float green, float blue) {
	float r = m_minDim * 0.25f;
	float cx = kx_Zimbolo_jscrw / 2;
	float cy = kx_Zimbolo_jscrh / 2;
	for (int k = 0; k < SPINNER_DOTS; ++k) {
		float degrees = angle + SPINNER_STEP * k;
		p_SetCol(red, green, blue, k / 10.0f);
		p_Oval(cx + SinDeg(degrees) * r, cy - CosDeg(degrees) * r, DOT_RADIUS, DOT_RADIUS);
	}
	return 0;
}
