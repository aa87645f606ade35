#pragma once
#include <windows.h>

// Every window of the program is a modal dialog built from an in-memory template.

using WindowProcedure = INT_PTR (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The dialog that was last activated; null after it was deactivated.
extern HWND ActiveDialog;

HWND NewDialog(HWND owner, int x, int y, int cx, int cy, const char* title);
void AddControl(HWND dialog, const char* className, int id, const char* text, int x, int y, int cx, int cy,
                DWORD style);
INT_PTR ShowModal(HWND dialog, WindowProcedure procedure);
void EndModal(HWND dialog, INT_PTR result);
INT_PTR CALLBACK SharedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Lets at most one pending message of the thread run; sleeps 1 ms when none waits.
void PumpOneMessage();
