#pragma once
// Drives the real program from outside, as a user would: starts it, finds its windows, clicks,
// types and reads what is on screen. Every wait is bounded; nothing here can hang a test.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace gui {

// Control identifiers of windows that the system builds for the program.
constexpr int FileNameControl = 0x47C;     // the open/save dialog's file name box
constexpr int FileTypeControl = 0x470;     // the open/save dialog's file type list
constexpr int MessageTextControl = 0xFFFF; // a message box's text
constexpr int MessageOkButton = IDOK;

// The program under test, as a Windows path.
std::wstring ProgramPath();

// A started program. The destructor ends the process by its handle if it is still running, so
// a failing test never leaves it behind.
struct RunningProgram {
    HANDLE process = nullptr;
    DWORD pid = 0;
    RunningProgram() = default;
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram();
};

// Starts exe with workFolder as its current folder and arguments after the program name on its
// command line; false when the process cannot be created.
bool StartProgram(const std::wstring& exe, const std::wstring& workFolder, RunningProgram& program,
                  const std::wstring& arguments = L"");

bool IsRunning(const RunningProgram& program);

// Waits for the process to end; false on timeout, else its exit code is stored.
bool WaitForExit(const RunningProgram& program, DWORD& exitCode);

// A fresh, empty folder under the temp folder; removed with everything in it on destruction.
struct TempFolder {
    std::wstring path; // ends without a backslash
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
};

// Sets a registry value under HKCU for the life of the guard, then removes the key again.
struct RegistryKeyGuard {
    std::wstring key;
    bool created = false;
    RegistryKeyGuard(const std::wstring& key, const std::wstring& valueName, const std::wstring& value);
    RegistryKeyGuard(const RegistryKeyGuard&) = delete;
    RegistryKeyGuard& operator=(const RegistryKeyGuard&) = delete;
    ~RegistryKeyGuard();
};

// --- Files -------------------------------------------------------------------------------------

bool WriteBytes(const std::wstring& path, const std::string& bytes);
// The whole content, or nothing when the file cannot be read.
bool ReadBytes(const std::wstring& path, std::string& bytes);
bool FileExists(const std::wstring& path);
std::vector<std::wstring> FolderEntries(const std::wstring& folder);

// --- Finding windows -------------------------------------------------------------------------

// The visible top-level dialog windows (class #32770) of the process.
std::vector<HWND> VisibleDialogs(DWORD pid);
std::wstring WindowText(HWND window);
// The visible dialogs of the process with this title.
std::vector<HWND> DialogsTitled(DWORD pid, const std::wstring& title);
// The titles of the process's visible dialogs, for failure messages.
std::wstring DescribeDialogs(DWORD pid);
// A visible open or save dialog of the process (recognised by its file name box), or null.
HWND FindFileDialog(DWORD pid);

// Waits until a visible dialog with this title shows up; null on timeout.
HWND WaitForDialog(DWORD pid, const std::wstring& title);
HWND WaitForFileDialog(DWORD pid);
// Waits until the process shows any visible dialog; null on timeout.
HWND WaitForAnyDialog(DWORD pid);
// Waits until the process shows a message box; null on timeout.
HWND WaitForMessageBox(DWORD pid);
// Waits until count dialogs with this title are visible at once.
bool WaitForDialogCount(DWORD pid, const std::wstring& title, size_t count);
// Polls condition until it holds; false when the wait limit passes first.
bool WaitUntil(const std::function<bool()>& condition);
// Waits until the window is destroyed or hidden.
bool WaitUntilGone(HWND window);

// --- Acting on windows ------------------------------------------------------------------------

// Posts a button click to the dialog as the button itself would report it.
void Click(HWND dialog, int buttonId);
// Posts BM_CLICK to a control, so it changes its own state as under the mouse.
void ClickControl(HWND dialog, int controlId);
// Posts a key press and release to the control that has the focus in window's thread.
void PressKey(HWND window, UINT virtualKey);
// Posts Alt+F4 as the keyboard would deliver it.
void PressAltF4(HWND window);
// Posts the characters to the control one by one, as typing does.
void TypeText(HWND control, const std::wstring& text);

// --- Reading windows ------------------------------------------------------------------------

HWND Control(HWND dialog, int id);
std::wstring ControlText(HWND dialog, int id);
bool IsControlEnabled(HWND dialog, int id);
// BST_CHECKED, BST_UNCHECKED, or -1 when the box cannot be asked.
int CheckState(HWND dialog, int id);
struct ComboState {
    int selectedIndex = CB_ERR;
    std::wstring selectedItemText; // empty without a selection
    std::wstring fieldText;        // what the edit field shows
};
ComboState ReadCombo(HWND dialog, int id);
// Selects a list item, as picking it from the opened list does.
bool SelectComboItem(HWND dialog, int id, int index);
// The edit field inside a drop-down combo box, or null.
HWND ComboEditField(HWND dialog, int comboId);
RECT WindowRect(HWND window);
// The control of window that has the keyboard focus, or null when the focus is elsewhere.
HWND FocusedControl(HWND window);

// --- Dialogs the system builds -------------------------------------------------------------

// The edit field of an open or save dialog's file name box, or null.
HWND FileNameField(HWND fileDialog);
std::wstring FileNameText(HWND fileDialog);
// Enters name in the file name box and confirms the dialog.
bool ChooseInFileDialog(HWND fileDialog, const std::wstring& name);
void CancelFileDialog(HWND fileDialog);
std::wstring MessageBoxText(HWND box);
void DismissMessageBox(HWND box);

// --- One program instance per test ---------------------------------------------------------

// A program started in a fresh folder of its own. Members end in reverse order: the process is
// ended before its folder is removed.
struct Session {
    TempFolder folder;
    RunningProgram program;
    HWND mainWindow = nullptr;
    std::wstring PathOf(const std::wstring& name) const { return folder.path + L"\\" + name; }
};

// Starts exe in session.folder and waits until a visible dialog titled mainTitle appears;
// false when either fails.
bool StartSession(Session& session, const std::wstring& exe, const std::wstring& mainTitle,
                  const std::wstring& arguments = L"");

} // namespace gui
