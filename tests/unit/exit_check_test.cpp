// exit_check_test.cpp: the test program fails a test that ends its own
// process, whichever way out it takes. Each way is tried in a test program of
// its own: this binary again, running only the victim below.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "support/child_process.h"

namespace {

// How the victim leaves its process; unset, the victim does not run.
const char* const WAY_VAR = "ZIMBOLO_EXIT_CHECK_WAY";

// The way out asked for, or an empty text.
std::string Way() {
	const char* way = std::getenv(WAY_VAR);
	return way ? way : "";
}

// A test, or a suite set-up, that ends its process with status 0.
class ExitCheckVictim : public ::testing::Test {
protected:
	static void SetUpTestSuite() {
		if (Way() == "suite set-up") std::exit(0);
	}
};

TEST_F(ExitCheckVictim, LeavesItsProcess) {
	std::string way = Way();
	if (way.empty()) GTEST_SKIP() << "runs only as the child of ExitCheck";
	if (way == "exit") std::exit(0);
	if (way == "quick_exit") std::quick_exit(0);
	if (way == "_exit") _exit(0);
	if (way == "_Exit") std::_Exit(0);
	if (way == "by design") {
		RecordProperty("ends_process", "the way out under test");
		std::exit(0);
	}
}

TEST(ExitCheck, FailsATestThatEndsItsProcessAndNamesIt) {
	const std::string test = "FAILED: ExitCheckVictim.LeavesItsProcess ended the test process before it finished";
	const std::string suite = "FAILED: ExitCheckVictim (its set-up or tear-down) ended the test process";
	struct Case {
		const char* way;
		int status;
		std::string err;
	} cases[] = {
		{"exit", 1, test},
		{"quick_exit", 1, test},
		{"_exit", 1, test},
		{"_Exit", 1, test},
		{"suite set-up", 1, suite},
		{"by design", 0, ""},
		{"finish", 0, ""},
	};
	for (const Case& c : cases) {
		ChildResult r = run_in_child([&c] {
			setenv(WAY_VAR, c.way, 1);
			execl("/proc/self/exe", "unit_tests", "--gtest_filter=ExitCheckVictim.*", static_cast<char*>(nullptr));
			std::abort();
		});
		EXPECT_TRUE(r.exited) << c.way;
		EXPECT_EQ(r.status, c.status) << c.way << "\n" << r.out << r.err;
		std::string::size_type failed = r.err.find(c.status != 0 ? c.err : "FAILED");
		EXPECT_EQ(failed != std::string::npos, c.status != 0) << c.way << "\n" << r.err;
	}
}

}  // namespace
