#include "ordering/sort_pacing.h"

#include "app/pump_hook.h"

static size_t WorkSincePump = 0;

void PumpNow() {
    WorkSincePump = 0;
    RunPumpHook();
}

void PaceWork(size_t units) {
    WorkSincePump += units;
    if (WorkSincePump >= WorkUnitsBetweenPumps)
        PumpNow();
}
