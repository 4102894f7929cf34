// Path mapping, file loading and the state file, including saves that fail.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "host/kx_game.h"
#include "runtime/files.h"
#include "support/fixtures.h"

namespace {

// Narrow text of a String, for messages.
std::string narrow(const String& s) {
	return s.ToNarrow();
}

void writeBytes(const std::string& path, const std::string& bytes) {
	std::ofstream(path, std::ios::binary) << bytes;
}

class Files : public ::testing::Test {
protected:
	void SetUp() override { EnsureTestHost(); }
	void TearDown() override { kx_file_write = savedWriter; }

	KxGame* host() { return KxGlfwGame::_glfwGame; }

	KxFileWriteFn savedWriter = kx_file_write;
};

TEST_F(Files, VirtualPathsMapOntoTheWorkingDirectory) {
	struct Case {
		const char* path;
		const char* file;
	};
	const Case cases[] = {
		{"velmar://data/gfx/a.png", "./data/gfx/a.png"},
		{"velmar://internal/x", "./internal/x"},
		{"velmar://external/y/z", "./external/y/z"},
		{"velmar://cache/x", ""},
		{"velmar:data/x", ""},
		{"data/x", "data/x"},
		{"VELMAR://data/x", "VELMAR://data/x"},
		{"velmar://data/", "./data/"},
	};
	for (const Case& c : cases) {
		EXPECT_EQ(narrow(host()->PathToFilePath(String(c.path))), c.file) << c.path;
	}
	EXPECT_EQ(host()->OpenFile(String("velmar://cache/x"), String("rb")), nullptr);
}

TEST_F(Files, FixDataPathPrefixesOnlyBareNames) {
	struct Case {
		const char* path;
		const char* fixed;
	};
	const Case cases[] = {
		{"gfx/a.png", "velmar://data/gfx/a.png"},
		{"./gfx/a.png", "./gfx/a.png"},
		{"/gfx/a.png", "/gfx/a.png"},
		{"velmar://data/a.png", "velmar://data/a.png"},
		{"a:b/c:/d", "velmar://data/a:b/c:/d"},
		{"c:/x", "c:/x"},
		{"", "velmar://data/"},
	};
	for (const Case& c : cases) EXPECT_EQ(narrow(kx_data_FixDataPath(String(c.path))), c.fixed) << c.path;
}

TEST_F(Files, LoadDataReadsEveryChunk) {
	TempDir dir;
	std::filesystem::create_directories("data");
	for (size_t size : {size_t(0), size_t(4096), size_t(10000)}) {
		std::string bytes;
		for (size_t i = 0; i < size; ++i) bytes += static_cast<char>(i * 7);
		writeBytes("data/blob.bin", bytes);
		int length = -1;
		unsigned char* data = host()->LoadData(String("velmar://data/blob.bin"), &length);
		ASSERT_NE(data, nullptr) << size;
		EXPECT_EQ(length, static_cast<int>(size));
		EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), bytes);
		std::free(data);
	}
	int untouched = 42;
	EXPECT_EQ(host()->LoadData(String("velmar://data/none.bin"), &untouched), nullptr);
	EXPECT_EQ(untouched, 42);
}

TEST_F(Files, LoadStringDecodesAndMissingFilesAreEmpty) {
	TempDir dir;
	writeBytes("caf\xc3\xa9.txt", "\xc3\xa9t\xc3\xa9");
	const Char name[] = {'c', 'a', 'f', 0xE9, '.', 't', 'x', 't'};
	String text = host()->LoadString(String(name, 8));
	ASSERT_EQ(text.Length(), 3) << "a UTF-8 name opens the UTF-8 file";
	EXPECT_EQ(text[0], 0xE9);
	EXPECT_EQ(host()->LoadString(String("none.txt")).Length(), 0);
	EXPECT_EQ(host()->LoadState().Length(), 0) << "no state file means no state";
}

TEST_F(Files, StateRoundTripsAsPlainUtf8) {
	TempDir dir;
	const Char chars[] = {'A', 0xE9, 0x20AC, 0xD83D, '\n'};
	String state(chars, 5);
	EXPECT_EQ(host()->SaveState(state), 0);
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "A\xC3\xA9\xE2\x82\xAC\xED\xA0\xBD\n");
	EXPECT_TRUE(host()->LoadState() == state);
	EXPECT_FALSE(std::filesystem::exists(KX_STATE_TEMP_FILE));
}

TEST_F(Files, EmptyStateIsAnEmptyFile) {
	TempDir dir;
	writeBytes(KX_STATE_FILE, "old");
	EXPECT_EQ(host()->SaveState(String()), 0);
	EXPECT_TRUE(std::filesystem::exists(KX_STATE_FILE));
	EXPECT_EQ(std::filesystem::file_size(KX_STATE_FILE), 0u);
	EXPECT_EQ(host()->LoadState().Length(), 0);
}

TEST_F(Files, StateFileWithUtf16MarkIsReadAsUtf16) {
	TempDir dir;
	writeBytes(KX_STATE_FILE, std::string("\xFF\xFE" "A\0\xAC\x20", 6));
	String state = host()->LoadState();
	ASSERT_EQ(state.Length(), 2);
	EXPECT_EQ(state[0], 'A');
	EXPECT_EQ(state[1], 0x20AC);
}

TEST_F(Files, SaveThatCannotOpenLeavesThePreviousState) {
	TempDir dir;
	ASSERT_EQ(host()->SaveState(String("scores=1")), 0);
	std::filesystem::create_directory(KX_STATE_TEMP_FILE);
	EXPECT_EQ(host()->SaveState(String("scores=2")), -1);
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "scores=1");
	std::filesystem::remove(KX_STATE_TEMP_FILE);
	EXPECT_EQ(host()->SaveState(String("scores=3")), 0);
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "scores=3");
}

TEST_F(Files, SaveInAReadOnlyDirectoryLeavesThePreviousState) {
	if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
	TempDir dir;
	ASSERT_EQ(host()->SaveState(String("scores=1")), 0);
	std::filesystem::permissions(".", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
	EXPECT_EQ(host()->SaveState(String("scores=2")), -1);
	std::filesystem::permissions(".", std::filesystem::perms::owner_all);
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "scores=1");
}

// Runs the rest of its scope as an unprivileged user when the test runs as
// root, whom permissions do not bind.
class UnprivilegedScope {
public:
	UnprivilegedScope() {
		if (geteuid() == 0 && seteuid(NOBODY) == 0) dropped = true;
	}
	~UnprivilegedScope() {
		if (dropped) {
			EXPECT_EQ(seteuid(0), 0);
		}
	}
	UnprivilegedScope(const UnprivilegedScope&) = delete;
	UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;

private:
	static const uid_t NOBODY = 65534;
	bool dropped = false;
};

TEST_F(Files, SaveLeavesAStateFileItMayNotWrite) {
	namespace fs = std::filesystem;
	TempDir dir;
	ASSERT_EQ(host()->SaveState(String("scores=1")), 0);
	fs::permissions(".", fs::perms::all);
	fs::permissions(KX_STATE_FILE, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
	{
		UnprivilegedScope unprivileged;
		EXPECT_EQ(host()->SaveState(String("scores=2")), -1) << "a read-only state file cannot be saved over";
		EXPECT_FALSE(fs::exists(KX_STATE_TEMP_FILE));
	}
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "scores=1");
	fs::permissions(KX_STATE_FILE, fs::perms::owner_write, fs::perm_options::add);
	EXPECT_EQ(host()->SaveState(String("scores=3")), 0) << "once writable it is saved again";
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "scores=3");
}

TEST_F(Files, SaveKeepsTheStateFilePermissions) {
	namespace fs = std::filesystem;
	TempDir dir;
	ASSERT_EQ(host()->SaveState(String("scores=1")), 0);
	const fs::perms privateFile = fs::perms::owner_read | fs::perms::owner_write;
	fs::permissions(KX_STATE_FILE, privateFile);
	EXPECT_EQ(host()->SaveState(String("scores=2")), 0);
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "scores=2");
	EXPECT_EQ(fs::status(KX_STATE_FILE).permissions(), privateFile) << "the save does not open the state to others";
}

// Writes only the first half of what it is given.
size_t halfWriter(const void* data, size_t bytes, FILE* file) {
	return std::fwrite(data, 1, bytes / 2, file);
}

TEST_F(Files, ShortWriteLeavesThePreviousStateAndNoTemporaryFile) {
	TempDir dir;
	ASSERT_EQ(host()->SaveState(String("scores=1;badges=7")), 0);
	kx_file_write = halfWriter;
	EXPECT_EQ(host()->SaveState(String("scores=99999;badges=0")), -2);
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "scores=1;badges=7");
	EXPECT_FALSE(std::filesystem::exists(KX_STATE_TEMP_FILE));
	EXPECT_EQ(host()->SaveState(String()), 0) << "an empty state writes nothing, so cannot fall short";
}

TEST_F(Files, StaleTemporaryFileIsReplaced) {
	TempDir dir;
	writeBytes(KX_STATE_TEMP_FILE, "half a save from a crash, long and stale");
	EXPECT_EQ(host()->SaveState(String("fresh")), 0);
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "fresh");
	EXPECT_FALSE(std::filesystem::exists(KX_STATE_TEMP_FILE));
}

}  // namespace
