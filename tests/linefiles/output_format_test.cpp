#include "linefiles/line_format.h"
#include "linefiles/output_format.h"
#include "test_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The whole output of lines, gathered through a buffer of the given capacity.
std::string FormatAll(const LineArray& lines, size_t capacity) {
    std::vector<char> buffer(capacity);
    OutputCursor cursor;
    std::string output;
    for (size_t filled; (filled = FillOutputChunk(lines, cursor, buffer.data(), capacity)) > 0;)
        output.append(buffer.data(), filled);
    return output;
}

struct OutputCase {
    const char* name;
    Texts lines;
    std::string expected;
    const char* reason;
};

const OutputCase kOutputCases[] = {
    {"NoLines", {}, "", "nothing to write"},
    {"EmptyLineBetween", {"a", "", "bb"}, "a\r\n\r\nbb\r\n", "an empty line is CR LF alone"},
    {"LfInLine", {"a\nb"}, "a\nb\r\n", "a LF inside a line is written unchanged"},
    {"NulInLine", {std::string("a\0b", 3)}, std::string("a\0b\r\n", 5), "NUL bytes are written"},
    {"HighBytes", {"\xF3n"}, "\xF3n\r\n", "no conversion of any byte"},
};

// Capacities that split lines and line ends at every possible place, and one that holds all.
const size_t kCapacities[] = {1, 2, 3, 5, 1 << 16};

class OutputFormatTest : public testing::TestWithParam<OutputCase> {};

TEST_P(OutputFormatTest, SameBytesForEveryBufferSize) {
    const OutputCase& c = GetParam();
    const LineArray lines = MakeLines(c.lines);
    for (size_t capacity : kCapacities)
        EXPECT_EQ(FormatAll(lines, capacity), c.expected) << c.reason << " (capacity " << capacity << ")";
}

INSTANTIATE_TEST_SUITE_P(Format, OutputFormatTest, testing::ValuesIn(kOutputCases),
                         [](const testing::TestParamInfo<OutputCase>& info) { return info.param.name; });

TEST(OutputFormat, WrittenLinesReadBackUnchanged) {
    const Texts texts = {"z", "a\nb", std::string("\0\0", 2), "  ", std::string(1000, 'q')};
    const std::string output = FormatAll(MakeLines(texts), 7);
    std::vector<LineSpan> spans;
    SplitLines(output.data(), output.size(), spans);
    ASSERT_EQ(spans.size(), texts.size());
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(output.substr(spans[i].offset, spans[i].length), texts[i]) << "line " << i;
}

} // namespace
