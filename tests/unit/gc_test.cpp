// gc_test.cpp: the collector's lists, colours, write barrier, incremental
// target, full collections, delayed destruction and block caches.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "runtime/gc.h"
#include "runtime/kx_array.h"
#include "runtime/object.h"
#include "support/fresh_collector.h"

namespace {

// A script object that counts its destructions and holds one reference.
class Probe : public Object {
public:
	static int destroyed;
	Probe* m_ref = nullptr;
	~Probe() override { ++destroyed; }
	void mark() override { gc_mark_q(m_ref); }
};
int Probe::destroyed;

// The test program's one object-valued global.
Probe* g_root;

// The roots hook: queues the global, as the module initialiser's does.
void mark_test_roots() {
	gc_mark_q(g_root);
}

// Bytes that make the next gc_collect a full collection.
const int PAST_FULL = GC_FULL_COLLECT_BYTES + 1;

// Whether a list holds the object.
bool in_list(const gc_object& list, const gc_object* p) {
	for (const gc_object* q = list.succ; q != &list; q = q->succ) {
		if (q == p) return true;
	}
	return false;
}

// Number of objects in a list.
int list_length(const gc_object& list) {
	int n = 0;
	for (const gc_object* q = list.succ; q != &list; q = q->succ) ++n;
	return n;
}

// Runs a full collection now, whatever was allocated.
void full_collection() {
	gc_ext_malloced(PAST_FULL);
	gc_collect();
}

// The block size an object of sizeof(T) bytes gets.
template <class T>
int block_of() {
	return static_cast<int>((sizeof(T) + 7) / 8 * 8);
}

// A larger object, for nesting allocations of different sizes.
class Big : public Object {
public:
	char m_bytes[100] = {};
};

// An object that takes another as a constructor argument.
class Wrapper : public Object {
public:
	Object* m_inner;
	explicit Wrapper(Object* inner) : m_inner(inner) {}
};

class Collector : public ::testing::Test {
protected:
	void SetUp() override {
		gc_test_reset(mark_test_roots);
		Probe::destroyed = 0;
		g_root = nullptr;
	}
	void TearDown() override { gc_test_reset(); }

	// A rooted object, queued as start-up does after the module initialiser.
	Probe* make_root() {
		g_root = new Probe;
		gc_init2();
		return g_root;
	}
};

}  // namespace

TEST_F(Collector, NewObjectsAreWhiteInTheUnmarkedList) {
	Probe* p = new Probe;
	EXPECT_TRUE(in_list(gc_unmarked_list, p));
	EXPECT_EQ(p->flags & GC_COLOUR_MASK, gc_markbit);
	EXPECT_EQ(static_cast<int>(p->flags & ~GC_COLOUR_MASK), block_of<Probe>());
	EXPECT_EQ(gc_new_bytes, block_of<Probe>());
	EXPECT_EQ(gc_alloced_bytes, block_of<Probe>());
	EXPECT_EQ(gc_max_alloced_bytes, block_of<Probe>());
}

TEST_F(Collector, WriteBarrierGreysWhiteObjectsOnce) {
	Probe* holder = new Probe;
	Probe* p = new Probe;
	gc_assign(holder->m_ref, p);
	EXPECT_EQ(holder->m_ref, p);
	EXPECT_TRUE(in_list(gc_queued_list, p));
	EXPECT_NE(p->flags & GC_COLOUR_MASK, gc_markbit);
	gc_assign(holder->m_ref, p);
	EXPECT_EQ(list_length(gc_queued_list), 1);
	gc_assign(holder->m_ref, static_cast<Probe*>(nullptr));
	EXPECT_EQ(holder->m_ref, nullptr);
	EXPECT_EQ(list_length(gc_queued_list), 1);
}

TEST_F(Collector, WithoutAllocationAStepMarksNothing) {
	make_root();
	full_collection();
	ASSERT_EQ(gc_new_bytes, 0);
	ASSERT_EQ(list_length(gc_queued_list), 1);
	gc_collect();
	EXPECT_EQ(gc_marked_bytes, 0);
	EXPECT_EQ(list_length(gc_queued_list), 1);
	EXPECT_EQ(list_length(gc_marked_list), 0);
}

TEST_F(Collector, FullCollectionStartsPastEightMebibytes) {
	make_root();
	unsigned bit = gc_markbit;
	gc_ext_malloced(GC_FULL_COLLECT_BYTES - gc_new_bytes);
	gc_collect();
	EXPECT_EQ(gc_markbit, bit) << "exactly 8 MiB is still incremental";
	EXPECT_EQ(gc_ext_new_bytes.load(), GC_FULL_COLLECT_BYTES - block_of<Probe>());
	gc_ext_malloced(1);
	gc_collect();
	EXPECT_NE(gc_markbit, bit);
	EXPECT_EQ(gc_ext_new_bytes.load(), 0);
	EXPECT_EQ(gc_new_bytes, 0);
}

TEST_F(Collector, ExternalBytesNearTheIntRangeStillTriggerAFullCollection) {
	make_root();
	unsigned bit = gc_markbit;
	gc_ext_malloced(INT_MAX - 8);
	gc_collect();
	EXPECT_NE(gc_markbit, bit);
}

TEST_F(Collector, FullCollectionKeepsReachableObjectsAndRequeuesRoots) {
	Probe* root = make_root();
	Probe* child = new Probe;
	gc_assign(root->m_ref, child);
	Probe* orphan = new Probe;
	full_collection();

	EXPECT_TRUE(in_list(gc_queued_list, root));
	EXPECT_TRUE(in_list(gc_unmarked_list, child));
	EXPECT_TRUE(in_list(gc_free_list, orphan));
	EXPECT_EQ(child->flags & GC_COLOUR_MASK, gc_markbit) << "survivors are white again";
	EXPECT_EQ(gc_alloced_bytes, 2 * block_of<Probe>());
	EXPECT_EQ(gc_free_bytes, block_of<Probe>());
	EXPECT_EQ(gc_marked_bytes, 0);
	EXPECT_EQ(Probe::destroyed, 0);
}

TEST_F(Collector, ObjectStoredDuringAnEventSurvivesFullCollections) {
	Probe* root = make_root();
	full_collection();
	// The event: a new object goes into a field of a live object.
	Probe* kept = new Probe;
	gc_assign(root->m_ref, kept);
	gc_collect();
	for (int i = 0; i < 3; ++i) {
		full_collection();
		for (int j = 0; j < 10; ++j) new Probe;
	}
	EXPECT_EQ(root->m_ref, kept);
	EXPECT_FALSE(in_list(gc_free_list, kept));
	EXPECT_TRUE(in_list(gc_unmarked_list, kept) || in_list(gc_queued_list, kept) || in_list(gc_marked_list, kept));
	EXPECT_EQ(Probe::destroyed, 20);
}

TEST_F(Collector, DroppedObjectDiesOnlyAfterAFullCollectionAndAnAllocation) {
	Probe* root = make_root();
	gc_assign(root->m_ref, new Probe);
	full_collection();
	// The event that drops the reference allocates, and steps run after it.
	gc_assign(root->m_ref, static_cast<Probe*>(nullptr));
	for (int i = 0; i < 5; ++i) new Probe;
	gc_collect();
	EXPECT_EQ(Probe::destroyed, 0);
	full_collection();
	EXPECT_EQ(Probe::destroyed, 0) << "garbage waits in the free list";
	EXPECT_EQ(list_length(gc_free_list), 6);
	new Probe;
	EXPECT_EQ(Probe::destroyed, 1) << "one allocation pays for one object of its size";
	EXPECT_EQ(gc_free_bytes, 5 * block_of<Probe>());
	gc_flush_free(1 << 30);
	EXPECT_EQ(Probe::destroyed, 6);
	EXPECT_EQ(gc_free_bytes, 0);
}

TEST_F(Collector, GarbageNotPaidForDiesAtTheNextFullCollection) {
	make_root();
	for (int i = 0; i < 4; ++i) new Probe;
	full_collection();
	ASSERT_EQ(Probe::destroyed, 0);
	// As many new objects as are destroyed: the backlog alone would stay.
	for (int i = 0; i < 4; ++i) new Probe;
	ASSERT_EQ(Probe::destroyed, 4);
	for (int i = 0; i < 3; ++i) new Probe;
	full_collection();
	EXPECT_EQ(Probe::destroyed, 4) << "the four destroyed already, none of the seven new ones";
	EXPECT_EQ(list_length(gc_free_list), 7);
	full_collection();
	EXPECT_EQ(Probe::destroyed, 11) << "the backlog is destroyed before new garbage is found";
	EXPECT_EQ(gc_free_bytes, 0);
}

TEST_F(Collector, AllocationPaysForAboutItsOwnSize) {
	make_root();
	for (int i = 0; i < 4; ++i) new Probe;
	full_collection();
	ASSERT_EQ(gc_free_bytes, 4 * block_of<Probe>());
	// A block twice the size of a probe destroys two probes.
	void* block = gc_object_alloc(2 * block_of<Probe>());
	EXPECT_EQ(Probe::destroyed, 2);
	EXPECT_EQ(gc_free_bytes, 2 * block_of<Probe>());
	gc_object_free(block, 2 * block_of<Probe>());
}

TEST_F(Collector, IncrementalTargetFollowsAllocation) {
	// Arrays of ints that fill blocks of exactly 256 KiB.
	const int block = 256 * 1024;
	const int ints = (block - static_cast<int>(sizeof(Array<int>::Rep))) / static_cast<int>(sizeof(int));
	make_root();
	full_collection();
	std::vector<Array<int>> arrays;
	for (int i = 0; i < 30; ++i) {
		arrays.push_back(Array<int>(ints));
		ASSERT_EQ(static_cast<int>(arrays.back().rep->flags & ~GC_COLOUR_MASK), block);
		gc_queue_object(arrays.back().rep);
	}
	gc_flush_free(1 << 30);
	gc_marked_bytes = 0;
	// 4 MiB new and 4 MiB old: target 4 MiB + 4 MiB × 4 MiB / 8 MiB = 6 MiB.
	// NOTE: the product overflows 32 bits; exactly 24 blocks reach the target.
	gc_new_bytes = 4 * 1024 * 1024;
	gc_alloced_bytes = 8 * 1024 * 1024;
	gc_ext_new_bytes.store(0);
	gc_collect();
	EXPECT_EQ(gc_marked_bytes, 24 * block + block_of<Probe>());
	EXPECT_EQ(list_length(gc_queued_list), 6);

	// 1 MiB new and nothing old: the target is the new bytes alone.
	gc_marked_bytes = 0;
	gc_new_bytes = 1024 * 1024;
	gc_alloced_bytes = gc_new_bytes;
	gc_collect();
	EXPECT_EQ(gc_marked_bytes, 4 * block);
	EXPECT_EQ(list_length(gc_queued_list), 2);
}

TEST_F(Collector, MarkQueuedStopsAtTheLimit) {
	Probe* a = new Probe;
	Probe* b = new Probe;
	gc_queue_object(a);
	gc_queue_object(b);
	gc_mark_queued(1);
	EXPECT_TRUE(in_list(gc_marked_list, a));
	EXPECT_TRUE(in_list(gc_queued_list, b));
	EXPECT_EQ(gc_marked_bytes, block_of<Probe>());
	gc_mark_queued(1);
	EXPECT_TRUE(in_list(gc_queued_list, b));
}

TEST_F(Collector, ScanningQueuesTheFieldsOfTheScannedObject) {
	Probe* a = new Probe;
	Probe* b = new Probe;
	Probe* c = new Probe;
	// NOTE: plain stores keep b and c white until scanning reaches them.
	a->m_ref = b;
	b->m_ref = c;
	gc_queue_object(a);
	gc_mark_queued(block_of<Probe>());
	EXPECT_TRUE(in_list(gc_marked_list, a));
	EXPECT_TRUE(in_list(gc_queued_list, b));
	gc_mark_queued(1 << 30);
	EXPECT_EQ(list_length(gc_marked_list), 3);
}

TEST_F(Collector, LocalRootsMarkAtOnceAndAreResetByEveryStep) {
	Probe* p = new Probe;
	gc_push_local(p);
	EXPECT_EQ(gc_locals_sp, 1);
	gc_mark_locals();
	EXPECT_TRUE(in_list(gc_marked_list, p));
	gc_push_local(new Probe);
	gc_collect();
	EXPECT_EQ(gc_locals_sp, 0);
}

TEST_F(Collector, StaticObjectsAreNeverMovedOrMarked) {
	Array<int> empty;
	ASSERT_EQ(empty.rep->flags & GC_COLOUR_MASK, GC_COLOUR_STATIC);
	gc_queue_object(empty.rep);
	gc_mark_object(empty.rep);
	EXPECT_EQ(list_length(gc_queued_list), 0);
	EXPECT_EQ(list_length(gc_marked_list), 0);
	EXPECT_EQ(gc_marked_bytes, 0);
	full_collection();
	EXPECT_EQ(empty.rep->flags & GC_COLOUR_MASK, GC_COLOUR_STATIC);
}

TEST_F(Collector, TwentyByteBlocksRecycleThroughCacheThree) {
	void* first = gc_object_alloc(20);
	EXPECT_EQ(gc_new_bytes, 24);
	gc_object_free(first, 24);
	EXPECT_EQ(gc_cache[3], first);
	void* again = gc_object_alloc(20);
	EXPECT_EQ(again, first);
	EXPECT_EQ(gc_cache[3], nullptr);
	for (void* slot : gc_cache) EXPECT_EQ(slot, nullptr);
	gc_object_free(again, 24);
}

TEST_F(Collector, CachedBlocksLinkThroughTheirSecondWord) {
	void* a = gc_object_alloc(40);
	void* b = gc_object_alloc(40);
	gc_object_free(a, 40);
	gc_object_free(b, 40);
	EXPECT_EQ(gc_cache[5], b);
	EXPECT_EQ(static_cast<void**>(b)[1], a);
	EXPECT_EQ(gc_object_alloc(40), b);
	EXPECT_EQ(gc_object_alloc(40), a);
}

TEST_F(Collector, BlocksOfSixtyFourBytesOrMoreGoBackToTheHeap) {
	void* big = gc_object_alloc(64);
	gc_object_free(big, 64);
	for (void* slot : gc_cache) EXPECT_EQ(slot, nullptr);
}

TEST_F(Collector, DestroyedGarbageReturnsItsBlockForTheNextObject) {
	make_root();
	Probe* garbage = new Probe;
	full_collection();
	void* block = garbage;
	Probe* next = new Probe;
	EXPECT_EQ(Probe::destroyed, 1);
	EXPECT_EQ(static_cast<void*>(next), block) << "the freed block went through the cache";
}

TEST_F(Collector, FindObjectKnowsOnlyLiveObjects) {
	Probe* p = new Probe;
	EXPECT_EQ(gc_find_object(p), p);
	gc_queue_object(p);
	EXPECT_EQ(gc_find_object(p), p);
	int local = 0;
	EXPECT_EQ(gc_find_object(&local), nullptr);
	EXPECT_EQ(gc_find_object(nullptr), nullptr);
	Probe* garbage = new Probe;
	make_root();
	full_collection();
	EXPECT_EQ(gc_find_object(p), p) << "a queued object survives";
	EXPECT_EQ(gc_find_object(garbage), nullptr) << "garbage is no longer live";
}

TEST_F(Collector, NestedAllocationsKeepTheirOwnSizes) {
	// The wrapper's block is handed out before the argument is allocated and
	// constructed; each constructor must still take its own size.
	Wrapper* w = new Wrapper(new Big);
	EXPECT_EQ(static_cast<int>(w->flags & ~GC_COLOUR_MASK), block_of<Wrapper>());
	EXPECT_EQ(static_cast<int>(w->m_inner->flags & ~GC_COLOUR_MASK), block_of<Big>());
	EXPECT_EQ(gc_alloced_bytes, block_of<Wrapper>() + block_of<Big>());
	EXPECT_TRUE(in_list(gc_unmarked_list, w));
	EXPECT_TRUE(in_list(gc_unmarked_list, w->m_inner));
	// Both die as garbage and return their blocks to the right caches.
	full_collection();
	gc_flush_free(1 << 30);
	EXPECT_EQ(gc_cache[block_of<Wrapper>() / 8], static_cast<void*>(w));
	EXPECT_EQ(gc_free_bytes, 0);
}

TEST_F(Collector, ObjectsOutsideCollectorMemoryAreStatic) {
	{
		Probe local;
		EXPECT_EQ(local.flags & GC_COLOUR_MASK, GC_COLOUR_STATIC);
		EXPECT_EQ(list_length(gc_unmarked_list), 0);
		Probe* holder = new Probe;
		gc_assign(holder->m_ref, &local);
		EXPECT_EQ(list_length(gc_queued_list), 0);
		full_collection();
	}
	EXPECT_EQ(Probe::destroyed, 1);
	EXPECT_EQ(list_length(gc_free_list), 1) << "only the holder is garbage";
}
