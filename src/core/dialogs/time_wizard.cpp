#include "dialogs/time_wizard.h"

#include <chrono>

#include "config/vocabulary.h"
#include "util/decimal.h"
#include "util/text.h"

namespace klaxora {
namespace {

int64_t SecondsSinceEpoch(const LocalDateTime& t) {
    using namespace std::chrono;
    const sys_days day = year_month_day{year{t.year}, month{static_cast<unsigned>(t.month)},
                                        std::chrono::day{static_cast<unsigned>(t.day)}};
    return int64_t(day.time_since_epoch().count()) * 86400 + int64_t(t.hour) * 3600 +
           int64_t(t.minute) * 60 + t.second;
}

}  // namespace

WizardTarget WizardTargetFor(std::wstring_view triggerCaption) {
    const auto kind = TriggerByCaption(triggerCaption);
    if (kind == TriggerKind::AtTime)
        return WizardTarget::AtTime;
    if (kind == TriggerKind::Countdown)
        return WizardTarget::Countdown;
    return WizardTarget::None;
}

WizardPreparation PrepareWizard(WizardTarget target) {
    namespace t = wizard_text;
    const bool atTime = target == WizardTarget::AtTime;
    return {atTime ? t::kTimeCaptionAtTime : t::kTimeCaptionCountdown,
            atTime ? t::kDateCaptionAtTime : t::kDateCaptionCountdown, atTime,
            target == WizardTarget::Countdown};
}

int64_t WizardSecondsValue(std::wstring_view text) {
    // Past the field's range the exact number no longer matters, only that it is too big.
    return ParseDecimal(Trim(text), {.clamp = true}).value_or(kWizardMinSeconds);
}

std::wstring ConvertedLabel(int64_t seconds) {
    return std::wstring(wizard_text::kConvertedPrefix) + FormatSeconds(seconds);
}

int64_t DayDistance(const LocalDateTime& a, const LocalDateTime& b) {
    const int64_t difference = SecondsSinceEpoch(a) - SecondsSinceEpoch(b);
    return (difference < 0 ? -difference : difference) / 86400;
}

std::wstring DayDifferenceLabel(int64_t days) {
    return std::wstring(wizard_text::kDayDifferencePrefix) + std::to_wstring(days);
}

WizardResult WizardOkResult(const WizardInput& input) {
    using Kind = WizardResult::Kind;
    if (input.target == WizardTarget::None || input.mode == WizardMode::None)
        return {};
    const Kind apply =
        input.target == WizardTarget::AtTime ? Kind::ApplyAtTime : Kind::ApplyCountdown;
    switch (input.mode) {
        case WizardMode::Seconds: {
            // A count-down longer than the hour field holds is cut there by the field itself.
            const int64_t seconds = WizardSecondsValue(input.secondsText);
            if (seconds > kWizardMaxSeconds)
                return {Kind::Refuse, std::wstring(wizard_text::kTooManySeconds)};
            return {apply, FormatSeconds(seconds)};
        }
        case WizardMode::TimeOfDay: {
            std::wstring text = FormatTimeText(input.pickedTime);
            if (apply == Kind::ApplyAtTime && !input.timeSeparator.empty()) {
                const std::wstring s = input.timeSeparator;
                text = text.substr(0, 2) + s + text.substr(3, 2) + s + text.substr(6, 2);
            }
            return {apply, text};
        }
        case WizardMode::Days: {
            const int64_t days = DayDistance(input.pickedDate, input.today);
            return {apply, std::to_wstring(days * 24) + L":00:00"};
        }
        case WizardMode::None:
            break;
    }
    return {};
}

}  // namespace klaxora
