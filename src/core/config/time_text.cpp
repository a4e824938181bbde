#include "config/time_text.h"

#include <vector>

#include "util/decimal.h"
#include "util/text.h"

namespace klaxora {
namespace {

std::wstring TwoDigits(int64_t n) {
    std::wstring s = std::to_wstring(n);
    if (s.size() < 2)
        s.insert(0, 2 - s.size(), L'0');
    return s;
}

std::optional<int32_t> ParseField(std::wstring_view text, int32_t max) {
    return ParseDecimalAs<int32_t>(Trim(text), {.min = 0, .max = max});
}

// A time of day split at one separator.
std::optional<TimeFields> SplitAtTime(std::wstring_view text, std::wstring_view separator) {
    std::vector<std::wstring_view> parts;
    for (;;) {
        const size_t at = text.find(separator);
        if (at == std::wstring_view::npos) {
            parts.push_back(text);
            break;
        }
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + separator.size());
    }
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    const auto h = ParseField(parts[0], 23);
    const auto m = ParseField(parts[1], 59);
    const auto s = parts.size() == 3 ? ParseField(parts[2], 59) : std::optional<int32_t>(0);
    if (!h || !m || !s)
        return std::nullopt;
    return TimeFields{*h, *m, *s};
}

}  // namespace

std::wstring FormatSeconds(int64_t seconds) {
    if (seconds < 0)
        seconds = 0;
    return TwoDigits(seconds / 3600) + L":" + TwoDigits((seconds % 3600) / 60) + L":" +
           TwoDigits(seconds % 60);
}

std::wstring FormatTimeText(const TimeFields& time) {
    return TwoDigits(time.hours) + L":" + TwoDigits(time.minutes) + L":" + TwoDigits(time.seconds);
}

std::optional<TimeFields> ParseAtTimeText(std::wstring_view text, std::wstring_view separator) {
    if (separator.empty())
        separator = L":";
    if (auto time = SplitAtTime(text, separator))
        return time;
    // The recent lists and the command line store ":" whatever the locale uses.
    if (separator != L":")
        return SplitAtTime(text, L":");
    return std::nullopt;
}

std::optional<int32_t> ParseInteger(std::wstring_view text) {
    return ParseDecimalAs<int32_t>(Trim(text), {.sign = Sign::PlusOrMinus});
}

std::optional<TimeFields> ParseCountdownText(std::wstring_view text) {
    std::wstring_view parts[3];
    for (int i = 0; i < 3; ++i) {
        const size_t at = text.find(L':');
        if (at == std::wstring_view::npos) {
            parts[i] = text;
            text = {};
            // Fewer than two colons leave the later parts empty, which fails below.
            for (int j = i + 1; j < 3; ++j)
                parts[j] = {};
            break;
        }
        parts[i] = text.substr(0, at);
        text.remove_prefix(at + 1);
    }
    const auto h = ParseInteger(parts[0]);
    const auto m = ParseInteger(parts[1]);
    const auto s = ParseInteger(parts[2]);
    if (!h || !m || !s)
        return std::nullopt;
    return TimeFields{*h, *m, *s};
}

TimeFields ClampCountdown(const TimeFields& c) {
    return {static_cast<int32_t>(ClampSpin(c.hours, ranges::kCountdownHours)),
            static_cast<int32_t>(ClampSpin(c.minutes, ranges::kCountdownMinutes)),
            static_cast<int32_t>(ClampSpin(c.seconds, ranges::kCountdownSeconds))};
}

int64_t CountdownSeconds(const TimeFields& countdown) {
    const TimeFields c = ClampCountdown(countdown);
    return int64_t(c.hours) * 3600 + int64_t(c.minutes) * 60 + c.seconds;
}

}  // namespace klaxora
