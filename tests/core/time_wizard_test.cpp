#include <gtest/gtest.h>

#include "config/time_text.h"
#include "dialogs/time_wizard.h"

namespace klaxora {
namespace {

using Kind = WizardResult::Kind;

WizardInput Seconds(WizardTarget target, std::wstring text) {
    WizardInput in;
    in.target = target;
    in.mode = WizardMode::Seconds;
    in.secondsText = std::move(text);
    return in;
}

WizardInput NoMode() {
    WizardInput in;
    in.target = WizardTarget::Countdown;
    return in;
}

TEST(TimeWizard, LabelsAndTheDaysModeFollowTheTarget) {
    const auto at = PrepareWizard(WizardTargetFor(L"Uruchom alarm o ..."));
    EXPECT_EQ(at.timeCaption, L"Po&daj godzinę o której mam uruchomić alarm:");
    EXPECT_EQ(at.dateCaption, L"Po&daj którego mam uruchomić alarm:");
    EXPECT_TRUE(at.timeOfDayPickerAtNow);
    EXPECT_FALSE(at.daysModeEnabled);
    const auto down = PrepareWizard(WizardTargetFor(L"Odlicz w dół i uruchom"));
    EXPECT_EQ(down.timeCaption, L"&Ustaw za ile czasu mam uruchomić alarm:");
    EXPECT_EQ(down.dateCaption, L"&Ustaw za ile dni mam uruchomić alarm:");
    EXPECT_FALSE(down.timeOfDayPickerAtNow);
    EXPECT_TRUE(down.daysModeEnabled);
    EXPECT_EQ(WizardTargetFor(L"odlicz w dół i uruchom"), WizardTarget::None);  // exact captions
}

TEST(TimeWizard, SecondsFieldReadsItsNumberOrTheMinimum) {
    EXPECT_EQ(WizardSecondsValue(L"3661"), 3661);
    EXPECT_EQ(WizardSecondsValue(L"0"), 0);
    EXPECT_EQ(WizardSecondsValue(L""), 1);
    EXPECT_EQ(WizardSecondsValue(L"12a"), 1);
    EXPECT_GT(WizardSecondsValue(L"99999999999999999999999"), kWizardMaxSeconds);
    EXPECT_EQ(ConvertedLabel(3661), L"Po przekonwertowaniu:    01:01:01");
    EXPECT_EQ(ConvertedLabel(1), L"Po przekonwertowaniu:    00:00:01");
}

TEST(TimeWizard, OkHandsTheTextToTheTargetsParser) {
    struct Case {
        WizardInput input;
        Kind kind;
        std::wstring text;
    };
    WizardInput pickedTime;
    pickedTime.target = WizardTarget::AtTime;
    pickedTime.mode = WizardMode::TimeOfDay;
    pickedTime.pickedTime = {19, 5, 9};
    pickedTime.timeSeparator = L".";
    WizardInput pickedCountdown = pickedTime;
    pickedCountdown.target = WizardTarget::Countdown;
    const std::vector<Case> cases = {
        {Seconds(WizardTarget::Countdown, L"3661"), Kind::ApplyCountdown, L"01:01:01"},
        {Seconds(WizardTarget::AtTime, L"3661"), Kind::ApplyAtTime, L"01:01:01"},
        // AtTime's own parser rejects 25 hours; a countdown takes them.
        {Seconds(WizardTarget::AtTime, L"90000"), Kind::ApplyAtTime, L"25:00:00"},
        {Seconds(WizardTarget::Countdown, L"90000"), Kind::ApplyCountdown, L"25:00:00"},
        {Seconds(WizardTarget::Countdown, L"0"), Kind::ApplyCountdown, L"00:00:00"},
        {Seconds(WizardTarget::Countdown, L"360003599"), Kind::ApplyCountdown, L"100000:59:59"},
        // The picked time in 24 hours: the separator AtTime parses with, ":" for a countdown.
        {pickedTime, Kind::ApplyAtTime, L"19.05.09"},
        {pickedCountdown, Kind::ApplyCountdown, L"19:05:09"},
        {Seconds(WizardTarget::None, L"5"), Kind::Nothing, L""},
        {NoMode(), Kind::Nothing, L""},
    };
    for (const Case& c : cases) {
        const WizardResult r = WizardOkResult(c.input);
        EXPECT_EQ(r.kind, c.kind) << c.input.secondsText;
        EXPECT_EQ(r.text, c.text) << c.input.secondsText;
    }
    EXPECT_FALSE(ParseAtTimeText(L"25:00:00", L":"));
    EXPECT_EQ(ParseCountdownText(L"25:00:00"), (TimeFields{25, 0, 0}));
}

TEST(TimeWizard, ACountdownBeyondTheHourFieldIsCappedThereAndOnlyAnOverRangeNumberRefused) {
    EXPECT_EQ(FormatSeconds(2147483647), L"596523:14:07");
    for (const auto& [seconds, fields] : {std::pair{L"2147483647", TimeFields{100000, 14, 7}},
                                          std::pair{L"360007261", TimeFields{100000, 1, 1}}}) {
        const WizardResult r = WizardOkResult(Seconds(WizardTarget::Countdown, seconds));
        EXPECT_EQ(r.kind, Kind::ApplyCountdown) << seconds;
        EXPECT_EQ(ClampCountdown(ParseCountdownText(r.text).value_or(TimeFields{})), fields);
    }
    for (const auto& in : {Seconds(WizardTarget::Countdown, L"2147483648"),
                           Seconds(WizardTarget::AtTime, L"9999999999")}) {
        const WizardResult r = WizardOkResult(in);
        EXPECT_EQ(r.kind, Kind::Refuse) << in.secondsText;
        EXPECT_EQ(r.text, L"Podano za dużą liczbę sekund !!!");
    }
}

TEST(TimeWizard, DaysCountWholeDaysEitherWay) {
    const LocalDateTime today{2026, 12, 7, 0, 0, 0};
    struct Case {
        LocalDateTime picked;
        int64_t days;
    };
    for (const Case& c : std::initializer_list<Case>{
             {{2026, 12, 10}, 3},
             {{2026, 12, 4}, 3},
             {{2027, 1, 1}, 25},   // across the year's end
             {{2028, 3, 1}, 450},  // across a leap day
             {{2026, 12, 8, 23, 59, 59}, 1},
             {{2026, 12, 7, 13, 0, 0}, 0},
         }) {
        EXPECT_EQ(DayDistance(c.picked, today), c.days);
        EXPECT_EQ(DayDistance(today, c.picked), c.days);
    }
    EXPECT_EQ(DayDifferenceLabel(3), L"Różnica dni:      3");

    WizardInput in;
    in.target = WizardTarget::Countdown;
    in.mode = WizardMode::Days;
    in.today = today;
    for (const LocalDateTime picked : {LocalDateTime{2026, 12, 10}, LocalDateTime{2026, 12, 4}}) {
        in.pickedDate = picked;
        const WizardResult r = WizardOkResult(in);
        EXPECT_EQ(r.kind, Kind::ApplyCountdown);
        EXPECT_EQ(r.text, L"72:00:00");
    }
    // Still selected from an earlier use, the days mode gives AtTime a multiple of 24 hours.
    in.target = WizardTarget::AtTime;
    EXPECT_EQ(WizardOkResult(in).text, L"72:00:00");
    in.target = WizardTarget::Countdown;
    in.pickedDate = {2038, 12, 7};  // beyond the hour field, which caps it
    EXPECT_EQ(WizardOkResult(in).text, L"105192:00:00");
}

}  // namespace
}  // namespace klaxora
