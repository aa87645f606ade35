#include "tests/gui/reference_order.h"

#include <utility>

namespace reference {
namespace {

// The collation table in rank order, rank 1 first: symbols and punctuation, digits, the blank,
// then the letters with each accented form after its base letter.
const unsigned char CollationBytes[] = {
    0xAA, 0xBA, '\\', '!',  '|',  '"',  '@', 0xB7, '#',  '$',  '%',  '&',  0xAC, '/', '(', ')',
    '=',  '?',  '\'', 0xBF, 0xA1, 0x80, '[', '*',  '+',  ']',  '{',  '}',  '>',  '<', ';', ',',
    ':',  '.',  '_',  '-',  '0',  '1',  '2', '3',  '4',  '5',  '6',  '7',  '8',  '9', ' ', 'a',
    0xE1, 0xE0, 0xE4, 'b',  'c',  0xE7, 'd', 'e',  0xE9, 0xE8, 0xEB, 'f',  'g',  'h', 'i', 0xED,
    0xEC, 0xEF, 'j',  'k',  'l',  'm',  'n', 0xF1, 'o',  0xF3, 0xF2, 0xF6, 'p',  'q', 'r', 's',
    0xDF, 't',  'u',  0xFA, 0xF9, 0xFC, 'v', 'w',  'x',  'y',  'z',
};
static_assert(sizeof CollationBytes == 91, "the collation table has 91 entries");

// Windows-1252 lower-casing of one byte.
unsigned char Lower(unsigned char byte) {
    if (byte >= 'A' && byte <= 'Z')
        return byte + 0x20;
    if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)
        return byte + 0x20;
    switch (byte) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return byte;
    }
}

int RankAt(const std::string& line, size_t position) {
    return position < line.size() ? Rank(static_cast<unsigned char>(line[position])) : 0;
}

int Answer(const std::string& earlier, const std::string& later) {
    return SortsAfter(earlier, later) ? 2 : 1;
}

} // namespace

std::vector<std::string> NonEmptyLines(const std::string& fileBytes) {
    std::vector<std::string> lines;
    std::string line;
    size_t i = 0;
    for (; i < fileBytes.size() && fileBytes[i] != '\x1A'; ++i) {
        if (fileBytes[i] != '\r') {
            line += fileBytes[i];
            continue;
        }
        if (i + 1 < fileBytes.size() && fileBytes[i + 1] == '\n')
            ++i;
        if (!line.empty())
            lines.push_back(line);
        line.clear();
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

int Rank(unsigned char byte) {
    const unsigned char lower = Lower(byte);
    for (int i = 0; i < 91; ++i)
        if (CollationBytes[i] == lower)
            return i + 1;
    return 0;
}

bool SortsAfter(const std::string& a, const std::string& b) {
    const size_t length = a.size() > b.size() ? a.size() : b.size();
    for (size_t i = 0; i < length; ++i) {
        const int ra = RankAt(a, i), rb = RankAt(b, i);
        if (ra != rb)
            return ra > rb;
    }
    return false;
}

void ShakerSort(std::vector<std::string>& lines, SortOrder order) {
    // 1-based bounds as in the program's passes; entry j is lines[j - 1].
    const long long n = static_cast<long long>(lines.size());
    long long left = 2, right = n, last = n;
    auto step = [&](long long j) {
        if (Answer(lines[j - 2], lines[j - 1]) != order)
            return;
        std::swap(lines[j - 2], lines[j - 1]);
        last = j;
    };
    do {
        for (long long j = right; j >= left; --j)
            step(j);
        left = last + 1;
        for (long long j = left; j <= right; ++j)
            step(j);
        right = last - 1;
    } while (left <= right);
}

std::string WrittenLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

} // namespace reference
