#include "encoded_texts.h"

std::string Utf8Of(const std::u32string& text) {
    std::string bytes;
    for (char32_t c : text) {
        if (c < 0x80) {
            bytes += static_cast<char>(c);
            continue;
        }
        const int continuations = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        static const unsigned char kLeads[] = {0, 0xC0, 0xE0, 0xF0};
        bytes += static_cast<char>(kLeads[continuations] | c >> (6 * continuations));
        for (int k = continuations - 1; k >= 0; --k)
            bytes += static_cast<char>(0x80 | (c >> (6 * k) & 0x3F));
    }
    return bytes;
}

static void AppendUnit(std::string& bytes, char32_t unit, bool bigEndian) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
}

std::string Utf16Of(const std::u32string& text, bool bigEndian) {
    std::string bytes;
    for (char32_t c : text) {
        if (c < 0x10000) {
            AppendUnit(bytes, c, bigEndian);
            continue;
        }
        AppendUnit(bytes, 0xD800 + ((c - 0x10000) >> 10), bigEndian);
        AppendUnit(bytes, 0xDC00 + ((c - 0x10000) & 0x3FF), bigEndian);
    }
    return bytes;
}
