#pragma once
#include <cstddef>

// Long sorts hand control to the pump hook every so often, measured in work done rather than
// time so that the core needs no clock: one unit is one line visited by a sorting step, about
// a few dozen nanoseconds.
constexpr size_t WorkUnitsBetweenPumps = size_t{1} << 20;

// Counts work done since the last pump and runs the pump hook once the budget is spent.
void PaceWork(size_t units);

// Runs the pump hook now and starts a fresh budget (at phase boundaries).
void PumpNow();
