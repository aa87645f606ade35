#pragma once
#include "ordering/line_span.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Marks an entry of a sorted order whose key equals the key of the entry before it.
constexpr uint64_t SameKeyAsPrevious = uint64_t{1} << 63;

// Entry k of the result holds, in its low 32 bits, the input index of the line that comes k-th
// in ascending key order, lines of equal keys in input order; SameKeyAsPrevious is set on each
// entry whose key equals its predecessor's and every other bit is clear. May throw std::bad_alloc.
std::vector<uint64_t> SortLinesAscending(const char* text, const LineSpan* lines, size_t count);
