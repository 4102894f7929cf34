// zimbolo.h: the game module's globals and its named numbers.
//
// The kx_Zimbolo_* globals are set by the module initialiser (kxInit) and read
// by every screen: the virtual screen size, the overscan margin, the platform
// and control switches and the credit lines. The constants below name the
// layouts the game object shares between its topics (display list records,
// sound voices, image slots, key codes of the controls).
#pragma once

#include "runtime/kx_array.h"
#include "runtime/kx_string.h"

//----------------------------------------------------------------------------
// Module globals
//----------------------------------------------------------------------------

extern float kx_Zimbolo_rawscrw;
extern float kx_Zimbolo_rawscrh;
extern float kx_Zimbolo_jscrw;
extern float kx_Zimbolo_jscrh;
extern float kx_Zimbolo_overscan;
extern int kx_Zimbolo_isOuya;
extern int kx_Zimbolo_iCadeControls;
extern int kx_Zimbolo_OnScreenControls;
extern int kx_Zimbolo_AccelerometerControls;
extern int kx_Zimbolo_DebugMode;
extern int kx_Zimbolo_HasMusicStream;
extern Array<String> kx_Zimbolo_CreditText;

// Sets every kx_Zimbolo_* global to its start value.
void kx_Zimbolo_InitGlobals();
// Truncates toward zero; NaN gives 0, values beyond the int range clamp.
int kx_Zimbolo_Trunc(float value);
// Marks the object-valued kx_Zimbolo_* globals (the credit lines).
void kx_Zimbolo_MarkRoots();

//----------------------------------------------------------------------------
// Shared numbers
//----------------------------------------------------------------------------

// The value callers pass for an omitted optional argument; also the display
// list code of a rectangle.
const int ZB_OMITTED = -3717;

// Display list: records of 15 floats, at most 2500 in the list.
const int DL_RECORD = 15;
const int DL_CAPACITY = 37500;
// A command is recorded only while the count is at most this.
const int DL_LAST_START = DL_CAPACITY - DL_RECORD - 1;
// Element indices within a record.
const int DL_KIND = 0;
const int DL_X = 1;
const int DL_Y = 2;
const int DL_ROT = 3;
const int DL_W = 4;
const int DL_H = 5;
const int DL_FRAME = 6;
const int DL_ALPHA = 7;
const int DL_RED = 10;
const int DL_GREEN = 11;
const int DL_BLUE = 12;
const int DL_BLEND = 13;
// Kinds other than an image slot (element 0).
const int DL_KIND_RECT = -3717;
const int DL_KIND_OVAL = -3716;
const int DL_KIND_LINE = -3715;
// The draw blend code that means additive blending.
const int ZB_BLEND_ADDITIVE = 3;

// Sound effects rotate over this many voices; the audio device has 33 channels.
const int SFX_VOICES = 24;
const int SFX_CHANNELS = 33;

// Image slots with a fixed use.
const int IMG_SPRITES = 1;
const int IMG_BADGES = 80;
const int IMG_FONT = 90;
const int IMG_TESTCARD = 91;
const int IMG_LOGO = 93;
const int IMG_DPAD = 94;
const int IMG_BUTTONS = 95;
const int IMG_PARTICLES = 96;
const int IMG_ICONS = 97;
const int IMG_TITLE = 98;
const int IMG_MENU = 99;

// Sound effects with a fixed use.
const int SFX_JINGLE = 96;
const int SFX_MENU = 98;
const int SFX_BOX = 99;

// Screen states (m_gameState).
const int STATE_MENU = 1;
const int STATE_TO_MENU = 2;
const int STATE_QUIT_BOX = 4;
const int STATE_PLAYING = 10;
const int STATE_START_GAME = 11;

// Abstract buttons of p_PlayKey.
const int BTN_UP = 0;
const int BTN_LEFT = 3;
const int BTN_RIGHT = 5;
const int BTN_DOWN = 8;
const int BTN_A = 10;
const int BTN_B = 11;
const int BTN_C = 12;
const int BTN_D = 13;
const int BTN_L1 = 14;
const int BTN_R1 = 15;
const int BTN_BACK = 99;
// Entries of m_vButton with a use of their own.
const int VBTN_BACK_A = 16;
const int VBTN_BACK_B = 17;
const int VBTN_PLATFORM_BACK = 19;
// Entries 0..VBTN_PULSES-1 of m_vButton are one-update pulses when 1.
const int VBTN_PULSES = 19;
// m_vButton values.
const int VBTN_PRESSED = 1;
const int VBTN_HELD = 2;
