#include "win/sys/file_system_win.h"

#include <windows.h>

namespace klaxora::win {
namespace {

DWORD Attributes(std::wstring_view path) {
    if (path.empty())
        return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesW(std::wstring(path).c_str());
}

}  // namespace

bool Win32FileSystem::FileExists(std::wstring_view path) const {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::DirectoryExists(std::wstring_view path) const {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring Win32FileSystem::WindowsDirectory() const {
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT n = GetWindowsDirectoryW(buffer, MAX_PATH);
    std::wstring dir(buffer, n <= MAX_PATH ? n : 0);
    while (!dir.empty() && dir.back() == L'\\')
        dir.pop_back();
    return dir;
}

std::wstring Win32FileSystem::ExecutableDirectory() const {
    std::wstring path = ExecutablePath();
    path.resize(path.find_last_of(L'\\') + 1);
    return path;
}

std::wstring ExecutablePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);  // long paths
    }
}

}  // namespace klaxora::win
