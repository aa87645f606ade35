#include "linefiles/text_encoding.h"

#include <cstring>

size_t Utf8MarkLength(const char* data, size_t size) {
    return size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
}

TextEncoding Utf16Mark(const char* data, size_t size) {
    if (size >= 2 && std::memcmp(data, "\xFF\xFE", 2) == 0)
        return TextEncoding::Utf16Le;
    if (size >= 2 && std::memcmp(data, "\xFE\xFF", 2) == 0)
        return TextEncoding::Utf16Be;
    return TextEncoding::Ansi;
}

static bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the well-formed character at data[0, left), or 0 when it is malformed. The second
// byte's range excludes overlong forms, surrogates and code points above U+10FFFF.
static size_t WellFormedLength(const unsigned char* data, size_t left) {
    const unsigned char lead = data[0];
    size_t length;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else
        return 0;
    if (left < length || data[1] < low || data[1] > high)
        return 0;
    for (size_t k = 2; k < length; ++k)
        if (!IsContinuation(data[k]))
            return 0;
    return length;
}

// True when the eight bytes at data are all below 0x80.
static bool EightAsciiBytes(const unsigned char* data) {
    uint64_t eight;
    std::memcpy(&eight, data, sizeof eight);
    return (eight & 0x8080808080808080u) == 0;
}

Utf8Content CheckUtf8(const char* data, size_t size) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    bool multibyte = false;
    size_t at = 0;
    while (at < size) {
        // Most text is ASCII: pass eight such bytes at a time.
        if (size - at >= 8 && EightAsciiBytes(bytes + at)) {
            at += 8;
            continue;
        }
        if (bytes[at] < 0x80) {
            ++at;
            continue;
        }
        const size_t length = WellFormedLength(bytes + at, size - at);
        if (length == 0)
            return Utf8Content::Invalid;
        multibyte = true;
        at += length;
    }
    return multibyte ? Utf8Content::Multibyte : Utf8Content::Ascii;
}

uint32_t NextUtf8Char(const char*& data) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    const unsigned char lead = bytes[0];
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    static const unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    uint32_t codePoint = lead & kLeadBits[length];
    for (size_t k = 1; k < length; ++k)
        codePoint = codePoint << 6 | (bytes[k] & 0x3F);
    data += length;
    return codePoint;
}

// The 27 characters that Windows-1252 places in 0x80 to 0x9F; the other five bytes there are
// unassigned.
struct Windows1252Extra {
    uint16_t codePoint;
    unsigned char byte;
};
static const Windows1252Extra kWindows1252Extras[] = {
    {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86},
    {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C},
    {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95},
    {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B},
    {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F},
};

unsigned char Windows1252Equivalent(uint32_t codePoint) {
    // Outside 0x80 to 0x9F, Windows-1252 agrees with Latin-1; the C1 controls have no byte.
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<unsigned char>(codePoint);
    for (const Windows1252Extra& extra : kWindows1252Extras)
        if (extra.codePoint == codePoint)
            return extra.byte;
    return kNoWindows1252Equivalent;
}
