#pragma once
// The time-entry wizard's decisions: its labels for the trigger it serves, the texts it shows
// while the user types or picks, and the time text its OK hands to the configuration window.
#include <cstdint>
#include <string>
#include <string_view>

#include "config/time_text.h"
#include "ports/clock.h"  // LocalDateTime, as the pickers hold it

namespace klaxora {

// Which of the configuration window's time fields the wizard fills.
enum class WizardTarget { None, AtTime, Countdown };
// The wizard's three modes; None until the user picks one.
enum class WizardMode { None, Seconds, TimeOfDay, Days };

// The target for the trigger caption selected in the configuration window (compared exactly).
WizardTarget WizardTargetFor(std::wstring_view triggerCaption);

namespace wizard_text {
inline constexpr std::wstring_view kCaption = L"Kreator wprowadzania czasu";
inline constexpr std::wstring_view kSecondsMode = L"&Podaj czas w sekundach";
inline constexpr std::wstring_view kTimeOfDayMode = L"Wpr&owadź czas używając specjalnej kontrolki";
inline constexpr std::wstring_view kDaysMode = L"Uru&chom za kilka dni";
inline constexpr std::wstring_view kSecondsCaption =
    L"&Wprowadź czas w sekundach (czas zostanie automatycznie przekonwertowany):";
inline constexpr std::wstring_view kSecondsUnit = L"s";
inline constexpr std::wstring_view kConvertedPrefix = L"Po przekonwertowaniu:    ";
inline constexpr std::wstring_view kDayDifferencePrefix = L"Różnica dni:      ";
inline constexpr std::wstring_view kTimeCaptionAtTime =
    L"Po&daj godzinę o której mam uruchomić alarm:";
inline constexpr std::wstring_view kTimeCaptionCountdown =
    L"&Ustaw za ile czasu mam uruchomić alarm:";
inline constexpr std::wstring_view kDateCaptionAtTime = L"Po&daj którego mam uruchomić alarm:";
inline constexpr std::wstring_view kDateCaptionCountdown =
    L"&Ustaw za ile dni mam uruchomić alarm:";
inline constexpr std::wstring_view kOk = L"OK";
inline constexpr std::wstring_view kCancel = L"Anuluj";
// Shown when OK is pressed with a number beyond the seconds field's range.
inline constexpr std::wstring_view kTooManySeconds = L"Podano za dużą liczbę sekund !!!";
}  // namespace wizard_text

// The number field's range.
inline constexpr int64_t kWizardMinSeconds = 1;
inline constexpr int64_t kWizardMaxSeconds = 2147483647;

// How the wizard is laid out for its target each time it opens.
struct WizardPreparation {
    std::wstring_view timeCaption;
    std::wstring_view dateCaption;
    bool timeOfDayPickerAtNow;  // otherwise 00:00:00
    bool daysModeEnabled;
};
WizardPreparation PrepareWizard(WizardTarget target);

// The number the seconds field's text spells. An empty text, or one that is not a number,
// counts as the field's minimum, 1; a number beyond the field's range is kept as it is, so OK
// can refuse it rather than silently use something else.
int64_t WizardSecondsValue(std::wstring_view text);
// "Po przekonwertowaniu:    " and the seconds as hours:minutes:seconds.
std::wstring ConvertedLabel(int64_t seconds);

// Whole days between two date-times, fractions dropped; the order does not matter.
int64_t DayDistance(const LocalDateTime& a, const LocalDateTime& b);
// "Różnica dni:      " and the distance.
std::wstring DayDifferenceLabel(int64_t days);

struct WizardInput {
    WizardTarget target = WizardTarget::None;
    WizardMode mode = WizardMode::None;
    std::wstring secondsText;           // se_TimeInSec
    TimeFields pickedTime;              // dtp_Czas
    std::wstring timeSeparator = L":";  // the user's time separator, which AtTime parses
    LocalDateTime pickedDate;           // dtp_Data
    LocalDateTime today;
};

struct WizardResult {
    enum class Kind {
        Nothing,         // cancelled in effect: no target or no mode
        ApplyAtTime,     // hand `text` to ApplyAtTimeText
        ApplyCountdown,  // hand `text` to ApplyCountdownText
        Refuse,          // show `text` as an error and keep the wizard open
    };
    Kind kind = Kind::Nothing;
    std::wstring text;
};

// What OK does. Seconds: FormatSeconds of the number; time of day: the picked time as
// hours, minutes and seconds of 24 hours (joined by the user's separator for AtTime, which
// parses with it, and by ":" for a countdown), so that no 12-hour format can spoil it; days:
// the distance times 24, then ":00:00". A number beyond the field's range is refused; a
// countdown beyond what its hour field holds is handed over whole, and the field caps it.
WizardResult WizardOkResult(const WizardInput& input);

}  // namespace klaxora
