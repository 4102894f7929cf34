// glfw2.h: the GLFW 2.7 interface the host is written against, over GLFW 3.
//
// One window at a time; GLFW 2.7 key numbering (printable keys are their
// upper-case ASCII code, special keys count on from GLFW_KEY_SPECIAL); the
// GLFW 2.7 enable switches; callbacks without a window argument. Time,
// sleeping, event pumping, buffer swaps and their interval, the window's
// open/active state and joysticks go through a Glfw2Platform, which tests
// replace to script them.
// A pad that GLFW 3 knows as a gamepad is presented in the classic layout:
// A, B, X, Y, the shoulders, back, start, the stick clicks, then the d-pad as
// four buttons (left, up, right, down); stick y axes are positive upwards.
// Any other joystick keeps its own buttons and axes, with its first stick's
// y axis positive upwards too, and its first hat as four buttons in the same
// order after at least eight buttons, so the host's read finds the hat at the
// place of the gamepad's d-pad.
//
// NOTE: everything lives in namespace glfw2, and a file that needs both this
// header and <GLFW/glfw3.h> includes this one first: GLFW 3 defines macros
// with some of the same names (GLFW_KEY_UP, GLFW_PRESS, ...).
#pragma once

namespace glfw2 {

//----------------------------------------------------------------------------
// Constants
//----------------------------------------------------------------------------

constexpr int GLFW_RELEASE = 0;
constexpr int GLFW_PRESS = 1;

// Keys: printable keys are their upper-case ASCII code.
constexpr int GLFW_KEY_UNKNOWN = -1;
constexpr int GLFW_KEY_SPACE = 32;
constexpr int GLFW_KEY_SPECIAL = 256;
enum : int {
	GLFW_KEY_ESC = GLFW_KEY_SPECIAL + 1,
	GLFW_KEY_F1, GLFW_KEY_F2, GLFW_KEY_F3, GLFW_KEY_F4, GLFW_KEY_F5, GLFW_KEY_F6, GLFW_KEY_F7,
	GLFW_KEY_F8, GLFW_KEY_F9, GLFW_KEY_F10, GLFW_KEY_F11, GLFW_KEY_F12, GLFW_KEY_F13, GLFW_KEY_F14,
	GLFW_KEY_F15, GLFW_KEY_F16, GLFW_KEY_F17, GLFW_KEY_F18, GLFW_KEY_F19, GLFW_KEY_F20, GLFW_KEY_F21,
	GLFW_KEY_F22, GLFW_KEY_F23, GLFW_KEY_F24, GLFW_KEY_F25,
	GLFW_KEY_UP, GLFW_KEY_DOWN, GLFW_KEY_LEFT, GLFW_KEY_RIGHT,
	GLFW_KEY_LSHIFT, GLFW_KEY_RSHIFT, GLFW_KEY_LCTRL, GLFW_KEY_RCTRL, GLFW_KEY_LALT, GLFW_KEY_RALT,
	GLFW_KEY_TAB, GLFW_KEY_ENTER, GLFW_KEY_BACKSPACE, GLFW_KEY_INSERT, GLFW_KEY_DEL,
	GLFW_KEY_PAGEUP, GLFW_KEY_PAGEDOWN, GLFW_KEY_HOME, GLFW_KEY_END,
	GLFW_KEY_KP_0, GLFW_KEY_KP_1, GLFW_KEY_KP_2, GLFW_KEY_KP_3, GLFW_KEY_KP_4,
	GLFW_KEY_KP_5, GLFW_KEY_KP_6, GLFW_KEY_KP_7, GLFW_KEY_KP_8, GLFW_KEY_KP_9,
	GLFW_KEY_KP_DIVIDE, GLFW_KEY_KP_MULTIPLY, GLFW_KEY_KP_SUBTRACT, GLFW_KEY_KP_ADD,
	GLFW_KEY_KP_DECIMAL, GLFW_KEY_KP_EQUAL, GLFW_KEY_KP_ENTER,
	GLFW_KEY_KP_NUM_LOCK, GLFW_KEY_CAPS_LOCK, GLFW_KEY_SCROLL_LOCK, GLFW_KEY_PAUSE,
	GLFW_KEY_LSUPER, GLFW_KEY_RSUPER, GLFW_KEY_MENU,
	GLFW_KEY_LAST = GLFW_KEY_MENU
};

// Mouse buttons.
constexpr int GLFW_MOUSE_BUTTON_LEFT = 0;
constexpr int GLFW_MOUSE_BUTTON_RIGHT = 1;
constexpr int GLFW_MOUSE_BUTTON_MIDDLE = 2;

// Joysticks.
constexpr int GLFW_JOYSTICK_1 = 0;
constexpr int GLFW_JOYSTICK_LAST = 15;

// Window modes of glfwOpenWindow.
constexpr int GLFW_WINDOW = 0x00010001;
constexpr int GLFW_FULLSCREEN = 0x00010002;

// glfwGetWindowParam.
constexpr int GLFW_OPENED = 0x00020001;
constexpr int GLFW_ACTIVE = 0x00020002;
constexpr int GLFW_ICONIFIED = 0x00020003;

// glfwOpenWindowHint.
constexpr int GLFW_REFRESH_RATE = 0x0002000B;
constexpr int GLFW_WINDOW_NO_RESIZE = 0x00020012;

// glfwEnable / glfwDisable.
constexpr int GLFW_MOUSE_CURSOR = 0x00030001;
constexpr int GLFW_KEY_REPEAT = 0x00030005;
constexpr int GLFW_AUTO_POLL_EVENTS = 0x00030006;

// glfwGetJoystickParam.
constexpr int GLFW_PRESENT = 0x00050001;
constexpr int GLFW_AXES = 0x00050002;
constexpr int GLFW_BUTTONS = 0x00050003;

// The classic layout a gamepad is presented in.
constexpr int GLFW2_PAD_AXES = 6;
constexpr int GLFW2_PAD_BUTTONS = 14;
// Buttons and axes of a GLFW 3 gamepad state.
constexpr int GLFW2_GAMEPAD3_BUTTONS = 15;
constexpr int GLFW2_GAMEPAD3_AXES = 6;
// A raw joystick's hat follows at least this many buttons, as four buttons.
constexpr int GLFW2_FRONT_BUTTONS = 8;
constexpr int GLFW2_HAT_BUTTONS = 4;

//----------------------------------------------------------------------------
// Types
//----------------------------------------------------------------------------

struct GLFWvidmode {
	int Width, Height;
	int RedBits, BlueBits, GreenBits;
};

// An image of a window icon: straight-alpha RGBA pixels, row by row.
struct GLFW2image {
	int width, height;
	const unsigned char* pixels;
};

typedef void (*GLFWkeyfun)(int key, int action);
typedef void (*GLFWcharfun)(int character, int action);
typedef void (*GLFWmousebuttonfun)(int button, int action);
typedef void (*GLFWmouseposfun)(int x, int y);
// Returns non-zero to let the window close, 0 to keep it open.
typedef int (*GLFWwindowclosefun)();

// The clock, event pump, buffer swap, window state, content scale and
// joysticks the layer runs on. The default talks to GLFW 3; tests and the
// browser's host (host/web/) derive from it.
class Glfw2Platform {
public:
	virtual ~Glfw2Platform() = default;
	virtual double Time();
	virtual void Sleep(double seconds);
	virtual void PollEvents();
	virtual void WaitEvents();
	virtual void SwapBuffers();
	virtual void SwapInterval(int interval);
	virtual bool WindowOpened();
	virtual bool WindowActive();
	virtual float ContentScale();
	virtual int JoystickParam(int joy, int param);
	virtual int JoystickPos(int joy, float* pos, int numaxes);
	virtual int JoystickButtons(int joy, unsigned char* buttons, int numbuttons);
};

//----------------------------------------------------------------------------
// Functions
//----------------------------------------------------------------------------

// Library.
int glfwInit();
void glfwTerminate();
// Installs the platform the layer runs on; null restores the GLFW 3 one.
void glfw2SetPlatform(Glfw2Platform* platform);
// Writes GLFW's description of its last error, if there is one, on standard
// error, after what was written on standard output so far.
void glfw2ReportError();

// Window.
int glfwOpenWindow(int width, int height, int redbits, int greenbits, int bluebits, int alphabits,
                   int depthbits, int stencilbits, int mode);
void glfwOpenWindowHint(int target, int hint);
void glfwCloseWindow();
void glfwSetWindowCloseCallback(GLFWwindowclosefun callback);
void glfwSetWindowTitle(const char* title);
// Names the windows opened from now on: the instance and class of X11's
// WM_CLASS, by which docks match a window to its desktop entry.
void glfw2SetWindowClass(const char* instance, const char* className);
// Gives the windows opened from now on an icon in count sizes (copied).
void glfw2SetWindowIcon(const GLFW2image* images, int count);
void glfwGetWindowSize(int* width, int* height);
void glfwSetWindowPos(int x, int y);
int glfwGetWindowParam(int param);
void glfwSwapBuffers();
void glfwSwapInterval(int interval);

// Video modes.
int glfwGetVideoModes(GLFWvidmode* list, int maxcount);
void glfwGetDesktopMode(GLFWvidmode* mode);
// The desktop's content scale: how large it draws its user interface against
// an ordinary screen (2 on a screen set to double size); 1 when unknown.
float glfw2GetContentScale();

// Events and input.
void glfwPollEvents();
void glfwWaitEvents();
int glfwGetKey(int key);
void glfwGetMousePos(int* x, int* y);
void glfwSetKeyCallback(GLFWkeyfun callback);
void glfwSetCharCallback(GLFWcharfun callback);
void glfwSetMouseButtonCallback(GLFWmousebuttonfun callback);
void glfwSetMousePosCallback(GLFWmouseposfun callback);

// Joysticks.
int glfwGetJoystickParam(int joy, int param);
int glfwGetJoystickPos(int joy, float* pos, int numaxes);
int glfwGetJoystickButtons(int joy, unsigned char* buttons, int numbuttons);

// Time.
double glfwGetTime();
void glfwSleep(double time);

// Switches.
void glfwEnable(int token);
void glfwDisable(int token);

// Converts a GLFW 3 key code to the GLFW 2.7 numbering (GLFW_KEY_UNKNOWN if none).
int glfw2KeyFromGlfw3(int key);
// Converts a GLFW 3 gamepad state (GLFW 3 button and axis order) to the
// classic layout: GLFW2_PAD_BUTTONS buttons and GLFW2_PAD_AXES axes.
void glfw2ClassicPad(const unsigned char* buttons3, const float* axes3, unsigned char* buttons, float* axes);
// Converts the buttons of a joystick that GLFW 3 has no gamepad mapping for:
// its count buttons, and with hats (hats > 0) released buttons up to
// GLFW2_FRONT_BUTTONS and then the first hat as GLFW2_HAT_BUTTONS buttons
// (left, up, right, down), which stay last when numbuttons cuts the list
// short. Returns the number written.
int glfw2RawButtons(const unsigned char* buttons3, int count, const unsigned char* hats3, int hats,
                    unsigned char* buttons, int numbuttons);
// Converts the axes of such a joystick: the first stick's y axis is turned
// positive upwards. Returns the number written.
int glfw2RawAxes(const float* axes3, int count, float* axes, int numaxes);

}  // namespace glfw2
