#pragma once
#include "ordering/line_span.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A line's sort key is its sequence of character ranks with the trailing zero ranks dropped.
// Keys are read in chunks of a few positions packed into the top bits of a 64-bit record whose
// low bits hold the line's index, so that sorting records as plain integers orders lines by
// key chunk first and input position second. Each position takes 7 bits: rank + 1 inside the
// key and 0 past its end, so a key that is a proper prefix of another sorts first.
struct KeyLayout {
    int fields;         // key positions per chunk
    int chunkShift;     // bit position of the chunk's lowest field
    uint64_t indexMask; // the bits that hold the line index
};

constexpr int FieldBits = 7;

// The widest chunk that still leaves room for the index of every one of count lines.
KeyLayout MakeKeyLayout(size_t count);

// Key lengths of the few lines that end in a long run of zero-ranked bytes, so that finding a
// key's end never rescans such a run: (line index, key length), by increasing index.
struct LongTail {
    uint32_t index;
    uint32_t keyLength;
};

// Everything needed to read key chunks of the lines of one text.
struct KeySource {
    const char* text;
    const LineSpan* lines;
    KeyLayout layout;
    std::vector<LongTail> longTails;
};

// Prepares reading keys of count lines; may throw std::bad_alloc.
KeySource MakeKeySource(const char* text, const LineSpan* lines, size_t count);

// The chunk of line `index`'s key that starts at key position depth, right-aligned; span is the
// line's span, which the caller has at hand.
uint64_t KeyChunk(const KeySource& source, uint32_t index, LineSpan span, uint32_t depth);

// Asks the processor to fetch the bytes that KeyChunk will read for this line at depth. Always
// inlined: a separate call holding only prefetches would be taken as free of effects and dropped.
__attribute__((always_inline)) inline void PrefetchKey(const KeySource& source, LineSpan span,
                                                       uint32_t depth) {
    __builtin_prefetch(source.text + span.offset + depth);
    __builtin_prefetch(source.text + span.offset + (span.length ? span.length - 1 : 0));
}

// The record of line `index` holding its key chunk at depth.
inline uint64_t KeyRecord(const KeySource& source, uint32_t index, LineSpan span, uint32_t depth) {
    return KeyChunk(source, index, span, depth) << source.layout.chunkShift | index;
}

// True when a chunk's last position lies past the key's end, so the key ends inside it.
inline bool ChunkEndsKey(uint64_t chunk) {
    return (chunk & ((1u << FieldBits) - 1)) == 0;
}
