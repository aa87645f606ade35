#include "app/ansi_text.h"
#include "app/program_entry.h"

#include <objbase.h>

namespace {

constexpr int RefusedExitCode = 255;

// The program relies on the NT family's file and window services.
bool RunsOnWindowsNt() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand) {
    if (!RunsOnWindowsNt()) {
        MessageBoxW(nullptr, ToWide("Win98 No Support").c_str(), nullptr, MB_TASKMODAL | MB_SETFOREGROUND);
        return RefusedExitCode;
    }
    const bool comReady = SUCCEEDED(CoInitialize(nullptr));
    const int exitCode = ProgramEntry(instance, previousInstance, commandLine, showCommand);
    if (comReady)
        CoUninitialize();
    return exitCode;
}
