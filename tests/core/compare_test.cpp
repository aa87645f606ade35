#include "ordering/compare.h"
#include "reference_order.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {
struct CompareCase {
    const char* name;
    std::string a, b;
    int aThenB, bThenA; // answers of CompareLines(a, b) and CompareLines(b, a)
    const char* reason;
};

const CompareCase CompareCases[] = {
    {"Identical", "casa", "casa", 1, 1, "equal lines are never after each other"},
    {"CaseOnly", "Casa", "casa", 1, 1, "upper and lower case rank alike"},
    {"AccentedCaseOnly",
     "\xD1"
     "AND\xDA",
     "\xF1"
     "and\xFA",
     1, 1, "accented capitals rank as their lower-case forms"},
    {"TrailingTab", "casa\t", "casa", 1, 1, "a tab ranks 0 like the end of the line"},
    {"TrailingBlank", "casa ", "casa", 2, 1, "the blank ranks 47, the end of the line 0"},
    {"PrefixFirst", "abc", "ab", 2, 1, "a proper prefix sorts first"},
    {"BlankBeforeLetter", "ab", "a b", 2, 1, "the blank (47) ranks below b (52)"},
    {"DigitsAsCharacters", "9", "10", 2, 1, "1 ranks 38, 9 ranks 46"},
    {"BlankAfterDigit", " x", "9x", 2, 1, "a leading blank follows every digit"},
    {"BlankAfterSymbol", " x", "-x", 2, 1, "a leading blank follows every symbol"},
    {"BlankBeforeLetterFirst", "a", " z", 2, 1, "a leading blank precedes every letter"},
    {"TabFirst", "!", "\tz", 2, 1, "a character outside the table precedes every table character"},
    {"ZeroRankInside", "ab", "a~b", 2, 1, "the tilde ranks 0 against b's 52"},
    {"EBeforeEAcute", "\xE9", "e", 2, 1, "e then e acute"},
    {"EAcuteBeforeEGrave", "\xE8", "\xE9", 2, 1, "e acute then e grave"},
    {"EGraveBeforeEDiaeresis", "\xEB", "\xE8", 2, 1, "e grave then e diaeresis"},
    {"EDiaeresisBeforeF", "f", "\xEB", 2, 1, "accented forms stay before the next letter"},
    {"NBeforeEnye", "\xF1", "n", 2, 1, "n then enye"},
    {"EnyeBeforeO", "o", "\xF1", 2, 1, "enye then o"},
    {"EmptyBeforeBlanks", "   ", "", 2, 1, "blanks rank 47, the empty text has no character"},
    {"NulInside", std::string("a\0b", 3), "a", 2, 1, "the NUL byte ranks 0 but the b after it counts"},
    {"OnlyZeroRanks", "\t\x01~", "", 1, 1, "a line of zero ranks equals the empty line"},
    {"LongLinesDifferAtTheEnd", std::string(40000, 'a') + "b", std::string(40000, 'a') + "a", 2, 1,
     "long lines are compared over their whole length"},
    {"VeryLongPrefix", std::string(70000, 'x') + "y", std::string(70000, 'x'), 2, 1,
     "a proper prefix sorts first, whatever the length"},
};

class CompareTest : public testing::TestWithParam<CompareCase> {};

TEST_P(CompareTest, AnswersBothWays) {
    const CompareCase& c = GetParam();
    EXPECT_EQ(CompareLines(c.a, c.b), c.aThenB) << c.reason;
    EXPECT_EQ(CompareLines(c.b, c.a), c.bThenA) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(CompareLines, CompareTest, testing::ValuesIn(CompareCases),
                         [](const testing::TestParamInfo<CompareCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(CompareLines, OldProgramMissedLongLineDifferences) {
    // The old 16-bit position count examined only position 1 of two 40000-byte lines.
    const std::string a = std::string(39999, 'a') + "b";
    const std::string b = std::string(39999, 'a') + "a";
    EXPECT_EQ(ReferenceCompareLines(a, b), 1);
    EXPECT_EQ(CompareLines(a, b), 2);
}

// Random lines over bytes that tell apart case, accents, zero ranks, blanks and the line end.
std::string RandomLine(std::mt19937& random, size_t maxLength) {
    static const char Pieces[] = {'a', 'A', 'b', ' ', '\t', '~', '\0', '\xE1', '\xC1', '\xF1', '0', '-'};
    std::string line(random() % (maxLength + 1), ' ');
    for (char& c : line)
        c = Pieces[random() % sizeof Pieces];
    return line;
}

TEST(CompareLines, AgreesWithTheOldComparisonOnShortLines) {
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        const std::string a = RandomLine(random, 6), b = RandomLine(random, 6);
        ASSERT_EQ(CompareLines(a, b), ReferenceCompareLines(a, b))
            << testing::PrintToString(a) << " vs " << testing::PrintToString(b);
    }
}
} // namespace
