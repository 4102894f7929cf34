// files.h: virtual paths, file loading and the persistent state file.
//
// The host methods of KxGame and KxGlfwGame that map "velmar://" paths onto
// the working directory, open and read files, and keep the application's one
// state text in "./.velmarstate" live in files.cpp. The state is written to a
// temporary file beside it and renamed into place, so an interrupted save
// leaves the previous state whole; a state file that is a symbolic link is
// saved where the link leads. In a directory where no temporary file can be
// made, a writable state file is written in place. File writes go through
// kx_file_write so that tests can make a write fail part way.
#pragma once

#include <cstddef>
#include <cstdio>

#include "runtime/kx_string.h"

// The state file, and what follows the name of the file a save replaces (the
// state file or a link's target) in the temporary file beside it.
extern const char* const KX_STATE_FILE;
extern const char* const KX_STATE_TEMP_SUFFIX;

// Writes bytes to an open file and returns how many were written.
typedef size_t (*KxFileWriteFn)(const void* data, size_t bytes, FILE* file);
// The writer in use (fwrite by default).
extern KxFileWriteFn kx_file_write;

// The path to use for a data asset: full paths unchanged, others under "velmar://data/".
String kx_data_FixDataPath(String path);
