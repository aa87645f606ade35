#include "linefiles/prepare_lines.h"

#include "linefiles/line_format.h"

TextForm DetectTextForm(const char* data, size_t size) {
    const TextEncoding utf16 = Utf16Mark(data, size);
    if (utf16 != TextEncoding::Ansi) {
        const size_t end = InputLength(data, size, utf16);
        if (end % 2 == 0)
            return {utf16, 2, end};
    }
    const size_t end = InputLength(data, size);
    const size_t mark = Utf8MarkLength(data, end);
    const bool utf8 = CheckUtf8(data + mark, end - mark) == Utf8Content::Multibyte;
    return {utf8 ? TextEncoding::Utf8 : TextEncoding::Ansi, mark, end};
}

static bool IsHighSurrogate(uint16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
static bool IsLowSurrogate(uint16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Writes the Windows-1252 key of a well-formed UTF-8 line to key; returns its length.
static uint32_t Utf8Key(const char* line, uint32_t length, char* key) {
    const char* const end = line + length;
    uint32_t keyLength = 0;
    while (line < end)
        key[keyLength++] = static_cast<char>(Windows1252Equivalent(NextUtf8Char(line)));
    return keyLength;
}

// Writes the Windows-1252 key of a UTF-16 line to key; returns its length. A surrogate pair is
// one character, and like a lone surrogate it has no Windows-1252 byte.
static uint32_t Utf16Key(const char* line, uint32_t length, TextEncoding encoding, char* key) {
    uint32_t keyLength = 0;
    for (uint32_t at = 0; at + 1 < length; at += 2) {
        const uint16_t unit = Utf16Unit(line + at, encoding);
        if (IsHighSurrogate(unit) && at + 3 < length && IsLowSurrogate(Utf16Unit(line + at + 2, encoding)))
            at += 2;
        key[keyLength++] = static_cast<char>(Windows1252Equivalent(unit));
    }
    return keyLength;
}

// One key per line; a line's key starts at its offset divided by the unit width, and since a
// key never has more characters than its line has units, the keys never overlap.
static void BuildKeys(LineArray& lines) {
    const uint32_t width = UnitWidth(lines.encoding);
    lines.keyText.resize(lines.text.size() / width);
    lines.keys.resize(lines.lines.size());
    for (size_t i = 0; i < lines.lines.size(); ++i) {
        const LineSpan line = lines.lines[i];
        const char* text = lines.text.data() + line.offset;
        char* key = lines.keyText.data() + line.offset / width;
        const uint32_t length =
            width == 2 ? Utf16Key(text, line.length, lines.encoding, key) : Utf8Key(text, line.length, key);
        lines.keys[i] = {line.offset / width, length};
    }
}

void PrepareLines(LineArray& lines, bool readToEnd) {
    LineText& text = lines.text;
    if (!readToEnd)
        text.resize(CompleteLinesLength(text.data(), text.size(), Utf16Mark(text.data(), text.size())));
    const TextForm form = DetectTextForm(text.data(), text.size());
    lines.encoding = form.encoding;
    lines.markLength = static_cast<uint32_t>(form.markLength);
    lines.keyText = LineText();
    lines.keys = std::vector<LineSpan>();
    SplitLines(text.data(), form.inputEnd, lines.lines, form.encoding, form.markLength);
    if (form.encoding != TextEncoding::Ansi)
        BuildKeys(lines);
}
