// gc_bench.cpp: the collector's costs: one full collection of a live heap of
// small objects, and one small allocation with and without garbage to pay for.
#include <benchmark/benchmark.h>

#include <climits>

#include "runtime/gc.h"
#include "runtime/kx_array.h"
#include "runtime/object.h"

namespace {

// Objects in the live heap of the full-collection benchmark.
const int LIVE_OBJECTS = 100000;

// A small script object with one reference: a link of a chain.
class Link : public Object {
public:
	Link* m_next = nullptr;
	void mark() override { gc_mark_q(m_next); }
};

// The benchmark program's object-valued globals.
Link* g_chain;
Array<Link*> g_table;

// Queues the globals, as the module initialiser's roots hook does.
void mark_roots() {
	gc_mark_q(g_chain);
	gc_mark_q(g_table);
}

// Empties the collector and installs the roots hook.
void fresh_collector() {
	gc_init1();
	gc_markbit = 1;
	gc_new_bytes = gc_alloced_bytes = gc_marked_bytes = gc_free_bytes = 0;
	gc_ext_new_bytes.store(0);
	gc_mark_roots = mark_roots;
	g_chain = nullptr;
	g_table = Array<Link*>();
}

// Runs one full collection now.
void full_collection() {
	gc_ext_malloced(GC_FULL_COLLECT_BYTES + 1);
	gc_collect();
}

// Builds a chain of n links rooted in g_chain.
void build_chain(int n) {
	for (int i = 0; i < n; ++i) {
		Link* link = new Link;
		gc_assign(link->m_next, g_chain);
		gc_assign(g_chain, link);
	}
}

// Builds an array of n links rooted in g_table (marked at once, depth first).
void build_table(int n) {
	gc_assign(g_table, Array<Link*>(n));
	for (int i = 0; i < n; ++i) gc_assign(g_table[i], new Link);
}

// One full collection of 100 000 live objects reached through a chain of
// fields (each queued, then scanned).
void BM_FullCollectionChain(benchmark::State& state) {
	fresh_collector();
	build_chain(LIVE_OBJECTS);
	full_collection();
	for (auto _ : state) full_collection();
	state.counters["live_bytes"] = gc_alloced_bytes;
}
BENCHMARK(BM_FullCollectionChain)->Unit(benchmark::kMillisecond);

// One full collection of 100 000 live objects held by one array.
void BM_FullCollectionArray(benchmark::State& state) {
	fresh_collector();
	build_table(LIVE_OBJECTS);
	full_collection();
	for (auto _ : state) full_collection();
	state.counters["live_bytes"] = gc_alloced_bytes;
}
BENCHMARK(BM_FullCollectionArray)->Unit(benchmark::kMillisecond);

// A small allocation with an empty free list: a block from the cache or heap.
// NOTE: the garbage made here is swept outside the timing every 100 000
// allocations, so that the free list stays empty while timing.
void BM_AllocateWithoutGarbage(benchmark::State& state) {
	fresh_collector();
	int made = 0;
	for (auto _ : state) {
		benchmark::DoNotOptimize(new Link);
		if (++made == LIVE_OBJECTS) {
			state.PauseTiming();
			full_collection();
			gc_flush_free(INT_MAX);
			made = 0;
			state.ResumeTiming();
		}
	}
}
BENCHMARK(BM_AllocateWithoutGarbage);

// A small allocation that first destroys one garbage object of its size and
// then reuses its block through the cache.
void BM_AllocateWithGarbage(benchmark::State& state) {
	fresh_collector();
	int left = 0;
	for (auto _ : state) {
		if (left == 0) {
			state.PauseTiming();
			gc_flush_free(INT_MAX);
			for (int i = 0; i < LIVE_OBJECTS; ++i) new Link;
			full_collection();
			left = LIVE_OBJECTS;
			state.ResumeTiming();
		}
		benchmark::DoNotOptimize(new Link);
		--left;
	}
}
BENCHMARK(BM_AllocateWithGarbage);

// An event that links one new small object into a live heap of 100 000
// objects, and the collector step after it (full collections included as
// they fall due).
void BM_EventWithStep(benchmark::State& state) {
	fresh_collector();
	build_chain(LIVE_OBJECTS);
	full_collection();
	for (auto _ : state) {
		Link* link = new Link;
		gc_assign(link->m_next, g_chain->m_next);
		gc_assign(g_chain->m_next, link);
		gc_collect();
	}
}
BENCHMARK(BM_EventWithStep);

}  // namespace
