#include "app/dialog_machinery.h"

#include "app/ansi_text.h"
#include "app/shared_font.h"

#include <new>
#include <vector>

HWND ActiveDialog = nullptr;

namespace {

// No system menu, hence no close box; hidden until ShowModal shows it.
constexpr DWORD DialogStyle =
    WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
constexpr WORD DialogFontPoints = 8;
constexpr WORD DialogFontWeight = 400;
constexpr const wchar_t* DialogFontFace = L"MS Sans Serif";

// What the machinery keeps for each dialog window, from NewDialog until WM_NCDESTROY.
struct DialogState {
    HWND owner = nullptr;
    WindowProcedure procedure = nullptr;
    INT_PTR* result = nullptr;
    HFONT font = nullptr;
    HWND savedFocus = nullptr;
    std::vector<SharedFont*> fontUses;
};

DialogState* StateOf(HWND dialog) {
    return reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void AppendText(std::vector<WORD>& words, const wchar_t* text) {
    do
        words.push_back(*text);
    while (*text++);
}

// The in-memory DLGTEMPLATEEX of every dialog: no controls (AddControl adds them), the standard
// dialog class, a one-blank title (NewDialog sets the real one as UTF-16) and the dialog font.
std::vector<WORD> DialogTemplate(int x, int y, int cx, int cy) {
    std::vector<WORD> words = {
        1,      // dlgVer
        0xFFFF, // signature
        0,
        0, // helpID
        0,
        0, // exStyle
        LOWORD(DialogStyle),
        HIWORD(DialogStyle),
        0, // cDlgItems
        static_cast<WORD>(x),
        static_cast<WORD>(y),
        static_cast<WORD>(cx),
        static_cast<WORD>(cy),
        0, // no menu
        0, // standard dialog class
    };
    AppendText(words, L" ");
    words.push_back(DialogFontPoints);
    words.push_back(DialogFontWeight);
    words.push_back(0); // not italic, character set 0
    AppendText(words, DialogFontFace);
    return words;
}

void SetOwnerEnabled(const DialogState& state, BOOL enabled) {
    if (state.owner)
        EnableWindow(state.owner, enabled);
}

void ReleaseDialogState(HWND dialog) {
    DialogState* state = StateOf(dialog);
    if (!state)
        return;
    SetWindowLongPtrW(dialog, DWLP_USER, 0);
    for (SharedFont* font : state->fontUses)
        ReleaseSharedFont(*font);
    delete state;
}

// The default handling of a message that the dialog's own procedure left alone.
INT_PTR DefaultHandling(HWND dialog, UINT message, WPARAM wParam) {
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
        EndModal(dialog, 0);
        return TRUE;
    }
    if (message == WM_NCDESTROY) {
        ReleaseDialogState(dialog);
        return TRUE;
    }
    return FALSE;
}

} // namespace

HWND NewDialog(HWND owner, int x, int y, int cx, int cy, const char* title) {
    const std::vector<WORD> dialogTemplate = DialogTemplate(x, y, cx, cy);
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                             reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()), owner,
                                             SharedDialogProc, 0);
    if (!dialog)
        return nullptr;
    DialogState* state = new (std::nothrow) DialogState;
    if (!state) {
        DestroyWindow(dialog);
        return nullptr;
    }
    state->owner = owner;
    state->font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    SetWindowTextW(dialog, ToWide(title).c_str());
    return dialog;
}

void AddControl(HWND dialog, const ControlRow& control) {
    const DialogState* state = dialog ? StateOf(dialog) : nullptr;
    if (!state)
        return;
    RECT area = {control.x, control.y, control.x + control.cx, control.y + control.cy};
    MapDialogRect(dialog, &area);
    HWND window = CreateWindowExW(
        0, ToWide(control.className).c_str(), ToWide(control.text).c_str(), control.style, area.left,
        area.top, area.right - area.left, area.bottom - area.top, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), GetModuleHandleW(nullptr), nullptr);
    if (window)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), TRUE);
}

INT_PTR ShowModal(HWND dialog, WindowProcedure procedure) {
    DialogState* state = dialog ? StateOf(dialog) : nullptr;
    if (!state)
        return 0;
    SetForegroundWindow(dialog);
    procedure(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(dialog), 0);
    INT_PTR result = 0;
    const HWND owner = state->owner;
    state->procedure = procedure;
    state->result = &result;
    SetOwnerEnabled(*state, FALSE);
    ShowWindow(dialog, SW_SHOW);
    // Polls rather than blocks; every window of the thread gets its messages from this loop,
    // whichever dialog is running it.
    while (IsWindow(dialog)) {
        MSG message;
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            Sleep(1);
            continue;
        }
        if (!IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (owner)
        SetFocus(owner);
    return result;
}

void EndModal(HWND dialog, INT_PTR result) {
    const DialogState* state = StateOf(dialog);
    if (!state)
        return;
    if (state->result)
        *state->result = result;
    SendMessageW(dialog, WM_CLOSE, 0, 0);
    // WM_CLOSE may have run a nested loop in which the dialog was already destroyed.
    state = StateOf(dialog);
    if (state)
        SetOwnerEnabled(*state, TRUE);
    DestroyWindow(dialog);
}

INT_PTR CALLBACK SharedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // The WM_INITDIALOG of the window's creation comes before any control exists; ShowModal
    // sends the procedure its own once the controls are there.
    if (message == WM_INITDIALOG)
        return FALSE;
    if (message == WM_ACTIVATE) {
        ActiveDialog = LOWORD(wParam) == WA_INACTIVE ? nullptr : dialog;
        return FALSE;
    }
    const DialogState* state = StateOf(dialog);
    if (state && state->procedure) {
        const INT_PTR handled = state->procedure(dialog, message, wParam, lParam);
        if (handled) {
            if (GetWindowLongPtrW(dialog, DWLP_MSGRESULT) == 0)
                SetWindowLongPtrW(dialog, DWLP_MSGRESULT, handled);
            return handled;
        }
    }
    return DefaultHandling(dialog, message, wParam);
}

void PumpOneMessage() {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        Sleep(1);
        return;
    }
    if (ActiveDialog && IsWindow(ActiveDialog) && IsDialogMessageW(ActiveDialog, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void KeepFontUseUntilDestroyed(HWND dialog, SharedFont& font) {
    if (DialogState* state = StateOf(dialog))
        state->fontUses.push_back(&font);
}

HWND& SavedFocusOf(HWND dialog) {
    return StateOf(dialog)->savedFocus;
}

void KeepFocusAcrossActivation(HWND dialog, HWND& savedFocus, WPARAM activating) {
    if (!activating) {
        savedFocus = GetFocus();
        return;
    }
    if (savedFocus && IsChild(dialog, savedFocus))
        SetFocus(savedFocus);
    savedFocus = nullptr;
}
