#pragma once
#include <windows.h>

// The program's one permanent window, whose three buttons sort a file, open the settings dialog
// and close the window. Returns its modal result (0) once the window has been destroyed.
INT_PTR ShowMainWindow(HWND owner);
