#include "linefiles/path_rules.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    const char* name;
    const wchar_t* path;
    bool refused;
    bool namesNoFile;
    size_t folderPart;
    const char* reason;
};

const PathCase kPathCases[] = {
    {"Empty", L"", true, true, 0, "an empty path names nothing"},
    {"Plain", L"C:\\out\\lines.txt", false, false, 7, "a file in a folder"},
    {"Asterisk", L"C:\\out\\*.txt", true, true, 7, "a pattern is never opened or removed"},
    {"QuestionMark", L"C:\\out\\line?.txt", true, true, 7, "a pattern is never opened or removed"},
    {"TrailingBackslash", L"C:\\out\\", false, true, 7, "a folder path names no file to remove"},
    {"TrailingSlash", L"C:/out/", false, true, 7, "forward slashes separate folders too"},
    {"DriveOnly", L"C:", false, true, 2, "a drive names no file to remove"},
    {"DriveRelative", L"C:lines.txt", false, false, 2, "the drive is the folder part"},
    {"BareName", L"lines.txt", false, false, 0, "a name in the current folder has no folder part"},
    {"MixedSeparators", L"C:\\a/b\\c.txt", false, false, 7, "the last separator of either kind counts"},
};

class PathRulesTest : public testing::TestWithParam<PathCase> {};

TEST_P(PathRulesTest, ClassifiesThePath) {
    const PathCase& c = GetParam();
    EXPECT_EQ(IsRefusedPath(c.path), c.refused) << c.reason;
    EXPECT_EQ(NamesNoFile(c.path), c.namesNoFile) << c.reason;
    EXPECT_EQ(FolderPartLength(c.path), c.folderPart) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Paths, PathRulesTest, testing::ValuesIn(kPathCases),
                         [](const testing::TestParamInfo<PathCase>& info) { return info.param.name; });

} // namespace
