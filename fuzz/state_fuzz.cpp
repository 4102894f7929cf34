// state_fuzz.cpp: libFuzzer target for the saved-state parser of the game.
//
// One game object is made at start-up on a host whose state file is the
// fuzzer's input, decoded as the real state file is; every input is loaded
// into that object and then saved again.
#include <cstdint>
#include <cstdio>

#include "game/my_app.h"
#include "runtime/gc.h"
#include "support/test_host.h"

namespace {

// A host whose saved state is the current input; saving keeps nothing.
class FuzzedStateHost : public TestHost {
public:
	const uint8_t* data = nullptr;
	size_t size = 0;

	String LoadState() override {
		FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
		if (!file) return String();
		String text = String::Load(file);
		std::fclose(file);
		return text;
	}
	int SaveState(String) override { return 0; }
};

FuzzedStateHost* host = nullptr;
c_MyApp* app = nullptr;

}  // namespace

// Boots the framework once and makes the game object; prints go to /dev/null.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
	if (!std::freopen("/dev/null", "w", stdout)) return 0;
	host = new FuzzedStateHost();
	host->Boot();
	app = (new c_MyApp)->m_new();
	return 0;
}

// Loads the input as the saved state, saves it back and collects.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
	host->data = data;
	host->size = size;
	app->p_Load();
	app->p_Save();
	gc_collect();
	return 0;
}
