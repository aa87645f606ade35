#include "test_lines.h"

LineArray MakeLines(const Texts& texts) {
    LineArray lines;
    lines.lines.resize(texts.size());
    for (size_t i = texts.size(); i-- > 0;) {
        lines.lines[i] = {static_cast<uint32_t>(lines.text.size()), static_cast<uint32_t>(texts[i].size())};
        lines.text.insert(lines.text.end(), texts[i].begin(), texts[i].end());
    }
    return lines;
}

Texts LineTexts(const LineArray& lines) {
    Texts texts;
    for (const LineSpan& span : lines.lines)
        texts.emplace_back(lines.text.data() + span.offset, span.length);
    return texts;
}
