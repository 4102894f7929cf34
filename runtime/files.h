// files.h: virtual paths, file loading and the persistent state file.
//
// The host methods of KxGame and KxGlfwGame that map "velmar://" paths onto
// the working directory, open and read files, and keep the application's one
// state text in "./.velmarstate" live in files.cpp. The state is written to a
// temporary file of its own beside it and renamed into place, so an
// interrupted or failed save leaves the previous state whole and two saves at
// once never share a file; a state file that is a symbolic link is saved
// where the link leads, unless the link's directory is gone. In a directory
// that refuses new files to the process, a writable state file is written in
// place. Temporary files are made through kx_file_create and written through
// kx_file_write, so that tests can make either fail.
#pragma once

#include <cstddef>
#include <cstdio>

#include "runtime/kx_string.h"

// The state file, and what follows the name of the file a save replaces (the
// state file or a link's target) in the name of a temporary file beside it,
// before six characters that make the name unique (".velmarstate.tmp.a1B2c3").
extern const char* const KX_STATE_FILE;
extern const char* const KX_STATE_TEMP_TAG;

// Writes bytes to an open file and returns how many were written.
typedef size_t (*KxFileWriteFn)(const void* data, size_t bytes, FILE* file);
// The writer in use (fwrite by default).
extern KxFileWriteFn kx_file_write;
// Makes and opens a new file named after a template ending in "XXXXXX", which
// it fills in; the open descriptor, or -1 with errno set.
typedef int (*KxFileCreateFn)(char* nameTemplate);
// The maker in use (mkstemp by default).
extern KxFileCreateFn kx_file_create;

// The path to use for a data asset: full paths unchanged, others under "velmar://data/".
String kx_data_FixDataPath(String path);
