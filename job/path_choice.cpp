#include "job/path_choice.h"

#include "app/ansi_text.h"
#include "job/choose_file.h"
#include "job/path_parts.h"

#include <algorithm>
#include <cstring>

// The dialog's file buffer starts with the name and its NUL in the first 260 units.
constexpr size_t LongestStartingName = 259;

// Copies text into a NUL-terminated buffer of the given capacity, cut to fit.
static void StoreCut(std::string_view text, char* buffer, size_t capacity) {
    const size_t length = std::min(text.size(), capacity - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

std::wstring PrepareStartingPoint(const char* path) {
    const std::wstring wide = ToWide(StripBlanks(path));
    const PathParts parts = SplitPath(wide);
    StoreCut(ToAnsi(parts.folder), LastFolder, FolderCapacity);
    return std::wstring(parts.name.substr(0, LongestStartingName));
}

bool StorePathChoice(std::wstring_view chosen, char* path) {
    path[0] = '\0';
    std::string ansi;
    if (!ToAnsiExactly(chosen, ansi))
        return false;
    const std::string_view stripped = StripBlanks(ansi);
    if (stripped.size() >= PathCapacity)
        return false;
    StoreCut(stripped, path, PathCapacity);
    return true;
}
