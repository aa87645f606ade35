#pragma once

// Long work (loading, sorting, writing) calls RunPumpHook between steps so that the window
// stays responsive without a second thread. The Windows program installs its message pump
// here; the portable core knows nothing of windows.
using PumpFunction = void (*)();
extern PumpFunction PumpHook;

inline void RunPumpHook() {
    if (PumpHook)
        PumpHook();
}
