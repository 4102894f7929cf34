// gxtk_graphics.cpp: the graphics device's frame bracket.
#include "graphics/gxtk_graphics.h"

gxtkGraphics::gxtkGraphics() {}

int gxtkGraphics::BeginRender() {
	return 1;
}

void gxtkGraphics::EndRender() {}

void gxtkGraphics::DiscardGraphics() {}
