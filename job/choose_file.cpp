#include "job/choose_file.h"

#include "app/ansi_text.h"
#include "job/dialog_placement.h"
#include "job/notice_text.h"
#include "job/notices.h"
#include "job/path_choice.h"

#include <commdlg.h>

#include <string>
#include <vector>

char InputPath[PathCapacity];
char OutputPath[PathCapacity];
char LastFolder[FolderCapacity];

// Both dialogs insist on an existing file, the save dialog too, and never move the current
// folder, which is where a dialog without a previous choice starts.
constexpr DWORD FileDialogFlags =
    OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
static_assert(FileDialogFlags == 0x0088102C);
#ifndef _WIN64
static_assert(sizeof(OPENFILENAMEW) == 88, "the full structure, with the fields of newer systems");
#endif

constexpr DWORD FileBufferUnits = 16384;
// One entry, "Texto" for every file; the literal's own NUL ends the list.
constexpr wchar_t FileFilter[] = L"Texto\0*.*\0";

static RECT WorkArea() {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// Moves the dialog next to its owner and brings it to the front.
static UINT_PTR OnHookInit(HWND hookWindow, const OPENFILENAMEW& request) {
    const HWND dialog = GetParent(hookWindow);
    const HWND owner = reinterpret_cast<HWND>(request.lCustData);
    RECT dialogRect{};
    GetWindowRect(dialog, &dialogRect);
    RECT ownerRect{};
    const bool haveOwnerRect = owner && GetWindowRect(owner, &ownerRect);
    const SIZE size{dialogRect.right - dialogRect.left, dialogRect.bottom - dialogRect.top};
    const POINT corner = DialogPlacement(haveOwnerRect ? &ownerRect : nullptr, size, WorkArea());
    SetWindowPos(dialog, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetForegroundWindow(dialog);
    return 1;
}

static UINT_PTR CALLBACK PlacementHook(HWND hookWindow, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnHookInit(hookWindow, *reinterpret_cast<const OPENFILENAMEW*>(lParam));
    default: return 0;
    }
}

// The process's current folder, read anew for each dialog; empty when it cannot be read.
static std::wstring CurrentFolder() {
    const DWORD units = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(units, L'\0');
    const DWORD length = units ? GetCurrentDirectoryW(units, folder.data()) : 0;
    folder.resize(length < units ? length : 0);
    return folder;
}

// Shows the open (mode 0) or save dialog starting in folder with name filled in; returns the
// chosen full path, or an empty one when the dialog was cancelled or could not be shown.
static std::wstring ShowFileDialog(HWND owner, const std::wstring& name, const std::wstring& folder,
                                   int mode) {
    std::vector<wchar_t> file(FileBufferUnits, L'\0');
    name.copy(file.data(), name.size());
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = FileFilter;
    request.nFilterIndex = 0;
    request.lpstrFile = file.data();
    request.nMaxFile = FileBufferUnits;
    request.lpstrInitialDir = folder.c_str();
    request.Flags = FileDialogFlags;
    request.lpstrDefExt = mode == OpenFileDialog ? L"Texto" : L"txt";
    request.lCustData = reinterpret_cast<LPARAM>(owner);
    request.lpfnHook = PlacementHook;
    const BOOL chosen = mode == OpenFileDialog ? GetOpenFileNameW(&request) : GetSaveFileNameW(&request);
    return chosen ? std::wstring(file.data()) : std::wstring();
}

int ChooseFile(HWND owner, char* path, int mode) {
    const std::wstring name = PrepareStartingPoint(path);
    const std::wstring folder = LastFolder[0] ? ToWide(LastFolder) : CurrentFolder();
    // A name that cannot be stored exactly is refused and the dialog asked again, until the
    // user picks a usable one or cancels.
    while (!StorePathChoice(ShowFileDialog(owner, name, folder, mode), path))
        ShowError(UnusablePathText);
    return path[0] != '\0';
}
