#include "job/path_choice.h"

#include "job/choose_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

// These cases rely on the ANSI code page being Windows-1252, as on the systems the program serves.

namespace {

struct StartCase {
    const char* name;
    std::string path;
    std::string lastFolder;
    std::wstring fileName;
    const char* reason;
};

const std::string LongFolder = "C:\\" + std::string(255, 'f') + "\\";

const StartCase StartCases[] = {
    {"NoChoice", "", "", L"", "the first dialog starts in the current folder with no name"},
    {"Previous", "D:\\Datos\\lista.txt", "D:\\Datos\\", L"lista.txt",
     "starts where the last choice was made"},
    {"Blanks", "  D:\\Datos\\lista.txt  ", "D:\\Datos\\", L"lista.txt",
     "outer blanks are not part of the name"},
    {"Accents",
     "C:\\Espa\xF1"
     "a\\ni\xF1o.txt",
     "C:\\Espa\xF1"
     "a\\",
     L"ni\u00F1o.txt", "code page characters survive both conversions"},
    {"FolderCut", LongFolder + "x", LongFolder.substr(0, 254), L"x", "LastFolder holds 254 bytes at most"},
    {"NameCut", std::string(260, 'n'), "", std::wstring(259, L'n'),
     "the dialog gets 259 units of name at most"},
    {"TooLong", "C:\\" + std::string(258, 'a'), "", L"", "past 260 units nothing is taken"},
};

class StartingPointTest : public testing::TestWithParam<StartCase> {};

TEST_P(StartingPointTest, SetsLastFolderAndGivesName) {
    const StartCase& c = GetParam();
    std::strcpy(LastFolder, "X:\\stale\\");
    const std::wstring name = PrepareStartingPoint(c.path.c_str());
    EXPECT_EQ(std::string(LastFolder), c.lastFolder) << c.reason;
    EXPECT_EQ(name, c.fileName) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Cases, StartingPointTest, testing::ValuesIn(StartCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct StoreCase {
    const char* name;
    std::wstring chosen;
    bool stored;
    std::string path;
    const char* reason;
};

const std::wstring Longest = L"C:\\" + std::wstring(270, L'a'); // 273 bytes

const StoreCase StoreCases[] = {
    {"Cancel", L"", true, "", "a cancel empties the path"},
    {"Plain", L"C:\\Datos\\lista.txt", true, "C:\\Datos\\lista.txt", "stored as chosen"},
    {"CodePage", L"C:\\ni\u00F1o \u20AC.txt", true, "C:\\ni\xF1o \x80.txt", "stored as its code page bytes"},
    {"Blanks", L"  C:\\a.txt  ", true, "C:\\a.txt", "outer blanks are stripped"},
    {"Longest", Longest, true, std::string(Longest.begin(), Longest.end()), "273 bytes fit"},
    {"LongestWithBlanks", L" " + Longest + L" ", true, std::string(Longest.begin(), Longest.end()),
     "only what is stored must fit"},
    {"TooLong", Longest + L"a", false, "", "a shortened path could name another file"},
    {"Greek", L"C:\\\u03A9.txt", false, "", "a best-fit letter would name another file"},
    {"Chinese", L"C:\\\u4E2D.txt", false, "", "a replacement character would match other files"},
};

class StoreChoiceTest : public testing::TestWithParam<StoreCase> {};

TEST_P(StoreChoiceTest, StoresOnlyAnExactPath) {
    const StoreCase& c = GetParam();
    char path[PathCapacity] = "C:\\previous.txt";
    EXPECT_EQ(StorePathChoice(c.chosen, path), c.stored) << c.reason;
    EXPECT_EQ(std::string(path), c.path) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Cases, StoreChoiceTest, testing::ValuesIn(StoreCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
