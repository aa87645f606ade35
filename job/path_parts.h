#pragma once
#include <string_view>

// Where a file dialog starts is derived from the previous choice: its folder and its name.

// Dialogs start from nothing when the previous path's wide form is longer than this.
constexpr size_t LongestSplitPath = 260;

struct PathParts {
    std::wstring_view folder; // up to and including the last backslash or colon
    std::wstring_view name;   // after the last backslash or colon, or the whole path
};

// Splits a path at its last backslash or colon (a slash does not separate); both parts are
// empty for an empty path or one longer than LongestSplitPath units.
PathParts SplitPath(std::wstring_view path);

// Removes leading and trailing blanks (0x20 only: tabs and other spaces are part of a name).
std::string_view StripBlanks(std::string_view text);
