// The game's pixel font: glyph bitmaps for characters 32-127 and helpers to
// draw text with them onto other art.
#pragma once

#include <string>

#include "canvas.h"

namespace assetgen {

// Bitmap of a character 32-127 (rows from the cap line, possibly fewer than
// kGlyphRows); other codes give an empty bitmap.
const Bitmap& glyph(int code);
// Pixel width of a text drawn with drawText (one column between letters).
float textWidth(const std::string& text);
// Draws text with its top-left corner at (x, y), one unit per glyph pixel.
void drawText(Canvas& canvas, const std::string& text, float x, float y, Color color);

}  // namespace assetgen
