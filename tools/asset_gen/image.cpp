// Image storage, PNG writing, sheet rendering and the contact sheet.
#include "image.h"

#include <zlib.h>

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
// PNG compression: fast enough for the biggest sheets, still compact; the
// contact sheet is only for review and is packed quickly.
constexpr int kPngCompression = 6;
constexpr int kContactCompression = 1;
// PNG row filters tried per row (none, sub, up, average, Paeth).
constexpr int kPngFilters = 5;
constexpr int kRgbaBytes = 4;
constexpr uint8_t kPngColourRgba = 6;
constexpr uint8_t kPngBitDepth = 8;

// Appends a big-endian 32-bit value.
void putBe32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>((v >> shift) & 0xff));
}

// Appends a PNG chunk with its length and CRC.
void putChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  putBe32(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
  putBe32(out, static_cast<uint32_t>(crc));
}

// Paeth predictor of the PNG format.
int paeth(int a, int b, int c) {
  int p = a + b - c;
  int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// Filters one row with filter type f into out (without the type byte).
void filterRow(int f, const uint8_t* row, const uint8_t* prev, size_t bytes, uint8_t* out) {
  for (size_t i = 0; i < bytes; ++i) {
    int a = i >= kRgbaBytes ? row[i - kRgbaBytes] : 0;
    int b = prev ? prev[i] : 0;
    int c = (prev && i >= kRgbaBytes) ? prev[i - kRgbaBytes] : 0;
    int predicted = 0;
    switch (f) {
      case 1: predicted = a; break;
      case 2: predicted = b; break;
      case 3: predicted = (a + b) / 2; break;
      case 4: predicted = paeth(a, b, c); break;
      default: break;
    }
    out[i] = static_cast<uint8_t>(row[i] - predicted);
  }
}

// Converts a premultiplied float component to a straight 8-bit value.
uint8_t toByte(float premultiplied, float alpha) {
  float v = alpha > 0.0f ? premultiplied / alpha : 0.0f;
  v = std::min(1.0f, std::max(0.0f, v));
  return static_cast<uint8_t>(std::lround(v * 255.0f));
}

}  // namespace

// A transparent image of the given size.
Image blankImage(int width, int height) {
  Image img;
  img.width = width;
  img.height = height;
  img.rgba.assign(static_cast<size_t>(width) * height * 4, 0);
  return img;
}

// Copies a canvas into an image with its top-left corner at (x, y).
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

// Writes an image as PNG at a zlib compression level; false on failure.
bool writePng(const std::string& path, const Image& image, int compression) {
  size_t rowBytes = static_cast<size_t>(image.width) * kRgbaBytes;
  std::vector<uint8_t> raw;
  raw.reserve((rowBytes + 1) * static_cast<size_t>(image.height));
  std::vector<uint8_t> trial(rowBytes), best(rowBytes);
  for (int y = 0; y < image.height; ++y) {
    const uint8_t* row = &image.rgba[static_cast<size_t>(y) * rowBytes];
    const uint8_t* prev = y > 0 ? row - rowBytes : nullptr;
    long bestScore = -1;
    int bestFilter = 0;
    for (int f = 0; f < kPngFilters; ++f) {
      filterRow(f, row, prev, rowBytes, trial.data());
      long score = 0;
      for (uint8_t v : trial) score += v < 128 ? v : 256 - v;
      if (bestScore < 0 || score < bestScore) {
        bestScore = score;
        bestFilter = f;
        best.swap(trial);
      }
    }
    raw.push_back(static_cast<uint8_t>(bestFilter));
    raw.insert(raw.end(), best.begin(), best.end());
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), compression) != Z_OK) return false;
  packed.resize(packedSize);

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  std::vector<uint8_t> header;
  putBe32(header, static_cast<uint32_t>(image.width));
  putBe32(header, static_cast<uint32_t>(image.height));
  header.insert(header.end(), {kPngBitDepth, kPngColourRgba, 0, 0, 0});
  putChunk(png, "IHDR", header);
  putChunk(png, "IDAT", packed);
  putChunk(png, "IEND", {});
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(out);
}

// File name of a sheet at a level: "-hd" for 2, "-hd2" for 4, then ".png".
std::string levelFileName(const std::string& name, int level) {
  if (level == 2) return name + "-hd.png";
  if (level == 4) return name + "-hd2.png";
  return name + ".png";
}

// Writer into outDir (created when missing).
AssetWriter::AssetWriter(std::string outDir) : outDir_(std::move(outDir)) {
  std::filesystem::create_directories(outDir_);
}

// Full path of a file under the output directory (parent folders created).
std::string AssetWriter::path(const std::string& fileName) const {
  std::filesystem::path p = std::filesystem::path(outDir_) / fileName;
  std::filesystem::create_directories(p.parent_path());
  return p.string();
}

// Renders and writes the sheet at all three levels.
void AssetWriter::sheet(const SheetLayout& layout, const FrameArt& art) {
  int rows = (layout.frames + layout.columns - 1) / layout.columns;
  for (int level : kAssetLevels) {
    int fw = layout.frameWidth * level, fh = layout.frameHeight * level;
    Image img = blankImage(fw * layout.columns, fh * rows);
    for (int i = 0; i < layout.frames; ++i) {
      Canvas frame(fw, fh, static_cast<float>(level));
      art(frame, i);
      blit(frame, img, (i % layout.columns) * fw, (i / layout.columns) * fh);
    }
    std::string file = levelFileName(layout.name, level);
    if (!writePng(path(file), img, kPngCompression)) ok_ = false;
    written_.push_back(Written{file, level, std::move(img)});
  }
}

// Writes one finished image under its file name.
void AssetWriter::image(const std::string& fileName, const Image& img) {
  if (!writePng(path(fileName), img, kPngCompression)) ok_ = false;
  written_.push_back(Written{fileName, 1, img});
}

// Writes raw bytes under a file name.
void AssetWriter::bytes(const std::string& fileName, const std::vector<uint8_t>& data) {
  std::ofstream out(path(fileName), std::ios::binary);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  if (!out) ok_ = false;
}

// Writes every image written so far, level by level, onto one PNG.
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
  writePng(sheetPath, sheet, kContactCompression);
}

}  // namespace assetgen
