// Files in each encoding through the real reader and writer: the reader must find the end of
// the input and the lines in the file's own code units, also across its read chunks.
#include "app/settings.h"
#include "encoded_texts.h"
#include "job/sort_engine.h"
#include "linefiles/file_chunk.h"
#include "linefiles/line_reader.h"
#include "linefiles/output_writer.h"
#include "temp_folder.h"
#include "test_lines.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Units that fill the first read chunk up to byte `bytes` of a UTF-16 file with its mark;
// each holds a 0x1A byte, none is U+001A.
std::u32string FillerUpTo(size_t bytes) {
    return std::u32string((bytes - 2) / 2, U'\u1A1A');
}

struct EncodedLoadCase {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
    Texts expected;
    const char* reason;
};

const std::u32string kFiller = FillerUpTo(kFileChunkBytes - 2);

const EncodedLoadCase kEncodedLoadCases[] = {
    {"Utf8Mark",
     kUtf8Mark + Utf8Of(U"\u00F1u\r\na"),
     TextEncoding::Utf8,
     {Utf8Of(U"\u00F1u"), "a"},
     "the mark is kept apart from the first line"},
    {"Utf16ReadsPast1ABytes",
     kUtf16LeMark + Utf16Of(kFiller + U"\r\n\u011A\r\nb\r\n", false),
     TextEncoding::Utf16Le,
     {Utf16Of(kFiller, false), Utf16Of(U"\u011A", false), Utf16Of(U"b", false)},
     "0x1A bytes inside units in the first chunk do not stop the reading"},
    {"Utf16CrLfAcrossChunks",
     kUtf16BeMark + Utf16Of(kFiller + U"\r\na", true),
     TextEncoding::Utf16Be,
     {Utf16Of(kFiller, true), Utf16Of(U"a", true)},
     "CR as the last unit of a chunk, LF as the first of the next"},
    {"Utf16EndUnitInSecondChunk",
     kUtf16LeMark + Utf16Of(kFiller + U"\r\na\x1A"
                                      U"b",
                            false),
     TextEncoding::Utf16Le,
     {Utf16Of(kFiller, false), Utf16Of(U"a", false)},
     "U+001A ends the input"},
};

class EncodedLoadTest : public TempFolderTest, public testing::WithParamInterface<EncodedLoadCase> {};

TEST_P(EncodedLoadTest, LoadsTheLinesInTheFileEncoding) {
    const EncodedLoadCase& c = GetParam();
    ASSERT_TRUE(WriteFileBytes(PathOf("in.txt"), c.bytes));
    LineArray lines;
    EXPECT_EQ(LoadLines(PathOf("in.txt").c_str(), lines), LoadResult::Loaded);
    EXPECT_EQ(lines.encoding, c.encoding) << c.reason;
    EXPECT_EQ(LineTexts(lines), c.expected) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Reader, EncodedLoadTest, testing::ValuesIn(kEncodedLoadCases),
                         [](const testing::TestParamInfo<EncodedLoadCase>& info) { return info.param.name; });

struct RoundTripCase {
    const char* name;
    std::string input;
    int16_t order;
    std::string output;
    const char* reason;
};

const RoundTripCase kRoundTripCases[] = {
    {"Utf8MarkAscending", kUtf8Mark + "b\r\na", SortAscending, kUtf8Mark + "a\r\nb\r\n",
     "the mark stays first and is not sorted with the first line"},
    {"Utf8Descending", Utf8Of(U"\u00F1and\u00FA\r\noso\nx\r\nnube"), SortDescending,
     Utf8Of(U"oso\nx\r\n\u00F1and\u00FA\r\nnube\r\n"), "n with tilde between n and o; bytes unchanged"},
    {"Utf16Le", kUtf16LeMark + Utf16Of(U"\u00D1u\rbeta\r\nalfa", false), SortAscending,
     kUtf16LeMark + Utf16Of(U"alfa\r\nbeta\r\n\u00D1u\r\n", false), "written back as UTF-16 with its mark"},
    {"Utf16Be", kUtf16BeMark + Utf16Of(U"\u20AC\r\n\u00AA", true), SortAscending,
     kUtf16BeMark + Utf16Of(U"\u00AA\r\n\u20AC\r\n", true), "feminine ordinal before the euro sign"},
};

class EncodedRoundTripTest : public TempFolderTest, public testing::WithParamInterface<RoundTripCase> {
  protected:
    void TearDown() override {
        SortOrder = SortAscending;
        TempFolderTest::TearDown();
    }
};

TEST_P(EncodedRoundTripTest, SortedAndWrittenInTheSameEncoding) {
    const RoundTripCase& c = GetParam();
    SortOrder = c.order;
    ASSERT_TRUE(WriteFileBytes(PathOf("in.txt"), c.input));
    LineArray lines;
    ASSERT_EQ(LoadLines(PathOf("in.txt").c_str(), lines), LoadResult::Loaded);
    SortLineArray(lines);
    ASSERT_EQ(AppendLines(PathOf("out.txt").c_str(), lines), WriteResult::Written);
    EXPECT_EQ(ReadFileBytes(PathOf("out.txt")), c.output) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Reader, EncodedRoundTripTest, testing::ValuesIn(kRoundTripCases),
                         [](const testing::TestParamInfo<RoundTripCase>& info) { return info.param.name; });

} // namespace
