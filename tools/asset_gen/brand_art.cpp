// Brand art: the studio mark "OVRI" and the television test-card circle.
#include <cmath>
#include <string>

#include "art.h"
#include "font.h"
#include "palette.h"

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kDegToRad = kPi / 180.0f;
constexpr int kBrandSide = 256;
constexpr Vec kMiddle{128.0f, 128.0f};
// Where on its orbit the studio mark's ball sits (radians along the ellipse).
constexpr float kOrbitPhase = 2.35f;

// The studio mark is designed on the whole frame and drawn at this scale
// about its middle: the clear margin lets the small credits button sit in
// the menu's top corner without reaching the edge or the score heading.
constexpr float kMarkScale = 0.5f;

// A point of the mark's design, in frame units.
Vec mark(float x, float y) {
  return Vec{kMiddle.x + (x - kMiddle.x) * kMarkScale, kMiddle.y + (y - kMiddle.y) * kMarkScale};
}

// A length of the mark's design, in frame units.
float markLength(float length) {
  return length * kMarkScale;
}

// Studio mark: a dark disc with a bright orbit ring, an orbiting ball and
// the chunky pixel letters OVRI.
void drawStudioLogo(Canvas& c, int) {
  c.fill(circle(kMiddle, markLength(122.0f)), linear(mark(0, 8), hex(0x3bf0ff), mark(0, 248), hex(0xff4bb0)));
  c.fill(circle(kMiddle, markLength(112.0f)), radial(mark(110, 90), markLength(150.0f), hex(0x2e2a5a), hex(0x0c0a1c)));
  Shape orbit = rotate(subtract(ellipse(kMiddle, markLength(104.0f), markLength(40.0f)),
                                ellipse(kMiddle, markLength(96.0f), markLength(33.0f))),
                       kMiddle, -18.0f);
  c.fill(orbit, linear(mark(20, 0), hex(0xffe53b), mark(236, 0), hex(0xff9a1f)));
  float a = -18.0f * kDegToRad;
  Vec orb = mark(kMiddle.x + std::cos(a) * 100.0f * std::cos(kOrbitPhase) - std::sin(a) * 36.5f * std::sin(kOrbitPhase),
                 kMiddle.y + std::sin(a) * 100.0f * std::cos(kOrbitPhase) + std::cos(a) * 36.5f * std::sin(kOrbitPhase));
  c.fill(circle(orb, markLength(13.0f)),
         radial(Vec{orb.x - markLength(4.0f), orb.y - markLength(5.0f)}, markLength(18.0f), hex(0xffffff), hex(0x7a8ac8)));
  const float cell = markLength(8.0f);
  const std::string word = "OVRI";
  float x = std::floor(kMiddle.x - textWidth(word) * cell * 0.5f);
  float y = kMiddle.y - 3.5f * cell;
  for (char ch : word) {
    const Bitmap& g = glyph(ch);
    c.bitmap(g, x + markLength(3.0f), y + markLength(4.0f), hex(0x000000, 0.6f), cell);
    c.bitmap(g, x, y, hex(0xffffff), cell);
    x += (static_cast<float>(g.width) + 1.0f) * cell;
  }
  const float small = markLength(2.0f);
  const std::string studio = "GAMES";
  float sx = std::floor(kMiddle.x - textWidth(studio) * small * 0.5f);
  for (char ch : studio) {
    c.bitmap(glyph(ch), sx, mark(0, 176).y, hex(0x3bf0ff), small);
    sx += (static_cast<float>(glyph(ch).width) + 1.0f) * small;
  }
  c.outline(outlineDark(), 2.0f);
}

// Test card: castellated rim, grey steps, colour bars, gratings and a centre cross.
void drawTestCard(Canvas& c, int) {
  constexpr float kRadius = 124.0f;
  Shape disc = circle(kMiddle, kRadius);
  c.fill(disc, hex(0x1a1a1a));
  constexpr int kTeeth = 48;
  for (int i = 0; i < kTeeth; i += 2) {
    float deg = 360.0f * static_cast<float>(i) / kTeeth;
    c.fill(intersect(rotate(box(Vec{128, 8}, Vec{7.5f, 6.0f}), kMiddle, deg), disc), hex(0xf0f0f0));
  }
  Shape inner = circle(kMiddle, 110.0f);
  c.fill(inner, hex(0x808080));
  constexpr int kSteps = 6;
  for (int i = 0; i < kSteps; ++i) {
    float v = static_cast<float>(i) / (kSteps - 1);
    c.fill(intersect(box(Vec{40.0f + 176.0f / kSteps * (i + 0.5f), 52}, Vec{176.0f / kSteps * 0.5f, 16}), inner), Color{v, v, v, 1});
  }
  const uint32_t bars[] = {0xf0f0f0, 0xf0f000, 0x00f0f0, 0x00f000, 0xf000f0, 0xf00000, 0x0000f0, 0x101010};
  constexpr int kBars = 8;
  for (int i = 0; i < kBars; ++i)
    c.fill(intersect(box(Vec{18.0f + 220.0f / kBars * (i + 0.5f), 100}, Vec{220.0f / kBars * 0.5f + 0.05f, 30}), inner), hex(bars[i]));
  const float pitches[] = {4.0f, 3.0f, 2.0f, 1.5f};
  for (int band = 0; band < 4; ++band) {
    float x0 = 34.0f + band * 48.0f;
    for (float x = x0; x < x0 + 44.0f; x += pitches[band] * 2.0f)
      c.fill(intersect(box(Vec{x + pitches[band] * 0.5f, 154}, Vec{pitches[band] * 0.5f, 18}), inner), hex(0xf0f0f0));
  }
  c.fill(intersect(box(Vec{128, 196}, Vec{110, 20}), inner), hex(0x202a60));
  const std::string name = "ZIMBOLO";
  constexpr float kCell = 2.0f;
  float x = std::floor(128.0f - textWidth(name) * kCell * 0.5f);
  for (char ch : name) {
    c.bitmap(glyph(ch), x, 189.0f, hex(0xffffff), kCell);
    x += (static_cast<float>(glyph(ch).width) + 1.0f) * kCell;
  }
  c.fill(intersect(box(kMiddle, Vec{110, 0.75f}), inner), hex(0xffffff));
  c.fill(intersect(box(kMiddle, Vec{0.75f, 110}), inner), hex(0xffffff));
  c.fill(ring(kMiddle, 36.0f, 1.5f), hex(0xffffff));
  c.fill(ring(kMiddle, 110.0f, 2.0f), hex(0xffffff));
}

}  // namespace

// The studio logo and the test-card circle.
void writeBrandArt(AssetWriter& out) {
  out.sheet(SheetLayout{"common/OvriLogo", kBrandSide, kBrandSide, 1, 1}, drawStudioLogo);
  out.sheet(SheetLayout{"common/Testcard_Circle", kBrandSide, kBrandSide, 1, 1}, drawTestCard);
}

}  // namespace assetgen
