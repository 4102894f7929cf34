// exit_check.cpp: a test that ends its own test process fails.
//
// A test that reaches exit (a quit key, kxError with an empty message, a
// stray std::exit) would end the test program with the status it gives,
// often 0: the rest of the test and every later one would go unrun and the
// run would still count as passed. The handler below runs at exit; while a
// test of the test process itself is still running, it names the test and
// ends the process with a failure status instead. Death-test children and
// forked helpers end through exit on purpose and are left alone, and so is a
// test that runs a whole program in a process of its own and says so with
// RecordProperty("ends_process", why).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The process that runs the tests; forked children have ids of their own.
pid_t testProcess;

// True when the test has recorded that it ends its process by design.
bool EndsProcess(const ::testing::TestInfo* test) {
	const ::testing::TestResult* result = test->result();
	for (int i = 0; i < result->test_property_count(); ++i) {
		if (std::string(result->GetTestProperty(i).key()) == "ends_process") return true;
	}
	return false;
}

// At exit: a test of this process that has not finished fails the run.
void FailTestThatExits() {
	if (getpid() != testProcess || ::testing::internal::InDeathTestChild()) return;
	const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
	if (!test || EndsProcess(test)) return;
	std::fflush(stdout);
	std::fprintf(stderr, "FAILED: %s.%s ended the test process before it finished\n", test->test_suite_name(),
	             test->name());
	std::fflush(stderr);
	_exit(EXIT_FAILURE);
}

// Installs the handler before any test runs.
// NOTE: the test registry is made first, so that it is still there when the
// handler runs (static objects are destroyed after later atexit handlers).
const bool installed = [] {
	testProcess = getpid();
	::testing::UnitTest::GetInstance();
	return std::atexit(FailTestThatExits) == 0;
}();

}  // namespace
