#pragma once
#include <cstddef>

// Bytes per ReadFile or WriteFile call: large enough that a file of hundreds of MB costs few
// system calls, small enough that the window is pumped several times a second between them.
constexpr size_t kFileChunkBytes = size_t{4} << 20;
