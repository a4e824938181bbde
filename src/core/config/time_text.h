#pragma once
// Time texts: formatting whole seconds and the fields of a time, and reading the two kinds
// of time text the window accepts (a time of day, and a countdown of hours:minutes:seconds).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "util/spin_range.h"

namespace klaxora {

struct TimeFields {
    int32_t hours = 0;
    int32_t minutes = 0;
    int32_t seconds = 0;
    bool operator==(const TimeFields&) const = default;
};

// Whole seconds as hours:minutes:seconds, each at least two digits, the hours unbounded
// (90061 reads 25:01:01). Negative input reads as 0.
std::wstring FormatSeconds(int64_t seconds);

// The three fields joined by ":", each at least two digits: 9 h 5 min 0 s is 09:05:00, and a
// countdown keeps its minutes as typed, 00:90:00.
std::wstring FormatTimeText(const TimeFields& time);

// A time of day: hours and minutes, optional seconds, joined by the locale's separator or by
// ":" (what the recent lists store); hours 0..23, minutes and seconds 0..59. Spaces around
// the parts are allowed.
std::optional<TimeFields> ParseAtTimeText(std::wstring_view text, std::wstring_view separator);

// A countdown: the text split at ":" into hours, minutes and seconds (anything after a third
// ":" is ignored); each part must convert to a 32-bit integer. The values are not clamped here.
std::optional<TimeFields> ParseCountdownText(std::wstring_view text);

// A decimal integer the way the editors convert text: optional spaces and sign, digits,
// within 32 bits.
std::optional<int32_t> ParseInteger(std::wstring_view text);

namespace ranges {
inline constexpr SpinRange kCountdownHours{0, 100000};
inline constexpr SpinRange kCountdownMinutes{0, 999};
inline constexpr SpinRange kCountdownSeconds{0, 999};
inline constexpr SpinRange kAtHour{0, 23};
inline constexpr SpinRange kAtMinute{0, 59};
inline constexpr SpinRange kAtSecond{0, 59};
inline constexpr SpinRange kNoInternetSeconds{0, 2147483647};
}  // namespace ranges

// The countdown clamped to its editors' ranges, in seconds (at most 360060939).
int64_t CountdownSeconds(const TimeFields& countdown);

// The three countdown fields clamped to their editors' ranges.
TimeFields ClampCountdown(const TimeFields& countdown);

inline constexpr std::wstring_view kTimeFormatError = L"Wskazany format czasu jest niepoprawny !!!";

}  // namespace klaxora
