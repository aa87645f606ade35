#include "app/pump_hook.h"
#include "linefiles/file_chunk.h"
#include "linefiles/line_reader.h"
#include "linefiles/output_writer.h"
#include "linefiles/prepare_lines.h"
#include "temp_folder.h"
#include "test_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace {

const DWORD kResetByReplace = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The names of the entries of folder, sorted: what a write leaves behind, temporary files included.
Texts EntryNames(const std::string& folder) {
    Texts names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// While it lives, the window pump runs action once, at the first pump after a write began:
// something another program does to the folder while the output is being written.
struct PumpAction {
    explicit PumpAction(std::function<void()> action) {
        Pending() = std::move(action);
        PumpHook = RunPending;
    }
    ~PumpAction() {
        PumpHook = nullptr;
        Pending() = nullptr;
    }
    PumpAction(const PumpAction&) = delete;
    PumpAction& operator=(const PumpAction&) = delete;
    static std::function<void()>& Pending() {
        static std::function<void()> action;
        return action;
    }
    static void RunPending() {
        if (const std::function<void()> action = std::exchange(Pending(), nullptr))
            action();
    }
};

// Lines whose output needs several writes, so that the window is pumped while they are written.
LineArray LinesOfSeveralChunks() {
    return MakeLines(Texts(3 * kFileChunkBytes / 1000, std::string(998, 'x')));
}

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
    EXPECT_EQ(EntryNames(folder), Texts({"out.txt"})) << "no temporary file is left";
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

TEST_F(WriterTest, AppendingCopiesOldContentOfSeveralChunks) {
    std::string old;
    while (old.size() < 2 * kFileChunkBytes + 7)
        old += std::string(1 + old.size() % 1013, static_cast<char>('a' + old.size() % 26)) + "\r\n";
    const std::string path = PathOf("big.txt");
    ASSERT_TRUE(WriteFileBytes(path, old));
    ASSERT_EQ(AppendLines(path.c_str(), MakeLines({"new"})), WriteResult::Written);
    EXPECT_TRUE(ReadFileBytes(path) == old + "new\r\n") << "every old byte, in order, before the new lines";
}

TEST_F(WriterTest, ByteOrderMarkOnlyAtTheStartOfAFile) {
    const std::string input = "\xEF\xBB\xBF"
                              "a\r\n";
    LineArray lines;
    lines.text.assign(input.begin(), input.end());
    PrepareLines(lines, true);
    const std::string fresh = PathOf("fresh.txt");
    const std::string behind = PathOf("behind.txt");
    ASSERT_TRUE(WriteFileBytes(behind, "z\r\n"));
    ASSERT_EQ(AppendLines(fresh.c_str(), lines), WriteResult::Written);
    ASSERT_EQ(AppendLines(behind.c_str(), lines), WriteResult::Written);
    EXPECT_EQ(ReadFileBytes(fresh), input) << "a new file starts with the input's byte-order mark";
    EXPECT_EQ(ReadFileBytes(behind), "z\r\na\r\n") << "lines added behind old content go without it";
}

TEST_F(WriterTest, AppendingKeepsAHiddenFileHidden) {
    const std::string path = PathOf("out.txt");
    ASSERT_TRUE(WriteFileBytes(path, "z\r\n"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_EQ(AppendLines(path.c_str(), MakeLines({"a"})), WriteResult::Written);
    EXPECT_EQ(ReadFileBytes(path), "z\r\na\r\n");
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & kResetByReplace,
              FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)
        << "the file looks as it did";
}

// The output cannot be put in place because a folder of its name appeared while it was being
// written; each way of writing must then report it and leave nothing of its own behind.
struct PlacingFailsCase {
    const char* name;
    WriteResult (*write)(const char*, const LineArray&);
};

const PlacingFailsCase kPlacingFailsCases[] = {
    {"Append", AppendLines},
    {"Replace", ReplaceWithLines},
};

class PlacingFailsTest : public TempFolderTest, public testing::WithParamInterface<PlacingFailsCase> {};

TEST_P(PlacingFailsTest, ReportsItAndLeavesNoTemporaryFile) {
    const std::string path = PathOf("out.txt");
    const PumpAction blockTheName([&] { CreateDirectoryA(path.c_str(), nullptr); });
    EXPECT_EQ(GetParam().write(path.c_str(), LinesOfSeveralChunks()), WriteResult::WriteFailed);
    EXPECT_EQ(EntryNames(folder), Texts({"out.txt"})) << "only the folder made during the write";
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) << "the folder is left alone";
}

INSTANTIATE_TEST_SUITE_P(Writer, PlacingFailsTest, testing::ValuesIn(kPlacingFailsCases),
                         [](const testing::TestParamInfo<PlacingFailsCase>& info) {
                             return info.param.name;
                         });

TEST_F(WriterTest, ReplacingWithNoLinesRemovesTheFile) {
    const std::string path = PathOf("out.txt");
    ASSERT_TRUE(WriteFileBytes(path, "old\r\n"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(ReplaceWithLines(path.c_str(), LineArray()), WriteResult::Written);
    EXPECT_EQ(EntryNames(folder), Texts()) << "no output file is left, not even an empty one";
}

TEST_F(WriterTest, ReplacingWithNoLinesReportsAFileThatStays) {
    const std::string path = PathOf("out.txt");
    ASSERT_TRUE(WriteFileBytes(path, "old\r\n"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    const std::string before = FolderSnapshot(folder);
    {
        const HeldFile held(path);
        ASSERT_NE(held.handle, INVALID_HANDLE_VALUE);
        EXPECT_EQ(ReplaceWithLines(path.c_str(), LineArray()), WriteResult::WriteFailed);
    }
    EXPECT_EQ(FolderSnapshot(folder), before) << "content and attributes as before";
}

// The file chosen as input is chosen again as output: the reader must have let go of it.
struct SameFileCase {
    const char* name;
    WriteResult (*write)(const char*, const LineArray&);
    std::string after;
};

const SameFileCase kSameFileCases[] = {
    {"Append", AppendLines, "b\r\na\r\nb\r\na\r\n"},
    {"Replace", ReplaceWithLines, "b\r\na\r\n"},
};

class SameFileTest : public TempFolderTest, public testing::WithParamInterface<SameFileCase> {};

TEST_P(SameFileTest, WritesTheLinesReadFromIt) {
    const std::string path = PathOf("lista.txt");
    ASSERT_TRUE(WriteFileBytes(path, "b\r\na\r\n"));
    LineArray lines;
    ASSERT_EQ(LoadLines(path.c_str(), lines), LoadResult::Loaded);
    EXPECT_EQ(GetParam().write(path.c_str(), lines), WriteResult::Written);
    EXPECT_EQ(ReadFileBytes(path), GetParam().after);
    EXPECT_EQ(EntryNames(folder), Texts({"lista.txt"})) << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(Writer, SameFileTest, testing::ValuesIn(kSameFileCases),
                         [](const testing::TestParamInfo<SameFileCase>& info) { return info.param.name; });

TEST_F(WriterTest, NoLinesCreateNoFile) {
    EXPECT_EQ(AppendLines(PathOf("out.txt").c_str(), LineArray()), WriteResult::Written);
    EXPECT_FALSE(PathExists(PathOf("out.txt"))) << "an input without lines leaves no output file";
}

// Every case runs in a folder holding "a.txt" and the read-only "locked.txt"; "held.txt" is
// held open by another handle without sharing. Nothing in the folder may change.
struct RefusedCase {
    const char* name;
    const char* pathInFolder;
    bool replaceRefusedToo; // false where replacing is allowed and only appending is refused
    const char* reason;
};

const RefusedCase kRefusedCases[] = {
    {"EmptyPath", "", true, "a cancelled save dialog leaves an empty path"},
    {"Asterisk", "*.txt", true, "a pattern names no file, even where files match it"},
    {"QuestionMark", "?.txt", true, "a pattern names no file, even where files match it"},
    {"TrailingBackslash", "a.txt\\", true, "a path ending in a separator names no file"},
    {"Folder", "sub", true, "a folder is never written or replaced"},
    {"ReadOnly", "locked.txt", false, "a read-only file is never appended to"},
    {"HeldByAnother", "held.txt", true, "a file another program holds open is left alone"},
};

class RefusedOutputTest : public TempFolderTest, public testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedOutputTest, WritesNothing) {
    const RefusedCase& c = GetParam();
    ASSERT_TRUE(WriteFileBytes(PathOf("a.txt"), "a\r\n"));
    ASSERT_TRUE(WriteFileBytes(PathOf("locked.txt"), "l\r\n"));
    ASSERT_TRUE(WriteFileBytes(PathOf("held.txt"), "h\r\n"));
    ASSERT_TRUE(CreateDirectoryA(PathOf("sub").c_str(), nullptr));
    ASSERT_TRUE(SetFileAttributesA(PathOf("locked.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    const HeldFile held(PathOf("held.txt"));
    ASSERT_NE(held.handle, INVALID_HANDLE_VALUE);
    const std::string before = FolderSnapshot(folder);
    const std::string path = PathOf(c.pathInFolder);
    EXPECT_EQ(AppendLines(path.c_str(), MakeLines({"new"})), WriteResult::CannotOpen) << c.reason;
    EXPECT_EQ(FolderSnapshot(folder), before) << c.reason;
    if (c.replaceRefusedToo) {
        EXPECT_EQ(ReplaceWithLines(path.c_str(), MakeLines({"new"})), WriteResult::CannotOpen) << c.reason;
        EXPECT_EQ(FolderSnapshot(folder), before) << c.reason;
    }
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
    EXPECT_TRUE(RemovePreviousOutput(path.c_str())) << c.reason;
    EXPECT_FALSE(PathExists(path)) << c.reason;
    EXPECT_EQ(ReadFileBytes(PathOf("other.txt")), "other\r\n") << "only the file named is removed";
    ASSERT_EQ(AppendLines(path.c_str(), MakeLines({"new"})), WriteResult::Written);
    EXPECT_EQ(ReadFileBytes(path), "new\r\n") << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Writer, RemovePreviousTest, testing::ValuesIn(kRemovedCases),
                         [](const testing::TestParamInfo<RemovedCase>& info) { return info.param.name; });

class ReplaceTest : public TempFolderTest, public testing::WithParamInterface<RemovedCase> {};

TEST_P(ReplaceTest, LeavesOnlyTheNewLinesInAPlainFile) {
    const RemovedCase& c = GetParam();
    const std::string path = PathOf("out.txt");
    ASSERT_TRUE(WriteFileBytes(path, "old\r\nolder"));
    ASSERT_TRUE(WriteFileBytes(PathOf("other.txt"), "other\r\n"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.attributes));
    ASSERT_EQ(ReplaceWithLines(path.c_str(), MakeLines({"new", "b"})), WriteResult::Written) << c.reason;
    EXPECT_EQ(ReadFileBytes(path), "new\r\nb\r\n") << c.reason;
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & kResetByReplace, 0u) << "the new file is a plain one";
    EXPECT_EQ(EntryNames(folder), Texts({"other.txt", "out.txt"})) << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(Writer, ReplaceTest, testing::ValuesIn(kRemovedCases),
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
