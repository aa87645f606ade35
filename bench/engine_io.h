#pragma once
#include "linefiles/line_array.h"

// What the engine benchmark needs of the system: the one place where the native and the
// Windows builds differ. Everything between loading and writing is the program's own code.

enum class EngineResult { Done, Failed, OutOfMemory };

// Makes the character ranks follow the running system, as the program does at start-up.
void UseSystemRanks();

// Loads the non-empty lines of the file at path into lines, as the program's job does.
EngineResult LoadEngineInput(const char* path, LineArray& lines);

// Replaces the file at path by the output of lines, as the job does with the default setting;
// Failed when any step fails.
EngineResult WriteEngineOutput(const char* path, const LineArray& lines);
