#pragma once
// An alarm that comes late harms no one. A firing look can come long after the alarm's moment:
// the computer was off or asleep, the program was ended and a later copy took the alarm over,
// the clock was set forward. What only tells the user something (the popup, the message, the
// sound, a folder or a web page opened) is still done late; everything that acts on the
// computer or on the user's work waits for the user's word. A shutdown of any kind, on time or
// confirmed, is announced by a countdown that can be cancelled.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/watch_state.h"
#include "ports/clock.h"

namespace klaxora {

// A look this long after the moment is still on time: timers, a busy machine and a resume
// that takes a few seconds make a firing a little late without anyone having missed it.
inline constexpr int64_t kLateGraceMs = 60'000;
// The late question answers "Nie" by itself after this long.
inline constexpr int kLateQuestionSeconds = 60;
// The warning before the computer goes down, in seconds.
inline constexpr int kShutdownWarningSeconds = 30;

inline constexpr std::wstring_view kLateQuestion = L"Wykonać teraz?";
inline constexpr std::wstring_view kAnswerYes = L"Tak";
inline constexpr std::wstring_view kAnswerNo = L"Nie";
inline constexpr std::wstring_view kShutdownNow = L"Teraz";
inline constexpr std::wstring_view kShutdownCancel = L"Anuluj";

enum class FiringVerdict {
    Fire,  // perform it now
    Ask,   // perform it only when the user says so
    Drop,  // nothing to perform: the alarm ends as Stop ends it
};

// What a firing look `lateMs` after the alarm's moment does with the action of that caption.
// An alarm without a moment (a program's state, after Windows start) is never late: 0.
FiringVerdict DecideFiring(std::wstring_view actionCaption, int64_t lateMs);

// The late question's text: what the alarm watched, what it would do, when it was due and how
// late it is, then the question and the seconds left before it answers "Nie" itself.
std::wstring LateQuestionText(const WatchState& alarm, const LocalDateTime& due, int64_t lateMs,
                              int secondsLeft);

// Whether the shutdown kind of that caption takes the computer or the session down, so that
// it is announced first (turning the monitor off is not).
bool WarnsBeforeShutdown(std::wstring_view shutdownCaption);

// The countdown's text before the shutdown kind of that caption; a preview performs nothing.
std::wstring ShutdownWarningText(std::wstring_view shutdownCaption, int secondsLeft, bool preview);

}  // namespace klaxora
