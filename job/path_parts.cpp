#include "job/path_parts.h"

PathParts SplitPath(std::wstring_view path) {
    if (path.empty() || path.size() > LongestSplitPath)
        return {};
    const size_t separator = path.find_last_of(L"\\:");
    if (separator == std::wstring_view::npos)
        return {{}, path};
    return {path.substr(0, separator + 1), path.substr(separator + 1)};
}

std::string_view StripBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}
