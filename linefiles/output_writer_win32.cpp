#include "linefiles/output_writer.h"

#include "app/ansi_text.h"
#include "app/pump_hook.h"
#include "linefiles/file_chunk.h"
#include "linefiles/output_format.h"
#include "linefiles/path_rules.h"
#include "linefiles/quiet_file_calls.h"

#include <windows.h>

#include <memory>
#include <new>

// Attributes of a search result that is not a plain file of the user's: such an entry is
// never deleted. 0x8 is the volume-label attribute, which the headers no longer name.
static const DWORD kNeverDeleted = FILE_ATTRIBUTE_DIRECTORY | 0x8;
// A hidden or system file is deleted only after its attributes were reset, which shows that
// the user may change it at all.
static const DWORD kKeptUnlessReset = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Used only when the address space has no room left for a chunk-sized buffer after a large
// sort, so that the output is still written, in smaller pieces.
static const size_t kFallbackBufferBytes = 64 * 1024;

static bool WriteFully(HANDLE file, const char* data, size_t size) {
    DWORD written = 0;
    const DWORD wanted = static_cast<DWORD>(size);
    return Quietly([&] { return WriteFile(file, data, wanted, &written, nullptr); }) && written == wanted;
}

// Writes the output of lines through buffer, one WriteFile per filled buffer, pumping the
// window between them; false at the first write the system does not complete.
static bool WriteLines(HANDLE file, const LineArray& lines, char* buffer, size_t capacity) {
    OutputCursor cursor;
    for (size_t filled; (filled = FillOutputChunk(lines, cursor, buffer, capacity)) > 0;) {
        if (!WriteFully(file, buffer, filled))
            return false;
        RunPumpHook();
    }
    return true;
}

static bool AppendToOpenFile(HANDLE file, const LineArray& lines) {
    const LARGE_INTEGER noMove{};
    if (!Quietly([&] { return SetFilePointerEx(file, noMove, nullptr, FILE_END); }))
        return false;
    const std::unique_ptr<char[]> chunk(new (std::nothrow) char[kFileChunkBytes]);
    if (chunk)
        return WriteLines(file, lines, chunk.get(), kFileChunkBytes);
    char fallback[kFallbackBufferBytes];
    return WriteLines(file, lines, fallback, sizeof fallback);
}

WriteResult AppendLines(const char* path, const LineArray& lines) {
    const std::wstring widePath = ToWide(path);
    if (IsRefusedPath(widePath))
        return WriteResult::CannotOpen;
    // Without lines there is nothing to add, and no empty output file is left behind.
    if (lines.lines.empty())
        return WriteResult::Written;
    const HANDLE file = Quietly([&] {
        return CreateFileW(widePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    });
    if (file == INVALID_HANDLE_VALUE)
        return WriteResult::CannotOpen;
    const bool appended = AppendToOpenFile(file, lines);
    const bool closed = Quietly([&] { return CloseHandle(file); });
    return appended && closed ? WriteResult::Written : WriteResult::WriteFailed;
}

void RemovePreviousOutput(const char* path) {
    const std::wstring widePath = ToWide(path);
    if (NamesNoFile(widePath))
        return;
    // The search tells what the path names, under the name the file system knows it by, so
    // that exactly that one entry is deleted and a folder is never touched at all.
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(widePath.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    FindClose(search);
    if (found.dwFileAttributes & kNeverDeleted)
        return;
    const bool reset = Quietly([&] { return SetFileAttributesW(widePath.c_str(), 0); });
    if (!reset && (found.dwFileAttributes & kKeptUnlessReset))
        return;
    const std::wstring target = widePath.substr(0, FolderPartLength(widePath)) + found.cFileName;
    Quietly([&] { return DeleteFileW(target.c_str()); });
}
