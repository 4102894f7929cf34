// Checks the generated game data: every image sheet at every asset level
// (names, sizes, frame grids, channels, content), the default font strip,
// the sound effects, the looping tune, and that generation is reproducible.
#include <gtest/gtest.h>

#define STB_VORBIS_HEADER_ONLY
#include <stb_image.h>
#include <stb_vorbis.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kAssetLevels[] = {1, 2, 4};
constexpr int kSampleRate = 44100;
constexpr int kMinTuneSeconds = 45;
// The game font: 128 frames of 16 x 16 at level 1, frame f = character f + 32.
constexpr int kFontFirstChar = 32;
constexpr int kFontAdvance = 7;
constexpr int kFontLineHeight = 10;
// Alpha above which a pixel counts as drawn.
constexpr int kVisibleAlpha = 8;

// One image file of the slot table with its level-1 frame layout.
struct SheetLayout {
  const char* name;
  int frameWidth;
  int frameHeight;
  int frames;
  int clearBorder;    // level-1 pixels left clear on every side of a frame
};

// Sprites keep one clear pixel so that they do not bleed into their
// neighbours. The studio logo keeps a wide margin: at the credits button's
// scale 0.35, 32 pixels below the top of the menu, it then stays clear of the
// edge and of the score heading 60 pixels down.
const SheetLayout kSheets[] = {
    {"gfx", 32, 32, 64, 1},
    {"BadgesA", 64, 64, 64, 1},
    {"fonts/editundo", 16, 16, 128, 1},
    {"common/Testcard_Circle", 256, 256, 1, 1},
    {"common/OvriLogo", 256, 256, 1, 60},
    {"common/dpad", 32, 32, 16, 1},
    {"common/Buttons", 64, 64, 16, 1},
    {"parts", 8, 8, 256, 1},
    {"common/icons", 32, 32, 16, 1},
    {"logo", 256, 128, 1, 1},
    {"menu", 256, 256, 4, 0},
};

const int kEffectIds[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 95, 96, 98, 99};

// The build directory, as the build configured it.
fs::path buildDir() { return fs::path(ZIMBOLO_BUILD_DIR); }

// Directory the build writes the assets to.
fs::path dataDir() { return buildDir() / "data"; }

// File name of a sheet at an asset level.
std::string levelFile(const std::string& name, int level) {
  if (level == 2) return name + "-hd.png";
  if (level == 4) return name + "-hd2.png";
  return name + ".png";
}

// A decoded RGBA image.
struct Picture {
  int width = 0;
  int height = 0;
  int channels = 0;
  std::vector<uint8_t> rgba;

  // Pixel component c (0 r, 1 g, 2 b, 3 a) at (x, y).
  int at(int x, int y, int c) const { return rgba[(static_cast<size_t>(y) * width + x) * 4 + c]; }
};

// Loads a PNG as RGBA, recording the channel count stored in the file.
bool loadPicture(const fs::path& path, Picture& out) {
  int w = 0, h = 0, n = 0;
  std::unique_ptr<unsigned char, void (*)(void*)> data(stbi_load(path.string().c_str(), &w, &h, &n, 4), stbi_image_free);
  if (!data) return false;
  out.width = w;
  out.height = h;
  out.channels = n;
  out.rgba.assign(data.get(), data.get() + static_cast<size_t>(w) * h * 4);
  return true;
}

// Statistics of one frame of a sheet.
struct FrameStats {
  int visible = 0;           // pixels with alpha above kVisibleAlpha
  int borderVisible = 0;     // such pixels within the border of the frame
  double meanR = 0, meanG = 0, meanB = 0;  // mean body colour (opaque, neither outline nor shine)
  double lightShare = 0;     // share of opaque pixels that are light
  double coverBrightness = 0;  // mean of max(r, g, b) / 255 weighted by alpha
  int inkLeft = -1, inkRight = -1, inkTop = -1, inkBottom = -1;  // box of bright pixels
};

// Measures frame `index` of a sheet with frames of fw x fh pixels, with a
// border of that many pixels.
FrameStats frameStats(const Picture& p, int fw, int fh, int index, int border = 1) {
  int columns = p.width / fw;
  int x0 = (index % columns) * fw, y0 = (index / columns) * fh;
  FrameStats s;
  int opaque = 0, body = 0;
  double coverage = 0;
  for (int y = 0; y < fh; ++y)
    for (int x = 0; x < fw; ++x) {
      int a = p.at(x0 + x, y0 + y, 3);
      if (a <= kVisibleAlpha) continue;
      ++s.visible;
      coverage += a;
      s.coverBrightness += a * std::max({p.at(x0 + x, y0 + y, 0), p.at(x0 + x, y0 + y, 1), p.at(x0 + x, y0 + y, 2)}) / 255.0;
      if (x < border || y < border || x >= fw - border || y >= fh - border) ++s.borderVisible;
      int r = p.at(x0 + x, y0 + y, 0), g = p.at(x0 + x, y0 + y, 1), b = p.at(x0 + x, y0 + y, 2);
      if (a > 200) {
        ++opaque;
        if (std::max({r, g, b}) >= 180) s.lightShare += 1.0;
        if (std::max({r, g, b}) > 90 && std::min({r, g, b}) < 200) {
          ++body;
          s.meanR += r;
          s.meanG += g;
          s.meanB += b;
        }
        if (std::min({r, g, b}) > 200) {
          if (s.inkLeft < 0 || x < s.inkLeft) s.inkLeft = x;
          if (x > s.inkRight) s.inkRight = x;
          if (s.inkTop < 0 || y < s.inkTop) s.inkTop = y;
          if (y > s.inkBottom) s.inkBottom = y;
        }
      }
    }
  if (opaque > 0) {
    s.lightShare /= opaque;
  }
  if (coverage > 0) s.coverBrightness /= coverage;
  if (body > 0) {
    s.meanR /= body;
    s.meanG /= body;
    s.meanB /= body;
  }
  return s;
}

// Loads a sheet at a level, failing the test when it cannot be read.
Picture loadSheet(const SheetLayout& layout, int level) {
  Picture p;
  fs::path path = dataDir() / levelFile(layout.name, level);
  EXPECT_TRUE(loadPicture(path, p)) << path;
  return p;
}

// Reads a whole file.
std::vector<uint8_t> readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Little-endian integer of a byte width at an offset.
uint32_t readLe(const std::vector<uint8_t>& d, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | d[at + static_cast<size_t>(i)];
  return v;
}

// A parsed 16-bit mono WAV file.
struct Wave {
  uint16_t format = 0, channels = 0, bits = 0;
  uint32_t rate = 0;
  std::vector<int16_t> samples;
};

// Parses RIFF/WAVE with a 16-byte "fmt " chunk followed by "data".
bool parseWave(const std::vector<uint8_t>& d, Wave& w) {
  if (d.size() < 44 || std::string(d.begin(), d.begin() + 4) != "RIFF" || std::string(d.begin() + 8, d.begin() + 12) != "WAVE")
    return false;
  if (readLe(d, 4, 4) != d.size() - 8) return false;
  if (std::string(d.begin() + 12, d.begin() + 16) != "fmt " || readLe(d, 16, 4) != 16) return false;
  w.format = static_cast<uint16_t>(readLe(d, 20, 2));
  w.channels = static_cast<uint16_t>(readLe(d, 22, 2));
  w.rate = readLe(d, 24, 4);
  w.bits = static_cast<uint16_t>(readLe(d, 34, 2));
  if (std::string(d.begin() + 36, d.begin() + 40) != "data") return false;
  uint32_t bytes = readLe(d, 40, 4);
  if (bytes != d.size() - 44 || bytes % 2 != 0) return false;
  for (size_t i = 44; i + 1 < d.size(); i += 2) w.samples.push_back(static_cast<int16_t>(readLe(d, i, 2)));
  return true;
}

// Path of an effect file.
fs::path effectPath(int id) {
  char name[32];
  std::snprintf(name, sizeof name, "sfx/%03d.wav", id);
  return dataDir() / name;
}

// The game's ink colours 1..8 (sprite colours follow this order).
const double kInks[8][3] = {{1, 0.1, 0.1}, {1, 0.5, 0.1}, {1, 1, 0.1}, {0.1, 1, 0.1},
                            {0.1, 1, 1},   {0.1, 0.1, 1}, {0.5, 0.1, 1}, {1, 0.1, 0.5}};

// Ink number (1..8) whose hue is closest to a mean colour.
int nearestInk(double r, double g, double b) {
  double top = std::max({r, g, b, 1.0});
  int best = 0;
  double bestDistance = 1e9;
  for (int i = 0; i < 8; ++i) {
    double dr = r / top - kInks[i][0], dg = g / top - kInks[i][1], db = b / top - kInks[i][2];
    double d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = i + 1;
    }
  }
  return best;
}

// Text spacing adjustment of a character (the game's text measure).
int spacingAdjustment(char c) {
  switch (c) {
    case 'w': case 'm': return 2;
    case 'W': case 'M': return 1;
    case 'i': case 'f': case 'l': return -3;
    case 'j': case 's': case 'k': case 'r': case 'z': case 't': case 'n': return -1;
    default: return 0;
  }
}

}  // namespace

// Each sheet loads as RGBA and its frame grid holds exactly its frame count.
TEST(AssetImages, EverySheetHasItsFrameGridAtEveryLevel) {
  for (const SheetLayout& layout : kSheets) {
    for (int level : kAssetLevels) {
      SCOPED_TRACE(levelFile(layout.name, level));
      Picture p = loadSheet(layout, level);
      int fw = layout.frameWidth * level, fh = layout.frameHeight * level;
      EXPECT_EQ(p.channels, 4);
      ASSERT_GT(p.width, 0);
      EXPECT_EQ(p.width % fw, 0);
      EXPECT_EQ(p.height % fh, 0);
      EXPECT_EQ((p.width / fw) * (p.height / fh), layout.frames) << "grid must hold exactly the frame count";
    }
  }
}

// No frame is left empty, and every frame keeps its clear border.
TEST(AssetImages, EveryFrameHasArtAndKeepsItsClearBorder) {
  for (const SheetLayout& layout : kSheets) {
    for (int level : kAssetLevels) {
      SCOPED_TRACE(levelFile(layout.name, level));
      Picture p = loadSheet(layout, level);
      if (p.width == 0) continue;
      int fw = layout.frameWidth * level, fh = layout.frameHeight * level;
      for (int f = 0; f < layout.frames; ++f) {
        bool isSpace = std::string(layout.name) == "fonts/editundo" && f == 0;
        FrameStats s = frameStats(p, fw, fh, f, layout.clearBorder * level);
        if (isSpace) {
          EXPECT_EQ(s.visible, 0) << "the space glyph is blank";
        } else {
          EXPECT_GT(s.visible, fw * fh / 100) << "frame " << f << " is empty";
        }
        EXPECT_EQ(s.borderVisible, 0) << "frame " << f << " reaches into its clear border";
      }
    }
  }
}

// The -hd and -hd2 files are redrawn, not enlarged copies of level 1.
TEST(AssetImages, HigherLevelsAreDrawnAtTheirOwnResolution) {
  for (const SheetLayout& layout : kSheets) {
    Picture base = loadSheet(layout, 1);
    for (int level : {2, 4}) {
      SCOPED_TRACE(levelFile(layout.name, level));
      Picture p = loadSheet(layout, level);
      if (p.width != base.width * level || p.height != base.height * level) continue;
      int differing = 0;
      for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
          int diff = 0;
          for (int c = 0; c < 4; ++c) diff = std::max(diff, std::abs(p.at(x, y, c) - base.at(x / level, y / level, c)));
          if (diff > 32) ++differing;
        }
      EXPECT_GT(differing, p.width * p.height / 200) << "looks like a plain enlargement of level 1";
    }
  }
}

// Brick and chain colours follow the game's ink colours so sparks match.
TEST(AssetImages, BrickAndSegmentColoursFollowTheInkOrder) {
  const SheetLayout& gfx = kSheets[0];
  for (int level : kAssetLevels) {
    SCOPED_TRACE(level);
    Picture p = loadSheet(gfx, level);
    int side = gfx.frameWidth * level;
    for (int brick = 0; brick < 7; ++brick) {
      FrameStats s = frameStats(p, side, side, 1 + brick);
      EXPECT_EQ(nearestInk(s.meanR, s.meanG, s.meanB), brick + 1) << "brick frame " << 1 + brick;
    }
    for (int segment = 0; segment < 8; ++segment) {
      FrameStats s = frameStats(p, side, side, 8 + segment);
      EXPECT_EQ(nearestInk(s.meanR, s.meanG, s.meanB), segment + 1) << "segment frame " << 8 + segment;
    }
  }
}

// Sparks and tinted icons are light enough for the tint to show.
TEST(AssetImages, SparksAndTintedIconsAreLight) {
  const SheetLayout& parts = kSheets[7];
  const SheetLayout& icons = kSheets[8];
  for (int level : kAssetLevels) {
    SCOPED_TRACE(level);
    Picture sparks = loadSheet(parts, level);
    for (int f = 0; f < parts.frames; ++f) {
      FrameStats s = frameStats(sparks, parts.frameWidth * level, parts.frameHeight * level, f);
      EXPECT_GT(s.coverBrightness, 0.7) << "spark " << f;
      EXPECT_LT(std::max({s.meanR, s.meanG, s.meanB}) - std::min({s.meanR, s.meanG, s.meanB}), 25.0) << "spark " << f << " is not grey";
    }
    Picture icon = loadSheet(icons, level);
    for (int f : {0, 1, 3, 6, 7}) {
      FrameStats s = frameStats(icon, icons.frameWidth * level, icons.frameHeight * level, f);
      EXPECT_GT(s.lightShare, 0.4) << "icon " << f;
    }
  }
}

// Glyphs fit the text advance (with its spacing adjustments) and line height.
TEST(AssetFont, GlyphsFitTheAdvanceAndLineHeight) {
  const SheetLayout& font = kSheets[2];
  Picture p = loadSheet(font, 1);
  for (int code = 33; code < 127; ++code) {
    FrameStats s = frameStats(p, font.frameWidth, font.frameHeight, code - kFontFirstChar);
    SCOPED_TRACE(std::string(1, static_cast<char>(code)));
    ASSERT_GE(s.inkLeft, 0) << "glyph has no white pixels";
    EXPECT_LE(s.inkRight - s.inkLeft + 1, kFontAdvance + spacingAdjustment(static_cast<char>(code)) - 1);
    EXPECT_LT(s.inkBottom - s.inkTop + 1, kFontLineHeight);
  }
}

// Every pad-button and key-cap symbol is drawn differently.
TEST(AssetFont, ButtonAndKeySymbolsAreAllDifferent) {
  const SheetLayout& font = kSheets[2];
  for (int level : kAssetLevels) {
    SCOPED_TRACE(level);
    Picture p = loadSheet(font, level);
    int side = font.frameWidth * level;
    std::set<std::vector<uint8_t>> seen;
    for (int first : {96, 112})
      for (int f = first; f <= first + 12; ++f) {
        std::vector<uint8_t> pixels;
        int columns = p.width / side;
        for (int y = 0; y < side; ++y)
          for (int x = 0; x < side; ++x)
            for (int c = 0; c < 4; ++c) pixels.push_back(static_cast<uint8_t>(p.at((f % columns) * side + x, (f / columns) * side + y, c)));
        EXPECT_TRUE(seen.insert(pixels).second) << "symbol frame " << f << " repeats another";
      }
  }
}

// The default font strip has 96 frames with clear padding columns.
TEST(AssetFont, DefaultFontStripHasNinetySixPaddedFrames) {
  Picture p;
  ASSERT_TRUE(loadPicture(dataDir() / "vexo_font.png", p));
  EXPECT_EQ(p.channels, 4);
  ASSERT_EQ(p.width % 96, 0);
  int fw = p.width / 96;
  ASSERT_GE(fw, 3);
  for (int f = 0; f < 96; ++f) {
    for (int y = 0; y < p.height; ++y) {
      EXPECT_EQ(p.at(f * fw, y, 3), 0) << "left padding of frame " << f;
      EXPECT_EQ(p.at(f * fw + fw - 1, y, 3), 0) << "right padding of frame " << f;
    }
    FrameStats s = frameStats(p, fw, p.height, f);
    if (f == 0) {
      EXPECT_EQ(s.visible, 0);
    } else {
      EXPECT_GT(s.visible, 0) << "glyph " << f + 32;
    }
  }
}

// Each effect is a short, distinct 16-bit mono 44.1 kHz WAV peaking near -3 dBFS without end clicks.
TEST(AssetSounds, EffectsAreShortCleanMonoWaves) {
  std::set<std::vector<int16_t>> seen;
  for (int id : kEffectIds) {
    SCOPED_TRACE(effectPath(id).string());
    Wave w;
    ASSERT_TRUE(parseWave(readFile(effectPath(id)), w));
    EXPECT_EQ(w.format, 1);
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.rate, static_cast<uint32_t>(kSampleRate));
    EXPECT_EQ(w.bits, 16);
    double seconds = static_cast<double>(w.samples.size()) / kSampleRate;
    EXPECT_GT(seconds, 0.03);
    EXPECT_LT(seconds, 2.0);
    int peak = 0;
    for (int16_t v : w.samples) peak = std::max(peak, std::abs(static_cast<int>(v)));
    double peakDb = 20.0 * std::log10(peak / 32767.0);
    EXPECT_NEAR(peakDb, -3.0, 0.5);
    EXPECT_LT(std::abs(w.samples.front()), 330) << "starts with a click";
    EXPECT_LT(std::abs(w.samples.back()), 330) << "ends with a click";
    EXPECT_TRUE(seen.insert(w.samples).second) << "same sound as another effect";
  }
}

// The tune decodes as long stereo audio whose end joins its start smoothly.
TEST(AssetSounds, TuneIsALongStereoLoopWithoutASeam) {
  int channels = 0, rate = 0;
  short* raw = nullptr;
  int frames = stb_vorbis_decode_filename((dataDir() / "sfx/Freeflowing.ogg").string().c_str(), &channels, &rate, &raw);
  std::unique_ptr<short, void (*)(void*)> data(raw, std::free);
  ASSERT_GT(frames, 0) << "the tune does not decode";
  EXPECT_EQ(channels, 2);
  EXPECT_EQ(rate, kSampleRate);
  EXPECT_GE(frames, kMinTuneSeconds * kSampleRate);
  for (int c = 0; c < channels; ++c) {
    std::vector<int> steps;
    int peak = 0;
    for (int i = 0; i + 1 < frames; ++i) {
      steps.push_back(std::abs(raw[(i + 1) * channels + c] - raw[i * channels + c]));
      peak = std::max(peak, std::abs(static_cast<int>(raw[i * channels + c])));
    }
    std::sort(steps.begin(), steps.end());
    int typicalLargeStep = steps[steps.size() * 99 / 100];
    int seam = std::abs(raw[c] - raw[(frames - 1) * channels + c]);
    EXPECT_GT(peak, 3000) << "channel " << c << " is nearly silent";
    EXPECT_LE(seam, typicalLargeStep) << "the loop point jumps on channel " << c;
  }
}

// The build leaves a contact sheet big enough to show every sheet.
TEST(AssetGeneration, ContactSheetShowsEverySheet) {
  Picture sheet;
  ASSERT_TRUE(loadPicture(buildDir() / "asset_contact_sheet.png", sheet));
  long area = 0;
  for (const SheetLayout& layout : kSheets)
    for (int level : kAssetLevels) area += static_cast<long>(layout.frameWidth) * layout.frameHeight * layout.frames * level * level;
  EXPECT_GE(static_cast<long>(sheet.width) * sheet.height, area);
}

// Generating again into another directory gives byte-identical files.
TEST(AssetGeneration, ASecondRunWritesIdenticalFiles) {
  fs::path generator = buildDir() / "zimbolo_asset_gen";
  ASSERT_TRUE(fs::exists(generator));
  fs::path again = fs::temp_directory_path() / ("zimbolo_assets_again_" + std::to_string(::getpid()));
  fs::remove_all(again);
  std::string command = "\"" + generator.string() + "\" \"" + again.string() + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0);
  int compared = 0;
  for (const auto& entry : fs::recursive_directory_iterator(again)) {
    if (!entry.is_regular_file()) continue;
    fs::path relative = fs::relative(entry.path(), again);
    SCOPED_TRACE(relative.string());
    EXPECT_TRUE(readFile(entry.path()) == readFile(dataDir() / relative)) << "differs between runs";
    ++compared;
  }
  int built = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dataDir()))
    if (entry.is_regular_file()) ++built;
  EXPECT_EQ(compared, built);
  fs::remove_all(again);
}
