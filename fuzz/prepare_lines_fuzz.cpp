// Feeds arbitrary bytes to the reading of a loaded file (encoding detection, line splitting,
// sort keys), its sort and its output, and stops at the first broken invariant.
#include "app/settings.h"
#include "fuzz/line_invariants.h"
#include "job/sort_engine.h"
#include "linefiles/line_format.h"
#include "linefiles/output_format.h"
#include "linefiles/prepare_lines.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#define REQUIRE(condition)                                                                                   \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "broken invariant: %s (line %d)\n", #condition, __LINE__);                  \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

static std::vector<std::string> Texts(const LineArray& lines) {
    std::vector<std::string> texts;
    for (const LineSpan& span : lines.lines)
        texts.emplace_back(lines.text.data() + span.offset, span.length);
    return texts;
}

static std::string Output(const LineArray& lines) {
    std::string output;
    OutputCursor cursor;
    char buffer[7];
    for (size_t filled; (filled = FillOutputChunk(lines, cursor, buffer, sizeof buffer)) > 0;)
        output.append(buffer, filled);
    return output;
}

// A file without a byte-order mark whose first line begins with U+FEFF: written first, that
// character reads back as a mark, so the round trip cannot give the same lines.
static bool FirstLineReadsAsMark(const LineArray& lines) {
    const LineSpan& first = lines.lines.front();
    return lines.markLength == 0 && first.length >= 3 &&
           std::memcmp(lines.text.data() + first.offset, "\xEF\xBB\xBF", 3) == 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte picks the reading (whole file or a failed read) and the order.
    if (size == 0)
        return 0;
    const bool readToEnd = data[0] & 1;
    SortOrder = static_cast<int16_t>(data[0] >> 1 & 3);
    LineArray lines;
    lines.text.assign(data + 1, data + size);
    PrepareLines(lines, readToEnd);
    if (const char* broken = BrokenLineInvariant(lines)) {
        std::fprintf(stderr, "broken invariant: %s\n", broken);
        std::abort();
    }

    // A UTF-8 or UTF-16 file reads back from its own output as the same lines; without lines
    // the output is empty.
    if (lines.encoding != TextEncoding::Ansi && !lines.lines.empty() && !FirstLineReadsAsMark(lines)) {
        const std::string output = Output(lines);
        LineArray again;
        again.text.assign(output.begin(), output.end());
        PrepareLines(again, true);
        REQUIRE(again.encoding == lines.encoding && Texts(again) == Texts(lines));
    }

    // The sort only rearranges the lines.
    std::vector<std::string> before = Texts(lines);
    SortLineArray(lines);
    std::vector<std::string> after = Texts(lines);
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    REQUIRE(before == after && lines.keys.empty());
    return 0;
}
