#include "encoded_texts.h"
#include "fuzz/line_invariants.h"
#include "linefiles/output_format.h"
#include "linefiles/prepare_lines.h"
#include "test_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kNul(1, '\0');

std::string Le(const std::u32string& text) {
    return Utf16Of(text, false);
}
std::string Be(const std::u32string& text) {
    return Utf16Of(text, true);
}

// The lines read from bytes, as if a file of these bytes had been read to its end, or up to
// a failed read.
LineArray Prepared(const std::string& bytes, bool readToEnd = true) {
    LineArray lines;
    lines.text.assign(bytes.begin(), bytes.end());
    PrepareLines(lines, readToEnd);
    return lines;
}

Texts KeyTexts(const LineArray& lines) {
    Texts keys;
    for (const LineSpan& key : lines.keys)
        keys.emplace_back(lines.keyText.data() + key.offset, key.length);
    return keys;
}

struct ReadCase {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
    uint32_t markLength;
    Texts lines;
    Texts keys;
    const char* reason;
};

const ReadCase kReadCases[] = {
    {"AsciiIsAnsi", "b\r\na", TextEncoding::Ansi, 0, {"b", "a"}, {}, "plain ASCII reads as it always did"},
    {"Windows1252IsAnsi",
     "\xF1"
     "and\xFA\r\nzorro",
     TextEncoding::Ansi,
     0,
     {"\xF1"
      "and\xFA",
      "zorro"},
     {},
     "bytes that are no UTF-8 keep the Windows-1252 reading"},
    {"OverlongIsAnsi",
     "\xC0\xAF\r\nb",
     TextEncoding::Ansi,
     0,
     {"\xC0\xAF", "b"},
     {},
     "malformed UTF-8 is no UTF-8"},
    {"Utf8",
     Utf8Of(U"\u00F1and\u00FA\r\n\u00C1baco"),
     TextEncoding::Utf8,
     0,
     {Utf8Of(U"\u00F1and\u00FA"), Utf8Of(U"\u00C1baco")},
     {"\xF1"
      "and\xFA",
      "\xC1"
      "baco"},
     "each character is keyed by its Windows-1252 byte; the lines keep their bytes"},
    {"Utf8Unmappable",
     Utf8Of(U"\u20AC\u2603\U0001F600x"),
     TextEncoding::Utf8,
     0,
     {Utf8Of(U"\u20AC\u2603\U0001F600x")},
     {"\x80" + kNul + kNul + "x"},
     "one key byte per character, rank 0 for those Windows-1252 lacks"},
    {"Utf8MarkAscii",
     kUtf8Mark + "b\r\na",
     TextEncoding::Ansi,
     3,
     {"b", "a"},
     {},
     "the mark is no part of a line"},
    {"Utf8MarkMultibyte",
     kUtf8Mark + Utf8Of(U"\u00F1u\r\na"),
     TextEncoding::Utf8,
     3,
     {Utf8Of(U"\u00F1u"), "a"},
     {"\xF1u", "a"},
     "a mark then UTF-8"},
    {"Utf8MarkThenInvalid",
     kUtf8Mark + "\xF1u\r\na",
     TextEncoding::Ansi,
     3,
     {"\xF1u", "a"},
     {},
     "the mark is still kept when the rest is no UTF-8"},
    {"Utf8EndOfInput",
     Utf8Of(U"\u00F1\r\na\x1A") + "\xFF",
     TextEncoding::Utf8,
     0,
     {Utf8Of(U"\u00F1"), "a"},
     {"\xF1", "a"},
     "bytes behind 0x1A are no input and are not checked"},
    {"Utf16Le",
     kUtf16LeMark + Le(U"b\r\na\nx\r\n\r\n\rc"),
     TextEncoding::Utf16Le,
     2,
     {Le(U"b"), Le(U"a\nx"), Le(U"c")},
     {"b", "a\nx", "c"},
     "CR, CR LF, a lone LF in the line and empty lines skipped, in units"},
    {"Utf16Be",
     kUtf16BeMark + Be(U"\u00D1\r\n\u20ACa"),
     TextEncoding::Utf16Be,
     2,
     {Be(U"\u00D1"), Be(U"\u20ACa")},
     {"\xD1", "\x80"
              "a"},
     "big-endian units"},
    {"Utf16EndOfInput",
     kUtf16LeMark + Le(U"b\r\na\x1A"
                       U"c\r\n"),
     TextEncoding::Utf16Le,
     2,
     {Le(U"b"), Le(U"a")},
     {"b", "a"},
     "U+001A ends the input"},
    {"Utf16ByteOf1AInUnit",
     kUtf16LeMark + Le(U"\u1A61\r\n\u011A"),
     TextEncoding::Utf16Le,
     2,
     {Le(U"\u1A61"), Le(U"\u011A")},
     {kNul, kNul},
     "a 0x1A byte inside a unit ends nothing"},
    {"Utf16CrByteInUnit",
     kUtf16BeMark + Be(U"\u0D0A\u0A0D"),
     TextEncoding::Utf16Be,
     2,
     {Be(U"\u0D0A\u0A0D")},
     {kNul + kNul},
     "CR and LF bytes inside units are no line end"},
    {"Utf16SurrogatePair",
     kUtf16LeMark + Le(U"\U0001F600a"),
     TextEncoding::Utf16Le,
     2,
     {Le(U"\U0001F600a")},
     {kNul + "a"},
     "a surrogate pair is one character"},
    {"Utf16LoneSurrogates",
     kUtf16LeMark + std::string("\x00\xD8", 2) + Le(U"a") + std::string("\x00\xDC", 2),
     TextEncoding::Utf16Le,
     2,
     {std::string("\x00\xD8", 2) + Le(U"a") + std::string("\x00\xDC", 2)},
     {kNul + "a" + kNul},
     "a lone surrogate is one character of rank 0, kept as it is"},
    {"Utf16Nul",
     kUtf16LeMark + Le(std::u32string(1, 0) + U"a"),
     TextEncoding::Utf16Le,
     2,
     {Le(std::u32string(1, 0) + U"a")},
     {kNul + "a"},
     "U+0000 stays in its line"},
    {"Utf16MarkOnly", kUtf16LeMark, TextEncoding::Utf16Le, 2, {}, {}, "a mark alone holds no line"},
    {"Utf16OddLengthIsAnsi",
     kUtf16LeMark + Le(U"a\rb") + "c",
     TextEncoding::Ansi,
     0,
     {"\xFF\xFE"
      "a" +
          kNul,
      kNul + "b" + kNul + "c"},
     {},
     "a trailing half unit: no UTF-16 text, read byte by byte as any file"},
    {"Utf16OddBehindEnd",
     kUtf16LeMark + Le(U"a\x1A") + "c",
     TextEncoding::Utf16Le,
     2,
     {Le(U"a")},
     {"a"},
     "an odd byte behind U+001A is no input"},
};

class ReadEncodingTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadEncodingTest, FindsEncodingLinesAndKeys) {
    const ReadCase& c = GetParam();
    const LineArray lines = Prepared(c.bytes);
    EXPECT_EQ(lines.encoding, c.encoding) << c.reason;
    EXPECT_EQ(lines.markLength, c.markLength) << c.reason;
    EXPECT_EQ(LineTexts(lines), c.lines) << c.reason;
    EXPECT_EQ(KeyTexts(lines), c.keys) << c.reason;
    EXPECT_EQ(BrokenLineInvariant(lines), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Encoding, ReadEncodingTest, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(PrepareLines, AnsiReadingHoldsNoKeysEvenAfterAUtf8File) {
    LineArray lines = Prepared(Utf8Of(U"\u00F1\r\na"));
    ASSERT_FALSE(lines.keys.empty());
    const std::string ansi = "\xF1\r\na";
    lines.text.assign(ansi.begin(), ansi.end());
    PrepareLines(lines, true);
    EXPECT_EQ(lines.encoding, TextEncoding::Ansi);
    EXPECT_EQ(lines.keys.capacity(), 0u) << "the common case costs no memory for keys";
    EXPECT_EQ(lines.keyText.capacity(), 0u) << "the common case costs no memory for keys";
}

struct PartialCase {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
    Texts lines;
    const char* reason;
};

const PartialCase kPartialCases[] = {
    {"Ansi", "a\r\nbc", TextEncoding::Ansi, {"a"}, "the unfinished last line is dropped"},
    {"NoLineEnd", "abc", TextEncoding::Ansi, {}, "nothing was read completely"},
    {"Utf8CutInCharacter",
     Utf8Of(U"\u00F1\r\n\u00F1").substr(0, 4),
     TextEncoding::Utf8,
     {Utf8Of(U"\u00F1")},
     "a character cut by the failure goes with its line"},
    {"Utf16", kUtf16LeMark + Le(U"a\r\nbc"), TextEncoding::Utf16Le, {Le(U"a")}, "lines end at CR units"},
    {"Utf16CutInUnit",
     kUtf16BeMark + Be(U"a\rb").substr(0, 5),
     TextEncoding::Utf16Be,
     {Be(U"a")},
     "half a unit after the last CR is dropped with its line"},
    {"Utf16CrByteNotCr",
     kUtf16LeMark + Le(U"a\r\u0D0A"),
     TextEncoding::Utf16Le,
     {Le(U"a")},
     "a 0x0D byte inside a unit is no CR"},
};

class PartialReadTest : public testing::TestWithParam<PartialCase> {};

TEST_P(PartialReadTest, KeepsTheLinesReadCompletely) {
    const PartialCase& c = GetParam();
    const LineArray lines = Prepared(c.bytes, false);
    EXPECT_EQ(lines.encoding, c.encoding) << c.reason;
    EXPECT_EQ(LineTexts(lines), c.lines) << c.reason;
    EXPECT_EQ(BrokenLineInvariant(lines), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Encoding, PartialReadTest, testing::ValuesIn(kPartialCases),
                         [](const testing::TestParamInfo<PartialCase>& info) { return info.param.name; });

// The whole output of lines from cursor on, gathered through a buffer of the given capacity.
std::string FormatAll(const LineArray& lines, OutputCursor cursor, size_t capacity) {
    std::vector<char> buffer(capacity);
    std::string output;
    for (size_t filled; (filled = FillOutputChunk(lines, cursor, buffer.data(), capacity)) > 0;)
        output.append(buffer.data(), filled);
    return output;
}

struct WriteCase {
    const char* name;
    std::string input;
    std::string output;
    std::string outputBehindContent;
    const char* reason;
};

const WriteCase kWriteCases[] = {
    {"Utf8Mark", kUtf8Mark + "b\r\n\r\na", kUtf8Mark + "b\r\na\r\n", "b\r\na\r\n",
     "the mark comes first, once, and only at the start of a file"},
    {"Utf8NoMark", Utf8Of(U"\u00F1\ra"), Utf8Of(U"\u00F1\r\na\r\n"), Utf8Of(U"\u00F1\r\na\r\n"),
     "UTF-8 lines keep their bytes and end in CR LF"},
    {"Utf16Le", kUtf16LeMark + Le(U"b\na\rc"), kUtf16LeMark + Le(U"b\na\r\nc\r\n"), Le(U"b\na\r\nc\r\n"),
     "lines end in U+000D U+000A, little-endian"},
    {"Utf16Be", kUtf16BeMark + Be(U"\u00F1\r\n\U0001F600"), kUtf16BeMark + Be(U"\u00F1\r\n\U0001F600\r\n"),
     Be(U"\u00F1\r\n\U0001F600\r\n"), "lines end in U+000D U+000A, big-endian"},
    {"Utf16NoLines", kUtf16LeMark + Le(U"\r\n\r"), "", "", "without lines not even the mark is written"},
    {"OddUtf16AsBytes", kUtf16LeMark + Le(U"a") + "b", kUtf16LeMark + Le(U"a") + "b\r\n",
     kUtf16LeMark + Le(U"a") + "b\r\n", "a file read byte by byte is written back byte by byte"},
};

// Capacities that split the mark, lines and line ends at every possible place, and one that
// holds all.
const size_t kCapacities[] = {1, 2, 3, 5, 1 << 16};

class WriteEncodingTest : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteEncodingTest, WritesMarkLinesAndLineEndsInTheInputEncoding) {
    const WriteCase& c = GetParam();
    const LineArray lines = Prepared(c.input);
    for (size_t capacity : kCapacities) {
        EXPECT_EQ(FormatAll(lines, StartOutput(lines, false), capacity), c.output)
            << c.reason << " " << capacity;
        EXPECT_EQ(FormatAll(lines, StartOutput(lines, true), capacity), c.outputBehindContent)
            << c.reason << " " << capacity;
    }
}

INSTANTIATE_TEST_SUITE_P(Encoding, WriteEncodingTest, testing::ValuesIn(kWriteCases),
                         [](const testing::TestParamInfo<WriteCase>& info) { return info.param.name; });

} // namespace
