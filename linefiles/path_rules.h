#pragma once
#include <cstddef>
#include <string_view>

// Which paths the line files hand to the file system. Paths are checked in UTF-16, where a
// backslash can never be the second byte of a double-byte ANSI character.

// True for a path that must not be opened: an empty one, or a pattern holding '*' or '?'.
bool IsRefusedPath(std::wstring_view path);

// True for a path that cannot name one file to remove: a refused path, or one ending in a
// folder or drive separator.
bool NamesNoFile(std::wstring_view path);

// Length of the folder part of path, its last separator included ("C:\a\b.txt" gives 5,
// "C:b.txt" gives 2, "b.txt" gives 0).
size_t FolderPartLength(std::wstring_view path);
