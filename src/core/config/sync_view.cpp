#include "config/sync_view.h"

#include <algorithm>

#include "config/alarm_settings.h"

namespace klaxora {
namespace {

void ApplyOther(const SyncViewState& state, const AlarmSettings& s, const FileSystemPort& files,
                SyncViewDecision& d) {
    d.label3Visible = state.pickerRunning;
    if (!s.OtherAction) {
        // No sub-action: nothing to show or start.
        d.podgladEnabled = d.startEnabled = false;
        d.amhHelpVisible = false;
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
            d.podgladEnabled = d.startEnabled = CheckAction(s, files) == ActionVerdict::Complete;
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

SubActionPreparation PrepareSubAction(const AlarmSettings& s) {
    SubActionPreparation p;
    if (s.Action != ActionKind::Other || !s.OtherAction)
        return p;
    const OtherActionKind sub = *s.OtherAction;
    p.refreshCdDrives = sub == OtherActionKind::CdTray;
    if (!Info(sub).subPanel.empty())
        p.restore = sub;
    return p;
}

SoundStep SoundStepFor(const AlarmSettings& s, const FileSystemPort& files) {
    if (s.Action != ActionKind::PlaySound)
        return SoundStep::None;
    if (s.SoundFile.empty() || !files.FileExists(s.SoundFile))
        return SoundStep::Clear;
    if (!IsSoundExtension(s.SoundFile))
        return SoundStep::ReportWrongFormat;
    return SoundStep::Load;
}

SoundOutcome SoundOutcomeOf(SoundFileChange change) {
    switch (change) {
        case SoundFileChange::Loaded:
            return SoundOutcome::Loaded;
        case SoundFileChange::WrongFormat:
            return SoundOutcome::WrongFormat;
        case SoundFileChange::WrongFormatAgain:
            return SoundOutcome::WrongFormatReported;
        case SoundFileChange::NoFile:
            break;
    }
    return SoundOutcome::NoFile;
}

SyncViewDecision DecideSyncView(const AlarmSettings& s, const SyncViewState& state,
                                const FileSystemPort& files, SoundOutcome sound) {
    SyncViewDecision d;
    if (!state.firstShowDone)
        return d;
    d.run = true;

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
                d.sound = SoundStepFor(s, files);
                if (d.sound == SoundStep::ReportWrongFormat) {
                    // The player refuses the file: at the alarm it would only show an error.
                    if (sound != SoundOutcome::WrongFormatReported)
                        d.message = kWrongSoundFormat;
                    d.startEnabled = false;
                } else if (sound == SoundOutcome::Failed) {
                    // The player could not open the file: the synchronisation ends here, and
                    // a definition whose sound cannot be played is not startable, so the
                    // start and the shortcut are off rather than left as they were.
                    d.startEnabled = false;
                    d.skrotEnabled = false;
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
                d.startEnabled = s.ShutdownMode.has_value();
                break;
            case ActionKind::Other:
                ApplyOther(state, s, files, d);
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
    const bool repeatBox = RepeatOffered(s);
    d.repeatBoxEnabled = repeatBox;
    d.repeatEditEnabled = RepeatEditEnabled(s.RepeatEnabled, repeatBox);
    d.skrotEnabled = d.startEnabled;
    return d;
}

StartVerdict DecideStart(const AlarmSettings& s, const FileSystemPort& files, bool soundLoaded) {
    SyncViewState state;
    state.firstShowDone = true;
    SoundOutcome sound = SoundOutcome::NotAsked;
    const SoundStep step = SoundStepFor(s, files);
    if (step == SoundStep::Load || step == SoundStep::Clear)
        sound =
            soundLoaded && step == SoundStep::Load ? SoundOutcome::Loaded : SoundOutcome::NoFile;
    const SyncViewDecision d = DecideSyncView(s, state, files, sound);
    return {d.startEnabled, d.podgladEnabled};
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
