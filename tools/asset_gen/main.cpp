// Zimbolo asset generator: writes every image, font, sound effect and the tune
// into a data directory, and optionally a contact sheet of all images.
//
// Usage: zimbolo_asset_gen OUTPUT_DIR [--contact-sheet FILE.png]
#include <cstdio>
#include <cstring>
#include <string>

#include "art.h"
#include "image.h"

// Parses the arguments, runs every generator and reports failures.
int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR [--contact-sheet FILE.png]\n", argv[0]);
    return 2;
  }
  std::string contactSheet;
  for (int i = 2; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--contact-sheet") == 0) contactSheet = argv[i + 1];

  assetgen::AssetWriter out(argv[1]);
  assetgen::writeGameSprites(out);
  assetgen::writeSparks(out);
  assetgen::writeBadges(out);
  assetgen::writeFonts(out);
  assetgen::writeInterfaceArt(out);
  assetgen::writeBrandArt(out);
  if (!contactSheet.empty()) out.contactSheet(contactSheet);
  if (!out.ok()) {
    std::fprintf(stderr, "asset generation failed: a file could not be written\n");
    return 1;
  }
  return 0;
}
