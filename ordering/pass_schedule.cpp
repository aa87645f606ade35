#include "ordering/pass_schedule.h"

PassReplay StartPassReplay(const uint32_t* groupStart, const uint32_t* sortedFrom, uint32_t count,
                           uint32_t groups) {
    return PassReplay{groupStart, sortedFrom, count, groups, 2, count, count, 0, groups - 1, 0, false};
}

// Slot of the last line of group v in the descending arrangement (1-based); 0 for v = groups.
static int64_t LastSlot(const PassReplay& replay, uint32_t v) {
    return static_cast<int64_t>(replay.count) - replay.groupStart[v];
}

// True when slot x ends its group and the threshold of that group is sorted by the current pass,
// so a downward pass leaves the line there.
static bool SettledFromLeft(PassReplay& replay, int64_t x) {
    while (LastSlot(replay, replay.leftGroup) < x)
        --replay.leftGroup;
    return x == LastSlot(replay, replay.leftGroup) && replay.sortedFrom[replay.leftGroup] <= replay.pass;
}

// True when slot x starts its group and the threshold just above that group is sorted by the
// current pass, so an upward pass leaves the line there.
static bool SettledFromRight(PassReplay& replay, int64_t x) {
    while (LastSlot(replay, replay.rightGroup + 1) >= x)
        ++replay.rightGroup;
    const uint32_t above = replay.rightGroup + 1;
    return x == LastSlot(replay, above) + 1 && replay.sortedFrom[above] <= replay.pass;
}

// A downward pass moves the line of the first unsettled slot down to the left bound: the last
// exchange happens just past the settled prefix.
static void DownwardPass(PassReplay& replay, int64_t low, int64_t high) {
    int64_t settled = 0;
    while (low + settled < high && SettledFromLeft(replay, low + settled))
        ++settled;
    if (settled < high - low)
        replay.lastExchange = low + settled + 1;
    replay.left = replay.lastExchange + 1;
}

static void UpwardPass(PassReplay& replay, int64_t low, int64_t high) {
    int64_t settled = 0;
    while (high - settled > low && SettledFromRight(replay, high - settled))
        ++settled;
    if (settled < high - low)
        replay.lastExchange = high - settled;
    replay.right = replay.lastExchange - 1;
}

bool NextPass(PassReplay& replay, PassBounds& bounds) {
    if (replay.done)
        return false;
    bounds = PassBounds{replay.pass, replay.left - 1, replay.right};
    if (replay.pass % 2 == 0) {
        DownwardPass(replay, bounds.left, bounds.right);
    } else {
        UpwardPass(replay, bounds.left, bounds.right);
        replay.done = replay.left > replay.right;
    }
    ++replay.pass;
    return true;
}
