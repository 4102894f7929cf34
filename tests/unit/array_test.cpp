// array_test.cpp: collected arrays: empty reps, zeroed elements, block
// sizes, growing, element release and the marking of object elements.
#include <gtest/gtest.h>

#include <cstddef>

#include "runtime/kx_array.h"
#include "runtime/object.h"
#include "support/fresh_collector.h"

namespace {

// A script object that counts its destructions and holds one reference.
class Item : public Object {
public:
	static int destroyed;
	Item* m_next = nullptr;
	~Item() override { ++destroyed; }
	void mark() override { gc_mark_q(m_next); }
};
int Item::destroyed;

// A rooted holder of an array of items.
class Shelf : public Object {
public:
	Array<Item*> m_items;
	void mark() override { gc_mark_q(m_items); }
};

Shelf* g_shelf;

// The roots hook of these tests.
void mark_shelf() {
	gc_mark_q(g_shelf);
}

// The reference count of a string's rep.
int refs_of(const String& s) {
	return reinterpret_cast<const String::Rep*>(reinterpret_cast<const char*>(s.Data()) - offsetof(String::Rep, data))->refs;
}

// Block size recorded in a rep's header.
template <class T>
int block_size(const Array<T>& a) {
	return static_cast<int>(a.rep->flags & ~GC_COLOUR_MASK);
}

// Runs a full collection now.
void full_collection() {
	gc_ext_malloced(GC_FULL_COLLECT_BYTES + 1);
	gc_collect();
}

// Whether a list holds the object.
bool in_list(const gc_object& list, const gc_object* p) {
	for (const gc_object* q = list.succ; q != &list; q = q->succ) {
		if (q == p) return true;
	}
	return false;
}

class Arrays : public ::testing::Test {
protected:
	void SetUp() override {
		gc_test_reset(mark_shelf);
		Item::destroyed = 0;
		g_shelf = nullptr;
	}
	void TearDown() override { gc_test_reset(); }
};

}  // namespace

TEST_F(Arrays, EmptyArraysShareTheStaticRepAndDoNotAllocate) {
	Array<int> a;
	Array<int> b(0);
	Array<int> c(-3);
	EXPECT_EQ(a.rep, &Array<int>::Rep::nullRep());
	EXPECT_EQ(b.rep, a.rep);
	EXPECT_EQ(c.rep, a.rep);
	EXPECT_EQ(a.Length(), 0);
	EXPECT_NE(static_cast<void*>(Array<float>().rep), static_cast<void*>(a.rep));
	EXPECT_EQ(gc_new_bytes, 0);
	EXPECT_EQ(a.Slice(0, 0).rep, a.rep);
}

TEST_F(Arrays, NewElementsAreZero) {
	Array<int> ints(5);
	Array<float> floats(3);
	Array<bool> bools(9);
	Array<String> strings(4);
	Array<Item*> items(2);
	for (int v : ints) EXPECT_EQ(v, 0);
	for (float v : floats) EXPECT_EQ(v, 0.0f);
	for (bool v : bools) EXPECT_FALSE(v);
	for (const String& v : strings) EXPECT_EQ(v.Data(), String::nullRep.data);
	for (Item* v : items) EXPECT_EQ(v, nullptr);
}

TEST_F(Arrays, OneBlockHoldsHeaderLengthAndElements) {
	const int header = static_cast<int>(sizeof(Array<bool>::Rep));
	Array<bool> bools(9);
	EXPECT_EQ(block_size(bools), (header + 9 + 7) / 8 * 8) << "one byte per bool";
	Array<int> ints(10);
	EXPECT_EQ(block_size(ints), (header + 40 + 7) / 8 * 8);
	EXPECT_EQ(gc_new_bytes, block_size(bools) + block_size(ints));
	EXPECT_EQ(reinterpret_cast<char*>(&ints[0]), reinterpret_cast<char*>(ints.rep) + header);
}

TEST_F(Arrays, ResizeCopiesInOrderAndZeroesTheRest) {
	Array<int> a(3);
	for (int i = 0; i < 3; ++i) a[i] = i + 1;
	Array<int> grown = a.Resize(5);
	ASSERT_EQ(grown.Length(), 5);
	EXPECT_EQ(grown[0], 1);
	EXPECT_EQ(grown[2], 3);
	EXPECT_EQ(grown[3], 0);
	EXPECT_EQ(grown[4], 0);
	EXPECT_NE(grown.rep, a.rep);
	Array<int> shrunk = a.Resize(2);
	ASSERT_EQ(shrunk.Length(), 2);
	EXPECT_EQ(shrunk[1], 2);
	EXPECT_EQ(a.Resize(0).rep, &Array<int>::Rep::nullRep());
}

TEST_F(Arrays, SliceClampsLikeStrings) {
	Array<int> a(5);
	for (int i = 0; i < 5; ++i) a[i] = i;
	Array<int> tail = a.Slice(-2, 100);
	ASSERT_EQ(tail.Length(), 2);
	EXPECT_EQ(tail[0], 3);
	EXPECT_EQ(a.Slice(3, 1).Length(), 0);
}

TEST_F(Arrays, StringArrayReleasesItsElementsWhenDestroyed) {
	String s("shared text");
	{
		Array<String> a(3);
		a[0] = s;
		a[2] = s;
		EXPECT_EQ(refs_of(s), 3);
	}
	EXPECT_EQ(refs_of(s), 3) << "the block lives until the collector destroys it";
	full_collection();
	new Item;
	gc_flush_free(1 << 30);
	EXPECT_EQ(refs_of(s), 1);
}

TEST_F(Arrays, ObjectArraysMarkTheirElementsDepthFirst) {
	Array<Item*> a(3);
	Item* first = new Item;
	Item* last = new Item;
	Item* linked = new Item;
	// NOTE: plain stores keep the elements white, so that the marking of the
	// array alone is what reaches them.
	a[0] = first;
	a[2] = last;
	last->m_next = linked;
	gc_mark_object(a.rep);
	EXPECT_NE(first->flags & GC_COLOUR_MASK, gc_markbit);
	EXPECT_NE(last->flags & GC_COLOUR_MASK, gc_markbit);
	EXPECT_TRUE(in_list(gc_marked_list, first));
	EXPECT_TRUE(in_list(gc_marked_list, last));
	EXPECT_TRUE(in_list(gc_queued_list, linked)) << "an element's own fields are only queued";
}

TEST_F(Arrays, ElementsOfARootedArraySurviveFullCollections) {
	g_shelf = new Shelf;
	gc_mark();
	gc_assign(g_shelf->m_items, Array<Item*>(4));
	for (int i = 0; i < 4; ++i) gc_assign(g_shelf->m_items[i], new Item);
	full_collection();
	full_collection();
	gc_flush_free(1 << 30);
	EXPECT_EQ(Item::destroyed, 0);
	gc_assign(g_shelf->m_items[1], static_cast<Item*>(nullptr));
	full_collection();
	full_collection();
	gc_flush_free(1 << 30);
	EXPECT_EQ(Item::destroyed, 1);
}
