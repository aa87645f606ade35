#include "ordering/rotation_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace {
struct RotationCase {
    const char* name;
    uint32_t size;
    uint32_t maxWindow; // 0: any window
    const char* reason;
};

const RotationCase RotationCases[] = {
    {"Single", 1, 0, "a lone value stays put"},
    {"Small", 7, 0, "every window of a short sequence"},
    {"LargeAnyWindow", 5000, 0, "windows anywhere, of any size"},
    {"LargeNarrowWindows", 5000, 3, "rotations by one of tiny windows, as late passes make"},
};

class RotationTest : public testing::TestWithParam<RotationCase> {};

TEST_P(RotationTest, RotatesLikeAnArray) {
    const RotationCase& c = GetParam();
    std::vector<uint32_t> expected(c.size);
    std::iota(expected.begin(), expected.end(), 100);
    RotationTree tree;
    BuildRotationTree(tree, expected.data(), c.size);
    std::mt19937 random(c.size);
    for (int step = 0; step < 3000; ++step) {
        const uint32_t first = random() % c.size;
        const uint32_t room = c.size - first;
        const uint32_t width = 1 + random() % (c.maxWindow ? std::min(c.maxWindow, room) : room);
        const uint32_t middle = first + random() % width;
        std::rotate(expected.begin() + first, expected.begin() + middle, expected.begin() + first + width);
        RotateWindow(tree, first, middle, first + width);
    }
    std::vector<uint32_t> actual(c.size);
    ReadRotationTree(tree, actual.data());
    EXPECT_EQ(actual, expected) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(RotationTree, RotationTest, testing::ValuesIn(RotationCases),
                         [](const testing::TestParamInfo<RotationCase>& info) {
                             return std::string(info.param.name);
                         });
} // namespace
