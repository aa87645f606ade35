#include "job/sort_file.h"

#include "app/settings.h"
#include "job/choose_file.h"
#include "job/notice_text.h"
#include "job/notices.h"
#include "job/sort_engine.h"
#include "linefiles/line_reader.h"
#include "linefiles/output_writer.h"

#include <new>

// Loads the input's non-empty lines; false, after telling the user why, when the file could
// not be opened or read to its end or memory ran out: a job on part of a file would pass a
// truncated output off as the whole.
static bool LoadInput(const char* inputPath, LineArray& lines) {
    switch (LoadLines(inputPath, lines)) {
    case LoadResult::Loaded: return true;
    case LoadResult::CannotOpen: ShowError(CannotOpenInputText(inputPath)); return false;
    case LoadResult::ReadFailed: ShowError(ReadFailedText(inputPath)); return false;
    case LoadResult::OutOfMemory: ShowError(NoMemoryText); return false;
    }
    return false;
}

// Orders the loaded lines as SortOrder says; false when memory ran out, with the lines as loaded.
static bool SortLines(LineArray& lines) {
    try {
        SortLineArray(lines);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// Puts the sorted lines into the file chosen in the save dialog, in its place or after its
// content as DeletePrevious says; false when the file keeps its previous state instead. A
// cancelled dialog leaves OutputPath empty, and then no file is touched.
static bool WriteOutput(const LineArray& lines) {
    if (OutputPath[0] == '\0')
        return true;
    const WriteResult result =
        DeletePrevious == 1 ? ReplaceWithLines(OutputPath, lines) : AppendLines(OutputPath, lines);
    return result == WriteResult::Written;
}

void SortFile(HWND owner, const char* inputPath) {
    ShowNotice(StartNoticeText);
    LineArray lines;
    if (!LoadInput(inputPath, lines))
        return;
    if (!SortLines(lines)) {
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
