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
#include <string>

// Attributes of a search result that is not a plain file of the user's: such an entry is
// never deleted. 0x8 is the volume-label attribute, which the headers no longer name.
static const DWORD kNeverDeleted = FILE_ATTRIBUTE_DIRECTORY | 0x8;
// A hidden or system file is deleted only after its attributes were reset, which shows that
// the user may change it at all.
static const DWORD kKeptUnlessReset = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
// Attributes that stop the system from putting another file in a file's place.
static const DWORD kResetBeforeReplace =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
// What an appended file keeps of its attributes when its new content takes its place.
static const DWORD kCarriedByAppend = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Used only when the address space has no room left for a chunk-sized buffer after a large
// sort, so that the output is still written, in smaller pieces.
static const size_t kFallbackBufferBytes = 64 * 1024;
// Names tried for the temporary file before giving up; each is taken only when nobody uses it.
static const int kTempNameAttempts = 64;

// The file a write takes the place of.
struct PreviousFile {
    DWORD attributes = INVALID_FILE_ATTRIBUTES; // INVALID_FILE_ATTRIBUTES when there is none
    HANDLE handle = INVALID_HANDLE_VALUE;       // held without sharing while the new content is written
};

static bool CloseQuietly(HANDLE file) {
    return file == INVALID_HANDLE_VALUE || Quietly([&] { return CloseHandle(file); });
}

static bool WriteFully(HANDLE file, const char* data, size_t size) {
    DWORD written = 0;
    const DWORD wanted = static_cast<DWORD>(size);
    return Quietly([&] { return WriteFile(file, data, wanted, &written, nullptr); }) && written == wanted;
}

// Copies everything from the current position of from to to, pumping the window between
// chunks; false at the first read or write the system does not complete.
static bool CopyContent(HANDLE from, HANDLE to, char* buffer, size_t capacity) {
    const DWORD wanted = static_cast<DWORD>(capacity);
    for (;;) {
        DWORD got = 0;
        if (!Quietly([&] { return ReadFile(from, buffer, wanted, &got, nullptr); }))
            return false;
        if (got == 0)
            return true;
        if (!WriteFully(to, buffer, got))
            return false;
        RunPumpHook();
    }
}

// Writes the output of lines through buffer, one WriteFile per filled buffer, pumping the
// window between them; false at the first write the system does not complete.
static bool WriteLines(HANDLE file, const LineArray& lines, bool behindContent, char* buffer,
                       size_t capacity) {
    OutputCursor cursor = StartOutput(lines, behindContent);
    for (size_t filled; (filled = FillOutputChunk(lines, cursor, buffer, capacity)) > 0;) {
        if (!WriteFully(file, buffer, filled))
            return false;
        RunPumpHook();
    }
    return true;
}

// True when file is open and holds bytes: lines added behind them go without a byte-order mark.
static bool HoldsContent(HANDLE file) {
    LARGE_INTEGER size{};
    return file != INVALID_HANDLE_VALUE && Quietly([&] { return GetFileSizeEx(file, &size); }) &&
           size.QuadPart > 0;
}

// Writes the content of oldContent (unless it is INVALID_HANDLE_VALUE), then the lines, to
// file and makes sure it reached the disk; false when any of that fails.
static bool WriteContent(HANDLE file, HANDLE oldContent, const LineArray& lines) {
    const std::unique_ptr<char[]> chunk(new (std::nothrow) char[kFileChunkBytes]);
    char fallback[kFallbackBufferBytes];
    char* const buffer = chunk ? chunk.get() : fallback;
    const size_t capacity = chunk ? kFileChunkBytes : sizeof fallback;
    return (oldContent == INVALID_HANDLE_VALUE || CopyContent(oldContent, file, buffer, capacity)) &&
           WriteLines(file, lines, HoldsContent(oldContent), buffer, capacity) &&
           Quietly([&] { return FlushFileBuffers(file); });
}

// Opens the file at path, if there is one, without sharing, so that nobody changes it until
// its new content is complete; false when it exists but may not be replaced (a folder, a file
// held open by another program) or, for appending, may not be written (read-only).
static bool HoldPrevious(const std::wstring& path, bool appending, PreviousFile& previous) {
    DWORD lookupError = 0;
    previous.attributes = Quietly([&] {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        lookupError = GetLastError();
        return attributes;
    });
    if (previous.attributes == INVALID_FILE_ATTRIBUTES)
        return lookupError == ERROR_FILE_NOT_FOUND;
    if (previous.attributes & FILE_ATTRIBUTE_DIRECTORY)
        return false;
    if (appending && (previous.attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    const DWORD access = appending ? GENERIC_READ | DELETE : DELETE;
    previous.handle = Quietly([&] {
        return CreateFileW(path.c_str(), access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    });
    return previous.handle != INVALID_HANDLE_VALUE;
}

// Eight hex digits that differ between processes, calls and moments.
static std::wstring RandomSuffix() {
    static unsigned calls;
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    unsigned value =
        GetCurrentProcessId() * 2654435761u ^ GetTickCount() ^ counter.LowPart ^ (++calls * 40503u);
    std::wstring digits(8, L'0');
    for (wchar_t& digit : digits) {
        digit = L"0123456789abcdef"[value >> 28];
        value <<= 4;
    }
    return digits;
}

// Creates a new, empty file under a name nobody uses in the folder of target and stores its
// path in temp; INVALID_HANDLE_VALUE when no such file can be created.
static HANDLE CreateTempBeside(const std::wstring& target, std::wstring& temp) {
    const std::wstring folder = target.substr(0, FolderPartLength(target));
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        temp = folder + L"~velquor-" + RandomSuffix() + L".tmp";
        DWORD createError = 0;
        const HANDLE file = Quietly([&] {
            const HANDLE created = CreateFileW(temp.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                               CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            createError = GetLastError();
            return created;
        });
        if (file != INVALID_HANDLE_VALUE || createError != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

// Gives the complete temp file the attributes of the file it will replace by appending, so
// that a hidden or system file stays so.
static bool CarryAttributes(const std::wstring& temp, DWORD previousAttributes) {
    if (previousAttributes == INVALID_FILE_ATTRIBUTES)
        return true;
    const DWORD carried = previousAttributes & kCarriedByAppend;
    return Quietly(
        [&] { return SetFileAttributesW(temp.c_str(), carried ? carried : FILE_ATTRIBUTE_NORMAL); });
}

// Puts the complete temp file in the place of target. Attributes that would stop that are
// taken away only now, and given back when the move fails.
static bool PutInPlace(const std::wstring& temp, const std::wstring& target, DWORD previousAttributes) {
    const bool reset =
        previousAttributes != INVALID_FILE_ATTRIBUTES && (previousAttributes & kResetBeforeReplace) != 0;
    if (reset && !Quietly([&] { return SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL); }))
        return false;
    if (Quietly([&] {
            return MoveFileExW(temp.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        }))
        return true;
    if (reset)
        Quietly([&] { return SetFileAttributesW(target.c_str(), previousAttributes); });
    return false;
}

// Writes the new content of the file at target (its old content first when appending) to a
// temporary file beside it, which takes its place only once complete and closed.
static WriteResult WriteInPlaceOf(const std::wstring& target, const LineArray& lines, bool appending) {
    PreviousFile previous;
    if (!HoldPrevious(target, appending, previous))
        return WriteResult::CannotOpen;
    std::wstring tempPath;
    const HANDLE temp = CreateTempBeside(target, tempPath);
    if (temp == INVALID_HANDLE_VALUE) {
        CloseQuietly(previous.handle);
        return WriteResult::CannotOpen;
    }
    const bool written = WriteContent(temp, appending ? previous.handle : INVALID_HANDLE_VALUE, lines);
    const bool closed = CloseQuietly(temp);
    CloseQuietly(previous.handle);
    const bool placed = written && closed && (!appending || CarryAttributes(tempPath, previous.attributes)) &&
                        PutInPlace(tempPath, target, previous.attributes);
    if (!placed)
        Quietly([&] { return DeleteFileW(tempPath.c_str()); });
    return placed ? WriteResult::Written : WriteResult::WriteFailed;
}

WriteResult AppendLines(const char* path, const LineArray& lines) {
    const std::wstring target = ToWide(path);
    if (NamesNoFile(target))
        return WriteResult::CannotOpen;
    // Without lines there is nothing to add, and no empty output file is left behind.
    if (lines.lines.empty())
        return WriteResult::Written;
    return WriteInPlaceOf(target, lines, true);
}

WriteResult ReplaceWithLines(const char* path, const LineArray& lines) {
    const std::wstring target = ToWide(path);
    if (NamesNoFile(target))
        return WriteResult::CannotOpen;
    if (lines.lines.empty())
        return RemovePreviousOutput(path) ? WriteResult::Written : WriteResult::WriteFailed;
    return WriteInPlaceOf(target, lines, false);
}

bool RemovePreviousOutput(const char* path) {
    const std::wstring widePath = ToWide(path);
    if (NamesNoFile(widePath))
        return true;
    // The search tells what the path names, under the name the file system knows it by, so
    // that exactly that one entry is deleted and a folder is never touched at all.
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(widePath.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return true;
    FindClose(search);
    if (found.dwFileAttributes & kNeverDeleted)
        return true;
    const bool reset = Quietly([&] { return SetFileAttributesW(widePath.c_str(), 0); });
    if (!reset && (found.dwFileAttributes & kKeptUnlessReset))
        return false;
    const std::wstring target = widePath.substr(0, FolderPartLength(widePath)) + found.cFileName;
    if (Quietly([&] { return DeleteFileW(target.c_str()); }))
        return true;
    // A file that stays keeps the attributes it had.
    if (reset)
        Quietly([&] { return SetFileAttributesW(target.c_str(), found.dwFileAttributes); });
    return false;
}
