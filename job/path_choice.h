#pragma once
#include <string>
#include <string_view>

// What goes into and out of a path variable (InputPath, OutputPath) around a file dialog.

// Sets LastFolder to the folder of the choice held in path and returns that choice's name part
// (at most 259 units): the folder and the name a dialog of the same kind starts with.
std::wstring PrepareStartingPoint(const char* path);

// Stores a chosen path (empty after a cancel) in path without its outer blanks. A choice that
// would not name the same file once stored (too long, or not representable in the ANSI code
// page) leaves path empty and returns false.
bool StorePathChoice(std::wstring_view chosen, char* path);
