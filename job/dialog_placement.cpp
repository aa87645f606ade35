#include "job/dialog_placement.h"

constexpr LONG OwnerOffset = 30;

POINT DialogPlacement(const RECT* ownerRect, SIZE dialogSize, const RECT& workArea) {
    if (ownerRect)
        return {ownerRect->left + OwnerOffset, ownerRect->top + OwnerOffset};
    return {workArea.right / 2 - dialogSize.cx / 2, workArea.bottom / 2 - dialogSize.cy / 2};
}
