// gc.cpp: the incremental mark-and-sweep collector.
#include "runtime/gc.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>

//----------------------------------------------------------------------------
// Collector state
//----------------------------------------------------------------------------

gc_object gc_unmarked_list{gc_static_tag{}};
gc_object gc_queued_list{gc_static_tag{}};
gc_object gc_marked_list{gc_static_tag{}};
gc_object gc_free_list{gc_static_tag{}};

unsigned gc_markbit = 1;
int gc_new_bytes;
int gc_alloced_bytes;
int gc_max_alloced_bytes;
int gc_marked_bytes;
int gc_free_bytes;
std::atomic<int> gc_ext_new_bytes{0};

void* gc_cache[GC_CACHE_LIMIT / 8];

gc_object* gc_locals[GC_LOCALS_CAPACITY];
int gc_locals_sp;

void (*gc_mark_roots)();

namespace {

// Blocks handed out whose constructor has not run yet, newest last.
// NOTE: allocations can nest before a constructor runs (new A(new B) allocates
// A, then allocates and constructs B, then constructs A), so each constructor
// looks up its own block instead of taking the last flags handed out.
const int PENDING_MAX = 64;
struct Pending {
	void* block;
	unsigned flags;
};
Pending pending[PENDING_MAX];
int pending_count;
// Block size of the object being destroyed (read by operator delete).
int dying_size;

// Aligns a size upward to a multiple of 8.
int align8(size_t size) {
	return static_cast<int>((size + 7) & ~static_cast<size_t>(7));
}

// Block size recorded in an object's flags.
int block_size(const gc_object* p) {
	return static_cast<int>(p->flags & ~GC_COLOUR_MASK);
}

// Unlinks an object from whatever list holds it.
void unlink(gc_object* p) {
	p->pred->succ = p->succ;
	p->succ->pred = p->pred;
}

// Appends an object at the tail of a list.
void append(gc_object* list, gc_object* p) {
	p->pred = list->pred;
	p->succ = list;
	list->pred->succ = p;
	list->pred = p;
}

// Makes a list empty.
void clear(gc_object* list) {
	list->succ = list->pred = list;
}

// Moves every object of one list to the tail of another, keeping their order.
void splice(gc_object* from, gc_object* to) {
	if (from->succ == from) return;
	gc_object* first = from->succ;
	gc_object* last = from->pred;
	first->pred = to->pred;
	to->pred->succ = first;
	last->succ = to;
	to->pred = last;
	clear(from);
}

// Records the flags a newly allocated block's constructor takes; the oldest
// record is dropped when blocks were allocated and never constructed.
void push_pending(void* block, unsigned flags) {
	if (pending_count == PENDING_MAX) {
		for (int i = 1; i < PENDING_MAX; ++i) pending[i - 1] = pending[i];
		--pending_count;
	}
	pending[pending_count++] = {block, flags};
}

// Takes the flags recorded for a block; false when it was not allocated here.
bool pop_pending(void* block, unsigned& flags) {
	for (int i = pending_count - 1; i >= 0; --i) {
		if (pending[i].block != block) continue;
		flags = pending[i].flags;
		for (int j = i + 1; j < pending_count; ++j) pending[j - 1] = pending[j];
		--pending_count;
		return true;
	}
	return false;
}

// Link word of a block in gc_cache (its second pointer-sized word).
void*& cache_link(void* block) {
	return static_cast<void**>(block)[1];
}

// Moves a reached object to the marked list and scans it.
void scan(gc_object* p) {
	unlink(p);
	append(&gc_marked_list, p);
	gc_marked_bytes += block_size(p);
	p->mark();
}

}  // namespace

//----------------------------------------------------------------------------
// gc_object
//----------------------------------------------------------------------------

// A new object: white, at the tail of the unmarked list.
// NOTE: an object constructed outside collector memory (on the stack, static,
// a member) is made static like the empty arrays: never listed, never freed.
gc_object::gc_object() {
	if (!pop_pending(this, flags)) {
		succ = pred = this;
		flags = GC_COLOUR_STATIC;
		return;
	}
	append(&gc_unmarked_list, this);
}

// A static object: never white, never moved. Sentinels start as empty lists.
gc_object::gc_object(gc_static_tag) : succ(this), pred(this), flags(GC_COLOUR_STATIC) {}

// Remembers the block size for the deleting destructor.
gc_object::~gc_object() {
	dying_size = block_size(this);
}

// No references by default.
void gc_object::mark() {}

// Allocation from the collector.
void* gc_object::operator new(size_t size) {
	return gc_object_alloc(size);
}

// Allocation with trailing element storage.
void* gc_object::operator new(size_t size, size_t extra) {
	return gc_object_alloc(size + extra);
}

// Returns the block of the object just destroyed.
void gc_object::operator delete(void* p) {
	gc_object_free(p, dying_size);
}

//----------------------------------------------------------------------------
// Allocation and freeing
//----------------------------------------------------------------------------

// Allocates a block, paying for it by destroying as much garbage.
void* gc_object_alloc(size_t request) {
	int size = align8(request);
	gc_new_bytes += size;
	gc_flush_free(size);

	void* block = nullptr;
	int slot = size / 8;
	if (size < GC_CACHE_LIMIT && gc_cache[slot]) {
		block = gc_cache[slot];
		gc_cache[slot] = cache_link(block);
	} else {
		block = std::malloc(size);
		if (!block) std::abort();
	}
	push_pending(block, gc_markbit | static_cast<unsigned>(size));

	gc_alloced_bytes += size;
	if (gc_alloced_bytes > gc_max_alloced_bytes) gc_max_alloced_bytes = gc_alloced_bytes;
	return block;
}

// Small blocks go to the per-size cache, larger ones back to the heap.
void gc_object_free(void* block, int size) {
	gc_free_bytes -= size;
	if (size < GC_CACHE_LIMIT) {
		int slot = size / 8;
		cache_link(block) = gc_cache[slot];
		gc_cache[slot] = block;
	} else {
		std::free(block);
	}
}

// Destroys garbage from the head of the free list.
void gc_flush_free(int bytes) {
	int target = gc_free_bytes - bytes;
	if (target < 0) target = 0;
	while (gc_free_bytes > target) {
		gc_object* p = gc_free_list.succ;
		if (p == &gc_free_list) {
			gc_free_bytes = 0;
			return;
		}
		unlink(p);
		delete p;
	}
}

// Counts memory held outside the collector.
void gc_ext_malloced(int bytes) {
	gc_ext_new_bytes.fetch_add(bytes);
}

//----------------------------------------------------------------------------
// Marking
//----------------------------------------------------------------------------

// Makes the four lists empty.
void gc_init1() {
	clear(&gc_unmarked_list);
	clear(&gc_queued_list);
	clear(&gc_marked_list);
	clear(&gc_free_list);
}

// Queues every root of the program.
void gc_mark() {
	if (gc_mark_roots) gc_mark_roots();
}

// Queues every root of the program.
void gc_init2() {
	gc_mark();
}

// Marks a white object now and scans what it references.
// NOTE: null is accepted here and in gc_queue_object: an interface reference
// to something that is no collector object converts to a null header.
void gc_mark_object(gc_object* p) {
	if (!p || gc_is_reached(p)) return;
	p->flags ^= 1;
	scan(p);
}

// Greys a white object.
void gc_queue_object(gc_object* p) {
	if (!p || gc_is_reached(p)) return;
	p->flags ^= 1;
	unlink(p);
	append(&gc_queued_list, p);
}

// Scans queued objects until limit bytes are marked.
void gc_mark_queued(int limit) {
	while (gc_marked_bytes < limit && gc_queued_list.succ != &gc_queued_list) {
		scan(gc_queued_list.succ);
	}
}

// Marks the objects of the local-roots stack.
void gc_mark_locals() {
	for (int i = 0; i < gc_locals_sp; ++i) {
		if (gc_locals[i]) gc_mark_object(gc_locals[i]);
	}
}

// Protects an object until the next collector step.
void gc_push_local(gc_object* p) {
	if (gc_locals_sp < GC_LOCALS_CAPACITY) gc_locals[gc_locals_sp++] = p;
}

//----------------------------------------------------------------------------
// Collection
//----------------------------------------------------------------------------

// Everything still white is garbage; survivors start the next cycle white.
void gc_sweep() {
	if (gc_alloced_bytes != gc_marked_bytes) {
		gc_free_bytes += gc_alloced_bytes - gc_marked_bytes;
		splice(&gc_unmarked_list, &gc_free_list);
	}
	gc_alloced_bytes = gc_marked_bytes;
	splice(&gc_marked_list, &gc_unmarked_list);
	gc_marked_bytes = 0;
	gc_markbit ^= 1;
}

// One collector step, run after every host event.
void gc_collect() {
	gc_locals_sp = 0;
	// NOTE: the sum is taken in 64 bits: large file loads can push the external
	// count alone close to the int range.
	if (static_cast<int64_t>(gc_ext_new_bytes.load()) + gc_new_bytes <= GC_FULL_COLLECT_BYTES) {
		// NOTE: marking keeps pace with allocation, so that by the time 8 MiB
		// are new the whole live heap has been scanned.
		int64_t old_bytes = gc_alloced_bytes - gc_new_bytes;
		int target = gc_new_bytes + static_cast<int>(old_bytes * gc_new_bytes / GC_FULL_COLLECT_BYTES);
		gc_mark_queued(target);
		return;
	}
	gc_ext_new_bytes.store(0);
	// NOTE: garbage that allocations have not yet paid for is destroyed before
	// the next is found. Each allocation destroys only its own size of garbage,
	// so in a program that allocates little the backlog would never shrink, and
	// what it holds outside the collector (pixels, decoded sound) would be kept
	// for ever.
	gc_flush_free(gc_free_bytes);
	gc_mark_locals();
	gc_mark_queued(INT_MAX);
	gc_sweep();
	gc_mark();
	gc_new_bytes = 0;
}

//----------------------------------------------------------------------------
// Lookup
//----------------------------------------------------------------------------

// Whether a list holds the object at address p.
static bool list_holds(const gc_object* list, const void* p) {
	for (const gc_object* q = list->succ; q != list; q = q->succ) {
		if (q == p) return true;
	}
	return false;
}

// The live object at address p (unmarked, queued or marked), or null.
gc_object* gc_find_object(const void* p) {
	if (!p) return nullptr;
	for (const gc_object* list : {&gc_unmarked_list, &gc_queued_list, &gc_marked_list}) {
		if (list_holds(list, p)) return static_cast<gc_object*>(const_cast<void*>(p));
	}
	return nullptr;
}
