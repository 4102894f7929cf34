// my_app.h: c_MyApp, the whole game as one application object.
//
// Every piece of game state is a field of this one flat record: ints, floats
// and arrays, zeroed or allocated by the constructor. Screens, boxes and the
// play routines are methods working on those fields. The methods are written
// by topic:
//   game/my_app.cpp          construction, lifecycle, screen flow, box slides
//   game/loader.cpp          asset levels, images, font, sounds, step loader
//   game/loading_screen.cpp  the loading screen
//   game/sound.cpp           sound effects on rotating voices, music
//   game/virtual_screen.cpp  mapping, display list, draw state, replay
//   game/text.cpp            bitmap text and the number formatter
//   game/widgets.cpp         pointer sampling, buttons and hit tests
//   game/controls.cpp        abstract buttons, key lock, iCade, steering
//   game/touch_controls.cpp  on-screen pad and tilt steering
//   game/save_data.cpp       saved settings, badges and high scores
//   game/play/               play, hazards, particles, game over, badges
//   game/screens/            main menu, options, pause, quit box, credits
#pragma once

#include "game/zimbolo.h"
#include "host/app.h"
#include "host/http_request.h"
#include "runtime/kx_array.h"
#include "runtime/kx_string.h"

class c_Image;
class c_Sound;

// Sizes of the record's arrays.
const int MYAPP_IMAGES = 100;
const int MYAPP_IMG_INFO = 300;
const int MYAPP_BADGES = 256;
const int MYAPP_VBUTTONS = 20;
const int MYAPP_OPTIONS = 25;
const int MYAPP_HISCORES = 150;
const int MYAPP_TOUCHES = 10;
const int MYAPP_SOUNDS = 100;
const int MYAPP_PLAYERS = 512;
const int MYAPP_OBJECTS = 15000;
const int MYAPP_PARTICLES = 5100;
const int MYAPP_BADGE_QUEUE = 15;

class c_MyApp : public c_App, public virtual c_IOnHttpRequestComplete {
public:
	//------------------------------------------------------------------------
	// The record (every field 32 bits wide)
	//------------------------------------------------------------------------

	// Screen flow and shell.
	int m_controlMode = 0;
	int m_fullscreen = 0;
	int m_logoJinglePlayed = 0;
	int m_gameState = 0;
	int m_lastDevWidth = 0;
	int m_lastDevHeight = 0;
	float m_accelZeroX = 0;
	float m_accelZeroY = 0;
	float m_clsRed = 0;
	float m_clsGreen = 0;
	float m_clsBlue = 0;
	float m_clsAlpha = 0;
	int m_assetRes = 0;
	float m_assetScale = 0;
	Array<c_Image*> m_images;
	Array<int> m_imgInfo;
	int m_fontImage = 0;
	int m_loadStep = 0;
	int m_gameMode = 0;
	int m_menuSlide = 0;
	int m_paused = 0;
	int m_pauseDir = 0;
	int m_pauseY = 0;
	int m_i = 0;
	Array<bool> m_badgeGot;
	Array<int> m_vButton;
	Array<int> m_option;
	Array<int> m_hiScore;
	int m_j = 0;
	int m_tmpA = 0;
	int m_tmpB = 0;
	int m_tmpC = 0;
	int m_tmpD = 0;
	int m_tmpE = 0;
	Array<int> m_sfxChannel;
	int m_renderLastMs = 0;
	int m_renderFps = 0;
	int m_renderFpsAvg = 0;
	float m_scaleX = 0;
	float m_scaleY = 0;
	int m_landscape = 0;
	// Where the picture starts in the window: the width of the black bar on
	// each side and the height of the bar above and below it.
	float m_pictureX = 0;
	float m_pictureY = 0;
	int m_drawCount = 0;
	Array<float> m_drawList;
	int m_iCadeKey = 0;
	int m_hideHud = 0;
	int m_musicOn = 0;
	int m_updateLastMs = 0;
	int m_updateFps = 0;
	int m_updateFpsAvg = 0;
	int m_mouseX = 0;
	int m_prevMouseX = 0;
	int m_mouseY = 0;
	int m_prevMouseY = 0;
	int m_prevMouseDown = 0;
	int m_mouseDown = 0;
	int m_mouseHit = 0;
	Array<int> m_touchDown;
	Array<int> m_touchX;
	Array<int> m_touchY;
	int m_waitRelease = 0;
	int m_keyLock = 0;
	int m_creditsOpen = 0;
	int m_optionsOpen = 0;
	int m_badgesOpen = 0;
	float m_bgTargetR = 0;
	float m_bgTargetG = 0;
	float m_bgTargetB = 0;
	float m_bgR = 0;
	float m_bgG = 0;
	float m_bgB = 0;

	// Draw state.
	float m_drawScaleX = 0;
	float m_drawScaleY = 0;
	float m_drawRot = 0;
	float m_drawRed = 0;
	float m_drawGreen = 0;
	float m_drawBlue = 0;
	float m_drawAlpha = 0;
	int m_drawBlend = 0;
	int m_buttonHover = 0;

	// Sounds and the loading screen.
	int m_sfxVoice = 0;
	Array<c_Sound*> m_sounds;
	int m_minDim = 0;
	int m_score = 0;
	int m_spinAngle = 0;

	// Play records.
	Array<float> m_players;
	Array<float> m_objects;
	float m_speed = 0;
	int m_meterSize = 0;
	int m_particleMax = 0;
	Array<float> m_particles;
	// Slot sets beside the tables (bit sets, 32 slots a word): particles in
	// use; objects in use, balls and loose segments, bricks, and the last two
	// per band of rows and of columns, with the band cell each was filed under.
	Array<unsigned> m_particleSlots;
	Array<unsigned> m_objectSlots;
	Array<unsigned> m_ballSlots;
	Array<unsigned> m_brickSlots;
	Array<unsigned> m_rowSlots;
	Array<unsigned> m_columnSlots;
	Array<int> m_slotCells;
	int m_shownScore = 0;
	int m_gameOver = 0;
	int m_gameOverTimer = 0;

	// Boxes.
	int m_creditsSlide = 0;
	int m_optionsSlide = 0;
	int m_pauseChoice = 0;
	int m_optionsRow = 0;
	int m_optionsKeyLock = 0;
	int m_optionsTapLock = 0;
	float m_creditsScroll = 0;
	int m_creditsTop = 0;

	// Main menu.
	int m_menuSel = 0;
	float m_menuSpin = 0;
	float m_menuDrag = 0;
	float m_menuScrollTarget = 0;
	float m_menuScrollVel = 0;
	float m_menuScroll = 0;
	int m_menuSnapItem = 0;
	int m_startPlayer = 0;
	float m_sidePanelW = 0;

	// Badge notices.
	Array<int> m_badgeQueueId;
	Array<int> m_badgeQueueTime;

	// Steering, on-screen pad and tilt.
	float m_analogueX = 0;
	float m_analogueY = 0;
	float m_rampX = 0;
	float m_rampY = 0;
	int m_dpadX = 0;
	int m_dpadY = 0;
	float m_dpadScale = 0;
	int m_dragging = 0;
	int m_dragLast = 0;
	int m_dragStep = 0;
	float m_tiltShowX = 0;
	float m_tiltShowY = 0;

	//------------------------------------------------------------------------
	// Construction and lifecycle (my_app.cpp)
	//------------------------------------------------------------------------

	c_MyApp();
	~c_MyApp() override;
	// The application construction of c_App: registers this object.
	c_MyApp* m_new();
	void mark() override;

	int p_OnCreate() override;
	int p_OnUpdate() override;
	int p_OnRender() override;
	int p_OnSuspend() override;
	int p_OnResume() override;
	int p_OnHttpRequestComplete(c_HttpRequest* request) override;

	// Update steps and the screen dispatch.
	int p_ReadBackKey();
	int p_FunctionKeys();
	int p_FollowPause();
	int p_Dispatch();
	int p_RunBoxes();
	int p_DebugLine();
	// Entry and exit of a game.
	int p_InGame();
	int p_LoadMenu();
	int p_LoadGame();
	// Suspend and resume share this: clears inputs, opens or closes the pause box.
	int p_FocusChange();

	//------------------------------------------------------------------------
	// Virtual screen (virtual_screen.cpp, text.cpp, widgets.cpp)
	//------------------------------------------------------------------------

	int p_MapScreen();
	// The vertical overscan margin (ov scaled by the picture's aspect).
	float p_OverscanY();
	// The window pixel of virtual point (0, 0): bar and overscan margin.
	float p_OriginX();
	float p_OriginY();
	int p_Replay();
	// Fills the window beyond the picture with black.
	int p_DrawBars();
	int p_CLS2D(float r, float g, float b, float a);
	int p_ResetDraw();
	int p_SetSize(float w, float h = ZB_OMITTED);
	int p_SetCol(float r, float g, float b, float a = ZB_OMITTED);
	int p_Alpha(float a);
	int p_SetRot(float r);
	int p_DrawImg(int slot, float x, float y, float frame);
	int p_Rect(float x, float y, float w, float h);
	int p_Oval(float x, float y, float rx, float ry);
	// Appends one record with the current colour, alpha and blend; false when full.
	bool p_Record(float kind, float x, float y, float rot, float w, float h, float frame);
	int p_Text(float x, float y, String text, float alignX, float alignY);
	String p_rstr(int value, int width, String pad);
	int p_SamplePointer();
	// True when touch i lies inside the frame box of slot centred on (x, y).
	bool p_InFrame(int slot, float x, float y, int i);
	int p_Button(int slot, float x, float y, int frame);
	// p_Button on the icon sheet (slot 97).
	int p_IconButton(float x, float y, int frame);
	bool p_Button0(int slot, float x, float y, int frame);
	int p_Touch(float x, float y, float w, float h);
	int p_MouseIn_Centered(float x, float y, float w, float h);

	//------------------------------------------------------------------------
	// Controls (controls.cpp, touch_controls.cpp)
	//------------------------------------------------------------------------

	int p_PlayKey(int button, int analog, int port);
	int p_PlayKeyAll(int button, int analog);
	int p_KeyLock();
	int p_ReadICade();
	int p_iCade(int on);
	int p_AnalogueControl();
	float p_StickX(int axis, int port);
	float p_StickY(int axis, int port);
	int p_OnScreenPad();
	int p_TiltSteering();

	//------------------------------------------------------------------------
	// Assets and sound (loader.cpp, loading_screen.cpp, sound.cpp)
	//------------------------------------------------------------------------

	int p_AssetLevel();
	// path with the asset level's suffix and ".png".
	String p_LevelPath(String path);
	int p_Reload();
	int p_LoadImg(int slot, String path, int w, int h, int frames, int flags);
	int p_LoadFont(int slot, String path, int advance, int lineHeight);
	// Loads an image slot with the file and frames of the slot table.
	int p_LoadSlot(int slot);
	// The file of effect id.
	String p_SfxPath(int id);
	int p_LoadSFX(int id);
	int p_LoadStep(int step);
	int p_Loader();
	int p_WaitStart(int mode);
	int p_Spinner(int angle, float red, float green, float blue);
	// Plays effect id on the next voice.
	int p_PlaySFX(int id, float rate, float volume, float pan);
	// The (id, volume) form: rate 1, pan 0.
	int p_PlaySFX(int id, float volume);
	// The (id, rate) form: volume 1, pan 0.
	int p_PlaySFX2(int id, float rate);
	int p_PlayTune(String name, int loop);
	int p_StopTune();
	int p_FullscreenFlip();

	//------------------------------------------------------------------------
	// Saved data (save_data.cpp)
	//------------------------------------------------------------------------

	int p_Save();
	int p_Load();

	//------------------------------------------------------------------------
	// Play (game/play/)
	//------------------------------------------------------------------------

	int p_Game();
	int p_Rand(float hi);
	int p_Rand(float lo, float hi);
	float p_Plus(float v, float s = 0.46f);
	float p_Minus(float v, float s = 0.46f);
	bool p_isBall(int kind);
	int p_ResetPlayers();
	int p_FreeObj();
	int p_LaunchMeteor(int x, int y, int hp, int dx);
	int p_LaunchPede();
	int p_LaunchBricks();
	int p_LaunchInvader();
	int p_ThrowParticle(float x, float y, int kind, int ink, float direction, float speed);
	int p_FreeParticle();
	int p_DoParticles();
	int p_ResetParticles(int n);
	void p_SetParticleKind(int p, float kind);
	void p_IndexParticles();
	int p_Ink(int ink, int brightness);
	int p_GameOver();
	String p_Nth(int n);
	String p_MyNth();
	int p_GC_PostScore(int score, int board);
	int p_GC_Badges();
	String p_BadgeID(int id);
	String p_BadgeName(int id);
	String p_BadgeDetail(int id);
	int p_ShowBadges();
	int p_BadgesBox();

	// Steps of p_Game (play.cpp).
	void p_StartPlayFrame();
	void p_DrawWalls();
	void p_DoObject(int o);
	void p_Escape(int o);
	void p_LosePip();
	void p_LaunchCheck();
	bool p_LaunchPressed();
	void p_LaunchBall();
	void p_MovePaddle();
	void p_PlacePaddle();
	void p_StunCountdown();
	void p_DrawPaddle();
	void p_CheckMeter();
	void p_EaseScore();
	void p_DrawHud();
	void p_DrawGoal(float y);
	void p_DrawMeter();
	void p_DrawLaunchText();
	// Object index (object_index.cpp).
	void p_SetKind(int o, int kind);
	void p_FileObject(int o);
	void p_IndexObjects();
	int p_NextContact(int o, int j, bool bricks);
	// Object handlers (ball.cpp, pede.cpp, meteor.cpp, brick.cpp, invader.cpp).
	void p_DoBall(int o, float sx, float sy);
	void p_ReturnBall(int o);
	void p_WallSpark(float sx, float sy, float direction);
	void p_DrawSprite(float frame, float sx, float sy, float rotation);
	void p_DoPede(int o, float sx, float sy);
	void p_KnockLoose(int o, int b);
	void p_DoMeteor(int o, float sx, float sy);
	void p_HitMeteor(int o, int b, float sx, float sy);
	void p_StunPaddle(float sy);
	void p_StunSpark(float sx, float sy, int ink, float lo, float hi);
	void p_DoBrick(int o, float sx, float sy);
	void p_ShatterByBalls(int o, float sx, float sy, int score, bool ownCooldown);
	void p_DoInvader(int o, float sx, float sy);
	void p_InvaderFire(int o);
	// Waves (waves.cpp).
	void p_WaveCheck();
	void p_LaunchWave();
	int p_BrickColumn();
	int p_BrickRow();
	// Spark patterns (particles.cpp), overlay and badge drawing.
	void p_BurstSparks(float sx, float sy);
	void p_CrossSparks(float sx, float sy);
	void p_DrawGameOver(int t);
	void p_DrawNotice(int id, int age, int n);
	void p_DrawBadge(int id, float x, float y, float alpha);

	//------------------------------------------------------------------------
	// Menus and boxes (game/screens/)
	//------------------------------------------------------------------------

	int p_Menu();
	int p_OptionBox();
	int p_PauseMenu();
	int p_OuyaQuit();
	int p_CreditBox();
	// Pieces the screens share (screen_parts.cpp).
	int p_DrawEmblem(float x, float y);
	int p_TapOnImage(int slot, float x, float y);
};
