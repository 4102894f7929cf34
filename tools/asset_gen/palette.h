// The game's limited palette: outline and shadow darks, highlight whites, and
// the sprite colours that follow the order of the in-game ink colours
// (red, orange, yellow, green, cyan, blue, purple, pink).
#pragma once

#include "canvas.h"

namespace assetgen {

// Dark outline around every sprite.
inline Color outlineDark() { return hex(0x120c1c); }
// Deep shadow tone used inside shapes.
inline Color shadowDark() { return hex(0x2a2140); }
// Soft highlight.
inline Color highlight(float alpha) { return hex(0xffffff, alpha); }

// Number of sprite colours (ink colours 1 to 8).
constexpr int kInkColours = 8;

// Bright sprite colour for ink colour i + 1 (i = 0..7).
inline Color inkColour(int i) {
  static const uint32_t kInks[kInkColours] = {0xff2a2a, 0xff9a1f, 0xffe53b, 0x3bff5a,
                                              0x3bf0ff, 0x2f5bff, 0x9a4bff, 0xff4bb0};
  return hex(kInks[((i % kInkColours) + kInkColours) % kInkColours]);
}

// Metal tones for medals: gold, silver, bronze.
inline Color metal(int i) {
  static const uint32_t kMetals[3] = {0xffc93b, 0xc8d2e0, 0xd98a4a};
  return hex(kMetals[((i % 3) + 3) % 3]);
}

}  // namespace assetgen
