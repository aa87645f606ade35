#include "reference_order.h"

#include <array>
#include <cstring>

// The 91 entries of the collation table, each a one-byte text.
static const char* const TableBytes = "\xAA\xBA\\!|\"@\xB7#$%&\xAC/()=?'\xBF\xA1\x80[*+]{}><;,:._-"
                                      "0123456789 "
                                      "a\xE1\xE0\xE4"
                                      "bc\xE7"
                                      "de\xE9\xE8\xEB"
                                      "fghi\xED\xEC\xEF"
                                      "jklmn\xF1"
                                      "o\xF3\xF2\xF6"
                                      "pqrs\xDF"
                                      "tu\xFA\xF9\xFC"
                                      "vwxyz";

// Windows-1252 lower-casing of a text, byte by byte.
static std::string LowerCase(std::string text) {
    for (char& c : text) {
        const auto ch = static_cast<unsigned char>(c);
        if ((ch >= 'A' && ch <= 'Z') || (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7))
            c = static_cast<char>(ch + 0x20);
        else if (ch == 0x8A || ch == 0x8C || ch == 0x8E)
            c = static_cast<char>(ch + 0x10);
        else if (ch == 0x9F)
            c = static_cast<char>(0xFF);
    }
    return text;
}

int ReferenceCharRank(const std::string& ch) {
    const std::string text(ch.c_str()); // read as zero-terminated
    int result = 0;
    for (int16_t i = 1; i <= 91; ++i) {
        const std::string entry(1, TableBytes[i - 1]);
        if (LowerCase(text) == entry)
            result = i;
    }
    return result;
}

// The literal rank scan, done once per byte value: comparisons would be far too slow otherwise.
static const std::array<int, 256>& ByteRanks() {
    static const std::array<int, 256> ranks = [] {
        std::array<int, 256> r{};
        for (int b = 0; b < 256; ++b)
            r[b] = ReferenceCharRank(std::string(1, static_cast<char>(b)));
        return r;
    }();
    return ranks;
}

static int RankAt(const std::string& line, int16_t i) {
    if (i < 1 || static_cast<size_t>(i) > line.size())
        return 0; // the empty text
    return ByteRanks()[static_cast<unsigned char>(line[i - 1])];
}

static size_t TrimmedLength(const std::string& line) {
    const size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos)
        return 0;
    return line.find_last_not_of(' ') - first + 1;
}

int ReferenceCompareLines(const std::string& a, const std::string& b) {
    const size_t ta = TrimmedLength(a), tb = TrimmedLength(b);
    const size_t chosen = ta > tb ? a.size() : ta < tb ? b.size() : a.size();
    const auto p = static_cast<int16_t>(static_cast<uint16_t>(chosen));
    int16_t i = 0, g = 0, l = 0;
    do {
        ++i;
        const int rb = RankAt(b, i);
        const int ra = RankAt(a, i);
        if (ra > rb) {
            ++g;
        } else if (ra == rb) {
            ++g;
            ++l;
        } else {
            ++l;
        }
    } while (g == l && i < p);
    return g > l ? 2 : 1;
}

ReferenceSortCounts ReferenceShakerSort(const std::vector<std::string>& lines, int16_t sortOrder,
                                        std::vector<size_t>& order) {
    ReferenceSortCounts counts;
    const int64_t n = static_cast<int64_t>(order.size());
    // 1-based, as the old program indexed its array.
    auto entry = [&](int64_t j) -> size_t& { return order[static_cast<size_t>(j - 1)]; };
    auto step = [&](int64_t j, int64_t& k) {
        ++counts.comparisons;
        if (ReferenceCompareLines(lines[entry(j - 1)], lines[entry(j)]) == sortOrder) {
            const size_t temporary = entry(j);
            entry(j) = entry(j - 1);
            entry(j - 1) = temporary;
            ++counts.exchanges;
            k = j;
        }
    };
    int64_t l = 2, r = n, k = n;
    do {
        for (int64_t j = r; j >= l; --j)
            step(j, k);
        l = k + 1;
        for (int64_t j = l; j <= r; ++j)
            step(j, k);
        r = k - 1;
        ++counts.repetitions;
    } while (l <= r);
    return counts;
}
