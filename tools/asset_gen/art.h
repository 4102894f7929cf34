// Entry points of the asset generator's drawing modules; each writes its
// sheets (at every level) through the AssetWriter.
#pragma once

#include "image.h"

namespace assetgen {

// The game sprite sheet "gfx": ball, bricks, chain segments, meteor, invader.
void writeGameSprites(AssetWriter& out);
// The spark sheet "parts": small light shapes that are tinted when drawn.
void writeSparks(AssetWriter& out);
// The medal sheet "BadgesA".
void writeBadges(AssetWriter& out);
// The game font "fonts/editundo" and the runtime's default font "vexo_font.png".
void writeFonts(AssetWriter& out);
// Icons, carousel buttons, the on-screen pad, title logo and menu art.
void writeInterfaceArt(AssetWriter& out);
// The studio logo and the test-card circle.
void writeBrandArt(AssetWriter& out);
// The application icon "zimbolo" at 16 to 256 pixels: the game's window
// icon as icon/zimbolo-SIZE.png in the data directory and, with a theme
// writer, the desktop's icon laid out as an icon theme's size folders.
void writeAppIcon(AssetWriter& data, AssetWriter* theme);

}  // namespace assetgen
