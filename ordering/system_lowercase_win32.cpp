#include "ordering/system_lowercase_win32.h"

#include "ordering/collation.h"

#include <windows.h>

void UseSystemLowerCasing() {
    // Each byte is lower-cased on its own, as one-character text; the NUL byte never is.
    char lowerCase[256];
    for (int ch = 0; ch < 256; ++ch) {
        lowerCase[ch] = static_cast<char>(ch);
        if (ch != 0)
            CharLowerBuffA(&lowerCase[ch], 1);
    }
    CharRanks = MakeCharRanks(reinterpret_cast<const unsigned char*>(lowerCase));
}
