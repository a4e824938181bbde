#include "win/sys/file_system_win.h"

#include <windows.h>

#include "util/long_path.h"

namespace klaxora::win {
namespace {

// Asks a function that fills a buffer of a given size and answers the length it wrote, or the
// size it needs (with the terminating zero) when the buffer was short, until the text fits.
template <typename Fill>
std::wstring GrowingText(Fill fill) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(n + 1);
    }
}

DWORD Attributes(std::wstring_view path) {
    if (path.empty())
        return INVALID_FILE_ATTRIBUTES;
    std::wstring name(path);
    if (name.size() >= kClassicPathLimit) {
        // The extended form is taken exactly as written: "." and ".." resolved first.
        const std::wstring full = GrowingText([&](wchar_t* buffer, DWORD size) {
            return GetFullPathNameW(name.c_str(), size, buffer, nullptr);
        });
        name = ExtendedLengthPath(full.empty() ? name : full);
    }
    return GetFileAttributesW(name.c_str());
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
    std::wstring dir = GrowingText([](wchar_t* buffer, DWORD size) {
        return static_cast<DWORD>(GetWindowsDirectoryW(buffer, size));
    });
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
