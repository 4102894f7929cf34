// object_test.cpp: identity, address order and the debugger text of objects.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "runtime/object.h"
#include "support/fresh_collector.h"

namespace {

// A pointer value far away from p; only its address is ever used.
Object* far_from(Object* p, intptr_t bytes) {
	return reinterpret_cast<Object*>(reinterpret_cast<intptr_t>(p) + bytes);
}

// Distance between objects that no int difference can hold (8 GiB).
const intptr_t FAR = intptr_t(1) << 33;

class Objects : public ::testing::Test {
protected:
	void SetUp() override { gc_test_reset(); }
	void TearDown() override { gc_test_reset(); }
};

}  // namespace

TEST_F(Objects, EqualsIsIdentityAndCompareTheAddressDifference) {
	Object* a = new Object;
	Object* b = new Object;
	EXPECT_TRUE(a->Equals(a));
	EXPECT_FALSE(a->Equals(b));
	intptr_t d = reinterpret_cast<intptr_t>(a) - reinterpret_cast<intptr_t>(b);
	EXPECT_EQ(a->Compare(b), static_cast<int>(d));
	EXPECT_EQ(a->Compare(b), -b->Compare(a));
}

TEST_F(Objects, CompareKeepsItsSignForFarApartAddresses) {
	Object* a = new Object;
	// 2^33 + 1 would truncate to +1 or -1 with the wrong sign or size.
	EXPECT_EQ(a->Compare(far_from(a, FAR + 1)), -INT_MAX);
	EXPECT_EQ(a->Compare(far_from(a, -(FAR + 1))), INT_MAX);
}

TEST_F(Objects, DebugTextIsPlusObjectAndALineEnd) {
	EXPECT_EQ((new Object)->debug(), String("+Object\n"));
}
