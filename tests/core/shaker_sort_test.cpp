#include "app/pump_hook.h"
#include "app/settings.h"
#include "ordering/compare.h"
#include "ordering/shaker_sort.h"
#include "reference_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {
int PumpCalls = 0;
void CountPump() {
    ++PumpCalls;
}

// Sorts the lines with the engine under the given order and answers the input indices in their
// sorted order. The text keeps a separator byte between lines so that every span's offset
// names its line, empty lines included.
std::vector<size_t> EngineOrder(const std::vector<std::string>& lines, int16_t sortOrder) {
    std::string text;
    std::vector<LineSpan> spans;
    std::vector<uint32_t> offsets;
    for (const std::string& line : lines) {
        offsets.push_back(static_cast<uint32_t>(text.size()));
        spans.push_back({offsets.back(), static_cast<uint32_t>(line.size())});
        text += line + '\r';
    }
    SortOrder = sortOrder;
    ShakerSort(text.data(), spans.data(), spans.size());
    std::vector<size_t> order;
    for (const LineSpan& span : spans) {
        const size_t index = std::lower_bound(offsets.begin(), offsets.end(), span.offset) - offsets.begin();
        EXPECT_EQ(span.length, lines[index].size());
        order.push_back(index);
    }
    return order;
}

std::vector<size_t> ReferenceOrder(const std::vector<std::string>& lines, int16_t sortOrder,
                                   ReferenceSortCounts* counts = nullptr) {
    std::vector<size_t> order(lines.size());
    std::iota(order.begin(), order.end(), 0);
    const ReferenceSortCounts c = ReferenceShakerSort(lines, sortOrder, order);
    if (counts)
        *counts = c;
    return order;
}

std::vector<std::string> Lines(std::initializer_list<const char*> texts) {
    return std::vector<std::string>(texts.begin(), texts.end());
}

struct WorkedCase {
    const char* name;
    std::vector<std::string> lines;
    int16_t sortOrder;
    std::vector<size_t> expected; // input indices in output order
    int64_t comparisons, repetitions;
    const char* reason;
};

const std::vector<std::string> SevenEqual = {"a", "A", "a\t", "A", "a", std::string("a\0", 2), "a~"};

const WorkedCase WorkedCases[] = {
    {"NoLines", {}, SortAscending, {}, 0, 1, "nothing to compare, one repetition"},
    {"OneLine", Lines({"x"}), SortDescending, {0}, 0, 1, "nothing to compare, one repetition"},
    {"TwoLinesExchanged", Lines({"b", "a"}), SortAscending, {1, 0}, 1, 1, "one comparison, one exchange"},
    {"TwoLinesKept", Lines({"b", "a"}), SortDescending, {0, 1}, 1, 1, "already descending"},
    {"AlreadyAscending",
     Lines({"a", "b", "c", "d"}),
     SortAscending,
     {0, 1, 2, 3},
     3,
     1,
     "one downward pass without exchange"},
    {"ReverseAscending",
     Lines({"e", "d", "c", "b", "a"}),
     SortAscending,
     {4, 3, 2, 1, 0},
     10,
     2,
     "the worked example of five letters"},
    {"ReverseDescending",
     Lines({"a", "b", "c", "d", "e"}),
     SortDescending,
     {4, 3, 2, 1, 0},
     10,
     2,
     "the same the other way round"},
    {"TiesAscending",
     Lines({"b", "a", "A"}),
     SortAscending,
     {1, 2, 0},
     3,
     1,
     "equal lines keep their input order"},
    {"TiesDescending",
     Lines({"b", "a", "A"}),
     SortDescending,
     {0, 2, 1},
     2,
     1,
     "equal neighbours are exchanged once"},
    {"TiesDescendingTwice",
     Lines({"b", "c", "a", "A"}),
     SortDescending,
     {1, 0, 2, 3},
     6,
     2,
     "a and A are exchanged twice and end in input order"},
    {"AllEqualDescending",
     SevenEqual,
     SortDescending,
     {6, 5, 4, 3, 2, 1, 0},
     21,
     3,
     "every comparison exchanges: reverse input order"},
    {"AllEqualAscending", SevenEqual, SortAscending, {0, 1, 2, 3, 4, 5, 6}, 6, 1, "nothing is exchanged"},
    {"OrderZero", Lines({"c", "a", "b"}), 0, {0, 1, 2}, 2, 1, "no answer equals 0: nothing moves"},
    {"OrderThree", Lines({"c", "a", "b"}), 3, {0, 1, 2}, 2, 1, "no answer equals 3: nothing moves"},
};

class WorkedExample : public testing::TestWithParam<WorkedCase> {};

TEST_P(WorkedExample, MatchesThePasses) {
    const WorkedCase& c = GetParam();
    ReferenceSortCounts counts;
    EXPECT_EQ(ReferenceOrder(c.lines, c.sortOrder, &counts), c.expected) << c.reason;
    EXPECT_EQ(counts.comparisons, c.comparisons) << c.reason;
    EXPECT_EQ(counts.repetitions, c.repetitions) << c.reason;
    EXPECT_EQ(EngineOrder(c.lines, c.sortOrder), c.expected) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(ShakerSort, WorkedExample, testing::ValuesIn(WorkedCases),
                         [](const testing::TestParamInfo<WorkedCase>& info) {
                             return std::string(info.param.name);
                         });

// A line whose key is made of `keyLength` letters drawn from the first `letters` of "abc", each
// written in either case and with either accent-free form, plus bytes that keep its key:
// zero-ranked bytes at the end, and sometimes a trailing blank (which changes the key).
std::string TieRichLine(std::mt19937& random, int letters, int maxKeyLength) {
    static const char* const Forms[] = {"aA", "bB", "\xE1\xC1"};
    static const char ZeroRanked[] = {'\t', '\0', '~', '\x01'};
    std::string line;
    const int keyLength = static_cast<int>(random() % (maxKeyLength + 1));
    for (int i = 0; i < keyLength; ++i) {
        if (random() % 8 == 0)
            line += ZeroRanked[random() % sizeof ZeroRanked];
        line += Forms[random() % letters][random() % 2];
    }
    const int tail = static_cast<int>(random() % 4);
    for (int i = 0; i < tail; ++i)
        line += ZeroRanked[random() % sizeof ZeroRanked];
    if (random() % 10 == 0)
        line += ' ';
    return line;
}

void ExpectSameOrder(const std::vector<std::string>& lines, int16_t sortOrder, const std::string& what) {
    ASSERT_EQ(EngineOrder(lines, sortOrder), ReferenceOrder(lines, sortOrder))
        << what << ", order " << sortOrder << ", " << lines.size() << " lines";
}

const int16_t AllOrders[] = {SortDescending, SortAscending, 0};

TEST(ShakerSort, MatchesThePassesOnSmallRandomInputs) {
    std::mt19937 random(2024);
    for (int trial = 0; trial < 3000; ++trial) {
        const int letters = 1 + trial % 3;
        const int maxKeyLength = 1 + (trial / 3) % 3;
        std::vector<std::string> lines(random() % 40);
        for (std::string& line : lines)
            line = TieRichLine(random, letters, maxKeyLength);
        for (int16_t order : AllOrders)
            ExpectSameOrder(lines, order, "trial " + std::to_string(trial));
    }
}

TEST(ShakerSort, MatchesThePassesOnLargeRandomInputs) {
    std::mt19937 random(99);
    const size_t sizes[] = {600, 2500};
    for (size_t size : sizes) {
        std::vector<std::string> lines(size);
        for (std::string& line : lines)
            line = TieRichLine(random, 3, 3);
        ExpectSameOrder(lines, SortDescending, "random");
        ExpectSameOrder(lines, SortAscending, "random");
    }
}

// Lines of n keys in a given arrangement, each key written in a random form of equal rank.
std::vector<std::string> Shape(const std::vector<int>& keys, std::mt19937& random) {
    std::vector<std::string> lines;
    for (int key : keys) {
        std::string line;
        for (int digit = key;; digit /= 2) {
            line += (digit % 2 ? "bB" : "aA")[random() % 2];
            if (digit < 2)
                break;
        }
        if (random() % 3 == 0)
            line += '\t';
        lines.push_back(line);
    }
    return lines;
}

struct ShapeCase {
    const char* name;
    int (*key)(int i, int n);
    const char* reason;
};

const ShapeCase ShapeCases[] = {
    {"Sorted", [](int i, int) { return i / 3; }, "ascending runs of equal keys"},
    {"Reverse", [](int i, int n) { return (n - i) / 3; }, "descending runs of equal keys"},
    {"AllEqual", [](int, int) { return 5; }, "one group of every line"},
    {"OrganPipe", [](int i, int n) { return std::min(i, n - 1 - i) / 4; }, "rising then falling"},
    {"Sawtooth", [](int i, int) { return i % 17; }, "repeated rising runs"},
    {"Interleaved", [](int i, int) { return i % 2 ? 40 : i % 7; }, "one big group mixed with small ones"},
    {"TwoKeys", [](int i, int) { return (i * 7919) % 13 < 6 ? 1 : 0; }, "two large groups shuffled"},
};

class ShapeTest : public testing::TestWithParam<ShapeCase> {};

TEST_P(ShapeTest, MatchesThePasses) {
    const ShapeCase& c = GetParam();
    std::mt19937 random(5);
    for (int n : {2, 3, 9, 64, 257, 1000}) {
        std::vector<int> keys;
        for (int i = 0; i < n; ++i)
            keys.push_back(c.key(i, n));
        const std::vector<std::string> lines = Shape(keys, random);
        for (int16_t order : AllOrders)
            ExpectSameOrder(lines, order, std::string(c.name) + ": " + c.reason);
    }
}

INSTANTIATE_TEST_SUITE_P(ShakerSort, ShapeTest, testing::ValuesIn(ShapeCases),
                         [](const testing::TestParamInfo<ShapeCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ShakerSort, MatchesThePassesWithGroupsTooLargeForArrays) {
    // Groups of more than a thousand lines are reordered in a tree rather than an array.
    std::mt19937 random(11);
    for (const ShapeCase& c : {ShapeCases[2], ShapeCases[6]}) {
        std::vector<int> keys;
        for (int i = 0; i < 2600; ++i)
            keys.push_back(c.key(i, 2600));
        ExpectSameOrder(Shape(keys, random), SortDescending, std::string(c.name) + ": " + c.reason);
    }
}

TEST(ShakerSort, OrdersLongLinesByTheirWholeKey) {
    // Lines far beyond 32767 bytes that differ only near their ends, with distinct keys.
    const std::string prefix(40000, 'x');
    const std::vector<std::string> lines = {prefix + "c", prefix + "a",  prefix + " ",  prefix + "B",
                                            prefix,       prefix + "aa", prefix + "\tz"};
    std::vector<size_t> expected(lines.size());
    std::iota(expected.begin(), expected.end(), 0);
    std::stable_sort(expected.begin(), expected.end(),
                     [&](size_t a, size_t b) { return CompareLines(lines[b], lines[a]) == LineSortsAfter; });
    EXPECT_EQ(EngineOrder(lines, SortAscending), expected);
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(EngineOrder(lines, SortDescending), expected);
}

TEST(ShakerSort, TellsLongLinesWithLongZeroRankedTailsApart) {
    // Keys that only differ after long runs of zero-ranked bytes, some at the lines' ends.
    const std::string run(300, '\t');
    const std::vector<std::string> lines = {"a" + run + "b" + run, "a" + run, "a" + run + "a", "a",
                                            "a" + run + run};
    EXPECT_EQ(EngineOrder(lines, SortAscending), (std::vector<size_t>{1, 3, 4, 2, 0}));
    EXPECT_EQ(EngineOrder(lines, SortDescending), ReferenceOrder(lines, SortDescending));
}

struct PumpCase {
    const char* name;
    size_t lines;
    int16_t sortOrder;
};

const PumpCase PumpCases[] = {
    {"NoLinesAscending", 0, SortAscending},
    {"OneLineDescending", 1, SortDescending},
    {"ManyLinesUnsorted", 50, 0},
    {"ManyLinesAscending", 50, SortAscending},
    {"ManyLinesDescending", 50, SortDescending},
};

class PumpTest : public testing::TestWithParam<PumpCase> {};

TEST_P(PumpTest, LetsTheWindowRunAtLeastOnce) {
    const PumpCase& c = GetParam();
    std::vector<std::string> lines(c.lines, "a");
    PumpCalls = 0;
    PumpHook = CountPump;
    EngineOrder(lines, c.sortOrder);
    PumpHook = nullptr;
    EXPECT_GE(PumpCalls, 1);
}

INSTANTIATE_TEST_SUITE_P(ShakerSort, PumpTest, testing::ValuesIn(PumpCases),
                         [](const testing::TestParamInfo<PumpCase>& info) {
                             return std::string(info.param.name);
                         });

void SwitchToDescending() {
    SortOrder = SortDescending;
}

TEST(ShakerSort, ReadsTheOrderOnceAtTheStart) {
    // A settings change made while the sort runs does not mix two orders into one result.
    const std::vector<std::string> lines = Lines({"c", "a", "b", "A"});
    PumpHook = SwitchToDescending;
    const std::vector<size_t> order = EngineOrder(lines, SortAscending);
    PumpHook = nullptr;
    EXPECT_EQ(order, (std::vector<size_t>{1, 3, 2, 0}));
}
} // namespace
