// The time texts typed into the window, stored in the recent lists and given on the command
// line: whatever the text, the parsers answer without crashing, what they accept lies within
// the editors' ranges, and what they accept reads back the same once written out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/time_text.h"
#include "fuzz/fuzz_input.h"

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace klaxora;
    // The first byte picks the locale's time separator, the rest is the text.
    static const wchar_t* const kSeparators[] = {L":", L".", L" ", L"::", L"h", L""};
    const wchar_t* separator = kSeparators[size > 0 ? data[0] % 6 : 0];
    const std::wstring text = fuzz::DecodeUtf8(data + (size > 0), size - (size > 0));

    if (const auto at = ParseAtTimeText(text, separator)) {
        Require(at->hours >= 0 && at->hours <= 23);
        Require(at->minutes >= 0 && at->minutes <= 59);
        Require(at->seconds >= 0 && at->seconds <= 59);
        // What the recent list stores for it reads back as the same time.
        Require(ParseAtTimeText(FormatTimeText(*at), L":") == at);
    }

    if (const auto countdown = ParseCountdownText(text)) {
        const TimeFields clamped = ClampCountdown(*countdown);
        const int64_t seconds = CountdownSeconds(*countdown);
        Require(seconds >= 0 && seconds <= 360060939);
        Require(seconds == int64_t(clamped.hours) * 3600 + clamped.minutes * 60 + clamped.seconds);
        Require(ParseCountdownText(FormatTimeText(clamped)) == clamped);
        // Formatting the seconds gives a text the countdown parser reads as the same length.
        const auto again = ParseCountdownText(FormatSeconds(seconds));
        Require(again &&
                int64_t(again->hours) * 3600 + again->minutes * 60 + again->seconds == seconds);
    }

    if (const auto number = ParseInteger(text)) {
        Require(ParseInteger(std::to_wstring(*number)) == number);
    }
    return 0;
}
