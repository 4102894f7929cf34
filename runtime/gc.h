// gc.h: the incremental mark-and-sweep collector and the object header.
//
// Every script object derives from gc_object. New objects start white in the
// unmarked list; the write barrier gc_assign turns a stored object grey
// (queued); gc_collect scans queued objects a little after every host event and
// runs a full collection after every 8 MiB of new allocation. Garbage moves to
// the free list and is destroyed a little at a time by later allocations.
// Blocks under 64 bytes are recycled through per-size caches.
#pragma once

#include <atomic>
#include <cstddef>
#include <type_traits>

//----------------------------------------------------------------------------
// Object header and lists
//----------------------------------------------------------------------------

struct gc_object;

// Colour bits of gc_object::flags; the rest of the word is the block size.
const unsigned GC_COLOUR_MASK = 3;
// The colour of objects that are never moved or marked (static empty arrays).
const unsigned GC_COLOUR_STATIC = 3;
// A full collection runs after this many bytes of new allocation.
const int GC_FULL_COLLECT_BYTES = 8 * 1024 * 1024;
// Blocks smaller than this are recycled through gc_cache.
const int GC_CACHE_LIMIT = 64;
// Entries of the local-roots stack.
const int GC_LOCALS_CAPACITY = 8192;

// Tag for the constructor of statically allocated objects (list sentinels,
// empty array reps): they are not in any list and are not counted.
struct gc_static_tag {};

struct gc_object {
	gc_object* succ;
	gc_object* pred;
	unsigned flags;

	// Links a newly allocated object into the unmarked list, white (an object
	// outside collector memory becomes static instead).
	gc_object();
	// A static object: colour 3 and in no list (a list sentinel links to itself).
	explicit gc_object(gc_static_tag);
	gc_object(const gc_object&) = delete;
	gc_object& operator=(const gc_object&) = delete;
	virtual ~gc_object();

	// Reports the references this object holds (gc_mark_q for fields).
	virtual void mark();

	// Collector allocation; the deleting destructor returns the block.
	static void* operator new(size_t size);
	// Allocation with extra bytes after the object (array elements).
	static void* operator new(size_t size, size_t extra);
	static void operator delete(void* p);
};

extern gc_object gc_unmarked_list;
extern gc_object gc_queued_list;
extern gc_object gc_marked_list;
extern gc_object gc_free_list;

extern unsigned gc_markbit;
extern int gc_new_bytes;
extern int gc_alloced_bytes;
extern int gc_max_alloced_bytes;
extern int gc_marked_bytes;
extern int gc_free_bytes;
extern std::atomic<int> gc_ext_new_bytes;

extern void* gc_cache[GC_CACHE_LIMIT / 8];

extern gc_object* gc_locals[GC_LOCALS_CAPACITY];
extern int gc_locals_sp;

//----------------------------------------------------------------------------
// Collector operations
//----------------------------------------------------------------------------

// Allocates a white object block of at least size bytes (rounded up to 8).
void* gc_object_alloc(size_t size);
// Returns a destroyed object's block to the cache or the heap.
void gc_object_free(void* block, int size);
// Makes the four object lists empty.
void gc_init1();
// Queues every root (the program's object-valued globals).
void gc_mark();
// The same as gc_mark (the start-up name).
void gc_init2();
// Scans queued objects until limit bytes are marked or the queue is empty.
void gc_mark_queued(int limit);
// Marks every white object of the local-roots stack at once.
void gc_mark_locals();
// Moves everything still white to the free list and turns survivors white.
void gc_sweep();
// Counts non-collector memory toward the next full collection.
void gc_ext_malloced(int bytes);
// Destroys free-list objects until gc_free_bytes has dropped by bytes.
void gc_flush_free(int bytes);
// One collector step: incremental marking, or a full collection after 8 MiB.
void gc_collect();
// Pushes an object onto the local-roots stack (protected until the next step).
void gc_push_local(gc_object* p);
// The live collector object at address p, or null when there is none there
// (used to check addresses that arrive from outside, such as the debugger's).
gc_object* gc_find_object(const void* p);

// Hook for the program's roots, installed by the module initialiser.
extern void (*gc_mark_roots)();

// True when p has been found in the current cycle (grey, black or static).
inline bool gc_is_reached(const gc_object* p) {
	return (p->flags & GC_COLOUR_MASK) != gc_markbit;
}

// Marks an object at once, depth first: it becomes black and its mark() runs.
void gc_mark_object(gc_object* p);
// Queues a white object: it becomes grey at the tail of the queued list.
void gc_queue_object(gc_object* p);

//----------------------------------------------------------------------------
// Typed helpers for script code
//----------------------------------------------------------------------------

// Converts any script reference (object or interface) to its collector header.
template <class T>
inline gc_object* gc_header(T* p) {
	if constexpr (std::is_base_of_v<gc_object, T>) {
		return p;
	} else {
		return dynamic_cast<gc_object*>(p);
	}
}

// Queues the object a field refers to (used by mark()).
template <class T>
inline void gc_mark_q(T* p) {
	if (p) gc_queue_object(gc_header(p));
}

// Marks the object at once, depth first (used for array elements).
template <class T>
inline void gc_mark(T* p) {
	if (p) gc_mark_object(gc_header(p));
}

// The write barrier: greys a white object, then stores it.
template <class T, class U>
inline void gc_assign(T*& slot, U* p) {
	if (p) gc_queue_object(gc_header(p));
	slot = p;
}
