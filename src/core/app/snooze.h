#pragma once
// "Drzemka": the popup of a fired alarm arms the same action again a few minutes later.
#include <cstdint>

#include "app/watch_state.h"

namespace klaxora {

inline constexpr int32_t kSnoozeDefaultMinutes = 5;
inline constexpr int32_t kSnoozeMinMinutes = 1;
inline constexpr int32_t kSnoozeMaxMinutes = 60;

// The snooze's length as stored: minutes within 1..60; anything else is the default.
int32_t SnoozeMinutes(int32_t stored);

// Whether the popup of this firing offers "Drzemka": the firing ends the alarm (no repeat goes
// on, which a snooze would replace).
bool SnoozeOffered(const WatchState& fired);

// The alarm a snooze arms: the fired alarm's action once more, as a count-down of `minutes`
// from now, without a repeat; nothing of the fired alarm's clocks is carried over.
WatchState PlanSnooze(const WatchState& fired, int32_t minutes);

}  // namespace klaxora
