#include "tests/faults/fault_job.h"

#include "tests/gui/velquor_ui.h"

#include <algorithm>

using namespace gui;

namespace faults {
namespace {

testing::AssertionResult Failed(const Session& session, const char* what) {
    return testing::AssertionFailure() << what << "; showing: " << DescribeDialogs(session.program.pid);
}

bool Dismissed(HWND box) {
    DismissMessageBox(box);
    return WaitUntilGone(box);
}

// The icon of a static icon control, or null when it shows none.
HICON ShownIcon(HWND control) {
    DWORD_PTR icon = 0;
    SendMessageTimeoutW(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 3000, &icon);
    return reinterpret_cast<HICON>(icon);
}

BOOL CALLBACK FindVisibleIcon(HWND child, LPARAM lParam) {
    wchar_t className[16] = L"";
    GetClassNameW(child, className, 16);
    const bool icon = lstrcmpiW(className, L"Static") == 0 &&
                      (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child) &&
                      ShownIcon(child);
    *reinterpret_cast<bool*>(lParam) |= icon;
    return !icon;
}

bool ShowsMessageBox(DWORD pid) {
    for (HWND dialog : VisibleDialogs(pid))
        if (Control(dialog, MessageTextControl) && !FileNameField(dialog))
            return true;
    return false;
}

// Answers the save dialog if the job shows one before its next message; false when neither
// appears or the dialog cannot be answered.
bool AnswerSaveDialog(const Session& session, const std::wstring& output, JobEnd& end) {
    const DWORD pid = session.program.pid;
    if (!WaitUntil([&] { return FindFileDialog(pid) || ShowsMessageBox(pid); }))
        return false;
    HWND save = FindFileDialog(pid);
    if (!save)
        return true;
    end.saveDialogShown = true;
    if (output.empty())
        CancelFileDialog(save);
    else if (!ChooseInFileDialog(save, output))
        return false;
    return WaitUntilGone(save);
}

} // namespace

testing::AssertionResult RunJob(const Session& session, const std::wstring& input, const std::wstring& output,
                                JobEnd& end) {
    const DWORD pid = session.program.pid;
    Click(session.mainWindow, ui::SortButton);
    HWND open = WaitForFileDialog(pid);
    if (!open)
        return Failed(session, "no open dialog appeared");
    if (!ChooseInFileDialog(open, input) || !WaitUntilGone(open))
        return Failed(session, "the open dialog did not take the name");
    HWND notice = WaitForDialog(pid, ui::NoticeTitle);
    if (!notice || MessageBoxText(notice) != ui::StartNotice)
        return Failed(session, "no start notice appeared");
    if (ShowsIcon(notice))
        return Failed(session, "the start notice shows an icon");
    if (!Dismissed(notice))
        return Failed(session, "the start notice stayed open");
    if (!AnswerSaveDialog(session, output, end))
        return Failed(session, "nothing followed the start notice, or the save dialog did not close");
    HWND box = WaitForMessageBox(pid);
    if (!box)
        return Failed(session, "no message followed");
    if (WindowText(box) != ui::NoticeTitle)
        return Failed(session, "the message has another title");
    end.message = MessageBoxText(box);
    end.errorIcon = ShowsIcon(box);
    if (!Dismissed(box))
        return Failed(session, "the message stayed open");
    // The buttons come back only when the job has returned, after any notice it showed.
    end.endedThere = WaitUntil([&] { return IsControlEnabled(session.mainWindow, ui::SortButton); }) &&
                     VisibleDialogs(pid).size() == 1;
    return testing::AssertionSuccess();
}

bool ShowsIcon(HWND box) {
    bool found = false;
    EnumChildWindows(box, FindVisibleIcon, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<std::wstring> SortedEntries(const std::wstring& folder) {
    std::vector<std::wstring> names = FolderEntries(folder);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace faults
