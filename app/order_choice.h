#pragma once
#include <cstdint>
#include <string_view>

// The settings dialog's order items begin with the SortOrder they stand for ("01 De Mayor a
// Menor" is 1). Returns the decimal number spelt by the first two characters of an item's text,
// leading blanks skipped; 0 when they spell none (the empty text of "no item selected").
int16_t SortOrderFromItemText(std::string_view itemText);
