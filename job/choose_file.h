#pragma once
#include <windows.h>

// Paths as 8-bit ANSI texts in fixed buffers; only ChooseFile writes them.
constexpr int PathCapacity = 274;   // at most 273 bytes of path
constexpr int FolderCapacity = 255; // at most 254 bytes of folder
extern char InputPath[PathCapacity];
extern char OutputPath[PathCapacity];
extern char LastFolder[FolderCapacity];

enum FileDialogMode { OpenFileDialog = 0, SaveFileDialog = 1 };

// Shows the open (mode 0) or save dialog, starting where the path's previous choice was made,
// and stores the choice in path (emptied on cancel); returns 1 when path is non-empty. A name
// that the path variables cannot hold exactly is refused with a message and asked for again.
int ChooseFile(HWND owner, char* path, int mode);
