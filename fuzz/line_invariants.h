#pragma once
// What must hold for the lines of any file, however hostile; shared by the fuzz target and the
// tests of hostile inputs.
#include "linefiles/line_array.h"
#include "linefiles/line_format.h"

#include <cstdint>

// The first broken rule among these, or nullptr: every line lies behind the mark and inside
// the text, in input order, is not empty, holds whole units and neither a CR nor the end of
// the input; UTF-8 and UTF-16 lines have one key each that lies in the key text, at the line's
// offset divided by the unit width and no longer than the line's units; Ansi lines have none.
inline const char* BrokenLineInvariant(const LineArray& lines) {
    const uint32_t width = UnitWidth(lines.encoding);
    const bool hasKeys = lines.encoding != TextEncoding::Ansi;
    if (lines.markLength > lines.text.size())
        return "the mark is longer than the text";
    if (lines.keys.size() != (hasKeys ? lines.lines.size() : 0))
        return "not one key per line";
    uint64_t previousEnd = lines.markLength;
    for (size_t i = 0; i < lines.lines.size(); ++i) {
        const LineSpan line = lines.lines[i];
        if (line.length == 0 || line.offset < previousEnd ||
            uint64_t{line.offset} + line.length > lines.text.size())
            return "a line is empty, out of order or outside the text";
        if (line.offset % width != 0 || line.length % width != 0)
            return "a line holds part of a unit";
        for (uint32_t at = 0; at < line.length; at += width) {
            const char* unit = lines.text.data() + line.offset + at;
            const uint16_t value =
                width == 2 ? Utf16Unit(unit, lines.encoding) : static_cast<unsigned char>(*unit);
            if (value == kCarriageReturn || value == kEndOfInput)
                return "a line holds a CR or the end of the input";
        }
        previousEnd = uint64_t{line.offset} + line.length;
        if (!hasKeys)
            continue;
        const LineSpan key = lines.keys[i];
        if (key.offset != line.offset / width || key.length == 0 || key.length > line.length / width ||
            uint64_t{key.offset} + key.length > lines.keyText.size())
            return "a key is not where its line says or has the wrong length";
    }
    return nullptr;
}
