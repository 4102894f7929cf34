// zimbolo_init.cpp: the module initialiser, the game module's globals and the
// creation of the application object.
#include "game/my_app.h"
#include "host/framework_init.h"
#include "host/kx_game.h"
#include "runtime/gc.h"

//----------------------------------------------------------------------------
// Module globals
//----------------------------------------------------------------------------

float kx_Zimbolo_rawscrw = 0;
float kx_Zimbolo_rawscrh = 0;
float kx_Zimbolo_jscrw = 0;
float kx_Zimbolo_jscrh = 0;
float kx_Zimbolo_overscan = 0;
int kx_Zimbolo_isOuya = 0;
int kx_Zimbolo_iCadeControls = 0;
int kx_Zimbolo_OnScreenControls = 0;
int kx_Zimbolo_AccelerometerControls = 0;
int kx_Zimbolo_DebugMode = 0;
int kx_Zimbolo_HasMusicStream = 0;
Array<String> kx_Zimbolo_CreditText;

namespace {

// The credit lines, in the order the credits box scrolls them.
const char* const CREDIT_LINES[] = {
	"",
	"A Game by",
	"Ovri Studio",
	"the Zimbolo team",
	"",
	"-=-=-",
	"",
	"Developed using",
	"C++17 with GCC",
	"gcc.gnu.org",
	"",
	"-=-=-",
	"",
	"Graphics",
	"",
	"Most graphics by",
	"Ovri Studio",
	"",
	"Editundo pixel font",
	"drawn by Ovri Studio",
	"Lowercase added by",
	"Ovri Studio",
	"",
	"",
	"-=-=-",
	"",
	"Audio",
	"",
	"Sound and Music by",
	"Ovri Studio",
	"our own sound generator",
	"OpenAL Soft",
	"stb_vorbis",
	"libvorbis",
	"or whatever else",
	"is handy!",
	"",
	"-=-=-",
	"",
	"Thanks to",
	"GLFW and OpenGL",
	"CMake and stb_image",
	"GoogleTest",
	"Google Benchmark",
	"Xvfb",
	"and everyone else",
	"www.debian.org",
	"",
	"-=-=-",
	"End",
};
const int CREDIT_COUNT = sizeof(CREDIT_LINES) / sizeof(CREDIT_LINES[0]);
static_assert(CREDIT_COUNT == 50, "the credits box reads 50 lines");

// The program's roots: the framework's globals, then the game's.
void MarkProgramRoots() {
	kx_framework_MarkRoots();
	kx_Zimbolo_MarkRoots();
}

}  // namespace

// Sets every game global to its start value.
void kx_Zimbolo_InitGlobals() {
	kx_Zimbolo_rawscrw = 640.0f;
	kx_Zimbolo_rawscrh = 480.0f;
	kx_Zimbolo_jscrw = 640.0f;
	kx_Zimbolo_jscrh = 480.0f;
	kx_Zimbolo_overscan = 0.0f;
	kx_Zimbolo_isOuya = 0;
	kx_Zimbolo_iCadeControls = 0;
	kx_Zimbolo_OnScreenControls = 0;
	kx_Zimbolo_AccelerometerControls = 0;
	kx_Zimbolo_DebugMode = 0;
	kx_Zimbolo_HasMusicStream = 1;
	Array<String> lines(CREDIT_COUNT);
	for (int i = 0; i < CREDIT_COUNT; ++i) lines[i] = String(CREDIT_LINES[i]);
	gc_assign(kx_Zimbolo_CreditText, lines);
}

// Marks the credit lines.
void kx_Zimbolo_MarkRoots() {
	gc_mark_q(kx_Zimbolo_CreditText);
}

//----------------------------------------------------------------------------
// Module initialiser and main
//----------------------------------------------------------------------------

// The framework's globals first, then the game's; installs the root marker.
void kxInit() {
	kx_framework_InitGlobals();
	kx_Zimbolo_InitGlobals();
	gc_mark_roots = MarkProgramRoots;
}

// Creates and registers the application object.
int kxMain() {
	(new c_MyApp())->m_new();
	return 0;
}
