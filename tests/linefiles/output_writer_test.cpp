#include "linefiles/file_chunk.h"
#include "linefiles/line_reader.h"
#include "linefiles/output_writer.h"
#include "temp_folder.h"
#include "test_lines.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct AppendCase {
    const char* name;
    std::optional<std::string> before;
    Texts lines;
    std::string after;
    const char* reason;
};

const AppendCase kAppendCases[] = {
    {"NewFile", std::nullopt, {"b", "a"}, "b\r\na\r\n", "a missing output file is created"},
    {"EmptyLineInside", std::nullopt, {"a", "", "bb"}, "a\r\n\r\nbb\r\n", "an empty line is CR LF alone"},
    {"AfterLineEnd", "z\r\n", {"a"}, "z\r\na\r\n", "new lines follow the old content"},
    {"AfterLastLineWithoutEnd", "z", {"a"}, "za\r\n", "the first new line continues an unended last line"},
    {"LfAndNul",
     std::nullopt,
     {"a\nb", std::string("\0c", 2)},
     std::string("a\nb\r\n\0c\r\n", 9),
     "line bytes are written unchanged"},
};

class AppendLinesTest : public TempFolderTest, public testing::WithParamInterface<AppendCase> {};

TEST_P(AppendLinesTest, AddsEachLineWithCrLf) {
    const AppendCase& c = GetParam();
    const std::string path = PathOf("out.txt");
    if (c.before) {
        ASSERT_TRUE(WriteFileBytes(path, *c.before));
    }
    EXPECT_EQ(AppendLines(path.c_str(), MakeLines(c.lines)), WriteResult::Written);
    EXPECT_EQ(ReadFileBytes(path), c.after) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Writer, AppendLinesTest, testing::ValuesIn(kAppendCases),
                         [](const testing::TestParamInfo<AppendCase>& info) { return info.param.name; });

class WriterTest : public TempFolderTest {};

TEST_F(WriterTest, LinesReadBackAsWritten) {
    const Texts texts = {"a\nb", std::string("\0x\0", 3), "\xF3\xFF", "  ", std::string(1000, 'q')};
    const std::string path = PathOf("round.txt");
    ASSERT_EQ(AppendLines(path.c_str(), MakeLines(texts)), WriteResult::Written);
    LineArray loaded;
    ASSERT_EQ(LoadLines(path.c_str(), loaded), LoadResult::Loaded);
    EXPECT_EQ(LineTexts(loaded), texts);
}

TEST_F(WriterTest, OutputOfSeveralWritesIsWhole) {
    // Lines of 1000 bytes do not divide a write, so lines and line ends straddle the edges.
    Texts texts;
    std::string expected;
    while (expected.size() < 2 * kFileChunkBytes + kFileChunkBytes / 2) {
        texts.push_back(std::string(1000, static_cast<char>('a' + texts.size() % 26)));
        expected += texts.back() + "\r\n";
    }
    const std::string path = PathOf("big.txt");
    CountedPump pump;
    ASSERT_EQ(AppendLines(path.c_str(), MakeLines(texts)), WriteResult::Written);
    EXPECT_TRUE(ReadFileBytes(path) == expected) << "the same bytes as writing line by line";
    EXPECT_GE(pump.calls(), 2) << "the window is pumped between writes";
}

TEST_F(WriterTest, NoLinesCreateNoFile) {
    EXPECT_EQ(AppendLines(PathOf("out.txt").c_str(), LineArray()), WriteResult::Written);
    EXPECT_FALSE(PathExists(PathOf("out.txt"))) << "an input without lines leaves no output file";
}

// Every case runs in a folder holding "a.txt" and the read-only "locked.txt"; "held.txt" is
// held open by another handle without sharing. Nothing in the folder may change.
struct RefusedCase {
    const char* name;
    const char* pathInFolder;
    bool refusedBySystemOnly;
    const char* reason;
};

const RefusedCase kRefusedCases[] = {
    {"EmptyPath", "", false, "a cancelled save dialog leaves an empty path"},
    {"Asterisk", "*.txt", false, "a pattern names no file, even where files match it"},
    {"QuestionMark", "?.txt", false, "a pattern names no file, even where files match it"},
    {"ReadOnly", "locked.txt", true, "the system refuses to write a read-only file"},
    {"HeldByAnother", "held.txt", false, "the writer asks for the file without sharing"},
};

class RefusedOutputTest : public TempFolderTest, public testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedOutputTest, WritesNothing) {
    const RefusedCase& c = GetParam();
    ASSERT_TRUE(WriteFileBytes(PathOf("a.txt"), "a\r\n"));
    ASSERT_TRUE(WriteFileBytes(PathOf("locked.txt"), "l\r\n"));
    ASSERT_TRUE(WriteFileBytes(PathOf("held.txt"), "h\r\n"));
    ASSERT_TRUE(SetFileAttributesA(PathOf("locked.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    if (c.refusedBySystemOnly && !SystemRefusesWriting(PathOf(c.pathInFolder)))
        GTEST_SKIP() << "this system lets the file be written: " << c.reason;
    const HeldFile held(PathOf("held.txt"));
    ASSERT_NE(held.handle, INVALID_HANDLE_VALUE);
    const std::string before = FolderSnapshot(folder);
    EXPECT_EQ(AppendLines(PathOf(c.pathInFolder).c_str(), MakeLines({"new"})), WriteResult::CannotOpen)
        << c.reason;
    EXPECT_EQ(FolderSnapshot(folder), before) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Writer, RefusedOutputTest, testing::ValuesIn(kRefusedCases),
                         [](const testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

struct RemovedCase {
    const char* name;
    DWORD attributes;
    const char* reason;
};

const RemovedCase kRemovedCases[] = {
    {"Plain", FILE_ATTRIBUTE_NORMAL, "an ordinary previous output"},
    {"ReadOnly", FILE_ATTRIBUTE_READONLY, "the read-only attribute is taken away first"},
    {"Hidden", FILE_ATTRIBUTE_HIDDEN, "the hidden attribute is taken away first"},
    {"System", FILE_ATTRIBUTE_SYSTEM, "the system attribute is taken away first"},
    {"AllThree", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, "all at once"},
};

class RemovePreviousTest : public TempFolderTest, public testing::WithParamInterface<RemovedCase> {};

TEST_P(RemovePreviousTest, LeavesOnlyTheNewLines) {
    const RemovedCase& c = GetParam();
    const std::string path = PathOf("out.txt");
    ASSERT_TRUE(WriteFileBytes(path, "old\r\nolder"));
    ASSERT_TRUE(WriteFileBytes(PathOf("other.txt"), "other\r\n"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.attributes));
    RemovePreviousOutput(path.c_str());
    EXPECT_FALSE(PathExists(path)) << c.reason;
    EXPECT_EQ(ReadFileBytes(PathOf("other.txt")), "other\r\n") << "only the file named is removed";
    ASSERT_EQ(AppendLines(path.c_str(), MakeLines({"new"})), WriteResult::Written);
    EXPECT_EQ(ReadFileBytes(path), "new\r\n") << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Writer, RemovePreviousTest, testing::ValuesIn(kRemovedCases),
                         [](const testing::TestParamInfo<RemovedCase>& info) { return info.param.name; });

TEST_F(WriterTest, RemovesAFileWithANonAsciiName) {
    const std::string path = PathOf("salida-\xF3.txt");
    ASSERT_TRUE(WriteFileBytes(path, "old\r\n"));
    RemovePreviousOutput(path.c_str());
    EXPECT_FALSE(PathExists(path));
}

// Every case runs in a folder holding plain, read-only and hidden files that a pattern would
// match, and the hidden read-only folder "sub"; none of them may change.
struct KeptCase {
    const char* name;
    const char* pathInFolder;
    const char* reason;
};

const KeptCase kKeptCases[] = {
    {"EmptyPath", "", "an empty path names nothing"},
    {"Asterisk", "*.txt", "a pattern names no file, even where files match it"},
    {"QuestionMark", "?.txt", "a pattern names no file, even where files match it"},
    {"Folder", "sub", "a folder is never removed, nor its attributes changed"},
    {"FolderWithBackslash", "sub\\", "a path ending in a backslash names no file"},
    {"CurrentFolderEntry", "sub\\.", "the folder's own entry is a folder"},
    {"MissingFile", "missing.txt", "nothing to remove"},
};

class KeptByRemovalTest : public TempFolderTest, public testing::WithParamInterface<KeptCase> {};

TEST_P(KeptByRemovalTest, ChangesNothing) {
    const KeptCase& c = GetParam();
    ASSERT_TRUE(WriteFileBytes(PathOf("a.txt"), "a\r\n"));
    ASSERT_TRUE(WriteFileBytes(PathOf("b.txt"), "b\r\n"));
    ASSERT_TRUE(WriteFileBytes(PathOf("c.txt"), "c\r\n"));
    ASSERT_TRUE(SetFileAttributesA(PathOf("b.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesA(PathOf("c.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(CreateDirectoryA(PathOf("sub").c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(PathOf("sub\\d.txt"), "d\r\n"));
    ASSERT_TRUE(SetFileAttributesA(PathOf("sub").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    const std::string before = FolderSnapshot(folder);
    RemovePreviousOutput(PathOf(c.pathInFolder).c_str());
    EXPECT_EQ(FolderSnapshot(folder), before) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Writer, KeptByRemovalTest, testing::ValuesIn(kKeptCases),
                         [](const testing::TestParamInfo<KeptCase>& info) { return info.param.name; });

} // namespace
