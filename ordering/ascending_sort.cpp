#include "ordering/ascending_sort.h"

#include "ordering/rank_keys.h"
#include "ordering/sort_pacing.h"

#include <algorithm>

// Ranges up to this size are sorted by comparison instead of distributed by a key position.
constexpr size_t SmallRange = 64;
constexpr int FieldValues = 1 << FieldBits;

static uint64_t ChunkOf(const KeySource& source, uint64_t record) {
    return record >> source.layout.chunkShift;
}

// Records [begin, end) hold lines of one and the same key: order them by input position and
// leave them in their final form.
static void FinishEqualKeys(const KeySource& source, uint64_t* begin, uint64_t* end) {
    std::sort(begin, end);
    const uint64_t indexMask = source.layout.indexMask;
    for (uint64_t* r = begin; r != end; ++r)
        *r = (*r & indexMask) | (r == begin ? 0 : SameKeyAsPrevious);
}

// Replaces the chunk of each record by the next one of its line's key. The lines come in no
// particular order, so they are read in batches: first all spans of a batch, whose loads can
// overlap, fetching the bytes they point to, then the chunks; the next batch's spans are asked
// for meanwhile.
static void LoadChunks(const KeySource& source, uint64_t* begin, uint64_t* end, uint32_t depth) {
    constexpr ptrdiff_t Batch = 32;
    const uint64_t indexMask = source.layout.indexMask;
    const ptrdiff_t count = end - begin;
    LineSpan spans[Batch];
    for (ptrdiff_t first = 0; first < count; first += Batch) {
        const ptrdiff_t size = std::min(Batch, count - first);
        for (ptrdiff_t next = first + Batch; next < std::min(first + 2 * Batch, count); ++next)
            __builtin_prefetch(&source.lines[begin[next] & indexMask]);
        uint64_t* batch = begin + first;
        for (ptrdiff_t i = 0; i < size; ++i) {
            spans[i] = source.lines[batch[i] & indexMask];
            PrefetchKey(source, spans[i], depth);
        }
        for (ptrdiff_t i = 0; i < size; ++i)
            batch[i] = KeyRecord(source, static_cast<uint32_t>(batch[i] & indexMask), spans[i], depth);
    }
    PaceWork(static_cast<size_t>(count));
}

static int FieldOf(const KeySource& source, uint64_t record, int field) {
    const KeyLayout& layout = source.layout;
    return static_cast<int>(record >> (layout.chunkShift + FieldBits * (layout.fields - 1 - field))) &
           (FieldValues - 1);
}

static void SortRange(const KeySource& source, uint64_t* begin, uint64_t* end, uint32_t depth, int field);

// Sorts a small range whose records agree on the key before `depth` by comparison, then deals
// with each run of equal chunks; the largest run still to sort is handed back to the caller.
static void SortSmallRange(const KeySource& source, uint64_t*& begin, uint64_t*& end, uint32_t depth) {
    std::sort(begin, end);
    PaceWork(static_cast<size_t>(end - begin));
    uint64_t* largestBegin = nullptr;
    uint64_t* largestEnd = nullptr;
    for (uint64_t* run = begin; run != end;) {
        const uint64_t chunk = ChunkOf(source, *run);
        uint64_t* runEnd = run + 1;
        while (runEnd != end && ChunkOf(source, *runEnd) == chunk)
            ++runEnd;
        if (runEnd - run == 1 || ChunkEndsKey(chunk)) {
            FinishEqualKeys(source, run, runEnd);
        } else if (runEnd - run > largestEnd - largestBegin) {
            if (largestBegin)
                SortRange(source, largestBegin, largestEnd, depth, source.layout.fields);
            largestBegin = run;
            largestEnd = runEnd;
        } else {
            SortRange(source, run, runEnd, depth, source.layout.fields);
        }
        run = runEnd;
    }
    begin = largestBegin;
    end = largestEnd;
}

// Distributes records by one key position in place (American flag sort); fills the bucket bounds.
static void DistributeByField(const KeySource& source, uint64_t* begin, uint64_t* end, int field,
                              size_t (&bucketEnd)[FieldValues]) {
    size_t next[FieldValues];
    size_t position = 0;
    for (int v = 0; v < FieldValues; ++v) {
        next[v] = position;
        position += bucketEnd[v];
        bucketEnd[v] = position;
    }
    for (int v = 0; v < FieldValues; ++v) {
        while (next[v] < bucketEnd[v]) {
            uint64_t record = begin[next[v]];
            int value = FieldOf(source, record, field);
            while (value != v) {
                std::swap(record, begin[next[value]++]);
                value = FieldOf(source, record, field);
            }
            begin[next[v]++] = record;
        }
    }
    PaceWork(static_cast<size_t>(end - begin));
}

// Sorts records [begin, end) that agree on their key before position depth + field; each record
// holds the chunk of its key that starts at depth. Recurses only into ranges of at most half the
// size, so the stack stays shallow whatever the keys.
static void SortRange(const KeySource& source, uint64_t* begin, uint64_t* end, uint32_t depth, int field) {
    const int fields = source.layout.fields;
    while (end - begin > 1) {
        if (field == fields) {
            // The whole chunk agrees and the keys go on: read the next chunk.
            if (ChunkEndsKey(ChunkOf(source, *begin)))
                return FinishEqualKeys(source, begin, end);
            depth += fields;
            field = 0;
            LoadChunks(source, begin, end, depth);
            continue;
        }
        if (static_cast<size_t>(end - begin) <= SmallRange) {
            SortSmallRange(source, begin, end, depth);
            field = fields;
            continue;
        }
        size_t bucketEnd[FieldValues] = {};
        for (const uint64_t* r = begin; r != end; ++r)
            ++bucketEnd[FieldOf(source, *r, field)];
        if (bucketEnd[0] == static_cast<size_t>(end - begin))
            return FinishEqualKeys(source, begin, end);
        if (*std::max_element(bucketEnd, bucketEnd + FieldValues) == static_cast<size_t>(end - begin)) {
            ++field;
            continue;
        }
        DistributeByField(source, begin, end, field, bucketEnd);
        // Value 0 means the key ended before this position: those lines all share one key.
        FinishEqualKeys(source, begin, begin + bucketEnd[0]);
        int largest = 1;
        for (int v = 2; v < FieldValues; ++v)
            if (bucketEnd[v] - bucketEnd[v - 1] > bucketEnd[largest] - bucketEnd[largest - 1])
                largest = v;
        for (int v = 1; v < FieldValues; ++v)
            if (v != largest)
                SortRange(source, begin + bucketEnd[v - 1], begin + bucketEnd[v], depth, field + 1);
        end = begin + bucketEnd[largest];
        begin += bucketEnd[largest - 1];
        ++field;
    }
    if (end - begin == 1)
        *begin &= source.layout.indexMask;
}

std::vector<uint64_t> SortLinesAscending(const char* text, const LineSpan* lines, size_t count) {
    const KeySource source = MakeKeySource(text, lines, count);
    std::vector<uint64_t> records(count);
    for (size_t i = 0; i < count; ++i) {
        records[i] = KeyRecord(source, static_cast<uint32_t>(i), lines[i], 0);
        PaceWork(1);
    }
    SortRange(source, records.data(), records.data() + count, 0, 0);
    return records;
}
