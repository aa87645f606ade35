#include "app/settings.h"
#include "encoded_texts.h"
#include "job/sort_engine.h"
#include "linefiles/prepare_lines.h"
#include "ordering/shaker_sort.h"
#include "test_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using UnicodeLines = std::vector<std::u32string>;

enum class FileForm { Utf8, Utf8Mark, Utf16Le, Utf16Be };

// The file that holds lines in form, each line ended by CR LF.
std::string FileOf(const UnicodeLines& lines, FileForm form) {
    std::u32string joined;
    for (const std::u32string& line : lines)
        joined += line + U"\r\n";
    switch (form) {
    case FileForm::Utf8: return Utf8Of(joined);
    case FileForm::Utf8Mark: return kUtf8Mark + Utf8Of(joined);
    case FileForm::Utf16Le: return kUtf16LeMark + Utf16Of(joined, false);
    case FileForm::Utf16Be: return kUtf16BeMark + Utf16Of(joined, true);
    }
    return {};
}

// A line as Windows-1252 text, written without the program's table: Latin-1 as it is, the
// euro sign at 0x80, and 0x01, which ranks 0 like every character the code page lacks.
std::string Windows1252Of(const std::u32string& line) {
    std::string text;
    for (char32_t c : line)
        text += c < 0x80 || (c >= 0xA0 && c <= 0xFF) ? static_cast<char>(c) : c == 0x20AC ? '\x80' : '\x01';
    return text;
}

// Input positions of spans, found by their offsets among the spans in input order.
std::vector<size_t> PositionsOf(const std::vector<LineSpan>& sorted, const std::vector<LineSpan>& input) {
    std::vector<size_t> positions;
    for (const LineSpan& span : sorted)
        for (size_t i = 0; i < input.size(); ++i)
            if (input[i].offset == span.offset)
                positions.push_back(i);
    return positions;
}

// Input positions of lines in the order ShakerSort gives their Windows-1252 forms.
std::vector<size_t> Windows1252Order(const UnicodeLines& lines) {
    std::string text;
    std::vector<LineSpan> spans;
    for (const std::u32string& line : lines) {
        const std::string bytes = Windows1252Of(line);
        spans.push_back({static_cast<uint32_t>(text.size()), static_cast<uint32_t>(bytes.size())});
        text += bytes;
    }
    const std::vector<LineSpan> input = spans;
    ShakerSort(text.data(), spans.data(), spans.size());
    return PositionsOf(spans, input);
}

// Input positions of the lines of a file in form after SortLineArray.
std::vector<size_t> SortedOrder(const UnicodeLines& lines, FileForm form) {
    const std::string file = FileOf(lines, form);
    LineArray array;
    array.text.assign(file.begin(), file.end());
    PrepareLines(array, true);
    const std::vector<LineSpan> input = array.lines;
    SortLineArray(array);
    EXPECT_TRUE(array.keys.empty() && array.keyText.empty()) << "the keys are released after the sort";
    return PositionsOf(array.lines, input);
}

// Many short lines over few characters, so that ties abound: upper and lower case, accented
// letters, the euro sign, and characters Windows-1252 lacks (one of them a surrogate pair).
UnicodeLines TieRichLines(size_t count) {
    const std::u32string alphabet = U"aA \u00F1\u00D1\u00E9\u00C9\u20AC\u2603\U0001F600\u00AA1";
    std::mt19937 random(20261211);
    UnicodeLines lines(count);
    for (std::u32string& line : lines) {
        const size_t length = 1 + random() % 4;
        for (size_t k = 0; k < length; ++k)
            line += alphabet[random() % alphabet.size()];
    }
    return lines;
}

struct SortCase {
    const char* name;
    FileForm form;
    int16_t order;
    const char* reason;
};

const SortCase kSortCases[] = {
    {"Utf8Ascending", FileForm::Utf8, SortAscending, "equal keys stay in input order"},
    {"Utf8Descending", FileForm::Utf8, SortDescending, "equal keys in the order of the exchange passes"},
    {"Utf8MarkDescending", FileForm::Utf8Mark, SortDescending, "the mark moves no line"},
    {"Utf16LeAscending", FileForm::Utf16Le, SortAscending, "keys of UTF-16 lines"},
    {"Utf16LeDescending", FileForm::Utf16Le, SortDescending, "descending ties of UTF-16 lines"},
    {"Utf16BeDescending", FileForm::Utf16Be, SortDescending, "big-endian lines"},
    {"Utf16BeUnchanged", FileForm::Utf16Be, 0, "order 0 exchanges nothing"},
};

class SortByKeysTest : public testing::TestWithParam<SortCase> {
  protected:
    void TearDown() override { SortOrder = SortAscending; }
};

TEST_P(SortByKeysTest, SameOrderAsShakerSortOfTheWindows1252Text) {
    const SortCase& c = GetParam();
    SortOrder = c.order;
    const UnicodeLines lines = TieRichLines(400);
    const std::vector<size_t> expected = Windows1252Order(lines);
    ASSERT_EQ(expected.size(), lines.size());
    EXPECT_EQ(SortedOrder(lines, c.form), expected) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Encoding, SortByKeysTest, testing::ValuesIn(kSortCases),
                         [](const testing::TestParamInfo<SortCase>& info) { return info.param.name; });

TEST(SortLineArray, Utf8LettersSortUnderTheirWindows1252Letter) {
    SortOrder = SortAscending;
    const UnicodeLines lines = {U"\u00F1and\u00FA", U"oso", U"nube", U"\u00D1u", U"avi\u00F3n"};
    const std::string file = FileOf(lines, FileForm::Utf8);
    LineArray array;
    array.text.assign(file.begin(), file.end());
    PrepareLines(array, true);
    SortLineArray(array);
    const Texts expected = {Utf8Of(U"avi\u00F3n"), "nube", Utf8Of(U"\u00F1and\u00FA"), Utf8Of(U"\u00D1u"),
                            "oso"};
    EXPECT_EQ(LineTexts(array), expected) << "n with tilde after n, before o; the bytes unchanged";
}

} // namespace
