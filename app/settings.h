#pragma once
#include <cstdint>

// The two settings of a sort job. They live in memory only: every start begins with the defaults.

// 1 = descending, 2 = ascending, 0 = exchange nothing (left by the settings dialog when no item is chosen).
extern int16_t SortOrder;
// 1 = remove an existing output file of the chosen name first; 0 = add the lines after its content.
extern int32_t DeletePrevious;

constexpr int16_t SortDescending = 1;
constexpr int16_t SortAscending = 2;

void ApplyDefaultSettings();
