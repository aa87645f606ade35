#include "job/dialog_placement.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PlacementCase {
    const char* name;
    bool haveOwner;
    RECT owner;
    SIZE dialog;
    RECT workArea;
    POINT corner;
    const char* reason;
};

const PlacementCase PlacementCases[] = {
    {"BelowOwner",
     true,
     {100, 50, 400, 300},
     {500, 400},
     {0, 0, 1024, 738},
     {130, 80},
     "30 pixels right of and below the owner's corner"},
    {"OwnerOnLeftScreen",
     true,
     {-500, -20, -100, 300},
     {500, 400},
     {0, 0, 1024, 738},
     {-470, 10},
     "screen coordinates may be negative"},
    {"NoOwner",
     false,
     {},
     {400, 300},
     {0, 0, 1024, 738},
     {312, 219},
     "centred at half the work area's right and bottom"},
    {"NoOwnerShiftedArea",
     false,
     {},
     {400, 300},
     {200, 0, 1224, 738},
     {412, 219},
     "the centre is half the right coordinate, not the middle of the area"},
};

class DialogPlacementTest : public testing::TestWithParam<PlacementCase> {};

TEST_P(DialogPlacementTest, GivesTheTopLeftCorner) {
    const PlacementCase& c = GetParam();
    const POINT corner = DialogPlacement(c.haveOwner ? &c.owner : nullptr, c.dialog, c.workArea);
    EXPECT_EQ(corner.x, c.corner.x) << c.reason;
    EXPECT_EQ(corner.y, c.corner.y) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Cases, DialogPlacementTest, testing::ValuesIn(PlacementCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
