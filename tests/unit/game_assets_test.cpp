// Assets and sounds: asset levels, effect files, the voice ring and sound
// modes, the fullscreen switch at the desktop's scale and the step loader.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "graphics/graphics_api.h"
#include "graphics/gxtk_surface.h"
#include "host/app.h"
#include "host/glfw2.h"
#include "support/game_harness.h"

namespace {

class AssetsTest : public ::testing::Test {
protected:
	GameHost host;
};

TEST_F(AssetsTest, WindowSizePicksTheLevel) {
	c_MyApp* app = host.Launch();
	EXPECT_EQ(app->m_assetRes, 2) << "640 x 480 is above 630";
	EXPECT_EQ(app->p_LevelPath(String("gfx")), String("gfx-hd.png"));
	host.SetWindowSize(630, 470);
	host.Update(1);
	app->p_AssetLevel();
	EXPECT_EQ(app->m_assetRes, 1);
	EXPECT_FLOAT_EQ(app->m_assetScale, 1.0f);
	EXPECT_EQ(app->p_LevelPath(String("gfx")), String("gfx.png"));
	host.SetWindowSize(1280, 720);
	host.Update(1);
	app->p_AssetLevel();
	EXPECT_EQ(app->m_assetRes, 4);
	EXPECT_FLOAT_EQ(app->m_assetScale, 0.25f);
	EXPECT_EQ(app->p_LevelPath(String("common/icons")), String("common/icons-hd2.png"));
	// Either side starts a level at 631 and 1231, the other side being small.
	const int sides[] = {630, 631, 632, 1230, 1231, 1232};
	const int levels[] = {1, 2, 2, 2, 4, 4};
	for (int i = 0; i < 6; ++i) {
		for (bool wide : {true, false}) {
			host.SetWindowSize(wide ? sides[i] : 400, wide ? 400 : sides[i]);
			kx_app_ValidateDeviceWindow(false);
			app->p_AssetLevel();
			EXPECT_EQ(app->m_assetRes, levels[i]) << sides[i] << (wide ? " wide" : " high");
			EXPECT_FLOAT_EQ(app->m_assetScale, 1.0f / levels[i]) << sides[i] << (wide ? " wide" : " high");
		}
	}
}

TEST_F(AssetsTest, StartLoadsLogoAndFontThenTwentySevenSteps) {
	c_MyApp* app = host.Launch();
	EXPECT_EQ(app->m_loadStep, 1);
	EXPECT_NE(app->m_images[IMG_LOGO], nullptr);
	EXPECT_NE(app->m_images[IMG_FONT], nullptr);
	EXPECT_EQ(app->m_fontImage, IMG_FONT);
	EXPECT_EQ(app->m_imgInfo[3 * IMG_FONT], 7);
	EXPECT_EQ(app->m_imgInfo[3 * IMG_FONT + 1], 10);
	EXPECT_EQ(app->m_clsAlpha, 1.0f);
	// What each step loads, in order: an image slot and/or a sound id (0: none).
	const int steps[27][2] = {{97, 96}, {95, 0}, {94, 0}, {93, 0}, {91, 0}, {90, 0}, {0, 1}, {0, 95}, {0, 98},
	                          {0, 99},  {99, 0}, {98, 0}, {96, 0}, {80, 0}, {1, 0},  {0, 2}, {0, 3},  {0, 4},
	                          {0, 5},   {0, 6},  {0, 10}, {0, 11}, {0, 7},  {0, 8},  {0, 9}, {0, 12}, {0, 13}};
	for (int step = 1; step <= 27; ++step) {
		std::vector<c_Image*> images(app->m_images.begin(), app->m_images.end());
		std::vector<c_Sound*> sounds(app->m_sounds.begin(), app->m_sounds.end());
		host.Update(1);
		for (int i = 1; i < MYAPP_IMAGES; ++i) {
			EXPECT_EQ(app->m_images[i] != images[i], i == steps[step - 1][0]) << "step " << step << ", image " << i;
			EXPECT_EQ(app->m_sounds[i] != sounds[i], i == steps[step - 1][1]) << "step " << step << ", sound " << i;
		}
		EXPECT_EQ(app->m_logoJinglePlayed, step >= 4 ? 1 : 0) << "step " << step;
	}
	EXPECT_EQ(app->m_loadStep, 28);
	host.Update(1);
	EXPECT_EQ(app->m_loadStep, 0);
	const int slots[] = {1, 80, 91, 93, 94, 95, 96, 97, 98, 99};
	for (int slot : slots) EXPECT_NE(app->m_images[slot], nullptr) << "slot " << slot;
	const int sounds[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 95, 96, 98, 99};
	for (int id : sounds) EXPECT_NE(app->m_sounds[id], nullptr) << "sound " << id;
	EXPECT_EQ(app->m_imgInfo[3 * IMG_SPRITES], 64) << "level 2 frames are twice the size";
	EXPECT_EQ(app->m_imgInfo[3 * IMG_PARTICLES + 2], 256);
	EXPECT_EQ(app->m_logoJinglePlayed, 1);
	EXPECT_EQ(CountRecords(app, IMG_LOGO), 1) << "the loading screen shows the logo";
	EXPECT_EQ(app->m_clsRed, 40.0f);
	EXPECT_EQ(app->m_clsBlue, 80.0f);
}

// The collector would free the replaced images only after megabytes of new
// allocation, which an idle menu never makes.
TEST_F(AssetsTest, AReloadFreesTheImagesItReplacesAtOnce) {
	c_MyApp* app = host.Launch();
	host.Update(28);
	// Each image of the first load, kept reachable in an unused slot.
	const int slots[] = {1, 80, 90, 91, 93, 94, 95, 96, 97, 98, 99};
	const int keepFrom = 10;
	for (int i = 0; i < 11; ++i) {
		ASSERT_NE(app->m_images[slots[i]]->m_surface->pixels, nullptr) << "slot " << slots[i];
		gc_assign(app->m_images[keepFrom + i], app->m_images[slots[i]]);
	}
	host.SetWindowSize(630, 470);
	app->m_loadStep = 1;
	host.Update(28);
	for (int i = 0; i < 11; ++i) {
		EXPECT_EQ(app->m_images[keepFrom + i]->m_surface->pixels, nullptr) << "slot " << slots[i];
		EXPECT_NE(app->m_images[slots[i]]->m_surface->pixels, nullptr) << "slot " << slots[i];
	}
}

TEST_F(AssetsTest, EffectFilesHaveThreeDigits) {
	c_MyApp* app = host.Launch();
	EXPECT_EQ(app->p_SfxPath(5), String("sfx/005.wav"));
	EXPECT_EQ(app->p_SfxPath(42), String("sfx/042.wav"));
	EXPECT_EQ(app->p_SfxPath(123), String("sfx/123.wav"));
	app->p_LoadSFX(123);
	app->p_LoadSFX(-1);
}

TEST_F(AssetsTest, SoundModesGateEffectsAndTheVoiceRing) {
	c_MyApp* app = host.Launch();
	host.Update(28);
	for (int mode : {0, 3}) {
		app->m_option[5] = mode;
		int voice = app->m_sfxVoice;
		app->p_PlaySFX(2, 1.0f);
		EXPECT_EQ(app->m_sfxVoice, voice) << "mode " << mode;
	}
	app->m_option[5] = 2;
	app->m_sfxVoice = 0;
	for (int i = 0; i < 24; ++i) app->p_PlaySFX2(2, 1.0f);
	EXPECT_EQ(app->m_sfxVoice, 0) << "the 25th effect would reuse the first's voice";
	app->p_PlaySFX(2, 1.0f, 0.5f, 0.0f);
	EXPECT_EQ(app->m_sfxVoice, 1);
	EXPECT_EQ(app->m_sfxChannel[app->m_sfxVoice], 1);
	app->p_PlaySFX(77, 1.0f) ;
	EXPECT_EQ(app->m_sfxVoice, 2) << "a missing effect still takes its voice";
	// What each form sets on its channel, over odd values left on every channel.
	for (int i = 0; i < SFX_VOICES; ++i) app->p_PlaySFX(3, 0.6f, 0.3f, 0.9f);
	struct Form {
		int id;
		float rate, volume, pan;
	} forms[] = {{4, 1.25f, 0.5f, 0.75f}, {5, 1, 0.4f, 0}, {6, 1.5f, 1, 0}};
	app->p_PlaySFX(4, 1.25f, 0.5f, 0.75f);
	app->p_PlaySFX(5, 0.4f);
	app->p_PlaySFX2(6, 1.5f);
	for (int i = 0; i < 3; ++i) {
		VoiceSound played = SoundOnVoice(app, (app->m_sfxVoice + 22 + i) % SFX_VOICES);
		EXPECT_EQ(played.id, forms[i].id) << "form " << i;
		EXPECT_FLOAT_EQ(played.rate, forms[i].rate) << "form " << i;
		EXPECT_FLOAT_EQ(played.volume, forms[i].volume) << "form " << i;
		EXPECT_NEAR(played.pan, forms[i].pan, 1e-5) << "form " << i;
	}
}

TEST_F(AssetsTest, TunesFollowTheSoundMode) {
	c_MyApp* app = host.Launch();
	app->m_option[5] = 1;
	app->p_PlayTune(String("Freeflowing"), 1);
	EXPECT_EQ(app->m_musicOn, 1);
	app->m_option[5] = 2;
	app->p_PlayTune(String("Freeflowing"), 1);
	EXPECT_EQ(app->m_musicOn, 0) << "mode 2 stops the tune and plays none";
	app->m_option[5] = 3;
	app->p_PlayTune(String("Freeflowing"), 1);
	EXPECT_EQ(app->m_musicOn, 1);
	app->p_StopTune();
	EXPECT_EQ(app->m_musicOn, 0);
}

// A desktop of a given content scale.
class ScaledDesktop : public glfw2::Glfw2Platform {
public:
	float scale = 1;
	float ContentScale() override { return scale; }
};

TEST_F(AssetsTest, TwoFullscreenFlipsReturnToTheScaledWindow) {
	// Content scale, desktop size, and the window that full screen returns to.
	struct Case {
		float scale;
		int desktopWidth, desktopHeight, width, height;
	};
	const Case cases[] = {{1, 1920, 1080, 640, 480},     {2, 1920, 1080, 1280, 960},  {1.25f, 1920, 1080, 800, 600},
	                      {0.75f, 1920, 1080, 640, 480}, {3, 1920, 1080, 1440, 1080}, {2, 1280, 960, 1280, 960},
	                      {2, 1279, 960, 1279, 959}};
	ScaledDesktop desktop;
	glfw2::glfw2SetPlatform(&desktop);
	c_MyApp* app = host.Launch();
	for (const Case& c : cases) {
		desktop.scale = c.scale;
		host.desktopWidth = c.desktopWidth;
		host.desktopHeight = c.desktopHeight;
		app->p_FullscreenFlip();
		EXPECT_TRUE(host.fullscreen && host.windowWidth == c.desktopWidth && app->m_fullscreen == 1);
		app->p_FullscreenFlip();
		EXPECT_FALSE(host.fullscreen);
		EXPECT_EQ(std::make_pair(host.windowWidth, host.windowHeight), std::make_pair(c.width, c.height)) << c.scale;
	}
	glfw2::glfw2SetPlatform(nullptr);
	EXPECT_EQ(host.windowCalls, 2 * 7);
	host.KeyDown(KEY_F11);
	host.Update(1);
	EXPECT_EQ(app->m_fullscreen, 1);
}

}  // namespace
