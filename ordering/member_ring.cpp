#include "ordering/member_ring.h"

#include <algorithm>

// Slot of ring position i, for i below twice the capacity (positions past the last member
// name the free slots behind it).
static uint32_t SlotOf(const MemberRing& ring, uint32_t i) {
    const uint64_t capacity = ring.slots.size();
    uint64_t slot = uint64_t{ring.head} + i;
    while (slot >= capacity)
        slot -= capacity;
    return static_cast<uint32_t>(slot);
}

void StartRing(MemberRing& ring, const uint32_t* values, uint32_t count) {
    ring.slots.assign(values, values + count);
    ring.head = 0;
    ring.count = count;
    ring.moves = 0;
}

uint32_t TakeFirst(MemberRing& ring) {
    const uint32_t value = ring.slots[ring.head];
    ring.head = SlotOf(ring, 1);
    --ring.count;
    return value;
}

uint32_t TakeLast(MemberRing& ring) {
    return ring.slots[SlotOf(ring, --ring.count)];
}

// Moves the first `shift` members behind the last one: across the free slots, or by turning
// the start of the ring when there are none.
static void RotateAllLeft(MemberRing& ring, uint32_t shift) {
    const uint32_t gap = static_cast<uint32_t>(ring.slots.size()) - ring.count;
    for (uint32_t k = 0; gap > 0 && k < shift; ++k)
        ring.slots[SlotOf(ring, ring.count + k)] = ring.slots[SlotOf(ring, k)];
    ring.head = SlotOf(ring, shift);
    ring.moves += gap > 0 ? shift : 0;
}

// Moves the last `shift` members in front of the first one.
static void RotateAllRight(MemberRing& ring, uint32_t shift) {
    const uint32_t capacity = static_cast<uint32_t>(ring.slots.size());
    const uint32_t gap = capacity - ring.count;
    // The slot `shift` places before the head, which becomes the new head.
    const uint32_t newHead = SlotOf(ring, capacity - shift);
    for (uint32_t k = shift; gap > 0 && k-- > 0;)
        ring.slots[SlotOf(ring, capacity - shift + k)] = ring.slots[SlotOf(ring, ring.count - shift + k)];
    ring.head = newHead;
    ring.moves += gap > 0 ? shift : 0;
}

void RotateRing(MemberRing& ring, uint32_t first, uint32_t middle, uint32_t last) {
    if (middle == first || middle == last)
        return;
    if (first == 0 && last == ring.count) {
        if (middle <= ring.count - middle)
            RotateAllLeft(ring, middle);
        else
            RotateAllRight(ring, ring.count - middle);
        return;
    }
    ring.moves += last - first;
    if (SlotOf(ring, first) + (last - first) > ring.slots.size()) {
        // The part wraps around the end of the buffer: turn the buffer so the ring starts at
        // its first slot.
        std::rotate(ring.slots.begin(), ring.slots.begin() + ring.head, ring.slots.end());
        ring.head = 0;
        ring.moves += ring.slots.size();
    }
    uint32_t* slots = ring.slots.data() + SlotOf(ring, first);
    std::rotate(slots, slots + (middle - first), slots + (last - first));
}

void ReadRing(const MemberRing& ring, uint32_t* values) {
    for (uint32_t i = 0; i < ring.count; ++i)
        values[i] = ring.slots[SlotOf(ring, i)];
}
