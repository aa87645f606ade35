#pragma once
#include "linefiles/line_array.h"

#include <cstddef>

// How a file's bytes are read: the encoding, the byte-order mark in front of the lines, and
// the bytes that are input (in front of the unit that ends it).
struct TextForm {
    TextEncoding encoding;
    size_t markLength;
    size_t inputEnd;
};

// A UTF-16 mark with an even number of input bytes behind it gives UTF-16; otherwise a UTF-8
// mark is kept, and the rest is Utf8 when it is valid UTF-8 with characters of several bytes
// and Ansi (every byte a character, as always) in every other case. An odd UTF-16 input is no
// UTF-16 text: nothing can say where its lines are, so it is read byte by byte like any file.
TextForm DetectTextForm(const char* data, size_t size);

// Turns the bytes in lines.text into lines: cuts an unfinished last line when the file could
// not be read to its end, finds the encoding and the lines, and for UTF-8 and UTF-16 builds
// the sort keys. May throw std::bad_alloc.
void PrepareLines(LineArray& lines, bool readToEnd);
