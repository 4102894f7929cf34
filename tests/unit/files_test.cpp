// Path mapping, file loading and the state file, including saves that fail.
#include <gtest/gtest.h>
#include <sys/stat.h>
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

// The temporary file a save in the working directory writes first.
const std::string stateTemp = std::string(KX_STATE_FILE) + KX_STATE_TEMP_SUFFIX;

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
	EXPECT_FALSE(std::filesystem::exists(stateTemp));
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

// Writes only the first half of what it is given.
size_t halfWriter(const void* data, size_t bytes, FILE* file) {
	return std::fwrite(data, 1, bytes / 2, file);
}

// The file's inode number: the same one after a save in place, another after
// a save that replaced the file.
ino_t inodeOf(const char* path) {
	struct stat info;
	return stat(path, &info) == 0 ? info.st_ino : 0;
}

TEST_F(Files, WhereNoTemporaryFileCanBeMadeTheStateIsWrittenInPlace) {
	namespace fs = std::filesystem;
	TempDir dir;
	fs::create_directory(stateTemp);
	EXPECT_EQ(host()->SaveState(String("scores=1")), -1) << "without a state file there is nothing to write in place";
	EXPECT_FALSE(fs::exists(KX_STATE_FILE));

	writeBytes(KX_STATE_FILE, "scores=1;badges=7 and a longer tail");
	const fs::perms privateFile = fs::perms::owner_read | fs::perms::owner_write;
	fs::permissions(KX_STATE_FILE, privateFile);
	ino_t inode = inodeOf(KX_STATE_FILE);
	EXPECT_EQ(host()->SaveState(String("scores=2")), 0);
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "scores=2") << "the old text is cut off";
	EXPECT_EQ(inodeOf(KX_STATE_FILE), inode);
	EXPECT_EQ(fs::status(KX_STATE_FILE).permissions(), privateFile);

	kx_file_write = halfWriter;
	EXPECT_EQ(host()->SaveState(String("scores=99999")), -2) << "a short write in place is no success";
	kx_file_write = savedWriter;
	fs::remove(stateTemp);
	EXPECT_EQ(host()->SaveState(String("scores=3")), 0);
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "scores=3");
	EXPECT_NE(inodeOf(KX_STATE_FILE), inode) << "with a temporary file the save replaces the file again";
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
		EXPECT_FALSE(fs::exists(stateTemp));
	}
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "scores=1");
	fs::permissions(KX_STATE_FILE, fs::perms::owner_write, fs::perm_options::add);
	EXPECT_EQ(host()->SaveState(String("scores=3")), 0) << "once writable it is saved again";
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "scores=3");
}

TEST_F(Files, InADirectoryItMayNotWriteAWritableStateIsWrittenInPlace) {
	namespace fs = std::filesystem;
	TempDir dir;
	ASSERT_EQ(host()->SaveState(String("scores=1")), 0);
	const fs::perms readOnly = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
	                           fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
	fs::permissions(KX_STATE_FILE, fs::perms::others_write | fs::perms::group_write, fs::perm_options::add);
	fs::permissions(".", readOnly);
	{
		UnprivilegedScope unprivileged;
		EXPECT_EQ(host()->SaveState(String("scores=2")), 0);
		EXPECT_FALSE(fs::exists(stateTemp));
	}
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "scores=2");
	fs::permissions(".", fs::perms::owner_all);
	fs::remove(KX_STATE_FILE);
	fs::permissions(".", readOnly);
	{
		UnprivilegedScope unprivileged;
		EXPECT_EQ(host()->SaveState(String("scores=3")), -1);
	}
	EXPECT_FALSE(fs::exists(KX_STATE_FILE));
}

TEST_F(Files, AStateFileThatIsALinkIsSavedWhereTheLinkLeads) {
	namespace fs = std::filesystem;
	TempDir dir;
	// A chain of links: relative to where each link lies, then absolute.
	fs::create_directory("saves");
	fs::create_symlink(fs::absolute("saves/state"), "saves/absolute");
	fs::create_symlink("absolute", "saves/relative");
	fs::create_symlink("saves/relative", KX_STATE_FILE);
	EXPECT_EQ(host()->SaveState(String("scores=1")), 0) << "a link to no file yet";
	EXPECT_EQ(ReadFileBytes("saves/state"), "scores=1");
	const fs::perms privateFile = fs::perms::owner_read | fs::perms::owner_write;
	fs::permissions("saves/state", privateFile);
	EXPECT_EQ(host()->SaveState(String("scores=2")), 0);
	EXPECT_EQ(ReadFileBytes("saves/state"), "scores=2");
	EXPECT_EQ(fs::status("saves/state").permissions(), privateFile);
	EXPECT_TRUE(fs::is_symlink(KX_STATE_FILE));
	EXPECT_TRUE(fs::is_symlink("saves/relative"));
	EXPECT_TRUE(fs::is_symlink("saves/absolute"));
	EXPECT_FALSE(fs::exists(stateTemp));
	EXPECT_FALSE(fs::exists(std::string("saves/state") + KX_STATE_TEMP_SUFFIX));

	// The file behind the link in a directory the process may not write.
	fs::permissions(".", fs::perms::all);
	fs::permissions("saves/state", fs::perms::all);
	fs::permissions("saves", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
	                fs::perm_options::remove);
	{
		UnprivilegedScope unprivileged;
		EXPECT_EQ(host()->SaveState(String("scores=3")), 0);
	}
	fs::permissions("saves", fs::perms::owner_all);
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "scores=3");
	EXPECT_TRUE(fs::is_symlink(KX_STATE_FILE));
	EXPECT_TRUE(fs::is_symlink("saves/absolute"));
	EXPECT_FALSE(fs::exists(std::string("saves/state") + KX_STATE_TEMP_SUFFIX));
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

TEST_F(Files, ShortWriteLeavesThePreviousStateAndNoTemporaryFile) {
	TempDir dir;
	ASSERT_EQ(host()->SaveState(String("scores=1;badges=7")), 0);
	kx_file_write = halfWriter;
	EXPECT_EQ(host()->SaveState(String("scores=99999;badges=0")), -2);
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "scores=1;badges=7");
	EXPECT_FALSE(std::filesystem::exists(stateTemp));
	EXPECT_EQ(host()->SaveState(String()), 0) << "an empty state writes nothing, so cannot fall short";
}

TEST_F(Files, StaleTemporaryFileIsReplaced) {
	TempDir dir;
	writeBytes(stateTemp, "half a save from a crash, long and stale");
	EXPECT_EQ(host()->SaveState(String("fresh")), 0);
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "fresh");
	EXPECT_FALSE(std::filesystem::exists(stateTemp));
}

}  // namespace
