#pragma once
#include <windows.h>

// Where a file dialog of the given size opens: 30 pixels right of and below the owner's top-left
// corner, or with its centre at half the work area's right and bottom when there is no owner
// rectangle (ownerRect null).
POINT DialogPlacement(const RECT* ownerRect, SIZE dialogSize, const RECT& workArea);
