// fresh_collector.h: puts the collector back to its start-up state for a test.
//
// Every list becomes empty, every counter zero, the block caches empty and the
// mark bit 1; objects allocated before are abandoned (never destroyed), so a
// test sees only the objects it makes itself. The roots hook is replaced by
// the given function (or none).
#pragma once

// Resets the collector and installs roots as its roots hook.
void gc_test_reset(void (*roots)() = nullptr);
