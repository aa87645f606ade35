#include "linefiles/line_format.h"

#include <cstring>

size_t InputLength(const char* data, size_t size) {
    const void* end = size ? std::memchr(data, kEndOfInput, size) : nullptr;
    return end ? static_cast<size_t>(static_cast<const char*>(end) - data) : size;
}

size_t CompleteLinesLength(const char* data, size_t size) {
    while (size > 0 && data[size - 1] != kCarriageReturn)
        --size;
    return size;
}

// Calls visit(offset, length) for every non-empty line of data[0, end) in input order.
template <typename Visit> static void ForEachNonEmptyLine(const char* data, size_t end, Visit visit) {
    size_t start = 0;
    while (start < end) {
        const void* cr = std::memchr(data + start, kCarriageReturn, end - start);
        const size_t lineEnd = cr ? static_cast<size_t>(static_cast<const char*>(cr) - data) : end;
        if (lineEnd > start)
            visit(start, lineEnd - start);
        start = lineEnd + 1;
        if (start < end && data[start] == kLineFeed)
            ++start;
    }
}

void SplitLines(const char* data, size_t size, std::vector<LineSpan>& lines) {
    const size_t end = InputLength(data, size);
    size_t count = 0;
    ForEachNonEmptyLine(data, end, [&](size_t, size_t) { ++count; });
    lines = std::vector<LineSpan>();
    lines.reserve(count);
    ForEachNonEmptyLine(data, end, [&](size_t offset, size_t length) {
        lines.push_back({static_cast<uint32_t>(offset), static_cast<uint32_t>(length)});
    });
}
