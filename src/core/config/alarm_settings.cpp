#include "config/alarm_settings.h"

#include "util/text.h"

namespace klaxora {

std::wstring FileExtension(std::wstring_view path) {
    const size_t dot = path.rfind(L'.');
    const size_t slash = path.find_last_of(L"\\/");
    if (dot == std::wstring_view::npos || (slash != std::wstring_view::npos && slash > dot)) {
        return {};
    }
    return std::wstring(path.substr(dot));
}

bool IsSoundExtension(std::wstring_view path) {
    const std::wstring ext = FoldUpper(FileExtension(path));
    return ext == L".WAV" || ext == L".MP3" || ext == L".MID" || ext == L".MIDI";
}

bool TriggerComplete(const AlarmSettings& s, const FileSystemPort& files) {
    switch (s.Trigger) {
        case TriggerKind::Countdown:
            return s.CountdownTime.hours != 0 || s.CountdownTime.minutes != 0 ||
                   s.CountdownTime.seconds != 0;
        case TriggerKind::ProgramNotResponding:
        case TriggerKind::ProgramClosed:
        case TriggerKind::ProgramStarted:
            return !s.WatchedProgram.empty() && files.FileExists(s.WatchedProgram) &&
                   EqualsNoCase(FileExtension(s.WatchedProgram), L".exe");
        case TriggerKind::NoInternet:
        case TriggerKind::AtTime:
        case TriggerKind::AfterWindowsStart:
            return true;
    }
    return false;
}

ActionVerdict CheckAction(const AlarmSettings& s, const FileSystemPort& files, bool soundOpens) {
    const auto verdict = [](bool ok) { return ok ? ActionVerdict::Complete : ActionVerdict::Veto; };
    if (!s.Action)
        return ActionVerdict::Veto;
    switch (*s.Action) {
        case ActionKind::DefaultWindow:
            return ActionVerdict::Complete;
        case ActionKind::Message:
            return verdict(!s.MessageText.empty() && !s.MessageCaption.empty());
        case ActionKind::PlaySound:
            if (s.SoundFile.empty() || !files.FileExists(s.SoundFile))
                return ActionVerdict::Veto;
            if (!IsSoundExtension(s.SoundFile))
                return ActionVerdict::WrongType;
            return verdict(soundOpens);
        case ActionKind::OpenFolder:
            return verdict(!s.FolderPath.empty() && files.DirectoryExists(s.FolderPath));
        case ActionKind::OpenFile:
            return verdict(!s.FilePath.empty() && files.FileExists(s.FilePath));
        case ActionKind::RunProgram:
            if (s.ProgramPath.empty() || !files.FileExists(s.ProgramPath)) {
                return ActionVerdict::Veto;
            }
            if (FoldUpper(FileExtension(s.ProgramPath)) != L".EXE")
                return ActionVerdict::WrongType;
            return ActionVerdict::Complete;
        case ActionKind::OpenWebPage:
            return verdict(IsWebActionAddress(s.WebAddress));
        case ActionKind::ShutDown:
            return verdict(s.ShutdownMode.has_value());
        case ActionKind::Other:
            if (!s.OtherAction)
                return ActionVerdict::Veto;
            if (*s.OtherAction == OtherActionKind::PressKeys)
                return verdict(!s.KeyCombination.empty());
            if (*s.OtherAction == OtherActionKind::CdTray) {
                return verdict(!s.CdDrive.empty() && !s.CdTrayOperation.empty());
            }
            return ActionVerdict::Complete;
        case ActionKind::KillProcess:
            return verdict(s.ProcessChosen);
    }
    return ActionVerdict::Veto;
}

bool IsWebActionAddress(std::wstring_view address) {
    for (std::wstring_view mark : {L"www.", L"http://", L"https://"}) {
        if (address.find(mark) != std::wstring_view::npos)
            return true;
    }
    return false;
}

bool RepeatOffered(const AlarmSettings& s) {
    if (s.Trigger == TriggerKind::AfterWindowsStart)
        return false;
    return !(s.Action == ActionKind::DefaultWindow || s.Action == ActionKind::ShutDown);
}

}  // namespace klaxora
