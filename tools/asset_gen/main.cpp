// Zimbolo asset generator: writes every image, font, sound effect and the tune
// into a data directory with the game's window icon, and optionally a contact
// sheet of all images and the desktop's application icon.
//
// Usage: zimbolo_asset_gen OUTPUT_DIR [--contact-sheet FILE.png] [--icons DIR]
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "art.h"
#include "audio.h"
#include "image.h"

// Parses the arguments, draws the images while the sounds are synthesised on
// a second thread, and reports failures.
int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR [--contact-sheet FILE.png] [--icons DIR]\n", argv[0]);
    return 2;
  }
  std::string contactSheet;
  std::string iconDir;
  for (int i = 2; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--contact-sheet") == 0) contactSheet = argv[i + 1];
    if (std::strcmp(argv[i], "--icons") == 0) iconDir = argv[i + 1];
  }

  assetgen::AssetWriter sounds(argv[1]);
  std::thread audio([&sounds] {
    assetgen::writeSoundEffects(sounds);
    assetgen::writeMusic(sounds);
  });

  assetgen::AssetWriter images(argv[1]);
  assetgen::writeGameSprites(images);
  assetgen::writeSparks(images);
  assetgen::writeBadges(images);
  assetgen::writeFonts(images);
  assetgen::writeInterfaceArt(images);
  assetgen::writeBrandArt(images);
  std::unique_ptr<assetgen::AssetWriter> theme;
  if (!iconDir.empty()) theme = std::make_unique<assetgen::AssetWriter>(iconDir);
  assetgen::writeAppIcon(images, theme.get());
  if (!contactSheet.empty()) images.contactSheet(contactSheet);
  audio.join();

  if (!images.ok() || !sounds.ok() || (theme && !theme->ok())) {
    std::fprintf(stderr, "asset generation failed: a file could not be written\n");
    return 1;
  }
  return 0;
}
