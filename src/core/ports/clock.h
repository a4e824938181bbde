#pragma once
// The two clocks the watch loop reads: a monotonic one that keeps counting while the computer
// sleeps and never jumps, for count-downs; and the local wall clock, for times of day.
#include <cstdint>

namespace klaxora {

// A local date and time as the system shows it (no time zone attached).
struct LocalDateTime {
    int32_t year = 2000;
    int32_t month = 1;  // 1..12
    int32_t day = 1;    // 1..31
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    int32_t millisecond = 0;
};

struct ClockReading {
    int64_t monotonicMs = 0;  // milliseconds since an arbitrary origin, counting sleep too
    LocalDateTime local;
};

class ClockPort {
  public:
    virtual ~ClockPort() = default;
    virtual ClockReading Now() = 0;
};

// Whole seconds of a local date and time counted on the proleptic Gregorian calendar, as if
// every day had 86400 seconds. Comparing two of them tells which the wall clock showed later;
// their difference is what the clock moved, not necessarily the time that passed.
int64_t CivilSeconds(const LocalDateTime& t);
// The inverse (milliseconds 0).
LocalDateTime FromCivilSeconds(int64_t seconds);

}  // namespace klaxora
