// containers_test.cpp: the red-black tree map (lookups and invariants, also
// across collections), the stacks' growth and the event-source pump.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>
#include <set>
#include <vector>

#include "host/async_events.h"
#include "host/display_mode.h"
#include "runtime/containers.h"
#include "support/fresh_collector.h"

namespace {

// What a walk of the tree found; valid stays true while every rule holds.
struct TreeCheck {
	bool valid = true;
	std::vector<int> keys;
};

// Walks a subtree; returns its black height (null leaves count 1).
int walk(const c_Node* node, const c_Node* parent, TreeCheck& check) {
	if (!node) return 1;
	if (node->m_parent != parent) check.valid = false;
	if (node->m_color != RB_RED && node->m_color != RB_BLACK) check.valid = false;
	if (node->m_color == RB_RED) {
		for (const c_Node* child : {node->m_left, node->m_right}) {
			if (child && child->m_color == RB_RED) check.valid = false;
		}
	}
	int left = walk(node->m_left, node, check);
	check.keys.push_back(node->m_key);
	int right = walk(node->m_right, node, check);
	if (left != right) check.valid = false;
	return left + (node->m_color == RB_BLACK ? 1 : 0);
}

// Checks every red-black rule and returns the keys in order.
TreeCheck check_tree(const c_Map* map) {
	TreeCheck check;
	if (map->m_root && map->m_root->m_color != RB_BLACK) check.valid = false;
	walk(map->m_root, nullptr, check);
	if (!std::is_sorted(check.keys.begin(), check.keys.end())) check.valid = false;
	if (std::adjacent_find(check.keys.begin(), check.keys.end()) != check.keys.end()) check.valid = false;
	return check;
}

// The height of the tree in nodes.
int height(const c_Node* node) {
	return node ? 1 + std::max(height(node->m_left), height(node->m_right)) : 0;
}

c_IntMap* g_map;

// The roots hook of the collection tests.
void mark_map() {
	gc_mark_q(g_map);
}

// Runs a full collection now.
void full_collection() {
	gc_ext_malloced(GC_FULL_COLLECT_BYTES + 1);
	gc_collect();
}

// A display mode whose width tells which key it was stored under.
c_DisplayMode* mode_for(int key) {
	return (new c_DisplayMode)->m_new(key, 1);
}

// Inserts keys, checking every rule after each insertion.
void insert_checked(const std::vector<int>& keys) {
	c_IntMap* map = (new c_IntMap)->m_new();
	std::set<int> inserted;
	for (int key : keys) {
		EXPECT_EQ(map->p_Set(key, mode_for(key)), inserted.insert(key).second);
		TreeCheck check = check_tree(map);
		ASSERT_TRUE(check.valid) << "after inserting " << key;
		ASSERT_EQ(check.keys.size(), inserted.size());
	}
	for (int key : inserted) EXPECT_EQ(map->p_FindNode(key)->m_value->m__width, key);
	// A red-black tree of n nodes is at most 2 log2(n + 1) high.
	int n = static_cast<int>(inserted.size());
	EXPECT_LE(height(map->m_root), 2 * std::log2(n + 1));
}

// Ascending keys 0..n-1.
std::vector<int> ascending(int n) {
	std::vector<int> keys(n);
	for (int i = 0; i < n; ++i) keys[i] = i;
	return keys;
}

class Containers : public ::testing::Test {
protected:
	void SetUp() override {
		gc_test_reset(mark_map);
		g_map = nullptr;
	}
	void TearDown() override { gc_test_reset(); }
};

// An event source for the pump; one may unregister itself when called.
class Source : public Object, public virtual c_IAsyncEventSource {
public:
	int calls = 0;
	bool leaves = false;
	void p_UpdateAsyncEvents() override {
		++calls;
		if (!leaves) return;
		c_Stack2* s = kx_asyncevent__sources;
		for (int i = 0; i + 1 < s->m_length; ++i) gc_assign(s->m_data[i], s->m_data[i + 1]);
		--s->m_length;
		gc_assign(s->m_data[s->m_length], c_Stack2::m_NIL);
		kx_asyncevent__current = nullptr;
	}
};

}  // namespace

TEST_F(Containers, IntMapFindsWhatWasSetAndReplacesValues) {
	c_IntMap* map = (new c_IntMap)->m_new();
	EXPECT_EQ(map->p_FindNode(1), nullptr);
	c_DisplayMode* two = mode_for(2);
	EXPECT_TRUE(map->p_Set(3, mode_for(3)));
	EXPECT_TRUE(map->p_Set(1, mode_for(1)));
	EXPECT_TRUE(map->p_Set(2, two));
	for (int key : {1, 2, 3}) EXPECT_TRUE(map->p_Contains(key));
	EXPECT_FALSE(map->p_Contains(4));
	EXPECT_FALSE(map->p_Contains(0));
	EXPECT_EQ(map->p_FindNode(2)->m_value, two);
	c_DisplayMode* other = mode_for(20);
	EXPECT_FALSE(map->p_Set(2, other));
	EXPECT_EQ(map->p_FindNode(2)->m_value, other);
	// 3, 1, 2 rotates twice: 2 becomes the black root with red children.
	EXPECT_EQ(map->m_root->m_key, 2);
	EXPECT_EQ(map->m_root->m_color, RB_BLACK);
	EXPECT_EQ(map->m_root->m_left->m_color, RB_RED);
	EXPECT_EQ(map->m_root->m_right->m_color, RB_RED);
	EXPECT_TRUE(check_tree(map).valid);
}

TEST_F(Containers, IntMapComparesByWrappingSubtraction) {
	c_IntMap* map = (new c_IntMap)->m_new();
	EXPECT_GT(map->p_Compare(5, 3), 0);
	EXPECT_LT(map->p_Compare(-1, 0), 0);
	EXPECT_EQ(map->p_Compare(7, 7), 0);
	// NOTE: the order is the sign of a 32-bit difference, which wraps.
	EXPECT_EQ(map->p_Compare(INT_MIN, 1), INT_MAX);
	EXPECT_EQ(map->p_Compare(INT_MAX, -1), INT_MIN);
}

TEST_F(Containers, TreeStaysBalancedForAscendingKeys) {
	insert_checked(ascending(600));
}

TEST_F(Containers, TreeStaysBalancedForDescendingKeys) {
	std::vector<int> keys = ascending(600);
	std::reverse(keys.begin(), keys.end());
	insert_checked(keys);
}

TEST_F(Containers, TreeStaysBalancedForShuffledKeysWithRepeats) {
	std::mt19937 generator(1234);
	std::uniform_int_distribution<int> pick(-500, 500);
	std::vector<int> keys(1500);
	for (int& key : keys) key = pick(generator);
	insert_checked(keys);
}

TEST_F(Containers, TreeSurvivesCollectionsBetweenInserts) {
	gc_assign(g_map, (new c_IntMap)->m_new());
	gc_mark();
	const int count = 400;
	for (int i = 0; i < count; ++i) {
		int key = (i * 7919) % count;
		g_map->p_Set(key, mode_for(key));
		// Steps between events: incremental marking, and now and then a full one.
		gc_collect();
		if (i % 97 == 0) full_collection();
	}
	full_collection();
	full_collection();
	for (int i = 0; i < 200; ++i) new c_DisplayMode;
	gc_flush_free(1 << 30);
	TreeCheck check = check_tree(g_map);
	ASSERT_TRUE(check.valid);
	ASSERT_EQ(static_cast<int>(check.keys.size()), count);
	for (int key = 0; key < count; ++key) EXPECT_EQ(g_map->p_FindNode(key)->m_value->m__width, key);
}

TEST_F(Containers, StackGrowsToTenThenThirty) {
	c_Stack* stack = (new c_Stack)->m_new();
	EXPECT_EQ(stack->m_data.rep, &Array<c_DisplayMode*>::Rep::nullRep());
	EXPECT_EQ(stack->p_ToArray().rep, &Array<c_DisplayMode*>::Rep::nullRep());
	std::vector<c_DisplayMode*> modes;
	for (int i = 0; i < 11; ++i) {
		modes.push_back(mode_for(i));
		stack->p_Push(modes.back());
		EXPECT_EQ(stack->m_data.Length(), i < 10 ? 10 : 30) << "after push " << i + 1;
	}
	EXPECT_EQ(stack->m_length, 11);
	Array<c_DisplayMode*> all = stack->p_ToArray();
	ASSERT_EQ(all.Length(), 11);
	for (int i = 0; i < 11; ++i) EXPECT_EQ(all[i], modes[i]);
	EXPECT_EQ(stack->m_data[11], nullptr);
}

TEST_F(Containers, StackContentsSurviveCollections) {
	static c_Stack* stack;
	stack = (new c_Stack)->m_new();
	gc_mark_roots = [] { gc_mark_q(stack); };
	gc_mark();
	for (int i = 0; i < 25; ++i) {
		stack->p_Push(mode_for(i));
		gc_collect();
		if (i == 12) full_collection();
	}
	full_collection();
	full_collection();
	for (int i = 0; i < 100; ++i) new c_DisplayMode;
	for (int i = 0; i < 25; ++i) EXPECT_EQ(stack->m_data[i]->m__width, i);
}

TEST_F(Containers, PumpVisitsEverySourceAndRevisitsTheIndexOfOneThatLeft) {
	gc_assign(kx_asyncevent__sources, (new c_Stack2)->m_new());
	Source* first = new Source;
	Source* second = new Source;
	first->leaves = true;
	kx_asyncevent__sources->p_Push(first);
	kx_asyncevent__sources->p_Push(second);
	kx_asyncevent_UpdateAsyncEvents();
	EXPECT_EQ(first->calls, 1);
	EXPECT_EQ(second->calls, 1);
	EXPECT_EQ(kx_asyncevent__sources->m_length, 1);
	EXPECT_EQ(kx_asyncevent__current, nullptr);
	// A pump already running returns at once.
	gc_assign(kx_asyncevent__current, static_cast<c_IAsyncEventSource*>(second));
	kx_asyncevent_UpdateAsyncEvents();
	EXPECT_EQ(second->calls, 1);
	kx_asyncevent__current = nullptr;
}

TEST_F(Containers, InterfaceReferencesReachTheirObjects) {
	Source* source = new Source;
	c_IAsyncEventSource* as_interface = source;
	EXPECT_EQ(gc_header(as_interface), static_cast<gc_object*>(source));
	c_IAsyncEventSource* slot = nullptr;
	gc_assign(slot, as_interface);
	EXPECT_NE(source->flags & GC_COLOUR_MASK, gc_markbit) << "the barrier greyed the object behind the interface";
}

TEST_F(Containers, InterfaceReferencesToNonCollectorObjectsAreStoredSafely) {
	class Loose : public virtual c_IAsyncEventSource {
	public:
		void p_UpdateAsyncEvents() override {}
	};
	Loose loose;
	c_IAsyncEventSource* slot = nullptr;
	gc_assign(slot, static_cast<c_IAsyncEventSource*>(&loose));
	EXPECT_EQ(slot, &loose);
	Array<c_IAsyncEventSource*> sources(1);
	sources[0] = &loose;
	// Marking skips the element that has no collector header.
	gc_mark_object(sources.rep);
	EXPECT_NE(sources.rep->flags & GC_COLOUR_MASK, gc_markbit);
}
