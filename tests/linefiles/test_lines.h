#pragma once
#include "linefiles/line_array.h"

#include <string>
#include <vector>

using Texts = std::vector<std::string>;

// A LineArray holding texts in this order, their bytes stored in reverse order so that the
// spans are out of text order, as they are after a sort.
LineArray MakeLines(const Texts& texts);

// The lines of lines as texts, in span order.
Texts LineTexts(const LineArray& lines);
