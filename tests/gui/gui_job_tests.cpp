// Sort jobs from end to end through the program's windows: the open dialog, the two notices, the
// save dialog and the file left on disk. Expected files come from the independent model in
// reference_order, never from the program's own code.
#include "tests/gui/reference_order.h"
#include "tests/gui/velquor_steps.h"
#include "tests/gui/velquor_ui.h"

#include <gtest/gtest.h>

using namespace gui;
using namespace steps;

namespace {

// A file with what real lists hold: accents, ñ, mixed case, punctuation, digits, leading blanks,
// a tab, empty lines, CR-only and CR LF line ends, a lone LF inside a line, a last line ended by
// 0x1A and text behind it that must never be read.
const std::string RealisticInput = "Zorro\r\n"
                                   "\xE1rbol\r\n"
                                   "arbol\r\n"
                                   "\xD1"
                                   "and\xFA\r\n"
                                   "nandu\r"
                                   "\xF1o\xF1o\r\n"
                                   "  sangr\xED"
                                   "a\r\n"
                                   "\tTabulador\r\n"
                                   "\r\n"
                                   "10 perros\r\n"
                                   "9 gatos\r\n"
                                   "\xA1Hola!\r\n"
                                   "\xBFQu\xE9?\r\n"
                                   "Casa\r\n"
                                   "casa\r\n"
                                   "CASA\r"
                                   "uno\ndos\r\n"
                                   "ma\xF1"
                                   "ana\r\n"
                                   "manzana\r\n"
                                   "\xC9xito\r\n"
                                   "exito\r\n"
                                   "\xFC"
                                   "ber\r\n"
                                   "precio: 5 \x80\r\n"
                                   "\r\n\r\n"
                                   "a~b\r\n"
                                   "ab \r\n"
                                   "ab\r\n"
                                   "final sin salto\x1A"
                                   "esto no se lee\r\n";

// Lines that compare equal but differ in case, among others: their order in a descending sort
// follows from the exchange passes only.
const std::string EqualLinesInput = "b\r\nCasa\r\nc\r\ncasa\r\na\r\nCASA\r\nA\r\nb\r\n";

struct Job {
    std::wstring input;  // typed into the open dialog's name box
    std::wstring output; // typed into the save dialog's name box; empty cancels that dialog
    // Runs while the start notice is up, the job having begun.
    void (*whileStartNoticeIsUp)(const Session&) = nullptr;
};

struct JobSeen {
    std::wstring openName, saveName;     // the name boxes' texts when the dialogs appeared
    std::wstring openFilter, saveFilter; // the file type shown in each dialog
    RECT openRect{}, saveRect{};
    std::wstring startNotice, finalNotice;
    bool buttonsDisabled = false; // all three main buttons, while the start notice was up
};

testing::AssertionResult Failed(const Session& session, const char* what) {
    return testing::AssertionFailure() << what << "; showing: " << DescribeDialogs(session.program.pid);
}

bool AllMainButtonsDisabled(HWND mainWindow) {
    for (int id : {ui::SortButton, ui::SettingsButton, ui::ExitButton})
        if (IsControlEnabled(mainWindow, id))
            return false;
    return true;
}

bool Dismissed(HWND notice) {
    DismissMessageBox(notice);
    return WaitUntilGone(notice);
}

// Runs one job from the click on "Ordenar texto" to the dismissed final notice.
testing::AssertionResult RunJob(const Session& session, const Job& job, JobSeen& seen) {
    const DWORD pid = session.program.pid;
    Click(session.mainWindow, ui::SortButton);
    HWND open = WaitForFileDialog(pid);
    if (!open)
        return Failed(session, "no open dialog appeared");
    seen.openName = FileNameText(open);
    seen.openFilter = ControlText(open, FileTypeControl);
    seen.openRect = WindowRect(open);
    if (!ChooseInFileDialog(open, job.input) || !WaitUntilGone(open))
        return Failed(session, "the open dialog did not take the name");

    HWND notice = WaitForDialog(pid, ui::NoticeTitle);
    if (!notice)
        return Failed(session, "no start notice appeared");
    seen.startNotice = MessageBoxText(notice);
    seen.buttonsDisabled = AllMainButtonsDisabled(session.mainWindow);
    if (job.whileStartNoticeIsUp)
        job.whileStartNoticeIsUp(session);
    if (!Dismissed(notice))
        return Failed(session, "the start notice stayed open");

    HWND save = WaitForFileDialog(pid);
    if (!save)
        return Failed(session, "no save dialog appeared");
    seen.saveName = FileNameText(save);
    seen.saveFilter = ControlText(save, FileTypeControl);
    seen.saveRect = WindowRect(save);
    if (job.output.empty())
        CancelFileDialog(save);
    else if (!ChooseInFileDialog(save, job.output))
        return Failed(session, "cannot fill the save dialog");
    if (!WaitUntilGone(save))
        return Failed(session, "the save dialog did not close");

    notice = WaitForDialog(pid, ui::NoticeTitle);
    if (!notice)
        return Failed(session, "no final notice appeared");
    seen.finalNotice = MessageBoxText(notice);
    if (!Dismissed(notice))
        return Failed(session, "the final notice stayed open");
    return testing::AssertionSuccess();
}

std::string Sorted(const std::string& inputBytes, reference::SortOrder order) {
    std::vector<std::string> lines = reference::NonEmptyLines(inputBytes);
    reference::ShakerSort(lines, order);
    return reference::WrittenLines(lines);
}

std::string Repeated(const std::string& line, int times) {
    std::string bytes;
    for (int i = 0; i < times; ++i)
        bytes += line;
    return bytes;
}

long long CountOf(const std::string& inputBytes) {
    return static_cast<long long>(reference::NonEmptyLines(inputBytes).size());
}

std::string ContentOf(const std::wstring& path) {
    std::string bytes;
    EXPECT_TRUE(ReadBytes(path, bytes)) << "cannot read the output file";
    return bytes;
}

} // namespace

TEST(ReferenceModel, OrdersLikeTheCollationRules) {
    using reference::Ascending;
    using reference::Descending;
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        reference::SortOrder order;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"ascending keeps equal lines in input order", {"b", "a", "A"}, Ascending, {"a", "A", "b"}},
        {"descending exchanges equal neighbours once per comparison",
         {"b", "a", "A"},
         Descending,
         {"b", "A", "a"}},
        {"descending exchanges an equal pair twice over two rounds",
         {"b", "c", "a", "A"},
         Descending,
         {"c", "b", "a", "A"}},
        {"accented letters follow their base letter",
         {"f", "\xEB", "\xE8", "\xC9", "e"},
         Ascending,
         {"e", "\xC9", "\xE8", "\xEB", "f"}},
        {"n, then \xF1, then o", {"o", "\xD1", "n"}, Ascending, {"n", "\xD1", "o"}},
        {"the blank sorts below the letters", {"ab", "a b"}, Ascending, {"a b", "ab"}},
        {"digits compare as characters", {"9", "10"}, Ascending, {"10", "9"}},
        {"a trailing blank sorts after the end of the line", {"ab ", "ab"}, Ascending, {"ab", "ab "}},
        {"a tab ranks like the end of the line", {"ab\t", "ab"}, Ascending, {"ab\t", "ab"}},
        {"a tilde ranks below every table character", {"ab", "a~b"}, Ascending, {"a~b", "ab"}},
        {"symbols sort below digits", {"1", "\xA1"}, Ascending, {"\xA1", "1"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = c.lines;
        reference::ShakerSort(lines, c.order);
        EXPECT_EQ(lines, c.expected) << c.name;
    }
}

TEST(ReferenceModel, ReadsTheTextLineFormat) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"a CR alone ends a line", "a\rb", {"a", "b"}},
        {"CR CR LF leaves an empty line, which is not taken", "a\r\r\nb", {"a", "b"}},
        {"a lone LF is an ordinary character", "a\nb\n", {"a\nb\n"}},
        {"0x1A ends the input",
         "a\r\nb\x1A"
         "c\r\nd",
         {"a", "b"}},
        {"0x1A first leaves nothing",
         "\x1A"
         "a\r\n",
         {}},
        {"a line of blanks is not empty", "  \r\n", {"  "}},
        {"no empty line follows the final line end", "a\r\n\r\n", {"a"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(reference::NonEmptyLines(c.bytes), c.expected) << c.name;
}

TEST(Job, AscendingJobWritesTheLinesInCollationOrder) {
    Session session;
    ASSERT_TRUE(Start(session));
    ASSERT_TRUE(WriteBytes(session.PathOf(L"lista.txt"), RealisticInput));
    const std::string expected = Sorted(RealisticInput, reference::Ascending);
    ASSERT_NE(expected, reference::WrittenLines(reference::NonEmptyLines(RealisticInput)))
        << "input already sorted";

    JobSeen seen;
    ASSERT_TRUE(RunJob(session, {session.PathOf(L"lista.txt"), session.PathOf(L"ordenada.txt")}, seen));
    EXPECT_EQ(seen.startNotice, ui::StartNotice);
    EXPECT_TRUE(seen.buttonsDisabled) << "the buttons stay usable during a job";
    EXPECT_EQ(seen.finalNotice, ui::FinalNotice(CountOf(RealisticInput)));
    EXPECT_EQ(ContentOf(session.PathOf(L"ordenada.txt")), expected);
    EXPECT_TRUE(Quit(session));
}

TEST(Job, DescendingJobAfterChoosingTheOrder) {
    Session session;
    ASSERT_TRUE(Start(session));
    ASSERT_TRUE(ChangeSettings(session, ui::DescendingIndex, false));
    struct Case {
        const char* name;
        const std::string& input;
    };
    const Case cases[] = {
        {"realistic lines", RealisticInput},
        {"lines equal but for their case", EqualLinesInput},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteBytes(session.PathOf(L"entrada.txt"), c.input));
        JobSeen seen;
        ASSERT_TRUE(RunJob(session, {session.PathOf(L"entrada.txt"), session.PathOf(L"salida.txt")}, seen));
        EXPECT_EQ(ContentOf(session.PathOf(L"salida.txt")), Sorted(c.input, reference::Descending));
        EXPECT_EQ(seen.finalNotice, ui::FinalNotice(CountOf(c.input)));
    }
    EXPECT_TRUE(Quit(session));
}

TEST(Job, WithDeletePreviousOffTheLinesFollowTheOldContent) {
    struct Case {
        const char* name;
        std::string oldContent;
        const char* reason;
    };
    const Case cases[] = {
        {"old content ends with a line end", "viejo\r\n", "the new lines start on a line of their own"},
        {"old last line has no line end", "viejo", "the first new line continues the old last line"},
    };
    Session session;
    ASSERT_TRUE(Start(session));
    ASSERT_TRUE(ChangeSettings(session, -1, true));
    ASSERT_TRUE(WriteBytes(session.PathOf(L"entrada.txt"), EqualLinesInput));
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ": " + c.reason);
        const std::wstring output = session.PathOf(L"salida" + std::to_wstring(++number) + L".txt");
        ASSERT_TRUE(WriteBytes(output, c.oldContent));
        JobSeen seen;
        ASSERT_TRUE(RunJob(session, {session.PathOf(L"entrada.txt"), output}, seen));
        EXPECT_EQ(ContentOf(output), c.oldContent + Sorted(EqualLinesInput, reference::Ascending));
    }
    EXPECT_TRUE(Quit(session));
}

TEST(Job, InputChosenAgainAsOutput) {
    struct Case {
        const char* name;
        bool deletePrevious;
        const char* reason;
    };
    const Case cases[] = {
        {"delete previous on", true, "the file is replaced by its own lines, sorted"},
        {"delete previous off", false, "the sorted lines follow the file's old content"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ": " + c.reason);
        Session session;
        ASSERT_TRUE(Start(session));
        if (!c.deletePrevious) {
            ASSERT_TRUE(ChangeSettings(session, -1, true));
        }
        const std::wstring file = session.PathOf(L"lista.txt");
        ASSERT_TRUE(WriteBytes(file, RealisticInput));
        JobSeen seen;
        ASSERT_TRUE(RunJob(session, {file, file}, seen));
        const std::string sorted = Sorted(RealisticInput, reference::Ascending);
        EXPECT_EQ(ContentOf(file), c.deletePrevious ? sorted : RealisticInput + sorted);
        EXPECT_TRUE(Quit(session));
    }
}

TEST(Job, CountsOnlyNonEmptyLinesAndWritesNothingForNone) {
    struct Case {
        const char* name;
        std::string input;
        const char* reason;
    };
    const Case cases[] = {
        {"empty file", "", "no lines: the old output is removed and no new one is made"},
        {"only empty lines", "\r\n\r\r\n\r", "empty lines are read but never taken"},
        {"0x1A before the first line",
         "\x1A"
         "zeta\r\n",
         "nothing behind 0x1A is read"},
        {"one line among empty ones", "\r\n\r\nsolo\r\n\r\n", "the count keeps its plural word"},
        {"duplicate lines", "b\r\na\r\nb\r\n", "each copy is written and counted"},
        {"a four-digit count", Repeated("x\r\n", 1234), "the number is written without grouping"},
    };
    Session session;
    ASSERT_TRUE(Start(session));
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + ": " + c.reason);
        const std::wstring input = session.PathOf(L"entrada" + std::to_wstring(++number) + L".txt");
        const std::wstring output = session.PathOf(L"salida" + std::to_wstring(number) + L".txt");
        ASSERT_TRUE(WriteBytes(input, c.input));
        ASSERT_TRUE(WriteBytes(output, "viejo\r\n"));
        JobSeen seen;
        ASSERT_TRUE(RunJob(session, {input, output}, seen));
        EXPECT_EQ(seen.finalNotice, ui::FinalNotice(CountOf(c.input)));
        if (CountOf(c.input) == 0)
            EXPECT_FALSE(FileExists(output)) << "the previous output must be gone";
        else
            EXPECT_EQ(ContentOf(output), Sorted(c.input, reference::Ascending));
    }
    EXPECT_TRUE(Quit(session));
}

TEST(Job, CancellingTheOpenDialogLeavesTheWindowIdle) {
    Session session;
    ASSERT_TRUE(Start(session));
    for (int attempt = 1; attempt <= 2; ++attempt) {
        SCOPED_TRACE(attempt == 1 ? "first open dialog" : "a later click opens the dialog again");
        Click(session.mainWindow, ui::SortButton);
        HWND open = WaitForFileDialog(session.program.pid);
        ASSERT_NE(open, nullptr) << "no open dialog; showing " << DescribeDialogs(session.program.pid);
        EXPECT_EQ(FileNameText(open), L"") << "a cancel leaves no name behind";
        CancelFileDialog(open);
        ASSERT_TRUE(WaitUntilGone(open));
    }
    // A click posted behind the cancel is handled after it: once its dialog shows, no notice may.
    HWND settings = OpenSettings(session);
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(DialogsTitled(session.program.pid, ui::NoticeTitle).empty()) << "a cancel starts no job";
    EXPECT_TRUE(CloseWith(settings, PressSettingsExit));
    EXPECT_TRUE(Quit(session));
}

TEST(Job, CancellingTheSaveDialogTouchesNoFile) {
    Session session;
    ASSERT_TRUE(Start(session));
    ASSERT_TRUE(WriteBytes(session.PathOf(L"entrada.txt"), RealisticInput));
    ASSERT_TRUE(WriteBytes(session.PathOf(L"salida.txt"), "viejo\r\n"));
    JobSeen seen;
    ASSERT_TRUE(RunJob(session, {session.PathOf(L"entrada.txt"), L""}, seen));
    EXPECT_EQ(seen.finalNotice, ui::FinalNotice(CountOf(RealisticInput))) << "the count is still reported";
    EXPECT_EQ(ContentOf(session.PathOf(L"entrada.txt")), RealisticInput);
    EXPECT_EQ(ContentOf(session.PathOf(L"salida.txt")), "viejo\r\n");
    EXPECT_EQ(FolderEntries(session.folder.path).size(), 2u) << "no file may be created";

    SCOPED_TRACE("after a cancel the next save dialog starts empty again");
    JobSeen next;
    ASSERT_TRUE(RunJob(session, {session.PathOf(L"entrada.txt"), L""}, next));
    EXPECT_EQ(next.saveName, L"");
    EXPECT_TRUE(Quit(session));
}

TEST(Job, DialogsStartWhereTheLastChoiceOfTheirKindWasMade) {
    // Bare names typed into a dialog are taken in the folder the dialog starts in, so where each
    // file turns up shows where its dialog started.
    Session session;
    ASSERT_TRUE(Start(session));
    ASSERT_TRUE(CreateDirectoryW(session.PathOf(L"datos").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(session.PathOf(L"resultados").c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(session.PathOf(L"entrada.txt"), "b\r\na\r\n"));
    ASSERT_TRUE(WriteBytes(session.PathOf(L"datos\\lista.txt"), "d\r\nc\r\n"));
    ASSERT_TRUE(WriteBytes(session.PathOf(L"datos\\otra.txt"), "f\r\ne\r\n"));

    JobSeen first;
    // The save dialog's default extension completes a name typed without one.
    ASSERT_TRUE(RunJob(session, {L"entrada.txt", L"salida"}, first));
    EXPECT_EQ(first.openName, L"") << "the first open dialog has no name filled in";
    EXPECT_EQ(first.saveName, L"") << "the first save dialog has no name filled in";
    EXPECT_EQ(first.openFilter, L"Texto");
    EXPECT_EQ(first.saveFilter, L"Texto");
    EXPECT_EQ(ContentOf(session.PathOf(L"salida.txt")), "a\r\nb\r\n") << "both start in the current folder";

    JobSeen second;
    ASSERT_TRUE(RunJob(session, {session.PathOf(L"datos\\lista.txt"), session.PathOf(L"resultados\\sal.txt")},
                       second));
    EXPECT_EQ(second.openName, L"entrada.txt");
    EXPECT_EQ(second.saveName, L"salida.txt");
    EXPECT_EQ(ContentOf(session.PathOf(L"resultados\\sal.txt")), "c\r\nd\r\n");

    JobSeen third;
    ASSERT_TRUE(RunJob(session, {L"otra.txt", L"sal2.txt"}, third));
    EXPECT_EQ(third.openName, L"lista.txt");
    EXPECT_EQ(third.saveName, L"sal.txt");
    EXPECT_EQ(ContentOf(session.PathOf(L"resultados\\sal2.txt")), "e\r\nf\r\n")
        << "the save dialog starts in the previous output's folder, not the input's";
    EXPECT_FALSE(FileExists(session.PathOf(L"datos\\sal2.txt")));
    EXPECT_TRUE(Quit(session));
}

TEST(Job, FileDialogsOpenThirtyPixelsRightOfAndBelowTheMainWindow) {
    Session session;
    ASSERT_TRUE(Start(session));
    ASSERT_TRUE(WriteBytes(session.PathOf(L"entrada.txt"), "b\r\na\r\n"));
    const RECT main = WindowRect(session.mainWindow);
    JobSeen seen;
    ASSERT_TRUE(RunJob(session, {session.PathOf(L"entrada.txt"), session.PathOf(L"salida.txt")}, seen));
    struct Case {
        const char* name;
        RECT rect;
    };
    for (const Case& c : {Case{"open dialog", seen.openRect}, Case{"save dialog", seen.saveRect}}) {
        EXPECT_EQ(c.rect.left, main.left + 30) << c.name;
        EXPECT_EQ(c.rect.top, main.top + 30) << c.name;
    }
    EXPECT_TRUE(Quit(session));
}

TEST(Job, SortCommandDuringAJobIsIgnored) {
    Session session;
    ASSERT_TRUE(Start(session));
    ASSERT_TRUE(WriteBytes(session.PathOf(L"entrada.txt"), "b\r\na\r\n"));
    Job job{session.PathOf(L"entrada.txt"), session.PathOf(L"salida.txt")};
    // The buttons are disabled by then, so the command is posted as the keyboard would send it.
    job.whileStartNoticeIsUp = [](const Session& s) { Click(s.mainWindow, ui::SortButton); };
    JobSeen seen;
    ASSERT_TRUE(RunJob(session, job, seen)) << "a second open dialog would have stopped the job here";
    EXPECT_EQ(seen.finalNotice, ui::FinalNotice(2));
    EXPECT_EQ(ContentOf(session.PathOf(L"salida.txt")), "a\r\nb\r\n");

    // Posted after the ignored command: once the settings dialog is up, that command is done.
    HWND settings = OpenSettings(session);
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(FindFileDialog(session.program.pid), nullptr) << "no second open dialog may appear";
    EXPECT_TRUE(CloseWith(settings, PressSettingsExit));
    EXPECT_TRUE(Quit(session));
}

TEST(Job, ClosingTheMainWindowDuringAJobEndsTheProgramAfterTheJob) {
    Session session;
    ASSERT_TRUE(Start(session));
    ASSERT_TRUE(WriteBytes(session.PathOf(L"entrada.txt"), "b\r\na\r\n"));
    Click(session.mainWindow, ui::SortButton);
    HWND open = WaitForFileDialog(session.program.pid);
    ASSERT_NE(open, nullptr);
    ASSERT_TRUE(ChooseInFileDialog(open, session.PathOf(L"entrada.txt")));
    HWND notice = WaitForDialog(session.program.pid, ui::NoticeTitle);
    ASSERT_NE(notice, nullptr) << DescribeDialogs(session.program.pid);

    // The notice has no owner, so the main window still takes the close command.
    ASSERT_TRUE(CloseWith(session.mainWindow, PressAltF4)) << "the main window goes at once";
    EXPECT_TRUE(IsRunning(session.program)) << "the job is not interrupted";
    ASSERT_TRUE(Dismissed(notice));
    // Whether the save dialog can still be shown without its owner is the system's affair; if
    // it is, it is cancelled, and the job must still come to its final notice.
    HWND next = WaitForAnyDialog(session.program.pid);
    ASSERT_NE(next, nullptr) << "the job stopped before its end";
    if (FileNameField(next)) {
        CancelFileDialog(next);
        ASSERT_TRUE(WaitUntilGone(next));
        next = WaitForDialog(session.program.pid, ui::NoticeTitle);
        ASSERT_NE(next, nullptr) << DescribeDialogs(session.program.pid);
    }
    EXPECT_EQ(MessageBoxText(next), ui::FinalNotice(2));
    ASSERT_TRUE(Dismissed(next));
    EXPECT_TRUE(EndsWithCode(session.program, 0));
}
