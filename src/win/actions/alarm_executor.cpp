#include "win/actions/alarm_executor.h"

#include <string>

#include "app/late_firing.h"
#include "util/message_titles.h"
#include "win/actions/popup_window.h"
#include "win/actions/alarm_sound.h"
#include "win/sys/system_ops_win.h"
#include "win/ui/countdown_box.h"
#include "win/ui/message_box.h"

// mmsystem's macro would rename the step.
#undef PlaySound

namespace klaxora::win {

void AlarmStepPerformer::Perform(const ActionStep& step) {
    const HWND owner = step.owner == StepOwner::ConfigurationWindow ? links_.configurationWindow
                                                                    : links_.mainWindow;
    if (links_.systemOperations && links_.keys &&
        PerformSystemStep(step, *links_.systemOperations, *links_.keys, ToRef(owner),
                          links_.processes))
        return;
    switch (step.kind) {
        case StepKind::DisableTray:
        case StepKind::EnableTray:
            if (links_.setTrayEnabled)
                links_.setTrayEnabled(step.kind == StepKind::EnableTray);
            break;
        case StepKind::CloseConfiguration:
            if (links_.closeConfiguration)
                links_.closeConfiguration();
            break;
        case StepKind::ShowPopup:
            if (links_.popup)
                links_.popup->PopUp(step.flags != 0, step.text,
                                    links_.snooze);  // returns once it rests
            break;
        case StepKind::Stop:
            if (links_.stop)
                links_.stop();
            break;
        case StepKind::ShowMessage:
            ShowMessageBox(step.text, step.detail, step.flags);  // waits until it is closed
            break;
        case StepKind::WarnShutdown: {
            // Forced, the shutdown would lose unsaved work: the user gets time to save or
            // to cancel, as Windows' own timed shutdown gives.
            const bool preview = step.flags != 0;
            CountdownBox box;
            box.title = std::wstring(kApplicationTitle);
            box.text = [&](int left) { return ShutdownWarningText(step.text, left, preview); };
            box.proceed = std::wstring(kShutdownNow);
            box.refuse = std::wstring(kShutdownCancel);
            box.seconds = kShutdownWarningSeconds;
            box.proceedAtZero = true;
            box.nowMs = links_.nowMs;
            const bool proceed = ShowCountdownBox(box);
            // Stopped while it counted down (Stop in the window, the program closed): that
            // cancels it as well.
            if (!preview && (!proceed || (links_.armed && !links_.armed())))
                throw StepCancelled{};
            break;
        }
        case StepKind::PlaySound:
            if (links_.sound)
                links_.sound->PlayForAlarm(step.text);
            break;
        case StepKind::RearmCountdown:
            if (links_.rearm)
                links_.rearm(step.seconds);
            break;
        case StepKind::ProcessMessages:
            ProcessMessages();
            break;
        default:
            break;
    }
}

void AlarmStepPerformer::ShowError(const std::wstring& text) {
    ShowStandardError(text, kOverEverything);
}

}  // namespace klaxora::win
