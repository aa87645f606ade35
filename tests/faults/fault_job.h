#pragma once
// One sort job driven through the real program up to the first message after its start
// notice: the final notice of a job that worked, or the error of one that failed.
#include "tests/gui/gui_driver.h"

#include <gtest/gtest.h>

#include <string>

namespace faults {

struct JobEnd {
    bool saveDialogShown = false;
    std::wstring message; // the text of the first message box after the start notice
    bool errorIcon = false;
    // True once the main window took jobs again with no message box left open: the job ended
    // at that message, and no notice followed it.
    bool endedThere = false;
};

// Clicks "Ordenar texto", chooses input in the open dialog, dismisses the start notice, chooses
// output in the save dialog if one appears (or cancels it when output is empty), then reads and
// dismisses the next message box and waits until the main window takes jobs again.
testing::AssertionResult RunJob(const gui::Session& session, const std::wstring& input,
                                const std::wstring& output, JobEnd& end);

// True when the message box shows an icon, as an error does and a plain notice does not.
bool ShowsIcon(HWND box);

// The entries of folder, sorted by name.
std::vector<std::wstring> SortedEntries(const std::wstring& folder);

} // namespace faults
