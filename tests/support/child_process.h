// child_process.h: runs a piece of test code in a forked child process.
//
// Paths that end the process (runtime errors, signals, the debugger protocol)
// are tested by running them in a child with its standard input fed from a
// given text and its standard output and error captured byte for byte.
#pragma once

#include <functional>
#include <string>

struct ChildResult {
	// True when the child ended through exit (status holds its exit code).
	bool exited = false;
	// The exit code (0-255), or the number of the signal that killed the child.
	int status = 0;
	// True when the child was killed after running silent past the time limit.
	bool timedOut = false;
	std::string out;
	std::string err;
};

// Default time a child may run without any output, in milliseconds.
const int CHILD_TIMEOUT_MS = 10000;

// Forks, runs body in the child with input as its whole standard input (an
// empty input is an immediate end of input), and collects what it writes.
// A body that returns ends the child with exit code 0 after flushing stdio.
ChildResult run_in_child(const std::function<void()>& body, const std::string& input = std::string(),
	int timeoutMs = CHILD_TIMEOUT_MS);
