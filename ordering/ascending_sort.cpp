#include "ordering/ascending_sort.h"

#include "ordering/rank_keys.h"
#include "ordering/sort_pacing.h"

#include <algorithm>

// Ranges up to this size are sorted by comparison instead of distributed by a key position.
constexpr size_t SmallRange = 64;
constexpr int FieldValues = 1 << FieldBits;

namespace {
// The records being sorted and where their keys come from.
struct SortState {
    const KeySource& source;
    uint64_t* records;
};
} // namespace

static uint64_t ChunkOf(const SortState& state, uint64_t record) {
    return record >> state.source.layout.chunkShift;
}

// Records [begin, end) hold lines of one and the same key: order them by input position and
// leave them in their final form.
static void FinishEqualKeys(const SortState& state, uint64_t* begin, uint64_t* end) {
    std::sort(begin, end);
    const uint64_t indexMask = state.source.layout.indexMask;
    for (uint64_t* r = begin; r != end; ++r)
        *r = (*r & indexMask) | (r == begin ? 0 : SameKeyAsPrevious);
}

// Replaces the chunk of each record by the next one of its line's key. The lines come in no
// particular order, so they are read in batches: first all spans of a batch, whose loads can
// overlap, fetching the bytes they point to, then the chunks; the next batch's spans are asked
// for meanwhile.
static void LoadChunks(const SortState& state, uint64_t* begin, uint64_t* end, uint32_t depth) {
    constexpr ptrdiff_t Batch = 32;
    const KeySource& source = state.source;
    const uint64_t indexMask = source.layout.indexMask;
    LineSpan spans[Batch];
    for (uint64_t* batch = begin; batch < end; batch += Batch) {
        const ptrdiff_t size = std::min(Batch, end - batch);
        for (uint64_t* next = batch + Batch; next < std::min(batch + 2 * Batch, end); ++next)
            __builtin_prefetch(&source.lines[*next & indexMask]);
        for (ptrdiff_t i = 0; i < size; ++i) {
            spans[i] = source.lines[batch[i] & indexMask];
            PrefetchKey(source, spans[i], depth);
        }
        for (ptrdiff_t i = 0; i < size; ++i)
            batch[i] = KeyRecord(source, static_cast<uint32_t>(batch[i] & indexMask), spans[i], depth);
    }
    PaceWork(static_cast<size_t>(end - begin));
}

static int FieldOf(const SortState& state, uint64_t record, int field) {
    const KeyLayout& layout = state.source.layout;
    return static_cast<int>(record >> (layout.chunkShift + FieldBits * (layout.fields - 1 - field))) &
           (FieldValues - 1);
}

static void SortRange(const SortState& state, uint64_t* begin, uint64_t* end, uint32_t depth, int field);

// Sorts a small range whose records agree on the key before `depth` by comparison, then deals
// with each run of equal chunks; the largest run still to sort is handed back to the caller.
static void SortSmallRange(const SortState& state, uint64_t*& begin, uint64_t*& end, uint32_t depth) {
    std::sort(begin, end);
    PaceWork(static_cast<size_t>(end - begin));
    uint64_t* largestBegin = nullptr;
    uint64_t* largestEnd = nullptr;
    for (uint64_t* run = begin; run != end;) {
        const uint64_t chunk = ChunkOf(state, *run);
        uint64_t* runEnd = run + 1;
        while (runEnd != end && ChunkOf(state, *runEnd) == chunk)
            ++runEnd;
        if (runEnd - run == 1 || ChunkEndsKey(chunk)) {
            FinishEqualKeys(state, run, runEnd);
        } else if (runEnd - run > largestEnd - largestBegin) {
            if (largestBegin)
                SortRange(state, largestBegin, largestEnd, depth, state.source.layout.fields);
            largestBegin = run;
            largestEnd = runEnd;
        } else {
            SortRange(state, run, runEnd, depth, state.source.layout.fields);
        }
        run = runEnd;
    }
    begin = largestBegin;
    end = largestEnd;
}

// Distributes records by one key position in place (American flag sort); fills the bucket bounds.
static void DistributeByField(const SortState& state, uint64_t* begin, uint64_t* end, int field,
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
            int value = FieldOf(state, record, field);
            while (value != v) {
                std::swap(record, begin[next[value]++]);
                value = FieldOf(state, record, field);
            }
            begin[next[v]++] = record;
        }
    }
    PaceWork(static_cast<size_t>(end - begin));
}

// Sorts records [begin, end) that agree on their key before position depth + field; each record
// holds the chunk of its key that starts at depth. Recurses only into ranges of at most half the
// size, so the stack stays shallow whatever the keys.
static void SortRange(const SortState& state, uint64_t* begin, uint64_t* end, uint32_t depth, int field) {
    const int fields = state.source.layout.fields;
    while (end - begin > 1) {
        if (field == fields) {
            // The whole chunk agrees and the keys go on: read the next chunk.
            if (ChunkEndsKey(ChunkOf(state, *begin)))
                return FinishEqualKeys(state, begin, end);
            depth += fields;
            field = 0;
            LoadChunks(state, begin, end, depth);
            continue;
        }
        if (static_cast<size_t>(end - begin) <= SmallRange) {
            SortSmallRange(state, begin, end, depth);
            field = fields;
            continue;
        }
        size_t bucketEnd[FieldValues] = {};
        for (const uint64_t* r = begin; r != end; ++r)
            ++bucketEnd[FieldOf(state, *r, field)];
        if (bucketEnd[0] == static_cast<size_t>(end - begin))
            return FinishEqualKeys(state, begin, end);
        if (*std::max_element(bucketEnd, bucketEnd + FieldValues) == static_cast<size_t>(end - begin)) {
            ++field;
            continue;
        }
        DistributeByField(state, begin, end, field, bucketEnd);
        // Value 0 means the key ended before this position: those lines all share one key.
        FinishEqualKeys(state, begin, begin + bucketEnd[0]);
        int largest = 1;
        for (int v = 2; v < FieldValues; ++v)
            if (bucketEnd[v] - bucketEnd[v - 1] > bucketEnd[largest] - bucketEnd[largest - 1])
                largest = v;
        for (int v = 1; v < FieldValues; ++v)
            if (v != largest)
                SortRange(state, begin + bucketEnd[v - 1], begin + bucketEnd[v], depth, field + 1);
        end = begin + bucketEnd[largest];
        begin += bucketEnd[largest - 1];
        ++field;
    }
    if (end - begin == 1)
        *begin &= state.source.layout.indexMask;
}

std::vector<uint64_t> SortLinesAscending(const char* text, const LineSpan* lines, size_t count) {
    const KeySource source = MakeKeySource(text, lines, count);
    std::vector<uint64_t> records(count);
    for (size_t i = 0; i < count; ++i) {
        records[i] = KeyRecord(source, static_cast<uint32_t>(i), lines[i], 0);
        PaceWork(1);
    }
    SortRange(SortState{source, records.data()}, records.data(), records.data() + count, 0, 0);
    return records;
}
