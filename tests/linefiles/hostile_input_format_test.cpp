// Inputs no one writes on purpose: huge lines, floods of empty lines, binary data, NUL bytes.
// They must load without crash or hang and give exactly the lines the format defines.
#include "encoded_texts.h"
#include "fuzz/line_invariants.h"
#include "linefiles/line_format.h"
#include "linefiles/output_format.h"
#include "linefiles/prepare_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr size_t kMegabyte = size_t{1} << 20;

// piece times over, built by doubling so that even hundreds of MB take a few copies.
std::string Repeated(const std::string& piece, size_t times) {
    std::string bytes = piece;
    while (bytes.size() < piece.size() * times)
        bytes += bytes;
    bytes.resize(piece.size() * times);
    return bytes;
}

// A LineArray read from bytes as a whole file.
LineArray Prepared(const std::string& bytes) {
    LineArray lines;
    lines.text.resize(bytes.size());
    std::memcpy(lines.text.data(), bytes.data(), bytes.size());
    PrepareLines(lines, true);
    return lines;
}

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random());
    return bytes;
}

constexpr size_t kAnyCount = SIZE_MAX;

struct HostileCase {
    const char* name;
    std::function<std::string()> bytes;
    TextEncoding encoding;
    size_t lineCount;   // or kAnyCount for random bytes
    size_t longestLine; // bytes
    const char* reason;
};

const HostileCase kHostileCases[] = {
    {"HundredMegabyteLine", [] { return std::string(100 * kMegabyte, 'x'); }, TextEncoding::Ansi, 1,
     100 * kMegabyte, "one line as long as the file"},
    {"LongUtf8Line", [] { return Repeated(Utf8Of(U"\u00F1"), 8 * kMegabyte); }, TextEncoding::Utf8, 1,
     16 * kMegabyte, "one UTF-8 line of 8 million characters gets its key"},
    {"TenMillionEmptyLines", [] { return Repeated("\r\n", 10'000'000) + "a"; }, TextEncoding::Ansi, 1, 1,
     "only the last line is not empty"},
    {"TenMillionLoneCrs", [] { return std::string(10'000'000, '\r'); }, TextEncoding::Ansi, 0, 0,
     "lone CRs end only empty lines"},
    {"ManyEmptyUtf16Lines", [] { return kUtf16LeMark + Repeated(Utf16Of(U"\r\n", false), 2'000'000); },
     TextEncoding::Utf16Le, 0, 0, "empty UTF-16 lines are skipped too"},
    {"Nuls", [] { return Repeated(std::string(999, '\0') + "\r", 1000); }, TextEncoding::Ansi, 1000, 999,
     "NUL bytes are ordinary bytes of their lines"},
    {"BinaryWithoutEndMark",
     [] {
         std::string bytes = RandomBytes(8 * kMegabyte, 7);
         for (char& byte : bytes)
             byte = byte == '\x1A' ? '\r' : byte;
         return "\r" + bytes;
     },
     TextEncoding::Ansi, kAnyCount, 0, "random bytes: many lines of every byte value"},
    {"BinaryUtf16", [] { return kUtf16BeMark + RandomBytes(8 * kMegabyte, 8); }, TextEncoding::Utf16Be,
     kAnyCount, 0, "random units behind a UTF-16 mark"},
};

class HostileInputTest : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileInputTest, LoadsTheDefinedLines) {
    const HostileCase& c = GetParam();
    const std::string bytes = c.bytes();
    const LineArray lines = Prepared(bytes);
    // Checking every byte of the largest inputs would cost more than reading them.
    if (bytes.size() <= 16 * kMegabyte) {
        EXPECT_EQ(BrokenLineInvariant(lines), nullptr) << c.reason;
    }
    EXPECT_EQ(lines.encoding, c.encoding) << c.reason;
    if (c.lineCount == kAnyCount) {
        // Random input: the line count is whatever the CRs make it, but every byte that is no
        // line end must be in a line.
        size_t inLines = 0;
        for (const LineSpan& span : lines.lines)
            inLines += span.length;
        size_t notLineEnds = 0;
        const size_t width = UnitWidth(lines.encoding);
        for (size_t at = lines.markLength; at + width <= bytes.size(); at += width) {
            const uint16_t unit = width == 2 ? Utf16Unit(bytes.data() + at, lines.encoding)
                                             : static_cast<unsigned char>(bytes[at]);
            if (unit == kEndOfInput)
                break;
            const bool lfOfCrLf = unit == kLineFeed && at >= lines.markLength + width &&
                                  (width == 2 ? Utf16Unit(bytes.data() + at - 2, lines.encoding)
                                              : static_cast<unsigned char>(bytes[at - 1])) == kCarriageReturn;
            notLineEnds += unit != kCarriageReturn && !lfOfCrLf ? width : 0;
        }
        EXPECT_EQ(inLines, notLineEnds) << c.reason;
        return;
    }
    ASSERT_EQ(lines.lines.size(), c.lineCount) << c.reason;
    size_t longest = 0;
    for (const LineSpan& span : lines.lines)
        longest = std::max<size_t>(longest, span.length);
    EXPECT_EQ(longest, c.longestLine) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Hostile, HostileInputTest, testing::ValuesIn(kHostileCases),
                         [](const testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

TEST(HostileOutput, HundredMegabyteLineIsWrittenWhole) {
    const LineArray lines = Prepared(std::string(100 * kMegabyte, 'x'));
    const std::string xs(4 * kMegabyte, 'x');
    std::vector<char> buffer(xs.size());
    OutputCursor cursor;
    std::string output, tail;
    size_t total = 0;
    for (size_t filled; (filled = FillOutputChunk(lines, cursor, buffer.data(), buffer.size())) > 0;) {
        const size_t lineBytes = std::min(filled, 100 * kMegabyte - std::min(total, 100 * kMegabyte));
        EXPECT_EQ(std::memcmp(buffer.data(), xs.data(), lineBytes), 0) << "at byte " << total;
        tail.append(buffer.data() + lineBytes, filled - lineBytes);
        total += filled;
    }
    EXPECT_EQ(total, 100 * kMegabyte + 2);
    EXPECT_EQ(tail, "\r\n");
}

// Reading a file in chunks, the reader may stop behind the chunk that holds the end of the
// input. For every place of the end unit around chunk edges, and chunk sizes that split
// UTF-16 units, the first chunk reported is the one that holds it, never one before.
struct EdgeForm {
    const char* name;
    std::string mark;
    std::function<std::string(const std::u32string&)> encode;
};

const EdgeForm kEdgeForms[] = {
    {"Bytes", "", [](const std::u32string& text) { return std::string(text.begin(), text.end()); }},
    {"Utf16Le", kUtf16LeMark, [](const std::u32string& text) { return Utf16Of(text, false); }},
    {"Utf16Be", kUtf16BeMark, [](const std::u32string& text) { return Utf16Of(text, true); }},
};

// Bytes read when the reader stops: whole chunks up to the first that holds the end unit.
size_t ReadUntilEnd(const std::string& bytes, size_t chunk) {
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t got = std::min(chunk, bytes.size() - done);
        const bool ends = HoldsEndOfInput(bytes.data(), done, done + got);
        done += got;
        if (ends)
            break;
    }
    return done;
}

TEST(HostileChunkEdges, ReadingStopsOnlyBehindTheEndUnit) {
    for (const EdgeForm& form : kEdgeForms)
        for (size_t chunk : {3, 4, 7, 8})
            for (size_t position = 0; position < 20; ++position) {
                std::u32string text(20, U'a');
                text[position] = U'\x1A';
                // A CR in front of the end unit and a unit whose byte is 0x1A but is no end.
                text[position > 0 ? position - 1 : 1] = U'\r';
                const std::string bytes = form.mark + form.encode(text + U"\u1A1A\u011Ab");
                const size_t endAt =
                    InputLength(bytes.data(), bytes.size(), Utf16Mark(bytes.data(), bytes.size()));
                ASSERT_EQ(endAt, form.mark.size() + position * (form.mark.empty() ? 1 : 2)) << form.name;
                const size_t read = ReadUntilEnd(bytes, chunk);
                EXPECT_GT(read, endAt) << form.name << " chunk " << chunk << " position " << position;
                EXPECT_LE(read, endAt + chunk + 1)
                    << form.name << " chunk " << chunk << " position " << position;
            }
}

TEST(HostileChunkEdges, ByteOf1AInsideUtf16UnitsNeverStopsReading) {
    const std::string bytes = kUtf16LeMark + Utf16Of(std::u32string(40, U'\u1A1A') + U"\r\n\u011A", false);
    for (size_t chunk : {1, 2, 3, 5, 8})
        EXPECT_EQ(ReadUntilEnd(bytes, chunk), bytes.size()) << "chunk " << chunk;
}

} // namespace
