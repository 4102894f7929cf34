// Play sprites: the game sheet (ball, bricks, chain segments, meteor stages,
// invader), the spark sheet and the medal sheet.
#include <cmath>
#include <vector>

#include "art.h"
#include "palette.h"
#include "rng.h"

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265358979f;

// Game sheet layout (level-1 sizes).
constexpr int kSpriteSide = 32;
constexpr int kSpriteFrames = 64;
constexpr int kSpriteColumns = 8;
// Frame numbers used by play.
constexpr int kBallFrame = 0;
constexpr int kFirstBrick = 1;
constexpr int kBrickColours = 7;
constexpr int kFirstSegment = 8;
constexpr int kSegmentColours = 8;
constexpr int kFirstMeteor = 16;
constexpr int kMeteorStages = 4;
constexpr int kInvaderA = 20;
constexpr int kInvaderB = 21;
constexpr int kInvaderWarning = 22;
// Extra frames, filled with matching pick-up style art.
constexpr int kFirstOrb = 23;
constexpr int kOrbCount = 9;
constexpr int kFirstGem = 32;
constexpr int kFirstStar = 40;
constexpr int kFirstHeart = 48;
constexpr int kFirstCrackedBrick = 56;

// Spark sheet layout.
constexpr int kSparkSide = 8;
constexpr int kSparkFrames = 256;
constexpr int kSparkColumns = 16;
constexpr int kSparkShapes = 8;
constexpr uint64_t kSparkSeed = 0x5a3c11u;

// Medal sheet layout.
constexpr int kMedalSide = 64;
constexpr int kMedalFrames = 64;
constexpr int kMedalColumns = 8;
constexpr int kMedalEmblems = 8;

// Thickness of the dark sprite outline in units.
constexpr float kOutline = 1.0f;
// Seed of the meteor's rock outline.
constexpr uint64_t kMeteorSeed = 0x0e7e0au;

constexpr Vec kCentre{16.0f, 16.0f};

// Shiny sphere with a soft highlight, used by the ball and coloured orbs.
void drawOrb(Canvas& c, Vec centre, float r, Color base, Color rim) {
  c.fill(circle(centre, r), radial(Vec{centre.x - r * 0.35f, centre.y - r * 0.4f}, r * 1.7f, shade(base, 1.35f), rim));
  c.fill(ellipse(Vec{centre.x - r * 0.3f, centre.y - r * 0.42f}, r * 0.42f, r * 0.28f),
         radial(Vec{centre.x - r * 0.3f, centre.y - r * 0.42f}, r * 0.42f, highlight(0.95f), highlight(0.0f)));
}

// Rounded brick with a bevel and a top shine.
void drawBrick(Canvas& c, Color base) {
  c.fill(box(kCentre, Vec{14.0f, 14.0f}, 3.5f), linear(Vec{16, 2}, shade(base, 1.25f), Vec{16, 30}, shade(base, 0.6f)));
  c.fill(box(Vec{16.0f, 16.5f}, Vec{10.0f, 9.5f}, 2.0f), linear(Vec{16, 6}, shade(base, 1.05f), Vec{16, 26}, shade(base, 0.85f)));
  c.fill(box(Vec{16.0f, 5.5f}, Vec{10.0f, 1.3f}, 1.3f), highlight(0.55f));
  c.fill(circle(Vec{7.0f, 7.0f}, 1.4f), highlight(0.8f));
}

// Crack lines across a brick or rock.
void drawCracks(Canvas& c, const std::vector<Vec>& path, Color colour, float width) {
  for (size_t i = 1; i < path.size(); ++i) c.fill(capsule(path[i - 1], path[i], width), colour);
}

// One bead of the crawling chain: legs, body, band and shine.
void drawSegment(Canvas& c, Color base) {
  for (int side = -1; side <= 1; side += 2)
    for (int k = -1; k <= 1; ++k) {
      float y = 16.0f + static_cast<float>(k) * 6.0f;
      c.fill(capsule(Vec{16.0f + side * 8.0f, y}, Vec{16.0f + side * 12.0f, y + 2.0f}, 1.1f), shadowDark());
    }
  c.fill(circle(kCentre, 10.0f), radial(Vec{12.5f, 11.5f}, 17.0f, shade(base, 1.3f), shade(base, 0.5f)));
  c.fill(intersect(ring(kCentre, 6.0f, 2.2f), box(kCentre, Vec{11.0f, 11.0f})), withAlpha(shade(base, 0.55f), 0.8f));
  c.fill(circle(kCentre, 3.0f), shade(base, 1.2f));
  c.fill(ellipse(Vec{12.5f, 10.5f}, 3.5f, 2.2f), radial(Vec{12.5f, 10.5f}, 3.5f, highlight(0.9f), highlight(0.0f)));
}

// Rock outline shared by every meteor stage.
std::vector<Vec> meteorOutline() {
  Rng rng(kMeteorSeed);
  std::vector<Vec> pts;
  constexpr int kCorners = 11;
  for (int i = 0; i < kCorners; ++i) {
    float a = 2.0f * kPi * static_cast<float>(i) / kCorners;
    float r = rng.range(10.5f, 13.0f);
    pts.push_back(Vec{16.0f + std::sin(a) * r, 16.0f - std::cos(a) * r});
  }
  return pts;
}

// Meteor: stage 0 whole, each later stage more cracked and glowing.
void drawMeteor(Canvas& c, int stage) {
  Shape rock = polygon(meteorOutline());
  if (stage >= 3) rock = subtract(rock, circle(Vec{27.0f, 7.0f}, 5.5f));
  if (stage >= 2) rock = subtract(rock, circle(Vec{5.0f, 26.0f}, 4.0f));
  c.fill(rock, radial(Vec{12.0f, 11.0f}, 20.0f, hex(0xd9a877), hex(0x5e3b2a)));
  const Vec craters[] = {{20.0f, 11.0f}, {11.0f, 19.0f}, {20.5f, 21.5f}, {9.5f, 10.5f}};
  const float sizes[] = {2.8f, 2.2f, 1.8f, 1.4f};
  for (int i = 0; i < 4; ++i) {
    c.fill(intersect(circle(Vec{craters[i].x + 0.6f, craters[i].y + 0.6f}, sizes[i]), rock), hex(0xf0c796, 0.7f));
    c.fill(intersect(circle(craters[i], sizes[i]), rock), hex(0x6e4532));
  }
  Color crack = stage >= 2 ? hex(0xffb02e) : hex(0x3a2218);
  if (stage >= 1) drawCracks(c, {{16, 16}, {13, 9}, {14, 4}}, crack, 0.6f);
  if (stage >= 2) drawCracks(c, {{16, 16}, {23, 17}, {27, 14}}, crack, 0.7f);
  if (stage >= 2) drawCracks(c, {{16, 16}, {15, 23}, {18, 28}}, crack, 0.7f);
  if (stage >= 3) {
    drawCracks(c, {{16, 16}, {8, 15}, {4, 12}}, crack, 0.8f);
    drawCracks(c, {{23, 17}, {25, 23}}, crack, 0.6f);
    c.fill(circle(kCentre, 3.0f), radial(kCentre, 3.0f, hex(0xfff3a0), hex(0xff8a1e, 0.0f)));
  }
  c.fill(intersect(ellipse(Vec{11.0f, 9.0f}, 4.0f, 2.5f), rock), radial(Vec{11.0f, 9.0f}, 4.0f, highlight(0.55f), highlight(0.0f)));
}

// Invader: dome head, eyes and tentacles; pose 1 swaps the legs, warning glows red.
void drawInvader(Canvas& c, int pose, bool warning) {
  Color body = warning ? hex(0xffe04a) : hex(0xc45cff);
  Color eye = warning ? hex(0xff2a2a) : hex(0xfff04a);
  if (warning) c.fill(circle(kCentre, 13.5f), radial(kCentre, 13.5f, hex(0xffffff, 0.95f), hex(0xff4020, 0.0f)));
  float spread = pose == 0 ? 1.0f : -1.0f;
  for (int k = 0; k < 4; ++k) {
    float x = 8.0f + static_cast<float>(k) * 5.3f;
    float swing = ((k % 2 == 0) ? 1.0f : -1.0f) * spread * 2.5f;
    c.fill(capsule(Vec{x, 20.0f}, Vec{x + swing, 26.5f}, 1.5f), shade(body, 0.8f));
  }
  c.fill(capsule(Vec{10.0f, 8.0f}, Vec{7.5f, 5.0f}, 1.0f), shade(body, 0.9f));
  c.fill(capsule(Vec{22.0f, 8.0f}, Vec{24.5f, 5.0f}, 1.0f), shade(body, 0.9f));
  c.fill(circle(Vec{7.5f, 5.0f}, 1.6f), eye);
  c.fill(circle(Vec{24.5f, 5.0f}, 1.6f), eye);
  Shape head = unite(ellipse(Vec{16.0f, 14.0f}, 11.0f, 8.0f), box(Vec{16.0f, 18.5f}, Vec{11.0f, 3.5f}, 2.0f));
  c.fill(head, radial(Vec{12.0f, 9.0f}, 18.0f, shade(body, 1.35f), shade(body, 0.55f)));
  float look = pose == 0 ? -0.6f : 0.6f;
  for (float ex : {11.5f, 20.5f}) {
    c.fill(ellipse(Vec{ex, 14.0f}, 3.0f, 3.4f), eye);
    c.fill(circle(Vec{ex + look, 14.6f}, 1.5f), outlineDark());
  }
  c.fill(box(Vec{16.0f, 20.0f}, Vec{3.5f, 0.8f}, 0.8f), shade(body, 0.45f));
  c.fill(ellipse(Vec{12.0f, 8.5f}, 4.0f, 1.8f), radial(Vec{12.0f, 8.5f}, 4.0f, highlight(0.75f), highlight(0.0f)));
}

// Faceted gem.
void drawGem(Canvas& c, Color base) {
  std::vector<Vec> outer = {{16, 4}, {27, 13}, {16, 28}, {5, 13}};
  c.fill(polygon(outer), linear(Vec{8, 6}, shade(base, 1.4f), Vec{24, 28}, shade(base, 0.5f)));
  c.fill(polygon({{16, 4}, {21, 13}, {16, 28}, {11, 13}}), withAlpha(shade(base, 1.15f), 0.8f));
  c.fill(polygon({{5, 13}, {27, 13}, {16, 15}}), highlight(0.35f));
  c.fill(polygon({{16, 5}, {11, 12}, {14, 12}}), highlight(0.8f));
}

// Five-pointed star with a shine.
void drawStar(Canvas& c, Color base) {
  Shape s = star(Vec{16.0f, 17.0f}, 5, 13.0f, 6.0f, 0.0f);
  c.fill(inflate(s, 0.6f), radial(Vec{12.0f, 11.0f}, 18.0f, shade(base, 1.4f), shade(base, 0.6f)));
  c.fill(intersect(ellipse(Vec{13.0f, 11.0f}, 4.0f, 2.5f), s), radial(Vec{13.0f, 11.0f}, 4.0f, highlight(0.85f), highlight(0.0f)));
}

// Heart shape.
Shape heartShape() {
  return unite(unite(circle(Vec{11.0f, 12.0f}, 6.5f), circle(Vec{21.0f, 12.0f}, 6.5f)),
               polygon({{5.0f, 14.5f}, {27.0f, 14.5f}, {16.0f, 27.0f}}));
}

// Heart with a shine.
void drawHeart(Canvas& c, Color base) {
  Shape h = inflate(heartShape(), 0.4f);
  c.fill(h, radial(Vec{11.0f, 9.0f}, 20.0f, shade(base, 1.35f), shade(base, 0.55f)));
  c.fill(intersect(ellipse(Vec{10.5f, 9.5f}, 3.5f, 2.2f), h), radial(Vec{10.5f, 9.5f}, 3.5f, highlight(0.9f), highlight(0.0f)));
}

// Draws frame `index` of the game sheet.
void drawGameFrame(Canvas& c, int index) {
  if (index == kBallFrame) {
    drawOrb(c, kCentre, 7.0f, hex(0xffffff), hex(0xa0b0e8));
  } else if (index < kFirstBrick + kBrickColours) {
    drawBrick(c, inkColour(index - kFirstBrick));
  } else if (index < kFirstSegment + kSegmentColours) {
    drawSegment(c, inkColour(index - kFirstSegment));
  } else if (index < kFirstMeteor + kMeteorStages) {
    drawMeteor(c, index - kFirstMeteor);
  } else if (index == kInvaderA || index == kInvaderB) {
    drawInvader(c, index - kInvaderA, false);
  } else if (index == kInvaderWarning) {
    drawInvader(c, 0, true);
  } else if (index < kFirstOrb + kOrbCount) {
    int i = index - kFirstOrb;
    Color base = i < kInkColours ? inkColour(i) : hex(0xffffff);
    drawOrb(c, kCentre, 9.0f, base, shade(base, 0.55f));
  } else if (index < kFirstStar) {
    drawGem(c, inkColour(index - kFirstGem));
  } else if (index < kFirstHeart) {
    drawStar(c, inkColour(index - kFirstStar));
  } else if (index < kFirstCrackedBrick) {
    drawHeart(c, inkColour(index - kFirstHeart));
  } else {
    drawBrick(c, inkColour(index - kFirstCrackedBrick));
    drawCracks(c, {{9, 4}, {13, 12}, {11, 18}, {16, 27}}, shade(inkColour(index - kFirstCrackedBrick), 0.35f), 0.6f);
    drawCracks(c, {{13, 12}, {21, 14}, {26, 10}}, shade(inkColour(index - kFirstCrackedBrick), 0.35f), 0.5f);
  }
  c.outline(outlineDark(), kOutline);
}

// Draws spark `index`: one of eight light shapes, sized and turned at random.
void drawSparkFrame(Canvas& c, int index) {
  Rng rng(kSparkSeed + static_cast<uint64_t>(index) * 7919u);
  Vec ctr{4.0f, 4.0f};
  float grey = rng.range(0.78f, 1.0f);
  Color col{grey, grey, grey, 1.0f};
  float turn = rng.range(0.0f, 360.0f);
  float size = rng.range(0.75f, 1.0f);
  c.fill(circle(ctr, 2.9f * size), radial(ctr, 2.9f * size, withAlpha(col, 0.35f), withAlpha(col, 0.0f)));
  switch (index % kSparkShapes) {
    case 0: c.fill(circle(ctr, 1.6f * size + 0.4f), col); break;
    case 1: c.fill(star(ctr, 4, 2.9f * size, 0.9f, turn), col); break;
    case 2: c.fill(regular(ctr, 4, 2.6f * size, turn), col); break;
    case 3: c.fill(ring(ctr, 2.0f * size, 1.0f), col); break;
    case 4:
      c.fill(rotate(unite(capsule(Vec{1.8f, 4}, Vec{6.2f, 4}, 0.65f), capsule(Vec{4, 1.8f}, Vec{4, 6.2f}, 0.65f)), ctr, turn), col);
      break;
    case 5: c.fill(star(ctr, 5, 2.9f * size, 1.3f, turn), col); break;
    case 6: c.fill(regular(ctr, 3, 2.8f * size, turn), col); break;
    default:
      c.fill(star(ctr, 4, 2.9f * size, 0.7f, 45.0f + turn), col);
      c.fill(circle(ctr, 1.2f), hex(0xffffff));
      break;
  }
}

// Medal emblem in the middle of a badge.
Shape medalEmblem(int kind, Vec ctr) {
  switch (kind % kMedalEmblems) {
    case 0: return star(ctr, 5, 10.0f, 4.5f, 0.0f);
    case 1: return polygon({{ctr.x + 3, ctr.y - 11}, {ctr.x - 7, ctr.y + 2}, {ctr.x - 1, ctr.y + 2}, {ctr.x - 3, ctr.y + 11},
                            {ctr.x + 7, ctr.y - 2}, {ctr.x + 1, ctr.y - 2}});
    case 2: return translate(heartShape(), Vec{ctr.x - 16.0f, ctr.y - 17.0f});
    case 3: return unite(circle(ctr, 6.0f), ring(ctr, 9.5f, 1.8f));
    case 4: return polygon({{ctr.x - 10, ctr.y + 7}, {ctr.x - 10, ctr.y - 6}, {ctr.x - 5, ctr.y}, {ctr.x, ctr.y - 9},
                            {ctr.x + 5, ctr.y}, {ctr.x + 10, ctr.y - 6}, {ctr.x + 10, ctr.y + 7}});
    case 5: return unite(polygon({{ctr.x - 9, ctr.y - 2}, {ctr.x, ctr.y - 10}, {ctr.x + 9, ctr.y - 2}, {ctr.x + 9, ctr.y + 2},
                                  {ctr.x, ctr.y - 6}, {ctr.x - 9, ctr.y + 2}}),
                         translate(polygon({{ctr.x - 9, ctr.y - 2}, {ctr.x, ctr.y - 10}, {ctr.x + 9, ctr.y - 2},
                                            {ctr.x + 9, ctr.y + 2}, {ctr.x, ctr.y - 6}, {ctr.x - 9, ctr.y + 2}}),
                                   Vec{0.0f, 8.0f}));
    case 6: return regular(ctr, 4, 10.5f, 0.0f);
    default: return regular(ctr, 6, 10.0f, 30.0f);
  }
}

// Draws medal `index`: ribbon, metal rim, coloured face and emblem.
void drawMedalFrame(Canvas& c, int index) {
  Color ribbon = inkColour(index % kInkColours);
  Color rim = metal((index + index / kInkColours) % 3);
  Color face = inkColour((index / kInkColours + 3) % kInkColours);
  c.fill(polygon({{15, 4}, {26, 4}, {36, 26}, {26, 30}}), linear(Vec{14, 2}, shade(ribbon, 1.2f), Vec{30, 28}, shade(ribbon, 0.7f)));
  c.fill(polygon({{49, 4}, {38, 4}, {28, 26}, {38, 30}}), linear(Vec{50, 2}, shade(ribbon, 1.0f), Vec{34, 28}, shade(ribbon, 0.55f)));
  c.fill(box(Vec{32, 5.5f}, Vec{18, 2.0f}, 1.0f), shade(ribbon, 0.45f));
  Vec ctr{32.0f, 39.0f};
  c.fill(star(ctr, 16, 21.0f, 18.5f, 0.0f), linear(Vec{18, 22}, shade(rim, 1.3f), Vec{46, 60}, shade(rim, 0.6f)));
  c.fill(circle(ctr, 16.0f), linear(Vec{20, 26}, shade(face, 0.7f), Vec{44, 56}, shade(face, 1.15f)));
  c.fill(ring(ctr, 16.0f, 1.6f), shade(rim, 0.8f));
  Shape emblem = medalEmblem(index / kInkColours, ctr);
  c.fill(translate(emblem, Vec{0.8f, 1.0f}), withAlpha(shadowDark(), 0.6f));
  c.fill(emblem, linear(Vec{24, 30}, shade(rim, 1.4f), Vec{40, 50}, shade(rim, 0.85f)));
  c.fill(ellipse(Vec{25.0f, 28.0f}, 7.0f, 3.5f), radial(Vec{25.0f, 28.0f}, 7.0f, highlight(0.6f), highlight(0.0f)));
  c.outline(outlineDark(), kOutline);
}

}  // namespace

// The game sprite sheet "gfx": ball, bricks, chain segments, meteor, invader.
void writeGameSprites(AssetWriter& out) {
  out.sheet(SheetLayout{"gfx", kSpriteSide, kSpriteSide, kSpriteFrames, kSpriteColumns}, drawGameFrame);
}

// The spark sheet "parts": small light shapes that are tinted when drawn.
void writeSparks(AssetWriter& out) {
  out.sheet(SheetLayout{"parts", kSparkSide, kSparkSide, kSparkFrames, kSparkColumns}, drawSparkFrame);
}

// The medal sheet "BadgesA".
void writeBadges(AssetWriter& out) {
  out.sheet(SheetLayout{"BadgesA", kMedalSide, kMedalSide, kMedalFrames, kMedalColumns}, drawMedalFrame);
}

}  // namespace assetgen
