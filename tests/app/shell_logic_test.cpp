#include "app/font_height.h"
#include "app/order_choice.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

struct FontHeightCase {
    const char* name;
    int points;
    int dotsPerInch;
    int expectedHeight;
    const char* reason;
};

const FontHeightCase FontHeightCases[] = {
    {"normal_screen", 10, 96, -13, "13.33 pixels round down on the usual screen"},
    {"large_screen", 10, 120, -17, "16.67 pixels round up"},
    {"exact_screen", 10, 144, -20, "a whole number of pixels stays as it is"},
    {"half_to_even_down", 1, 180, -2, "2.5 pixels go to the even 2, not away from zero"},
    {"half_to_even_up", 1, 108, -2, "1.5 pixels go to the even 2"},
    {"dialog_font", 8, 96, -11, "10.67 pixels of the 8-point dialog font round up"},
};

TEST(FontHeightForPoints, RoundsToNearestPixelWithHalvesToEven) {
    for (const FontHeightCase& c : FontHeightCases)
        EXPECT_EQ(FontHeightForPoints(c.points, c.dotsPerInch), c.expectedHeight)
            << c.name << ": " << c.reason;
}

struct OrderItemCase {
    const char* name;
    std::string_view itemText;
    int16_t expectedOrder;
    const char* reason;
};

const OrderItemCase OrderItemCases[] = {
    {"descending_item", "01 De Mayor a Menor", 1, "the first item stands for descending"},
    {"ascending_item", "02 De Menor a Mayor", 2, "the second item stands for ascending"},
    {"no_selection", "", 0, "no selected item leaves an order that exchanges nothing"},
    {"leading_blank", " 2 x", 2, "blanks before the number are skipped"},
    {"only_two_characters", "123 x", 12, "only the first two characters are read"},
    {"text_without_number", "De Mayor", 0, "a text that spells no number gives 0"},
    {"single_character", "1", 1, "a text shorter than two characters is read whole"},
};

TEST(SortOrderFromItemText, ReadsTheNumberOfTheFirstTwoCharacters) {
    for (const OrderItemCase& c : OrderItemCases)
        EXPECT_EQ(SortOrderFromItemText(c.itemText), c.expectedOrder) << c.name << ": " << c.reason;
}

} // namespace
