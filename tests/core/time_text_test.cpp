#include <gtest/gtest.h>

#include "config/time_text.h"

namespace klaxora {
namespace {

TEST(FormatSeconds, HoursUnboundedFieldsTwoDigits) {
    EXPECT_EQ(FormatSeconds(0), L"00:00:00");
    EXPECT_EQ(FormatSeconds(3661), L"01:01:01");
    EXPECT_EQ(FormatSeconds(90061), L"25:01:01");
    EXPECT_EQ(FormatSeconds(2147483647), L"596523:14:07");
    EXPECT_EQ(FormatSeconds(359999), L"99:59:59");
    EXPECT_EQ(FormatSeconds(360000), L"100:00:00");
    EXPECT_EQ(FormatSeconds(-5), L"00:00:00");
}

TEST(FormatTimeText, KeepsFieldsAsGiven) {
    EXPECT_EQ(FormatTimeText({9, 5, 0}), L"09:05:00");
    EXPECT_EQ(FormatTimeText({0, 0, 9}), L"00:00:09");
    EXPECT_EQ(FormatTimeText({0, 90, 0}), L"00:90:00");
    EXPECT_EQ(FormatTimeText({100000, 999, 999}), L"100000:999:999");
}

TEST(CountdownText, SplitsAtColonsIntoThreeIntegers) {
    EXPECT_EQ(ParseCountdownText(L"1:30:00"), (TimeFields{1, 30, 0}));
    EXPECT_EQ(ParseCountdownText(L"0:90:0"), (TimeFields{0, 90, 0}));
    EXPECT_EQ(ParseCountdownText(L"1:2:3:4"), (TimeFields{1, 2, 3}));
    EXPECT_EQ(ParseCountdownText(L"1:2:3:"), (TimeFields{1, 2, 3}));
    EXPECT_EQ(ParseCountdownText(L"596523:14:07"), (TimeFields{596523, 14, 7}));
    EXPECT_EQ(ParseCountdownText(L" 5:-1:+2"), (TimeFields{5, -1, 2}));
}

TEST(CountdownText, FailsOnMissingOrBadParts) {
    EXPECT_FALSE(ParseCountdownText(L"1:30"));
    EXPECT_FALSE(ParseCountdownText(L"90"));
    EXPECT_FALSE(ParseCountdownText(L""));
    EXPECT_FALSE(ParseCountdownText(L"::"));
    EXPECT_FALSE(ParseCountdownText(L"1::3"));
    EXPECT_FALSE(ParseCountdownText(L"a:b:c"));
    EXPECT_FALSE(ParseCountdownText(L"1:2:3x"));
    EXPECT_FALSE(ParseCountdownText(L"99999999999:0:0"));  // beyond 32 bits
}

TEST(CountdownText, ClampedByTheEditorsRanges) {
    const auto parsed = ParseCountdownText(L"200000:1000:-3");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(ClampCountdown(*parsed), (TimeFields{100000, 999, 0}));
    EXPECT_EQ(CountdownSeconds({100000, 999, 999}), 360060939);
    EXPECT_EQ(CountdownSeconds({0, 90, 0}), 5400);
    EXPECT_EQ(CountdownSeconds({596523, 14, 7}), 100000LL * 3600 + 14 * 60 + 7);
}

TEST(AtTimeText, HoursMinutesAndOptionalSeconds) {
    EXPECT_EQ(ParseAtTimeText(L"7:05", L":"), (TimeFields{7, 5, 0}));
    EXPECT_EQ(ParseAtTimeText(L"07:05:09", L":"), (TimeFields{7, 5, 9}));
    EXPECT_EQ(ParseAtTimeText(L"23:59:59", L":"), (TimeFields{23, 59, 59}));
    EXPECT_EQ(ParseAtTimeText(L"00:00:00", L":"), (TimeFields{0, 0, 0}));
    EXPECT_EQ(ParseAtTimeText(L" 7 : 05 ", L":"), (TimeFields{7, 5, 0}));
    // The separator comes from the user's locale.
    EXPECT_EQ(ParseAtTimeText(L"7.05.30", L"."), (TimeFields{7, 5, 30}));
}

// The recent lists store ":", so a text with ":" is a time of day whatever the locale's
// separator; the two are never mixed in one text, and the ranges hold either way.
TEST(AtTimeText, ColonIsAcceptedWhateverTheLocaleSeparator) {
    for (const wchar_t* separator : {L".", L"h", L" ", L""}) {
        EXPECT_EQ(ParseAtTimeText(L"7:05:30", separator), (TimeFields{7, 5, 30})) << separator;
        EXPECT_EQ(ParseAtTimeText(L"23:59", separator), (TimeFields{23, 59, 0})) << separator;
        EXPECT_FALSE(ParseAtTimeText(L"24:00", separator)) << separator;
        EXPECT_FALSE(ParseAtTimeText(L"7", separator)) << separator;
    }
    EXPECT_FALSE(ParseAtTimeText(L"7.05:30", L"."));
    EXPECT_FALSE(ParseAtTimeText(L"7:05.30", L"."));
}

TEST(AtTimeText, RejectsOutOfRangeAndMalformed) {
    EXPECT_FALSE(ParseAtTimeText(L"25:00:00", L":"));
    EXPECT_FALSE(ParseAtTimeText(L"24:00", L":"));
    EXPECT_FALSE(ParseAtTimeText(L"12:60", L":"));
    EXPECT_FALSE(ParseAtTimeText(L"12:00:60", L":"));
    EXPECT_FALSE(ParseAtTimeText(L"7", L":"));
    EXPECT_FALSE(ParseAtTimeText(L"1:2:3:4", L":"));
    EXPECT_FALSE(ParseAtTimeText(L"", L":"));
    EXPECT_FALSE(ParseAtTimeText(L"-1:00", L":"));
    EXPECT_FALSE(ParseAtTimeText(L"12:", L":"));
    EXPECT_FALSE(ParseAtTimeText(L"ab:cd", L":"));
}

TEST(SpinClamp, BelowMinimumAboveMaximum) {
    EXPECT_EQ(ClampSpin(25, ranges::kAtHour), 23);
    EXPECT_EQ(ClampSpin(-1, ranges::kAtMinute), 0);
    EXPECT_EQ(ClampSpin(42, ranges::kAtMinute), 42);
    EXPECT_EQ(ClampSpin(5000000000LL, ranges::kNoInternetSeconds), 2147483647);
    EXPECT_EQ(ClampSpin(2000, SpinRange{0, 1920}), 1920);  // click point beyond the screen
}

TEST(ParseIntegerText, SignsSpacesAndLimits) {
    EXPECT_EQ(ParseInteger(L"2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger(L"-2147483648"), -2147483647 - 1);
    EXPECT_FALSE(ParseInteger(L"2147483648"));
    EXPECT_FALSE(ParseInteger(L"-"));
    EXPECT_FALSE(ParseInteger(L"1 2"));
    EXPECT_EQ(ParseInteger(L"  007 "), 7);
}

}  // namespace
}  // namespace klaxora
