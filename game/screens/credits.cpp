// credits.cpp: the credits screen, drawn as a television test card.
//
// p_CreditBox runs while the credits are open and while they fade out. A grid
// of cells flies together as the screen opens; the border cells carry colour
// ramps, the last inner row a bar. A centre image, the title logo and four
// corner dials with live figures (window size, virtual-screen size, update
// and render rates) sit on the card, and the credit lines scroll endlessly
// through the middle. A click or an action key closes it.
#include "game/my_app.h"
#include "host/app.h"

namespace {

// The screen is fully shown at this fade position; cells reach full size at 20.
const int SLIDE_OPEN = 30;
const int CELL_FULL_AT = 20;
// Twelve cells across the longer side.
const float CELLS_LONG_SIDE = 12;
// Colour ramps of the border run to 512 (clamped to 255) across the grid.
const int RAMP = 512;
const int GREY_RAMP = 255;
const int CHANNEL_MAX = 255;
const float GREY = 128;
const float BORDER_INSET = 8;
const float INNER_INSET = 2;
// The bar in the last inner row: cells start 6 early and overlap their neighbours.
const float BAR_LEAD = 6;
const float BAR_WIDE = 24;
const float BAR_END = 4;
// Scrolling: 0.3 per update, 1.5 more while up or down is held; 16 per line.
const float SCROLL_STEP = 0.3f;
const float SCROLL_FAST = 1.5f;
const float LINE_HEIGHT = 16;
const int LINES_SHOWN_FIRST = -3;
const int LINES_SHOWN_LAST = 4;
// The last credit line ("End") is never shown.
const int CREDIT_LINES_SHOWN = 49;
const float TEXT_X_OFFSET = 24;
const float TEXT_ALIGN = 0.8f;
const float FADE_SPAN = 40;
const float FADE_CLEAR = 0.3f;
// The centre image and the text rise 24 per fade step still to go.
const float RISE = 24;
// Dials: 1.5 cells in from each corner; figures 16 apart.
const float DIAL_INSET = 1.5f;
const float DIAL_RIM = 3;
const float FIGURE_STEP = 16;
const int DIAL_BUTTON_FRAME = 12;
const float DIAL_LOGO_SCALE = 0.3f;
const float TITLE_SCALE = 0.4f;

// The grid of this update.
struct Grid {
	float cell;
	int cols;
	int rows;
	float spread;
	float ox;
	float oy;
	float drawn;
};

//----------------------------------------------------------------------------
// Helpers
//----------------------------------------------------------------------------

// Cell size, counts, origin and the spread that flies the cells together.
Grid MakeGrid(const c_MyApp& a) {
	float w = kx_Zimbolo_jscrw;
	float h = kx_Zimbolo_jscrh;
	float longSide = w > h ? w : h;
	Grid g;
	g.cell = longSide / CELLS_LONG_SIDE;
	// NOTE: counted from the ratio of the sides, so that 640 / (640 / 12) is
	// exactly 12 and not a float hair below it.
	g.cols = static_cast<int>(CELLS_LONG_SIDE * w / longSide);
	g.rows = static_cast<int>(CELLS_LONG_SIDE * h / longSide);
	g.spread = SLIDE_OPEN - a.m_creditsSlide;
	g.ox = w / 2 - g.cols * g.cell / 2;
	g.oy = h / 2 - g.rows * g.cell / 2;
	g.drawn = a.m_creditsSlide < CELL_FULL_AT ? g.cell * a.m_creditsSlide / CELL_FULL_AT : g.cell;
	return g;
}

// Offset of a cell from the middle of the grid, never 0.
int CellOffset(int index, int count) {
	int d = index - count / 2;
	return d < 1 ? d - 1 : d;
}

// Clamps a ramp value to a colour channel.
int Channel(int v) {
	if (v < 0) return 0;
	return v > CHANNEL_MAX ? CHANNEL_MAX : v;
}

// Colour of a border cell from its position along the grid.
void BorderColour(c_MyApp& a, const Grid& g, int gx, int gy) {
	// NOTE: grids only two cells wide or high would divide by zero; one stands in.
	int spanX = g.cols - 2 > 0 ? g.cols - 2 : 1;
	int spanY = g.rows - 2 > 0 ? g.rows - 2 : 1;
	int u = gx - 1;
	int v = gy - 1;
	int across = Channel(RAMP * u / spanX);
	int acrossBack = Channel(RAMP - RAMP * u / spanX);
	int down = Channel(RAMP * v / spanY);
	int downBack = Channel(RAMP - RAMP * v / spanY);
	int grey = Channel(GREY_RAMP * u / spanX);
	if (gy == 0) a.p_SetCol(across, acrossBack, 0);
	if (gx == 0) a.p_SetCol(0, downBack, down);
	if (gx == g.cols) a.p_SetCol(downBack, 0, down);
	if (gy == g.rows) a.p_SetCol(grey, grey, grey);
}

// One cell: its backing square, then its coloured or grey inner square.
void DrawCell(c_MyApp& a, const Grid& g, int gx, int gy) {
	int dx = CellOffset(gx, g.cols);
	int dy = CellOffset(gy, g.rows);
	float d = g.drawn;
	float x = g.spread * dx * (dx < 0 ? -dx : dx) + gx * g.cell + g.ox - d / 2;
	float y = g.spread * dy * (dy < 0 ? -dy : dy) + gy * g.cell + g.oy - d / 2;
	bool sideColumn = gx == 0 || gx == g.cols;
	bool endRow = gy == 0 || gy == g.rows;
	if (sideColumn || endRow) {
		a.p_SetCol(0, 0, 0);
	} else {
		a.p_SetCol(255, 255, 255);
	}
	a.p_Rect(x, y, d + 1, d + 1);
	if (sideColumn && endRow) return;
	if (sideColumn || endRow) {
		BorderColour(a, g, gx, gy);
		float insetX = sideColumn ? 0 : BORDER_INSET;
		float insetY = endRow ? 0 : BORDER_INSET;
		a.p_Rect(x + insetX, y + insetY, d - 2 * insetX, d - 2 * insetY);
		return;
	}
	a.p_SetCol(GREY, GREY, GREY);
	float left = x + INNER_INSET;
	float width = d - 2 * INNER_INSET;
	if (gy == g.rows - 1 && gx == g.cols - 3) {
		left = x - BAR_LEAD;
		width = d + BAR_END;
	} else if (gy == g.rows - 1 && gx > 3 && gx < g.cols - 2) {
		left = x - BAR_LEAD;
		width = d + BAR_WIDE;
	}
	a.p_Rect(left, y + INNER_INSET, width, d - 2 * INNER_INSET);
}

// Three figures stacked on a dial.
void DialFigures(c_MyApp& a, float x, float y, int first, int second, int third) {
	a.p_Text(x, y - FIGURE_STEP, String(first), TEXT_ALIGN, TEXT_ALIGN);
	a.p_Text(x, y, String(second), TEXT_ALIGN, TEXT_ALIGN);
	a.p_Text(x, y + FIGURE_STEP, String(third), TEXT_ALIGN, TEXT_ALIGN);
}

// A white disc with a grey face.
void DialFace(c_MyApp& a, float x, float y, float diameter) {
	a.p_SetCol(255, 255, 255);
	a.p_Oval(x, y, diameter / 2, diameter / 2);
	a.p_SetCol(GREY, GREY, GREY);
	a.p_Oval(x, y, (diameter - DIAL_RIM) / 2, (diameter - DIAL_RIM) / 2);
	a.p_SetCol(255, 255, 255);
}

//----------------------------------------------------------------------------
// Steps of an update
//----------------------------------------------------------------------------

// All cells of the card, the centre image over them.
void TestCard(c_MyApp& a, const Grid& g) {
	for (int gx = 0; gx <= g.cols; ++gx) {
		for (int gy = 0; gy <= g.rows; ++gy) DrawCell(a, g, gx, gy);
	}
	a.p_SetCol(255, 255, 255);
	a.p_DrawImg(IMG_TESTCARD, kx_Zimbolo_jscrw / 2, kx_Zimbolo_jscrh / 2 - RISE * g.spread, 0);
}

// Scrolls the credit lines and draws the eight around the middle, fading out
// toward the top and the bottom.
void CreditLines(c_MyApp& a, const Grid& g) {
	a.m_creditsScroll -= SCROLL_STEP;
	if (a.p_PlayKeyAll(BTN_UP, 1) != 0 || a.p_PlayKeyAll(BTN_DOWN, 1) != 0) a.m_creditsScroll -= SCROLL_FAST;
	if (a.m_creditsScroll < -LINE_HEIGHT) {
		a.m_creditsScroll += LINE_HEIGHT;
		a.m_creditsTop += 1;
	}
	float middle = kx_Zimbolo_jscrh / 2 - RISE * g.spread;
	for (int i = LINES_SHOWN_FIRST; i <= LINES_SHOWN_LAST; ++i) {
		int line = ((i + a.m_creditsTop) % CREDIT_LINES_SHOWN + CREDIT_LINES_SHOWN) % CREDIT_LINES_SHOWN;
		float offset = LINE_HEIGHT * i + a.m_creditsScroll;
		float fade = (offset < 0 ? -offset : offset) / FADE_SPAN - FADE_CLEAR;
		a.p_Alpha(fade < 0 ? 1 : fade > 1 ? 0 : 1 - fade);
		a.p_Text(kx_Zimbolo_jscrw / 2 + TEXT_X_OFFSET, middle + offset, kx_Zimbolo_CreditText[line], TEXT_ALIGN,
		         TEXT_ALIGN);
	}
}

// The four dials, pushed out from their corners while the card opens.
// NOTE: the figures are drawn at scale 1 and the virtual sizes as whole pixels.
void Dials(c_MyApp& a, const Grid& g, float alpha) {
	float left = g.ox + DIAL_INSET * g.cell - 6 * g.spread;
	float right = g.ox + (g.cols - DIAL_INSET) * g.cell + 6 * g.spread;
	float top = g.oy + DIAL_INSET * g.cell - 3 * g.spread;
	float bottom = g.oy + (g.rows - DIAL_INSET) * g.cell + 3 * g.spread;
	a.p_SetSize(1);
	a.p_Alpha(alpha);
	DialFace(a, left, top, g.drawn);
	DialFigures(a, left, top, kx_app__devWidth, kx_app__devHeight, a.m_updateFpsAvg);
	DialFace(a, right, top, g.drawn);
	DialFigures(a, right, top, static_cast<int>(kx_Zimbolo_jscrw), static_cast<int>(kx_Zimbolo_jscrh),
	            a.m_renderFpsAvg);
	DialFace(a, left, bottom, g.drawn);
	a.p_DrawImg(IMG_BUTTONS, left, bottom, DIAL_BUTTON_FRAME);
	DialFace(a, right, bottom, g.drawn);
	a.p_SetSize(DIAL_LOGO_SCALE);
	a.p_DrawImg(IMG_LOGO, right, bottom, 0);
}

// A click or an action key closes the credits.
// NOTE: only while they are open, so a click during the fade-out does not
// sound the closing blip a second time.
void Closing(c_MyApp& a) {
	if (a.m_creditsOpen != 1) return;
	if (a.m_mouseDown > 0 && a.m_waitRelease == 0) {
		a.m_waitRelease = 1;
		a.m_creditsOpen = 0;
		a.p_PlaySFX(SFX_BOX, 1.0f);
	}
	bool action = a.p_PlayKeyAll(BTN_R1, 1) != 0 || a.p_PlayKeyAll(BTN_A, 1) != 0 || a.p_PlayKeyAll(BTN_B, 1) != 0;
	if (a.m_keyLock == 0 && action) {
		a.m_keyLock = 1;
		a.m_creditsOpen = 0;
		a.p_PlaySFX(SFX_BOX, 1.0f);
	}
}

}  // namespace

//----------------------------------------------------------------------------
// The credits
//----------------------------------------------------------------------------

// One update of the credits screen.
int c_MyApp::p_CreditBox() {
	Grid grid = MakeGrid(*this);
	float alpha = static_cast<float>(m_creditsSlide) / SLIDE_OPEN;
	p_ResetDraw();
	p_Alpha(alpha);
	TestCard(*this, grid);
	CreditLines(*this, grid);
	p_SetCol(255, 255, 255, alpha);
	p_SetSize(TITLE_SCALE);
	p_DrawImg(IMG_TITLE, kx_Zimbolo_jscrw / 2, 4 * grid.spread + (grid.rows - 1) * grid.cell + grid.oy, 0);
	Dials(*this, grid, alpha);
	Closing(*this);
	return 0;
}
