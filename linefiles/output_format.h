#pragma once
#include "linefiles/line_array.h"

#include <cstddef>

// How far the output of a LineArray has got: the line being written and how many of its
// bytes, line end included, are already out.
struct OutputCursor {
    size_t line = 0;
    size_t done = 0;
};

// Copies the next output bytes into buffer, up to capacity, and advances cursor; the output is
// every line's bytes unchanged followed by CR LF. Returns 0 once every line is out.
size_t FillOutputChunk(const LineArray& lines, OutputCursor& cursor, char* buffer, size_t capacity);
