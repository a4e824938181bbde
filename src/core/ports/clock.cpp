#include "ports/clock.h"

#include "util/decimal.h"

namespace klaxora {

namespace {

constexpr int64_t kSecondsPerDay = 86400;

// Days since 1970-01-01 of a Gregorian date, valid for every year.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int64_t FloorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace

int64_t CivilSeconds(const LocalDateTime& t) {
    return DaysFromCivil(t.year, t.month, t.day) * kSecondsPerDay + t.hour * 3600LL +
           t.minute * 60LL + t.second;
}

LocalDateTime FromCivilSeconds(int64_t seconds) {
    const int64_t days = FloorDiv(seconds, kSecondsPerDay);
    const int64_t secondOfDay = seconds - days * kSecondsPerDay;
    const int64_t z = days + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    LocalDateTime t;
    t.year = static_cast<int32_t>(yoe + era * 400 + (m <= 2));
    t.month = static_cast<int32_t>(m);
    t.day = static_cast<int32_t>(d);
    t.hour = static_cast<int32_t>(secondOfDay / 3600);
    t.minute = static_cast<int32_t>(secondOfDay / 60 % 60);
    t.second = static_cast<int32_t>(secondOfDay % 60);
    return t;
}

LocalDateTime AddMilliseconds(const LocalDateTime& t, int64_t ms) {
    const int64_t wallMs = CivilSeconds(t) * 1000 + t.millisecond + ms;
    const int64_t seconds = FloorDiv(wallMs, 1000);
    LocalDateTime later = FromCivilSeconds(seconds);
    later.millisecond = static_cast<int32_t>(wallMs - seconds * 1000);
    return later;
}

ScaledClock::ScaledClock(ClockPort& real, int32_t scale)
    : real_(real), scale_(scale >= 1 && scale <= kMaxClockScale ? scale : 1) {}

ClockReading ScaledClock::Now() {
    const ClockReading real = real_.Now();
    if (scale_ == 1)
        return real;
    if (!started_) {
        origin_ = real;
        started_ = true;
    }
    const int64_t elapsed = (real.monotonicMs - origin_.monotonicMs) * scale_;
    ClockReading scaled;
    scaled.monotonicMs = origin_.monotonicMs + elapsed;
    // The wall clock follows the scaled time from where it stood at the first reading; a change
    // of the real wall clock meanwhile is not followed.
    scaled.local = AddMilliseconds(origin_.local, elapsed);
    scaled.utcMs = origin_.utcMs + elapsed;
    return scaled;
}

int64_t ScaledClock::RealMs(int64_t ms) const {
    if (ms <= 0)
        return 0;
    return (ms + scale_ - 1) / scale_;
}

int32_t ParseClockScale(std::wstring_view text) {
    return ParseDecimalAs<int32_t>(text, {.min = 1, .max = kMaxClockScale}).value_or(1);
}

}  // namespace klaxora
