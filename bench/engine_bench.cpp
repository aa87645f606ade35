// Times the sort job's engine on one file, without dialogs or notices: load, sort, write.
// Usage: engine_bench <input> <asc|desc> <output>
// Prints one line "lines=N load=S sort=S write=S total=S" (seconds). Exit status: 0 done,
// 1 usage, 2 a file could not be read or written, 3 out of memory.
#include "app/settings.h"
#include "bench/engine_io.h"
#include "job/sort_engine.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <new>

namespace {
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

EngineResult SortLoadedLines(LineArray& lines) {
    try {
        SortLineArray(lines);
        return EngineResult::Done;
    } catch (const std::bad_alloc&) {
        return EngineResult::OutOfMemory;
    }
}

int Fail(const char* phase, EngineResult result) {
    const bool noMemory = result == EngineResult::OutOfMemory;
    std::fprintf(stderr, "engine_bench: %s: %s\n", phase, noMemory ? "out of memory" : "failed");
    return noMemory ? 3 : 2;
}

bool ParseOrder(const char* text) {
    if (std::strcmp(text, "asc") == 0)
        SortOrder = SortAscending;
    else if (std::strcmp(text, "desc") == 0)
        SortOrder = SortDescending;
    else
        return false;
    return true;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 4 || !ParseOrder(argv[2])) {
        std::fprintf(stderr, "usage: engine_bench <input> <asc|desc> <output>\n");
        return 1;
    }
    UseSystemRanks();
    const Clock::time_point start = Clock::now();
    LineArray lines;
    EngineResult result = LoadEngineInput(argv[1], lines);
    if (result != EngineResult::Done)
        return Fail("load", result);
    const double loaded = SecondsSince(start);
    if ((result = SortLoadedLines(lines)) != EngineResult::Done)
        return Fail("sort", result);
    const double sorted = SecondsSince(start);
    if ((result = WriteEngineOutput(argv[3], lines)) != EngineResult::Done)
        return Fail("write", result);
    const double total = SecondsSince(start);
    std::printf("lines=%zu load=%.3f sort=%.3f write=%.3f total=%.3f\n", lines.lines.size(), loaded,
                sorted - loaded, total - sorted, total);
    return 0;
}
