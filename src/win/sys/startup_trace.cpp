#include "win/sys/startup_trace.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "win/sys/test_seams.h"

namespace klaxora::win {
namespace {

int64_t FileTimeMs(const FILETIME& t) {
    ULARGE_INTEGER v;
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    return static_cast<int64_t>(v.QuadPart / 10000);
}

}  // namespace

void MarkStartup(const char* stage) {
    static const HANDLE file = [] {
        const std::wstring path = TestSeamValue(TestSeam::StartupTrace);
        if (path.empty())
            return INVALID_HANDLE_VALUE;
        return CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }();
    if (file == INVALID_HANDLE_VALUE)
        return;
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    char line[160];
    const int length = std::snprintf(line, sizeof line, "%s %lld cpu=%lld\n", stage,
                                     static_cast<long long>(FileTimeMs(now) - FileTimeMs(created)),
                                     static_cast<long long>(FileTimeMs(kernel) + FileTimeMs(user)));
    DWORD written = 0;
    if (length > 0)
        WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
}

}  // namespace klaxora::win
