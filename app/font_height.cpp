#include "app/font_height.h"

int FontHeightForPoints(int points, int dotsPerInch) {
    const int scaled = points * dotsPerInch;
    int pixels = scaled / 72;
    const int twiceRemainder = 2 * (scaled % 72);
    if (twiceRemainder > 72 || (twiceRemainder == 72 && pixels % 2 != 0))
        ++pixels;
    return -pixels;
}
