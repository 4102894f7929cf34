// Image storage, PNG writing, sheet rendering and the contact sheet.
#include "image.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace assetgen {

namespace {

// Gap between pictures on the contact sheet, in pixels.
constexpr int kContactGap = 8;
// Width of the contact sheet, in pixels.
constexpr int kContactWidth = 4200;
// Side of the checker squares behind the pictures.
constexpr int kCheckerSide = 8;
// The two checker shades (dark, so light art shows).
constexpr uint8_t kCheckerDark = 24;
constexpr uint8_t kCheckerLight = 40;
// PNG compression: fast enough for the biggest sheets, still compact.
constexpr int kPngCompression = 6;

// Converts a premultiplied float component to a straight 8-bit value.
uint8_t toByte(float premultiplied, float alpha) {
  float v = alpha > 0.0f ? premultiplied / alpha : 0.0f;
  v = std::min(1.0f, std::max(0.0f, v));
  return static_cast<uint8_t>(std::lround(v * 255.0f));
}

}  // namespace

Image blankImage(int width, int height) {
  Image img;
  img.width = width;
  img.height = height;
  img.rgba.assign(static_cast<size_t>(width) * height * 4, 0);
  return img;
}

void blit(const Canvas& canvas, Image& image, int x, int y) {
  for (int cy = 0; cy < canvas.height(); ++cy) {
    int iy = y + cy;
    if (iy < 0 || iy >= image.height) continue;
    for (int cx = 0; cx < canvas.width(); ++cx) {
      int ix = x + cx;
      if (ix < 0 || ix >= image.width) continue;
      const Color& c = canvas.pixel(cx, cy);
      float a = std::min(1.0f, std::max(0.0f, c.a));
      uint8_t* d = &image.rgba[(static_cast<size_t>(iy) * image.width + ix) * 4];
      uint8_t alpha = static_cast<uint8_t>(std::lround(a * 255.0f));
      if (alpha == 0) {
        d[0] = d[1] = d[2] = d[3] = 0;
        continue;
      }
      d[0] = toByte(c.r, a);
      d[1] = toByte(c.g, a);
      d[2] = toByte(c.b, a);
      d[3] = alpha;
    }
  }
}

bool writePng(const std::string& path, const Image& image) {
  stbi_write_png_compression_level = kPngCompression;
  return stbi_write_png(path.c_str(), image.width, image.height, 4, image.rgba.data(), image.width * 4) != 0;
}

std::string levelFileName(const std::string& name, int level) {
  if (level == 2) return name + "-hd.png";
  if (level == 4) return name + "-hd2.png";
  return name + ".png";
}

AssetWriter::AssetWriter(std::string outDir) : outDir_(std::move(outDir)) {
  std::filesystem::create_directories(outDir_);
}

std::string AssetWriter::path(const std::string& fileName) const {
  std::filesystem::path p = std::filesystem::path(outDir_) / fileName;
  std::filesystem::create_directories(p.parent_path());
  return p.string();
}

void AssetWriter::sheet(const SheetSpec& spec, const FrameArt& art) {
  int rows = (spec.frames + spec.columns - 1) / spec.columns;
  for (int level : kAssetLevels) {
    int fw = spec.frameWidth * level, fh = spec.frameHeight * level;
    Image img = blankImage(fw * spec.columns, fh * rows);
    for (int i = 0; i < spec.frames; ++i) {
      Canvas frame(fw, fh, static_cast<float>(level));
      art(frame, i);
      blit(frame, img, (i % spec.columns) * fw, (i / spec.columns) * fh);
    }
    std::string file = levelFileName(spec.name, level);
    if (!writePng(path(file), img)) ok_ = false;
    written_.push_back(Written{file, level, std::move(img)});
  }
}

void AssetWriter::image(const std::string& fileName, const Image& img) {
  if (!writePng(path(fileName), img)) ok_ = false;
  written_.push_back(Written{fileName, 1, img});
}

void AssetWriter::bytes(const std::string& fileName, const std::vector<uint8_t>& data) {
  std::ofstream out(path(fileName), std::ios::binary);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  if (!out) ok_ = false;
}

void AssetWriter::contactSheet(const std::string& sheetPath) const {
  struct Placed {
    const Image* image;
    int x, y;
  };
  std::vector<Placed> placed;
  int x = kContactGap, y = kContactGap, rowHeight = 0, width = kContactGap;
  for (int level : kAssetLevels) {
    for (const Written& w : written_) {
      if (w.level != level) continue;
      if (x + w.image.width + kContactGap > kContactWidth && x > kContactGap) {
        x = kContactGap;
        y += rowHeight + kContactGap;
        rowHeight = 0;
      }
      placed.push_back(Placed{&w.image, x, y});
      x += w.image.width + kContactGap;
      width = std::max(width, x);
      rowHeight = std::max(rowHeight, w.image.height);
    }
    x = kContactGap;
    y += rowHeight + kContactGap * 4;
    rowHeight = 0;
  }
  Image sheet = blankImage(width, y);
  for (int py = 0; py < sheet.height; ++py)
    for (int px = 0; px < sheet.width; ++px) {
      uint8_t v = ((px / kCheckerSide + py / kCheckerSide) % 2) ? kCheckerLight : kCheckerDark;
      uint8_t* d = &sheet.rgba[(static_cast<size_t>(py) * sheet.width + px) * 4];
      d[0] = d[1] = d[2] = v;
      d[3] = 255;
    }
  for (const Placed& p : placed) {
    const Image& src = *p.image;
    for (int sy = 0; sy < src.height; ++sy)
      for (int sx = 0; sx < src.width; ++sx) {
        const uint8_t* s = &src.rgba[(static_cast<size_t>(sy) * src.width + sx) * 4];
        uint8_t* d = &sheet.rgba[(static_cast<size_t>(p.y + sy) * sheet.width + p.x + sx) * 4];
        int a = s[3];
        for (int c = 0; c < 3; ++c) d[c] = static_cast<uint8_t>((s[c] * a + d[c] * (255 - a)) / 255);
      }
  }
  writePng(sheetPath, sheet);
}

}  // namespace assetgen
