#include "ordering/collation.h"
#include "reference_order.h"

#include <gtest/gtest.h>

#include <string>

namespace {
struct RankCase {
    const char* name;
    std::string text;
    int rank;
    const char* reason;
};

const RankCase RankCases[] = {
    {"LowerA", "a", 48, "the first letter follows the blank"},
    {"UpperA", "A", 48, "upper case ranks as its lower-case form"},
    {"LowerEnye", "\xF1", 72, "the accented letter follows its base letter n (71)"},
    {"UpperEnye", "\xD1", 72, "0xD1 lower-cases to 0xF1"},
    {"LowerCedilla", "\xE7", 54, "c cedilla follows c"},
    {"UpperCedilla", "\xC7", 54, "0xC7 lower-cases to 0xE7"},
    {"UpperEAcute", "\xC9", 57, "ranks like e acute"},
    {"Blank", " ", 47, "above every digit and symbol, below every letter"},
    {"DigitZero", "0", 37, "digits follow the symbols"},
    {"DigitNine", "9", 46, "the last digit"},
    {"FeminineOrdinal", "\xAA", 1, "the first table entry"},
    {"LastLetter", "z", 91, "the last table entry"},
    {"UpperZ", "Z", 91, "upper case ranks as its lower-case form"},
    {"Euro", "\x80", 22, "a Windows-1252 symbol of the table"},
    {"MiddleDot", "\xB7", 8, "a Windows-1252 symbol of the table"},
    {"SharpS", "\xDF", 81, "not changed by lower-casing, follows s"},
    {"Tab", "\t", 0, "control bytes are not in the table"},
    {"Tilde", "~", 0, "not in the table"},
    {"ACircumflex", "\xE2", 0, "not every accented letter is in the table"},
    {"YDiaeresis", "\xFF", 0, "not in the table"},
    {"UpperYDiaeresis", "\x9F", 0, "lower-cases to 0xFF, which is not in the table"},
    {"UpperSCaron", "\x8A", 0, "lower-cases to 0x9A, which is not in the table"},
    {"Multiplication", "\xD7", 0, "0xD7 is not lower-cased and not in the table"},
    {"Empty", "", 0, "no character at all"},
    {"NulByte", std::string(1, '\0'), 0, "a NUL byte reads as an empty text"},
    {"TwoLetters", "ab", 0, "a text of two bytes matches no one-byte entry"},
};

class RankTest : public testing::TestWithParam<RankCase> {};

TEST_P(RankTest, MatchesTheTable) {
    const RankCase& c = GetParam();
    EXPECT_EQ(ReferenceCharRank(c.text), c.rank) << c.reason;
    if (c.text.size() == 1) {
        EXPECT_EQ(CharRank(static_cast<unsigned char>(c.text[0])), c.rank) << c.reason;
    }
}

INSTANTIATE_TEST_SUITE_P(Collation, RankTest, testing::ValuesIn(RankCases),
                         [](const testing::TestParamInfo<RankCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(Collation, EveryByteRanksAsTheTableScanSays) {
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(CharRank(static_cast<unsigned char>(b)),
                  ReferenceCharRank(std::string(1, static_cast<char>(b))))
            << "byte " << b;
}

TEST(Collation, EveryRankBelongsToExactlyOneLowerCaseByte) {
    int holders[CollationSize + 1] = {};
    for (int b = 0; b < 256; ++b)
        if (LowerCaseWindows1252(static_cast<unsigned char>(b)) == b)
            ++holders[CharRank(static_cast<unsigned char>(b))];
    for (int rank = 1; rank <= CollationSize; ++rank)
        EXPECT_EQ(holders[rank], 1) << "rank " << rank;
}

TEST(Collation, RanksFollowAnotherLowerCasing) {
    // A code page whose lower-casing maps the byte 'Q' onto the blank and changes nothing else.
    unsigned char lowerCase[256];
    for (int b = 0; b < 256; ++b)
        lowerCase[b] = static_cast<unsigned char>(b);
    lowerCase['Q'] = ' ';
    lowerCase[0] = 'a'; // the NUL byte is never a character, whatever it would lower-case to
    const auto ranks = MakeCharRanks(lowerCase);
    EXPECT_EQ(ranks['Q'], 47);
    EXPECT_EQ(ranks['A'], 0) << "upper case is no longer folded";
    EXPECT_EQ(ranks['a'], 48);
    EXPECT_EQ(ranks[0], 0);
}
} // namespace
