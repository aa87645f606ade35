#pragma once
#include "ordering/line_span.h"

#include <vector>

// The non-empty lines of one input file: its bytes in one buffer and one span per line, in
// input order (so offsets increase with the line's position in the file).
struct LineArray {
    std::vector<char> text;
    std::vector<LineSpan> lines;
};
