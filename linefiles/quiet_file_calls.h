#pragma once
#include <windows.h>

// Runs one file-system call with the system's critical-error and open-file message boxes
// suppressed, so that a drive without a medium fails the call instead of asking the user;
// the previous error mode is back before anything else runs.
template <typename Call> auto Quietly(Call call) {
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const auto result = call();
    SetErrorMode(previous);
    return result;
}
