// files.cpp: path mapping, file loading and the atomically replaced state file.
#include "runtime/files.h"

#include <errno.h>
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
const char* const KX_STATE_TEMP_TAG = ".tmp.";

// Results of SaveState.
static const int SAVE_OK = 0;
static const int SAVE_CANNOT_OPEN = -1;
static const int SAVE_SHORT_WRITE = -2;
// The permissions of a state file that does not exist.
static const mode_t NO_STATE_MODE = static_cast<mode_t>(-1);
// What mkstemp replaces with characters that make a temporary name unique.
static const char UNIQUE_PART[] = "XXXXXX";
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
KxFileCreateFn kx_file_create = mkstemp;

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

// Whether the directory dir does not exist.
static bool directoryGone(const std::string& dir) {
	struct stat info;
	return stat(dir.c_str(), &info) != 0 && errno == ENOENT;
}

// Makes a rename in a directory durable; failure here loses nothing.
static void syncDirectory(const std::string& path) {
	int dir = open(path.c_str(), O_RDONLY | O_DIRECTORY);
	if (dir < 0) return;
	fsync(dir);
	close(dir);
}

// The file the state file's symbolic links lead to (the state file itself
// when it is no link); that file need not exist.
static std::string linkTarget() {
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

// The file a save writes: where the state file's links lead.
// NOTE: renaming over the link itself would replace it with a plain file and
// leave the file it points to stale. A link into a directory that is gone
// (a removed save directory) is replaced by a plain file all the same, so
// that the session's scores are kept.
static std::string stateTarget() {
	std::string target = linkTarget();
	return directoryGone(directoryOf(target)) ? std::string(KX_STATE_FILE) : target;
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

// The permissions fopen gives a new file: read and write for all, less the
// process's umask.
// NOTE: umask can only be read by setting it; the process has one thread.
static mode_t newFileMode() {
	mode_t mask = umask(0);
	umask(mask);
	return (S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH) & ~mask;
}

// Writes the bytes into the temporary file temp, open as fd, and renames it
// over target.
static int fillAndRename(int fd, const std::string& temp, const std::string& target, const std::string& bytes) {
	FILE* file = fdopen(fd, "wb");
	if (!file) {
		close(fd);
		return SAVE_CANNOT_OPEN;
	}
	if (!writeDurablyAndClose(file, bytes)) return SAVE_SHORT_WRITE;
	return std::rename(temp.c_str(), target.c_str()) == 0 ? SAVE_OK : SAVE_CANNOT_OPEN;
}

// Replaces target by the temporary file temp, open as fd, filled with the
// bytes and given the permissions mode; the temporary file is gone afterwards
// either way.
static int replaceFromTemporary(int fd, const std::string& temp, const std::string& target, mode_t mode,
                                const std::string& bytes) {
	fchmod(fd, mode == NO_STATE_MODE ? newFileMode() : mode);
	int result = fillAndRename(fd, temp, target, bytes);
	if (result == SAVE_OK) {
		syncDirectory(directoryOf(target));
	} else {
		std::remove(temp.c_str());
	}
	return result;
}

// Truncates target and writes the bytes into it.
static int writeInPlace(const std::string& target, const std::string& bytes) {
	FILE* file = std::fopen(target.c_str(), "wb");
	if (!file) return SAVE_CANNOT_OPEN;
	return writeDurablyAndClose(file, bytes) ? SAVE_OK : SAVE_SHORT_WRITE;
}

// Whether a failure to make a file, as errno, is a directory that refuses
// new files to this process.
static bool refusedForPermission(int error) {
	return error == EACCES || error == EPERM;
}

// NOTE: the state is written to a temporary file first and renamed over the
// state file, so a failed or interrupted save leaves the previous one intact.
// Each save makes a temporary file of its own, so saves of two processes at
// once never write into one file. The new file keeps the old one's
// permissions. Only where the directory refuses new files to the process is
// an existing state file that it may write written in place instead, so that
// the save is kept; any other failure to make the temporary file (a full
// disk) fails the save and keeps the old file.
int KxGame::SaveState(String state) {
	std::string target = stateTarget();
	mode_t mode;
	if (!stateReplaceable(target, &mode)) return SAVE_CANNOT_OPEN;
	std::string bytes = state.ToUtf8();
	std::string temp = target + KX_STATE_TEMP_TAG + UNIQUE_PART;
	int fd = kx_file_create(&temp[0]);
	if (fd >= 0) return replaceFromTemporary(fd, temp, target, mode, bytes);
	if (!refusedForPermission(errno) || mode == NO_STATE_MODE) return SAVE_CANNOT_OPEN;
	return writeInPlace(target, bytes);
}

// The saved state text, empty when there is none.
String KxGame::LoadState() {
	FILE* file = OpenFile(String(KX_STATE_FILE), String("rb"));
	if (!file) return String();
	return loadAndClose(file);
}
