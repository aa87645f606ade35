#pragma once
#include "ordering/line_span.h"

#include <cstddef>
#include <vector>

// The text line format: a line ends at CR or CR LF, a lone LF is an ordinary byte, 0x1A ends
// the input, every other byte (NUL included) belongs to its line unchanged.
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kEndOfInput = '\x1A';

// Number of input bytes in data: everything in front of the first 0x1A byte, or all of it.
size_t InputLength(const char* data, size_t size);

// Number of bytes of data up to and including its last CR: the lines that were read
// completely when reading stopped short of the end.
size_t CompleteLinesLength(const char* data, size_t size);

// Replaces lines with the spans of the non-empty lines of data in input order; the vector is
// allocated once, at its exact size, because files of hundreds of MB must fit in a 32-bit
// process. size must fit in 32 bits. May throw std::bad_alloc.
void SplitLines(const char* data, size_t size, std::vector<LineSpan>& lines);
