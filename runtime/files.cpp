// files.cpp: path mapping, file loading and the atomically replaced state file.
#include "runtime/files.h"

#include <fcntl.h>
#include <limits.h>
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
const char* const KX_STATE_TEMP_SUFFIX = ".tmp";

// Results of SaveState.
static const int SAVE_OK = 0;
static const int SAVE_CANNOT_OPEN = -1;
static const int SAVE_SHORT_WRITE = -2;
// The permissions of a state file that does not exist.
static const mode_t NO_STATE_MODE = static_cast<mode_t>(-1);
// Symbolic links followed to the state file at most (the system's own limit).
static const int MAX_LINK_HOPS = 40;

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

// Writes all bytes, forces them to disk and closes the file; false on any shortfall.
static bool writeDurablyAndClose(FILE* file, const std::string& bytes) {
	bool written = bytes.empty() || kx_file_write(bytes.data(), bytes.size(), file) == bytes.size();
	written = written && std::fflush(file) == 0 && fsync(fileno(file)) == 0;
	return std::fclose(file) == 0 && written;
}

// The directory part of a path ("." for a bare name).
static std::string directoryOf(const std::string& path) {
	size_t slash = path.rfind('/');
	if (slash == std::string::npos) return ".";
	return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes a rename in a directory durable; failure here loses nothing.
static void syncDirectory(const std::string& path) {
	int dir = open(path.c_str(), O_RDONLY | O_DIRECTORY);
	if (dir < 0) return;
	fsync(dir);
	close(dir);
}

// The file a save writes: the state file, or the file its symbolic links
// lead to (which need not exist yet).
// NOTE: renaming over the link itself would replace it with a plain file and
// leave the file it points to stale.
static std::string stateTarget() {
	std::string path = KX_STATE_FILE;
	for (int hop = 0; hop < MAX_LINK_HOPS; ++hop) {
		char link[PATH_MAX];
		ssize_t length = readlink(path.c_str(), link, sizeof link);
		if (length <= 0 || static_cast<size_t>(length) >= sizeof link) break;
		std::string next(link, static_cast<size_t>(length));
		path = next[0] == '/' ? next : directoryOf(path) + "/" + next;
	}
	return path;
}

// Whether the state file at target may be replaced, and its permission bits
// in *mode (NO_STATE_MODE when there is no state file yet).
// NOTE: the rename would replace a state file that the process may not write
// to; such a file is kept, as opening it for writing in place would fail.
static bool stateReplaceable(const std::string& target, mode_t* mode) {
	struct stat info;
	*mode = NO_STATE_MODE;
	if (stat(target.c_str(), &info) != 0) return true;
	*mode = info.st_mode & (S_IRWXU | S_IRWXG | S_IRWXO);
	return faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
}

// Fills the open temporary file temp with the bytes and renames it over
// target; the temporary file is gone afterwards either way.
static int replaceFromTemporary(FILE* file, const std::string& temp, const std::string& target, mode_t mode,
                                const std::string& bytes) {
	if (mode != NO_STATE_MODE) fchmod(fileno(file), mode);
	if (!writeDurablyAndClose(file, bytes)) {
		std::remove(temp.c_str());
		return SAVE_SHORT_WRITE;
	}
	if (std::rename(temp.c_str(), target.c_str()) != 0) {
		std::remove(temp.c_str());
		return SAVE_CANNOT_OPEN;
	}
	syncDirectory(directoryOf(target));
	return SAVE_OK;
}

// Truncates target and writes the bytes into it.
static int writeInPlace(const std::string& target, const std::string& bytes) {
	FILE* file = std::fopen(target.c_str(), "wb");
	if (!file) return SAVE_CANNOT_OPEN;
	return writeDurablyAndClose(file, bytes) ? SAVE_OK : SAVE_SHORT_WRITE;
}

// NOTE: the state is written to a temporary file first and renamed over the
// state file, so a failed or interrupted save leaves the previous one intact.
// The new file keeps the old one's permissions. Where no temporary file can
// be made (a directory the process may not write), an existing state file
// that it may write is written in place instead, so that the save is kept.
int KxGame::SaveState(String state) {
	std::string target = stateTarget();
	mode_t mode;
	if (!stateReplaceable(target, &mode)) return SAVE_CANNOT_OPEN;
	std::string bytes = state.ToUtf8();
	std::string temp = target + KX_STATE_TEMP_SUFFIX;
	FILE* file = std::fopen(temp.c_str(), "wb");
	if (file) return replaceFromTemporary(file, temp, target, mode, bytes);
	return mode == NO_STATE_MODE ? SAVE_CANNOT_OPEN : writeInPlace(target, bytes);
}

// The saved state text, empty when there is none.
String KxGame::LoadState() {
	FILE* file = OpenFile(String(KX_STATE_FILE), String("rb"));
	if (!file) return String();
	return loadAndClose(file);
}
