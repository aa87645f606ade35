#include "ordering/compare.h"

#include "ordering/collation.h"

#include <algorithm>

static bool HasRankedCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char ch) { return CharRank(static_cast<unsigned char>(ch)) != 0; });
}

int CompareLines(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const int rankA = CharRank(static_cast<unsigned char>(a[i]));
        const int rankB = CharRank(static_cast<unsigned char>(b[i]));
        if (rankA != rankB)
            return rankA > rankB ? LineSortsAfter : LineSortsBefore;
    }
    // One line is a prefix of the other: the longer sorts after only if its rest ranks above 0.
    return HasRankedCharacter(a.substr(common)) ? LineSortsAfter : LineSortsBefore;
}
