#pragma once
#include <windows.h>

// "Configurador": edits SortOrder (written by its "Salir") and DeletePrevious (written at each
// click of its check box). Several can be open at once. Returns its modal result (0).
INT_PTR ShowSettingsDialog(HWND owner);
