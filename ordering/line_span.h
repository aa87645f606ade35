#pragma once
#include <cstdint>

// One line as a run of bytes inside a text buffer, without its line end. Files of up to 4 GiB
// fit, which is more than a 32-bit process can hold.
struct LineSpan {
    uint32_t offset;
    uint32_t length;
};
