#include "app/ansi_text.h"

#include <windows.h>

std::wstring ToWide(std::string_view ansi) {
    if (ansi.empty())
        return {};
    const int size = static_cast<int>(ansi.size());
    const int units = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, ansi.data(), size, nullptr, 0);
    std::wstring wide(units, L'\0');
    MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, ansi.data(), size, wide.data(), units);
    return wide;
}

static std::string ConvertToAnsi(std::wstring_view wide, BOOL* usedDefault) {
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, usedDefault);
    std::string ansi(bytes, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, ansi.data(), bytes, nullptr, usedDefault);
    return ansi;
}

std::string ToAnsi(std::wstring_view wide) { return ConvertToAnsi(wide, nullptr); }

bool ToAnsiExactly(std::wstring_view wide, std::string& ansi) {
    BOOL usedDefault = FALSE;
    ansi = ConvertToAnsi(wide, &usedDefault);
    // Best-fit mappings (such as a Greek letter to a Latin one) use no default character, so
    // a round trip is the only sure test that the text names the same thing.
    return !usedDefault && ToWide(ansi) == wide;
}
