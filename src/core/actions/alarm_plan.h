#pragma once
// What performing an alarm's action does, as an ordered list of steps: at firing (the icon
// put out of reach, the pre-action options, the action, the icon back, then Stop or the
// repeat) and as a preview. The window side performs each step; the order, the conditions and
// what happens after a failing step are decided here.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "actions/key_names.h"
#include "app/watch_state.h"
#include "config/alarm_settings.h"
#include "ports/process_control.h"
#include "ports/system_ops.h"
#include "util/message_titles.h"

namespace klaxora {

// Message box flags, as the system defines them.
inline constexpr uint32_t kMbIconExclamation = 0x30;
inline constexpr uint32_t kMbTopmost = 0x40000;
inline constexpr std::wstring_view kNoPreviewMessage =
    L"Podgląd wybranego alarmu nie jest możliwy !!!";

// A preview blocks the keyboard or the mouse this long only, and says so first.
inline constexpr int32_t kPreviewBlockSeconds = 10;
inline constexpr std::wstring_view kPreviewBlocksKeyboard =
    L"Podgląd: po zamknięciu tego komunikatu klawiatura zostanie zablokowana na 10 sekund, "
    L"potem znów będzie działać.\r\rAlarm zablokuje ją aż do zamknięcia programu lub ponownego "
    L"uruchomienia komputera; Ctrl+Alt+Delete działa zawsze.";
inline constexpr std::wstring_view kPreviewBlocksMouse =
    L"Podgląd: po zamknięciu tego komunikatu mysz zostanie zablokowana na 10 sekund, potem "
    L"znów będzie działać.\r\rAlarm zablokuje ją aż do zamknięcia programu lub ponownego "
    L"uruchomienia komputera; Ctrl+Alt+Delete działa zawsze.";
inline constexpr std::wstring_view kPreviewBlocksBoth =
    L"Podgląd: po zamknięciu tego komunikatu klawiatura i mysz zostaną zablokowane na "
    L"10 sekund, potem znów będą działać.\r\rAlarm zablokuje je aż do zamknięcia programu lub "
    L"ponownego uruchomienia komputera; Ctrl+Alt+Delete działa zawsze.";

enum class StepKind {
    DisableTray,  // the icon ignores the mouse while the action runs
    WakeDisplay,  // the pre-action options, in this order
    MinimizeAll,
    CloseConfiguration,
    ShowPopup,      // disable F_Alarm, beep timer = `flags` != 0, show F_ALARMUJ, slide in;
                    // `text`, when the alarm has one, is named with it
    Stop,           // Stop (disarms)
    ShowMessage,    // a message box owned by the application: `text`, caption `detail`
    PlaySound,      // the one sound player plays `text`
    WarnShutdown,   // the countdown before the shutdown mode captioned `text`; `flags` != 0:
                    // a preview, after which nothing is performed
    ShutDown,       // the shutdown mode captioned `text`
    OpenWithShell,  // the shell opens `text`
    OtherAction,    // the sub-action captioned `text` with its detail `detail`; a keyboard or
                    // mouse block lasts `seconds` when that is not 0 (a preview)
    KillProcess,    // process `detail` (decimal), if it is still executable `text` started
                    // at `processCreated`
    EnableTray,
    RearmCountdown,   // a count-down of `seconds` from now ("OD"), unless stopped meanwhile
    ProcessMessages,  // let pending messages through once
};

enum class StepOwner { MainWindow, ConfigurationWindow };

struct ActionStep {
    StepKind kind;
    std::wstring text{};
    std::wstring detail{};
    uint32_t flags = 0;
    int32_t seconds = 0;
    StepOwner owner = StepOwner::MainWindow;
    std::optional<uint64_t> processCreated{};
    // Carried out even after an earlier step failed: the icon comes back and the alarm stops
    // or repeats as after any firing.
    bool always = false;
    // Its failure is reported but skips nothing: a pre-action option that Windows refuses
    // (minimising every window, say) must not cost the user the alarm itself.
    bool tolerated = false;

    bool operator==(const ActionStep&) const = default;
};

using ActionPlan = std::vector<ActionStep>;

// The pre-action options as steps: wake the display, minimise all windows, close the
// configuration window.
ActionPlan PreActionSteps(const AppOptions& options);

// ExecuteAlarmAction for the armed alarm.
ActionPlan PlanAlarmAction(const WatchState& state, const AppOptions& options);

// cb_PodgladClick for the definition being edited: no icon, no pre-action other than closing
// the window, no Stop or repeat; owners are the configuration window. A keyboard or mouse
// block is announced first and lasts kPreviewBlockSeconds.
ActionPlan PlanPreview(const AlarmSettings& settings, const AppOptions& options);

// ActionDetail of an "Inne możliwości" sub-action from its editors: "x;y" for the clicks, the
// key name, the drive followed by ";1" (open) or ";0" (close), or empty (including a tray
// operation that is neither).
std::wstring OtherActionDetail(const AlarmSettings& settings);

// Thrown by a step the user cancelled (the shutdown's countdown): the rest of the action is
// not performed and the alarm ends as Stop ends it, with no error shown.
struct StepCancelled {};

class StepPerformer {
  public:
    virtual ~StepPerformer() = default;
    // Performs one step; a failure the user must see is thrown as a UserError.
    virtual void Perform(const ActionStep& step) = 0;
    // Shows a failed step's error in the standard error box.
    virtual void ShowError(const std::wstring& text) = 0;
};

// Performs the steps in order. After a step that fails only the steps marked `always` are
// performed, and then the error is shown, so that a box nobody sees yet holds nothing up (the
// icon, Stop, the repeat). After a cancelled step the same, but the alarm stops instead of
// repeating. False when a step failed or was cancelled.
bool RunPlan(const ActionPlan& plan, StepPerformer& performer);

// ExecuteAlarmAction: performs the armed alarm's plan; ticks arriving meanwhile are ignored
// (WatchState::Firing) until it is over, failures included. False when a step failed.
bool ExecuteAlarmAction(WatchState& state, const AppOptions& options, StepPerformer& performer);

// The steps that are system operations, performed through the ports (the pre-action options,
// shutdown, shell, sub-actions, the guarded process end; without `processes` nothing is
// ended). A failure the system reports is thrown as a UserError. False for any other step.
bool PerformSystemStep(const ActionStep& step, SystemOperations& ops, KeyEventSink& keys,
                       WindowRef owner, ProcessControlPort* processes = nullptr);

}  // namespace klaxora
