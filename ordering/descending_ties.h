#pragma once
#include <cstdint>
#include <vector>

// Turns an ascending order (as SortLinesAscending gives it) into the descending order that the
// neighbour-exchange passes produce: keys descending, and the lines of each key in the order
// the repeated exchanges of equal neighbours leave them. On return the low 32 bits of entry k
// hold the input index of the k-th line. Costs O(n log n); without equal keys it simply
// reverses. May throw std::bad_alloc, leaving order unusable.
void OrderDescending(std::vector<uint64_t>& order);
