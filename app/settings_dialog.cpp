#include "app/settings_dialog.h"

#include "app/ansi_text.h"
#include "app/dialog_machinery.h"
#include "app/order_choice.h"
#include "app/settings.h"
#include "app/shared_font.h"

#include <string>

namespace {

enum SettingsControl {
    OrderLabel = 1005,
    OrderCombo = 1006,
    DeletePreviousCheck = 1007,
    SettingsExitButton = 1008,
};

// Shared by every open settings dialog; created at first use, deleted with the last user.
SharedFont SettingsFontNormal = {L"MS Sans Serif", 10, FW_NORMAL, nullptr, 0};
SharedFont SettingsFontBold = {L"MS Sans Serif", 10, FW_BOLD, nullptr, 0};

constexpr DWORD LabelStyle = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD OrderComboStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_SORT | CBS_DROPDOWN;
constexpr DWORD CheckBoxStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_MULTILINE | BS_VCENTER | BS_LEFT | BS_AUTOCHECKBOX;

struct SettingsControlRow {
    ControlRow control;
    SharedFont* font;
};

// The combo box has an edit field (CBS_DROPDOWN) whose typed text is never read; the check box
// wraps its text (BS_MULTILINE) and centres it vertically in its two lines.
const SettingsControlRow SettingsControls[] = {
    {{OrderLabel, "STATIC", "Ordenaci\xF3n", 5, 5, 190, 15, LabelStyle}, &SettingsFontBold},
    {{OrderCombo, "COMBOBOX", "", 5, 20, 190, 40, OrderComboStyle}, &SettingsFontNormal},
    {{DeletePreviousCheck, "BUTTON", "Borrar fichero anterior si lleva el mismo nombre", 5, 35, 190, 30,
      CheckBoxStyle},
     &SettingsFontBold},
    {{SettingsExitButton, "BUTTON", "Salir", 5, 75, 50, 15, PushButtonStyle}, &SettingsFontBold},
};

// Item i stands for SortOrder i + 1; the sorted list keeps them in this order.
constexpr const char* OrderItems[] = {"01 De Mayor a Menor", "02 De Menor a Mayor"};

LRESULT SendToControl(HWND window, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageW(window, id, message, wParam, lParam);
}

// Every opening shows the settings as they are now.
void OnInitDialog(HWND window) {
    SendToControl(window, OrderCombo, CB_RESETCONTENT);
    for (const char* item : OrderItems)
        SendToControl(window, OrderCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(item).c_str()));
    // Any SortOrder other than 1 or 2 (0 in practice) selects no item.
    SendToControl(window, OrderCombo, CB_SETCURSEL, static_cast<WPARAM>(SortOrder - 1));
    SendToControl(window, DeletePreviousCheck, BM_SETCHECK,
                  DeletePrevious == 1 ? BST_CHECKED : BST_UNCHECKED);
}

// The text of the selected list item; empty when none is selected.
std::string SelectedOrderItem(HWND window) {
    const LRESULT index = SendToControl(window, OrderCombo, CB_GETCURSEL);
    if (index == CB_ERR)
        return {};
    const LRESULT length = SendToControl(window, OrderCombo, CB_GETLBTEXTLEN, index);
    if (length == CB_ERR)
        return {};
    std::wstring text(length + 1, L'\0');
    const LRESULT copied =
        SendToControl(window, OrderCombo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : copied);
    return ToAnsi(text);
}

void OnExit(HWND window) {
    SortOrder = SortOrderFromItemText(SelectedOrderItem(window));
    EndModal(window, 0);
}

void OnCommand(HWND window, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case DeletePreviousCheck:
        DeletePrevious = SendToControl(window, DeletePreviousCheck, BM_GETCHECK) == BST_CHECKED ? 1 : 0;
        break;
    case SettingsExitButton:
        if (HIWORD(wParam) <= 1)
            OnExit(window);
        break;
    }
}

INT_PTR SettingsDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(window); break;
    case WM_NCACTIVATE: KeepFocusAcrossActivation(window, SavedFocusOf(window), wParam); break;
    case WM_COMMAND: OnCommand(window, wParam); break;
    }
    return 0;
}

} // namespace

INT_PTR ShowSettingsDialog(HWND owner) {
    HWND window = NewDialog(owner, 119, 82, 201, 96, "Configurador");
    for (const SettingsControlRow& row : SettingsControls)
        AddControl(window, row.control);
    for (const SettingsControlRow& row : SettingsControls)
        GiveSharedFont(GetDlgItem(window, row.control.id), *row.font);
    return ShowModal(window, SettingsDialogProc);
}
