#pragma once
// The armed alarm, in one place: what is armed and the definition it was armed with, the clocks,
// the watch, due and wake timers, the kept record and the firing. It is no window of the user's:
// its timers come to a message-only window of its own, and the main window passes on what only
// a top-level window hears (resume, clock and time-zone changes). The windows arm it with a
// definition, stop it, ask it and listen to it. There is one way to arm (Arm, or Resume for a
// record taken over) and one way to stop (Stop).
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/armed_record.h"
#include "app/watch_state.h"
#include "ports/armed_alarm.h"
#include "config/alarm_settings.h"
#include "win/actions/alarm_executor.h"
#include "win/app/held_record.h"
#include "win/actions/window_ports.h"
#include "win/sys/clock_win.h"
#include "win/sys/due_timer_win.h"
#include "win/sys/wake_timer_win.h"

namespace klaxora::win {

class TF_ALARMUJ;

class ArmedAlarm : public ArmedAlarmPort {
  public:
    // What the firing uses of the windows, and who is told of a change. Any may be missing.
    struct Links {
        HWND mainWindow = nullptr;           // owner of the firing's steps; the monitor-off
        HWND configurationWindow = nullptr;  // owner of the preview's steps
        TF_ALARMUJ* popup = nullptr;
        const AppOptions* options = nullptr;
        std::function<void()> closeConfiguration;
        std::function<void(bool enabled)> setTrayEnabled;
        // Armed or disarmed (also by a repeat's re-arming): what shows the state follows it.
        std::function<void(const WatchState& watch)> changed;
        // A notice at the icon; whether it was shown.
        std::function<bool(const std::wstring& title, const std::wstring& text)> notify;
    };

    explicit ArmedAlarm(const WindowPorts& ports);
    ~ArmedAlarm() override;
    ArmedAlarm(const ArmedAlarm&) = delete;
    ArmedAlarm& operator=(const ArmedAlarm&) = delete;

    void Connect(Links links) { links_ = std::move(links); }
    // The message-only window that receives the alarm's timers (tests look at its timer).
    HWND TimerWindow();
    static constexpr UINT_PTR kWatchTimerId = 1;

    const WatchState& Watch() const override { return watch_; }
    bool Armed() const override { return watch_.Armed; }
    // The fields of a definition not armed yet, as the command line supplied them (a kill's
    // process); ignored while armed.
    void SetPending(const WatchState& pending);
    // The state itself, for the tests that move its clocks.
    WatchState& State() { return watch_; }

    // Arms `watch` (its trigger's clocks are fixed now) with its definition as shortcut
    // parameters, kept for a later copy. Whatever was armed is replaced. Throws a UserError when
    // Windows has no timer to give or the record cannot be kept; nothing is then armed.
    void Arm(const WatchState& watch, std::wstring definition) override;
    // Arms a record taken over from an earlier copy from the moment it keeps; fires it once at
    // once (by the late rule) when that moment passed while no copy ran, and an alarm after
    // Windows start at once when `logonRun`.
    void Resume(TakenRecord taken, bool logonRun);
    // Disarms: the timers stop, the record is removed, the windows are told.
    void Stop() override;
    // The program ends by the user's word: the sound ends and the record goes with it.
    void Quit();
    // The program ends without a Stop (the session ends): the record stays kept.
    void Detach();

    // One look at the armed trigger: fire, abort, or when to look next.
    void Look();
    // The clock was set, the zone changed or the computer resumed: a look now, and the wake
    // timer's due time worked out again.
    void ClockChanged();
    // The armed trigger is met `lateMs` after its moment: performed, asked about first, or
    // dropped (the late rule).
    void Fire(int64_t lateMs);
    // Performs the armed action.
    void ExecuteAlarmAction();
    // Performs the definition's action at once, without touching the alarm.
    void Preview(const AlarmSettings& settings);
    // The popup closed or the alarm's sound ended: once nothing of the fired alarm is left the
    // computer may sleep again.
    void ActionMayHaveEnded();
    // "Drzemka": `fired`'s action once more, `minutes` from now, kept under `definition` like any
    // armed alarm; nothing when an alarm is armed or firing meanwhile.
    void Snooze(const WatchState& fired, const std::wstring& definition, int32_t minutes);
    // When the armed alarm will come ("o 07:00:00", "jutro o 07:00:00"), as worked out at its
    // arming; empty while nothing is armed or the trigger has no moment.
    const std::wstring& MomentText() const override { return moment_; }
    // An earlier version's alarm after Windows start, when the logon run started the program:
    // armed and performed at once. False when none.
    bool TakeAfterStartAlarm();

  private:
    bool ScheduleNextLook(const NextLook& next);
    WakeTimer::Result ApplyWakePlan();
    UINT TimerDelay(int32_t ms) const;
    AlarmExecutorLinks ExecutorLinks();
    bool AskLate(int64_t lateMs);
    void HoldAwake(bool hold);
    // Arms what watch_ holds; `fresh` for a new definition (not a repeat's re-arming).
    void ArmWatched(bool fresh);
    void Disarm();
    void KeepRecord(const ClockReading& now);
    void DropRecord();
    void Changed();

    RegistryPort& registry_;
    FileSystemPort& files_;
    ProcessWatchPort& processes_;
    ProcessControlPort& control_;
    SystemOperations& operations_;
    KeyEventSink& keys_;
    AlarmSound& sound_;
    class Timers;
    Links links_;
    std::unique_ptr<Timers> timers_;
    WatchState watch_;
    Win32Clock systemClock_;
    // The system's clocks, unless a soak run compresses time (KLAXORA_CLOCK_SCALE).
    ScaledClock clock_{systemClock_, ClockScaleFromEnvironment()};
    WakeTimer wake_;
    DueTimer due_;
    bool awake_ = false;       // held awake for a fired alarm
    bool wakeWarned_ = false;  // told that this computer will not wake for an alarm
    // The record of the armed alarm, while armed; the definition it keeps and when it was first
    // armed.
    std::optional<HeldRecord> held_;
    std::wstring definition_;
    std::wstring moment_;
    std::function<void()> pendingSnooze_;  // clicked while the firing ran
    int64_t armedUtcMs_ = 0;
    // The record a resumption arms from, and whether that found its moment passed.
    std::optional<ArmedRecord> resumeFrom_;
    std::optional<int64_t> resumeFiresLate_;  // its moment passed this long ago
};

}  // namespace klaxora::win
