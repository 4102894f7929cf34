// loader.cpp: asset levels, image, font and sound slots, the step loader and
// the fullscreen switch.
//
// Images come in three resolutions chosen from the window size: level 1 files
// have no suffix, level 2 files "-hd" and level 4 files "-hd2". Every asset is
// (re)loaded by a step loader, one asset per update, so the loading screen
// keeps moving.
#include "audio/audio_api.h"
#include "game/my_app.h"
#include "graphics/graphics_api.h"
#include "graphics/gxtk_surface.h"
#include "host/app.h"
#include "host/kx_game.h"

namespace {

// Windows this large on either side use the higher asset levels.
const int LEVEL2_SIDE = 631;
const int LEVEL4_SIDE = 1231;
// Image flag: handle at the frame centre.
const int FLAG_MID_HANDLE = 1;
// The font: 128 square frames of 16 pixels at level 1.
const int FONT_FRAMES = 128;
const int FONT_FRAME_SIZE = 16;
const int FONT_ADVANCE = 7;
const int FONT_LINE_HEIGHT = 10;
// The windowed size after leaving fullscreen, before the desktop's content scale.
const int WINDOW_WIDTH = 640;
const int WINDOW_HEIGHT = 480;

// An image slot: its file (without level suffix) and frame layout at level 1.
struct ImageAsset {
	int slot;
	const char* path;
	int width;
	int height;
	int frames;
};
const ImageAsset IMAGES[] = {
	{IMG_SPRITES, "gfx", 32, 32, 64},
	{IMG_BADGES, "BadgesA", 64, 64, 64},
	{IMG_TESTCARD, "common/Testcard_Circle", 256, 256, 1},
	{IMG_LOGO, "common/OvriLogo", 256, 256, 1},
	{IMG_DPAD, "common/dpad", 32, 32, 16},
	{IMG_BUTTONS, "common/Buttons", 64, 64, 16},
	{IMG_PARTICLES, "parts", 8, 8, 256},
	{IMG_ICONS, "common/icons", 32, 32, 16},
	{IMG_TITLE, "logo", 256, 128, 1},
	{IMG_MENU, "menu", 256, 256, 4},
};

// What one loader step loads: an image slot, the font, or a sound effect.
enum StepKind { STEP_IMAGE, STEP_FONT, STEP_SOUND };
struct LoadStep {
	StepKind kind;
	int id;
};
const LoadStep LOAD_STEPS[] = {
	{STEP_IMAGE, IMG_ICONS},  {STEP_IMAGE, IMG_BUTTONS},   {STEP_IMAGE, IMG_DPAD},   {STEP_IMAGE, IMG_LOGO},
	{STEP_IMAGE, IMG_TESTCARD}, {STEP_FONT, IMG_FONT},      {STEP_SOUND, 1},          {STEP_SOUND, 95},
	{STEP_SOUND, SFX_MENU},   {STEP_SOUND, SFX_BOX},       {STEP_IMAGE, IMG_MENU},   {STEP_IMAGE, IMG_TITLE},
	{STEP_IMAGE, IMG_PARTICLES}, {STEP_IMAGE, IMG_BADGES}, {STEP_IMAGE, IMG_SPRITES}, {STEP_SOUND, 2},
	{STEP_SOUND, 3},          {STEP_SOUND, 4},             {STEP_SOUND, 5},          {STEP_SOUND, 6},
	{STEP_SOUND, 10},         {STEP_SOUND, 11},            {STEP_SOUND, 7},          {STEP_SOUND, 8},
	{STEP_SOUND, 9},          {STEP_SOUND, 12},            {STEP_SOUND, 13},
};
const int LOAD_STEP_COUNT = sizeof(LOAD_STEPS) / sizeof(LOAD_STEPS[0]);
static_assert(LOAD_STEP_COUNT == 27, "the loader has 27 steps");
// The step that loads the logo and plays the jingle, and the one that also
// loads the jingle itself.
const int STEP_ICONS = 1;
const int STEP_LOGO = 4;

// Frees the pixels and the texture of an image that a slot is about to drop.
// NOTE: not left to the collector: it looks for garbage only after 8 MiB of
// new allocation, which the menu never reaches, so after leaving full screen
// the level 4 images replaced last (some 40 MB) would be kept for good.
void DiscardImage(c_Image* image) {
	if (image && image->m_surface) image->m_surface->Discard();
}

// The slot table entry of an image slot.
const ImageAsset& ImageOf(int slot) {
	for (const ImageAsset& image : IMAGES) {
		if (image.slot == slot) return image;
	}
	return IMAGES[0];
}

}  // namespace

//----------------------------------------------------------------------------
// Levels and slots
//----------------------------------------------------------------------------

// The asset level and its inverse scale from the window size.
int c_MyApp::p_AssetLevel() {
	int w = kx_app_DeviceWidth();
	int h = kx_app_DeviceHeight();
	m_assetRes = 1;
	m_assetScale = 1.0f;
	if (w >= LEVEL2_SIDE || h >= LEVEL2_SIDE) {
		m_assetRes = 2;
		m_assetScale = 0.5f;
	}
	if (w >= LEVEL4_SIDE || h >= LEVEL4_SIDE) {
		m_assetRes = 4;
		m_assetScale = 0.25f;
	}
	return 0;
}

// path with the level suffix and ".png".
String c_MyApp::p_LevelPath(String path) {
	if (m_assetRes == 2) return path + String("-hd.png");
	if (m_assetRes == 4) return path + String("-hd2.png");
	return path + String(".png");
}

// Loads an image into a slot and records its frame sizes (also on failure).
int c_MyApp::p_LoadImg(int slot, String path, int w, int h, int frames, int flags) {
	DiscardImage(m_images[slot]);
	gc_assign(m_images[slot], static_cast<c_Image*>(nullptr));
	gc_assign(m_images[slot], kx_graphics_LoadImage2(p_LevelPath(path), w * m_assetRes, h * m_assetRes, frames, flags));
	m_imgInfo[3 * slot] = w * m_assetRes;
	m_imgInfo[3 * slot + 1] = h * m_assetRes;
	m_imgInfo[3 * slot + 2] = frames;
	return 0;
}

// Loads the text font into a slot and makes it the font.
int c_MyApp::p_LoadFont(int slot, String path, int advance, int lineHeight) {
	int size = FONT_FRAME_SIZE * m_assetRes;
	DiscardImage(m_images[slot]);
	gc_assign(m_images[slot], kx_graphics_LoadImage2(p_LevelPath(path), size, size, FONT_FRAMES, FLAG_MID_HANDLE));
	m_imgInfo[3 * slot] = advance;
	m_imgInfo[3 * slot + 1] = lineHeight;
	m_imgInfo[3 * slot + 2] = FONT_FRAMES;
	m_fontImage = slot;
	return 0;
}

// Loads an image slot of the slot table.
int c_MyApp::p_LoadSlot(int slot) {
	const ImageAsset& image = ImageOf(slot);
	return p_LoadImg(slot, String(image.path), image.width, image.height, image.frames, FLAG_MID_HANDLE);
}

// Black clear, asset level, the logo and the font at once; arms the loader.
int c_MyApp::p_Reload() {
	m_clsRed = 0;
	m_clsGreen = 0;
	m_clsBlue = 0;
	m_clsAlpha = 1;
	p_AssetLevel();
	p_LoadSlot(IMG_LOGO);
	p_LoadFont(IMG_FONT, String("fonts/editundo"), FONT_ADVANCE, FONT_LINE_HEIGHT);
	m_loadStep = 1;
	return 0;
}

//----------------------------------------------------------------------------
// Step loader
//----------------------------------------------------------------------------

// Loads the asset of one step (1..27).
int c_MyApp::p_LoadStep(int step) {
	const LoadStep& s = LOAD_STEPS[step - 1];
	if (s.kind == STEP_IMAGE) p_LoadSlot(s.id);
	if (s.kind == STEP_FONT) p_LoadFont(s.id, String("fonts/editundo"), FONT_ADVANCE, FONT_LINE_HEIGHT);
	if (s.kind == STEP_SOUND) p_LoadSFX(s.id);
	if (step == STEP_ICONS) p_LoadSFX(SFX_JINGLE);
	if (step == STEP_LOGO && m_logoJinglePlayed == 0) {
		p_PlaySFX(SFX_JINGLE, 1.0f);
		m_logoJinglePlayed = 1;
	}
	return 0;
}

// One loader step and the loading screen.
int c_MyApp::p_Loader() {
	p_AssetLevel();
	if (m_loadStep >= 1 && m_loadStep <= LOAD_STEP_COUNT) {
		p_LoadStep(m_loadStep);
		++m_loadStep;
	} else {
		m_loadStep = 0;
	}
	p_WaitStart(1);
	return 0;
}

//----------------------------------------------------------------------------
// Fullscreen
//----------------------------------------------------------------------------

// Fullscreen at the desktop size, or back to a 640 x 480 window times the
// desktop's content scale.
int c_MyApp::p_FullscreenFlip() {
	KxGlfwGame* host = KxGlfwGame::_glfwGame;
	if (!host) return 0;
	KxGlfwVideoMode* d = host->GetGlfwDesktopMode();
	if (!d) return 0;
	m_fullscreen = 1 - m_fullscreen;
	if (m_fullscreen == 1) {
		host->SetGlfwWindow(d->Width, d->Height, d->RedBits, d->GreenBits, d->BlueBits, 0, 0, 0, true);
	} else {
		int width = WINDOW_WIDTH;
		int height = WINDOW_HEIGHT;
		host->ScaleToDesktop(&width, &height);
		host->SetGlfwWindow(width, height, d->RedBits, d->GreenBits, d->BlueBits, 0, 0, 0, false);
	}
	return 0;
}
