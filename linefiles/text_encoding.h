#pragma once
#include <cstddef>
#include <cstdint>

// How the characters of an input file are read from its bytes. Ansi: one byte per character in
// the ANSI code page, the reading of every file that is not clearly one of the others. Utf8:
// valid UTF-8 holding characters of more than one byte. Utf16Le, Utf16Be: announced by a
// byte-order mark, two bytes per code unit.
enum class TextEncoding : uint8_t { Ansi, Utf8, Utf16Le, Utf16Be };

// Bytes per code unit: 2 for UTF-16, 1 otherwise.
inline uint32_t UnitWidth(TextEncoding encoding) {
    return encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be ? 2 : 1;
}

// Length of the UTF-8 byte-order mark at the start of data: 3 or 0.
size_t Utf8MarkLength(const char* data, size_t size);

// Utf16Le or Utf16Be when data starts with that byte-order mark (FF FE or FE FF), else Ansi.
TextEncoding Utf16Mark(const char* data, size_t size);

// The code unit at data in a UTF-16 encoding.
inline uint16_t Utf16Unit(const char* data, TextEncoding encoding) {
    const auto first = static_cast<unsigned char>(data[0]);
    const auto second = static_cast<unsigned char>(data[1]);
    return encoding == TextEncoding::Utf16Be ? static_cast<uint16_t>(first << 8 | second)
                                             : static_cast<uint16_t>(second << 8 | first);
}

enum class Utf8Content { Ascii, Multibyte, Invalid };

// Whether data is well-formed UTF-8 (shortest forms, no surrogates, nothing above U+10FFFF)
// and whether any character takes more than one byte.
Utf8Content CheckUtf8(const char* data, size_t size);

// Decodes the character at data, which must be well-formed UTF-8, and moves data behind it.
uint32_t NextUtf8Char(const char*& data);

// The byte stored in a sort key for a character that Windows-1252 cannot write; it ranks 0.
constexpr unsigned char kNoWindows1252Equivalent = 0;

// The Windows-1252 byte of a Unicode character, or kNoWindows1252Equivalent. A fixed table,
// not the system's code page: the sort keys of UTF-8 and UTF-16 lines are Windows-1252 text.
unsigned char Windows1252Equivalent(uint32_t codePoint);
