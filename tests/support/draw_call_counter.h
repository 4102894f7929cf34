// draw_call_counter.h: counts the draw calls that reach the real driver.
//
// CountDrawCalls() puts counting wrappers into the kx_gl entry table that
// pass every DrawArrays / DrawElements on to the driver; g_drawCalls holds
// the count since it was last set to 0.
#pragma once

// Draw calls since the count was last reset.
extern int g_drawCalls;

// Routes kx_gl's draw entries through the counter to the native driver.
void CountDrawCalls();
