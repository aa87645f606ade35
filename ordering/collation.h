#pragma once
#include <array>
#include <cstdint>

// The order of characters: punctuation and symbols, the digits, the blank, then the letters,
// each accented form after its base letter. A character's rank is its 1-based position here
// after lower-casing; a character outside the table ranks 0, below all others.
constexpr int CollationSize = 91;
extern const unsigned char CollationTable[CollationSize];

// Rank of every byte value. It starts from the Windows-1252 lower-casing; the Windows program
// rebuilds it from the running system's lower-casing, so another ANSI code page is followed.
extern std::array<uint8_t, 256> CharRanks;

inline int CharRank(unsigned char ch) {
    return CharRanks[ch];
}

// Lower-casing of single bytes as Windows-1252 defines it.
unsigned char LowerCaseWindows1252(unsigned char ch);

// The ranks of every byte value under a lower-casing of every byte value.
std::array<uint8_t, 256> MakeCharRanks(const unsigned char lowerCase[256]);
