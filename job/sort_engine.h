#pragma once
#include "linefiles/line_array.h"

// Puts the lines into the order that SortOrder selects, exactly as ShakerSort orders the same
// lines written in Windows-1252: Ansi lines are sorted by their own bytes, UTF-8 and UTF-16
// lines by their keys, and the lines follow their keys. The keys are released afterwards.
// Throws std::bad_alloc when memory runs out; the lines are then left as they were.
void SortLineArray(LineArray& lines);
