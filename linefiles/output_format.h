#pragma once
#include "linefiles/line_array.h"

#include <cstddef>

// How far the output of a LineArray has got: how many bytes of the byte-order mark are out,
// the line being written and how many of its bytes, line end included, are already out.
struct OutputCursor {
    size_t markDone = 0;
    size_t line = 0;
    size_t done = 0;
};

// The cursor at the start of the output of lines. Lines added behind existing content go
// without the byte-order mark, which belongs only at the very start of a file.
OutputCursor StartOutput(const LineArray& lines, bool behindContent);

// Copies the next output bytes into buffer, up to capacity, and advances cursor; the output is
// the input's byte-order mark, then every line's bytes unchanged followed by CR LF in the
// input's encoding. Returns 0 once every line is out.
size_t FillOutputChunk(const LineArray& lines, OutputCursor& cursor, char* buffer, size_t capacity);
