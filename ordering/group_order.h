#pragma once
#include <cstdint>

// When each of the four counts that shape the reordering of one group of equal keys reaches
// j (1-based), as a pass index; each list is non-decreasing and holds `size` entries.
//   fromLeft:  members that have no smaller key to their left
//   fromRight: members that have no larger key to their right
//   leftOut:   members to the left of the pass bounds
//   rightOut:  members to the right of the pass bounds
struct GroupPasses {
    const uint32_t* fromLeft;
    const uint32_t* fromRight;
    const uint32_t* leftOut;
    const uint32_t* rightOut;
};

// Reorders the members of one group, given in input order, into the order in which the passes
// (numbered 0 to passes - 1, even ones downward) leave them. Costs about O(size log size) for
// large groups. May throw std::bad_alloc.
void OrderGroup(uint32_t* members, uint32_t size, const GroupPasses& lists, uint32_t passes);
