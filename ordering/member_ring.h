#pragma once
#include <cstdint>
#include <vector>

// The members of a group that are still inside the pass bounds, in order, kept as a ring in a
// buffer with room for the whole group. Members leave at either end as the bounds close in.
// Rotating all of them costs as many moves as the shorter way round (none while the buffer is
// full), and rotating a part of them as many moves as the part holds, plus the whole buffer when
// the part wraps around the buffer's end.
struct MemberRing {
    std::vector<uint32_t> slots;
    uint32_t head;  // slot of the first member
    uint32_t count; // members in the ring
    uint64_t moves; // members moved so far, to tell when another structure would be cheaper
};

// A ring of these members, in this order. May throw std::bad_alloc.
void StartRing(MemberRing& ring, const uint32_t* values, uint32_t count);

uint32_t TakeFirst(MemberRing& ring);
uint32_t TakeLast(MemberRing& ring);

// Rotates members [first, last) (0-based, in ring order) so that member `middle` comes first.
void RotateRing(MemberRing& ring, uint32_t first, uint32_t middle, uint32_t last);

// Writes the members in ring order.
void ReadRing(const MemberRing& ring, uint32_t* values);
