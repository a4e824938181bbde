#include "app/watch_loop.h"

#include <algorithm>

namespace klaxora {

namespace {

constexpr int64_t kDaySeconds = 86400;

// The armed time of day in seconds, or nothing when the fields name no time of day.
std::optional<int64_t> TimeOfDay(const WatchState& state) {
    if (state.AtHour < 0 || state.AtHour > 23 || state.AtMinute < 0 || state.AtMinute > 59 ||
        state.AtSecond < 0 || state.AtSecond > 59)
        return std::nullopt;
    return state.AtHour * 3600LL + state.AtMinute * 60LL + state.AtSecond;
}

// The first wall-clock second after `after` that shows the time of day.
int64_t NextOccurrence(int64_t after, int64_t timeOfDay) {
    const int64_t dayStart = after - (((after % kDaySeconds) + kDaySeconds) % kDaySeconds);
    int64_t at = dayStart + timeOfDay;
    if (at <= after)
        at += kDaySeconds;
    return at;
}

// Whole seconds still to go, rounded up, as SecondsLeft shows them.
int32_t SecondsUntil(int64_t remainingMs) {
    if (remainingMs <= 0)
        return 0;
    return static_cast<int32_t>(std::min<int64_t>((remainingMs + 999) / 1000, INT32_MAX));
}

// Looks fall on the deadline's whole seconds, so the last one lands on the deadline itself.
NextLook NextLookBefore(int64_t remainingMs) {
    return {static_cast<int32_t>((remainingMs - 1) % kWatchPeriodMs + 1),
            remainingMs <= kWatchPeriodMs};
}

// Looks fall just after the wall clock's second changes, so a time of day is met at once.
NextLook NextLookAtSecond(const LocalDateTime& local, bool dueThen) {
    return {std::clamp(kWatchPeriodMs - local.millisecond, 1, kWatchPeriodMs), dueThen};
}

// The wall-clock second that next shows the armed time of day after the last look, or nothing
// when the fields name no time of day.
std::optional<int64_t> NextShowing(const WatchState& state) {
    const auto timeOfDay = TimeOfDay(state);
    if (!timeOfDay)
        return std::nullopt;
    return NextOccurrence(state.Timing.LastLocalSeconds, *timeOfDay);
}

// The look just after the wall clock's next second meets the armed time of day.
bool DueNextSecond(const WatchState& state, int64_t wall) {
    const auto showing = NextShowing(state);
    return showing && *showing <= wall + 1;
}

TickOutcome Wait(std::optional<NextLook> next = NextLook{}) {
    return {TickVerdict::Wait, {}, next};
}

TickOutcome Fire(int64_t lateMs = 0) {
    return {TickVerdict::Fire, {}, std::nullopt, std::max<int64_t>(lateMs, 0)};
}

TickOutcome TickAtTime(WatchState& state, const ClockReading& now) {
    const int64_t wall = CivilSeconds(now.local);
    // Met when the wall clock has passed the time since the last look: a late tick, a sleep
    // across it or the clock set forward over it fires once, now; a clock set back (or the
    // hour repeated when daylight saving ends) waits until the clock shows the time again.
    const auto showing = NextShowing(state);
    const bool met = showing && *showing <= wall;
    state.Timing.LastLocalSeconds = wall;
    if (met)
        return Fire((wall - *showing) * 1000 + now.local.millisecond);
    return Wait(NextLookAtSecond(now.local, DueNextSecond(state, wall)));
}

TickOutcome TickCountdown(WatchState& state, const ClockReading& now) {
    const int64_t remaining = state.Timing.DueMs - now.monotonicMs;
    state.SecondsLeft = SecondsUntil(remaining);
    if (remaining <= 0)
        return Fire(-remaining);
    return Wait(NextLookBefore(remaining));
}

TickOutcome TickNoInternet(WatchState& state, const ClockReading& now, WatchPorts ports,
                           bool unwatchedGap) {
    if (ports.processes.IsInternetConnected()) {
        state.Timing.AwaitSeen = false;
        state.Timing.CountingLoss = false;
        state.SecondsLeft = ReadRegistryInteger(ports.registry, kSettingsKey, kNoInternetValue, 0);
        return Wait();
    }
    if (state.Timing.AwaitSeen)
        return Wait();  // a connection never seen since the take-over was not lost
    if (state.Timing.CountingLoss && unwatchedGap) {
        // Nobody watched the connection meanwhile (the computer slept, say): a network still
        // coming back after a resume is not a loss of that length.
        state.Timing.CountingLoss = false;
        state.SecondsLeft = ReadRegistryInteger(ports.registry, kSettingsKey, kNoInternetValue, 0);
    }
    if (!state.Timing.CountingLoss) {
        // Timed from the first look without a connection; 0 seconds fires on that look.
        state.Timing.CountingLoss = true;
        state.Timing.DueMs = now.monotonicMs + std::max(state.SecondsLeft, 0) * 1000LL;
    }
    return TickCountdown(state, now);
}

enum class ProgramEvent { Started, NotResponding, Closed };

TickOutcome TickProgram(WatchState& state, WatchPorts ports, ProgramEvent event) {
    const std::wstring& path = state.WatchedProgramPath;
    if (!ports.files.FileExists(path)) {
        const std::wstring_view message = event == ProgramEvent::Started ? kProgramStartedMissing
                                          : event == ProgramEvent::Closed
                                              ? kProgramClosedMissing
                                              : kProgramNotRespondingMissing;
        return {TickVerdict::Abort, message, std::nullopt};
    }
    const ProgramCheck check =
        CheckProgram(ports.processes, path, event == ProgramEvent::NotResponding);
    if (check.running)
        state.Timing.AwaitSeen = false;
    else if (state.Timing.AwaitSeen)
        return Wait();  // not yet seen running since the take-over: nothing has closed
    bool met = false;
    switch (event) {
        case ProgramEvent::Started:
            met = check.running;
            break;
        case ProgramEvent::Closed:
            met = !check.running;
            break;
        case ProgramEvent::NotResponding:
            met = check.running && !check.responding;
            break;
    }
    return met ? Fire() : Wait();
}

}  // namespace

void ArmWatch(WatchState& state, const ClockReading& now) {
    state.Timing = WatchTiming{};
    state.Timing.LastCheckMs = now.monotonicMs;
    // One second back, so the first look still meets a time equal to the current second
    // instead of a day later.
    state.Timing.LastLocalSeconds = CivilSeconds(now.local) - 1;
    if (state.Watches(TriggerKind::Countdown))
        state.Timing.DueMs = now.monotonicMs + state.SecondsLeft * 1000LL;
}

NextLook FirstLook(const WatchState& state, const ClockReading& now) {
    if (state.Watches(TriggerKind::AtTime))
        return NextLookAtSecond(now.local, DueNextSecond(state, CivilSeconds(now.local)));
    if (state.Watches(TriggerKind::Countdown))
        return NextLookBefore(std::max<int64_t>(state.Timing.DueMs - now.monotonicMs, 1));
    return {};
}

bool RearmForRepeat(WatchState& state, const ClockReading& now) {
    if (!state.Armed)
        return false;
    state.TriggerCode = Info(TriggerKind::Countdown).code;
    state.SecondsLeft = state.RepeatSeconds;
    ArmWatch(state, now);
    return true;
}

TickOutcome WatchTick(WatchState& state, const ClockReading& now, WatchPorts ports) {
    if (!state.Armed || state.Firing)
        return Wait();
    const bool unwatchedGap = now.monotonicMs - state.Timing.LastCheckMs > kUnwatchedGapMs;
    state.Timing.LastCheckMs = now.monotonicMs;
    const std::optional<TriggerKind> trigger = TriggerByCode(state.TriggerCode);
    if (!trigger)
        return Wait(std::nullopt);  // nothing else is a trigger
    switch (*trigger) {
        case TriggerKind::AtTime:
            return TickAtTime(state, now);
        case TriggerKind::Countdown:
            return TickCountdown(state, now);
        case TriggerKind::NoInternet:
            return TickNoInternet(state, now, ports, unwatchedGap);
        case TriggerKind::ProgramStarted:
            return TickProgram(state, ports, ProgramEvent::Started);
        case TriggerKind::ProgramNotResponding:
            return TickProgram(state, ports, ProgramEvent::NotResponding);
        case TriggerKind::ProgramClosed:
            return TickProgram(state, ports, ProgramEvent::Closed);
        case TriggerKind::AfterWindowsStart:
            break;  // fires from the run at the next logon, not from the loop
    }
    return Wait(std::nullopt);
}

WakePlan PlanWake(const WatchState& state, const ClockReading& now) {
    WakePlan plan;
    if (!state.Armed || state.Firing)
        return plan;
    if (state.Watches(TriggerKind::Countdown)) {
        plan.kind = WakePlan::Kind::AfterMs;
        plan.afterMs = std::max<int64_t>(state.Timing.DueMs - now.monotonicMs, 0);
    } else if (state.Watches(TriggerKind::AtTime)) {
        if (const auto showing = NextShowing(state)) {
            plan.kind = WakePlan::Kind::AtLocal;
            plan.at = FromCivilSeconds(*showing);
        }
    }
    return plan;
}

}  // namespace klaxora
