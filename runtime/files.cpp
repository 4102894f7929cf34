// files.cpp: path mapping, file loading and the atomically replaced state file.
#include "runtime/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "host/kx_game.h"
#include "runtime/gc.h"

// Bytes read from a file at a time.
static const size_t LOAD_CHUNK = 4096;

const char* const KX_STATE_FILE = "./.velmarstate";
const char* const KX_STATE_TEMP_FILE = "./.velmarstate.tmp";

// Results of SaveState.
static const int SAVE_OK = 0;
static const int SAVE_CANNOT_OPEN = -1;
static const int SAVE_SHORT_WRITE = -2;
// The permissions of a state file that does not exist.
static const mode_t NO_STATE_MODE = static_cast<mode_t>(-1);

//----------------------------------------------------------------------------
// Paths
//----------------------------------------------------------------------------

// A virtual place on disk: the scheme prefix and the directory it stands for.
struct KxPathPlace {
	const char* prefix;
	const char* directory;
};

static const KxPathPlace PLACES[] = {
	{"velmar://data/", "./data/"},
	{"velmar://internal/", "./internal/"},
	{"velmar://external/", "./external/"},
};

// The plain host uses paths as they are.
String KxGame::PathToFilePath(String path) {
	return path;
}

// Virtual paths map onto the places above; other "velmar:" forms map to nothing.
String KxGlfwGame::PathToFilePath(String path) {
	if (!path.StartsWith(String("velmar:"))) return path;
	for (const KxPathPlace& place : PLACES) {
		String prefix(place.prefix);
		if (path.StartsWith(prefix)) return String(place.directory) + path.Slice(prefix.Length());
	}
	return String();
}

// Scheme paths ("x://") and ./ or / paths are full; bare names are data assets.
String kx_data_FixDataPath(String path) {
	int scheme = path.Find(String(":/"));
	if (scheme != -1 && path.Find(String("/")) == scheme + 1) return path;
	if (path.StartsWith(String("./")) || path.StartsWith(String("/"))) return path;
	return String("velmar://data/") + path;
}

//----------------------------------------------------------------------------
// Reading
//----------------------------------------------------------------------------

// NOTE: paths and modes are handed to fopen as UTF-8.
FILE* KxGame::OpenFile(String path, String mode) {
	String filePath = PathToFilePath(path);
	if (filePath.Length() == 0) return nullptr;
	return std::fopen(filePath.ToUtf8().c_str(), mode.ToUtf8().c_str());
}

// Decodes a whole open file and closes it.
static String loadAndClose(FILE* file) {
	String text = String::Load(file);
	std::fclose(file);
	return text;
}

// The decoded text of a file, empty when it cannot be opened.
String KxGame::LoadString(String path) {
	FILE* file = OpenFile(path, String("rb"));
	if (!file) return String();
	return loadAndClose(file);
}

// The caller frees the block (free); its size counts as external collector bytes.
unsigned char* KxGame::LoadData(String path, int* length) {
	FILE* file = OpenFile(path, String("rb"));
	if (!file) return nullptr;
	std::string bytes;
	char chunk[LOAD_CHUNK];
	size_t got;
	do {
		got = std::fread(chunk, 1, LOAD_CHUNK, file);
		bytes.append(chunk, got);
	} while (got == LOAD_CHUNK);
	std::fclose(file);
	// NOTE: an empty file still gives a block, so that null means "cannot open".
	unsigned char* data = static_cast<unsigned char*>(std::malloc(bytes.size() ? bytes.size() : 1));
	std::memcpy(data, bytes.data(), bytes.size());
	*length = static_cast<int>(bytes.size());
	gc_ext_malloced(*length);
	return data;
}

//----------------------------------------------------------------------------
// State
//----------------------------------------------------------------------------

// The default writer.
static size_t writeWithFwrite(const void* data, size_t bytes, FILE* file) {
	return std::fwrite(data, 1, bytes, file);
}

KxFileWriteFn kx_file_write = writeWithFwrite;

// Writes all bytes and forces them to disk; false on any shortfall.
static bool writeDurably(FILE* file, const std::string& bytes) {
	if (!bytes.empty() && kx_file_write(bytes.data(), bytes.size(), file) != bytes.size()) return false;
	return std::fflush(file) == 0 && fsync(fileno(file)) == 0;
}

// Makes a rename in the working directory durable; failure here loses nothing.
static void syncWorkingDirectory() {
	int dir = open(".", O_RDONLY | O_DIRECTORY);
	if (dir < 0) return;
	fsync(dir);
	close(dir);
}

// Whether the state file may be replaced, and its permission bits in *mode
// (NO_STATE_MODE when there is no state file yet).
// NOTE: the rename would replace a state file that the process may not write
// to; such a file is kept, as opening it for writing in place would fail.
static bool stateReplaceable(mode_t* mode) {
	struct stat info;
	*mode = NO_STATE_MODE;
	if (stat(KX_STATE_FILE, &info) != 0) return true;
	*mode = info.st_mode & (S_IRWXU | S_IRWXG | S_IRWXO);
	return faccessat(AT_FDCWD, KX_STATE_FILE, W_OK, AT_EACCESS) == 0;
}

// NOTE: the state is written to a temporary file first and renamed over the
// state file, so a failed or interrupted save leaves the previous one intact.
// The new file keeps the old one's permissions.
int KxGame::SaveState(String state) {
	mode_t mode;
	if (!stateReplaceable(&mode)) return SAVE_CANNOT_OPEN;
	FILE* file = OpenFile(String(KX_STATE_TEMP_FILE), String("wb"));
	if (!file) return SAVE_CANNOT_OPEN;
	if (mode != NO_STATE_MODE) fchmod(fileno(file), mode);
	bool written = writeDurably(file, state.ToUtf8());
	if (std::fclose(file) != 0) written = false;
	if (!written) {
		std::remove(KX_STATE_TEMP_FILE);
		return SAVE_SHORT_WRITE;
	}
	if (std::rename(KX_STATE_TEMP_FILE, KX_STATE_FILE) != 0) {
		std::remove(KX_STATE_TEMP_FILE);
		return SAVE_CANNOT_OPEN;
	}
	syncWorkingDirectory();
	return SAVE_OK;
}

// The saved state text, empty when there is none.
String KxGame::LoadState() {
	FILE* file = OpenFile(String(KX_STATE_FILE), String("rb"));
	if (!file) return String();
	return loadAndClose(file);
}
