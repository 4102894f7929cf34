// 8-bit RGBA images, PNG output, and the writer that renders frame sheets at
// every asset level and remembers them for the contact sheet.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "canvas.h"

namespace assetgen {

// Straight-alpha 8-bit RGBA pixels, row by row.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;
};

// A transparent image of the given size.
Image blankImage(int width, int height);
// Copies a canvas into an image with its top-left corner at (x, y).
void blit(const Canvas& canvas, Image& image, int x, int y);
// Writes an image as PNG at a zlib compression level; false on failure.
bool writePng(const std::string& path, const Image& image, int compression);

// The asset levels: level 1 sizes, twice and four times those.
constexpr int kAssetLevels[] = {1, 2, 4};

// File name of a sheet at a level: "-hd" for 2, "-hd2" for 4, then ".png".
std::string levelFileName(const std::string& name, int level);

// A sheet of equal frames laid out in reading order.
struct SheetLayout {
  std::string name;  // path under the data directory, without suffix
  int frameWidth;    // level-1 frame width in pixels
  int frameHeight;   // level-1 frame height in pixels
  int frames;        // frame count
  int columns;       // frames per row
};

// Draws frame `index` onto a canvas sized to one frame (units = level-1 pixels).
using FrameArt = std::function<void(Canvas& canvas, int index)>;

// Writes assets under one output directory and keeps what it wrote.
class AssetWriter {
 public:
  // Writer into outDir (created when missing).
  explicit AssetWriter(std::string outDir);

  // Renders and writes the sheet at all three levels.
  void sheet(const SheetLayout& layout, const FrameArt& art);
  // Writes one finished image under its file name.
  void image(const std::string& fileName, const Image& image);
  // Writes raw bytes under a file name.
  void bytes(const std::string& fileName, const std::vector<uint8_t>& data);
  // Writes every image written so far, level by level, onto one PNG.
  void contactSheet(const std::string& path) const;

  // Full path of a file under the output directory (parent folders created).
  std::string path(const std::string& fileName) const;
  // False once any file failed to be written.
  bool ok() const { return ok_; }

 private:
  struct Written {
    std::string name;
    int level;
    Image image;
  };

  std::string outDir_;
  std::vector<Written> written_;
  bool ok_ = true;
};

}  // namespace assetgen
