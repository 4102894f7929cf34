// Path mapping, file loading and the state file, including saves that fail.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

#include "host/kx_game.h"
#include "runtime/files.h"
#include "support/fixtures.h"
#include "support/game_harness.h"

namespace {

// Narrow text of a String, for messages.
std::string narrow(const String& s) {
	return s.ToNarrow();
}

void writeBytes(const std::string& path, const std::string& bytes) {
	std::ofstream(path, std::ios::binary) << bytes;
}

// The names in a directory, sorted, joined by spaces: a save leaves no other
// file than the state file behind.
std::string namesIn(const std::string& dir) {
	std::set<std::string> names;
	for (const auto& entry : std::filesystem::directory_iterator(dir)) names.insert(entry.path().filename());
	std::string joined;
	for (const std::string& name : names) joined += (joined.empty() ? "" : " ") + name;
	return joined;
}

// Runs the game on a state text in a scratch directory of its own and comes
// back: what its loader printed; in *saved, what it then saves with score as
// mode 1's best.
std::string runGame(const std::string& state, int score = 0, std::string* saved = nullptr) {
	std::filesystem::path here = std::filesystem::current_path();
	GameHost game;
	testing::internal::CaptureStdout();
	c_MyApp* app = game.Launch(state.c_str());
	std::string said = testing::internal::GetCapturedStdout();
	app->m_hiScore[0] = score;
	app->p_Save();
	if (saved) *saved = game.StateFile();
	std::filesystem::current_path(here);
	return said;
}

// The loader's messages when every section of the state is whole.
const char* const EVERY_SECTION_LOADED =
	"Settings Loaded\nBadges Loaded\nHighscore 0 Loaded\nHighscore 1 Loaded\nHighscore 2 Loaded\n";

class Files : public ::testing::Test {
protected:
	void TearDown() override {
		kx_file_write = savedWriter;
		kx_file_create = savedCreate;
	}

	KxGame* host() { return &fileHost; }

	// The host of its own leaves the game's hosts free to come and go.
	KxGlfwGame fileHost;
	KxFileWriteFn savedWriter = kx_file_write;
	KxFileCreateFn savedCreate = kx_file_create;
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
	EXPECT_EQ(namesIn("."), ".velmarstate");
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

// The error failingCreate fails with.
int createError = 0;

// Makes no file, as a full disk or a directory that refuses one.
int failingCreate(char*) {
	errno = createError;
	return -1;
}

// Only a directory that refuses new files to the process has the state file
// written in place; any other failure to make the temporary file (a full
// disk) fails the save and leaves the old file as it was.
TEST_F(Files, OnlyADirectoryThatRefusesNewFilesHasTheStateWrittenInPlace) {
	namespace fs = std::filesystem;
	TempDir dir;
	std::string before, after;
	runGame("", 1234567, &before);
	runGame("", 8, &after);
	kx_file_create = failingCreate;
	createError = EACCES;
	EXPECT_EQ(host()->SaveState(String(after.c_str())), -1) << "without a state file there is nothing to write in place";
	EXPECT_FALSE(fs::exists(KX_STATE_FILE));

	struct Case {
		int error;
		bool inPlace;
	};
	const Case cases[] = {{EACCES, true},  {EPERM, true}, {ENOSPC, false}, {EDQUOT, false},
	                      {EROFS, false},  {EIO, false},  {EMFILE, false}, {ENAMETOOLONG, false}};
	const fs::perms kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
	for (const Case& c : cases) {
		writeBytes(KX_STATE_FILE, before);
		fs::permissions(KX_STATE_FILE, kept);
		ino_t inode = inodeOf(KX_STATE_FILE);
		createError = c.error;
		EXPECT_EQ(host()->SaveState(String(after.c_str())), c.inPlace ? 0 : -1) << std::strerror(c.error);
		EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), c.inPlace ? after : before) << std::strerror(c.error);
		EXPECT_EQ(inodeOf(KX_STATE_FILE), inode) << std::strerror(c.error);
		EXPECT_EQ(fs::status(KX_STATE_FILE).permissions(), kept) << std::strerror(c.error);
		EXPECT_EQ(runGame(ReadFileBytes(KX_STATE_FILE)), EVERY_SECTION_LOADED) << std::strerror(c.error);
	}
	EXPECT_EQ(namesIn("."), ".velmarstate");

	createError = EACCES;
	kx_file_write = halfWriter;
	EXPECT_EQ(host()->SaveState(String("scores=99999")), -2) << "a short write in place is no success";
	kx_file_write = savedWriter;
	kx_file_create = savedCreate;
	ino_t inode = inodeOf(KX_STATE_FILE);
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
		EXPECT_EQ(namesIn("."), ".velmarstate");
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
		EXPECT_EQ(namesIn("."), ".velmarstate");
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
	EXPECT_EQ(namesIn("saves"), "absolute relative state");

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
	EXPECT_EQ(namesIn("saves"), "absolute relative state");

	// A link into a directory the process may not enter is kept, unsaved.
	fs::create_directory("saves/inner");
	fs::remove(KX_STATE_FILE);
	fs::create_symlink("saves/inner/state", KX_STATE_FILE);
	fs::permissions("saves", fs::perms::none);
	{
		UnprivilegedScope unprivileged;
		EXPECT_EQ(host()->SaveState(String("scores=4")), -1);
	}
	fs::permissions("saves", fs::perms::owner_all);
	EXPECT_TRUE(fs::is_symlink(KX_STATE_FILE));

	// A link into a directory that is gone: a plain file keeps the scores.
	fs::remove_all("saves");
	std::string state;
	runGame("", 300, &state);
	EXPECT_EQ(host()->SaveState(String(state.c_str())), 0);
	EXPECT_FALSE(fs::is_symlink(KX_STATE_FILE));
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), state);
	EXPECT_EQ(runGame(ReadFileBytes(KX_STATE_FILE)), EVERY_SECTION_LOADED);
	EXPECT_EQ(namesIn("."), ".velmarstate");
}

// A save keeps the state file's permissions; a new state file gets those
// that fopen gives a new file under the process's umask.
TEST_F(Files, SaveKeepsTheStateFilePermissions) {
	namespace fs = std::filesystem;
	TempDir dir;
	const mode_t previousMask = umask(0);
	for (mode_t mask : {mode_t(022), mode_t(027), mode_t(0)}) {
		umask(mask);
		fs::remove(KX_STATE_FILE);
		ASSERT_EQ(host()->SaveState(String("scores=1")), 0);
		EXPECT_EQ(fs::status(KX_STATE_FILE).permissions(), fs::perms(0666 & ~mask)) << "umask " << mask;
		EXPECT_EQ(umask(mask), mask) << "the save leaves the umask as it was";
	}
	umask(previousMask);
	for (fs::perms kept : {fs::perms(0600), fs::perms(0644), fs::perms(0660)}) {
		fs::permissions(KX_STATE_FILE, kept);
		EXPECT_EQ(host()->SaveState(String("scores=2")), 0);
		EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), "scores=2");
		EXPECT_EQ(fs::status(KX_STATE_FILE).permissions(), kept) << "the save does not change who may read the state";
	}
}

// A save that fails after its temporary file was made (a short write, a
// rename refused) leaves the previous state whole and no temporary file.
TEST_F(Files, FailedSaveLeavesThePreviousStateAndNoTemporaryFile) {
	namespace fs = std::filesystem;
	TempDir dir;
	std::string before;
	runGame("", 77, &before);
	ASSERT_EQ(host()->SaveState(String(before.c_str())), 0);
	kx_file_write = halfWriter;
	EXPECT_EQ(host()->SaveState(String("scores=99999;badges=0")), -2);
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), before);
	EXPECT_EQ(runGame(ReadFileBytes(KX_STATE_FILE)), EVERY_SECTION_LOADED);
	EXPECT_EQ(namesIn("."), ".velmarstate");
	EXPECT_EQ(host()->SaveState(String()), 0) << "an empty state writes nothing, so cannot fall short";
	kx_file_write = savedWriter;

	fs::remove(KX_STATE_FILE);
	fs::create_directory(KX_STATE_FILE);
	EXPECT_EQ(host()->SaveState(String("scores=1")), -1) << "nothing can be renamed over a directory";
	EXPECT_EQ(namesIn("."), ".velmarstate");
}

// The files the recording writer wrote into, in order, by their full names.
std::vector<std::string> writtenFiles;

size_t recordingWriter(const void* data, size_t bytes, FILE* file) {
	std::string fd = "/proc/self/fd/" + std::to_string(fileno(file));
	writtenFiles.push_back(std::filesystem::read_symlink(fd).string());
	return std::fwrite(data, 1, bytes, file);
}

// What the save made in the middle of another stores, and its result.
std::string innerState;
int innerResult = 1;

// Saves innerState from a host of its own while the save that called it is
// writing, as a second copy of the game could at the same moment.
size_t interruptingWriter(const void* data, size_t bytes, FILE* file) {
	kx_file_write = recordingWriter;
	KxGlfwGame second;
	innerResult = second.SaveState(String(innerState.c_str()));
	return recordingWriter(data, bytes, file);
}

// Every save makes a temporary file of its own beside the file it replaces:
// a save made while another is writing neither meets the other's file nor
// is blocked by it, and a file left at the name of a temporary file stays.
TEST_F(Files, EverySaveWritesATemporaryFileOfItsOwn) {
	namespace fs = std::filesystem;
	TempDir dir;
	const std::string tag = std::string(".velmarstate") + KX_STATE_TEMP_TAG;
	std::string outer;
	runGame("", 10, &outer);
	runGame("", 20, &innerState);
	writeBytes(".velmarstate.tmp", "half a save from a crash");
	writtenFiles.clear();
	kx_file_write = interruptingWriter;
	EXPECT_EQ(host()->SaveState(String(outer.c_str())), 0) << "the save that began first ends last";
	EXPECT_EQ(innerResult, 0);
	kx_file_write = savedWriter;
	EXPECT_EQ(ReadFileBytes(KX_STATE_FILE), outer);
	EXPECT_EQ(runGame(ReadFileBytes(KX_STATE_FILE)), EVERY_SECTION_LOADED);

	ASSERT_EQ(writtenFiles.size(), 2u);
	EXPECT_NE(writtenFiles[0], writtenFiles[1]);
	for (const std::string& written : writtenFiles) {
		EXPECT_EQ(fs::path(written).parent_path(), fs::current_path()) << written;
		EXPECT_EQ(fs::path(written).filename().string().compare(0, tag.size(), tag), 0) << written;
	}
	EXPECT_EQ(ReadFileBytes(".velmarstate.tmp"), "half a save from a crash");
	EXPECT_EQ(namesIn("."), ".velmarstate .velmarstate.tmp");
}

}  // namespace
