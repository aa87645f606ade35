#pragma once
#include "linefiles/line_array.h"

enum class LoadResult { Loaded, CannotOpen, ReadFailed, OutOfMemory };

// Reads the file at path (an ANSI text) in one pass and keeps its non-empty lines in input
// order, read in the file's encoding (see PrepareLines); tells whether the file could be opened and read to
// its end. After ReadFailed, lines holds the lines read completely before the failure; after CannotOpen or
// OutOfMemory, none.
LoadResult LoadLines(const char* path, LineArray& lines);

// True when the file system reports attributes for path (a folder counts); false for a
// missing file, an empty path or a wildcard.
bool FileExists(const char* path);
