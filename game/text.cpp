// text.cpp: the game's bitmap text and its number formatter.
//
// Text is recorded glyph by glyph as image commands of the font slot, one
// space in front, with a per-letter spacing table, "¬" escapes for pad and key
// symbols, the two characters backslash and n as a line break, and the whole
// line turned by the draw rotation.
#include <cmath>

#include "game/angles.h"
#include "game/my_app.h"

namespace {

// The escape character that selects a button or key symbol.
const Char TEXT_ESCAPE = 172;
// Glyph frame f shows character code f + 32; frames 1..127 are drawable.
const int FONT_FIRST_CHAR = 32;
const int FONT_LAST_FRAME = 127;
// Keyboard key symbols sit this many frames after the pad symbols.
const int KEY_SYMBOL_OFFSET = 16;
// Extra advance of an escape in the width measure and of an unlisted symbol.
const int ESCAPE_WIDTH_ADJUST = 2;
const int SYMBOL_ADJUST = 4;

// A symbol of the escape table: the letter after "¬", its frame and advance.
struct Symbol {
	char letter;
	int frame;
	int adjust;
};
const Symbol SYMBOLS[] = {
	{'J', 96, 4},  {'K', 97, 4},  {'L', 98, 4},  {'I', 99, 4},  {'U', 100, 6}, {'O', 101, 6}, {'Q', 102, 4},
	{'E', 103, 4}, {'F', 104, 4}, {'W', 105, 4}, {'S', 106, 4}, {'A', 107, 4}, {'D', 108, 4},
};

// The spacing adjustment of a character; listed tells whether the table has a row.
int Spacing(int c, bool* listed = nullptr) {
	int a = 0;
	switch (c) {
	case 'w': case 'm': a = 2; break;
	case 'W': case 'M': a = 1; break;
	case 'i': case 'f': case 'l': a = -3; break;
	case 'j': case 's': case 'k': case 'r': case 'z': case 't': case 'n': a = -1; break;
	default:
		if (listed) *listed = false;
		return 0;
	}
	if (listed) *listed = true;
	return a;
}

// The measured width: all characters but the last, an escape pair as one.
float MeasureWidth(const String& t, int advance, float scale) {
	float width = 0;
	for (int k = 0; k < t.Length() - 1; ++k) {
		int a = Spacing(t[k]);
		if (t[k] == TEXT_ESCAPE) {
			a = ESCAPE_WIDTH_ADJUST;
			++k;
		}
		width = std::trunc(width + (advance + a) * scale);
	}
	return width;
}

// Frame and advance adjustment of the symbol after an escape.
void EscapeSymbol(int c2, int controlMode, int* frame, int* adjust) {
	*frame = c2;
	*adjust = SYMBOL_ADJUST;
	bool known = false;
	for (const Symbol& symbol : SYMBOLS) {
		if (symbol.letter == c2) {
			*frame = symbol.frame;
			*adjust = symbol.adjust;
			known = true;
		}
	}
	if (controlMode == 0) *frame += KEY_SYMBOL_OFFSET;
	if (!known) {
		bool listed = false;
		int a = Spacing(*frame + FONT_FIRST_CHAR, &listed);
		if (listed) *adjust = a;
	}
}

}  // namespace

// Records text at (x, y) aligned by alignX, alignY (0 start, 1 centre, 2 end).
int c_MyApp::p_Text(float x, float y, String text, float alignX, float alignY) {
	int font = m_fontImage;
	int advance = m_imgInfo[3 * font];
	int lineHeight = m_imgInfo[3 * font + 1];
	float sx = m_drawScaleX;
	float sy = m_drawScaleY;
	float r = -m_drawRot;
	String t = String(" ") + text;
	float width = MeasureWidth(t, advance, sx);
	float x0 = x + SinDeg(r - 90) * width * alignX / 2 + SinDeg(r) * lineHeight * sy * (alignY - 1) / 2;
	float y0 = y - CosDeg(r - 90) * width * alignX / 2 - CosDeg(r) * lineHeight * sy * (alignY - 1) / 2;
	float px = x0;
	float py = y0;
	int line = 0;
	int n = t.Length();
	for (int k = 0; k < n; ++k) {
		int c = t[k];
		int g = c - FONT_FIRST_CHAR;
		int a = Spacing(c);
		if (c == TEXT_ESCAPE) {
			int c2 = k + 1 < n ? t[++k] : 0;
			EscapeSymbol(c2, m_controlMode, &g, &a);
		} else if (c == '\\' && k + 1 < n && t[k + 1] == 'n') {
			++k;
			++line;
			px = x0 + SinDeg(r + 180) * line * lineHeight * sy;
			py = y0 - CosDeg(r + 180) * line * lineHeight * sy;
			continue;
		} else if (c == 0) {
			continue;
		}
		if (g >= 1 && g <= FONT_LAST_FRAME) p_DrawImg(font, px, py, static_cast<float>(g));
		float d = (advance + a) * sx;
		px += SinDeg(r + 90) * d;
		py -= CosDeg(r + 90) * d;
	}
	return 0;
}

// value in decimal, left-padded with pad and cut to its last width characters.
String c_MyApp::p_rstr(int value, int width, String pad) {
	String s;
	for (m_i = 1; m_i <= width; ++m_i) s += pad;
	s += String(value);
	return s.Slice(s.Length() - width);
}
