// errors.cpp: program output, runtime errors, the debugger protocol and crashes.
#include "runtime/errors.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "runtime/object.h"

//----------------------------------------------------------------------------
// Globals
//----------------------------------------------------------------------------

const char* dbg_info;
String dbg_exstack;
int dbg_stepmode;
int dbg_suspend;

namespace {

// Exit status of a runtime error without a debugger (255 on this platform).
const int EXIT_RUNTIME_ERROR = -1;
// Longest debugger command line read.
const int DBG_LINE_MAX = 255;

// Prints an object's debugger text for a "@<address>" command.
// NOTE: the address comes from outside the process: only a live script object
// is asked for its text; anything else (null, unknown, not an Object) prints
// an empty line, as a null address does.
void print_object_at(const char* address) {
	void* p = nullptr;
	if (std::sscanf(address, "%p", &p) != 1) p = nullptr;
	Object* object = dynamic_cast<Object*>(gc_find_object(p));
	dbg_print(object ? object->debug() : String());
}

}  // namespace

//----------------------------------------------------------------------------
// Output and errors
//----------------------------------------------------------------------------

// One UTF-8 line to standard output, flushed.
int kxPrint(const String& text) {
	std::string line = text.ToUtf8();
	line += '\n';
	std::fwrite(line.data(), 1, line.size(), stdout);
	std::fflush(stdout);
	return 0;
}

// The same as kxPrint.
int kxDebugLog(const String& text) {
	return kxPrint(text);
}

// Quits (empty message) or reports a runtime error.
void kxError(const String& message) {
	if (message.Length() == 0) std::exit(0);
	dbg_error(message.ToNarrow().c_str());
}

// Reports the error and stops in the debugger until the process ends.
void dbg_error(const char* message) {
	// NOTE: a runtime error can never be continued: the debugger only inspects.
	for (;;) {
		kxPrint(String("Velmar Runtime Error : ") + String(message));
		kxPrint(dbg_stacktrace());
		dbg_stop();
	}
}

// The position information and a line end, or empty.
String dbg_stacktrace() {
	if (!dbg_info || !*dbg_info) return String();
	return String(dbg_info) + String("\n");
}

// Records the stack trace and throws the message.
void dbg_throw(const char* message) {
	dbg_exstack = dbg_stacktrace();
	throw message;
}

// Low bytes of the text and a line end to standard error, flushed.
void dbg_print(const String& text) {
	std::string line = text.ToNarrow();
	line += '\n';
	std::fwrite(line.data(), 1, line.size(), stderr);
	std::fflush(stderr);
}

//----------------------------------------------------------------------------
// Debugger protocol
//----------------------------------------------------------------------------

// Announces the stop and runs debugger commands until one continues.
// NOTE: a debugger talks through pipes. A terminal on standard input is the
// shell the game was started from, which sends no commands: waiting on it
// would freeze the window for ever, so there the process ends at once.
void dbg_stop() {
	std::fprintf(stderr, "{{~~%s~~}}\n\n", dbg_info ? dbg_info : "");
	std::fflush(stderr);
	if (isatty(STDIN_FILENO)) std::exit(EXIT_RUNTIME_ERROR);
	for (;;) {
		char line[DBG_LINE_MAX + 1];
		if (!std::fgets(line, sizeof line, stdin)) std::exit(EXIT_RUNTIME_ERROR);
		size_t len = std::strlen(line);
		if (len == 0 || line[len - 1] != '\n') std::exit(EXIT_RUNTIME_ERROR);
		line[len - 1] = '\0';
		switch (line[0]) {
		case '?':
			continue;
		case '@':
			print_object_at(line + 1);
			continue;
		case 'r':
			dbg_stepmode = 0;
			dbg_suspend = 0;
			return;
		case 's':
		case 'e':
			dbg_suspend = 1;
			dbg_stepmode = line[0];
			return;
		case 'l':
			dbg_suspend = 0;
			dbg_stepmode = 'l';
			return;
		case 'q':
			std::exit(0);
		default:
			std::printf("????? %s ?????", line);
			std::fflush(stdout);
			std::exit(EXIT_RUNTIME_ERROR);
		}
	}
}

// The same as dbg_stop.
void kxDebugStop() {
	dbg_stop();
}

//----------------------------------------------------------------------------
// Signals
//----------------------------------------------------------------------------

// Turns a fatal signal into a runtime error.
void sighandle(int signal) {
	switch (signal) {
	case SIGFPE:
		dbg_error("Floating point exception");
	case SIGSEGV:
		dbg_error("Memory access violation");
	case SIGILL:
		dbg_error("Illegal instruction");
	default:
		dbg_error("Unknown signal");
	}
}

// NOTE: the handler never returns, so the signal is not held back while it
// runs (SA_NODEFER): a second fault inside the error path reaches the same
// handler instead of killing the process silently.
void kx_install_signal_handlers() {
	struct sigaction action = {};
	action.sa_handler = sighandle;
	action.sa_flags = SA_NODEFER;
	sigemptyset(&action.sa_mask);
	for (int sig : {SIGSEGV, SIGILL, SIGFPE}) sigaction(sig, &action, nullptr);
}
