#include "app/order_choice.h"

int16_t SortOrderFromItemText(std::string_view itemText) {
    std::string_view prefix = itemText.substr(0, 2);
    while (!prefix.empty() && prefix.front() == ' ')
        prefix.remove_prefix(1);
    int16_t order = 0;
    for (const char c : prefix) {
        if (c < '0' || c > '9')
            break;
        order = static_cast<int16_t>(order * 10 + (c - '0'));
    }
    return order;
}
