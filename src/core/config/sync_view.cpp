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

// The trigger's field that keeps start off, or empty.
std::wstring_view TriggerReason(const AlarmSettings& s, const FileSystemPort& files) {
    if (TriggerComplete(s, files))
        return {};
    if (s.Trigger == TriggerKind::Countdown)
        return texts::kWhyCountdownZero;
    if (s.WatchedProgram.empty())
        return texts::kWhyWatchedPath;
    if (!files.FileExists(s.WatchedProgram))
        return texts::kWhyWatchedMissing;
    return texts::kWhyWatchedNotExe;
}

// The action's field that keeps start off. Only asked while start is off, so a field that
// would pass is never named: each branch names what its rule refuses.
std::wstring_view ActionReason(const AlarmSettings& s, const FileSystemPort& files) {
    const auto path = [&files](const std::wstring& p, std::wstring_view empty,
                               std::wstring_view missing, bool folder = false) {
        if (p.empty())
            return empty;
        const bool exists = folder ? files.DirectoryExists(p) : files.FileExists(p);
        return exists ? std::wstring_view{} : missing;
    };
    if (!s.Action)
        return texts::kWhyNoAction;
    switch (*s.Action) {
        case ActionKind::Message:
            return s.MessageText.empty()      ? texts::kWhyMessageText
                   : s.MessageCaption.empty() ? texts::kWhyMessageCaption
                                              : std::wstring_view{};
        case ActionKind::PlaySound: {
            const std::wstring_view missing =
                path(s.SoundFile, texts::kWhySoundPath, texts::kWhySoundMissing);
            if (!missing.empty())
                return missing;
            return IsSoundExtension(s.SoundFile) ? texts::kWhySoundUnplayable
                                                 : texts::kWhySoundFormat;
        }
        case ActionKind::OpenFolder:
            return path(s.FolderPath, texts::kWhyFolderPath, texts::kWhyFolderMissing, true);
        case ActionKind::OpenFile:
            return path(s.FilePath, texts::kWhyFilePath, texts::kWhyFileMissing);
        case ActionKind::RunProgram:
            return path(s.ProgramPath, texts::kWhyProgramPath, texts::kWhyProgramMissing);
        case ActionKind::OpenWebPage:
            return texts::kWhyWebAddress;
        case ActionKind::ShutDown:
            return texts::kWhyShutdownKind;
        case ActionKind::Other:
            if (!s.OtherAction)
                return texts::kWhyOtherAction;
            if (*s.OtherAction == OtherActionKind::PressKeys)
                return texts::kWhyKeys;
            if (*s.OtherAction == OtherActionKind::CdTray)
                return s.CdDrive.empty() ? texts::kWhyCdDrive : texts::kWhyCdOperation;
            return {};
        case ActionKind::KillProcess:
            return texts::kWhyProcess;
        case ActionKind::DefaultWindow:
            break;
    }
    return {};
}

// Why start is off: the trigger group comes first in the window, so its field is named first.
std::wstring_view StartReason(const AlarmSettings& s, const FileSystemPort& files) {
    const std::wstring_view trigger = TriggerReason(s, files);
    return trigger.empty() ? ActionReason(s, files) : trigger;
}

}  // namespace

SubActionPreparation PrepareSubAction(const AlarmSettings& s) {
    SubActionPreparation p;
    if (s.Action != ActionKind::Other || !s.OtherAction)
        return p;
    const OtherActionKind sub = *s.OtherAction;
    p.refreshCdDrives = sub == OtherActionKind::CdTray;
    if (Info(sub).subPanel != OtherSubPanel::None)
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
    d.page = s.Trigger;
    d.triggerVerdict = TriggerComplete(s, files);
    d.startEnabled = d.triggerVerdict;
    d.podgladVisible = true;
    d.podgladEnabled = false;

    // Action part.
    d.action = s.Action;
    const auto both = [&d](bool enabled) { d.podgladEnabled = d.startEnabled = enabled; };
    bool finalPart = true;
    if (s.Action) {
        if (Info(*s.Action).hasPanel)
            d.panel = s.Action;
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
                    d.startReason = StartReason(s, files);
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
    if (!d.startEnabled)
        d.startReason = StartReason(s, files);
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
    return {d.startEnabled, d.podgladEnabled, d.startReason};
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

std::pair<std::wstring, std::wstring> SplitHelpHint(std::wstring_view hint) {
    const size_t bar = hint.find(L'|');
    if (bar == std::wstring_view::npos)
        return {std::wstring(hint), std::wstring()};
    return {std::wstring(hint.substr(0, bar)), std::wstring(hint.substr(bar + 1))};
}

}  // namespace klaxora
