#pragma once
// An armed alarm kept in the registry for as long as the copy that armed it holds it, so that a
// restart of Windows, a crash or an ended process does not lose it: a copy started afterwards
// takes the record over and arms it again, at its original moment.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/watch_state.h"
#include "ports/clock.h"
#include "ports/registry.h"

namespace klaxora {

// One subkey per record, named by the record's identity.
inline constexpr std::wstring_view kArmedRecordsKey = L"Software\\Vantrelix\\Klaxora\\Uzbrojone";
inline constexpr uint32_t kArmedRecordVersion = 1;
inline constexpr std::wstring_view kArmedRecordUnreadable =
    L"Zapamiętanego alarmu nie da się odczytać (jest uszkodzony), więc został usunięty. Ustaw "
    L"go ponownie.";
inline constexpr std::wstring_view kArmedRecordNewer =
    L"Alarm zapamiętany przez nowszą wersję programu czeka na nią: ta wersja go nie uruchomi "
    L"ani nie usunie.";
// A plain start takes one kept alarm and starts at most this many copies for the others.
inline constexpr size_t kMaxCopiesPerStart = 8;

struct ArmedRecord {
    // The definition as a shortcut's parameters, for the configuration window to show.
    std::wstring definition;
    // What is armed, as the watch loop and the executor use it (Armed, Timing and Firing are
    // not kept).
    WatchState watch;
    // A count-down's or a time of day's moment, UTC; and when the alarm was armed.
    std::optional<int64_t> dueUtcMs;
    int64_t armedUtcMs = 0;
    // A time of day's moment as the local clock names it (CivilSeconds): compared with the local
    // clock, so that a change of daylight saving neither skips nor doubles it.
    std::optional<int64_t> dueLocalSeconds;
    // The computer it was armed on; empty for this one (records written before it was kept).
    std::wstring computer;
    bool operator==(const ArmedRecord&) const;
};

// What reading a record found.
enum class RecordState {
    Whole,          // read, and sound
    Gone,           // no such record (another copy has just finished it): nothing to say
    Damaged,        // there, but with values missing, garbled or absurd
    OtherVersion,   // kept by another version of the program: not ours to take or remove
    OtherComputer,  // armed on another computer of a roaming profile: left to that one
};
struct RecordReading {
    RecordState state = RecordState::Gone;
    std::optional<ArmedRecord> record;  // Whole only
};

// Throws the registry's UserError; a record that fails half-way is removed again.
void WriteArmedRecord(RegistryPort& registry, std::wstring_view id, const ArmedRecord& record);
// Reads the record without creating anything; `computer` is this computer's name.
RecordReading ReadArmedRecord(RegistryPort& registry, std::wstring_view id,
                              std::wstring_view computer);
// Never throws; a missing record is not an error.
void DeleteArmedRecord(RegistryPort& registry, std::wstring_view id);
// The identities of every record; none when the registry cannot be read.
std::vector<std::wstring> ArmedRecordIds(RegistryPort& registry);

// The moment an armed count-down or time of day falls due, as UTC; nothing for other triggers.
// Called right after the watch was armed (ArmWatch).
std::optional<int64_t> DueUtcMs(const WatchState& armed, const ClockReading& now);
// The local moment (CivilSeconds) an armed time of day falls due; nothing for other triggers.
std::optional<int64_t> DueLocalSeconds(const WatchState& armed, const ClockReading& now);

// How a record taken over is armed again.
struct Resumption {
    bool fireNow = false;  // its moment passed while no copy ran: it fires once, at once
    // A count-down still ahead: what is left of it (never more than it was set for, should the
    // clock have been set back since).
    std::optional<int64_t> remainingMs;
    int64_t lateMs = 0;  // fireNow: how long ago that moment was (the late rule decides)
};
Resumption PlanResumption(const ArmedRecord& record, const ClockReading& now);

// What a plain start does with the records it did not take itself: how many copies it starts,
// and what it tells the user about the rest, which stay kept for the next start.
struct TakeOverPlan {
    size_t copies = 0;
    std::optional<std::wstring> message;
};
TakeOverPlan PlanTakeOver(size_t othersUnheld);

// When the armed alarm will come, as the user reads it: "o 07:00:00" on the same day, "jutro o
// 07:00:00" on the next, "10.12 o 07:00:00" later; nothing for a trigger without a moment.
std::optional<std::wstring> DueMomentText(const WatchState& armed, const ClockReading& now);

// The icon's tip: the program's name, and while armed what is armed (the trigger, its time of
// day, the action) and `moment` (DueMomentText, written at arming), so that the icons of
// several copies can be told apart.
std::wstring TrayTip(std::wstring_view programName, const WatchState& watch,
                     std::wstring_view moment = {});
// What the alarm watches, as the tip and the late question name it ("Alarm o 07:30:00", or the
// trigger's caption); empty for no trigger.
std::wstring TriggerText(const WatchState& watch);

// Fixes the clocks of a taken record's watch (ArmWatch), then its count-down's deadline; a
// trigger that watches a state first waits to see the program running or the connection up.
void ResumeWatch(WatchState& state, const Resumption& resumption, const ClockReading& now);

}  // namespace klaxora
