#include "bench/engine_io.h"

#include "linefiles/line_reader.h"
#include "linefiles/output_writer.h"
#include "ordering/system_lowercase_win32.h"

void UseSystemRanks() {
    UseSystemLowerCasing();
}

EngineResult LoadEngineInput(const char* path, LineArray& lines) {
    switch (LoadLines(path, lines)) {
    case LoadResult::Loaded: return EngineResult::Done;
    case LoadResult::OutOfMemory: return EngineResult::OutOfMemory;
    default: return EngineResult::Failed;
    }
}

EngineResult WriteEngineOutput(const char* path, const LineArray& lines) {
    // What the job does with the default setting: the output takes the place of any old file.
    return ReplaceWithLines(path, lines) == WriteResult::Written ? EngineResult::Done : EngineResult::Failed;
}
