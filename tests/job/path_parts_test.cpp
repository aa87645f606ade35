#include "job/path_parts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SplitCase {
    const char* name;
    std::wstring path;
    std::wstring folder;
    std::wstring fileName;
    const char* reason;
};

const SplitCase SplitCases[] = {
    {"FullPath", L"D:\\Datos\\lista.txt", L"D:\\Datos\\", L"lista.txt", "splits at the last backslash"},
    {"DriveOnly", L"D:lista.txt", L"D:", L"lista.txt", "a colon separates as a backslash does"},
    {"ColonAfterBackslash", L"D:\\a:b", L"D:\\a:", L"b", "the last of either separator counts"},
    {"NoSeparator", L"lista.txt", L"", L"lista.txt", "a bare name is all name"},
    {"Slashes", L"D:/Datos/lista.txt", L"D:", L"/Datos/lista.txt", "a slash does not separate"},
    {"FolderOnly", L"D:\\Datos\\", L"D:\\Datos\\", L"", "nothing after the last separator"},
    {"Empty", L"", L"", L"", "no previous choice"},
    {"LongestSplit", L"C:\\" + std::wstring(257, L'a'), L"C:\\", std::wstring(257, L'a'),
     "260 units are still split"},
    {"TooLong", L"C:\\" + std::wstring(258, L'a'), L"", L"", "past 260 units the dialog starts from nothing"},
};

class SplitPathTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitPathTest, GivesFolderAndName) {
    const SplitCase& c = GetParam();
    const PathParts parts = SplitPath(c.path);
    EXPECT_EQ(parts.folder, c.folder) << c.reason;
    EXPECT_EQ(parts.name, c.fileName) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitPathTest, testing::ValuesIn(SplitCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct StripCase {
    const char* name;
    std::string text;
    std::string stripped;
    const char* reason;
};

const StripCase StripCases[] = {
    {"OuterBlanks", "  C:\\a b.txt  ", "C:\\a b.txt", "outer blanks go, inner ones stay"},
    {"Tabs", "\tC:\\a.txt\t", "\tC:\\a.txt\t", "only 0x20 is a blank"},
    {"NoBreakSpace",
     "\xA0"
     "a\xA0",
     "\xA0"
     "a\xA0",
     "the no-break space of the code page is not a blank"},
    {"OnlyBlanks", "   ", "", "nothing is left"},
    {"Empty", "", "", "an empty path stays empty"},
};

class StripBlanksTest : public testing::TestWithParam<StripCase> {};

TEST_P(StripBlanksTest, RemovesOuterBlanksOnly) {
    const StripCase& c = GetParam();
    EXPECT_EQ(StripBlanks(c.text), c.stripped) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Cases, StripBlanksTest, testing::ValuesIn(StripCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
