// Interface art: the icon sheet, the carousel buttons with the gear emblem
// and dial, the on-screen pad, the title logo and the faint menu backdrop,
// and the desktop's application icon.
#include <cmath>
#include <string>
#include <vector>

#include "art.h"
#include "font.h"
#include "palette.h"
#include "rng.h"

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kDegToRad = kPi / 180.0f;

// Sheet layouts (level-1 sizes).
constexpr int kIconSide = 32;
constexpr int kIconFrames = 16;
constexpr int kButtonSide = 64;
constexpr int kButtonFrames = 16;
constexpr int kPadSide = 32;
constexpr int kPadFrames = 16;
constexpr int kGridColumns = 4;
constexpr int kLogoWidth = 256;
constexpr int kLogoHeight = 128;
constexpr int kMenuSide = 256;
constexpr int kMenuFrames = 4;
constexpr int kMenuColumns = 2;
constexpr uint64_t kMenuSeed = 0x3e2u;
// The application icon is designed in a square of this many units and
// drawn at the sizes the desktop's icon theme keeps.
constexpr float kAppIconSide = 64.0f;
constexpr int kAppIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
constexpr int kAppIconOrbsFrom = 24;

// Icon frames with a fixed use.
enum IconFrame {
  kIconPause = 0,
  kIconEndGame = 1,
  kIconHome = 2,
  kIconPlay = 3,
  kIconSound = 4,
  kIconMusic = 5,
  kIconHighlight = 6,
  kIconCalibrate = 7,
  kIconCog = 8,
  kIconStar = 9,
  kIconTrophy = 10,
  kIconBack = 11,
  kIconCheck = 12,
  kIconQuestion = 13,
  kIconRestart = 14,
  kIconInfo = 15,
};

// Carousel button frames.
enum ButtonFrame {
  kButtonEasy = 0,
  kButtonNormal = 1,
  kButtonHard = 2,
  kButtonOptions = 3,
  kButtonScores = 4,
  kButtonSound = 5,
  kButtonMusic = 6,
  kButtonCredits = 7,
  kGearOuter = 8,
  kGearMiddle = 9,
  kGearHub = 10,
  kGearWhole = 11,
  kDialFace = 12,
  kDialGreen = 13,
  kKnob = 14,
  kStarBadge = 15,
};

constexpr Vec kIconCentre{16.0f, 16.0f};
constexpr Vec kButtonCentre{32.0f, 32.0f};

// Light icon paint: white at the top fading to light grey, so tints show.
Paint iconPaint() { return linear(Vec{16, 4}, hex(0xffffff), Vec{16, 28}, hex(0xc4cad8)); }

// Cog wheel with n teeth.
Shape cog(Vec c, float radius, int teeth, float toothDepth, float hole) {
  Shape s = circle(c, radius - toothDepth * 0.5f);
  for (int i = 0; i < teeth; ++i) {
    float deg = 360.0f * static_cast<float>(i) / static_cast<float>(teeth);
    s = unite(s, rotate(box(Vec{c.x, c.y - radius + toothDepth * 0.5f}, Vec{radius * 0.16f, toothDepth * 0.6f}, radius * 0.05f), c, deg));
  }
  return subtract(s, circle(c, hole));
}

// Speaker cone shape.
Shape speaker(Vec c) {
  return polygon({{c.x - 9, c.y - 4}, {c.x - 4, c.y - 4}, {c.x + 2, c.y - 10}, {c.x + 2, c.y + 10}, {c.x - 4, c.y + 4}, {c.x - 9, c.y + 4}});
}

// Two joined quavers.
Shape musicNote(Vec c) {
  Shape s = unite(ellipse(Vec{c.x - 6, c.y + 7}, 4.0f, 3.0f), ellipse(Vec{c.x + 6, c.y + 5}, 4.0f, 3.0f));
  s = unite(s, box(Vec{c.x - 3, c.y - 2}, Vec{1.2f, 9.0f}));
  s = unite(s, box(Vec{c.x + 9, c.y - 4}, Vec{1.2f, 9.0f}));
  return unite(s, polygon({{c.x - 4.2f, c.y - 11}, {c.x + 10.2f, c.y - 13}, {c.x + 10.2f, c.y - 9}, {c.x - 4.2f, c.y - 7}}));
}

// Cup with handles on a base.
Shape trophy(Vec c) {
  Shape cup = intersect(circle(Vec{c.x, c.y - 6}, 10.0f), box(Vec{c.x, c.y - 1}, Vec{10.0f, 6.0f}));
  cup = unite(cup, box(Vec{c.x, c.y - 9}, Vec{10.0f, 3.0f}, 1.0f));
  cup = unite(cup, ring(Vec{c.x - 10, c.y - 5}, 4.0f, 2.0f));
  cup = unite(cup, ring(Vec{c.x + 10, c.y - 5}, 4.0f, 2.0f));
  cup = unite(cup, box(Vec{c.x, c.y + 6}, Vec{2.0f, 3.0f}));
  return unite(cup, box(Vec{c.x, c.y + 10}, Vec{7.0f, 2.0f}, 1.0f));
}

// Circular arrow for "again".
Shape restartArrow(Vec c) {
  Shape arc = subtract(ring(c, 8.5f, 3.5f), polygon({{c.x, c.y}, {c.x + 14, c.y - 14}, {c.x + 14, c.y}}));
  return unite(arc, polygon({{c.x + 5, c.y - 15}, {c.x + 14, c.y - 9}, {c.x + 4, c.y - 3}}));
}

// Icon shape for frame i, designed in a 32-unit square.
Shape iconShape(int i) {
  Vec c = kIconCentre;
  switch (i) {
    case kIconPause: return unite(box(Vec{11, 16}, Vec{3.5f, 10}, 1.5f), box(Vec{21, 16}, Vec{3.5f, 10}, 1.5f));
    case kIconEndGame: return unite(capsule(Vec{8, 8}, Vec{24, 24}, 3.2f), capsule(Vec{24, 8}, Vec{8, 24}, 3.2f));
    case kIconHome:
      return unite(polygon({{16, 4}, {29, 16}, {3, 16}}), subtract(box(Vec{16, 21}, Vec{9, 7}), box(Vec{16, 24}, Vec{2.5f, 4.5f})));
    case kIconPlay: return inflate(polygon({{10, 7}, {25, 16}, {10, 25}}), 1.5f);
    case kIconSound:
      return unite(speaker(Vec{14, 16}), intersect(unite(ring(Vec{14, 16}, 7.0f, 2.0f), ring(Vec{14, 16}, 12.0f, 2.0f)),
                                                   box(Vec{25, 16}, Vec{8, 12})));
    case kIconMusic: return musicNote(c);
    case kIconHighlight: return ring(c, 12.0f, 3.0f);
    case kIconCalibrate:
      return unite(unite(ring(c, 8.5f, 3.0f), circle(c, 2.6f)),
                   unite(unite(box(Vec{16, 6}, Vec{1.6f, 3}), box(Vec{16, 26}, Vec{1.6f, 3})),
                         unite(box(Vec{6, 16}, Vec{3, 1.6f}), box(Vec{26, 16}, Vec{3, 1.6f}))));
    case kIconCog: return cog(c, 13.0f, 8, 4.0f, 4.0f);
    case kIconStar: return star(Vec{16, 17}, 5, 13.0f, 5.5f, 0.0f);
    case kIconTrophy: return scaleShape(trophy(Vec{16, 17}), Vec{16, 17}, 0.85f);
    case kIconBack: return unite(polygon({{4, 16}, {14, 6}, {14, 26}}), box(Vec{19, 16}, Vec{8, 3.5f}, 1.0f));
    case kIconCheck: return unite(capsule(Vec{6, 16}, Vec{13, 23}, 3.0f), capsule(Vec{13, 23}, Vec{26, 9}, 3.0f));
    case kIconQuestion:
      return unite(intersect(ring(Vec{16, 11}, 6.0f, 3.5f), unite(box(Vec{16, 7}, Vec{10, 4}), box(Vec{21, 12}, Vec{5, 5}))),
                   unite(capsule(Vec{20.5f, 14}, Vec{16, 18.5f}, 1.75f), unite(box(Vec{16, 20}, Vec{1.75f, 2.0f}), circle(Vec{16, 26}, 2.2f))));
    case kIconRestart: return scaleShape(restartArrow(c), c, 0.85f);
    default: return unite(circle(Vec{16, 8}, 2.6f), box(Vec{16, 19}, Vec{2.6f, 8}, 1.0f));
  }
}

// Draws frame `index` of the icon sheet.
void drawIconFrame(Canvas& c, int index) {
  Shape s = iconShape(index);
  c.fill(s, iconPaint());
  c.outline(outlineDark(), 1.0f);
}

// Round badge for a carousel item: rim silhouette, face colour and shine.
void badge(Canvas& c, const Shape& rim, Color face) {
  c.fill(rim, linear(Vec{14, 6}, shade(face, 1.4f), Vec{50, 60}, shade(face, 0.5f)));
  c.fill(circle(kButtonCentre, 23.0f), radial(Vec{26, 22}, 34.0f, shade(face, 1.15f), shade(face, 0.7f)));
  c.fill(intersect(ellipse(Vec{25, 18}, 14.0f, 6.0f), circle(kButtonCentre, 23.0f)), radial(Vec{25, 18}, 14.0f, highlight(0.5f), highlight(0.0f)));
}

// A mode button: rim shape, colour, star count and label.
void modeButton(Canvas& c, const Shape& rim, Color face, int stars, const std::string& label) {
  badge(c, rim, face);
  float spacing = 11.0f;
  float first = 32.0f - spacing * static_cast<float>(stars - 1) * 0.5f;
  for (int i = 0; i < stars; ++i) {
    Shape s = star(Vec{first + spacing * static_cast<float>(i), 25.0f}, 5, 6.5f, 2.8f, 0.0f);
    c.fill(translate(s, Vec{0.6f, 0.8f}), withAlpha(shadowDark(), 0.6f));
    c.fill(s, linear(Vec{0, 19}, hex(0xfffbe0), Vec{0, 31}, hex(0xffd23b)));
  }
  float w = textWidth(label);
  float x = std::floor(32.0f - w * 0.5f);
  drawText(c, label, x + 0.6f, 37.6f, withAlpha(shadowDark(), 0.8f));
  drawText(c, label, x, 37.0f, hex(0xffffff));
}

// Gear emblem layer: 0 outer toothed ring, 1 middle gear, 2 centre hub.
void gearLayer(Canvas& c, int layer) {
  Vec g = kButtonCentre;
  if (layer == 0) {
    Shape outer = subtract(cog(g, 29.0f, 12, 6.0f, 0.0f), circle(g, 19.0f));
    c.fill(outer, linear(Vec{10, 6}, hex(0xffe27a), Vec{54, 58}, hex(0xc07a1a)));
    c.fill(ring(g, 21.0f, 1.2f), hex(0x8a5210, 0.8f));
  } else if (layer == 1) {
    Shape mid = subtract(cog(g, 18.5f, 8, 5.0f, 0.0f), circle(g, 9.5f));
    for (int i = 0; i < 8; ++i)
      mid = subtract(mid, circle(Vec{g.x + std::sin((22.5f + 45.0f * i) * kDegToRad) * 12.0f,
                                     g.y - std::cos((22.5f + 45.0f * i) * kDegToRad) * 12.0f},
                                1.6f));
    c.fill(mid, linear(Vec{16, 14}, hex(0xeef2ff), Vec{48, 50}, hex(0x6a7898)));
  } else {
    Shape hub = star(g, 6, 9.0f, 6.0f, 0.0f);
    c.fill(hub, radial(Vec{29, 29}, 12.0f, hex(0xff8a7a), hex(0xb02a3a)));
    c.fill(circle(g, 3.0f), hex(0xffe0d8));
    c.fill(box(g, Vec{2.6f, 0.7f}), shade(hex(0xb02a3a), 0.7f));
  }
}

// Dial face with ticks and a needle at an angle.
void dial(Canvas& c, Color face, float needleDeg) {
  Vec g = kButtonCentre;
  c.fill(circle(g, 27.0f), linear(Vec{12, 8}, hex(0xe8ecf6), Vec{52, 58}, hex(0x7a8298)));
  c.fill(circle(g, 23.5f), radial(Vec{28, 26}, 30.0f, shade(face, 1.1f), shade(face, 0.85f)));
  constexpr int kTicks = 40;
  for (int i = 0; i < kTicks; ++i) {
    float a = (360.0f * static_cast<float>(i) / kTicks) * kDegToRad;
    bool major = i % 5 == 0;
    float r0 = major ? 16.5f : 19.0f;
    c.fill(capsule(Vec{g.x + std::sin(a) * r0, g.y - std::cos(a) * r0}, Vec{g.x + std::sin(a) * 21.5f, g.y - std::cos(a) * 21.5f},
                   major ? 0.9f : 0.45f),
           shadowDark());
  }
  float a = needleDeg * kDegToRad;
  c.fill(capsule(Vec{g.x - std::sin(a) * 4.0f, g.y + std::cos(a) * 4.0f}, Vec{g.x + std::sin(a) * 18.0f, g.y - std::cos(a) * 18.0f}, 1.3f),
         hex(0xff3b3b));
  c.fill(circle(g, 3.2f), radial(Vec{31, 31}, 4.0f, hex(0xffffff), hex(0x50566c)));
}

// Draws frame `index` of the carousel button sheet.
void drawButtonFrame(Canvas& c, int index) {
  Vec g = kButtonCentre;
  switch (index) {
    case kButtonEasy: modeButton(c, circle(g, 28.0f), hex(0x2fbf55), 1, "EASY"); break;
    case kButtonNormal: modeButton(c, regular(g, 8, 29.5f, 22.5f), hex(0xf0a020), 2, "NORMAL"); break;
    case kButtonHard: modeButton(c, star(g, 14, 29.5f, 25.0f, 0.0f), hex(0xe8323a), 3, "HARD"); break;
    case kButtonOptions:
      badge(c, circle(g, 28.0f), hex(0x8a4bef));
      c.fill(cog(g, 17.0f, 8, 5.0f, 5.0f), linear(Vec{20, 16}, hex(0xffffff), Vec{44, 48}, hex(0xc4cad8)));
      break;
    case kButtonScores:
      badge(c, circle(g, 28.0f), hex(0x3b8bff));
      c.fill(scaleShape(trophy(Vec{32, 33}), Vec{32, 33}, 1.4f), linear(Vec{0, 16}, hex(0xfff3b0), Vec{0, 50}, hex(0xffb020)));
      break;
    case kButtonSound:
      badge(c, circle(g, 28.0f), hex(0x20b8c8));
      c.fill(scaleShape(translate(iconShape(kIconSound), Vec{16, 16}), g, 1.3f), iconPaint());
      break;
    case kButtonMusic:
      badge(c, circle(g, 28.0f), hex(0xe04bb0));
      c.fill(scaleShape(musicNote(g), g, 1.3f), iconPaint());
      break;
    case kButtonCredits:
      badge(c, circle(g, 28.0f), hex(0x505a78));
      c.fill(scaleShape(translate(iconShape(kIconInfo), Vec{16, 16}), g, 1.4f), iconPaint());
      break;
    case kGearOuter: gearLayer(c, 0); break;
    case kGearMiddle: gearLayer(c, 1); break;
    case kGearHub: gearLayer(c, 2); break;
    case kGearWhole:
      gearLayer(c, 0);
      gearLayer(c, 1);
      gearLayer(c, 2);
      break;
    case kDialFace: dial(c, hex(0xf4f1e6), 60.0f); break;
    case kDialGreen: dial(c, hex(0xb8f0b0), -45.0f); break;
    case kKnob:
      c.fill(cog(g, 26.0f, 24, 2.5f, 0.0f), linear(Vec{12, 8}, hex(0xd8dce8), Vec{52, 58}, hex(0x50566c)));
      c.fill(circle(g, 18.0f), radial(Vec{26, 24}, 26.0f, hex(0xf0f2f8), hex(0x8a90a6)));
      c.fill(capsule(Vec{32, 30}, Vec{32, 17}, 2.0f), hex(0xff3b3b));
      break;
    default:
      badge(c, star(g, 12, 30.0f, 24.0f, 15.0f), hex(0xffc23b));
      c.fill(star(g, 5, 16.0f, 7.0f, 0.0f), linear(Vec{0, 16}, hex(0xffffff), Vec{0, 48}, hex(0xffe9a0)));
      break;
  }
  c.outline(outlineDark(), 1.0f);
}

// Light translucent-looking plastic used by the on-screen pad.
Paint padPaint() { return linear(Vec{16, 2}, hex(0xffffff), Vec{16, 30}, hex(0xaab0c4)); }

// Round action button of the on-screen pad with an optional letter.
void actionButton(Canvas& c, char letter) {
  c.fill(circle(kIconCentre, 13.5f), padPaint());
  c.fill(ring(kIconCentre, 10.5f, 1.5f), hex(0x8a90a6, 0.8f));
  c.fill(ellipse(Vec{12, 10}, 6.0f, 3.5f), radial(Vec{12, 10}, 6.0f, highlight(0.9f), highlight(0.0f)));
  if (letter) c.bitmap(glyph(letter), 13.0f, 12.0f, hex(0x50566c));
}

// D-pad arm pointing in a direction (0 up, 1 right, 2 down, 3 left).
void padArm(Canvas& c, int dir) {
  Shape arm = unite(box(Vec{16, 16.5f}, Vec{11, 12}, 3.0f), box(Vec{16, 26.5f}, Vec{11, 3}));
  arm = rotate(arm, kIconCentre, 90.0f * static_cast<float>(dir));
  c.fill(arm, padPaint());
  Shape tri = rotate(polygon({{16, 8}, {23, 18}, {9, 18}}), kIconCentre, 90.0f * static_cast<float>(dir));
  c.fill(tri, hex(0x50566c));
}

// Small shoulder pill of the on-screen pad with a letter.
void padShoulder(Canvas& c, char letter) {
  c.fill(box(kIconCentre, Vec{13, 8}, 6.0f), padPaint());
  c.bitmap(glyph(letter), 14.0f, 12.5f, hex(0x50566c));
}

// Draws frame `index` of the on-screen pad sheet.
void drawPadFrame(Canvas& c, int index) {
  switch (index) {
    case 0: actionButton(c, 0); break;
    case 1: padArm(c, 0); break;
    case 2: actionButton(c, 'Y'); break;
    case 3: actionButton(c, 'A'); break;
    case 4: padArm(c, 3); break;
    case 5:
      c.fill(box(kIconCentre, Vec{13.5f, 13.5f}, 2.0f), padPaint());
      c.fill(circle(kIconCentre, 7.0f), radial(Vec{15, 15}, 8.0f, hex(0x8a90a6), hex(0xd8dce8)));
      break;
    case 6: padArm(c, 1); break;
    case 7: actionButton(c, 'B'); break;
    case 8: padShoulder(c, 'L'); break;
    case 9: padArm(c, 2); break;
    case 10: padShoulder(c, 'R'); break;
    case 11: actionButton(c, 'X'); break;
    case 12: c.fill(ring(kIconCentre, 12.0f, 4.0f), padPaint()); break;
    case 13:
      c.fill(circle(kIconCentre, 9.0f), radial(Vec{13, 13}, 12.0f, hex(0xffffff), hex(0x8a90a6)));
      c.fill(ring(kIconCentre, 5.0f, 1.0f), hex(0x8a90a6));
      break;
    case 14:
      c.fill(box(kIconCentre, Vec{12, 7}, 7.0f), padPaint());
      c.fill(unite(box(Vec{13, 16}, Vec{1.3f, 3.5f}), box(Vec{19, 16}, Vec{1.3f, 3.5f})), hex(0x50566c));
      break;
    default:
      c.fill(box(kIconCentre, Vec{12, 7}, 7.0f), padPaint());
      for (int k = -1; k <= 1; ++k) c.fill(box(Vec{16, 16.0f + k * 2.6f}, Vec{5, 0.7f}), hex(0x50566c));
      break;
  }
  c.outline(outlineDark(), 1.0f);
}

// Solid letter shapes of the title, each in a box of width w from x, cap
// height from top to top + h.
Shape titleLetter(char ch, float x, float top, float w, float h) {
  constexpr float kStroke = 12.0f;
  float s = kStroke * 0.5f;
  float bottom = top + h, right = x + w, mid = top + h * 0.5f;
  switch (ch) {
    case 'Z':
      return unite(unite(box(Vec{x + w * 0.5f, top + s}, Vec{w * 0.5f, s}, 2.0f), box(Vec{x + w * 0.5f, bottom - s}, Vec{w * 0.5f, s}, 2.0f)),
                   polygon({{right - kStroke * 1.3f, top + kStroke}, {right, top + kStroke}, {x + kStroke * 1.3f, bottom - kStroke},
                            {x, bottom - kStroke}}));
    case 'I': return box(Vec{x + w * 0.5f, mid}, Vec{w * 0.5f, h * 0.5f}, 2.0f);
    case 'M':
      return unite(unite(box(Vec{x + s, mid}, Vec{s, h * 0.5f}, 2.0f), box(Vec{right - s, mid}, Vec{s, h * 0.5f}, 2.0f)),
                   polygon({{x + kStroke * 0.5f, top}, {x + w * 0.5f, top + h * 0.42f}, {right - kStroke * 0.5f, top},
                            {right - kStroke * 0.5f, top + h * 0.38f}, {x + w * 0.5f, top + h * 0.75f}, {x + kStroke * 0.5f, top + h * 0.38f}}));
    case 'B': {
      Shape upper = box(Vec{x + w * 0.45f, top + h * 0.26f}, Vec{w * 0.45f, h * 0.26f}, h * 0.22f);
      Shape lower = box(Vec{x + w * 0.5f, top + h * 0.72f}, Vec{w * 0.5f, h * 0.28f}, h * 0.24f);
      Shape body = unite(unite(upper, lower), box(Vec{x + w * 0.3f, mid}, Vec{w * 0.3f, h * 0.5f}, 2.0f));
      body = subtract(body, box(Vec{x + w * 0.47f, top + h * 0.26f}, Vec{w * 0.12f, h * 0.07f}, 2.0f));
      return subtract(body, box(Vec{x + w * 0.5f, top + h * 0.72f}, Vec{w * 0.15f, h * 0.08f}, 2.5f));
    }
    case 'O': return subtract(ellipse(Vec{x + w * 0.5f, mid}, w * 0.5f, h * 0.5f), ellipse(Vec{x + w * 0.5f, mid}, w * 0.5f - kStroke * 0.95f, h * 0.5f - kStroke * 0.8f));
    default:
      return unite(box(Vec{x + s, mid}, Vec{s, h * 0.5f}, 2.0f), box(Vec{x + w * 0.5f, bottom - s}, Vec{w * 0.5f, s}, 2.0f));
  }
}

// The title's letter paint: pale yellow at the top to orange at the bottom.
Paint titlePaint(float top, float bottom) {
  return linear(Vec{0, top}, hex(0xfff6a0), Vec{0, bottom}, hex(0xff6a1a));
}

// One of the title's glossy orbs, the first cyan, the others pink.
void titleOrb(Canvas& c, Vec o, float radius, size_t index) {
  Color ink = inkColour(index == 0 ? 4 : 7);
  float k = radius / 7.0f;
  c.fill(circle(o, radius), radial(Vec{o.x - 2.5f * k, o.y - 2.5f * k}, 10.0f * k, shade(ink, 1.4f), shade(ink, 0.6f)));
  c.fill(ellipse(Vec{o.x - 2.5f * k, o.y - 3.0f * k}, 3.0f * k, 2.0f * k), highlight(0.85f));
}

// A ray of a sunburst about g between two angles (degrees clockwise from up).
Shape sunRay(Vec g, float deg0, float deg1, float radius) {
  auto at = [g, radius](float deg) { return Vec{g.x + std::sin(deg * kDegToRad) * radius, g.y - std::cos(deg * kDegToRad) * radius}; };
  return polygon({g, at(deg0), at(deg1)});
}

// Draws the title "ZIMBOLO".
void drawLogo(Canvas& c, int) {
  const std::string word = "ZIMBOLO";
  const float widths[] = {31, 13, 38, 31, 34, 27, 34};
  constexpr float kGap = 4.0f;
  constexpr float kTop = 30.0f, kHeight = 62.0f;
  float total = -kGap;
  for (float w : widths) total += w + kGap;
  float x = (static_cast<float>(kLogoWidth) - total) * 0.5f;
  Shape all = titleLetter(word[0], x, kTop, widths[0], kHeight);
  std::vector<Vec> orbCentres;
  for (size_t i = 0; i < word.size(); ++i) {
    if (i > 0) all = unite(all, titleLetter(word[i], x, kTop, widths[i], kHeight));
    if (word[i] == 'O') orbCentres.push_back(Vec{x + widths[i] * 0.5f, kTop + kHeight * 0.5f});
    x += widths[i] + kGap;
  }
  c.fill(all, titlePaint(kTop, kTop + kHeight));
  c.fill(intersect(all, box(Vec{128, kTop + 9.0f}, Vec{128, 6.0f})), highlight(0.45f));
  for (size_t i = 0; i < orbCentres.size(); ++i) titleOrb(c, orbCentres[i], 7.0f, i);
  c.outline(outlineDark(), 2.5f);
  c.shadow(hex(0x000000, 0.7f), 3.0f, Vec{3.0f, 4.0f});
}

// Menu backdrop frame 0: sunburst with a giant ball, bricks and a chain.
void menuSunburst(Canvas& c) {
  Vec g{128, 128};
  constexpr int kRays = 16;
  for (int i = 0; i < kRays; ++i) {
    float a0 = 360.0f * static_cast<float>(i) / kRays;
    float a1 = a0 + 360.0f / kRays * 0.5f;
    c.fill(sunRay(g, a0, a1, 190.0f), inkColour(i % kInkColours));
  }
  c.fill(circle(g, 62.0f), hex(0x000000, 0.5f));
  c.fill(circle(g, 52.0f), radial(Vec{110, 108}, 80.0f, hex(0xffffff), hex(0x8090c0)));
  c.fill(ellipse(Vec{110, 104}, 20.0f, 12.0f), highlight(0.9f));
  for (int k = 0; k < 6; ++k)
    c.fill(box(Vec{24.0f + 42.0f * k, 228.0f}, Vec{18, 12}, 4.0f), inkColour(k));
}

// Menu backdrop frame 1: concentric rings and stars.
void menuRings(Canvas& c) {
  Vec g{128, 128};
  for (int i = 0; i < 7; ++i) c.fill(ring(g, 18.0f + 18.0f * i, 9.0f), inkColour(i));
  Rng rng(kMenuSeed);
  for (int i = 0; i < 14; ++i)
    c.fill(star(Vec{rng.range(10, 246), rng.range(10, 246)}, 5, rng.range(6, 14), 3.0f, rng.range(0, 72)), hex(0xffffff));
}

// Menu backdrop frame 2: a wall of bricks on a slant.
void menuBricks(Canvas& c) {
  for (int row = -2; row < 12; ++row)
    for (int col = -2; col < 10; ++col) {
      Vec p{col * 36.0f + (row % 2) * 18.0f, row * 24.0f};
      c.fill(rotate(box(Vec{p.x + 16, p.y + 10}, Vec{15, 9}, 3.0f), Vec{128, 128}, -15.0f), inkColour(row + col + 16));
    }
}

// Menu backdrop frame 3: a swirl of sparks.
void menuSwirl(Canvas& c) {
  Vec g{128, 128};
  for (int i = 0; i < 90; ++i) {
    float t = static_cast<float>(i) / 90.0f;
    float a = t * 4.0f * kPi;
    float r = 10.0f + t * 118.0f;
    Vec p{g.x + std::sin(a) * r, g.y - std::cos(a) * r};
    c.fill(star(p, 4, 4.0f + t * 10.0f, 1.5f + t * 3.0f, a * 57.0f), inkColour(i));
  }
}

// Draws frame `index` of the menu backdrop.
void drawMenuFrame(Canvas& c, int index) {
  switch (index) {
    case 0: menuSunburst(c); break;
    case 1: menuRings(c); break;
    case 2: menuBricks(c); break;
    default: menuSwirl(c); break;
  }
}

// Application icon: the title's Z and its two orbs on the menu's green
// sunburst, in a rounded tile.
// NOTE: the letter fills most of the tile and the rays are few and faint, so
// that the icon still reads at 48 pixels; below kAppIconOrbsFrom pixels the
// orbs would break the letter's stroke and are left out.
void drawAppIcon(Canvas& c, int size) {
  Vec g{32, 32};
  Shape tile = box(g, Vec{29, 29}, 11.0f);
  c.fill(inflate(tile, 1.5f), outlineDark());
  c.fill(tile, radial(Vec{26, 22}, 44.0f, hex(0x5cc850), hex(0x1e6428)));
  constexpr int kRays = 8;
  for (int i = 0; i < kRays; ++i) {
    float a0 = 360.0f * static_cast<float>(i) / kRays;
    c.fill(intersect(sunRay(g, a0, a0 + 360.0f / kRays * 0.5f, 48.0f), tile), highlight(0.1f));
  }
  Shape z = scaleShape(titleLetter('Z', 11.0f, 1.0f, 42.0f, 62.0f), g, 0.74f);
  c.fill(translate(inflate(z, 2.5f), Vec{1.5f, 2.0f}), hex(0x000000, 0.45f));
  c.fill(inflate(z, 2.5f), outlineDark());
  c.fill(z, titlePaint(10.0f, 54.0f));
  c.fill(intersect(z, box(Vec{32, 15}, Vec{32, 3})), highlight(0.45f));
  if (size < kAppIconOrbsFrom) return;
  const Vec orbs[] = {{21, 27}, {43, 37}};
  for (size_t i = 0; i < 2; ++i) {
    c.fill(circle(orbs[i], 6.0f), outlineDark());
    titleOrb(c, orbs[i], 4.8f, i);
  }
}

}  // namespace

// Icons, carousel buttons, the on-screen pad, title logo and menu art.
void writeInterfaceArt(AssetWriter& out) {
  out.sheet(SheetLayout{"common/icons", kIconSide, kIconSide, kIconFrames, kGridColumns}, drawIconFrame);
  out.sheet(SheetLayout{"common/Buttons", kButtonSide, kButtonSide, kButtonFrames, kGridColumns}, drawButtonFrame);
  out.sheet(SheetLayout{"common/dpad", kPadSide, kPadSide, kPadFrames, kGridColumns}, drawPadFrame);
  out.sheet(SheetLayout{"logo", kLogoWidth, kLogoHeight, 1, 1}, drawLogo);
  out.sheet(SheetLayout{"menu", kMenuSide, kMenuSide, kMenuFrames, kMenuColumns}, drawMenuFrame);
}

// The application icon at every size: the window's icon in the data
// directory, and the icon theme's files when there is a theme writer.
void writeAppIcon(AssetWriter& data, AssetWriter* theme) {
  for (int size : kAppIconSizes) {
    Canvas canvas(size, size, static_cast<float>(size) / kAppIconSide);
    drawAppIcon(canvas, size);
    Image icon = blankImage(size, size);
    blit(canvas, icon, 0, 0);
    std::string side = std::to_string(size);
    data.image("icon/zimbolo-" + side + ".png", icon);
    if (theme) theme->image(side + "x" + side + "/apps/zimbolo.png", icon);
  }
}

}  // namespace assetgen
