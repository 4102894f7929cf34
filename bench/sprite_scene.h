// sprite_scene.h: the busiest sprite frame that render_bench draws with our
// renderer and sdl_sprites_bench with SDL2's, so both draw the same scene.
//
// Sprite i is frame i % FRAMES of a white sheet, centred on (i % WIDTH,
// i % HEIGHT), turned i % 360 degrees, scaled by SCALE, at half or full alpha.
#pragma once

namespace sprite_scene {

// Sprites in the frame.
const int SPRITES = 2499;
// The sheet: FRAMES square frames of FRAME pixels side by side.
const int FRAME = 32;
const int FRAMES = 8;
// The window.
const int WIDTH = 640;
const int HEIGHT = 480;
// Each sprite is drawn at one and a half times its size.
const float SCALE = 1.5f;

}  // namespace sprite_scene
