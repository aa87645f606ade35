#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Every text the sort job shows to the user, as Windows-1252 bytes.

extern const char NoticeTitle[];
extern const char StartNoticeText[];
extern const char UnusablePathText[];
extern const char NoMemoryText[];

// "Termine de ordenar " and the plain decimal count (no sign, no grouping) and " l\xEDneas ...";
// the plural stays for one line.
std::string FinishedNoticeText(uint64_t lineCount);

// Names the output file that could not be written completely.
std::string WriteFailedText(std::string_view path);
