// string_load_fuzz.cpp: libFuzzer target for the text file decoder.
#include <cstdint>
#include <cstdio>

#include "runtime/gc.h"
#include "runtime/kx_string.h"

// Decodes the input as a text file and re-encodes the result.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
	FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
	if (!file) return 0;
	String text = String::Load(file);
	std::fclose(file);
	volatile size_t bytes = text.ToUtf8().size();
	(void)bytes;
	return 0;
}
