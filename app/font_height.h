#pragma once

// The LOGFONT height (negative: a character height) of a font of the given point size on a
// screen of dotsPerInch, rounded to the nearest pixel with halves to even.
int FontHeightForPoints(int points, int dotsPerInch);
