#include "job/sort_file.h"

#include "app/settings.h"
#include "job/choose_file.h"
#include "job/notice_text.h"
#include "job/notices.h"
#include "linefiles/line_reader.h"
#include "linefiles/output_writer.h"
#include "ordering/shaker_sort.h"

#include <new>

// Puts the sorted lines into the file chosen in the save dialog, replacing it or after its
// content as DeletePrevious says; false when a line could not be written. A cancelled dialog
// leaves OutputPath empty, and then no file is touched.
static bool WriteOutput(const LineArray& lines) {
    if (OutputPath[0] == '\0')
        return true;
    if (DeletePrevious == 1)
        RemovePreviousOutput(OutputPath);
    // Without lines nothing is opened, so no empty output file appears.
    return lines.lines.empty() || AppendLines(OutputPath, lines) == WriteResult::Written;
}

// Orders the loaded lines as SortOrder says; false when memory ran out, with the lines as loaded.
static bool SortLines(LineArray& lines) {
    try {
        ShakerSort(lines.text.data(), lines.lines.data(), lines.lines.size());
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void SortFile(HWND owner, const char* inputPath) {
    ShowNotice(StartNoticeText);
    LineArray lines;
    // An input that cannot be opened or read to its end goes on with the lines that were read.
    if (LoadLines(inputPath, lines) == LoadResult::OutOfMemory || !SortLines(lines)) {
        ShowError(NoMemoryText);
        return;
    }
    ChooseFile(owner, OutputPath, SaveFileDialog);
    if (!WriteOutput(lines)) {
        ShowError(WriteFailedText(OutputPath));
        return;
    }
    ShowNotice(FinishedNoticeText(lines.lines.size()));
}
