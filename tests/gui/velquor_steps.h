#pragma once
// Steps a user takes in the program, shared by the GUI test programs.
#include "tests/gui/gui_driver.h"

#include <gtest/gtest.h>

namespace steps {

// Starts the program in the session's fresh folder and waits for its main window.
bool Start(gui::Session& session);

// Opens one more settings dialog from the main window and returns it; null when none appears.
HWND OpenSettings(const gui::Session& session);

// Closes a window by the given action and waits until it is gone.
testing::AssertionResult CloseWith(HWND window, void (*close)(HWND));

void PressSettingsExit(HWND settings);
void PressMainExit(HWND mainWindow);

// Waits for the program to end and checks its exit code.
testing::AssertionResult EndsWithCode(const gui::RunningProgram& program, DWORD expected);

// Sets the order (an item index, or -1 to leave it) and, when toggle is set, clicks the
// delete-previous box once, in a settings dialog closed with "Salir".
testing::AssertionResult ChangeSettings(const gui::Session& session, int orderIndex,
                                        bool toggleDeletePrevious);

// Ends the program with the main window's "Salir" and checks that it ends with code 0.
testing::AssertionResult Quit(const gui::Session& session);

} // namespace steps
