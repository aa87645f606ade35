#include "ordering/descending_ties.h"

#include "ordering/ascending_sort.h"
#include "ordering/group_order.h"
#include "ordering/pass_schedule.h"
#include "ordering/rank_counts.h"
#include "ordering/sort_pacing.h"

#include <algorithm>

// Throughout, lines are numbered by their 1-based input position x, and the key groups by rank
// v = 0 .. groups-1 in ascending key order. While the tie order is worked out, the low half of
// each entry keeps the ascending order and the high half serves as scratch.

namespace {
struct KeyGroups {
    std::vector<uint32_t> start; // ascending position of each group's first line, then the count
    // Index of each tied group's first member in the member lists (below); 0 for the others.
    std::vector<uint32_t> firstMember;
    uint32_t count;
    uint32_t groups;
    uint32_t members; // lines in groups of two or more
};

// Pass lists of the members of all groups of two or more, group after group in the order of
// their slots in the descending arrangement (highest key first), each group's members in input
// order.
struct MemberLists {
    std::vector<uint32_t> fromLeft, fromRight, leftOut, rightOut;
};
} // namespace

static uint32_t GroupSize(const KeyGroups& groups, uint32_t v) {
    return groups.start[v + 1] - groups.start[v];
}
static bool HasTies(const KeyGroups& groups, uint32_t v) {
    return GroupSize(groups, v) >= 2;
}

// Last slot of group v in the descending arrangement, 1-based; 0 for v = groups.
static uint32_t LastSlot(const KeyGroups& groups, uint32_t v) {
    return groups.count - groups.start[v];
}

// The high half of entry x-1 holds the rank of input line x, with TiedRank set when that
// line's group has two or more lines, so the sweep needs no lookup to tell.
constexpr uint32_t TiedRank = 0x80000000u;

static uint32_t InputRankTagged(const std::vector<uint64_t>& order, uint32_t x) {
    return static_cast<uint32_t>(order[x - 1] >> 32);
}

static KeyGroups FindGroups(const std::vector<uint64_t>& order) {
    KeyGroups groups{{}, {}, static_cast<uint32_t>(order.size()), 0, 0};
    const auto firsts = std::count_if(order.begin(), order.end(),
                                      [](uint64_t entry) { return (entry & SameKeyAsPrevious) == 0; });
    groups.start.reserve(static_cast<size_t>(firsts) + 1);
    for (size_t k = 0; k < order.size(); ++k)
        if ((order[k] & SameKeyAsPrevious) == 0)
            groups.start.push_back(static_cast<uint32_t>(k));
    groups.start.push_back(groups.count);
    groups.groups = static_cast<uint32_t>(groups.start.size() - 1);
    groups.firstMember.assign(groups.groups, 0);
    for (uint32_t v = groups.groups; v-- > 0;)
        if (HasTies(groups, v)) {
            groups.firstMember[v] = groups.members;
            groups.members += GroupSize(groups, v);
        }
    return groups;
}

static void StoreInputRanks(std::vector<uint64_t>& order, const KeyGroups& groups) {
    for (uint32_t v = 0; v < groups.groups; ++v) {
        const uint64_t tagged = v | (HasTies(groups, v) ? TiedRank : 0);
        for (uint32_t k = groups.start[v]; k < groups.start[v + 1]; ++k) {
            uint64_t& entry = order[static_cast<uint32_t>(order[k])];
            entry = (entry & 0xFFFFFFFFu) | tagged << 32;
        }
    }
}

static void KeepEarlier(uint32_t& pass, uint32_t candidate) {
    pass = std::min(pass, candidate);
}

// Odd pass numbers count from 2k - 1; a count of 0 means from the start.
static uint32_t TwiceLessOne(uint32_t count) {
    return count == 0 ? 0 : 2 * count - 1;
}

// Fetches what the sweep will touch for a line of this tagged rank, some lines ahead.
__attribute__((always_inline)) static inline void PrefetchLine(const KeyGroups& groups,
                                                               const RankCounts& counts, uint32_t tagged) {
    const uint32_t rank = tagged & ~TiedRank;
    PrefetchRank(counts, rank);
    if (tagged & TiedRank) {
        __builtin_prefetch(&groups.firstMember[rank]);
        __builtin_prefetch(&groups.start[rank]);
    }
}

constexpr uint32_t PrefetchDistance = 32;

// One sweep over the input from the left, counting smaller ranks before each line and each slot,
// gives every group the first pass from which "key at least this group's" is sorted, and every
// member of a tied group the first pass from which it has no smaller key to its left and the
// first from which it has no larger key to its right.
static std::vector<uint32_t> SweepInput(const std::vector<uint64_t>& order, const KeyGroups& groups,
                                        MemberLists& lists) {
    std::vector<uint32_t> sortedFrom(groups.groups + 1, 0);
    RankCounts counts = MakeRankCounts(groups.groups);
    uint32_t v = groups.groups - 1; // group of slot x
    uint32_t below = 0;             // lines before x whose rank is below v: v only falls
    uint32_t previousRank = 0;
    for (uint32_t x = 1; x <= groups.count; previousRank = InputRankTagged(order, x++) & ~TiedRank) {
        const uint32_t tagged = InputRankTagged(order, x);
        const uint32_t rank = tagged & ~TiedRank;
        if (x + PrefetchDistance <= groups.count)
            PrefetchLine(groups, counts, InputRankTagged(order, x + PrefetchDistance));
        while (LastSlot(groups, v) < x)
            below -= counts.perRank[--v];
        const uint32_t thresholdPass = 2 * below + (rank < v ? 1 : 0);
        if (x == LastSlot(groups, v))
            sortedFrom[v] = thresholdPass;
        if (HasTies(groups, v)) {
            KeepEarlier(lists.fromLeft[groups.firstMember[v] + x - LastSlot(groups, v + 1) - 1],
                        thresholdPass);
            // Lines from x on whose rank is above slot x's group.
            const uint32_t above = LastSlot(groups, v + 1) - (x - 1 - below - counts.perRank[v]);
            const uint32_t settledBelow = (x == 1 || previousRank <= v) ? 1 : 0;
            const uint32_t pass = 2 * above > settledBelow ? 2 * above - settledBelow : 0;
            KeepEarlier(lists.fromRight[groups.firstMember[v] + LastSlot(groups, v) - x], pass);
        }
        if (tagged & TiedRank) {
            const uint32_t before = counts.perRank[rank]; // earlier lines of the same group
            const uint32_t smallerBefore = CountBelow(counts, rank);
            const uint32_t largerAfter = LastSlot(groups, rank + 1) - (x - 1 - smallerBefore - before);
            const uint32_t first = groups.firstMember[rank];
            KeepEarlier(lists.fromLeft[first + before], 2 * smallerBefore);
            KeepEarlier(lists.fromRight[first + GroupSize(groups, rank) - 1 - before],
                        TwiceLessOne(largerAfter));
        }
        AddRank(counts, rank);
        below += rank < v ? 1 : 0;
        PaceWork(1);
    }
    return sortedFrom;
}

namespace {
// Walks the members of tied groups in slot order, from either end of the arrangement.
struct MemberWalk {
    int64_t group;     // -1 or groups when past the end
    uint32_t position; // 1-based, within the group, in input order
};
} // namespace

static void SkipUntiedGroups(const KeyGroups& groups, MemberWalk& walk, int step) {
    while (walk.group >= 0 && walk.group < groups.groups &&
           !HasTies(groups, static_cast<uint32_t>(walk.group)))
        walk.group += step;
}

static bool WalkValid(const KeyGroups& groups, const MemberWalk& walk) {
    return walk.group >= 0 && walk.group < groups.groups;
}

static void StepWalk(const KeyGroups& groups, MemberWalk& walk, int step) {
    if (++walk.position > GroupSize(groups, static_cast<uint32_t>(walk.group))) {
        walk.position = 1;
        walk.group += step;
        SkipUntiedGroups(groups, walk, step);
    }
}

static uint32_t WalkMember(const KeyGroups& groups, const MemberWalk& walk) {
    return groups.firstMember[walk.group] + walk.position - 1;
}

// Replays the passes and notes, for each member j of each group, the first pass that has j
// members of the group left of its bounds and the first that has j right of them; returns the
// number of passes. Left thresholds rise and right ones fall along the walks, as the bounds do.
static uint32_t ReplayBounds(const KeyGroups& groups, const std::vector<uint32_t>& sortedFrom,
                             MemberLists& lists) {
    PassReplay replay = StartPassReplay(groups.start.data(), sortedFrom.data(), groups.count, groups.groups);
    MemberWalk leftWalk{groups.groups - 1, 1};
    MemberWalk rightWalk{0, 1};
    SkipUntiedGroups(groups, leftWalk, -1);
    SkipUntiedGroups(groups, rightWalk, +1);
    uint32_t passes = 0;
    PassBounds bounds;
    while (NextPass(replay, bounds)) {
        while (WalkValid(groups, leftWalk) &&
               LastSlot(groups, leftWalk.group + 1) + leftWalk.position + 1 <= bounds.left) {
            lists.leftOut[WalkMember(groups, leftWalk)] = bounds.index;
            StepWalk(groups, leftWalk, -1);
        }
        while (WalkValid(groups, rightWalk) &&
               bounds.right <= static_cast<int64_t>(LastSlot(groups, rightWalk.group)) - rightWalk.position) {
            lists.rightOut[WalkMember(groups, rightWalk)] = bounds.index;
            StepWalk(groups, rightWalk, +1);
        }
        passes = bounds.index + 1;
        PaceWork(1);
    }
    // Members that no pass leaves behind get the end of the sort.
    for (; WalkValid(groups, leftWalk); StepWalk(groups, leftWalk, -1))
        lists.leftOut[WalkMember(groups, leftWalk)] = passes;
    for (; WalkValid(groups, rightWalk); StepWalk(groups, rightWalk, +1))
        lists.rightOut[WalkMember(groups, rightWalk)] = passes;
    return passes;
}

// Writes each group's lines, in their final order, into the high halves of the entries of its
// slots; the low halves still hold the ascending order.
static void PlaceGroups(std::vector<uint64_t>& order, const KeyGroups& groups, const MemberLists& lists,
                        uint32_t passes) {
    std::vector<uint32_t> members;
    for (uint32_t v = 0; v < groups.groups; ++v) {
        const uint32_t size = GroupSize(groups, v);
        const uint32_t firstSlot = LastSlot(groups, v + 1);
        if (size == 1) {
            order[firstSlot] = (order[firstSlot] & 0xFFFFFFFFu) | order[groups.start[v]] << 32;
            PaceWork(1);
            continue;
        }
        members.resize(size);
        for (uint32_t i = 0; i < size; ++i)
            members[i] = static_cast<uint32_t>(order[groups.start[v] + i]);
        const uint32_t first = groups.firstMember[v];
        const GroupPasses passLists{&lists.fromLeft[first], &lists.fromRight[first], &lists.leftOut[first],
                                    &lists.rightOut[first]};
        OrderGroup(members.data(), size, passLists, passes);
        for (uint32_t i = 0; i < size; ++i)
            order[firstSlot + i] = (order[firstSlot + i] & 0xFFFFFFFFu) | uint64_t{members[i]} << 32;
        PaceWork(size);
    }
}

void OrderDescending(std::vector<uint64_t>& order) {
    // Distinct keys are simply reversed, without allocating anything.
    if (std::none_of(order.begin(), order.end(), [](uint64_t entry) { return entry & SameKeyAsPrevious; })) {
        std::reverse(order.begin(), order.end());
        return;
    }
    KeyGroups groups = FindGroups(order);
    StoreInputRanks(order, groups);
    MemberLists lists;
    lists.fromLeft.assign(groups.members, UINT32_MAX);
    lists.fromRight.assign(groups.members, UINT32_MAX);
    const std::vector<uint32_t> sortedFrom = SweepInput(order, groups, lists);
    lists.leftOut.assign(groups.members, 0);
    lists.rightOut.assign(groups.members, 0);
    const uint32_t passes = ReplayBounds(groups, sortedFrom, lists);
    PlaceGroups(order, groups, lists, passes);
    for (uint64_t& entry : order)
        entry >>= 32;
}
