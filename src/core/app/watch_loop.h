#pragma once
// The watch loop's decisions: what one look at the armed trigger does, and when to look next.
// Count-downs run against a monotonic deadline and a time of day is met when the wall clock
// passes it, so late or merged ticks, a busy machine, sleep and clock changes cannot stretch,
// skip or double an alarm.
#include <cstdint>
#include <optional>
#include <string_view>

#include "app/watch_state.h"
#include "ports/clock.h"
#include "ports/file_system.h"
#include "ports/processes.h"
#include "ports/registry.h"

namespace klaxora {

inline constexpr std::wstring_view kProgramStartedMissing =
    L"Program, który mam sprawdzać czy został uruchomiony, nie istnieje !!!\r\r"
    L"Sprawdzanie zostało przerwane !!!";
inline constexpr std::wstring_view kProgramNotRespondingMissing =
    L"Program, który mam sprawdzać czy przestał odpowiadać, nie istnieje !!!\r\r"
    L"Sprawdzanie zostało przerwane !!!";
inline constexpr std::wstring_view kProgramClosedMissing =
    L"Program, który mam sprawdzać czy został zamknięty, nie istnieje !!!\r\r"
    L"Sprawdzanie zostało przerwane !!!";

// The registry value holding the no-Internet time, restored on every look that finds a
// connection.
inline constexpr std::wstring_view kNoInternetValue = L"BrakNeta";

// The nominal pace of the watch timer.
inline constexpr int32_t kWatchPeriodMs = 1000;
// Looks further apart than this mean the loop did not see what happened in between (the
// computer slept or stood still): a connection loss is then timed afresh.
inline constexpr int64_t kUnwatchedGapMs = 5000;

// Fixes the clocks of the trigger just armed from its fields: the count-down's deadline from
// SecondsLeft ("OD"), the wall clock from which a time of day is awaited ("UG"; a time equal to
// the current second counts as still to come). Called whenever the alarm is armed.
void ArmWatch(WatchState& state, const ClockReading& now);

// When to look at the armed trigger next.
struct NextLook {
    int32_t ms = kWatchPeriodMs;  // from now, 1..kWatchPeriodMs
    // That look falls on the moment the trigger is due (the count-down's deadline, the time of
    // day's second): it is woken precisely, and the thread is favoured until it has run.
    bool due = false;
};

// The first look after arming: just after the wall clock's next second for a time of day, on
// the deadline's next whole second for a count-down (a resumed one's deadline need not lie on
// whole seconds from now), a period later for the rest.
NextLook FirstLook(const WatchState& state, const ClockReading& now);

// After a firing with a repeat: a count-down of RepeatSeconds from now. An alarm stopped while
// its action ran stays stopped (false).
bool RearmForRepeat(WatchState& state, const ClockReading& now);

enum class TickVerdict {
    Wait,   // nothing to do now
    Fire,   // perform the armed action
    Abort,  // stop watching and show `message` as an error
};

struct TickOutcome {
    TickVerdict verdict = TickVerdict::Wait;
    std::wstring_view message;
    // When to look again; nothing: no timer is needed.
    std::optional<NextLook> next;
    // Fire: how long after the alarm's moment this look came (0 for a trigger without one).
    int64_t lateMs = 0;
};

struct WatchPorts {
    ProcessWatchPort& processes;
    const FileSystemPort& files;
    RegistryPort& registry;
};

// One look at the armed trigger (t_TimerGlownyTimer), also made at once on resume from sleep
// and on a clock or time-zone change. Updates SecondsLeft and the timing; never changes Armed.
TickOutcome WatchTick(WatchState& state, const ClockReading& now, WatchPorts ports);

// What a resume-capable timer should be set to, so a sleeping computer wakes for its alarm.
struct WakePlan {
    enum class Kind {
        None,     // no wake timer (cancel any): not armed, firing, or not a timed trigger
        AfterMs,  // a count-down: due `afterMs` from now (0: already due)
        AtLocal,  // a time of day: due when the local clock shows `at`
    };
    Kind kind = Kind::None;
    int64_t afterMs = 0;
    LocalDateTime at;
};
WakePlan PlanWake(const WatchState& state, const ClockReading& now);

}  // namespace klaxora
