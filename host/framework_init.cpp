// framework_init.cpp: initial values and roots of the framework globals.
#include "host/framework_init.h"

#include "audio/audio_api.h"
#include "graphics/graphics_api.h"
#include "host/app.h"
#include "host/async_events.h"
#include "input/input_device.h"
#include "runtime/random.h"

namespace {

// The generator's seed at start.
const int kInitialSeed = 1234;

}  // namespace

void kx_framework_InitGlobals() {
	kx_app__app = nullptr;
	kx_app__delegate = nullptr;
	kx_app__game = KxGame::_game;
	kx_graphics_device = nullptr;
	gc_assign(kx_graphics_context, (new c_GraphicsContext)->m_new());
	c_Image::m_DefaultFlags = 0;
	kx_audio_device = nullptr;
	kx_input_device = nullptr;
	kx_app__devWidth = 0;
	kx_app__devHeight = 0;
	kx_app__displayModes = Array<c_DisplayMode*>();
	kx_app__desktopMode = nullptr;
	kx_graphics_renderDevice = nullptr;
	kx_app__updateRate = 0;
	gc_assign(kx_asyncevent__sources, (new c_Stack2)->m_new());
	c_Stack2::m_NIL = nullptr;
	kx_asyncevent__current = nullptr;
	kx_random_Seed = kInitialSeed;
}

void kx_framework_MarkRoots() {
	gc_mark_q(kx_app__app);
	gc_mark_q(kx_app__delegate);
	gc_mark_q(kx_graphics_device);
	gc_mark_q(kx_graphics_context);
	gc_mark_q(kx_graphics_renderDevice);
	gc_mark_q(kx_audio_device);
	gc_mark_q(kx_input_device);
	gc_mark_q(kx_app__displayModes);
	gc_mark_q(kx_app__desktopMode);
	gc_mark_q(kx_asyncevent__sources);
	gc_mark_q(kx_asyncevent__current);
	gc_mark_q(c_Stack2::m_NIL);
}
