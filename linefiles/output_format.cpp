#include "linefiles/output_format.h"

#include "linefiles/line_format.h"

#include <algorithm>
#include <cstring>

struct LineEnd {
    const char* bytes;
    size_t size;
};

static LineEnd LineEndOf(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf16Le: return {"\r\0\n\0", 4};
    case TextEncoding::Utf16Be: return {"\0\r\0\n", 4};
    default: return {"\r\n", 2};
    }
}

OutputCursor StartOutput(const LineArray& lines, bool behindContent) {
    OutputCursor cursor;
    if (behindContent)
        cursor.markDone = lines.markLength;
    return cursor;
}

// Copies up to capacity - filled bytes of source[0, left) to buffer + filled; returns how many.
static size_t CopySome(char* buffer, size_t& filled, size_t capacity, const char* source, size_t left) {
    const size_t copied = std::min(left, capacity - filled);
    std::memcpy(buffer + filled, source, copied);
    filled += copied;
    return copied;
}

size_t FillOutputChunk(const LineArray& lines, OutputCursor& cursor, char* buffer, size_t capacity) {
    size_t filled = 0;
    if (cursor.line < lines.lines.size() && cursor.markDone < lines.markLength)
        cursor.markDone += CopySome(buffer, filled, capacity, lines.text.data() + cursor.markDone,
                                    lines.markLength - cursor.markDone);
    const LineEnd lineEnd = LineEndOf(lines.encoding);
    while (filled < capacity && cursor.line < lines.lines.size()) {
        const LineSpan span = lines.lines[cursor.line];
        const bool inLine = cursor.done < span.length;
        const char* source = inLine ? lines.text.data() + span.offset + cursor.done
                                    : lineEnd.bytes + (cursor.done - span.length);
        const size_t left = inLine ? span.length - cursor.done : span.length + lineEnd.size - cursor.done;
        cursor.done += CopySome(buffer, filled, capacity, source, left);
        if (cursor.done == span.length + lineEnd.size)
            cursor = {cursor.markDone, cursor.line + 1, 0};
    }
    return filled;
}
