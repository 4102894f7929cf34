// Glyph bitmaps of the game's pixel font, the 128-frame game font sheet with
// its pad-button and key-cap symbols, and the runtime's default font strip.
#include "font.h"

#include <array>
#include <cmath>

#include "art.h"
#include "palette.h"

namespace assetgen {

namespace {

constexpr int kFirstCode = 32;
constexpr int kAsciiGlyphs = 96;

// Glyphs for codes 32..127; rows from the cap line down, '#' set. Widths
// follow the text spacing: most letters 5 wide, i/l/f narrow, m/w wide.
const std::array<const char*, kAsciiGlyphs> kGlyphs = {
    "...",                                                      // space
    "#|#|#|#|#|.|#",                                            // !
    "#.#|#.#",                                                  // "
    ".#.#.|.#.#.|#####|.#.#.|#####|.#.#.|.#.#.",                // #
    "..#..|.####|#.#..|.###.|..#.#|####.|..#..",                // $
    "##...|##..#|...#.|..#..|.#...|#..##|...##",                // %
    ".##..|#..#.|.##..|.#...|#.#.#|#..#.|.##.#",                // &
    "#|#",                                                      // '
    "..#|.#.|#..|#..|#..|.#.|..#",                              // (
    "#..|.#.|..#|..#|..#|.#.|#..",                              // )
    ".....|..#..|#.#.#|.###.|#.#.#|..#..",                      // *
    ".....|..#..|..#..|#####|..#..|..#..",                      // +
    "..|..|..|..|..|.#|.#|#.",                                  // ,
    "....|....|....|####",                                      // -
    ".|.|.|.|.|.|#",                                            // .
    "....#|....#|...#.|..#..|.#...|#....|#....",                // /
    ".###.|#...#|#..##|#.#.#|##..#|#...#|.###.",                // 0
    "..#..|.##..|..#..|..#..|..#..|..#..|.###.",                // 1
    ".###.|#...#|....#|...#.|..#..|.#...|#####",                // 2
    "#####|...#.|..#..|...#.|....#|#...#|.###.",                // 3
    "...#.|..##.|.#.#.|#..#.|#####|...#.|...#.",                // 4
    "#####|#....|####.|....#|....#|#...#|.###.",                // 5
    "..##.|.#...|#....|####.|#...#|#...#|.###.",                // 6
    "#####|....#|...#.|..#..|.#...|.#...|.#...",                // 7
    ".###.|#...#|#...#|.###.|#...#|#...#|.###.",                // 8
    ".###.|#...#|#...#|.####|....#|...#.|.##..",                // 9
    ".|.|#|.|.|#|.",                                            // :
    "..|..|.#|..|..|.#|.#|#.",                                  // ;
    "...#|..#.|.#..|#...|.#..|..#.|...#",                       // <
    "....|....|####|....|####",                                 // =
    "#...|.#..|..#.|...#|..#.|.#..|#...",                       // >
    ".###.|#...#|....#|...#.|..#..|.....|..#..",                // ?
    ".###.|#...#|#.###|#.#.#|#.###|#....|.####",                // @
    ".###.|#...#|#...#|#####|#...#|#...#|#...#",                // A
    "####.|#...#|#...#|####.|#...#|#...#|####.",                // B
    ".###.|#...#|#....|#....|#....|#...#|.###.",                // C
    "####.|#...#|#...#|#...#|#...#|#...#|####.",                // D
    "#####|#....|#....|####.|#....|#....|#####",                // E
    "#####|#....|#....|####.|#....|#....|#....",                // F
    ".###.|#...#|#....|#.###|#...#|#...#|.####",                // G
    "#...#|#...#|#...#|#####|#...#|#...#|#...#",                // H
    "###|.#.|.#.|.#.|.#.|.#.|###",                              // I
    "..###|...#.|...#.|...#.|#..#.|#..#.|.##..",                // J
    "#...#|#..#.|#.#..|##...|#.#..|#..#.|#...#",                // K
    "#....|#....|#....|#....|#....|#....|#####",                // L
    "#....#|##..##|#.##.#|#.##.#|#....#|#....#|#....#",         // M
    "#...#|##..#|#.#.#|#.#.#|#..##|#...#|#...#",                // N
    ".###.|#...#|#...#|#...#|#...#|#...#|.###.",                // O
    "####.|#...#|#...#|####.|#....|#....|#....",                // P
    ".###.|#...#|#...#|#...#|#.#.#|#..#.|.##.#",                // Q
    "####.|#...#|#...#|####.|#.#..|#..#.|#...#",                // R
    ".####|#....|#....|.###.|....#|....#|####.",                // S
    "#####|..#..|..#..|..#..|..#..|..#..|..#..",                // T
    "#...#|#...#|#...#|#...#|#...#|#...#|.###.",                // U
    "#...#|#...#|#...#|#...#|#...#|.#.#.|..#..",                // V
    "#....#|#....#|#....#|#.##.#|#.##.#|##..##|#....#",         // W
    "#...#|#...#|.#.#.|..#..|.#.#.|#...#|#...#",                // X
    "#...#|#...#|.#.#.|..#..|..#..|..#..|..#..",                // Y
    "#####|....#|...#.|..#..|.#...|#....|#####",                // Z
    "###|#..|#..|#..|#..|#..|###",                              // [
    "#....|#....|.#...|..#..|...#.|....#|....#",                // backslash
    "###|..#|..#|..#|..#|..#|###",                              // ]
    "..#..|.#.#.|#...#",                                        // ^
    ".....|.....|.....|.....|.....|.....|.....|#####",          // _
    "#.|.#",                                                    // `
    ".....|.....|.###.|....#|.####|#...#|.####",                // a
    "#....|#....|####.|#...#|#...#|#...#|####.",                // b
    ".....|.....|.###.|#....|#....|#....|.###.",                // c
    "....#|....#|.####|#...#|#...#|#...#|.####",                // d
    ".....|.....|.###.|#...#|#####|#....|.###.",                // e
    ".##|#..|###|#..|#..|#..|#..",                              // f
    ".....|.....|.####|#...#|#...#|#...#|.####|....#|.###.",    // g
    "#....|#....|####.|#...#|#...#|#...#|#...#",                // h
    "#|.|#|#|#|#|#",                                            // i
    "...#|....|..##|...#|...#|...#|...#|#..#|.##.",             // j
    "#...|#...|#..#|#.#.|##..|#.#.|#..#",                       // k
    "#.|#.|#.|#.|#.|#.|.#",                                     // l
    ".......|.......|###.##.|#..#..#|#..#..#|#..#..#|#..#..#",  // m
    "....|....|###.|#..#|#..#|#..#|#..#",                       // n
    ".....|.....|.###.|#...#|#...#|#...#|.###.",                // o
    ".....|.....|####.|#...#|#...#|#...#|####.|#....|#....",    // p
    ".....|.....|.####|#...#|#...#|#...#|.####|....#|....#",    // q
    "....|....|#.##|##..|#...|#...|#...",                       // r
    "....|....|.###|#...|.##.|...#|###.",                       // s
    ".#..|.#..|####|.#..|.#..|.#..|..##",                       // t
    ".....|.....|#...#|#...#|#...#|#...#|.####",                // u
    ".....|.....|#...#|#...#|#...#|.#.#.|..#..",                // v
    ".......|.......|#..#..#|#..#..#|#..#..#|#..#..#|.##.##.",  // w
    ".....|.....|#...#|.#.#.|..#..|.#.#.|#...#",                // x
    ".....|.....|#...#|#...#|#...#|#...#|.####|....#|.###.",    // y
    "....|....|####|...#|..#.|.#..|####",                       // z
    "..##|.#..|.#..|#...|.#..|.#..|..##",                       // {
    "#|#|#|#|#|#|#|#",                                          // |
    "##..|..#.|..#.|...#|..#.|..#.|##..",                       // }
    ".....|.....|.#...|#.#.#|...#.",                            // ~
    "#.#.#|.#.#.|#.#.#|.#.#.|#.#.#|.#.#.|#.#.#",                // 127: shade block
};

// Three-by-five letters for labels on key caps and shoulder buttons.
Bitmap miniLetter(char c) {
  switch (c) {
    case 'B': return parseBitmap("##.|#.#|##.|#.#|##.");
    case 'C': return parseBitmap("###|#..|#..|#..|###");
    case 'L': return parseBitmap("#..|#..|#..|#..|###");
    case 'R': return parseBitmap("##.|#.#|##.|#.#|#.#");
    default: return parseBitmap("###|.#.|.#.|.#.|.#.");  // T
  }
}

// Draws a word in the three-by-five letters, centred on x, top at y.
void drawMini(Canvas& c, const std::string& word, float cx, float y, Color col) {
  float w = static_cast<float>(word.size()) * 4.0f - 1.0f;
  float x = std::floor(cx - w * 0.5f + 0.5f);
  for (char ch : word) {
    c.bitmap(miniLetter(ch), x, y, col);
    x += 4.0f;
  }
}

// Game font frame size and layout.
constexpr int kFontFrame = 16;
constexpr int kFontFrames = 128;
constexpr int kFontColumns = 16;
// Top row of the capitals inside a font frame.
constexpr float kGlyphTop = 4.0f;
// The first pad-symbol frame and the offset to the matching key caps.
constexpr int kFirstPadSymbol = 96;
constexpr int kKeySymbolOffset = 16;
// Default font strip: 96 frames, each a glyph area with a clear column on both sides.
constexpr int kVexoFrameWidth = 12;
constexpr int kVexoFrameHeight = 16;

// Symbols in frame order after 96 (pads) and after 112 (keys): the escape
// letters J K L I U O Q E F W S A D, then three extra symbols.
enum class Symbol {
  kFirst,     // J: first action (pad A / key Z)
  kSecond,    // K: second action (pad B / key X)
  kThird,     // L: third action (pad X / key C)
  kFourth,    // I: fourth action (pad Y / key V)
  kLeftShoulder,   // U: LB / key B
  kRightShoulder,  // O: RB / key N
  kBack,      // Q: back (pad Back / key Esc)
  kStart,     // E: start or confirm (pad Start / key Enter)
  kMove,      // F: steering (pad stick / arrow cluster)
  kUp,        // W
  kDown,      // S
  kLeft,      // A
  kRight,     // D
  kAllDirections,  // d-pad / spacebar
  kExtraA,    // right stick / shift
  kExtraB,    // home button / ctrl
};

constexpr Vec kSymbolCentre{8.0f, 8.0f};

// Draws a white glyph of the 5x7 font with its top-left corner at (x, y).
void glyphAt(Canvas& c, char ch, float x, float y, Color col) { c.bitmap(glyph(ch), x, y, col); }

// Arrow triangle pointing in a direction (0 up, 1 right, 2 down, 3 left).
Shape arrow(Vec ctr, float size, int dir) {
  return rotate(polygon({{ctr.x, ctr.y - size}, {ctr.x + size, ctr.y + size * 0.6f}, {ctr.x - size, ctr.y + size * 0.6f}}), ctr,
                90.0f * static_cast<float>(dir));
}

// Round face button in a colour with a dark letter.
void padButton(Canvas& c, Color col, char letter) {
  c.fill(circle(kSymbolCentre, 5.6f), radial(Vec{6.5f, 6.0f}, 8.0f, shade(col, 1.3f), shade(col, 0.7f)));
  glyphAt(c, letter, 5.5f, 5.0f, outlineDark());
}

// Shoulder bumper with a two-letter label.
void shoulder(Canvas& c, const std::string& label) {
  Shape s = unite(box(Vec{8.0f, 10.0f}, Vec{5.3f, 3.0f}, 1.5f), ellipse(Vec{8.0f, 7.5f}, 5.3f, 3.5f));
  c.fill(s, linear(Vec{8, 4}, hex(0xb8bed2), Vec{8, 14}, hex(0x5a6078)));
  drawMini(c, label, 8.0f, 7.0f, outlineDark());
}

// Four-armed direction pad; `lit` arm is white (-1: none, 4: all).
void dpadSymbol(Canvas& c, int lit) {
  Color dark = hex(0x3a3f52), light = hex(0xffffff);
  for (int dir = 0; dir < 4; ++dir) {
    float dx = dir == 1 ? 1.0f : dir == 3 ? -1.0f : 0.0f;
    float dy = dir == 0 ? -1.0f : dir == 2 ? 1.0f : 0.0f;
    Vec ctr{kSymbolCentre.x + dx * 3.4f, kSymbolCentre.y + dy * 3.4f};
    bool on = lit == dir || lit == 4;
    c.fill(box(ctr, Vec{dx != 0.0f ? 2.0f : 1.8f, dy != 0.0f ? 2.0f : 1.8f}, 0.6f), on ? light : dark);
    if (on) c.fill(arrow(Vec{kSymbolCentre.x + dx * 3.6f, kSymbolCentre.y + dy * 3.6f}, 1.2f, dir), outlineDark());
  }
  c.fill(box(kSymbolCentre, Vec{1.8f, 1.8f}), dark);
}

// Small pill-shaped menu button.
void pill(Canvas& c) {
  c.fill(box(kSymbolCentre, Vec{5.3f, 3.6f}, 3.6f), linear(Vec{8, 5}, hex(0xc8cede), Vec{8, 12}, hex(0x6a7088)));
}

// Analogue stick seen from above with an optional letter.
void stick(Canvas& c, char letter) {
  c.fill(circle(kSymbolCentre, 5.6f), hex(0x50566c));
  c.fill(circle(kSymbolCentre, 4.0f), radial(Vec{7.0f, 7.0f}, 6.0f, hex(0xe0e4f0), hex(0x7a8098)));
  if (letter) {
    glyphAt(c, letter, 5.5f, 5.0f, outlineDark());
  } else {
    c.fill(ring(kSymbolCentre, 2.2f, 0.9f), hex(0x50566c));
  }
}

// Light key cap of a half-width with a darker base edge.
void keyCap(Canvas& c, float halfWidth) {
  c.fill(box(Vec{8.0f, 8.0f}, Vec{halfWidth, 5.2f}, 1.8f), hex(0x8a90a6));
  c.fill(box(Vec{8.0f, 7.8f}, Vec{halfWidth - 0.7f, 4.4f}, 1.4f), linear(Vec{8, 3}, hex(0xffffff), Vec{8, 13}, hex(0xc8cede)));
}

// Key cap with one letter of the main font.
void letterKey(Canvas& c, char letter) {
  keyCap(c, 5.2f);
  glyphAt(c, letter, 5.5f, 4.5f, outlineDark());
}

// Key cap with an arrow.
void arrowKey(Canvas& c, int dir) {
  keyCap(c, 5.2f);
  c.fill(arrow(Vec{8.0f, 7.8f}, 2.8f, dir), outlineDark());
}

// Draws the pad-button version of a symbol.
void drawPadSymbol(Canvas& c, Symbol s) {
  switch (s) {
    case Symbol::kFirst: padButton(c, hex(0x3bd45a), 'A'); break;
    case Symbol::kSecond: padButton(c, hex(0xff4a4a), 'B'); break;
    case Symbol::kThird: padButton(c, hex(0x4a8cff), 'X'); break;
    case Symbol::kFourth: padButton(c, hex(0xffd23b), 'Y'); break;
    case Symbol::kLeftShoulder: shoulder(c, "LB"); break;
    case Symbol::kRightShoulder: shoulder(c, "RB"); break;
    case Symbol::kBack:
      pill(c);
      c.fill(arrow(Vec{8.0f, 8.0f}, 2.6f, 3), outlineDark());
      break;
    case Symbol::kStart:
      pill(c);
      c.fill(arrow(Vec{8.5f, 8.0f}, 2.6f, 1), outlineDark());
      break;
    case Symbol::kMove: stick(c, 0); break;
    case Symbol::kUp: dpadSymbol(c, 0); break;
    case Symbol::kDown: dpadSymbol(c, 2); break;
    case Symbol::kLeft: dpadSymbol(c, 3); break;
    case Symbol::kRight: dpadSymbol(c, 1); break;
    case Symbol::kAllDirections: dpadSymbol(c, 4); break;
    case Symbol::kExtraA: stick(c, 'R'); break;
    case Symbol::kExtraB:
      c.fill(circle(kSymbolCentre, 5.6f), radial(Vec{6.5f, 6.0f}, 8.0f, hex(0xe8ecf8), hex(0x7a8098)));
      c.fill(star(kSymbolCentre, 5, 4.0f, 1.8f, 0.0f), outlineDark());
      break;
  }
}

// Draws the keyboard version of a symbol.
void drawKeySymbol(Canvas& c, Symbol s) {
  switch (s) {
    case Symbol::kFirst: letterKey(c, 'Z'); break;
    case Symbol::kSecond: letterKey(c, 'X'); break;
    case Symbol::kThird: letterKey(c, 'C'); break;
    case Symbol::kFourth: letterKey(c, 'V'); break;
    case Symbol::kLeftShoulder: letterKey(c, 'B'); break;
    case Symbol::kRightShoulder: letterKey(c, 'N'); break;
    case Symbol::kBack:
      keyCap(c, 5.5f);
      c.fill(subtract(ring(Vec{8.6f, 8.4f}, 2.8f, 1.1f), box(Vec{6.0f, 5.8f}, Vec{1.8f, 1.8f})), outlineDark());
      c.fill(capsule(Vec{7.4f, 7.2f}, Vec{5.0f, 4.8f}, 0.55f), outlineDark());
      c.fill(polygon({{4.2f, 4.0f}, {7.0f, 4.2f}, {4.4f, 6.8f}}), outlineDark());
      break;
    case Symbol::kStart:
      keyCap(c, 5.5f);
      c.fill(capsule(Vec{10.7f, 4.8f}, Vec{10.7f, 9.2f}, 0.6f), outlineDark());
      c.fill(capsule(Vec{10.7f, 9.2f}, Vec{6.5f, 9.2f}, 0.6f), outlineDark());
      c.fill(arrow(Vec{5.5f, 9.2f}, 1.9f, 3), outlineDark());
      break;
    case Symbol::kMove:
      keyCap(c, 5.5f);
      c.fill(arrow(Vec{8.0f, 5.0f}, 1.5f, 0), outlineDark());
      c.fill(arrow(Vec{8.0f, 10.6f}, 1.5f, 2), outlineDark());
      c.fill(arrow(Vec{5.1f, 7.8f}, 1.5f, 3), outlineDark());
      c.fill(arrow(Vec{10.9f, 7.8f}, 1.5f, 1), outlineDark());
      break;
    case Symbol::kUp: arrowKey(c, 0); break;
    case Symbol::kDown: arrowKey(c, 2); break;
    case Symbol::kLeft: arrowKey(c, 3); break;
    case Symbol::kRight: arrowKey(c, 1); break;
    case Symbol::kAllDirections:
      keyCap(c, 5.5f);
      c.fill(unite(box(Vec{8.0f, 9.6f}, Vec{3.4f, 0.6f}), unite(box(Vec{4.8f, 8.6f}, Vec{0.6f, 1.6f}),
                                                             box(Vec{11.2f, 8.6f}, Vec{0.6f, 1.6f}))),
             outlineDark());
      break;
    case Symbol::kExtraA:
      keyCap(c, 5.5f);
      c.fill(subtract(unite(arrow(Vec{8.0f, 6.8f}, 3.4f, 0), box(Vec{8.0f, 9.8f}, Vec{1.6f, 1.8f})),
                      unite(arrow(Vec{8.0f, 7.0f}, 2.0f, 0), box(Vec{8.0f, 9.8f}, Vec{0.7f, 1.2f}))),
             outlineDark());
      break;
    case Symbol::kExtraB:
      keyCap(c, 5.5f);
      drawMini(c, "CT", 8.0f, 5.0f, outlineDark());
      break;
  }
}

// Draws frame `index` of the game font.
void drawFontFrame(Canvas& c, int index) {
  if (index < kAsciiGlyphs) {
    const Bitmap& g = glyph(index + kFirstCode);
    float x = std::floor((static_cast<float>(kFontFrame) - static_cast<float>(g.width)) * 0.5f);
    c.bitmap(g, x, kGlyphTop, hex(0xffffff));
  } else if (index < kFirstPadSymbol + kKeySymbolOffset) {
    drawPadSymbol(c, static_cast<Symbol>(index - kFirstPadSymbol));
  } else {
    drawKeySymbol(c, static_cast<Symbol>(index - kFirstPadSymbol - kKeySymbolOffset));
  }
  c.outline(outlineDark(), 1.0f);
}

// Builds the default font strip: glyphs 32..127 with clear side columns.
Image defaultFontStrip() {
  Image strip = blankImage(kVexoFrameWidth * kAsciiGlyphs, kVexoFrameHeight);
  for (int i = 0; i < kAsciiGlyphs; ++i) {
    Canvas c(kVexoFrameWidth, kVexoFrameHeight, 1.0f);
    const Bitmap& g = glyph(i + kFirstCode);
    float x = std::floor((static_cast<float>(kVexoFrameWidth) - static_cast<float>(g.width)) * 0.5f);
    c.bitmap(g, x, kGlyphTop, hex(0xffffff));
    c.outline(outlineDark(), 1.0f);
    blit(c, strip, i * kVexoFrameWidth, 0);
    for (int y = 0; y < kVexoFrameHeight; ++y)
      for (int side : {0, kVexoFrameWidth - 1}) {
        uint8_t* p = &strip.rgba[(static_cast<size_t>(y) * strip.width + i * kVexoFrameWidth + side) * 4];
        p[0] = p[1] = p[2] = p[3] = 0;
      }
  }
  return strip;
}

}  // namespace

// Bitmap of a character 32-127 (rows from the cap line, possibly fewer than
const Bitmap& glyph(int code) {
  static const std::array<Bitmap, kAsciiGlyphs> kParsed = [] {
    std::array<Bitmap, kAsciiGlyphs> parsed;
    for (int i = 0; i < kAsciiGlyphs; ++i) parsed[i] = parseBitmap(kGlyphs[i]);
    return parsed;
  }();
  static const Bitmap kEmpty;
  if (code < kFirstCode || code >= kFirstCode + kAsciiGlyphs) return kEmpty;
  return kParsed[code - kFirstCode];
}

// Pixel width of a text drawn with drawText (one column between letters).
float textWidth(const std::string& text) {
  float w = 0.0f;
  for (char ch : text) w += static_cast<float>(glyph(static_cast<unsigned char>(ch)).width) + 1.0f;
  return text.empty() ? 0.0f : w - 1.0f;
}

// Draws text with its top-left corner at (x, y), one unit per glyph pixel.
void drawText(Canvas& canvas, const std::string& text, float x, float y, Color color) {
  for (char ch : text) {
    const Bitmap& g = glyph(static_cast<unsigned char>(ch));
    canvas.bitmap(g, x, y, color);
    x += static_cast<float>(g.width) + 1.0f;
  }
}

// The game font "fonts/editundo" and the runtime's default font "vexo_font.png".
void writeFonts(AssetWriter& out) {
  out.sheet(SheetLayout{"fonts/editundo", kFontFrame, kFontFrame, kFontFrames, kFontColumns}, drawFontFrame);
  out.image("vexo_font.png", defaultFontStrip());
}

}  // namespace assetgen
