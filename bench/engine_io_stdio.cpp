#include "bench/engine_io.h"

#include "linefiles/file_chunk.h"
#include "linefiles/output_format.h"
#include "linefiles/prepare_lines.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>

void UseSystemRanks() {}

// Size of the open file, or -1 when the system cannot tell.
static long long FileSize(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    const long long size = std::ftell(file);
    return std::fseek(file, 0, SEEK_SET) == 0 ? size : -1;
}

// Reads the whole open file into lines.text and makes lines of it as the program's reader does;
// the same 4 GiB limit as the program, whose line spans hold 32-bit offsets.
static EngineResult ReadAndPrepare(std::FILE* file, LineArray& lines) {
    const long long size = FileSize(file);
    if (size < 0)
        return EngineResult::Failed;
    if (static_cast<unsigned long long>(size) > UINT32_MAX)
        return EngineResult::OutOfMemory;
    lines.text.resize(static_cast<size_t>(size));
    if (std::fread(lines.text.data(), 1, lines.text.size(), file) != lines.text.size())
        return EngineResult::Failed;
    PrepareLines(lines, true);
    return EngineResult::Done;
}

EngineResult LoadEngineInput(const char* path, LineArray& lines) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return EngineResult::Failed;
    EngineResult result;
    try {
        result = ReadAndPrepare(file, lines);
    } catch (const std::bad_alloc&) {
        result = EngineResult::OutOfMemory;
    }
    std::fclose(file);
    return result;
}

// Writes through the program's own output chunking; true when every byte got out.
static bool WriteChunks(std::FILE* file, const LineArray& lines) {
    const std::unique_ptr<char[]> chunk(new (std::nothrow) char[kFileChunkBytes]);
    if (!chunk)
        return false;
    OutputCursor cursor = StartOutput(lines, false);
    for (size_t filled; (filled = FillOutputChunk(lines, cursor, chunk.get(), kFileChunkBytes)) > 0;)
        if (std::fwrite(chunk.get(), 1, filled, file) != filled)
            return false;
    return true;
}

EngineResult WriteEngineOutput(const char* path, const LineArray& lines) {
    // Like the program, no lines leave no output file.
    std::remove(path);
    if (lines.lines.empty())
        return EngineResult::Done;
    std::FILE* file = std::fopen(path, "wb");
    if (!file)
        return EngineResult::Failed;
    const bool written = WriteChunks(file, lines);
    const bool closed = std::fclose(file) == 0;
    return written && closed ? EngineResult::Done : EngineResult::Failed;
}
