#include "config/sync_view.h"

#include <algorithm>

#include "config/alarm_settings.h"

namespace klaxora {
namespace {

// The definition as far as the completeness rules need it. The action is the one whose
// caption the action list's text equals exactly.
AlarmSettings SettingsOf(const SyncViewInput& in) {
    AlarmSettings s;
    s.Trigger = TriggerByCaption(in.triggerText).value_or(TriggerKind::AfterWindowsStart);
    if (in.triggerText.empty())
        s.Trigger = TriggerKind::AfterWindowsStart;
    s.CountdownTime = in.countdown;
    switch (s.Trigger) {
        case TriggerKind::ProgramNotResponding:
            s.WatchedProgram = in.zawieszonyProgram;
            break;
        case TriggerKind::ProgramClosed:
            s.WatchedProgram = in.programZamkniety;
            break;
        case TriggerKind::ProgramStarted:
            s.WatchedProgram = in.uruchomionyProgram;
            break;
        default:
            break;
    }
    s.Action = ActionByCaption(in.actionText);
    s.MessageText = in.messageText;
    s.MessageCaption = in.messageCaption;
    s.SoundFile = in.soundFile;
    if (in.shutdownSelected)
        s.ShutdownMode = ShutdownKind::PowerOff;  // any selection
    s.ProgramPath = in.programPath;
    s.FilePath = in.filePath;
    s.FolderPath = in.folderPath;
    s.WebAddress = in.webAddress;
    s.OtherAction = OtherActionByCaption(in.otherActionText);
    if (in.keySelected)
        s.KeyCombination = L"*";
    if (in.cdDriveSelected)
        s.CdDrive = L"*";
    if (in.cdOperationSelected)
        s.CdTrayOperation = L"*";
    // Only the command line's kill counts here; selecting a row enables the start afterwards.
    s.ProcessChosen = in.killFromCommandLine;
    return s;
}

void ApplyOther(const SyncViewInput& in, const AlarmSettings& s, const FileSystemPort& files,
                SyncViewDecision& d) {
    d.label3Visible = in.pickerRunning;
    if (!s.OtherAction) {
        // No sub-action (or a text that is none of the captions): nothing to show or start.
        d.podgladEnabled = d.startEnabled = false;
        d.amhHelpVisible = false;
        if (in.otherActionText.empty())
            return;
        d.startEnabled = d.podgladEnabled = true;
        d.amhHint = std::wstring();
        return;
    }
    d.podgladEnabled = d.startEnabled = true;
    std::wstring hint;
    const std::wstring caption(Info(*s.OtherAction).caption);
    switch (*s.OtherAction) {
        case OtherActionKind::MaxVolume:
            hint = std::wstring(texts::kHelpMaxVolume) + caption;
            break;
        case OtherActionKind::MinimizeAllWindows:
            hint = std::wstring(texts::kHelpMinimizeAll) + caption;
            break;
        case OtherActionKind::BlockKeyboard:
            hint = std::wstring(texts::kHelpBlockKeyboard) + caption;
            break;
        case OtherActionKind::BlockMouse:
            hint = std::wstring(texts::kHelpBlockMouse) + caption;
            break;
        case OtherActionKind::BlockMouseAndKeyboard:
            hint = std::wstring(texts::kHelpBlockBoth) + caption;
            break;
        case OtherActionKind::PressKeys:
            d.subPanel = Info(*s.OtherAction).subPanel;
            d.podgladEnabled = d.startEnabled = in.keySelected;
            break;
        case OtherActionKind::DoubleClick:
            d.subPanel = Info(*s.OtherAction).subPanel;
            break;
        case OtherActionKind::SingleClick:
            d.subPanel = Info(*s.OtherAction).subPanel;
            break;
        case OtherActionKind::CdTray:
            d.subPanel = Info(*s.OtherAction).subPanel;
            d.podgladEnabled = d.startEnabled = CheckAction(s, files) == ActionVerdict::Complete;
            break;
        case OtherActionKind::MonitorOff:
        case OtherActionKind::StartControlPanel:
        case OtherActionKind::StartExplorer:
        case OtherActionKind::StartDefaultBrowser:
        case OtherActionKind::StartScreenSaver:
            break;
    }
    d.amhHint = hint;
    d.amhHelpVisible = !hint.empty();
}

}  // namespace

SubActionPreparation PrepareSubAction(std::wstring_view actionText, std::wstring_view otherText) {
    SubActionPreparation p;
    if (ActionByCaption(actionText) != ActionKind::Other)
        return p;
    const std::optional<OtherActionKind> sub = OtherActionByCaption(otherText);
    if (!sub)
        return p;
    p.refreshCdDrives = *sub == OtherActionKind::CdTray;
    if (!Info(*sub).subPanel.empty())
        p.restore = sub;
    return p;
}

SoundStep SoundStepFor(const SyncViewInput& in, const FileSystemPort& files) {
    if (ActionByCaption(in.actionText) != ActionKind::PlaySound)
        return SoundStep::None;
    if (in.soundFile.empty() || !files.FileExists(in.soundFile))
        return SoundStep::Clear;
    if (!IsSoundExtension(in.soundFile))
        return SoundStep::ReportWrongFormat;
    return SoundStep::Load;
}

SyncViewDecision DecideSyncView(const SyncViewInput& in, const FileSystemPort& files,
                                SoundOutcome sound) {
    SyncViewDecision d;
    if (!in.firstShowDone)
        return d;
    d.run = true;
    const AlarmSettings s = SettingsOf(in);

    // Trigger part: its page, and whether it lets the definition start.
    d.page = Info(s.Trigger).page;
    d.triggerVerdict = TriggerComplete(s, files);
    d.startEnabled = d.triggerVerdict;
    d.podgladVisible = true;
    d.podgladEnabled = false;

    // Action part.
    d.action = s.Action;
    const auto both = [&d](bool enabled) { d.podgladEnabled = d.startEnabled = enabled; };
    bool finalPart = true;
    if (s.Action) {
        d.panel = Info(*s.Action).panel;
        switch (*s.Action) {
            case ActionKind::DefaultWindow:
                d.podgladEnabled = true;
                break;
            case ActionKind::Message:
            case ActionKind::OpenFile:
            case ActionKind::OpenFolder:
            case ActionKind::OpenWebPage:
                both(CheckAction(s, files) == ActionVerdict::Complete);
                break;
            case ActionKind::RunProgram: {
                const ActionVerdict v = CheckAction(s, files);
                if (v == ActionVerdict::WrongType) {
                    d.message = texts::kWrongProgramFormat;
                } else {
                    both(v == ActionVerdict::Complete);
                }
                break;
            }
            case ActionKind::PlaySound:
                d.podgladVisible = false;
                d.sound = SoundStepFor(in, files);
                if (d.sound == SoundStep::ReportWrongFormat) {
                    d.message = kWrongSoundFormat;
                } else if (sound == SoundOutcome::Failed) {
                    // The player could not open the file: the synchronisation ends here.
                    finalPart = false;
                } else if (d.sound == SoundStep::Load && sound != SoundOutcome::NoFile) {
                    d.transportEnabled = true;
                    both(true);
                } else {
                    d.transportEnabled = false;
                    d.startEnabled = false;
                }
                break;
            case ActionKind::ShutDown:
                d.podgladVisible = false;
                d.startEnabled = in.shutdownSelected;
                break;
            case ActionKind::Other:
                ApplyOther(in, s, files, d);
                break;
            case ActionKind::KillProcess:
                d.startEnabled = CheckAction(s, files) == ActionVerdict::Complete;
                break;
        }
    } else {
        d.startEnabled = false;
    }
    if (!finalPart)
        return d;

    // Final part.
    d.startEnabled = d.startEnabled && d.triggerVerdict;
    const bool repeatBox = !in.triggerText.empty() &&
                           in.actionText != Info(ActionKind::DefaultWindow).caption &&
                           in.actionText != Info(ActionKind::ShutDown).caption;
    d.repeatBoxEnabled = repeatBox;
    d.repeatEditEnabled = RepeatEditEnabled(in.repeatChecked, repeatBox);
    d.skrotEnabled = d.startEnabled;
    return d;
}

bool CountdownAllowsStart(const TimeFields& c) {
    return c.hours != 0 || c.minutes != 0 || c.seconds != 0;
}

bool RepeatEditEnabled(bool checked, bool boxEnabled) {
    return checked && boxEnabled;
}

std::wstring ClockLine(std::wstring_view longTime) {
    return std::wstring(texts::kClockPrefix) + std::wstring(longTime) + L" ";
}

std::wstring NoInternetLabel(int64_t seconds) {
    return std::wstring(texts::kNoInternetPrefix) + FormatSeconds(seconds);
}

std::wstring PickedPointText(int64_t x, int64_t y) {
    return std::wstring(texts::kPickedPoint) + std::to_wstring(x) + L"  y = " + std::to_wstring(y);
}

int DroppedWidth(int boxWidth, int widestItem, int margin) {
    return std::max(boxWidth - margin, widestItem) + margin;
}

std::pair<std::wstring, std::wstring> SplitHelpHint(std::wstring_view hint) {
    const size_t bar = hint.find(L'|');
    if (bar == std::wstring_view::npos)
        return {std::wstring(hint), std::wstring()};
    return {std::wstring(hint.substr(0, bar)), std::wstring(hint.substr(bar + 1))};
}

}  // namespace klaxora
