// exit_check.cpp: a test that ends its own test process fails.
//
// A test that reaches exit (a quit key, kxError with an empty message, a
// stray std::exit) would end the test program with the status it gives,
// often 0: the rest of the test and every later one would go unrun and the
// run would still count as passed. While the test program runs its tests,
// every way out of the process that passes through here (exit and its
// handlers, quick_exit and its handlers, and _exit and _Exit, which the
// binaries are linked to send here first) names the test, or the suite whose
// set-up or tear-down is running, and ends the process with a failure status
// instead. Death-test children and forked helpers end through exit on purpose
// and are left alone, and so is a test that runs a whole program in a process
// of its own and says so with RecordProperty("ends_process", why).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" {
[[noreturn]] void __real__exit(int status);
[[noreturn]] void __real__Exit(int status);
}

namespace {

// The process that runs the tests; forked children have ids of their own.
pid_t testProcess;
// True from the start of the test program's run to its end.
bool running = false;

// Notes when the test program starts and ends its run.
class RunWatch : public ::testing::EmptyTestEventListener {
	void OnTestProgramStart(const ::testing::UnitTest&) override { running = true; }
	void OnTestProgramEnd(const ::testing::UnitTest&) override { running = false; }
};

// True when the test has recorded that it ends its process by design.
bool EndsProcess(const ::testing::TestInfo* test) {
	const ::testing::TestResult* result = test->result();
	for (int i = 0; i < result->test_property_count(); ++i) {
		if (std::string(result->GetTestProperty(i).key()) == "ends_process") return true;
	}
	return false;
}

// What was running when the process was ended: a test, a suite's set-up or
// tear-down, or the test program around them.
std::string Running() {
	const ::testing::UnitTest* unit = ::testing::UnitTest::GetInstance();
	const ::testing::TestInfo* test = unit->current_test_info();
	if (test) return std::string(test->test_suite_name()) + "." + test->name();
	const ::testing::TestSuite* suite = unit->current_test_suite();
	if (suite) return std::string(suite->name()) + " (its set-up or tear-down)";
	return "the test program";
}

// On the way out: while this process runs its tests, the run fails.
void FailWhileRunning() {
	if (!running || getpid() != testProcess || ::testing::internal::InDeathTestChild()) return;
	const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
	if (test && EndsProcess(test)) return;
	std::fflush(stdout);
	std::fprintf(stderr, "FAILED: %s ended the test process before it finished\n", Running().c_str());
	std::fflush(stderr);
	__real__exit(EXIT_FAILURE);
}

// Installs the handlers and the listener before any test runs.
// NOTE: the test registry is made first, so that it is still there when the
// handlers run (static objects are destroyed after later atexit handlers).
const bool installed = [] {
	testProcess = getpid();
	::testing::UnitTest::GetInstance()->listeners().Append(new RunWatch);
	return std::atexit(FailWhileRunning) == 0 && std::at_quick_exit(FailWhileRunning) == 0;
}();

}  // namespace

// The binaries are linked with --wrap, so the calls of _exit and _Exit of
// their own code come here.
extern "C" {
[[noreturn]] void __wrap__exit(int status) {
	FailWhileRunning();
	__real__exit(status);
}

[[noreturn]] void __wrap__Exit(int status) {
	FailWhileRunning();
	__real__Exit(status);
}
}
