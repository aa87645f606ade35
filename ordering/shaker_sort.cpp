#include "ordering/shaker_sort.h"

#include "app/settings.h"
#include "ordering/ascending_sort.h"
#include "ordering/descending_ties.h"
#include "ordering/sort_pacing.h"

#include <cstring>
#include <vector>

static uint64_t PackSpan(LineSpan span) {
    uint64_t packed;
    static_assert(sizeof packed == sizeof span);
    std::memcpy(&packed, &span, sizeof packed);
    return packed;
}

static LineSpan UnpackSpan(uint64_t packed) {
    LineSpan span;
    std::memcpy(&span, &packed, sizeof span);
    return span;
}

// Rearranges the spans so that position k receives the span whose index is the low 32 bits of
// order[k]; order is used as the scratch copy.
static void ApplyOrder(std::vector<uint64_t>& order, LineSpan* lines) {
    for (uint64_t& entry : order) {
        entry = PackSpan(lines[static_cast<uint32_t>(entry)]);
        PaceWork(1);
    }
    for (size_t k = 0; k < order.size(); ++k)
        lines[k] = UnpackSpan(order[k]);
}

void ShakerSort(const char* text, LineSpan* lines, size_t count) {
    const int16_t order = SortOrder;
    PumpNow();
    if (count < 2 || (order != SortAscending && order != SortDescending))
        return;
    std::vector<uint64_t> sorted = SortLinesAscending(text, lines, count);
    PumpNow();
    if (order == SortDescending)
        OrderDescending(sorted);
    ApplyOrder(sorted, lines);
    PumpNow();
}
