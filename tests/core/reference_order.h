#pragma once
// Literal transcriptions of the old program's character rank, line comparison and exchange
// sort, slow on purpose: the fast engine is checked against them.
#include <cstdint>
#include <string>
#include <vector>

// Rank of a text read as zero-terminated: its lower-cased form looked up by scanning the table.
int ReferenceCharRank(const std::string& ch);

// 2 when a sorts after b, else 1; positions counted in 16 bits as the old program did, so it
// agrees with the key order only for lines shorter than 32768 bytes.
int ReferenceCompareLines(const std::string& a, const std::string& b);

struct ReferenceSortCounts {
    int64_t comparisons = 0;
    int64_t exchanges = 0;
    int64_t repetitions = 0;
};

// Sorts line indices by the downward and upward passes, exchanging neighbours whose comparison
// answers sortOrder. lines[i] is line i; order starts as 0, 1, ..., n-1.
ReferenceSortCounts ReferenceShakerSort(const std::vector<std::string>& lines, int16_t sortOrder,
                                        std::vector<size_t>& order);
