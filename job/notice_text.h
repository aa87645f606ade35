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

// Names an input file that could not be opened (held by another program, no right to read
// it, gone); the job stops before anything is written.
std::string CannotOpenInputText(std::string_view path);

// Names an input file whose reading failed before its end; the job stops before anything is
// written.
std::string ReadFailedText(std::string_view path);

// Names the output file that could not be written or put in place, which keeps its previous
// content.
std::string WriteFailedText(std::string_view path);
