// no_child_process.h: death tests under node, which starts no child process.
//
// Included before every test source of the node build: a test that would
// check how a child process ends is skipped where it asks for one. The
// statement is still compiled, never run.
#pragma once

#include <gtest/gtest.h>

// GoogleTest's question to the exit check (exit_check.cpp), which it only
// has with death tests.
namespace testing::internal {
inline bool InDeathTestChild() {
	return false;
}
}  // namespace testing::internal

#define ZIMBOLO_NO_CHILD_PROCESS(statement) \
	GTEST_AMBIGUOUS_ELSE_BLOCKER_ \
	if (true) GTEST_SKIP() << "needs a child process"; else statement
#define EXPECT_EXIT(statement, predicate, regex) ZIMBOLO_NO_CHILD_PROCESS(statement)
#define ASSERT_EXIT(statement, predicate, regex) ZIMBOLO_NO_CHILD_PROCESS(statement)
#define EXPECT_DEATH(statement, regex) ZIMBOLO_NO_CHILD_PROCESS(statement)
#define ASSERT_DEATH(statement, regex) ZIMBOLO_NO_CHILD_PROCESS(statement)
