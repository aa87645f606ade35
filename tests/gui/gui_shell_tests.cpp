// The program's shell as a user meets it: the main window, how the program ends, the refusal on
// an old Windows, and the settings dialog. Each test runs its own program instance.
#include "tests/gui/velquor_steps.h"
#include "tests/gui/velquor_ui.h"

#include <gtest/gtest.h>

using namespace gui;
using namespace steps;

namespace {

struct SettingsView {
    ComboState order;
    int deletePrevious;
};

SettingsView ReadSettings(HWND settings) {
    return {ReadCombo(settings, ui::OrderCombo), CheckState(settings, ui::DeletePreviousCheck)};
}

// Opens a settings dialog, reads what it shows and closes it again with "Salir".
testing::AssertionResult ShownSettings(const Session& session, SettingsView& view) {
    HWND settings = OpenSettings(session);
    if (!settings)
        return testing::AssertionFailure() << "no settings dialog appeared";
    view = ReadSettings(settings);
    return CloseWith(settings, PressSettingsExit);
}

void ExpectAscendingAndChecked(const SettingsView& view) {
    EXPECT_EQ(view.order.selectedIndex, ui::AscendingIndex);
    EXPECT_EQ(view.order.selectedItemText, ui::AscendingItem);
    EXPECT_EQ(view.order.fieldText, ui::AscendingItem);
    EXPECT_EQ(view.deletePrevious, BST_CHECKED);
}

} // namespace

TEST(MainWindow, ShowsItsTitleAndThreeButtons) {
    Session session;
    ASSERT_TRUE(Start(session));
    struct Case {
        int id;
        std::wstring text;
    };
    const Case buttons[] = {
        {ui::SortButton, L"Ordenar texto"},
        {ui::SettingsButton, L"Configuraci\u00F3n"},
        {ui::ExitButton, L"Salir"},
    };
    EXPECT_EQ(WindowText(session.mainWindow), ui::MainTitle);
    EXPECT_FALSE(GetWindowLongW(session.mainWindow, GWL_STYLE) & WS_SYSMENU)
        << "the title bar has no close box";
    for (const Case& button : buttons) {
        EXPECT_EQ(ControlText(session.mainWindow, button.id), button.text) << "button " << button.id;
        EXPECT_TRUE(IsControlEnabled(session.mainWindow, button.id)) << "button " << button.id;
    }
}

TEST(MainWindow, EscapeClosesNothing) {
    Session session;
    ASSERT_TRUE(Start(session));
    PressKey(session.mainWindow, VK_ESCAPE);
    // Posted after the key, this click is handled after it: once its dialog is up, the key is done.
    HWND settings = OpenSettings(session);
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(IsWindowVisible(session.mainWindow));
    EXPECT_TRUE(IsRunning(session.program));
    ASSERT_TRUE(CloseWith(settings, PressSettingsExit));
    EXPECT_TRUE(Quit(session));
}

TEST(MainWindow, FocusReturnsToItsButtonAfterAnotherWindowWasActive) {
    Session session;
    ASSERT_TRUE(Start(session));
    HWND main = session.mainWindow;
    const HWND before = FocusedControl(main);
    PressKey(main, VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl(main) && FocusedControl(main) != before; }))
        << "Tab moved no focus in the main window";
    const HWND button = FocusedControl(main);

    HWND settings = OpenSettings(session);
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl(settings) != nullptr; }))
        << "the settings dialog got no focus";
    ASSERT_TRUE(CloseWith(settings, PressSettingsExit));
    EXPECT_TRUE(WaitUntil([&] { return FocusedControl(main) == button; }))
        << "focus is on control " << GetDlgCtrlID(FocusedControl(main)) << ", was on "
        << GetDlgCtrlID(button);
    EXPECT_TRUE(Quit(session));
}

TEST(MainWindow, EveryWayOfClosingEndsTheProgramWithCodeZero) {
    struct Case {
        const char* name;
        void (*close)(HWND);
        const char* reason;
    };
    const Case cases[] = {
        {"Salir", PressMainExit, "the exit button ends the main window's loop"},
        {"Alt+F4", PressAltF4, "the system's close command ends the window although it has no close box"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ": " + c.reason);
        Session session;
        ASSERT_TRUE(Start(session));
        ASSERT_TRUE(CloseWith(session.mainWindow, c.close));
        EXPECT_TRUE(EndsWithCode(session.program, 0));
    }
}

TEST(Startup, OldWindowsIsRefusedWithExitCode255) {
    // Wine reports Windows 98 to one program name only, so a copy under a name of its own is used.
    TempFolder folder;
    const std::wstring name = L"VelquorOld" + std::to_wstring(GetCurrentProcessId()) + L".exe";
    const std::wstring copy = folder.path + L"\\" + name;
    ASSERT_TRUE(CopyFileW(ProgramPath().c_str(), copy.c_str(), FALSE)) << "cannot copy the program";
    RegistryKeyGuard oldWindows(L"Software\\Wine\\AppDefaults\\" + name, L"Version", L"win98");
    ASSERT_TRUE(oldWindows.created);
    RunningProgram program;
    ASSERT_TRUE(StartProgram(copy, folder.path, program));
    HWND box = WaitForMessageBox(program.pid);
    ASSERT_NE(box, nullptr) << "no refusal was shown";
    EXPECT_EQ(MessageBoxText(box), L"Win98 No Support");
    EXPECT_TRUE(DialogsTitled(program.pid, ui::MainTitle).empty()) << "the main window must not open";
    DismissMessageBox(box);
    EXPECT_TRUE(EndsWithCode(program, 255));
}

TEST(Startup, CommandLineArgumentsAreIgnored) {
    Session session;
    ASSERT_TRUE(WriteBytes(session.PathOf(L"lista.txt"), "b\r\na\r\n"));
    ASSERT_TRUE(StartSession(session, ProgramPath(), ui::MainTitle, L"lista.txt salida.txt"));
    // Anything the arguments started would be up before this later click's dialog.
    HWND settings = OpenSettings(session);
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(FindFileDialog(session.program.pid), nullptr);
    EXPECT_TRUE(DialogsTitled(session.program.pid, ui::NoticeTitle).empty());
    EXPECT_EQ(FolderEntries(session.folder.path).size(), 1u) << "no file may be written";
    ASSERT_TRUE(CloseWith(settings, PressSettingsExit));
    EXPECT_TRUE(Quit(session));
}

TEST(Settings, FirstOpeningShowsTheDefaults) {
    Session session;
    ASSERT_TRUE(Start(session));
    HWND settings = OpenSettings(session);
    ASSERT_NE(settings, nullptr);
    struct Case {
        int id;
        std::wstring text;
    };
    const Case texts[] = {
        {ui::OrderLabel, L"Ordenaci\u00F3n"},
        {ui::DeletePreviousCheck, L"Borrar fichero anterior si lleva el mismo nombre"},
        {ui::SettingsExitButton, L"Salir"},
    };
    for (const Case& control : texts)
        EXPECT_EQ(ControlText(settings, control.id), control.text) << "control " << control.id;
    ExpectAscendingAndChecked(ReadSettings(settings));
}

TEST(Settings, ChangesKeptBySalirLastUntilTheProgramEnds) {
    {
        Session session;
        ASSERT_TRUE(Start(session));
        ASSERT_TRUE(ChangeSettings(session, ui::DescendingIndex, true));

        SettingsView reopened{};
        ASSERT_TRUE(ShownSettings(session, reopened));
        EXPECT_EQ(reopened.order.selectedIndex, ui::DescendingIndex);
        EXPECT_EQ(reopened.order.selectedItemText, ui::DescendingItem);
        EXPECT_EQ(reopened.deletePrevious, BST_UNCHECKED);
        EXPECT_TRUE(Quit(session));
    }
    SCOPED_TRACE("after a restart the defaults are back: nothing is stored");
    Session restarted;
    ASSERT_TRUE(Start(restarted));
    SettingsView fresh{};
    ASSERT_TRUE(ShownSettings(restarted, fresh));
    ExpectAscendingAndChecked(fresh);
}

TEST(Settings, AltF4DropsTheOrderChoiceButKeepsCheckBoxClicks) {
    struct Case {
        const char* name;
        void (*change)(HWND settings);
        int expectedIndex;
        int expectedCheck;
        const char* reason;
    };
    const Case cases[] = {
        {"choose 01", [](HWND s) { SelectComboItem(s, ui::OrderCombo, ui::DescendingIndex); },
         ui::AscendingIndex, BST_CHECKED, "only Salir reads the order list"},
        {"uncheck the box", [](HWND s) { ClickControl(s, ui::DeletePreviousCheck); }, ui::AscendingIndex,
         BST_UNCHECKED, "every click on the box takes effect at once"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ": " + c.reason);
        Session session;
        ASSERT_TRUE(Start(session));
        HWND settings = OpenSettings(session);
        ASSERT_NE(settings, nullptr);
        c.change(settings);
        ASSERT_TRUE(CloseWith(settings, PressAltF4));
        SettingsView reopened{};
        ASSERT_TRUE(ShownSettings(session, reopened));
        EXPECT_EQ(reopened.order.selectedIndex, c.expectedIndex);
        EXPECT_EQ(reopened.deletePrevious, c.expectedCheck);
    }
}

TEST(Settings, TextTypedIntoTheOrderFieldLeavesNoSelection) {
    Session session;
    ASSERT_TRUE(Start(session));
    HWND settings = OpenSettings(session);
    ASSERT_NE(settings, nullptr);
    HWND field = ComboEditField(settings, ui::OrderCombo);
    ASSERT_NE(field, nullptr);
    TypeText(field, L"xyz");
    ASSERT_TRUE(CloseWith(settings, PressSettingsExit));

    // The order is now neither: the next opening selects nothing and shows an empty field.
    SettingsView reopened{};
    ASSERT_TRUE(ShownSettings(session, reopened));
    EXPECT_EQ(reopened.order.selectedIndex, CB_ERR);
    EXPECT_EQ(reopened.order.fieldText, L"");
    EXPECT_EQ(reopened.deletePrevious, BST_CHECKED);
}

TEST(Settings, TwoDialogsCanBeOpenAtOnce) {
    Session session;
    ASSERT_TRUE(Start(session));
    HWND first = OpenSettings(session);
    ASSERT_NE(first, nullptr);
    // The settings dialog has no owner, so the main window still takes clicks.
    HWND second = OpenSettings(session);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(DialogsTitled(session.program.pid, ui::SettingsTitle).size(), 2u);
    ASSERT_TRUE(CloseWith(second, PressSettingsExit));
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_EQ(ControlText(first, ui::SettingsExitButton), L"Salir");
    ASSERT_TRUE(CloseWith(first, PressSettingsExit));
    EXPECT_TRUE(IsWindowVisible(session.mainWindow));
    EXPECT_TRUE(IsRunning(session.program));
}

TEST(Settings, MainSalirWhileSettingsAreOpenEndsTheProgramWhenTheyClose) {
    Session session;
    ASSERT_TRUE(Start(session));
    HWND settings = OpenSettings(session);
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(CloseWith(session.mainWindow, PressMainExit)) << "the main window goes at once";
    // The settings dialog's loop is still running, so the program is too.
    EXPECT_TRUE(IsWindowVisible(settings));
    EXPECT_TRUE(IsRunning(session.program));
    ASSERT_TRUE(CloseWith(settings, PressSettingsExit));
    EXPECT_TRUE(EndsWithCode(session.program, 0));
}
