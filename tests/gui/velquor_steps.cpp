#include "tests/gui/velquor_steps.h"

#include "tests/gui/velquor_ui.h"

#include <algorithm>

using namespace gui;

namespace steps {

bool Start(Session& session) {
    return StartSession(session, ProgramPath(), ui::MainTitle);
}

HWND OpenSettings(const Session& session) {
    const std::vector<HWND> before = DialogsTitled(session.program.pid, ui::SettingsTitle);
    Click(session.mainWindow, ui::SettingsButton);
    if (!WaitForDialogCount(session.program.pid, ui::SettingsTitle, before.size() + 1))
        return nullptr;
    for (HWND dialog : DialogsTitled(session.program.pid, ui::SettingsTitle))
        if (std::find(before.begin(), before.end(), dialog) == before.end())
            return dialog;
    return nullptr;
}

testing::AssertionResult CloseWith(HWND window, void (*close)(HWND)) {
    close(window);
    if (!WaitUntilGone(window))
        return testing::AssertionFailure() << "the window stayed open";
    return testing::AssertionSuccess();
}

void PressSettingsExit(HWND settings) {
    Click(settings, ui::SettingsExitButton);
}
void PressMainExit(HWND mainWindow) {
    Click(mainWindow, ui::ExitButton);
}

testing::AssertionResult EndsWithCode(const RunningProgram& program, DWORD expected) {
    DWORD code = 0;
    if (!WaitForExit(program, code))
        return testing::AssertionFailure() << "the program did not end";
    if (code != expected)
        return testing::AssertionFailure() << "exit code " << code << ", expected " << expected;
    return testing::AssertionSuccess();
}

testing::AssertionResult ChangeSettings(const Session& session, int orderIndex, bool toggleDeletePrevious) {
    HWND settings = OpenSettings(session);
    if (!settings)
        return testing::AssertionFailure() << "no settings dialog appeared";
    if (orderIndex >= 0 && !SelectComboItem(settings, ui::OrderCombo, orderIndex))
        return testing::AssertionFailure() << "cannot select order item " << orderIndex;
    if (toggleDeletePrevious)
        ClickControl(settings, ui::DeletePreviousCheck);
    return CloseWith(settings, PressSettingsExit);
}

testing::AssertionResult Quit(const Session& session) {
    testing::AssertionResult closed = CloseWith(session.mainWindow, PressMainExit);
    return closed ? EndsWithCode(session.program, 0) : closed;
}

} // namespace steps
