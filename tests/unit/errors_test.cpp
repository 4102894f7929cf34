// errors_test.cpp: program output, runtime errors, the debugger protocol and
// crash signals, each run in a child process with its streams captured.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "runtime/errors.h"
#include "runtime/kx_array.h"
#include "runtime/object.h"
#include "support/child_process.h"
#include "support/fresh_collector.h"

namespace {

// Exit code of a runtime error (-1).
const int ERROR_STATUS = 255;
// Size of the inaccessible page a real fault is provoked on.
const size_t PAGE_BYTES = 4096;
// What dbg_stop writes to standard error when there is no position information.
const std::string STOP_BANNER = "{{~~~~}}\n\n";

// A script object whose debugger text names it.
class Named : public Object {
public:
	String debug() override { return String("+Named\n"); }
};

// A script object whose debugger view crashes.
class Faulty : public Object {
public:
	String debug() override {
		std::raise(SIGSEGV);
		return String();
	}
};

// The debugger command that asks for the object at p.
std::string at_command(const void* p) {
	char line[64];
	std::snprintf(line, sizeof line, "@%p\n", p);
	return line;
}

// Prints the debugger's state after dbg_stop has returned.
void stop_and_report() {
	dbg_stop();
	std::printf("returned %d %d\n", dbg_suspend, dbg_stepmode);
}

// Expects the child to have ended through exit with the given code.
void expect_exit(const ChildResult& r, int status) {
	EXPECT_FALSE(r.timedOut);
	EXPECT_TRUE(r.exited) << "killed by signal " << r.status;
	EXPECT_EQ(r.status, status);
}

}  // namespace

TEST(Output, PrintWritesUtf8LinesAndReturnsZero) {
	ChildResult r = run_in_child([] {
		const Char text[] = {'A', 0xE9, 0x20AC};
		int result = kxPrint(String(text, 3));
		kxDebugLog(String());
		std::printf("%d", result);
	});
	expect_exit(r, 0);
	EXPECT_EQ(r.out, "A\xC3\xA9\xE2\x82\xAC\n\n0");
	EXPECT_EQ(r.err, "");
}

TEST(Output, PrintOfEAcuteIsC3A9AndALineEnd) {
	ChildResult r = run_in_child([] {
		const Char e = 0xE9;
		kxPrint(String(&e, 1));
	});
	EXPECT_EQ(r.out, "\xC3\xA9\n");
}

TEST(Output, DebugPrintWritesLowBytesToStandardError) {
	ChildResult r = run_in_child([] {
		const Char text[] = {'o', 0x16B};
		dbg_print(String(text, 2));
	});
	EXPECT_EQ(r.err, "ok\n");
	EXPECT_EQ(r.out, "");
}

TEST(RuntimeError, EmptyMessageQuitsQuietlyWithZero) {
	ChildResult r = run_in_child([] { kxError(String()); });
	expect_exit(r, 0);
	EXPECT_EQ(r.out, "");
	EXPECT_EQ(r.err, "");
}

TEST(RuntimeError, MessageThenEmptyLineThenStopAndExitWithoutInput) {
	ChildResult r = run_in_child([] { kxError(String("Image frame outside surface")); });
	expect_exit(r, ERROR_STATUS);
	EXPECT_EQ(r.out, "Velmar Runtime Error : Image frame outside surface\n\n");
	EXPECT_EQ(r.err, STOP_BANNER);
}

TEST(RuntimeError, StandardInputClosedEndsTheProcess) {
	ChildResult r = run_in_child([] {
		close(STDIN_FILENO);
		kxError(String("App has already been created"));
	});
	expect_exit(r, ERROR_STATUS);
	EXPECT_EQ(r.out, "Velmar Runtime Error : App has already been created\n\n");
}

TEST(RuntimeError, CannotBeContinued) {
	ChildResult r = run_in_child([] { dbg_error("stuck"); }, "r\ns\n");
	expect_exit(r, ERROR_STATUS);
	const std::string report = "Velmar Runtime Error : stuck\n\n";
	EXPECT_EQ(r.out, report + report + report);
	EXPECT_EQ(r.err, STOP_BANNER + STOP_BANNER + STOP_BANNER);
}

TEST(RuntimeError, StackTraceShowsPositionInformation) {
	EXPECT_EQ(dbg_stacktrace(), String());
	ChildResult r = run_in_child([] {
		dbg_info = "zimbolo.velmar<12>";
		dbg_error("oops");
	});
	expect_exit(r, ERROR_STATUS);
	EXPECT_EQ(r.out, "Velmar Runtime Error : oops\nzimbolo.velmar<12>\n\n");
	EXPECT_EQ(r.err, "{{~~zimbolo.velmar<12>~~}}\n\n");
}

TEST(RuntimeError, ThrowRecordsTheStackAndThrowsTheText) {
	dbg_exstack = String("stale");
	const char* caught = nullptr;
	try {
		dbg_throw("bad thing");
	} catch (const char* text) {
		caught = text;
	}
	EXPECT_STREQ(caught, "bad thing");
	EXPECT_EQ(dbg_exstack, String());
}

TEST(Debugger, RunOnReturnsAndClearsStepping) {
	ChildResult r = run_in_child([] {
		dbg_suspend = 1;
		dbg_stepmode = 's';
		stop_and_report();
	}, "r\n");
	expect_exit(r, 0);
	EXPECT_EQ(r.out, "returned 0 0\n");
	EXPECT_EQ(r.err, STOP_BANNER);
}

TEST(Debugger, SteppingCommandsReturn) {
	EXPECT_EQ(run_in_child(stop_and_report, "s\n").out, "returned 1 115\n");
	EXPECT_EQ(run_in_child(stop_and_report, "e\n").out, "returned 1 101\n");
	ChildResult r = run_in_child([] {
		dbg_suspend = 1;
		stop_and_report();
	}, "l\n");
	EXPECT_EQ(r.out, "returned 0 108\n");
}

TEST(Debugger, QuitExitsWithZero) {
	ChildResult r = run_in_child(stop_and_report, "q\n");
	expect_exit(r, 0);
	EXPECT_EQ(r.out, "");
}

TEST(Debugger, UnknownCommandIsEchoedAndFatal) {
	ChildResult r = run_in_child(stop_and_report, "x\n");
	expect_exit(r, ERROR_STATUS);
	EXPECT_EQ(r.out, "????? x ?????");
	ChildResult empty = run_in_child(stop_and_report, "\n");
	expect_exit(empty, ERROR_STATUS);
	EXPECT_EQ(empty.out, "?????  ?????");
}

TEST(Debugger, EndOfInputOrAnUnfinishedLineIsFatal) {
	expect_exit(run_in_child(stop_and_report, ""), ERROR_STATUS);
	ChildResult r = run_in_child(stop_and_report, "r");
	expect_exit(r, ERROR_STATUS);
	EXPECT_EQ(r.out, "");
	// A line longer than 255 characters is read without its line end.
	expect_exit(run_in_child(stop_and_report, std::string(300, 'r') + "\n"), ERROR_STATUS);
}

TEST(Debugger, QuestionMarkLinesAreIgnored) {
	ChildResult r = run_in_child(stop_and_report, "?\n? anything\nr\n");
	expect_exit(r, 0);
	EXPECT_EQ(r.out, "returned 0 0\n");
	EXPECT_EQ(r.err, STOP_BANNER);
}

TEST(Debugger, NullAddressPrintsAnEmptyLine) {
	ChildResult r = run_in_child(stop_and_report, "@0\nr\n");
	expect_exit(r, 0);
	EXPECT_EQ(r.err, STOP_BANNER + "\n");
}

TEST(Debugger, LiveObjectPrintsItsDebugText) {
	gc_test_reset();
	Object* plain = new Object;
	Object* named = new Named;
	ChildResult r = run_in_child(stop_and_report, at_command(plain) + at_command(named) + "r\n");
	expect_exit(r, 0);
	EXPECT_EQ(r.err, STOP_BANNER + "+Object\n\n" + "+Named\n\n");
	gc_test_reset();
}

TEST(Debugger, AddressesThatAreNoLiveObjectPrintAnEmptyLine) {
	gc_test_reset();
	int local = 0;
	Array<int> array(3);
	std::string commands = at_command(&local) + at_command(array.rep) + "@0x10\n@junk\n" + "r\n";
	ChildResult r = run_in_child(stop_and_report, commands);
	expect_exit(r, 0);
	EXPECT_EQ(r.err, STOP_BANNER + "\n\n\n\n");
	gc_test_reset();
}

TEST(Signals, MessagesOfTheFatalSignals) {
	struct Case {
		int signal;
		const char* message;
	};
	const Case cases[] = {
		{SIGSEGV, "Memory access violation"},
		{SIGFPE, "Floating point exception"},
		{SIGILL, "Illegal instruction"},
	};
	for (const Case& c : cases) {
		int sig = c.signal;
		ChildResult r = run_in_child([sig] {
			kx_install_signal_handlers();
			std::raise(sig);
		});
		expect_exit(r, ERROR_STATUS);
		EXPECT_EQ(r.out, std::string("Velmar Runtime Error : ") + c.message + "\n\n");
		EXPECT_EQ(r.err, STOP_BANNER);
	}
	ChildResult other = run_in_child([] { sighandle(SIGUSR1); });
	expect_exit(other, ERROR_STATUS);
	EXPECT_EQ(other.out, "Velmar Runtime Error : Unknown signal\n\n");
}

TEST(Signals, RealFaultsReachTheHandler) {
	ChildResult r = run_in_child([] {
		kx_install_signal_handlers();
		void* page = mmap(nullptr, PAGE_BYTES, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
		*static_cast<volatile int*>(page) = 1;
	});
	expect_exit(r, ERROR_STATUS);
	EXPECT_EQ(r.out, "Velmar Runtime Error : Memory access violation\n\n");
}

TEST(Signals, AFaultInsideTheErrorPathIsHandledAgain) {
	gc_test_reset();
	Object* faulty = new Faulty;
	ChildResult r = run_in_child([] {
		kx_install_signal_handlers();
		std::raise(SIGSEGV);
	}, at_command(faulty));
	expect_exit(r, ERROR_STATUS);
	const std::string report = "Velmar Runtime Error : Memory access violation\n\n";
	EXPECT_EQ(r.out, report + report);
	EXPECT_EQ(r.err, STOP_BANNER + STOP_BANNER);
	gc_test_reset();
}
