// screen_parts.cpp: drawing and hit-test pieces shared by the menu screens.
//
// The options emblem (three layers of the button sheet turning at different
// speeds) appears on the main menu, in the options box and on the pause panel;
// all three also test taps against the box of an image frame at the current
// draw scale.
#include "game/my_app.h"

namespace {

// Frames of the button sheet that make up the options emblem, and how fast
// each layer turns relative to m_menuSpin.
const int EMBLEM_OUTER = 8;
const int EMBLEM_MIDDLE = 9;
const int EMBLEM_INNER = 10;
const float OUTER_TURN = 0.66f;
const float MIDDLE_TURN = -0.33f;
const float INNER_TURN = -1.0f;

}  // namespace

//----------------------------------------------------------------------------
// Shared pieces
//----------------------------------------------------------------------------

// Draws the options emblem at (x, y) with the current scale, colour and alpha.
// NOTE: the rotation is left at 0 so that text drawn next is not turned.
int c_MyApp::p_DrawEmblem(float x, float y) {
	p_SetRot(m_menuSpin * OUTER_TURN);
	p_DrawImg(IMG_BUTTONS, x, y, EMBLEM_OUTER);
	p_SetRot(m_menuSpin * MIDDLE_TURN);
	p_DrawImg(IMG_BUTTONS, x, y, EMBLEM_MIDDLE);
	p_SetRot(m_menuSpin * INNER_TURN);
	p_DrawImg(IMG_BUTTONS, x, y, EMBLEM_INNER);
	p_SetRot(0);
	return 0;
}

// 1 when a touch lies strictly inside the frame box of slot centred on (x, y)
// at the current draw scale while the pointer is held; kept in m_buttonHover.
int c_MyApp::p_TapOnImage(int slot, float x, float y) {
	m_buttonHover = 0;
	for (int i = 0; i < MYAPP_TOUCHES; ++i) {
		if (p_InFrame(slot, x, y, i) && m_mouseDown > 0) m_buttonHover = 1;
	}
	return m_buttonHover;
}
