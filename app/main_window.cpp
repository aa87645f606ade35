#include "app/main_window.h"

#include "app/dialog_machinery.h"
#include "app/settings_dialog.h"
#include "job/choose_file.h"
#include "job/sort_file.h"
#include "linefiles/line_reader.h"

#include <cstdint>

namespace {

enum MainControl { SortButton = 1001, SettingsButton = 1002, ExitButton = 1003 };

constexpr ControlRow MainControls[] = {
    {SortButton, "BUTTON", "Ordenar texto", 25, 10, 140, 20, PushButtonStyle},
    {SettingsButton, "BUTTON", "Configuraci\xF3n", 25, 30, 140, 20, PushButtonStyle},
    {ExitButton, "BUTTON", "Salir", 25, 50, 140, 20, PushButtonStyle},
};

// 1 from an accepted "Ordenar texto" until its handling has finished: messages keep running
// during the job, so a second command could otherwise start a job inside the first.
int32_t JobRunning = 0;
HWND MainSavedFocus = nullptr;

void SetJobButtonsEnabled(HWND window, BOOL enabled) {
    for (const ControlRow& control : MainControls)
        EnableWindow(GetDlgItem(window, control.id), enabled);
}

// Asks for an input file and sorts it; the buttons stay disabled while the job runs.
void RunSortCommand(HWND window) {
    if (JobRunning)
        return;
    JobRunning = 1;
    ChooseFile(window, InputPath, OpenFileDialog);
    if (InputPath[0] != '\0' && FileExists(InputPath)) {
        SetJobButtonsEnabled(window, FALSE);
        SortFile(window, InputPath);
        SetJobButtonsEnabled(window, TRUE);
    }
    JobRunning = 0;
}

void OnCommand(HWND window, WPARAM wParam) {
    // A button's click arrives as BN_CLICKED (0); 1 is what an accelerator would send.
    if (HIWORD(wParam) > 1)
        return;
    switch (LOWORD(wParam)) {
    case SortButton: RunSortCommand(window); break;
    case SettingsButton: ShowSettingsDialog(nullptr); break;
    case ExitButton: EndModal(window, 0); break;
    }
}

INT_PTR MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_NCACTIVATE: KeepFocusAcrossActivation(window, MainSavedFocus, wParam); break;
    case WM_COMMAND: OnCommand(window, wParam); break;
    }
    return 0;
}

} // namespace

INT_PTR ShowMainWindow(HWND owner) {
    HWND window = NewDialog(owner, 153, 71, 192, 78, "Velquor");
    for (const ControlRow& control : MainControls)
        AddControl(window, control);
    return ShowModal(window, MainWindowProc);
}
