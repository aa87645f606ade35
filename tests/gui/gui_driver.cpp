#include "tests/gui/gui_driver.h"

#include <cstdlib>

namespace gui {
namespace {

// How long any wait for the program gives up after. Under an emulated CPU on a busy machine a
// program start alone can take over 10 s, so the default is generous; VELQUOR_GUI_WAIT_MS sets
// another. Only a failing test ever waits this long.
DWORD WaitLimitMs() {
    const char* setting = std::getenv("VELQUOR_GUI_WAIT_MS");
    const long value = setting ? std::strtol(setting, nullptr, 10) : 0;
    return value > 0 ? static_cast<DWORD>(value) : 30000;
}

constexpr DWORD PollIntervalMs = 50;
// Sent messages time out quickly: the program answers them from any of its message loops.
constexpr UINT SendTimeoutMs = 3000;

// Polls check until it yields a non-null/true value or the wait limit passes.
template <typename Check> auto PollUntil(Check check) -> decltype(check()) {
    const DWORD start = GetTickCount();
    for (;;) {
        auto result = check();
        if (result || GetTickCount() - start >= WaitLimitMs())
            return result;
        Sleep(PollIntervalMs);
    }
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, SendTimeoutMs,
                               &result) != 0;
}

std::wstring ClassName(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

struct DialogSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<DialogSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.pid && IsWindowVisible(window) && ClassName(window) == L"#32770")
        search.found.push_back(window);
    return TRUE;
}

bool IsMessageBox(HWND dialog) {
    return Control(dialog, MessageTextControl) && !Control(dialog, FileNameControl);
}

HWND FirstMessageBox(DWORD pid) {
    for (HWND dialog : VisibleDialogs(pid))
        if (IsMessageBox(dialog))
            return dialog;
    return nullptr;
}

void RemoveTree(const std::wstring& folder) {
    for (const std::wstring& name : FolderEntries(folder)) {
        const std::wstring path = folder + L"\\" + name;
        const DWORD attributes = GetFileAttributesW(path.c_str());
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            RemoveTree(path);
        else
            DeleteFileW(path.c_str());
    }
    RemoveDirectoryW(folder.c_str());
}

// lParam of a key message: repeat count 1, the key's scan code, and the transition bits.
LPARAM KeyData(UINT virtualKey, bool release, bool altDown) {
    const UINT scanCode = MapVirtualKeyW(virtualKey, 0 /* MAPVK_VK_TO_VSC */);
    LPARAM data = 1 | (static_cast<LPARAM>(scanCode) << 16);
    if (altDown)
        data |= 1 << 29;
    if (release)
        data |= (1u << 30) | (1u << 31);
    return data;
}

// The focused control of window, or window itself when the focus is elsewhere: a key meant for
// one dialog must never reach another.
HWND KeyboardTarget(HWND window) {
    HWND focus = FocusedControl(window);
    return focus ? focus : window;
}

} // namespace

std::wstring ProgramPath() {
    // The build passes the path the build system knows, a Unix path; Wine's drive Z: is the root.
    const std::string path = VELQUOR_PROGRAM;
    std::wstring windowsPath = path.rfind('/', 0) == 0 ? L"Z:" : L"";
    for (char c : path)
        windowsPath += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return windowsPath;
}

RunningProgram::~RunningProgram() {
    if (!process)
        return;
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, WaitLimitMs());
    }
    CloseHandle(process);
}

bool StartProgram(const std::wstring& exe, const std::wstring& workFolder, RunningProgram& program,
                  const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, workFolder.c_str(),
                        &startup, &info))
        return false;
    CloseHandle(info.hThread);
    program.process = info.hProcess;
    program.pid = info.dwProcessId;
    return true;
}

bool IsRunning(const RunningProgram& program) {
    return program.process && WaitForSingleObject(program.process, 0) == WAIT_TIMEOUT;
}

bool WaitForExit(const RunningProgram& program, DWORD& exitCode) {
    if (WaitForSingleObject(program.process, WaitLimitMs()) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(program.process, &exitCode) != 0;
}

TempFolder::TempFolder() {
    static unsigned counter = 0;
    wchar_t base[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, base);
    std::wstring root = base;
    if (!root.empty() && root.back() == L'\\')
        root.pop_back();
    do {
        path = root + L"\\velquor-gui-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(++counter);
    } while (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
}

TempFolder::~TempFolder() {
    RemoveTree(path);
}

RegistryKeyGuard::RegistryKeyGuard(const std::wstring& keyPath, const std::wstring& valueName,
                                   const std::wstring& value)
    : key(keyPath) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return;
    const DWORD size = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    created = RegSetValueExW(handle, valueName.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(value.c_str()), size) == ERROR_SUCCESS;
    RegCloseKey(handle);
}

RegistryKeyGuard::~RegistryKeyGuard() {
    RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool wrote = bytes.empty() ||
                       (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                        written == bytes.size());
    return CloseHandle(file) && wrote;
}

bool ReadBytes(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char block[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, block, sizeof block, &got, nullptr) != 0) && got > 0)
        bytes.append(block, got);
    CloseHandle(file);
    return ok;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

std::vector<HWND> VisibleDialogs(DWORD pid) {
    DialogSearch search{pid, {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring WindowText(HWND window) {
    wchar_t text[1024] = L"";
    DWORD_PTR copied = 0;
    if (!Send(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), copied))
        return L"";
    return std::wstring(text, copied);
}

std::vector<HWND> DialogsTitled(DWORD pid, const std::wstring& title) {
    std::vector<HWND> titled;
    for (HWND dialog : VisibleDialogs(pid))
        if (WindowText(dialog) == title)
            titled.push_back(dialog);
    return titled;
}

std::wstring DescribeDialogs(DWORD pid) {
    std::wstring titles;
    for (HWND dialog : VisibleDialogs(pid))
        titles += L"[" + WindowText(dialog) + L"] ";
    return titles.empty() ? L"no visible dialog" : titles;
}

HWND FindFileDialog(DWORD pid) {
    for (HWND dialog : VisibleDialogs(pid))
        if (FileNameField(dialog))
            return dialog;
    return nullptr;
}

HWND WaitForDialog(DWORD pid, const std::wstring& title) {
    return PollUntil([&]() -> HWND {
        const std::vector<HWND> titled = DialogsTitled(pid, title);
        return titled.empty() ? nullptr : titled.front();
    });
}

HWND WaitForFileDialog(DWORD pid) {
    return PollUntil([&] { return FindFileDialog(pid); });
}

HWND WaitForAnyDialog(DWORD pid) {
    return PollUntil([&]() -> HWND {
        const std::vector<HWND> dialogs = VisibleDialogs(pid);
        return dialogs.empty() ? nullptr : dialogs.front();
    });
}

HWND WaitForMessageBox(DWORD pid) {
    return PollUntil([&] { return FirstMessageBox(pid); });
}

bool WaitForDialogCount(DWORD pid, const std::wstring& title, size_t count) {
    return PollUntil([&] { return DialogsTitled(pid, title).size() == count; });
}

bool WaitUntil(const std::function<bool()>& condition) {
    return PollUntil(condition);
}

bool WaitUntilGone(HWND window) {
    return PollUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

void Click(HWND dialog, int buttonId) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(dialog, buttonId)));
}

void ClickControl(HWND dialog, int controlId) {
    PostMessageW(Control(dialog, controlId), BM_CLICK, 0, 0);
}

void PressKey(HWND window, UINT virtualKey) {
    HWND target = KeyboardTarget(window);
    PostMessageW(target, WM_KEYDOWN, virtualKey, KeyData(virtualKey, false, false));
    PostMessageW(target, WM_KEYUP, virtualKey, KeyData(virtualKey, true, false));
}

void PressAltF4(HWND window) {
    // With Alt held, F4 arrives as a system key whose default handling closes the top window.
    HWND target = KeyboardTarget(window);
    PostMessageW(target, WM_SYSKEYDOWN, VK_F4, KeyData(VK_F4, false, true));
    PostMessageW(target, WM_SYSKEYUP, VK_F4, KeyData(VK_F4, true, true));
}

void TypeText(HWND control, const std::wstring& text) {
    for (wchar_t c : text)
        PostMessageW(control, WM_CHAR, c, 1);
}

HWND Control(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

std::wstring ControlText(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    return control ? WindowText(control) : L"";
}

bool IsControlEnabled(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    return control && IsWindowEnabled(control);
}

int CheckState(HWND dialog, int id) {
    DWORD_PTR state = 0;
    HWND box = Control(dialog, id);
    return box && Send(box, BM_GETCHECK, 0, 0, state) ? static_cast<int>(state) : -1;
}

ComboState ReadCombo(HWND dialog, int id) {
    ComboState combo;
    HWND box = Control(dialog, id);
    DWORD_PTR index = 0;
    if (!box || !Send(box, CB_GETCURSEL, 0, 0, index))
        return combo;
    combo.selectedIndex = static_cast<int>(static_cast<LRESULT>(index));
    combo.fieldText = WindowText(box);
    if (combo.selectedIndex == CB_ERR)
        return combo;
    DWORD_PTR length = 0;
    if (!Send(box, CB_GETLBTEXTLEN, index, 0, length) || static_cast<LRESULT>(length) == CB_ERR)
        return combo;
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (Send(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]), copied) &&
        static_cast<LRESULT>(copied) != CB_ERR)
        combo.selectedItemText = text.substr(0, copied);
    return combo;
}

bool SelectComboItem(HWND dialog, int id, int index) {
    DWORD_PTR result = 0;
    HWND box = Control(dialog, id);
    return box && Send(box, CB_SETCURSEL, index, 0, result) && static_cast<LRESULT>(result) == index;
}

HWND ComboEditField(HWND dialog, int comboId) {
    HWND box = Control(dialog, comboId);
    return box ? FindWindowExW(box, nullptr, L"Edit", nullptr) : nullptr;
}

HWND FocusedControl(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && IsChild(window, info.hwndFocus))
        return info.hwndFocus;
    return nullptr;
}

RECT WindowRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

HWND FileNameField(HWND fileDialog) {
    // Explorer-style dialogs nest the field: ComboBoxEx32 > ComboBox > Edit, all with one id.
    HWND extended = Control(fileDialog, FileNameControl);
    if (!extended || ClassName(extended) != L"ComboBoxEx32")
        return nullptr;
    HWND combo = FindWindowExW(extended, nullptr, L"ComboBox", nullptr);
    return combo ? FindWindowExW(combo, nullptr, L"Edit", nullptr) : nullptr;
}

std::wstring FileNameText(HWND fileDialog) {
    HWND field = FileNameField(fileDialog);
    return field ? WindowText(field) : L"";
}

bool ChooseInFileDialog(HWND fileDialog, const std::wstring& name) {
    HWND field = FileNameField(fileDialog);
    DWORD_PTR result = 0;
    if (!field || !Send(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()), result))
        return false;
    // Posted to the dialog itself: a toolbar inside it also has the id IDOK.
    return PostMessageW(fileDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0) != 0;
}

void CancelFileDialog(HWND fileDialog) {
    PostMessageW(fileDialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

std::wstring MessageBoxText(HWND box) {
    return ControlText(box, MessageTextControl);
}

void DismissMessageBox(HWND box) {
    Click(box, MessageOkButton);
}

bool StartSession(Session& session, const std::wstring& exe, const std::wstring& mainTitle,
                  const std::wstring& arguments) {
    if (!StartProgram(exe, session.folder.path, session.program, arguments))
        return false;
    session.mainWindow = WaitForDialog(session.program.pid, mainTitle);
    return session.mainWindow != nullptr;
}

} // namespace gui
