#include "app/pump_hook.h"

PumpFunction PumpHook = nullptr;
