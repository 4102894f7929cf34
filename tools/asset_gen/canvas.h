// Resolution-independent drawing for the asset generator.
//
// Art is described in "units" (pixels of the smallest asset level); a Canvas
// maps units to its own pixels with a scale, so the same drawing code renders
// crisply at every level. Shapes are signed distance functions evaluated per
// pixel, which gives one pixel of anti-aliasing at any scale.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace assetgen {

struct Vec {
  float x = 0.0f;
  float y = 0.0f;
};

// Straight (not premultiplied) colour with components 0..1.
struct Color {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
  float a = 0.0f;
};

// Builds a colour from 0xRRGGBB.
Color hex(uint32_t rgb, float alpha = 1.0f);
// Linear blend from a to b.
Color mix(Color a, Color b, float t);
// Multiplies the colour components (not alpha) by k, clamped.
Color shade(Color c, float k);
// Returns c with another alpha.
Color withAlpha(Color c, float alpha);

// Signed distance in units: negative inside, positive outside.
using Sdf = std::function<float(Vec)>;
// Colour as a function of the position in units.
using Paint = std::function<Color(Vec)>;

// A shape with a conservative bounding box in units.
struct Shape {
  Sdf sdf;
  float x0 = 0.0f;
  float y0 = 0.0f;
  float x1 = 0.0f;
  float y1 = 0.0f;
};

// Filled disc.
Shape circle(Vec centre, float radius);
// Filled ellipse (approximate distance, exact on the axes).
Shape ellipse(Vec centre, float rx, float ry);
// Axis-aligned box with rounded corners.
Shape box(Vec centre, Vec half, float corner = 0.0f);
// Line segment with round caps.
Shape capsule(Vec a, Vec b, float radius);
// Closed polygon.
Shape polygon(const std::vector<Vec>& points);
// Star with n points between an inner and outer radius, rotated by degrees.
Shape star(Vec centre, int points, float outer, float inner, float degrees);
// Regular polygon with n corners, rotated by degrees.
Shape regular(Vec centre, int corners, float radius, float degrees);
// Circular band of a width around a radius.
Shape ring(Vec centre, float radius, float width);

// Union of two shapes.
Shape unite(const Shape& a, const Shape& b);
// The part of a outside b.
Shape subtract(const Shape& a, const Shape& b);
// The part common to a and b.
Shape intersect(const Shape& a, const Shape& b);
// Grows (positive) or shrinks (negative) a shape.
Shape inflate(const Shape& s, float amount);
// Turns a shape by degrees about a centre.
Shape rotate(const Shape& s, Vec centre, float degrees);
// Moves a shape.
Shape translate(const Shape& s, Vec by);
// Scales a shape by k about a centre.
Shape scaleShape(const Shape& s, Vec centre, float k);

// A single colour.
Paint solid(Color c);
// Gradient along the line from p0 to p1.
Paint linear(Vec p0, Color c0, Vec p1, Color c1);
// Gradient from the centre out to a radius.
Paint radial(Vec centre, float radius, Color inner, Color outer);

// One-bit bitmap, row by row; used for pixel-font glyphs.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bits;

  // True when (x, y) is inside and set.
  bool at(int x, int y) const;
};

// Parses rows separated by '|', '#' set and anything else clear.
Bitmap parseBitmap(const std::string& rows);
// Doubles a bitmap, filling the inner corners of diagonal steps (an EPX variant).
Bitmap epxDouble(const Bitmap& in);

// Premultiplied floating-point picture with a units-to-pixels scale.
class Canvas {
 public:
  // A transparent canvas of width x height pixels.
  Canvas(int width, int height, float scale);

  // Width in pixels.
  int width() const { return width_; }
  // Height in pixels.
  int height() const { return height_; }
  // Pixels per unit.
  float scale() const { return scale_; }

  // Paints a shape, anti-aliased over one pixel.
  void fill(const Shape& shape, const Paint& paint);
  // Paints a shape in one colour.
  void fill(const Shape& shape, Color color);
  // Paints a bitmap at (x, y) in units, each bit a square of `cell` units;
  // bits that cover several pixels are smoothed (epxDouble) instead of blown
  // up blockily.
  void bitmap(const Bitmap& bits, float x, float y, Color color, float cell = 1.0f);
  // Adds a band of a width in units around everything drawn so far, behind it.
  void outline(Color color, float widthUnits);
  // Adds a soft blurred copy of the current alpha behind everything, offset.
  void shadow(Color color, float radiusUnits, Vec offset);

  // Premultiplied pixel at (x, y).
  const Color& pixel(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

 private:
  // Composites a colour over one pixel with a coverage 0..1.
  void blend(int x, int y, Color c, float coverage);

  int width_;
  int height_;
  float scale_;
  std::vector<Color> pixels_;
};

}  // namespace assetgen
