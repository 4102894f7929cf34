// fresh_collector.cpp: the collector reset used by collector-level tests.
#include "support/fresh_collector.h"

#include "runtime/gc.h"

// Empty lists, zero counters, empty caches, mark bit 1 and the given roots.
void gc_test_reset(void (*roots)()) {
	gc_init1();
	gc_markbit = 1;
	gc_new_bytes = 0;
	gc_alloced_bytes = 0;
	gc_max_alloced_bytes = 0;
	gc_marked_bytes = 0;
	gc_free_bytes = 0;
	gc_ext_new_bytes.store(0);
	for (void*& slot : gc_cache) slot = nullptr;
	gc_locals_sp = 0;
	gc_mark_roots = roots;
}
