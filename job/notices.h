#pragma once
#include <string_view>

// The program's message boxes: no owner (the main window stays usable), title "Programador",
// texts given as ANSI.

// A plain notice with one OK button and no icon; returns when the user dismisses it.
void ShowNotice(std::string_view text);

// The one way a failure is told to the user.
void ShowError(std::string_view text);
