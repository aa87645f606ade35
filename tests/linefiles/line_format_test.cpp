#include "linefiles/line_format.h"
#include "test_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The non-empty lines that SplitLines finds in bytes, as texts.
Texts SplitToTexts(const std::string& bytes) {
    LineArray lines;
    lines.text.assign(bytes.begin(), bytes.end());
    SplitLines(lines.text.data(), lines.text.size(), lines.lines);
    return LineTexts(lines);
}

struct SplitCase {
    const char* name;
    std::string bytes;
    Texts expected;
    const char* reason;
};

const std::string kLongLine(1000, 'x');

const SplitCase kSplitCases[] = {
    {"EmptyInput", "", {}, "no bytes hold no line"},
    {"CrLf", "a\r\nb\r\n", {"a", "b"}, "CR LF ends a line and opens no line after the last one"},
    {"LastLineWithoutEnd", "a\r\nb", {"a", "b"}, "the end of the data ends the last line"},
    {"LoneCr", "a\rb", {"a", "b"}, "a CR that no LF follows ends its line by itself"},
    {"CrCrLf", "a\r\r\nb", {"a", "b"}, "CR then CR LF is an empty line between a and b, which is skipped"},
    {"LoneLf", "a\nb\n", {"a\nb\n"}, "a LF not behind a CR is an ordinary byte of the line"},
    {"LfCr", "a\n\rb", {"a\n", "b"}, "LF CR is a LF in the line, then a lone CR"},
    {"EmptyLinesSkipped", "\r\na\r\n\r\n\r\nb\r\n\r\n", {"a", "b"}, "empty lines are never kept"},
    {"OnlyEmptyLines", "\r\n\r\r\n", {}, "a file of line ends holds no line"},
    {"Blanks", "  \r\n\t\r\n", {"  ", "\t"}, "blanks and tabs make a line non-empty"},
    {"EndOfInputMark",
     "a\r\nb\x1A"
     "c\r\nd",
     {"a", "b"},
     "0x1A ends its line and the input"},
    {"EndOfInputFirst",
     "\x1A"
     "a\r\n",
     {},
     "input that starts with 0x1A is empty"},
    {"EndOfInputAfterCr", "a\r\x1A\nb", {"a"}, "0x1A ends the input even between CR and LF"},
    {"NulBytes",
     std::string("a\0b\r\n\0\r\n", 8),
     {std::string("a\0b", 3), std::string("\0", 1)},
     "NUL bytes are kept and counted"},
    {"HighBytes", "\xF3\xFF\x80\r\n", {"\xF3\xFF\x80"}, "no encoding is interpreted"},
    {"LongLine", kLongLine + "\r\n" + kLongLine, {kLongLine, kLongLine}, "a line has no length limit"},
};

class SplitLinesTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTest, FindsTheNonEmptyLines) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(SplitToTexts(c.bytes), c.expected) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Format, SplitLinesTest, testing::ValuesIn(kSplitCases),
                         [](const testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

TEST(SplitLines, ReplacesEarlierSpansAndAllocatesExactly) {
    std::vector<LineSpan> spans(5, LineSpan{9, 9});
    const std::string bytes = "a\r\nbb\r\n\r\nccc";
    SplitLines(bytes.data(), bytes.size(), spans);
    ASSERT_EQ(spans.size(), 3u);
    EXPECT_EQ(spans.capacity(), 3u) << "the span vector is sized once for the lines found";
    EXPECT_EQ(spans[1].offset, 3u);
    EXPECT_EQ(spans[1].length, 2u);
    EXPECT_EQ(spans[2].offset, 9u);
    EXPECT_EQ(spans[2].length, 3u);
}

TEST(SplitLines, LargeInputKeepsEveryLineInOrder) {
    // About 35 MB of lines of varying length, the size the reader is built for.
    std::string bytes;
    const size_t lineCount = 1'000'000;
    for (size_t i = 0; i < lineCount; ++i)
        bytes.append(1 + i % 60, static_cast<char>('a' + i % 26)).append("\r\n");
    std::vector<LineSpan> spans;
    SplitLines(bytes.data(), bytes.size(), spans);
    ASSERT_EQ(spans.size(), lineCount);
    size_t firstWrong = lineCount;
    uint32_t expectedOffset = 0;
    for (size_t i = 0; i < lineCount && firstWrong == lineCount; ++i) {
        if (spans[i].offset != expectedOffset || spans[i].length != 1 + i % 60)
            firstWrong = i;
        expectedOffset += static_cast<uint32_t>(1 + i % 60 + 2);
    }
    EXPECT_EQ(firstWrong, lineCount) << "the first line with a wrong span";
}

struct InputLengthCase {
    const char* name;
    std::string bytes;
    size_t expected;
    const char* reason;
};

const InputLengthCase kInputLengthCases[] = {
    {"NoMark", "ab\r\n", 4, "without 0x1A all bytes are input"},
    {"MarkInside",
     "ab\x1A"
     "cd",
     2, "the input stops in front of 0x1A"},
    {"FirstOfTwoMarks",
     "\x1A"
     "a\x1A",
     0, "the first 0x1A counts"},
    {"Empty", "", 0, "no bytes, no input"},
};

class InputLengthTest : public testing::TestWithParam<InputLengthCase> {};

TEST_P(InputLengthTest, StopsAtTheFirstEndMark) {
    const InputLengthCase& c = GetParam();
    EXPECT_EQ(InputLength(c.bytes.data(), c.bytes.size()), c.expected) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Format, InputLengthTest, testing::ValuesIn(kInputLengthCases),
                         [](const testing::TestParamInfo<InputLengthCase>& info) { return info.param.name; });

struct CompleteLinesCase {
    const char* name;
    std::string bytes;
    size_t expected;
    const char* reason;
};

const CompleteLinesCase kCompleteLinesCases[] = {
    {"EndsWithCr", "a\r\nb\r", 5, "every line is complete"},
    {"UnendedTail", "a\r\nbc", 2, "the tail after the last CR was cut short"},
    {"LfAfterLastCr", "a\r\n", 2, "a LF behind the last CR opens a line that may be cut short"},
    {"NoCr", "abc", 0, "no line was read completely"},
};

class CompleteLinesTest : public testing::TestWithParam<CompleteLinesCase> {};

TEST_P(CompleteLinesTest, EndsBehindTheLastCr) {
    const CompleteLinesCase& c = GetParam();
    EXPECT_EQ(CompleteLinesLength(c.bytes.data(), c.bytes.size()), c.expected) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Format, CompleteLinesTest, testing::ValuesIn(kCompleteLinesCases),
                         [](const testing::TestParamInfo<CompleteLinesCase>& info) {
                             return info.param.name;
                         });

} // namespace
