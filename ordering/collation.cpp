#include "ordering/collation.h"

const unsigned char CollationTable[CollationSize] = {
    // Symbols and punctuation, ranks 1 to 36.
    0xAA, 0xBA, '\\', '!', '|', '"', '@', 0xB7, '#', '$', '%', '&', 0xAC, '/', '(', ')', '=', '?', '\'', 0xBF,
    0xA1, 0x80, '[', '*', '+', ']', '{', '}', '>', '<', ';', ',', ':', '.', '_', '-',
    // Digits, ranks 37 to 46, and the blank, 47.
    '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', ' ',
    // Letters, ranks 48 to 91, accented forms after their base letter.
    'a', 0xE1, 0xE0, 0xE4, 'b', 'c', 0xE7, 'd', 'e', 0xE9, 0xE8, 0xEB, 'f', 'g', 'h', 'i', 0xED, 0xEC, 0xEF,
    'j', 'k', 'l', 'm', 'n', 0xF1, 'o', 0xF3, 0xF2, 0xF6, 'p', 'q', 'r', 's', 0xDF, 't', 'u', 0xFA, 0xF9,
    0xFC, 'v', 'w', 'x', 'y', 'z'};

unsigned char LowerCaseWindows1252(unsigned char ch) {
    if ((ch >= 'A' && ch <= 'Z') || (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7))
        return static_cast<unsigned char>(ch + 0x20);
    switch (ch) {
    case 0x8A: return 0x9A; // S caron
    case 0x8C: return 0x9C; // OE ligature
    case 0x8E: return 0x9E; // Z caron
    case 0x9F: return 0xFF; // Y diaeresis
    default: return ch;
    }
}

std::array<uint8_t, 256> MakeCharRanks(const unsigned char lowerCase[256]) {
    std::array<uint8_t, 256> rankOfLower{};
    for (int i = 0; i < CollationSize; ++i)
        rankOfLower[CollationTable[i]] = static_cast<uint8_t>(i + 1);
    // A NUL byte ends a one-character text, so it never matches a table character.
    std::array<uint8_t, 256> ranks{};
    for (int ch = 1; ch < 256; ++ch)
        ranks[ch] = rankOfLower[lowerCase[ch]];
    return ranks;
}

static std::array<uint8_t, 256> Windows1252Ranks() {
    unsigned char lowerCase[256];
    for (int ch = 0; ch < 256; ++ch)
        lowerCase[ch] = LowerCaseWindows1252(static_cast<unsigned char>(ch));
    return MakeCharRanks(lowerCase);
}

std::array<uint8_t, 256> CharRanks = Windows1252Ranks();
