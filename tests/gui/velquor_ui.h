#pragma once
// What the user sees of the program: window titles, control identifiers and texts. Non-ASCII
// letters are written as their code points ("\u00F3" is the ó of the program's Windows-1252 text).
#include <string>

namespace ui {

const std::wstring MainTitle = L"Velquor";
const std::wstring SettingsTitle = L"Configurador";
const std::wstring NoticeTitle = L"Programador";

constexpr int SortButton = 1001;
constexpr int SettingsButton = 1002;
constexpr int ExitButton = 1003;

constexpr int OrderLabel = 1005;
constexpr int OrderCombo = 1006;
constexpr int DeletePreviousCheck = 1007;
constexpr int SettingsExitButton = 1008;

const std::wstring DescendingItem = L"01 De Mayor a Menor";
const std::wstring AscendingItem = L"02 De Menor a Mayor";
constexpr int DescendingIndex = 0;
constexpr int AscendingIndex = 1;

const std::wstring StartNotice = L"La ordenaci\u00F3n puede tardar unos minutos ...";

inline std::wstring FinalNotice(long long lines) {
    return L"Termine de ordenar " + std::to_wstring(lines) + L" l\u00EDneas ...";
}

} // namespace ui
