#pragma once
#include <string>
#include <string_view>

// The program's texts are 8-bit texts in the system's ANSI code page; they become UTF-16 only
// where they are handed to the window system or the file system.

std::wstring ToWide(std::string_view ansi);

// Converts UTF-16 back to the ANSI code page; fails (returns false) when a character has no
// exact ANSI form, so that a path is never stored altered.
bool ToAnsiExactly(std::wstring_view wide, std::string& ansi);

// The same conversion where an approximation is harmless (display texts).
std::string ToAnsi(std::wstring_view wide);
