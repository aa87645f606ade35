#pragma once
#include <cstdint>
#include <vector>

// How many times each rank 0..size-1 has been added, answering "how many below t". Ranks are
// counted one by one and in blocks; only the small table of block counts is a Fenwick tree, so
// adding a rank touches one scattered counter and a tree that stays in cache.
struct RankCounts {
    std::vector<uint32_t> perRank;
    std::vector<uint32_t> blockTree; // Fenwick tree over the blocks' counts, 1-based
};

constexpr int RankBlockBits = 4;

inline RankCounts MakeRankCounts(uint32_t size) {
    const uint32_t blocks = (size >> RankBlockBits) + 1;
    return RankCounts{std::vector<uint32_t>(size, 0), std::vector<uint32_t>(blocks + 1, 0)};
}

inline void AddRank(RankCounts& counts, uint32_t rank) {
    ++counts.perRank[rank];
    for (size_t i = (rank >> RankBlockBits) + 1; i < counts.blockTree.size(); i += i & (0 - i))
        ++counts.blockTree[i];
}

// Asks the processor to fetch the counter that adding this rank will change: ranks come in no
// particular order, so the counters are fetched a few lines ahead.
// Always inlined: a separate call holding only prefetches would be taken as free of effects and
// dropped.
__attribute__((always_inline)) inline void PrefetchRank(const RankCounts& counts, uint32_t rank) {
    __builtin_prefetch(&counts.perRank[rank], 1);
}

// Number of added ranks that are less than limit.
inline uint32_t CountBelow(const RankCounts& counts, uint32_t limit) {
    uint32_t total = 0;
    for (size_t i = limit >> RankBlockBits; i > 0; i &= i - 1)
        total += counts.blockTree[i];
    for (uint32_t rank = limit & ~((1u << RankBlockBits) - 1); rank < limit; ++rank)
        total += counts.perRank[rank];
    return total;
}
