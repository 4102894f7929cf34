// sanitizer_options.cpp: sanitizer defaults for the test binaries.
//
// The program frees nothing at exit by design (the collector owns every
// object until the process ends), so leak reports would only list live
// objects; undefined behaviour stops the test at once with a stack trace.

extern "C" {

// AddressSanitizer: no leak detection at exit.
const char* __asan_default_options() {
	return "detect_leaks=0";
}

// UndefinedBehaviorSanitizer: report with a stack and stop.
const char* __ubsan_default_options() {
	return "print_stacktrace=1:halt_on_error=1";
}
}
