#include "linefiles/line_format.h"

#include <cstring>

namespace {

// Code units of one byte, searched with memchr: the common case, kept as fast as possible.
struct ByteUnits {
    static constexpr size_t width = 1;
    // Offset of the first unit equal to unit in data[from, end), or end.
    size_t Find(const char* data, size_t from, size_t end, char unit) const {
        const void* hit = from < end ? std::memchr(data + from, unit, end - from) : nullptr;
        return hit ? static_cast<size_t>(static_cast<const char*>(hit) - data) : end;
    }
    bool Is(const char* data, size_t at, size_t end, char unit) const { return at < end && data[at] == unit; }
};

// UTF-16 code units at even offsets of data; a byte without its partner is no unit.
struct Utf16Units {
    TextEncoding encoding;
    static constexpr size_t width = 2;
    size_t Find(const char* data, size_t from, size_t end, char unit) const {
        for (; from + 1 < end; from += 2)
            if (Utf16Unit(data + from, encoding) == static_cast<uint16_t>(unit))
                return from;
        return end;
    }
    bool Is(const char* data, size_t at, size_t end, char unit) const {
        return at + 1 < end && Utf16Unit(data + at, encoding) == static_cast<uint16_t>(unit);
    }
};

// Calls act(units) with the unit reader of encoding.
template <typename Act> auto WithUnits(TextEncoding encoding, Act act) {
    return UnitWidth(encoding) == 2 ? act(Utf16Units{encoding}) : act(ByteUnits{});
}

// Calls visit(offset, length) for every non-empty line of data[start, end) in input order.
template <typename Units, typename Visit>
void ForEachNonEmptyLine(const char* data, size_t start, size_t end, Units units, Visit visit) {
    while (start < end) {
        const size_t lineEnd = units.Find(data, start, end, kCarriageReturn);
        if (lineEnd > start)
            visit(start, lineEnd - start);
        start = lineEnd + units.width;
        if (units.Is(data, start, end, kLineFeed))
            start += units.width;
    }
}

} // namespace

size_t InputLength(const char* data, size_t size, TextEncoding encoding) {
    return WithUnits(encoding, [&](auto units) { return units.Find(data, 0, size, kEndOfInput); });
}

bool HoldsEndOfInput(const char* data, size_t from, size_t to) {
    const TextEncoding encoding = Utf16Mark(data, to);
    // A UTF-16 unit may straddle two reads; start at the unit that holds data[from].
    const size_t first = from - from % UnitWidth(encoding);
    return WithUnits(encoding, [&](auto units) { return units.Find(data, first, to, kEndOfInput) < to; });
}

size_t CompleteLinesLength(const char* data, size_t size, TextEncoding encoding) {
    const size_t width = UnitWidth(encoding);
    size_t end = size - size % width;
    return WithUnits(encoding, [&](auto units) {
        while (end >= width && !units.Is(data, end - width, end, kCarriageReturn))
            end -= width;
        return end;
    });
}

void SplitLines(const char* data, size_t size, std::vector<LineSpan>& lines, TextEncoding encoding,
                size_t start) {
    const size_t end = InputLength(data, size, encoding);
    WithUnits(encoding, [&](auto units) {
        size_t count = 0;
        ForEachNonEmptyLine(data, start, end, units, [&](size_t, size_t) { ++count; });
        lines = std::vector<LineSpan>();
        lines.reserve(count);
        ForEachNonEmptyLine(data, start, end, units, [&](size_t offset, size_t length) {
            lines.push_back({static_cast<uint32_t>(offset), static_cast<uint32_t>(length)});
        });
    });
}
