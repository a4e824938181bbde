#include "cmdline/shortcut_arguments.h"

#include "cmdline/cmdline_texts.h"
#include "util/text.h"

namespace klaxora {
namespace {

std::wstring TimeParameter(std::wstring_view code, const TimeFields& time) {
    return std::wstring(code) + L": " + std::to_wstring(time.hours) + L":" +
           std::to_wstring(time.minutes) + L":" + std::to_wstring(time.seconds);
}

std::wstring TriggerParameter(const AlarmSettings& s) {
    const std::wstring_view code = Info(s.Trigger).code;
    switch (s.Trigger) {
        case TriggerKind::NoInternet:
            return std::wstring(code) + L": " + std::to_wstring(s.NoInternetSeconds);
        case TriggerKind::Countdown:
            return TimeParameter(code, s.CountdownTime);
        case TriggerKind::AtTime:
            return TimeParameter(code, s.AtTime);
        case TriggerKind::ProgramNotResponding:
        case TriggerKind::ProgramClosed:
        case TriggerKind::ProgramStarted:
            return std::wstring(code) + L": " + s.WatchedProgram;
        case TriggerKind::AfterWindowsStart:
            // Written as its code so that the reader finds a trigger; an empty first
            // parameter would be read as no trigger at all.
            return std::wstring(code) + L":";
    }
    return {};
}

void AddOtherData(const AlarmSettings& s, std::vector<std::wstring>& out) {
    out.push_back(s.OtherAction ? std::wstring(Info(*s.OtherAction).caption) : std::wstring());
    if (!s.OtherAction)
        return;
    switch (*s.OtherAction) {
        case OtherActionKind::CdTray:
            out.push_back(s.CdDrive);
            out.push_back(FoldUpper(s.CdTrayOperation));
            break;
        case OtherActionKind::DoubleClick:
        case OtherActionKind::SingleClick:
            out.push_back(L"X:" + std::to_wstring(s.ClickX));
            out.push_back(L"Y:" + std::to_wstring(s.ClickY));
            break;
        case OtherActionKind::PressKeys:
            out.push_back(s.KeyCombination);
            break;
        default:
            break;
    }
}

}  // namespace

std::vector<std::wstring> ShortcutParameters(const AlarmSettings& s,
                                             std::wstring_view killTargetPath) {
    std::vector<std::wstring> out{TriggerParameter(s)};
    if (!s.Action)
        return out;
    out.emplace_back(Info(*s.Action).caption);
    switch (*s.Action) {
        case ActionKind::DefaultWindow:
            break;
        case ActionKind::Message:
            out.push_back(s.MessageCaption + L"|" + s.MessageText);
            break;
        case ActionKind::PlaySound:
            out.push_back(s.SoundFile);
            break;
        case ActionKind::OpenFolder:
            out.push_back(s.FolderPath);
            break;
        case ActionKind::OpenFile:
            out.push_back(s.FilePath);
            break;
        case ActionKind::RunProgram:
            out.push_back(s.ProgramPath);
            break;
        case ActionKind::OpenWebPage:
            out.push_back(s.WebAddress);
            break;
        case ActionKind::ShutDown:
            out.push_back(s.ShutdownMode ? std::wstring(Info(*s.ShutdownMode).caption)
                                         : std::wstring());
            break;
        case ActionKind::Other:
            AddOtherData(s, out);
            break;
        case ActionKind::KillProcess:
            out.emplace_back(killTargetPath);
            break;
    }
    return out;
}

std::wstring ShortcutArguments(const AlarmSettings& settings, std::wstring_view killTargetPath) {
    std::wstring arguments;
    for (const std::wstring& parameter : ShortcutParameters(settings, killTargetPath)) {
        arguments += L" \"" + parameter + L"\"";
    }
    return arguments;
}

std::optional<std::wstring> ShortcutRefusal(const AlarmSettings& settings,
                                            std::wstring_view killTargetPath) {
    for (const std::wstring& parameter : ShortcutParameters(settings, killTargetPath)) {
        if (parameter.find(L'"') != std::wstring::npos)
            return std::wstring(cmdline::kRefuseQuote);
    }
    if (settings.Action == ActionKind::Message &&
        settings.MessageCaption.find(L'|') != std::wstring::npos) {
        return std::wstring(cmdline::kRefuseBarInCaption);
    }
    if (settings.Action == ActionKind::KillProcess && killTargetPath.empty()) {
        return std::wstring(cmdline::kRefuseNoProcessPath);
    }
    return std::nullopt;
}

}  // namespace klaxora
