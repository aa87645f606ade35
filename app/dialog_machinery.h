#pragma once
#include <windows.h>

struct SharedFont;

// Every window of the program is a modal dialog built from an in-memory template, given its
// controls afterwards and run by a polling loop on the one thread.

// A dialog's own procedure: returns nonzero when it handled the message (the result), 0 to leave
// the message to the default handling.
using WindowProcedure = INT_PTR (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// One child control; position and size in dialog units.
struct ControlRow {
    int id;
    const char* className;
    const char* text;
    int x, y, cx, cy;
    DWORD style;
};

// A plain push button, never a default one, so Enter presses only the button that has the focus.
constexpr DWORD PushButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

// The dialog that was last activated; null after it was deactivated.
extern HWND ActiveDialog;

// Creates a hidden dialog whose client area is (x, y, cx, cy) in dialog units; null on failure.
HWND NewDialog(HWND owner, int x, int y, int cx, int cy, const char* title);

// Adds one visible control in the dialog's font; a control that cannot be created is left out.
void AddControl(HWND dialog, const ControlRow& control);

// Shows the dialog and runs its loop until the window is gone; returns the value given to
// EndModal, or 0 when the dialog ended otherwise or was never created.
INT_PTR ShowModal(HWND dialog, WindowProcedure procedure);

void EndModal(HWND dialog, INT_PTR result);

INT_PTR CALLBACK SharedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Lets at most one pending message of the thread run; sleeps 1 ms when none waits.
void PumpOneMessage();

// Counts one of the dialog's controls as a user of font until the dialog is destroyed.
void KeepFontUseUntilDestroyed(HWND dialog, SharedFont& font);

// The focused-control memory of one dialog, for dialogs that can be open more than once at a
// time. Valid only for a dialog that ShowModal runs.
HWND& SavedFocusOf(HWND dialog);

// Handles WM_NCACTIVATE's focus memory: remembers the focused control when the dialog loses
// activation and gives it the focus back when the dialog is activated again. A saved window
// that is no longer one of the dialog's controls is dropped, so that restoring the focus can
// never activate another window.
void KeepFocusAcrossActivation(HWND dialog, HWND& savedFocus, WPARAM activating);
