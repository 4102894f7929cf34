// screens_pause_test.cpp: the pause panel's motion, buttons, cursor and back, and the quit page.
#include <gtest/gtest.h>

#include <algorithm>

#include "input/key_codes.h"
#include "support/game_harness.h"
#include "support/screen_harness.h"

namespace {

// Updates a paused panel needs on a 480-high screen to come to rest.
const int DROP_UPDATES = 13;
const int REST_Y = 248;

class PauseTest : public ::testing::Test {
protected:
	ScreenHarness h;

	void SetUp() override {
		h.Start();
		h.app->p_LoadSFX(SFX_MENU);
		h.app->p_LoadSFX(SFX_BOX);
		h.Update(40);
		h.app->m_gameState = STATE_START_GAME;
		h.Update(2);
	}

	// The effect the last update started last: its id, pitch and gain, no pan.
	void ExpectSound(int id, float rate, float volume) {
		VoiceSound sound = SoundOnVoice(h.app, h.app->m_sfxVoice);
		EXPECT_EQ(sound.id, id);
		EXPECT_FLOAT_EQ(sound.rate, rate);
		EXPECT_FLOAT_EQ(sound.volume, volume);
		EXPECT_NEAR(sound.pan, 0, 1e-6);
	}

	// Pauses by key and lets the panel drop in fully.
	void PauseAtRest() {
		h.Press(KEY_ESCAPE);
		h.Update();
		h.Release(KEY_ESCAPE);
		h.Update(DROP_UPDATES);
	}

	// The dim layer of the last update: the black rectangle over the whole screen.
	DrawRecord Dim() const {
		DrawRecord dim{};
		for (const DrawRecord& r : h.Records(DL_KIND_RECT)) {
			if (r.x == 0 && r.y == 0 && r.w == kx_Zimbolo_jscrw && r.h == kx_Zimbolo_jscrh && r.red == 0) dim = r;
		}
		return dim;
	}
};

TEST_F(PauseTest, PanelRestsAt248With248Over384Dim) {
	ASSERT_EQ(h.app->m_gameState, STATE_PLAYING);
	h.Press(KEY_ESCAPE);
	h.Update();
	h.Release(KEY_ESCAPE);
	EXPECT_EQ(h.app->m_paused, 1);
	EXPECT_EQ(h.app->m_pauseY, -40) << "the panel starts at -64 and moves in the update that opens it";
	h.Update(DROP_UPDATES - 2);
	EXPECT_EQ(h.app->m_pauseY, 224);
	h.Update();
	EXPECT_EQ(h.app->m_pauseY, REST_Y);
	h.Update(5);
	EXPECT_EQ(h.app->m_pauseY, REST_Y);
	EXPECT_FLOAT_EQ(Dim().alpha, 248.0f / 384.0f);
	EXPECT_EQ(h.app->m_paused, 1);
}

TEST_F(PauseTest, DimIsClearAtZero) {
	h.app->m_paused = 1;
	h.app->m_pauseDir = 0;
	h.app->m_pauseY = 0;
	h.Update();
	EXPECT_FLOAT_EQ(Dim().alpha, 0);
}

TEST_F(PauseTest, BackTwiceResumesOnce) {
	PauseAtRest();
	h.Press(KEY_ESCAPE);
	h.Update();
	EXPECT_EQ(h.app->m_pauseDir, -1);
	h.Release(KEY_ESCAPE);
	h.Update();
	h.Press(KEY_ESCAPE);
	int resumes = 0;
	int last = h.app->m_paused;
	for (int i = 0; i < 30; ++i) {
		h.Update();
		if (last == 1 && h.app->m_paused == 0) ++resumes;
		EXPECT_FALSE(last == 0 && h.app->m_paused == 1) << "update " << i << " paused again";
		last = h.app->m_paused;
	}
	EXPECT_EQ(resumes, 1);
	EXPECT_EQ(h.app->m_paused, 0);
}

TEST_F(PauseTest, PanelRisesAndGoesAboveMinus32) {
	PauseAtRest();
	h.Tap(KEY_SPACE);
	EXPECT_EQ(h.app->m_pauseDir, -1);
	ExpectSound(SFX_MENU, 1, 0.5f);
	int updates = 0;
	while (h.app->m_paused == 1 && updates < 40) {
		h.Update();
		++updates;
	}
	EXPECT_EQ(h.app->m_paused, 0);
	EXPECT_LT(h.app->m_pauseY, -32);
	EXPECT_GE(h.app->m_pauseY, -56);
	// One update of the panel's motion: its y and direction before, its y and
	// whether it is still up after. Dropping stops at half the height (240).
	const int motions[][4] = {{239, 1, 263, 1}, {240, 1, 240, 1}, {0, -1, -24, 1},
	                          {-8, -1, -32, 1}, {-9, -1, -33, 0}, {-40, -1, -64, 0}, {-64, -1, -64, 0}};
	for (const auto& m : motions) {
		h.app->m_paused = 1;
		h.app->m_pauseY = m[0];
		h.app->m_pauseDir = m[1];
		h.Update();
		EXPECT_EQ(h.app->m_pauseY, m[2]) << "from " << m[0];
		EXPECT_EQ(h.app->m_paused, m[3]) << "from " << m[0];
	}
}

TEST_F(PauseTest, EndingTheGameStartsTheGameOverSequence) {
	PauseAtRest();
	h.Tap(KEY_LEFT);
	EXPECT_EQ(h.app->m_pauseChoice, -1);
	h.Press(KEY_ENTER);
	h.Update();
	h.Release(KEY_ENTER);
	EXPECT_EQ(h.app->m_paused, 0);
	EXPECT_EQ(h.app->m_gameOver, 1);
	EXPECT_EQ(h.app->m_pauseY, -64);
	EXPECT_GT(h.app->m_gameOverTimer, 0);
	ExpectSound(SFX_MENU, 0.5f, 0.5f);
	int updates = 0;
	while (h.app->m_gameState != STATE_MENU && updates < 120) {
		h.Update();
		++updates;
	}
	EXPECT_EQ(h.app->m_gameState, STATE_MENU);
	EXPECT_LE(updates, 90);
}

TEST_F(PauseTest, TapsOnTheThreeButtons) {
	PauseAtRest();
	// Not while an earlier click waits for its release.
	h.PointerDown(180, REST_Y - 64);
	h.app->m_waitRelease = 1;
	h.Update();
	EXPECT_EQ(h.app->m_gameOver, 0);
	h.PointerMove(320, REST_Y);
	h.app->m_waitRelease = 1;
	h.Update();
	EXPECT_EQ(h.app->m_pauseDir, 1);
	h.PointerUp();
	h.Update();
	h.PointerDown(180, REST_Y - 64);
	h.Update();
	EXPECT_EQ(h.app->m_gameOver, 1) << "the end-game button sits 140 left and 64 up";
	EXPECT_EQ(h.app->m_paused, 0);
}

TEST_F(PauseTest, TapOnTheEmblemOpensOptionsWithoutCredits) {
	PauseAtRest();
	h.PointerDown(460, REST_Y - 64);
	h.Update();
	h.PointerUp();
	EXPECT_EQ(h.app->m_optionsOpen, 1);
	ExpectSound(SFX_BOX, 1, 1);
	// The emblem turns by 0.2 an update, and not while the box turns it.
	float spin = h.app->m_menuSpin;
	h.Update();
	EXPECT_NEAR(h.app->m_menuSpin - spin, 0.2f, 1e-4) << "the box's own turn";
	h.app->m_optionsOpen = 0;
	h.Update(40);
	spin = h.app->m_menuSpin;
	h.Update();
	EXPECT_NEAR(h.app->m_menuSpin - spin, 0.2f, 1e-4);
	EXPECT_EQ(h.app->m_paused, 1);
	h.Update(40);
	EXPECT_EQ(h.app->m_pauseY, REST_Y) << "the panel stays under the box";
	std::vector<std::string> lines = h.AllText();
	EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string("Credits")), 0);
}

TEST_F(PauseTest, TapInTheCentreResumes) {
	PauseAtRest();
	h.PointerDown(320, REST_Y);
	h.Update();
	EXPECT_EQ(h.app->m_pauseDir, -1);
	EXPECT_EQ(h.app->m_gameOver, 0);
}

TEST_F(PauseTest, CursorMovesAndOpensOptions) {
	PauseAtRest();
	// From each place (-1 end, 0 resume, 1 options) each direction: where the
	// cursor goes, and the pitch of its blip (0: it stays, silently).
	struct Move {
		int from, key, to;
		float pitch;
	} moves[] = {
		{0, KEY_LEFT, -1, 0.8f}, {0, KEY_UP, -1, 0.8f},  {0, KEY_RIGHT, 1, 1.2f}, {0, KEY_DOWN, 0, 0},
		{-1, KEY_RIGHT, 0, 0.8f}, {-1, KEY_DOWN, 0, 0.8f}, {-1, KEY_LEFT, -1, 0},  {-1, KEY_UP, -1, 0},
		{1, KEY_LEFT, 0, 0.8f},  {1, KEY_DOWN, 0, 0.8f},  {1, KEY_RIGHT, 1, 0},   {1, KEY_UP, 1, 0},
	};
	for (const Move& m : moves) {
		h.app->m_pauseChoice = m.from;
		int voice = h.app->m_sfxVoice;
		h.Tap(m.key);
		EXPECT_EQ(h.app->m_pauseChoice, m.to) << "from " << m.from << ", key " << m.key;
		if (m.pitch == 0) {
			EXPECT_EQ(h.app->m_sfxVoice, voice) << "from " << m.from << ", key " << m.key;
		} else {
			ExpectSound(SFX_MENU, m.pitch, 0.5f);
		}
	}
	h.app->m_pauseChoice = 1;
	h.Press(KEY_ENTER);
	h.Update();
	EXPECT_EQ(h.app->m_optionsOpen, 1);
	EXPECT_EQ(h.app->m_optionsRow, 0);
	ExpectSound(SFX_MENU, 1, 0.5f);
}

TEST_F(PauseTest, PanelAndButtonsInBothShapes) {
	// Per shape: the screen, then x, y (from the panel's centre), width and
	// height of the yellow bar, the body and the blue bar, and where the end
	// button sits from the centre.
	struct Shape {
		float width, height;
		float rects[3][4];
		float endX, endY;
	} shapes[] = {
		{640, 480, {{-128, -64, 256, 8}, {-140, -52, 280, 104}, {-128, 56, 256, 8}}, -140, -64},
		{360, 480, {{-96, -92, 192, 8}, {-128, -80, 256, 160}, {-96, 84, 192, 8}}, -96, -96},
	};
	const float colours[3][4] = {{255, 255, 10, 0.6f}, {255, 150, 10, 0.7f}, {10, 150, 255, 0.6f}};
	for (const Shape& shape : shapes) {
		h.SetScreen(shape.width, shape.height);
		PauseAtRest();
		const float cx = shape.width / 2;
		for (int i = 0; i < 3; ++i) {
			std::vector<DrawRecord> rects;
			for (const DrawRecord& r : h.Records(DL_KIND_RECT)) {
				if (r.red == colours[i][0] && r.green == colours[i][1] && r.blue == colours[i][2]) rects.push_back(r);
			}
			ASSERT_EQ(rects.size(), 1u) << shape.width << ", rect " << i;
			const float expected[] = {cx + shape.rects[i][0], REST_Y + shape.rects[i][1], shape.rects[i][2],
			                          shape.rects[i][3], colours[i][3]};
			const float drawn[] = {rects[0].x, rects[0].y, rects[0].w, rects[0].h, rects[0].alpha};
			for (int v = 0; v < 5; ++v) EXPECT_FLOAT_EQ(drawn[v], expected[v]) << shape.width << ", rect " << i << ", value " << v;
		}
		// The panel's icons, drawn last: resume (frame 3), the cursor's ring on it
		// (6) and end (1), each with its scale and colour.
		const float icons[3][6] = {{3, 0, 0, 2, 50, 250}, {6, 0, 0, 2.5f, 255, 100}, {1, shape.endX, shape.endY, 2, 255, 50}};
		std::vector<DrawRecord> drawn = h.Records(IMG_ICONS);
		ASSERT_GE(drawn.size(), 3u);
		drawn.erase(drawn.begin(), drawn.end() - 3);
		for (int i = 0; i < 3; ++i) {
			EXPECT_FLOAT_EQ(drawn[i].frame, icons[i][0]);
			EXPECT_FLOAT_EQ(drawn[i].x, cx + icons[i][1]);
			EXPECT_FLOAT_EQ(drawn[i].y, REST_Y + icons[i][2]);
			EXPECT_FLOAT_EQ(drawn[i].w, icons[i][3]);
			EXPECT_FLOAT_EQ(drawn[i].red, icons[i][4]);
			EXPECT_FLOAT_EQ(drawn[i].blue, icons[i][5]);
		}
		h.Tap(KEY_ESCAPE);
		h.Update(20);
	}
}

TEST_F(PauseTest, OuyaOverscanLineFlipsAndSteps) {
	PauseAtRest();
	kx_Zimbolo_isOuya = 1;
	h.app->m_option[14] = 1;
	h.PointerDown(320, REST_Y - 158);
	h.Update();
	h.PointerUp();
	EXPECT_EQ(h.app->m_option[14], 96);
	EXPECT_FLOAT_EQ(kx_Zimbolo_overscan, 96);
	ExpectSound(SFX_MENU, 1, 1);
	h.Update();
	bool marked = false;
	for (const DrawRecord& r : h.Records(DL_KIND_RECT)) {
		if (r.red == 255 && r.green == 255 && r.blue == 0) {
			EXPECT_FLOAT_EQ(r.x, 96 * 2.67f + 320 - 132) << "the marker";
			marked = true;
		}
	}
	EXPECT_TRUE(marked);
	// The new margin shifts the pointer mapping: click in window pixels.
	h.host.MouseMove(320 + 96, REST_Y - 158 + h.app->p_OverscanY());
	h.host.MouseDown(0, 320 + 96, REST_Y - 158 + h.app->p_OverscanY());
	h.Update();
	h.PointerUp();
	EXPECT_EQ(h.app->m_option[14], 1);
	h.Tap(KEY_N);
	EXPECT_EQ(h.app->m_option[14], 17);
	EXPECT_FLOAT_EQ(kx_Zimbolo_overscan, 17);
	h.Tap(KEY_B);
	h.Tap(KEY_B);
	EXPECT_EQ(h.app->m_option[14], 1);
	// A click flips below 32 to 96, from 32 on to 1.
	for (int before : {31, 32}) {
		h.app->m_option[14] = before;
		h.Update();
		h.host.MouseMove(320 + before, REST_Y - 158 + h.app->p_OverscanY());
		h.host.MouseDown(0, 320 + before, REST_Y - 158 + h.app->p_OverscanY());
		h.Update();
		h.PointerUp();
		h.Update();
		EXPECT_EQ(h.app->m_option[14], before < 32 ? 96 : 1) << before;
	}
	kx_Zimbolo_isOuya = 0;
}

class QuitPageTest : public ::testing::Test {
protected:
	ScreenHarness h;

	void SetUp() override {
		h.Start();
		h.Update(40);
		kx_Zimbolo_isOuya = 1;
		h.app->m_controlMode = 1;
		h.app->m_gameState = STATE_QUIT_BOX;
		h.Update();
	}

	void TearDown() override { kx_Zimbolo_isOuya = 0; }
};

TEST_F(QuitPageTest, ShowsTheCardAndTheText) {
	std::vector<DrawRecord> card = h.Records(IMG_TESTCARD);
	ASSERT_EQ(card.size(), 1u);
	EXPECT_FLOAT_EQ(card[0].x, 320);
	EXPECT_FLOAT_EQ(card[0].w, 3);
	EXPECT_FLOAT_EQ(h.app->m_drawList[0], IMG_TESTCARD) << "the card is the first command";
	std::vector<std::string> lines = h.AllText();
	ASSERT_EQ(lines.size(), 8u);
	EXPECT_EQ(lines[0], "Itlookslikeyou're");
	EXPECT_EQ(lines[1], "tryingtoQUIT!");
	EXPECT_EQ(lines[7], std::string("or") + static_cast<char>(96 + 32) + "toreturntothefun!")
		<< "the escape draws the pad button J, frame 96";
	EXPECT_FLOAT_EQ(h.app->m_clsRed, 180);
}

TEST_F(QuitPageTest, FirstButtonReturnsToTheMenu) {
	h.Press(KEY_SPACE);
	h.Update();
	EXPECT_EQ(h.app->m_gameState, STATE_MENU);
	h.Update(3);
	EXPECT_EQ(h.app->m_gameState, STATE_MENU) << "the held key does not act on the menu";
}

using QuitPageDeathTest = QuitPageTest;

TEST_F(QuitPageDeathTest, SecondButtonQuitsWithStatusZero) {
	::testing::FLAGS_gtest_death_test_style = "threadsafe";
	EXPECT_EXIT(
		{
			h.Press(KEY_X);
			h.Update();
		},
		::testing::ExitedWithCode(0), "");
}

}  // namespace
