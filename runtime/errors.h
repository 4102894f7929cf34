// errors.h: program output, runtime errors, the debugger protocol and crashes.
//
// kxPrint writes a UTF-8 line to standard output. kxError raises a runtime
// error (an empty message is the normal way to quit, with status 0). Fatal
// paths end in dbg_stop, a line protocol on standard error and input through
// which a debugger may inspect the program; without one (no input, or a
// terminal) the process ends.
#pragma once

#include "runtime/kx_string.h"

// Position information for the debugger; never set in this program.
extern const char* dbg_info;
// Stack trace captured by dbg_throw.
extern String dbg_exstack;
// Last stepping command ('e', 'l', 's' or 0).
extern int dbg_stepmode;
// 1 when the debugger asked to stop at the next statement.
extern int dbg_suspend;

// Writes text and a line end to standard output as UTF-8 and flushes; returns 0.
int kxPrint(const String& text);
// The same as kxPrint.
int kxDebugLog(const String& text);
// A runtime error; an empty message ends the process at once with status 0.
[[noreturn]] void kxError(const String& message);
// Reports a runtime error and stops in the debugger, for ever.
[[noreturn]] void dbg_error(const char* message);
// The debugger conversation; returns when the debugger continues or steps.
void dbg_stop();
// The same as dbg_stop.
void kxDebugStop();
// Handler for signals 11, 4 and 8.
void sighandle(int signal);
// Installs sighandle for the three fatal signals.
void kx_install_signal_handlers();
// The position information and a line end, or empty.
String dbg_stacktrace();
// Records the stack trace and throws message as a narrow text exception.
[[noreturn]] void dbg_throw(const char* message);
// Each character's low byte and a line end to standard error.
void dbg_print(const String& text);
