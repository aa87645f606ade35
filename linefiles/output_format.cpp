#include "linefiles/output_format.h"

#include "linefiles/line_format.h"

#include <algorithm>
#include <cstring>

static const char kLineEnd[] = {kCarriageReturn, kLineFeed};

size_t FillOutputChunk(const LineArray& lines, OutputCursor& cursor, char* buffer, size_t capacity) {
    size_t filled = 0;
    while (filled < capacity && cursor.line < lines.lines.size()) {
        const LineSpan span = lines.lines[cursor.line];
        const bool inLine = cursor.done < span.length;
        const char* source =
            inLine ? lines.text.data() + span.offset + cursor.done : kLineEnd + (cursor.done - span.length);
        const size_t left = inLine ? span.length - cursor.done : span.length + sizeof kLineEnd - cursor.done;
        const size_t copied = std::min(left, capacity - filled);
        std::memcpy(buffer + filled, source, copied);
        filled += copied;
        cursor.done += copied;
        if (cursor.done == span.length + sizeof kLineEnd)
            cursor = {cursor.line + 1, 0};
    }
    return filled;
}
