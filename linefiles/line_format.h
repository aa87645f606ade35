#pragma once
#include "linefiles/text_encoding.h"
#include "ordering/line_span.h"

#include <cstddef>
#include <vector>

// The text line format, in code units of the file's encoding (bytes, or UTF-16 units that
// start at even offsets, behind the two-byte mark): a line ends at CR or CR LF, a lone LF is an
// ordinary unit, the unit 0x1A ends the input, every other unit (NUL included) belongs to its
// line unchanged.
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kEndOfInput = '\x1A';

// Number of input bytes in data: everything in front of the first 0x1A unit, or all of it.
size_t InputLength(const char* data, size_t size, TextEncoding encoding = TextEncoding::Ansi);

// True when data[from, to) holds the unit that ends the input, in the encoding that the mark
// at the start of data announces; data[0, from) was checked before. Lets a reader stop early.
bool HoldsEndOfInput(const char* data, size_t from, size_t to);

// Number of bytes of data up to and including its last CR unit: the lines that were read
// completely when reading stopped short of the end.
size_t CompleteLinesLength(const char* data, size_t size, TextEncoding encoding = TextEncoding::Ansi);

// Replaces lines with the spans of the non-empty lines of data[start, size) in input order;
// the vector is allocated once, at its exact size, because files of hundreds of MB must fit in
// a 32-bit process. size must fit in 32 bits. May throw std::bad_alloc.
void SplitLines(const char* data, size_t size, std::vector<LineSpan>& lines,
                TextEncoding encoding = TextEncoding::Ansi, size_t start = 0);
