#include "app/settings.h"

int16_t SortOrder = 0;
int32_t DeletePrevious = 0;

void ApplyDefaultSettings() {
    DeletePrevious = 1;
    SortOrder = SortAscending;
}
