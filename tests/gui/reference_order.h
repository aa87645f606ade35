#pragma once
// An independent model of how the program orders lines, written from the collation rules, so
// that the GUI tests can derive the expected output file instead of hard-coding it.
#include <string>
#include <vector>

namespace reference {

// The non-empty lines of a file's bytes: lines end at CR or CR LF, a lone LF is an ordinary
// character, and a 0x1A byte ends the input.
std::vector<std::string> NonEmptyLines(const std::string& fileBytes);

// Position of the lower-cased byte in the collation table (1 to 91), or 0 outside it.
int Rank(unsigned char byte);

// True when line a sorts after line b: at the first position whose ranks differ (a position
// past a line's end ranking 0), a has the higher rank.
bool SortsAfter(const std::string& a, const std::string& b);

enum SortOrder { Descending = 1, Ascending = 2 };

// The program's bidirectional exchange sort, pass for pass: neighbours are exchanged when the
// comparison's answer (2 = after, 1 = otherwise) equals order, so the placement of equal lines
// in a descending sort follows from the passes exactly.
void ShakerSort(std::vector<std::string>& lines, SortOrder order);

// The lines as the program writes them: each followed by CR LF.
std::string WrittenLines(const std::vector<std::string>& lines);

} // namespace reference
