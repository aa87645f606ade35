#pragma once
#include <string_view>

// Answers of CompareLines: there is no separate answer for equal lines.
constexpr int LineSortsBefore = 1; // before, or equal for the order
constexpr int LineSortsAfter = 2;

// Compares two lines by the ranks of their characters, position by position; a position past
// the end of a line ranks 0, so trailing characters that rank 0 never tell lines apart.
// Answers LineSortsAfter when a sorts after b, LineSortsBefore otherwise. Lines of any length
// are compared over their whole length.
int CompareLines(std::string_view a, std::string_view b);
