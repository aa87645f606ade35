#include "linefiles/file_chunk.h"
#include "linefiles/line_reader.h"
#include "temp_folder.h"
#include "test_lines.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct LoadCase {
    const char* name;
    std::string bytes;
    Texts expected;
    const char* reason;
};

const LoadCase kLoadCases[] = {
    {"EmptyFile", "", {}, "an empty file loads with no lines"},
    {"CrLfEmptyAndLastLine", "a\r\n\r\nb", {"a", "b"}, "empty lines skipped, a last line without end kept"},
    {"EndOfInputMark",
     "a\r\nb\x1A"
     "c\r\nd",
     {"a", "b"},
     "nothing behind 0x1A is input"},
    {"LfAndNul", std::string("a\nb\0\r\n", 6), {std::string("a\nb\0", 4)}, "LF and NUL stay in the line"},
    {"HighBytes",
     "\xF1"
     "and\xFA\r",
     {"\xF1"
      "and\xFA"},
     "bytes are not converted"},
};

class LoadLinesTest : public TempFolderTest, public testing::WithParamInterface<LoadCase> {};

TEST_P(LoadLinesTest, LoadsTheNonEmptyLines) {
    const LoadCase& c = GetParam();
    ASSERT_TRUE(WriteFileBytes(PathOf("in.txt"), c.bytes));
    LineArray lines;
    EXPECT_EQ(LoadLines(PathOf("in.txt").c_str(), lines), LoadResult::Loaded);
    EXPECT_EQ(LineTexts(lines), c.expected) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Reader, LoadLinesTest, testing::ValuesIn(kLoadCases),
                         [](const testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

// Files larger than one read, laid out so that a mistake at a read's edge shows in the lines.
struct ChunkEdgeCase {
    const char* name;
    std::string bytes;
    Texts expected;
    const char* reason;
};

const std::string kFirstChunkLine(kFileChunkBytes - 1, 'a');
const std::string kChunkOfB(kFileChunkBytes, 'b');

const ChunkEdgeCase kChunkEdgeCases[] = {
    {"CrLfSplitByReads",
     kFirstChunkLine + "\r\nz",
     {kFirstChunkLine, "z"},
     "a CR that ends one read and the LF that starts the next are one line end"},
    {"LineAcrossReads", "x\r\n" + kChunkOfB + "\r\ny", {"x", kChunkOfB, "y"}, "a line runs on across reads"},
    {"EndMarkInLaterRead",
     kChunkOfB + "c\x1A"
                 "d\r\ne",
     {kChunkOfB + "c"},
     "0x1A ends the input in any read"},
    {"SeveralReads",
     kChunkOfB + kChunkOfB + "\r" + kChunkOfB,
     {kChunkOfB + kChunkOfB, kChunkOfB},
     "a file of several reads loads whole"},
};

class LoadAcrossReadsTest : public TempFolderTest, public testing::WithParamInterface<ChunkEdgeCase> {};

TEST_P(LoadAcrossReadsTest, LoadsWholeAndPumpsBetweenReads) {
    const ChunkEdgeCase& c = GetParam();
    ASSERT_TRUE(WriteFileBytes(PathOf("big.txt"), c.bytes));
    CountedPump pump;
    LineArray lines;
    EXPECT_EQ(LoadLines(PathOf("big.txt").c_str(), lines), LoadResult::Loaded);
    EXPECT_TRUE(LineTexts(lines) == c.expected) << c.reason;
    EXPECT_GE(pump.calls(), 1) << "the window is pumped between reads";
}

INSTANTIATE_TEST_SUITE_P(Reader, LoadAcrossReadsTest, testing::ValuesIn(kChunkEdgeCases),
                         [](const testing::TestParamInfo<ChunkEdgeCase>& info) { return info.param.name; });

// Every case runs in a folder holding "a.txt", the folder "sub", "l\xEDneas.txt" (a name
// outside ASCII) and "held.txt", which another handle holds open without sharing.
struct PathCase {
    const char* name;
    const char* pathInFolder;
    LoadResult load;
    bool exists;
    const char* reason;
};

const PathCase kPathCases[] = {
    {"ExistingFile", "a.txt", LoadResult::Loaded, true, "a readable file"},
    {"NonAsciiName", "l\xEDneas.txt", LoadResult::Loaded, true,
     "the ANSI path reaches the file system intact"},
    {"MissingFile", "missing.txt", LoadResult::CannotOpen, false, "nothing of that name"},
    {"Folder", "sub", LoadResult::CannotOpen, true, "a folder exists but holds no lines"},
    {"EmptyPath", "", LoadResult::CannotOpen, false, "an empty path names nothing"},
    {"Asterisk", "*.txt", LoadResult::CannotOpen, false, "a pattern is refused even where files match it"},
    {"QuestionMark", "a.tx?", LoadResult::CannotOpen, false,
     "a pattern is refused even where files match it"},
    {"HeldByAnother", "held.txt", LoadResult::CannotOpen, true,
     "the reader asks for the file without sharing"},
};

class ReaderPathTest : public TempFolderTest, public testing::WithParamInterface<PathCase> {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        ASSERT_TRUE(WriteFileBytes(PathOf("a.txt"), "a\r\n"));
        ASSERT_TRUE(WriteFileBytes(PathOf("l\xEDneas.txt"), "l\r\n"));
        ASSERT_TRUE(WriteFileBytes(PathOf("held.txt"), "h\r\n"));
        ASSERT_TRUE(CreateDirectoryA(PathOf("sub").c_str(), nullptr));
    }
};

TEST_P(ReaderPathTest, LoadsOnlyWhatItCanOpenAlone) {
    const PathCase& c = GetParam();
    const HeldFile held(PathOf("held.txt"));
    ASSERT_NE(held.handle, INVALID_HANDLE_VALUE);
    LineArray lines = MakeLines({"left from before"});
    EXPECT_EQ(LoadLines(PathOf(c.pathInFolder).c_str(), lines), c.load) << c.reason;
    EXPECT_EQ(lines.lines.size(), c.load == LoadResult::Loaded ? 1u : 0u) << "only the file's own lines";
    EXPECT_EQ(lines.text.empty(), c.load != LoadResult::Loaded) << "a failed load leaves nothing behind";
}

TEST_P(ReaderPathTest, FileExistsForFilesAndFolders) {
    const PathCase& c = GetParam();
    EXPECT_EQ(FileExists(PathOf(c.pathInFolder).c_str()), c.exists) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Reader, ReaderPathTest, testing::ValuesIn(kPathCases),
                         [](const testing::TestParamInfo<PathCase>& info) { return info.param.name; });

} // namespace
