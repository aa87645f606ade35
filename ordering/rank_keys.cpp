#include "ordering/rank_keys.h"

#include "ordering/collation.h"

#include <algorithm>

// Tails up to this length are rescanned when a key's end is needed; longer ones are remembered.
constexpr uint32_t ShortTailLimit = 64;

KeyLayout MakeKeyLayout(size_t count) {
    int indexBits = 1;
    while (indexBits < 64 && (uint64_t{1} << indexBits) < count)
        ++indexBits;
    const int fields = (64 - indexBits) / FieldBits;
    const int chunkShift = 64 - fields * FieldBits;
    return KeyLayout{fields, chunkShift, (uint64_t{1} << chunkShift) - 1};
}

// Length of the key of a line, scanning its tail back at most `limit` bytes; answers limit-exceeded
// lines with UINT32_MAX.
static uint32_t ScanKeyLength(const unsigned char* line, uint32_t length, uint32_t limit) {
    const uint32_t stop = length > limit ? length - limit : 0;
    uint32_t end = length;
    while (end > stop && CharRank(line[end - 1]) == 0)
        --end;
    return end == stop && stop > 0 ? UINT32_MAX : end;
}

static uint32_t KeyLength(const KeySource& source, uint32_t index, LineSpan span) {
    const auto* line = reinterpret_cast<const unsigned char*>(source.text) + span.offset;
    const uint32_t length = ScanKeyLength(line, span.length, ShortTailLimit);
    if (length != UINT32_MAX)
        return length;
    const auto found =
        std::lower_bound(source.longTails.begin(), source.longTails.end(), index,
                         [](const LongTail& tail, uint32_t wanted) { return tail.index < wanted; });
    return found->keyLength;
}

KeySource MakeKeySource(const char* text, const LineSpan* lines, size_t count) {
    KeySource source{text, lines, MakeKeyLayout(count), {}};
    for (size_t i = 0; i < count; ++i) {
        const auto* line = reinterpret_cast<const unsigned char*>(text) + lines[i].offset;
        if (ScanKeyLength(line, lines[i].length, ShortTailLimit) == UINT32_MAX)
            source.longTails.push_back(
                {static_cast<uint32_t>(i), ScanKeyLength(line, lines[i].length, lines[i].length)});
    }
    return source;
}

uint64_t KeyChunk(const KeySource& source, uint32_t index, LineSpan span, uint32_t depth) {
    const int fields = source.layout.fields;
    const auto* line = reinterpret_cast<const unsigned char*>(source.text) + span.offset;
    const uint32_t keyLength = KeyLength(source, index, span);
    const uint32_t end = keyLength > depth ? std::min<uint32_t>(keyLength, depth + fields) : depth;
    uint64_t chunk = 0;
    for (uint32_t p = depth; p < end; ++p)
        chunk = chunk << FieldBits | (CharRank(line[p]) + 1u);
    return chunk << FieldBits * (depth + fields - end);
}
