#include "linefiles/line_reader.h"

#include "app/ansi_text.h"
#include "app/pump_hook.h"
#include "linefiles/file_chunk.h"
#include "linefiles/line_format.h"
#include "linefiles/path_rules.h"
#include "linefiles/prepare_lines.h"
#include "linefiles/quiet_file_calls.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <new>

// Reads the open file into text in large chunks, pumping the window between them, and stops
// behind the unit that ends the input, since nothing after it is input. When a read fails,
// text keeps what was read before it. May throw std::bad_alloc.
static LoadResult ReadInput(HANDLE file, LineText& text) {
    LARGE_INTEGER size;
    if (!Quietly([&] { return GetFileSizeEx(file, &size); }))
        return LoadResult::ReadFailed;
    // Line spans hold 32-bit offsets, and a 32-bit process could not hold more anyway.
    const uint64_t limit = std::min<uint64_t>(UINT32_MAX, text.max_size());
    if (static_cast<uint64_t>(size.QuadPart) > limit)
        return LoadResult::OutOfMemory;
    text.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < text.size()) {
        if (done > 0)
            RunPumpHook();
        const DWORD wanted = static_cast<DWORD>(std::min(kFileChunkBytes, text.size() - done));
        DWORD got = 0;
        if (!Quietly([&] { return ReadFile(file, text.data() + done, wanted, &got, nullptr); }) || got == 0) {
            text.resize(done);
            return LoadResult::ReadFailed;
        }
        const bool inputEnds = HoldsEndOfInput(text.data(), done, done + got);
        done += got;
        if (inputEnds)
            break;
    }
    text.resize(done);
    return LoadResult::Loaded;
}

LoadResult LoadLines(const char* path, LineArray& lines) {
    lines = LineArray();
    const std::wstring widePath = ToWide(path);
    if (IsRefusedPath(widePath))
        return LoadResult::CannotOpen;
    const HANDLE file = Quietly([&] {
        return CreateFileW(widePath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    });
    if (file == INVALID_HANDLE_VALUE)
        return LoadResult::CannotOpen;
    LoadResult result;
    try {
        result = ReadInput(file, lines.text);
        if (result != LoadResult::OutOfMemory)
            PrepareLines(lines, result == LoadResult::Loaded);
    } catch (const std::bad_alloc&) {
        result = LoadResult::OutOfMemory;
    }
    Quietly([&] { return CloseHandle(file); });
    if (result == LoadResult::OutOfMemory)
        lines = LineArray();
    return result;
}

bool FileExists(const char* path) {
    const std::wstring widePath = ToWide(path);
    return !IsRefusedPath(widePath) && GetFileAttributesW(widePath.c_str()) != INVALID_FILE_ATTRIBUTES;
}
