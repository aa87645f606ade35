#include "job/sort_engine.h"

#include "ordering/shaker_sort.h"

#include <algorithm>

// The line whose bytes start at offset; lines are in input order, so offsets increase.
static LineSpan LineAt(const std::vector<LineSpan>& lines, uint32_t offset) {
    return *std::lower_bound(lines.begin(), lines.end(), offset,
                             [](LineSpan line, uint32_t wanted) { return line.offset < wanted; });
}

void SortLineArray(LineArray& lines) {
    if (lines.encoding == TextEncoding::Ansi) {
        ShakerSort(lines.text.data(), lines.lines.data(), lines.lines.size());
        return;
    }
    ShakerSort(lines.keyText.data(), lines.keys.data(), lines.keys.size());
    const uint32_t width = UnitWidth(lines.encoding);
    for (LineSpan& key : lines.keys)
        key = LineAt(lines.lines, key.offset * width);
    lines.lines.swap(lines.keys);
    lines.keys = std::vector<LineSpan>();
    lines.keyText = LineText();
}
