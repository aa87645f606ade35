#include "linefiles/path_rules.h"

static constexpr std::wstring_view kSeparators = L"\\/:";

bool IsRefusedPath(std::wstring_view path) {
    return path.empty() || path.find_first_of(L"*?") != std::wstring_view::npos;
}

bool NamesNoFile(std::wstring_view path) {
    return IsRefusedPath(path) || kSeparators.find(path.back()) != std::wstring_view::npos;
}

size_t FolderPartLength(std::wstring_view path) {
    const size_t last = path.find_last_of(kSeparators);
    return last == std::wstring_view::npos ? 0 : last + 1;
}
