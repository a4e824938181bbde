#include "app/snooze.h"

#include "config/vocabulary.h"

namespace klaxora {

int32_t SnoozeMinutes(int32_t stored) {
    return stored >= kSnoozeMinMinutes && stored <= kSnoozeMaxMinutes ? stored
                                                                      : kSnoozeDefaultMinutes;
}

bool SnoozeOffered(const WatchState& fired) {
    return fired.RepeatSeconds == 0 && !fired.ActionCaption.empty();
}

WatchState PlanSnooze(const WatchState& fired, int32_t minutes) {
    WatchState snooze;
    snooze.TriggerCode = std::wstring(Info(TriggerKind::Countdown).code);
    snooze.SecondsLeft = SnoozeMinutes(minutes) * 60;
    snooze.ActionCaption = fired.ActionCaption;
    snooze.ActionParameter = fired.ActionParameter;
    snooze.ActionDetail = fired.ActionDetail;
    snooze.KillImage = fired.KillImage;
    snooze.KillCreated = fired.KillCreated;
    return snooze;
}

}  // namespace klaxora
