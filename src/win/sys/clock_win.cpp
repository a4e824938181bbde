#include "win/sys/clock_win.h"

#include "win/sys/test_seams.h"

namespace klaxora::win {

const ClockApi& RealClockApi() {
    static const ClockApi api = [] {
        ClockApi found{nullptr, &::GetTickCount64, &::GetLocalTime, &::GetSystemTimeAsFileTime};
        // Exported by kernelbase from Windows 10 on; the tick count (same clock, coarser) serves
        // elsewhere.
        if (HMODULE kernelBase = GetModuleHandleW(L"kernelbase.dll")) {
            found.QueryInterruptTimePrecise = reinterpret_cast<void(WINAPI*)(PULONGLONG)>(
                reinterpret_cast<void*>(GetProcAddress(kernelBase, "QueryInterruptTimePrecise")));
        }
        return found;
    }();
    return api;
}

ClockReading Win32Clock::Now() {
    ClockReading reading;
    if (api_.QueryInterruptTimePrecise) {
        ULONGLONG ticks = 0;
        api_.QueryInterruptTimePrecise(&ticks);
        reading.monotonicMs = static_cast<int64_t>(ticks / 10000);
    } else {
        reading.monotonicMs = static_cast<int64_t>(api_.GetTickCount64());
    }
    SYSTEMTIME local{};
    api_.GetLocalTime(&local);
    reading.local = FromSystemTime(local);
    FILETIME utc{};
    api_.GetSystemTimeAsFileTime(&utc);
    // 100 ns units since 1601; 11644473600 s lie between 1601 and 1970.
    const uint64_t since1601 =
        (static_cast<uint64_t>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime;
    reading.utcMs = static_cast<int64_t>(since1601 / 10000) - 11644473600000LL;
    return reading;
}

int32_t ClockScaleFromEnvironment() {
    return ParseClockScale(TestSeamValue(TestSeam::ClockScale));
}

LocalDateTime FromSystemTime(const SYSTEMTIME& time) {
    return LocalDateTime{time.wYear,   time.wMonth,  time.wDay,         time.wHour,
                         time.wMinute, time.wSecond, time.wMilliseconds};
}

SYSTEMTIME ToSystemTime(const LocalDateTime& time) {
    SYSTEMTIME out{};
    out.wYear = static_cast<WORD>(time.year);
    out.wMonth = static_cast<WORD>(time.month);
    out.wDay = static_cast<WORD>(time.day);
    out.wHour = static_cast<WORD>(time.hour);
    out.wMinute = static_cast<WORD>(time.minute);
    out.wSecond = static_cast<WORD>(time.second);
    out.wMilliseconds = static_cast<WORD>(time.millisecond);
    return out;
}

}  // namespace klaxora::win
