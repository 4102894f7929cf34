// save_dir_lock.cpp: the save directory's claim, a lock on a file in it.
//
// The lock is flock's: the system drops it when the process ends, a crash
// and a kill included, so a lock file left behind is harmless. The holder
// writes its process id into the file for a later start to find its window.
#include "host/single_game.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

// The lock file, beside the state file.
// NOTE: it is never removed: a game that removed it while a later one waited
// to open it would let that one lock a new file beside the held old one.
const char* const LOCK_FILE = "./.velmarlock";
const int LOCK_FILE_MODE = 0644;
// Room for a process id in decimal, a line end and the terminating zero.
const int PID_TEXT_SIZE = 24;

// The lock file this process holds the lock on, or -1.
int heldLock = -1;

// Opens the lock file, made if it is missing, or read-only where it may not
// be written (a read-only file can be locked all the same); -1 when neither.
// NOTE: closed on exec, so that a program the game starts (xdg-open and the
// browser it opens) never keeps the lock once the game has ended.
int openLockFile() {
	int fd = open(LOCK_FILE, O_RDWR | O_CREAT | O_CLOEXEC, LOCK_FILE_MODE);
	if (fd < 0) fd = open(LOCK_FILE, O_RDONLY | O_CLOEXEC);
	return fd;
}

// Writes this process's id into the lock file; false when it cannot.
bool writeHolder(int fd) {
	char text[PID_TEXT_SIZE];
	int length = std::snprintf(text, sizeof text, "%d\n", static_cast<int>(getpid()));
	return ftruncate(fd, 0) == 0 && pwrite(fd, text, length, 0) == length;
}

// The process id in the lock file, or 0 when it holds none.
int readHolder(int fd) {
	char text[PID_TEXT_SIZE] = {};
	if (pread(fd, text, sizeof text - 1, 0) <= 0) return 0;
	long pid = std::strtol(text, nullptr, 10);
	return pid > 0 && pid <= INT_MAX ? static_cast<int>(pid) : 0;
}

}  // namespace

// NOTE: only a lock that another process holds stops the game. Where no lock
// can be had (a directory the player may not write and no lock file in it, a
// network file system without locks) the game runs as it did before.
bool kxClaimSaveDirectory(int* holder) {
	if (heldLock >= 0) return true;
	int fd = openLockFile();
	if (fd < 0) return true;
	if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
		heldLock = fd;
		// A lock file that may not be written keeps the id it had, which
		// names no window of the game: a later start then shows nothing.
		writeHolder(fd);
		return true;
	}
	bool held = errno == EWOULDBLOCK;
	if (held) *holder = readHolder(fd);
	close(fd);
	return !held;
}
