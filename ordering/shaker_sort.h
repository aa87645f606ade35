#pragma once
#include "ordering/line_span.h"

#include <cstddef>

// Puts the lines of text, given as spans in input order, into the order selected by SortOrder
// (read once, at the start): ascending with equal lines in input order, descending with equal
// lines in the order the neighbour-exchange passes leave them, or unchanged for any other value.
// Runs the pump hook at least once, and often enough on large inputs to keep the window alive.
// Throws std::bad_alloc when memory runs out; the spans are then left as they were.
void ShakerSort(const char* text, LineSpan* lines, size_t count);
