#include "actions/alarm_plan.h"

#include <algorithm>

#include "actions/kill_guard.h"
#include "app/late_firing.h"
#include "actions/system_actions.h"
#include "config/vocabulary.h"
#include "util/text.h"
#include "util/user_error.h"

namespace klaxora {

namespace {

ActionStep Step(StepKind kind, std::wstring text = {}, std::wstring detail = {}) {
    ActionStep step{kind};
    step.text = std::move(text);
    step.detail = std::move(detail);
    return step;
}

ActionStep Always(StepKind kind) {
    ActionStep step = Step(kind);
    step.always = true;
    return step;
}

ActionStep Popup(const AppOptions& options) {
    ActionStep step = Step(StepKind::ShowPopup);
    step.flags = options.PlayBeep ? 1 : 0;
    return step;
}

ActionStep Message(std::wstring text, std::wstring caption, uint32_t flags) {
    ActionStep step = Step(StepKind::ShowMessage, std::move(text), std::move(caption));
    step.flags = flags;
    return step;
}

std::optional<std::wstring_view> PreviewBlockNotice(OtherActionKind kind) {
    switch (kind) {
        case OtherActionKind::BlockKeyboard:
            return kPreviewBlocksKeyboard;
        case OtherActionKind::BlockMouse:
            return kPreviewBlocksMouse;
        case OtherActionKind::BlockMouseAndKeyboard:
            return kPreviewBlocksBoth;
        default:
            return std::nullopt;
    }
}

bool OpensWithShell(ActionKind kind) {
    return kind == ActionKind::RunProgram || kind == ActionKind::OpenFile ||
           kind == ActionKind::OpenFolder || kind == ActionKind::OpenWebPage;
}

}  // namespace

ActionPlan PreActionSteps(const AppOptions& options) {
    ActionPlan plan;
    if (options.Wyg_Off)
        plan.push_back(Step(StepKind::WakeDisplay));
    if (options.MinimizeAll)
        plan.push_back(Step(StepKind::MinimizeAll));
    if (options.MinimizeProg)
        plan.push_back(Step(StepKind::CloseConfiguration));
    for (ActionStep& step : plan)
        step.tolerated = true;
    return plan;
}

ActionPlan PlanAlarmAction(const WatchState& state, const AppOptions& options) {
    ActionPlan plan{Step(StepKind::DisableTray)};
    for (ActionStep& step : PreActionSteps(options))
        plan.push_back(std::move(step));

    // A negative interval is no repeat: as a count-down it would be due at once, forever.
    const bool repeats = state.RepeatSeconds > 0;
    bool stopped = false;
    if (const auto action = ActionByCaption(state.ActionCaption)) {
        const std::wstring& parameter = state.ActionParameter;
        if (*action == ActionKind::DefaultWindow) {
            plan.push_back(Popup(options));
        } else if (*action == ActionKind::Message) {
            // Without a repeat the alarm is over before the box shows; with one, the repeat is
            // counted from the moment the box is closed (the re-arm below).
            if (!repeats) {
                plan.push_back(Always(StepKind::Stop));
                stopped = true;
            }
            const size_t separator = parameter.find(kMessageSeparator);
            std::wstring caption, text = parameter;
            if (separator != std::wstring::npos) {
                caption = parameter.substr(0, separator);
                text = parameter.substr(separator + 1);
            }
            plan.push_back(
                Message(std::move(text), std::move(caption), kMbTopmost | kMbIconExclamation));
        } else if (*action == ActionKind::PlaySound) {
            plan.push_back(Step(StepKind::PlaySound, parameter));
        } else if (*action == ActionKind::ShutDown) {
            if (WarnsBeforeShutdown(parameter))
                plan.push_back(Step(StepKind::WarnShutdown, parameter));
            plan.push_back(Step(StepKind::ShutDown, parameter));
        } else if (OpensWithShell(*action)) {
            plan.push_back(Step(StepKind::OpenWithShell, parameter));
        } else if (*action == ActionKind::Other) {
            plan.push_back(Step(StepKind::OtherAction, parameter, state.ActionDetail));
        } else if (*action == ActionKind::KillProcess) {
            ActionStep kill = Step(StepKind::KillProcess, state.KillImage, state.ActionDetail);
            kill.processCreated = state.KillCreated;
            plan.push_back(std::move(kill));
        }
    }

    plan.push_back(Always(StepKind::EnableTray));
    if (repeats) {
        ActionStep rearm = Always(StepKind::RearmCountdown);
        rearm.seconds = state.RepeatSeconds;
        plan.push_back(std::move(rearm));
        plan.push_back(Always(StepKind::ProcessMessages));
    } else if (!stopped) {
        plan.push_back(Always(StepKind::Stop));
    }
    return plan;
}

std::wstring OtherActionDetail(const AlarmSettings& settings) {
    if (!settings.OtherAction)
        return {};
    switch (*settings.OtherAction) {
        case OtherActionKind::SingleClick:
        case OtherActionKind::DoubleClick:
            return std::to_wstring(settings.ClickX) + L";" + std::to_wstring(settings.ClickY);
        case OtherActionKind::PressKeys:
            return settings.KeyCombination;
        case OtherActionKind::CdTray: {
            const std::wstring operation = FoldUpper(settings.CdTrayOperation);
            if (operation == kCdTrayOpen)
                return settings.CdDrive + L";1";
            if (operation == kCdTrayClose)
                return settings.CdDrive + L";0";
            return {};
        }
        default:
            return {};
    }
}

ActionPlan PlanPreview(const AlarmSettings& settings, const AppOptions& options) {
    ActionPlan plan;
    if (options.MinimizeProg)
        plan.push_back(Step(StepKind::CloseConfiguration));
    if (!settings.Action)
        return plan;
    const ActionKind action = *settings.Action;
    ActionStep step = Step(StepKind::ProcessMessages);
    switch (action) {
        case ActionKind::DefaultWindow:
            step = Popup(options);
            break;
        case ActionKind::Message:
            step = Message(settings.MessageText, settings.MessageCaption, kMbIconExclamation);
            break;
        case ActionKind::PlaySound:
            // Heard through the sound panel's own player, as at firing.
            step = Step(StepKind::PlaySound, settings.SoundFile);
            break;
        case ActionKind::RunProgram:
            step = Step(StepKind::OpenWithShell, settings.ProgramPath);
            break;
        case ActionKind::OpenFile:
            step = Step(StepKind::OpenWithShell, settings.FilePath);
            break;
        case ActionKind::OpenFolder:
            step = Step(StepKind::OpenWithShell, settings.FolderPath);
            break;
        case ActionKind::OpenWebPage:
            step = Step(StepKind::OpenWithShell, settings.WebAddress);
            break;
        case ActionKind::KillProcess:
            step = Message(std::wstring(kNoPreviewMessage), std::wstring(kWarningTitle),
                           kMbIconExclamation);
            break;
        case ActionKind::Other:
            if (!settings.OtherAction)
                return plan;
            if (*settings.OtherAction == OtherActionKind::CdTray &&
                OtherActionDetail(settings).empty())
                return plan;  // neither opening nor closing: nothing to do
            step = Step(StepKind::OtherAction, std::wstring(Info(*settings.OtherAction).caption),
                        OtherActionDetail(settings));
            if (const auto notice = PreviewBlockNotice(*settings.OtherAction)) {
                // Told first, while the user can still answer; then let go again by itself.
                ActionStep told =
                    Message(std::wstring(*notice), std::wstring(kWarningTitle), kMbIconExclamation);
                told.owner = StepOwner::ConfigurationWindow;
                plan.push_back(std::move(told));
                step.seconds = kPreviewBlockSeconds;
            }
            break;
        case ActionKind::ShutDown:
            // Never performed as a preview; the warning it would give is shown.
            if (!settings.ShutdownMode ||
                !WarnsBeforeShutdown(Info(*settings.ShutdownMode).caption))
                return plan;
            step = Step(StepKind::WarnShutdown, std::wstring(Info(*settings.ShutdownMode).caption));
            step.flags = 1;
            break;
    }
    step.owner = StepOwner::ConfigurationWindow;
    plan.push_back(std::move(step));
    return plan;
}

bool RunPlan(const ActionPlan& plan, StepPerformer& performer) {
    std::optional<std::wstring> error;
    bool skipping = false, cancelled = false, stopped = false;
    for (const ActionStep& step : plan) {
        if ((skipping || cancelled) && !step.always)
            continue;
        ActionStep next = step;
        if (cancelled && (step.kind == StepKind::RearmCountdown || step.kind == StepKind::Stop)) {
            // A cancelled alarm ends, repeat or not.
            if (stopped)
                continue;
            next = Always(StepKind::Stop);
        }
        stopped = stopped || next.kind == StepKind::Stop;
        try {
            performer.Perform(next);
        } catch (const UserError& e) {
            if (!error)
                error = e.Message();
            skipping = skipping || !step.tolerated;
        } catch (const StepCancelled&) {
            cancelled = true;
        }
    }
    if (error)
        performer.ShowError(*error);
    return !error && !cancelled;
}

bool ExecuteAlarmAction(WatchState& state, const AppOptions& options, StepPerformer& performer) {
    struct FiringScope {
        WatchState& state;
        explicit FiringScope(WatchState& s) : state(s) { state.Firing = true; }
        ~FiringScope() { state.Firing = false; }
    } firing(state);
    return RunPlan(PlanAlarmAction(state, options), performer);
}

bool PerformSystemStep(const ActionStep& step, SystemOperations& ops, KeyEventSink& keys,
                       WindowRef owner, ProcessControlPort* processes) {
    switch (step.kind) {
        case StepKind::WakeDisplay:
            ops.WakeDisplay();
            return true;
        case StepKind::MinimizeAll:
            ThrowIfFailed(ops.SendMinimizeAll());
            return true;
        case StepKind::ShutDown:
            ShutDownSystem(ops, step.text);
            return true;
        case StepKind::OpenWithShell:
            ThrowIfFailed(ops.OpenWithShell(owner, step.text));
            return true;
        case StepKind::OtherAction:
            PerformOtherAction(ops, keys, step.text, step.detail, owner,
                               static_cast<uint32_t>(std::max(step.seconds, 0)) * 1000);
            return true;
        case StepKind::KillProcess:
            if (processes) {
                const KillOutcome outcome =
                    KillChosenProcess(*processes, step.detail, {step.text, step.processCreated});
                if (outcome.result == KillResult::Failed)
                    throw UserError(outcome.error);
            }
            return true;
        default:
            return false;
    }
}

}  // namespace klaxora
