#include "encoded_texts.h"
#include "linefiles/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Utf8Case {
    const char* name;
    std::string bytes;
    Utf8Content expected;
    const char* reason;
};

const Utf8Case kUtf8Cases[] = {
    {"Empty", "", Utf8Content::Ascii, "no bytes are plain ASCII"},
    {"Ascii", "abc\r\n\x1A\x7F", Utf8Content::Ascii, "bytes below 0x80 are one-byte characters"},
    {"TwoBytes", Utf8Of(U"\u00F1and\u00FA"), Utf8Content::Multibyte, "n with tilde takes two bytes"},
    {"ThreeBytes", Utf8Of(U"\u20AC"), Utf8Content::Multibyte, "the euro sign takes three bytes"},
    {"FourBytes", Utf8Of(U"\U0001F600\U0010FFFF"), Utf8Content::Multibyte, "up to U+10FFFF in four bytes"},
    {"Windows1252Text",
     "\xF1"
     "and\xFA",
     Utf8Content::Invalid, "a Windows-1252 letter is a lead byte without its tail"},
    {"LoneContinuation", "a\x80", Utf8Content::Invalid, "a continuation byte cannot start a character"},
    {"OverlongTwo", "\xC0\xAF", Utf8Content::Invalid, "C0 and C1 only start overlong forms"},
    {"OverlongThree", "\xE0\x80\xAF", Utf8Content::Invalid, "a three-byte form of a two-byte character"},
    {"OverlongFour", "\xF0\x8F\xBF\xBF", Utf8Content::Invalid, "a four-byte form of a three-byte character"},
    {"Surrogate", "\xED\xA0\x80", Utf8Content::Invalid, "surrogates are no characters"},
    {"AboveMaximum", "\xF4\x90\x80\x80", Utf8Content::Invalid, "nothing above U+10FFFF"},
    {"TruncatedAtEnd", Utf8Of(U"a\u20AC").substr(0, 3), Utf8Content::Invalid, "a character cut by the end"},
    {"ContinuationMissing", "\xE2\x82z", Utf8Content::Invalid, "the third byte must continue"},
    {"ByteFF", "\xFF", Utf8Content::Invalid, "F5 to FF never occur"},
};

class CheckUtf8Test : public testing::TestWithParam<Utf8Case> {};

TEST_P(CheckUtf8Test, TellsWellFormedFromMalformed) {
    const Utf8Case& c = GetParam();
    EXPECT_EQ(CheckUtf8(c.bytes.data(), c.bytes.size()), c.expected) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Encoding, CheckUtf8Test, testing::ValuesIn(kUtf8Cases),
                         [](const testing::TestParamInfo<Utf8Case>& info) { return info.param.name; });

TEST(NextUtf8Char, DecodesEveryLength) {
    const std::u32string text = U"a\u00F1\u20AC\U0001F600\u07FF\uFFFD";
    const std::string bytes = Utf8Of(text);
    const char* at = bytes.data();
    for (char32_t expected : text)
        EXPECT_EQ(NextUtf8Char(at), static_cast<uint32_t>(expected));
    EXPECT_EQ(at, bytes.data() + bytes.size()) << "every byte consumed";
}

struct EquivalentCase {
    const char* name;
    uint32_t codePoint;
    unsigned char expected;
    const char* reason;
};

const EquivalentCase kEquivalentCases[] = {
    {"Ascii", 'a', 'a', "ASCII is the same in both"},
    {"Nul", 0, 0, "NUL stays NUL"},
    {"Latin1Letter", 0xD1, 0xD1, "N with tilde keeps its Latin-1 byte"},
    {"Latin1Top", 0xFF, 0xFF, "y with diaeresis keeps its Latin-1 byte"},
    {"NoBreakSpace", 0xA0, 0xA0, "the upper half of Latin-1 starts at A0"},
    {"Euro", 0x20AC, 0x80, "the euro sign sits at 0x80"},
    {"LowQuote", 0x201A, 0x82, "first of the punctuation in 0x80 to 0x9F"},
    {"ScaronUpper", 0x0160, 0x8A, "a letter of the 0x80 block"},
    {"YDiaeresisUpper", 0x0178, 0x9F, "last entry of the 0x80 block"},
    {"C1Control", 0x80, kNoWindows1252Equivalent, "U+0080 is a control, not the euro sign"},
    {"C1Unassigned", 0x81, kNoWindows1252Equivalent, "0x81 is unassigned in Windows-1252"},
    {"LatinExtended", 0x0100, kNoWindows1252Equivalent, "A with macron has no byte"},
    {"Snowman", 0x2603, kNoWindows1252Equivalent, "a symbol outside the code page"},
    {"AboveBmp", 0x1F600, kNoWindows1252Equivalent, "no character above U+FFFF has a byte"},
};

class EquivalentTest : public testing::TestWithParam<EquivalentCase> {};

TEST_P(EquivalentTest, MapsToTheWindows1252Byte) {
    const EquivalentCase& c = GetParam();
    EXPECT_EQ(Windows1252Equivalent(c.codePoint), c.expected) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Encoding, EquivalentTest, testing::ValuesIn(kEquivalentCases),
                         [](const testing::TestParamInfo<EquivalentCase>& info) { return info.param.name; });

TEST(Windows1252Equivalent, EveryByteAboveControlsIsReachedOnce) {
    // 0x80 to 0xFF minus the five bytes Windows-1252 leaves unassigned: each is the equivalent
    // of exactly one character of the Basic Multilingual Plane.
    int hits[256] = {};
    for (uint32_t codePoint = 0x80; codePoint <= 0xFFFF; ++codePoint)
        ++hits[Windows1252Equivalent(codePoint)];
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const bool unassigned = byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
        EXPECT_EQ(hits[byte], unassigned ? 0 : 1) << "byte " << byte;
    }
}

} // namespace
