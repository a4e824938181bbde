#pragma once
// Performs the steps of an alarm's action (at firing and as a preview) through the program's
// own pieces: the popup, the message boxes, the one sound player, the system operations, the
// key sink and the guarded process end. What the steps are and their order is the core's plan;
// what belongs to other windows (the icon, Stop, the repeat) comes in as callbacks.
#include <windows.h>

#include <functional>

#include "actions/alarm_plan.h"
#include "ports/process_control.h"

namespace klaxora::win {

class TF_ALARMUJ;
class AlarmSound;

struct AlarmExecutorLinks {
    HWND mainWindow = nullptr;           // owner of firing steps; receives the monitor-off
    HWND configurationWindow = nullptr;  // owner of preview steps
    TF_ALARMUJ* popup = nullptr;
    ProcessControlPort* processes = nullptr;  // "Zabij proces"; none: nothing is ended
    AlarmSound* sound = nullptr;              // "Odegraj dźwięk"; none: nothing plays
    std::function<void(bool enabled)> setTrayEnabled;
    std::function<void()> closeConfiguration;
    std::function<void()> stop;                  // the configuration window's Stop
    std::function<void(int32_t seconds)> rearm;  // the repeat as a count-down from now
    std::function<int64_t()> nowMs;  // the program's monotonic clock, for the countdowns
    std::function<bool()> armed;     // the alarm is still armed (not stopped meanwhile)
    std::function<void()> snooze;    // the popup's "Drzemka"; none: not offered
    // The program's system operations and key sink (a test's recorders); none: the steps that
    // act on the system do nothing.
    SystemOperations* systemOperations = nullptr;
    KeyEventSink* keys = nullptr;
};

class AlarmStepPerformer : public StepPerformer {
  public:
    explicit AlarmStepPerformer(const AlarmExecutorLinks& links) : links_(links) {}
    void Perform(const ActionStep& step) override;
    void ShowError(const std::wstring& text) override;

  private:
    const AlarmExecutorLinks& links_;
};

}  // namespace klaxora::win
