// sdl_sprites_bench.cpp: the game's busiest sprite frame drawn with SDL2's
// renderer on its OpenGL backend, for comparison with render_bench: 2499
// sprites of one texture, each rotated, scaled and faded in turn, in a
// 640 x 480 window, submitted without a buffer swap. scripts/bench runs the
// two in turns, in one thread, on Mesa's no-op driver (what the renderers and
// the GL front end cost) and on llvmpipe (the whole frame, rasterised).
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdlib>
#include <vector>

#include "sprite_scene.h"

namespace {

using namespace sprite_scene;

// A white sprite sheet of FRAMES frames side by side.
SDL_Texture* makeSheet(SDL_Renderer* renderer) {
	SDL_Texture* sheet = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC,
	                                       FRAME * FRAMES, FRAME);
	std::vector<unsigned char> pixels(static_cast<size_t>(FRAME) * FRAMES * FRAME * 4, 0xff);
	SDL_UpdateTexture(sheet, nullptr, pixels.data(), FRAME * FRAMES * 4);
	SDL_SetTextureBlendMode(sheet, SDL_BLENDMODE_BLEND);
	return sheet;
}

// One frame: every sprite centred on its point, rotated about its centre.
void renderFrame(SDL_Renderer* renderer, SDL_Texture* sheet) {
	SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
	SDL_RenderClear(renderer);
	const float size = FRAME * SCALE;
	for (int i = 0; i < SPRITES; ++i) {
		SDL_SetTextureAlphaMod(sheet, (i % 2) ? 255 : 128);
		SDL_Rect src = {(i % FRAMES) * FRAME, 0, FRAME, FRAME};
		SDL_FRect dst = {(i % WIDTH) - size / 2, (i % HEIGHT) - size / 2, size, size};
		SDL_RenderCopyExF(renderer, sheet, &src, &dst, i % 360, nullptr, SDL_FLIP_NONE);
	}
	SDL_RenderFlush(renderer);
}

void BM_SdlSpritesOpenGL(benchmark::State& state) {
	if (!std::getenv("DISPLAY") || SDL_Init(SDL_INIT_VIDEO) != 0) {
		state.SkipWithError("no display for SDL");
		return;
	}
	SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
	SDL_Window* window = SDL_CreateWindow("sdl_sprites_bench", 0, 0, WIDTH, HEIGHT, SDL_WINDOW_OPENGL);
	SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
	if (!renderer) {
		state.SkipWithError("no SDL OpenGL renderer");
		return;
	}
	SDL_Texture* sheet = makeSheet(renderer);
	for (auto _ : state) renderFrame(renderer, sheet);
	SDL_RendererInfo info;
	SDL_GetRendererInfo(renderer, &info);
	state.SetLabel(info.name);
	state.counters["sprites"] = SPRITES;
	state.SetItemsProcessed(state.iterations() * SPRITES);
	SDL_DestroyTexture(sheet);
	SDL_DestroyRenderer(renderer);
	SDL_DestroyWindow(window);
	SDL_Quit();
}
BENCHMARK(BM_SdlSpritesOpenGL)->Unit(benchmark::kMicrosecond);

}  // namespace
