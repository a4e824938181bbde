#pragma once
// The clocks through Win32: interrupt time, which keeps counting while the computer sleeps and
// never follows a clock change, and the local wall clock.
#include <windows.h>

#include "ports/clock.h"

namespace klaxora::win {

struct ClockApi {
    // Interrupt time in 100 ns units, counting sleep; null where the system lacks it.
    void(WINAPI* QueryInterruptTimePrecise)(PULONGLONG);
    ULONGLONG(WINAPI* GetTickCount64)();
    void(WINAPI* GetLocalTime)(LPSYSTEMTIME);
    void(WINAPI* GetSystemTimeAsFileTime)(LPFILETIME);
};

// The system's functions; the precise interrupt time is looked up at run time (Windows 10).
const ClockApi& RealClockApi();

class Win32Clock : public ClockPort {
  public:
    explicit Win32Clock(const ClockApi& api = RealClockApi()) : api_(api) {}
    ClockReading Now() override;

  private:
    const ClockApi& api_;
};

// How many times faster than real time the program's clocks run: the test seam
// KLAXORA_CLOCK_SCALE (1 to 1000) when it is set, which soak runs use to watch hours of alarms in
// minutes; otherwise, and always in the shipped program, 1: real time.
int32_t ClockScaleFromEnvironment();

LocalDateTime FromSystemTime(const SYSTEMTIME& time);
SYSTEMTIME ToSystemTime(const LocalDateTime& time);

}  // namespace klaxora::win
