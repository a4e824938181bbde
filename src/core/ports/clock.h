#pragma once
// The two clocks the watch loop reads: a monotonic one that keeps counting while the computer
// sleeps and never jumps, for count-downs; and the local wall clock, for times of day.
#include <cstdint>
#include <string_view>

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
    int64_t utcMs = 0;  // the wall clock as UTC milliseconds since 1970, for moments kept on disk
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
// The wall clock `ms` milliseconds later (earlier when negative).
LocalDateTime AddMilliseconds(const LocalDateTime& t, int64_t ms);

// Inclusive range of the clock scale; a scale of 1 is real time.
inline constexpr int32_t kMaxClockScale = 1000;

// The program's clocks run `scale` times faster than `real` from the first reading on, both the
// monotonic and the wall clock, so that a soak run can watch hours of alarms in minutes. Timers
// set from this clock's delays go through RealMs. A scale of 1 passes every reading through.
class ScaledClock : public ClockPort {
  public:
    ScaledClock(ClockPort& real, int32_t scale);
    ClockReading Now() override;
    int32_t Scale() const { return scale_; }
    // A delay on this clock as real milliseconds, rounded up (a timer set from it never fires
    // before the moment it waits for).
    int64_t RealMs(int64_t ms) const;

  private:
    ClockPort& real_;
    int32_t scale_;
    bool started_ = false;
    ClockReading origin_;
};

// The clock scale a setting's text asks for: a whole number from 1 to kMaxClockScale; anything
// else (empty, out of range, not a number) means real time.
int32_t ParseClockScale(std::wstring_view text);

}  // namespace klaxora
