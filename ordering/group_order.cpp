#include "ordering/group_order.h"

#include "ordering/member_ring.h"
#include "ordering/rotation_tree.h"
#include "ordering/sort_pacing.h"

#include <algorithm>

// Groups up to this size are rotated as plain arrays: for so few members nothing is faster.
constexpr uint32_t ArrayGroupLimit = 64;

// Work units charged per stretch of passes: a few rotations, each costing about as much as
// visiting a dozen lines.
constexpr size_t StretchWork = 16;

namespace {
// A window of member positions that one kind of pass rotates.
struct Window {
    uint32_t first, last; // 1-based, inclusive
    uint32_t Size() const { return last >= first ? last - first + 1 : 0; }
};

enum class Layout { Array, Ring, Tree };

// The members of one group in their current order: a small group as an array. In a large
// one, members outside the pass bounds never move again and are written to their place at once;
// the others are kept in a ring, which rotates the windows of most passes with few moves. Should
// the ring keep moving many members, a tree takes over, so that no group costs much more than
// O(size log size).
struct Members {
    uint32_t* values;
    uint32_t size;
    uint32_t settledLeft, settledRight; // members written at either end
    MemberRing ring;
    uint64_t ringBudget;
    Layout layout;
    RotationTree tree;
};
} // namespace

// The ring shines when the windows span all unsettled members, as with many equal lines. A
// group of up to a thousand members may move every member four times per member; a larger one
// that has moved 64 members per member evidently has narrower windows, and the tree, at a
// logarithmic cost per rotation, takes over.
static uint64_t RingBudget(uint32_t size) {
    return uint64_t{size} * (size <= 1024 ? 4 * size : 64) + 4096;
}

// Writes out the members that the bounds have left behind at either end.
static void Settle(Members& members, uint32_t left, uint32_t right) {
    if (members.layout != Layout::Ring)
        return;
    while (members.settledLeft < left)
        members.values[members.settledLeft++] = TakeFirst(members.ring);
    while (members.settledRight < right)
        members.values[members.size - 1 - members.settledRight++] = TakeLast(members.ring);
}

static void SwitchToTreeWhenCheaper(Members& members) {
    if (members.layout != Layout::Ring || members.ring.moves <= members.ringBudget)
        return;
    ReadRing(members.ring, members.values + members.settledLeft);
    members.ring.slots = std::vector<uint32_t>();
    BuildRotationTree(members.tree, members.values, members.size);
    members.layout = Layout::Tree;
}

// Moves the last `shift` members of the window to its front.
static void RotateRight(Members& members, Window window, uint64_t shift) {
    const uint32_t size = window.Size();
    if (size < 2 || shift % size == 0)
        return;
    const uint32_t first = window.first - 1;
    const uint32_t middle = window.last - static_cast<uint32_t>(shift % size);
    switch (members.layout) {
    case Layout::Array:
        std::rotate(members.values + first, members.values + middle, members.values + window.last);
        break;
    case Layout::Ring:
        RotateRing(members.ring, first - members.settledLeft, middle - members.settledLeft,
                   window.last - members.settledLeft);
        break;
    case Layout::Tree: RotateWindow(members.tree, first, middle, window.last); break;
    }
}

static void RotateLeft(Members& members, Window window, uint64_t shift) {
    const uint32_t size = window.Size();
    if (size >= 2)
        RotateRight(members, window, size - shift % size);
}

// Number of entries of a non-decreasing list that are at most pass.
static uint32_t Reached(const uint32_t* list, uint32_t size, uint32_t& cursor, uint32_t pass) {
    while (cursor < size && list[cursor] <= pass)
        ++cursor;
    return cursor;
}

static uint32_t NextBreak(const uint32_t* list, uint32_t size, uint32_t cursor, uint32_t limit) {
    return cursor < size ? std::min(list[cursor], limit) : limit;
}

static bool Overlap(Window a, Window b) {
    return a.first <= b.last && b.first <= a.last;
}

// Applies the passes [from, to), during which both windows stay the same.
static void ApplyStretch(Members& members, Window down, Window up, uint32_t from, uint32_t to) {
    const uint64_t downPasses = (to + 1ull) / 2 - (from + 1ull) / 2;
    const uint64_t upPasses = (to - from) - downPasses;
    const bool downMoves = down.Size() >= 2;
    const bool upMoves = up.Size() >= 2;
    if (downMoves && upMoves && down.first == up.first && down.last == up.last) {
        // A downward and an upward pass undo each other.
        if ((to - from) % 2 == 1)
            from % 2 == 0 ? RotateRight(members, down, 1) : RotateLeft(members, up, 1);
    } else if (!(downMoves && upMoves) || !Overlap(down, up)) {
        RotateRight(members, down, downPasses);
        RotateLeft(members, up, upPasses);
    } else {
        // Overlapping different windows last only a pass or two: apply them one by one.
        for (uint32_t pass = from; pass < to; ++pass)
            pass % 2 == 0 ? RotateRight(members, down, 1) : RotateLeft(members, up, 1);
    }
}

static void ReplayGroup(Members& members, const GroupPasses& lists, uint32_t passes) {
    const uint32_t size = members.size;
    uint32_t fromLeftAt = 0, fromRightAt = 0, leftOutAt = 0, rightOutAt = 0;
    for (uint32_t pass = 0; pass < passes;) {
        const uint32_t f = Reached(lists.fromLeft, size, fromLeftAt, pass);
        const uint32_t g = Reached(lists.fromRight, size, fromRightAt, pass);
        const uint32_t a = Reached(lists.leftOut, size, leftOutAt, pass);
        const uint32_t b = Reached(lists.rightOut, size, rightOutAt, pass);
        if (a + b + 2 > size)
            return; // fewer than two members inside the bounds, for good
        Settle(members, a, b);
        uint32_t next = NextBreak(lists.fromLeft, size, fromLeftAt, passes);
        next = NextBreak(lists.fromRight, size, fromRightAt, next);
        next = NextBreak(lists.leftOut, size, leftOutAt, next);
        next = NextBreak(lists.rightOut, size, rightOutAt, next);
        // A downward pass brings the last unsettled member of the right part to the front of its
        // window; an upward pass takes the first member of the left part to the back of its window.
        const Window down{std::max(a + 1, size - g + 1), size - b};
        const Window up{a + 1, std::min(f, size - b)};
        ApplyStretch(members, down, up, pass, next);
        SwitchToTreeWhenCheaper(members);
        PaceWork(StretchWork);
        pass = next;
    }
}

void OrderGroup(uint32_t* values, uint32_t size, const GroupPasses& lists, uint32_t passes) {
    const Layout layout = size <= ArrayGroupLimit ? Layout::Array : Layout::Ring;
    Members members{values, size, 0, 0, {}, RingBudget(size), layout, {}};
    if (layout == Layout::Ring)
        StartRing(members.ring, values, size);
    ReplayGroup(members, lists, passes);
    if (members.layout == Layout::Ring)
        ReadRing(members.ring, values + members.settledLeft);
    else if (members.layout == Layout::Tree)
        ReadRotationTree(members.tree, values);
}
