#include "job/notice_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CountCase {
    const char* name;
    uint64_t count;
    std::string text;
    const char* reason;
};

const CountCase CountCases[] = {
    {"Zero", 0, "Termine de ordenar 0 l\xEDneas ...", "an empty input still reports its count"},
    {"One", 1, "Termine de ordenar 1 l\xEDneas ...", "the plural stays for one line"},
    {"FourDigits", 1234, "Termine de ordenar 1234 l\xEDneas ...", "no digit grouping"},
    {"Past32Bits", 4294967296u, "Termine de ordenar 4294967296 l\xEDneas ...",
     "the count is not cut to 32 bits"},
};

class FinishedNoticeTest : public testing::TestWithParam<CountCase> {};

TEST_P(FinishedNoticeTest, ReportsTheCount) {
    const CountCase& c = GetParam();
    EXPECT_EQ(FinishedNoticeText(c.count), c.text) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Cases, FinishedNoticeTest, testing::ValuesIn(CountCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A lead byte of a two-byte UTF-8 sequence followed by a continuation byte: an accent that an
// editor saved as UTF-8 instead of the single Windows-1252 byte the program shows.
bool HasUtf8Accent(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if (lead >= 0xC2 && lead <= 0xDF && next >= 0x80 && next <= 0xBF)
            return true;
    }
    return false;
}

TEST(NoticeTexts, AreWindows1252) {
    const std::string texts[] = {NoticeTitle,
                                 StartNoticeText,
                                 UnusablePathText,
                                 NoMemoryText,
                                 FinishedNoticeText(7),
                                 CannotOpenInputText("C:\\lista.txt"),
                                 ReadFailedText("C:\\lista.txt"),
                                 WriteFailedText("C:\\salida.txt")};
    for (const std::string& text : texts)
        EXPECT_FALSE(HasUtf8Accent(text)) << text;
    EXPECT_NE(std::string(StartNoticeText).find('\xF3'), std::string::npos)
        << "\"ordenaci\xF3n\" as one byte";
}

struct FailureCase {
    const char* name;
    std::string (*text)(std::string_view path);
    const char* tells; // what the user must learn besides the file's name
    const char* reason;
};

const FailureCase FailureCases[] = {
    {"InputCannotBeOpened", CannotOpenInputText, "No se ha ordenado ni escrito nada.",
     "the job stops before the save dialog"},
    {"InputReadFails", ReadFailedText, "No se ha ordenado ni escrito nada.",
     "part of a file is never sorted as if it were all"},
    {"OutputNotWritten", WriteFailedText, "conserva su contenido anterior.",
     "the user learns that the old file is safe"},
};

class FailureTextTest : public testing::TestWithParam<FailureCase> {};

TEST_P(FailureTextTest, NamesTheFileAndWhatWasLeft) {
    const FailureCase& c = GetParam();
    const std::string path = "C:\\Datos\\salida a\xF1o.txt";
    const std::string text = c.text(path);
    EXPECT_NE(text.find("\"" + path + "\""), std::string::npos) << "the whole name, quoted: " << c.reason;
    EXPECT_NE(text.find(c.tells), std::string::npos) << c.reason;
}

INSTANTIATE_TEST_SUITE_P(Cases, FailureTextTest, testing::ValuesIn(FailureCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
