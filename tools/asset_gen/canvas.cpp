// Shapes, paints and the anti-aliased Canvas of the asset generator.
#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kDegToRad = kPi / 180.0f;
// Distance treated as "far outside" for shapes without a finite extent.
constexpr float kFar = 1.0e6f;

// Clamps v to 0..1.
float clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

// Length of a vector.
float length(Vec v) { return std::sqrt(v.x * v.x + v.y * v.y); }

// Dot product.
float dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }

// Bounding box of a shape grown by a margin on every side.
Shape withBounds(Sdf sdf, float x0, float y0, float x1, float y1) {
  Shape s;
  s.sdf = std::move(sdf);
  s.x0 = x0;
  s.y0 = y0;
  s.x1 = x1;
  s.y1 = y1;
  return s;
}

}  // namespace

// Builds a colour from 0xRRGGBB.
Color hex(uint32_t rgb, float alpha) {
  return Color{static_cast<float>((rgb >> 16) & 0xff) / 255.0f, static_cast<float>((rgb >> 8) & 0xff) / 255.0f,
               static_cast<float>(rgb & 0xff) / 255.0f, alpha};
}

// Linear blend from a to b.
Color mix(Color a, Color b, float t) {
  return Color{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

// Multiplies the colour components (not alpha) by k, clamped.
Color shade(Color c, float k) { return Color{clamp01(c.r * k), clamp01(c.g * k), clamp01(c.b * k), c.a}; }

// Returns c with another alpha.
Color withAlpha(Color c, float alpha) { return Color{c.r, c.g, c.b, alpha}; }

// Filled disc.
Shape circle(Vec c, float r) {
  return withBounds([c, r](Vec p) { return length(Vec{p.x - c.x, p.y - c.y}) - r; }, c.x - r, c.y - r, c.x + r,
                    c.y + r);
}

// Filled ellipse (approximate distance, exact on the axes).
Shape ellipse(Vec c, float rx, float ry) {
  return withBounds(
      [c, rx, ry](Vec p) {
        float nx = (p.x - c.x) / rx;
        float ny = (p.y - c.y) / ry;
        float k = std::sqrt(nx * nx + ny * ny);
        return (k - 1.0f) * std::min(rx, ry);
      },
      c.x - rx, c.y - ry, c.x + rx, c.y + ry);
}

// Axis-aligned box with rounded corners.
Shape box(Vec c, Vec half, float corner) {
  return withBounds(
      [c, half, corner](Vec p) {
        float qx = std::fabs(p.x - c.x) - half.x + corner;
        float qy = std::fabs(p.y - c.y) - half.y + corner;
        float outside = length(Vec{std::max(qx, 0.0f), std::max(qy, 0.0f)});
        return outside + std::min(std::max(qx, qy), 0.0f) - corner;
      },
      c.x - half.x, c.y - half.y, c.x + half.x, c.y + half.y);
}

// Line segment with round caps.
Shape capsule(Vec a, Vec b, float r) {
  return withBounds(
      [a, b, r](Vec p) {
        Vec pa{p.x - a.x, p.y - a.y};
        Vec ba{b.x - a.x, b.y - a.y};
        float denom = dot(ba, ba);
        float h = denom > 0.0f ? clamp01(dot(pa, ba) / denom) : 0.0f;
        return length(Vec{pa.x - ba.x * h, pa.y - ba.y * h}) - r;
      },
      std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r);
}

// Closed polygon.
Shape polygon(const std::vector<Vec>& points) {
  auto pts = std::make_shared<std::vector<Vec>>(points);
  float x0 = kFar, y0 = kFar, x1 = -kFar, y1 = -kFar;
  for (const Vec& v : points) {
    x0 = std::min(x0, v.x);
    y0 = std::min(y0, v.y);
    x1 = std::max(x1, v.x);
    y1 = std::max(y1, v.y);
  }
  return withBounds(
      [pts](Vec p) {
        const std::vector<Vec>& v = *pts;
        size_t n = v.size();
        float d = dot(Vec{p.x - v[0].x, p.y - v[0].y}, Vec{p.x - v[0].x, p.y - v[0].y});
        float sign = 1.0f;
        for (size_t i = 0, j = n - 1; i < n; j = i, ++i) {
          Vec e{v[j].x - v[i].x, v[j].y - v[i].y};
          Vec w{p.x - v[i].x, p.y - v[i].y};
          float h = clamp01(dot(w, e) / dot(e, e));
          Vec b{w.x - e.x * h, w.y - e.y * h};
          d = std::min(d, dot(b, b));
          bool c1 = p.y >= v[i].y;
          bool c2 = p.y < v[j].y;
          bool c3 = e.x * w.y > e.y * w.x;
          if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) sign = -sign;
        }
        return sign * std::sqrt(d);
      },
      x0, y0, x1, y1);
}

// Star with n points between an inner and outer radius, rotated by degrees.
Shape star(Vec c, int points, float outer, float inner, float degrees) {
  std::vector<Vec> v;
  for (int i = 0; i < points * 2; ++i) {
    float r = (i % 2 == 0) ? outer : inner;
    float a = (degrees + 180.0f * static_cast<float>(i) / static_cast<float>(points)) * kDegToRad;
    v.push_back(Vec{c.x + std::sin(a) * r, c.y - std::cos(a) * r});
  }
  return polygon(v);
}

// Regular polygon with n corners, rotated by degrees.
Shape regular(Vec c, int corners, float radius, float degrees) {
  std::vector<Vec> v;
  for (int i = 0; i < corners; ++i) {
    float a = (degrees + 360.0f * static_cast<float>(i) / static_cast<float>(corners)) * kDegToRad;
    v.push_back(Vec{c.x + std::sin(a) * radius, c.y - std::cos(a) * radius});
  }
  return polygon(v);
}

// Circular band of a width around a radius.
Shape ring(Vec c, float radius, float width) {
  float outer = radius + width * 0.5f;
  return withBounds([c, radius, width](Vec p) { return std::fabs(length(Vec{p.x - c.x, p.y - c.y}) - radius) - width * 0.5f; },
                    c.x - outer, c.y - outer, c.x + outer, c.y + outer);
}

// Union of two shapes.
Shape unite(const Shape& a, const Shape& b) {
  Sdf sa = a.sdf, sb = b.sdf;
  return withBounds([sa, sb](Vec p) { return std::min(sa(p), sb(p)); }, std::min(a.x0, b.x0), std::min(a.y0, b.y0),
                    std::max(a.x1, b.x1), std::max(a.y1, b.y1));
}

// The part of a outside b.
Shape subtract(const Shape& a, const Shape& b) {
  Sdf sa = a.sdf, sb = b.sdf;
  return withBounds([sa, sb](Vec p) { return std::max(sa(p), -sb(p)); }, a.x0, a.y0, a.x1, a.y1);
}

// The part common to a and b.
Shape intersect(const Shape& a, const Shape& b) {
  Sdf sa = a.sdf, sb = b.sdf;
  return withBounds([sa, sb](Vec p) { return std::max(sa(p), sb(p)); }, std::max(a.x0, b.x0), std::max(a.y0, b.y0),
                    std::min(a.x1, b.x1), std::min(a.y1, b.y1));
}

// Grows (positive) or shrinks (negative) a shape.
Shape inflate(const Shape& s, float amount) {
  Sdf f = s.sdf;
  return withBounds([f, amount](Vec p) { return f(p) - amount; }, s.x0 - amount, s.y0 - amount, s.x1 + amount,
                    s.y1 + amount);
}

// Turns a shape by degrees about a centre.
Shape rotate(const Shape& s, Vec c, float degrees) {
  Sdf f = s.sdf;
  float a = -degrees * kDegToRad;
  float ca = std::cos(a), sa = std::sin(a);
  float x0 = kFar, y0 = kFar, x1 = -kFar, y1 = -kFar;
  float fa = degrees * kDegToRad;
  float cf = std::cos(fa), sf = std::sin(fa);
  for (Vec corner : {Vec{s.x0, s.y0}, Vec{s.x1, s.y0}, Vec{s.x0, s.y1}, Vec{s.x1, s.y1}}) {
    float dx = corner.x - c.x, dy = corner.y - c.y;
    float rx = c.x + dx * cf - dy * sf, ry = c.y + dx * sf + dy * cf;
    x0 = std::min(x0, rx);
    y0 = std::min(y0, ry);
    x1 = std::max(x1, rx);
    y1 = std::max(y1, ry);
  }
  return withBounds(
      [f, c, ca, sa](Vec p) {
        float dx = p.x - c.x, dy = p.y - c.y;
        return f(Vec{c.x + dx * ca - dy * sa, c.y + dx * sa + dy * ca});
      },
      x0, y0, x1, y1);
}

// Moves a shape.
Shape translate(const Shape& s, Vec by) {
  Sdf f = s.sdf;
  return withBounds([f, by](Vec p) { return f(Vec{p.x - by.x, p.y - by.y}); }, s.x0 + by.x, s.y0 + by.y, s.x1 + by.x,
                    s.y1 + by.y);
}

// Scales a shape by k about a centre.
Shape scaleShape(const Shape& s, Vec c, float k) {
  Sdf f = s.sdf;
  return withBounds([f, c, k](Vec p) { return f(Vec{c.x + (p.x - c.x) / k, c.y + (p.y - c.y) / k}) * k; },
                    c.x + (s.x0 - c.x) * k, c.y + (s.y0 - c.y) * k, c.x + (s.x1 - c.x) * k, c.y + (s.y1 - c.y) * k);
}

// A single colour.
Paint solid(Color c) {
  return [c](Vec) { return c; };
}

// Gradient along the line from p0 to p1.
Paint linear(Vec p0, Color c0, Vec p1, Color c1) {
  Vec d{p1.x - p0.x, p1.y - p0.y};
  float len2 = std::max(dot(d, d), 1e-6f);
  return [p0, d, len2, c0, c1](Vec p) { return mix(c0, c1, clamp01(dot(Vec{p.x - p0.x, p.y - p0.y}, d) / len2)); };
}

// Gradient from the centre out to a radius.
Paint radial(Vec c, float radius, Color inner, Color outer) {
  return [c, radius, inner, outer](Vec p) { return mix(inner, outer, clamp01(length(Vec{p.x - c.x, p.y - c.y}) / radius)); };
}

// True when (x, y) is inside and set.
bool Bitmap::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return false;
  return bits[static_cast<size_t>(y) * width + x] != 0;
}

// Parses rows separated by '|', '#' set and anything else clear.
Bitmap parseBitmap(const std::string& rows) {
  std::vector<std::string> lines(1);
  for (char ch : rows) {
    if (ch == '|')
      lines.emplace_back();
    else
      lines.back().push_back(ch);
  }
  Bitmap b;
  b.height = static_cast<int>(lines.size());
  for (const std::string& l : lines) b.width = std::max(b.width, static_cast<int>(l.size()));
  b.bits.assign(static_cast<size_t>(b.width) * b.height, 0);
  for (int y = 0; y < b.height; ++y)
    for (int x = 0; x < static_cast<int>(lines[y].size()); ++x)
      b.bits[static_cast<size_t>(y) * b.width + x] = lines[y][x] == '#' ? 1 : 0;
  return b;
}

// Doubles a bitmap, filling the inner corners of diagonal steps (an EPX variant).
Bitmap epxDouble(const Bitmap& in) {
  Bitmap out;
  out.width = in.width * 2;
  out.height = in.height * 2;
  out.bits.assign(static_cast<size_t>(out.width) * out.height, 0);
  for (int y = 0; y < in.height; ++y) {
    for (int x = 0; x < in.width; ++x) {
      bool p = in.at(x, y);
      bool a = in.at(x, y - 1), b = in.at(x + 1, y), c = in.at(x - 1, y), d = in.at(x, y + 1);
      // Only clear pixels change: the inner corners of diagonal steps fill in,
      // while the square corners of strokes stay square.
      bool q1 = p, q2 = p, q3 = p, q4 = p;
      if (!p && c && a && !d && !b) q1 = true;
      if (!p && a && b && !c && !d) q2 = true;
      if (!p && d && c && !b && !a) q3 = true;
      if (!p && b && d && !a && !c) q4 = true;
      auto put = [&out](int ox, int oy, bool v) { out.bits[static_cast<size_t>(oy) * out.width + ox] = v ? 1 : 0; };
      put(2 * x, 2 * y, q1);
      put(2 * x + 1, 2 * y, q2);
      put(2 * x, 2 * y + 1, q3);
      put(2 * x + 1, 2 * y + 1, q4);
    }
  }
  return out;
}

Canvas::Canvas(int width, int height, float scale)
    : width_(width), height_(height), scale_(scale), pixels_(static_cast<size_t>(width) * height) {}

// Composites a colour over one pixel with a coverage 0..1.
void Canvas::blend(int x, int y, Color c, float coverage) {
  float a = c.a * coverage;
  if (a <= 0.0f) return;
  Color& d = pixels_[static_cast<size_t>(y) * width_ + x];
  float keep = 1.0f - a;
  d.r = c.r * a + d.r * keep;
  d.g = c.g * a + d.g * keep;
  d.b = c.b * a + d.b * keep;
  d.a = a + d.a * keep;
}

// Paints a shape, anti-aliased over one pixel.
void Canvas::fill(const Shape& shape, const Paint& paint) {
  int px0 = std::max(0, static_cast<int>(std::floor(shape.x0 * scale_)) - 1);
  int py0 = std::max(0, static_cast<int>(std::floor(shape.y0 * scale_)) - 1);
  int px1 = std::min(width_ - 1, static_cast<int>(std::ceil(shape.x1 * scale_)) + 1);
  int py1 = std::min(height_ - 1, static_cast<int>(std::ceil(shape.y1 * scale_)) + 1);
  for (int y = py0; y <= py1; ++y) {
    for (int x = px0; x <= px1; ++x) {
      Vec p{(static_cast<float>(x) + 0.5f) / scale_, (static_cast<float>(y) + 0.5f) / scale_};
      float coverage = clamp01(0.5f - shape.sdf(p) * scale_);
      if (coverage > 0.0f) blend(x, y, paint(p), coverage);
    }
  }
}

// Paints a shape, anti-aliased over one pixel.
void Canvas::fill(const Shape& shape, Color color) { fill(shape, solid(color)); }

// Paints a bitmap at (x, y) in units, each bit a square of `cell` units;
void Canvas::bitmap(const Bitmap& bits, float x, float y, Color color, float cellUnits) {
  Bitmap b = bits;
  int factor = 1;
  float bitPixels = scale_ * cellUnits;
  while (static_cast<float>(factor) * 2.0f <= bitPixels + 0.01f) {
    b = epxDouble(b);
    factor *= 2;
  }
  float cell = bitPixels / static_cast<float>(factor);
  int ox = static_cast<int>(std::lround(x * scale_));
  int oy = static_cast<int>(std::lround(y * scale_));
  for (int by = 0; by < b.height; ++by) {
    for (int bx = 0; bx < b.width; ++bx) {
      if (!b.at(bx, by)) continue;
      int sx0 = ox + static_cast<int>(std::lround(bx * cell));
      int sy0 = oy + static_cast<int>(std::lround(by * cell));
      int sx1 = ox + static_cast<int>(std::lround((bx + 1) * cell));
      int sy1 = oy + static_cast<int>(std::lround((by + 1) * cell));
      for (int py = std::max(0, sy0); py < std::min(height_, sy1); ++py)
        for (int px = std::max(0, sx0); px < std::min(width_, sx1); ++px) blend(px, py, color, 1.0f);
    }
  }
}

// Adds a band of a width in units around everything drawn so far, behind it.
void Canvas::outline(Color color, float widthUnits) {
  float radius = widthUnits * scale_;
  int reach = static_cast<int>(std::ceil(radius + 1.0f));
  struct Tap {
    int dx, dy;
    float weight;
  };
  std::vector<Tap> taps;
  for (int dy = -reach; dy <= reach; ++dy)
    for (int dx = -reach; dx <= reach; ++dx) {
      float w = clamp01(radius + 1.0f - std::sqrt(static_cast<float>(dx * dx + dy * dy)));
      if (w > 0.0f) taps.push_back(Tap{dx, dy, w});
    }
  std::vector<float> grown(pixels_.size(), 0.0f);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      float best = 0.0f;
      for (const Tap& t : taps) {
        int sx = x + t.dx, sy = y + t.dy;
        if (sx < 0 || sy < 0 || sx >= width_ || sy >= height_) continue;
        best = std::max(best, pixel(sx, sy).a * t.weight);
        if (best >= 1.0f) break;
      }
      grown[static_cast<size_t>(y) * width_ + x] = best;
    }
  }
  for (size_t i = 0; i < pixels_.size(); ++i) {
    Color& d = pixels_[i];
    float under = grown[i] * color.a * (1.0f - d.a);
    d.r += color.r * under;
    d.g += color.g * under;
    d.b += color.b * under;
    d.a += under;
  }
}

// Adds a soft blurred copy of the current alpha behind everything, offset.
void Canvas::shadow(Color color, float radiusUnits, Vec offset) {
  int r = std::max(1, static_cast<int>(std::lround(radiusUnits * scale_)));
  int ox = static_cast<int>(std::lround(offset.x * scale_));
  int oy = static_cast<int>(std::lround(offset.y * scale_));
  std::vector<float> alpha(pixels_.size()), tmp(pixels_.size());
  for (size_t i = 0; i < pixels_.size(); ++i) alpha[i] = pixels_[i].a;
  // Two box-blur passes (horizontal, then vertical) make a soft falloff.
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      float sum = 0.0f;
      for (int k = -r; k <= r; ++k) {
        int sx = std::min(width_ - 1, std::max(0, x + k));
        sum += alpha[static_cast<size_t>(y) * width_ + sx];
      }
      tmp[static_cast<size_t>(y) * width_ + x] = sum / static_cast<float>(2 * r + 1);
    }
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      float sum = 0.0f;
      for (int k = -r; k <= r; ++k) {
        int sy = std::min(height_ - 1, std::max(0, y + k));
        sum += tmp[static_cast<size_t>(sy) * width_ + x];
      }
      alpha[static_cast<size_t>(y) * width_ + x] = sum / static_cast<float>(2 * r + 1);
    }
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      int sx = x - ox, sy = y - oy;
      if (sx < 0 || sy < 0 || sx >= width_ || sy >= height_) continue;
      Color& d = pixels_[static_cast<size_t>(y) * width_ + x];
      float under = alpha[static_cast<size_t>(sy) * width_ + sx] * color.a * (1.0f - d.a);
      d.r += color.r * under;
      d.g += color.g * under;
      d.b += color.b * under;
      d.a += under;
    }
}

}  // namespace assetgen
