#pragma once
#include <cstdint>
#include <vector>

// A count of how many times each rank 0..size-1 has been added, answering "how many below t" in
// logarithmic time (a Fenwick tree).
struct RankCounts {
    std::vector<uint32_t> tree;
};

inline RankCounts MakeRankCounts(uint32_t size) {
    return RankCounts{std::vector<uint32_t>(size + 1, 0)};
}

inline void AddRank(RankCounts& counts, uint32_t rank) {
    for (size_t i = rank + 1; i < counts.tree.size(); i += i & (0 - i))
        ++counts.tree[i];
}

// Number of added ranks that are less than limit.
inline uint32_t CountBelow(const RankCounts& counts, uint32_t limit) {
    uint32_t total = 0;
    for (size_t i = limit; i > 0; i &= i - 1)
        total += counts.tree[i];
    return total;
}
