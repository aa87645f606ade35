#pragma once
#include <cstdint>

// Replays the bounds of the neighbour-exchange passes of a descending sort without moving any
// line. Lines are grouped by key: group v holds the lines of the v-th smallest key, and in the
// final descending arrangement its lines fill slots O(v)-c(v)+1 .. O(v) (1-based), where O(v) is
// the number of lines whose key is at least group v's. A pass only ever compares slots inside
// its bounds [left, right]; everything outside is final.
struct PassReplay {
    const uint32_t* groupStart; // groupStart[v]: lines with a key below group v's; groupStart[groups] = count
    const uint32_t* sortedFrom; // sortedFrom[v]: first pass from which "key >= group v's" is sorted
    uint32_t count;
    uint32_t groups;
    int64_t left, right, lastExchange; // the loop's l, r and k
    uint32_t pass;
    uint32_t leftGroup, rightGroup; // the groups of the slots the two walks last looked at
    bool done;
};

struct PassBounds {
    uint32_t index; // even: downward pass, odd: upward pass
    int64_t left, right;
};

// sortedFrom must have groups + 1 entries, the last one 0.
PassReplay StartPassReplay(const uint32_t* groupStart, const uint32_t* sortedFrom, uint32_t count,
                           uint32_t groups);

// Gives the next pass of the sort; false once the sort has ended. The passes come in order and
// the replay costs O(count + passes) in all.
bool NextPass(PassReplay& replay, PassBounds& bounds);
