#pragma once
#include <windows.h>

// Runs one sort job on the input file: the start notice, load, sort, the save dialog, the
// write and the final notice with the number of lines.
void SortFile(HWND owner, const char* inputPath);
