#include "win/app/armed_alarm.h"

#include <algorithm>

#include "app/after_start.h"
#include "app/late_firing.h"
#include "app/snooze.h"
#include "app/wake_check.h"
#include "app/watch_loop.h"
#include "util/user_error.h"
#include "win/actions/popup_window.h"
#include "win/sys/program_info.h"
#include "win/sys/power_facts_win.h"
#include "win/ui/countdown_box.h"
#include "win/ui/message_box.h"
#include "win/ui/window.h"

namespace klaxora::win {
namespace text {
constexpr const wchar_t* kNoWatchTimer = L"Nie można uruchomić odliczania";
}  // namespace text

// The watch timer and the due timer's message come here: a message-only window, made with the
// first arming.
class ArmedAlarm::Timers : public Window {
  public:
    static constexpr UINT kDueMessage = WM_APP + 1;
    explicit Timers(ArmedAlarm& alarm) : alarm_(alarm) {
        CreateWindowOf({L"KlaxoraArmedAlarm"}, L"", 0, 0, 0, 0, 0, 0, HWND_MESSAGE);
    }

  protected:
    bool OnTimer(UINT_PTR id) override {
        if (id != kWatchTimerId)
            return false;
        // A tick only prompts a look at the clocks; it is never counted as a second.
        alarm_.Look();
        return true;
    }
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg != kDueMessage)
            return Default(msg, wParam, lParam);
        alarm_.Look();
        return 0;
    }

  private:
    ArmedAlarm& alarm_;
};

ArmedAlarm::ArmedAlarm(const WindowPorts& ports)
    : registry_(ports.registry),
      files_(ports.files),
      processes_(ports.processes),
      control_(ports.processControl),
      operations_(ports.operations),
      keys_(ports.keys),
      sound_(ports.alarmSound) {}

ArmedAlarm::~ArmedAlarm() {
    Detach();
}

HWND ArmedAlarm::TimerWindow() {
    if (!timers_) {
        timers_ = std::make_unique<Timers>(*this);
        due_.Notify(timers_->Hwnd(), Timers::kDueMessage);
    }
    return timers_->Hwnd();
}

void ArmedAlarm::Detach() {
    // Not a Stop: the armed alarm stays kept for a later copy (the session ends, say).
    if (timers_)
        KillTimer(timers_->Hwnd(), kWatchTimerId);
    watch_.Armed = false;
    due_.Cancel();
    wake_.Cancel();
    HoldAwake(false);
}

void ArmedAlarm::SetPending(const WatchState& pending) {
    if (watch_.Armed)
        return;
    watch_ = pending;
    watch_.Armed = false;
}

UINT ArmedAlarm::TimerDelay(int32_t ms) const {
    return static_cast<UINT>(std::max<int64_t>(clock_.RealMs(ms), USER_TIMER_MINIMUM));
}

bool ArmedAlarm::ScheduleNextLook(const NextLook& next) {
    // The look on the due moment also comes from the due timer, which SetTimer's rounding to
    // the system's tick cannot make late; whichever comes first looks, and the other finds the
    // alarm firing or over. Setting the same timer again replaces it.
    const HWND timers = TimerWindow();  // the due timer's message goes there
    if (!next.due || !due_.Aim(clock_.RealMs(next.ms)))
        due_.Cancel();
    return timers && SetTimer(timers, kWatchTimerId, TimerDelay(next.ms), nullptr) != 0;
}

WakeTimer::Result ArmedAlarm::ApplyWakePlan() {
    WakePlan plan = PlanWake(watch_, clock_.Now());
    plan.afterMs = clock_.RealMs(plan.afterMs);
    return wake_.Apply(plan);
}

void ArmedAlarm::ClockChanged() {
    Look();
    ApplyWakePlan();
}

void ArmedAlarm::Look() {
    if (!watch_.Armed)
        return;
    const TickOutcome outcome = WatchTick(watch_, clock_.Now(), {processes_, files_, registry_});
    switch (outcome.verdict) {
        case TickVerdict::Wait:
            // Nothing to evaluate ("PW"): the timer keeps its pace, so the alarm shows armed.
            if (outcome.next)
                ScheduleNextLook(*outcome.next);
            break;
        case TickVerdict::Abort:
            // Ended before the box, which may wait unseen behind another program's window.
            Stop();
            if (links_.configurationWindow)
                ShowWindow(links_.configurationWindow, SW_SHOW);
            ShowError(outcome.message, kOverEverything);
            break;
        case TickVerdict::Fire:
            // Looks during the action are ignored; a slow pace spares them. The thread is
            // favoured no longer.
            ScheduleNextLook(NextLook{});
            Fire(outcome.lateMs);
            break;
    }
}

AlarmExecutorLinks ArmedAlarm::ExecutorLinks() {
    AlarmExecutorLinks links;
    links.mainWindow = links_.mainWindow;
    links.configurationWindow =
        links_.configurationWindow ? links_.configurationWindow : links_.mainWindow;
    links.popup = links_.popup;
    links.processes = &control_;
    links.sound = &sound_;
    links.systemOperations = &operations_;
    links.keys = &keys_;
    links.setTrayEnabled = links_.setTrayEnabled;
    links.closeConfiguration = links_.closeConfiguration;
    links.stop = [this] { Stop(); };
    links.rearm = [this](int32_t) {
        // Counted from now: after a message box, from its closing.
        if (RearmForRepeat(watch_, clock_.Now()))
            ArmWatched(false);
    };
    links.nowMs = [this] { return clock_.Now().monotonicMs; };
    links.armed = [this] { return watch_.Armed; };
    if (SnoozeOffered(watch_)) {
        links.snooze = [this, fired = watch_, definition = definition_] {
            Snooze(fired, definition,
                   links_.options ? links_.options->SnoozeMinutes : kSnoozeDefaultMinutes);
        };
    }
    return links;
}

void ArmedAlarm::HoldAwake(bool hold) {
    if (hold == awake_)
        return;
    // Without this, a computer our wake timer woke with nobody at it sleeps again about two
    // minutes later, while the popup beeps or the sound loops.
    awake_ = SetThreadExecutionState(hold ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED
                                          : ES_CONTINUOUS) != 0 &&
             hold;
}

void ArmedAlarm::ActionMayHaveEnded() {
    const bool popupShown = links_.popup && links_.popup->Visible();
    if (!watch_.Firing && !popupShown && !sound_.AlarmSounding())
        HoldAwake(false);
}

bool ArmedAlarm::AskLate(int64_t lateMs) {
    const ClockReading now = clock_.Now();
    const LocalDateTime due = AddMilliseconds(now.local, -lateMs);
    CountdownBox box;
    box.title = std::wstring(kWarningTitle);
    box.text = [&](int left) { return LateQuestionText(watch_, due, lateMs, left); };
    box.proceed = std::wstring(kAnswerYes);
    box.refuse = std::wstring(kAnswerNo);
    box.seconds = kLateQuestionSeconds;
    box.proceedAtZero = false;
    box.nowMs = [this] { return clock_.Now().monotonicMs; };
    return ShowCountdownBox(box);
}

void ArmedAlarm::Fire(int64_t lateMs) {
    if (watch_.Firing)
        return;
    const FiringVerdict verdict = DecideFiring(watch_.ActionCaption, lateMs);
    if (verdict == FiringVerdict::Fire) {
        ExecuteAlarmAction();
        return;
    }
    bool perform = false;
    if (verdict == FiringVerdict::Ask) {
        // Nothing is performed while the question waits; looks meanwhile are ignored.
        wake_.Cancel();
        HoldAwake(true);
        watch_.Firing = true;
        perform = AskLate(lateMs);
        watch_.Firing = false;
        if (!watch_.Armed) {  // stopped or closed while it waited
            ActionMayHaveEnded();
            return;
        }
    }
    if (perform) {
        ExecuteAlarmAction();
        return;
    }
    // Refused, unanswered or nothing to perform: the alarm ends as Stop ends it, and a repeat
    // does not start from a firing that did not happen.
    Stop();
    ActionMayHaveEnded();
}

void ArmedAlarm::ExecuteAlarmAction() {
    if (watch_.Firing)
        return;
    wake_.Cancel();  // fired: the wake time is spent
    HoldAwake(true);
    const AlarmExecutorLinks links = ExecutorLinks();
    AlarmStepPerformer performer(links);
    const AppOptions none;
    klaxora::ExecuteAlarmAction(watch_, links_.options ? *links_.options : none, performer);
    if (pendingSnooze_) {
        const std::function<void()> snooze = std::move(pendingSnooze_);
        pendingSnooze_ = nullptr;
        Guarded(snooze);
    }
    ApplyWakePlan();       // a repeat has a new due time; a stop cancels
    ActionMayHaveEnded();  // the popup or the sound may still be going
}

void ArmedAlarm::Preview(const AlarmSettings& settings) {
    AlarmExecutorLinks links = ExecutorLinks();
    links.stop = nullptr;  // a preview never stops, repeats or touches the icon
    links.rearm = nullptr;
    links.armed = nullptr;
    links.setTrayEnabled = nullptr;
    AlarmStepPerformer performer(links);
    const AppOptions none;
    RunPlan(PlanPreview(settings, links_.options ? *links_.options : none), performer);
}

bool ArmedAlarm::TakeAfterStartAlarm() {
    auto stored = klaxora::TakeAfterStartAlarm(registry_);
    if (!stored || watch_.Armed || watch_.Firing)
        return false;
    watch_ = std::move(*stored);
    definition_.clear();
    ArmWatched(true);
    ExecuteAlarmAction();
    return true;
}

void ArmedAlarm::Arm(const WatchState& watch, std::wstring definition) {
    if (watch_.Firing)
        return;
    if (watch_.Armed)
        Disarm();
    watch_ = watch;
    watch_.Armed = false;
    definition_ = std::move(definition);
    ArmWatched(true);
}

void ArmedAlarm::Snooze(const WatchState& fired, const std::wstring& definition, int32_t minutes) {
    if (watch_.Armed || watch_.Firing)
        return;  // armed anew meanwhile: that alarm stays
    Arm(PlanSnooze(fired, minutes), definition);
}

void ArmedAlarm::Resume(TakenRecord taken, bool logonRun) {
    if (watch_.Armed || watch_.Firing)
        return;  // armed here meanwhile: the record is let go for another copy
    watch_ = taken.record.watch;
    watch_.Armed = false;
    held_.emplace(std::move(taken.held));
    definition_ = taken.record.definition;
    armedUtcMs_ = taken.record.armedUtcMs;
    resumeFrom_ = std::move(taken.record);
    resumeFiresLate_.reset();
    ArmWatched(false);
    if (resumeFiresLate_)
        Fire(*resumeFiresLate_);  // its moment passed while no copy ran
    else if (logonRun && watch_.Watches(TriggerKind::AfterWindowsStart))
        ExecuteAlarmAction();
}

void ArmedAlarm::KeepRecord(const ClockReading& now) {
    const bool fresh = !held_;
    if (fresh)
        held_.emplace(HeldRecord::New());
    // A taken record keeps the moment it was first armed at; a start or a repeat arms anew.
    if (!resumeFrom_)
        armedUtcMs_ = now.utcMs;
    ArmedRecord record;
    record.definition = definition_;
    record.watch = watch_;
    record.dueUtcMs = DueUtcMs(watch_, now);
    record.dueLocalSeconds = DueLocalSeconds(watch_, now);
    record.computer = ThisComputer();
    record.armedUtcMs = armedUtcMs_;
    try {
        held_->Keep(registry_, record, ExecutablePath());
    } catch (...) {
        if (fresh)
            held_.reset();
        throw;
    }
}

void ArmedAlarm::DropRecord() {
    if (!held_)
        return;
    held_->Drop(registry_);
    held_.reset();
}

void ArmedAlarm::ArmWatched(bool fresh) {
    const ClockReading now = clock_.Now();
    try {
        // A record taken over resumes from this very reading, so the time spent getting here
        // is not added to what is left of it.
        Resumption resumption;
        if (resumeFrom_) {
            resumption = PlanResumption(*resumeFrom_, now);
            if (resumption.fireNow)
                resumeFiresLate_ = resumption.lateMs;
        }
        ResumeWatch(watch_, resumption, now);
        // Kept first: an alarm that cannot be kept (an alarm after Windows start without its
        // logon run, say) is not armed.
        KeepRecord(now);
        resumeFrom_.reset();
        // Armed only with a running timer: an alarm that could never fire must not look armed.
        watch_.Armed = ScheduleNextLook(FirstLook(watch_, now));
        if (!watch_.Armed)
            throw UserError(text::kNoWatchTimer);
    } catch (...) {
        resumeFrom_.reset();
        Disarm();
        Changed();
        throw;
    }
    Changed();
    const WakeTimer::Result wake = ApplyWakePlan();
    if (fresh && wake != WakeTimer::Cancelled && !wakeWarned_ && links_.notify) {
        // Said once per run: a user who knows it need not hear it at every Start.
        if (const auto warning = WakeWarning(ReadWakeFacts(wake)))
            wakeWarned_ = links_.notify(std::wstring(kWakeWarningTitle), *warning);
    }
}

void ArmedAlarm::Disarm() {
    if (timers_)
        KillTimer(timers_->Hwnd(), kWatchTimerId);
    due_.Cancel();
    watch_.Armed = false;
    DropRecord();
    ApplyWakePlan();
}

void ArmedAlarm::Stop() {
    Disarm();
    Changed();
}

void ArmedAlarm::Quit() {
    sound_.SilenceAlarm();
    DropRecord();
}

void ArmedAlarm::Changed() {
    // Written at arming and after each firing, never ticking.
    moment_ = watch_.Armed ? DueMomentText(watch_, clock_.Now()).value_or(L"") : L"";
    if (links_.changed)
        links_.changed(watch_);
}

}  // namespace klaxora::win
