#include "util/long_path.h"

#include <algorithm>

namespace klaxora {

namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

}  // namespace

std::wstring ExtendedLengthPath(std::wstring_view fullPath) {
    std::wstring path(fullPath);
    if (path.size() < kClassicPathLimit)
        return path;
    const bool drive = path.size() >= 3 && ((path[0] | 0x20) >= L'a' && (path[0] | 0x20) <= L'z') &&
                       path[1] == L':' && IsSeparator(path[2]);
    // "\\?\" and "\\.\" are already what the system takes; "\\server" is a share.
    const bool share = path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
                       path[2] != L'?' && path[2] != L'.' && !IsSeparator(path[2]);
    if (!drive && !share)
        return path;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return share ? L"\\\\?\\UNC\\" + path.substr(2) : L"\\\\?\\" + path;
}

}  // namespace klaxora
