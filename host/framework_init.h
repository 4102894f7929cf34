// framework_init.h: the framework's part of the program's global set-up.
//
// The module initialiser kxInit calls kx_framework_InitGlobals before the
// game's own globals, and the program's root marker (gc_mark_roots) calls
// kx_framework_MarkRoots.
#pragma once

// Gives every framework global its initial value, in a fixed order.
void kx_framework_InitGlobals();
// Queues every object the framework globals refer to.
void kx_framework_MarkRoots();
