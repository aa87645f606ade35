#pragma once
#include <string>

// The bytes of Unicode texts in the encodings an input file may use, written independently
// of the program's own decoding so that tests can check it.
std::string Utf8Of(const std::u32string& text);

// UTF-16 code units, little- or big-endian, with surrogate pairs above U+FFFF; no mark.
std::string Utf16Of(const std::u32string& text, bool bigEndian);

const std::string kUtf8Mark = "\xEF\xBB\xBF";
const std::string kUtf16LeMark = "\xFF\xFE";
const std::string kUtf16BeMark = "\xFE\xFF";
