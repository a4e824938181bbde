#include "config/start_alarm.h"

#include <limits>

#include "actions/system_actions.h"
#include "config/recent_list.h"
#include "util/text.h"

namespace klaxora {
namespace {

constexpr std::wstring_view kTriggerTail =
    L" zaalarmuje Cię w wybrany sposób zaraz po rozpoczęciu odliczania ponieważ spełniony "
    L"będzie warunek uruchamiający alarm.\r\rCzy mam kontynuować ???";

std::wstring Quoted(std::wstring_view title) {
    return L"\"" + std::wstring(title) + L"\"";
}

StartPrompt Ask(std::wstring text) {
    return {StartPrompt::Kind::Question, std::move(text)};
}

// The list texts as the window shows them: the caption of the chosen item, or empty.
template <class Kind>
std::wstring CaptionOf(const std::optional<Kind>& kind) {
    return kind ? std::wstring(Info(*kind).caption) : std::wstring();
}

uint32_t AsDword(int64_t value) {
    return static_cast<uint32_t>(static_cast<int32_t>(value));
}

int32_t ToInt32(int64_t value) {
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

class WriteList {
  public:
    void String(std::wstring_view key, std::wstring_view name, std::wstring_view text) {
        out.push_back({RegistryWrite::Kind::String, std::wstring(key), std::wstring(name),
                       std::wstring(text), 0});
    }
    void Dword(std::wstring_view key, std::wstring_view name, uint32_t number) {
        out.push_back(
            {RegistryWrite::Kind::Dword, std::wstring(key), std::wstring(name), L"", number});
    }
    void Push(std::wstring_view subkey, std::wstring_view entry) {
        out.push_back(
            {RegistryWrite::Kind::Push, std::wstring(subkey), L"", std::wstring(entry), 0});
    }
    std::vector<RegistryWrite> out;
};

void ActionWrites(const AlarmSettings& s, WriteList& w) {
    if (!s.Action)
        return;
    const std::wstring_view main = kSettingsKey;
    switch (*s.Action) {
        case ActionKind::DefaultWindow:
            break;
        case ActionKind::Message:
            w.Push(mru::kMessageText, s.MessageText);
            w.Push(mru::kMessageCaption, s.MessageCaption);
            break;
        case ActionKind::PlaySound:
            w.Push(mru::kSound, s.SoundFile);
            break;
        case ActionKind::RunProgram:
            w.Push(mru::kPrograms, s.ProgramPath);
            break;
        case ActionKind::OpenFile:
            w.Push(mru::kFiles, s.FilePath);
            break;
        case ActionKind::OpenFolder:
            w.Push(mru::kFolders, s.FolderPath);
            break;
        case ActionKind::OpenWebPage:
            w.Push(mru::kWeb, s.WebAddress);
            break;
        case ActionKind::ShutDown:
            w.String(main, settings::kReboot, CaptionOf(s.ShutdownMode));
            break;
        case ActionKind::Other: {
            w.String(main, settings::kInne, CaptionOf(s.OtherAction));
            if (!s.OtherAction)
                break;
            const std::wstring inne = InneMruKey();
            switch (*s.OtherAction) {
                case OtherActionKind::DoubleClick:
                    w.Dword(inne, settings::kXDoubleClick, AsDword(s.ClickX));
                    w.Dword(inne, settings::kYDoubleClick, AsDword(s.ClickY));
                    break;
                case OtherActionKind::SingleClick:
                    w.Dword(inne, settings::kXSingleClick, AsDword(s.ClickX));
                    w.Dword(inne, settings::kYSingleClick, AsDword(s.ClickY));
                    break;
                case OtherActionKind::PressKeys:
                    w.String(inne, settings::kKlawisz, s.KeyCombination);
                    break;
                case OtherActionKind::CdTray:
                    w.String(inne, settings::kDyskCd, s.CdDrive);
                    w.String(inne, settings::kDyskCdWsWy, s.CdTrayOperation);
                    break;
                default:
                    break;
            }
            break;
        }
        case ActionKind::KillProcess:
            if (!s.ProcessIdText.empty())
                w.String(main, settings::kProcesName, s.ProcessName);
            break;
    }
}

}  // namespace

const std::wstring& ProgramEditors::For(TriggerKind trigger) const {
    static const std::wstring kNone;
    switch (trigger) {
        case TriggerKind::ProgramStarted:
            return started;
        case TriggerKind::ProgramNotResponding:
            return notResponding;
        case TriggerKind::ProgramClosed:
            return closed;
        case TriggerKind::NoInternet:
        case TriggerKind::Countdown:
        case TriggerKind::AtTime:
        case TriggerKind::AfterWindowsStart:
            break;
    }
    return kNone;
}

std::wstring InneMruKey() {
    return std::wstring(kSettingsKey) + L"\\" + std::wstring(settings::kInneMru);
}

StartPrompt CheckStart(const AlarmSettings& s, ProcessWatchPort& processes,
                       std::wstring_view appTitle) {
    // Before any question: no answer could make the alarm press it.
    if (s.Action == ActionKind::Other && s.OtherAction == OtherActionKind::PressKeys &&
        IsReservedByWindows(s.KeyCombination))
        return {StartPrompt::Kind::Error, std::wstring(kReservedKeyRefusal)};
    const std::wstring title = Quoted(appTitle);
    switch (s.Trigger) {
        case TriggerKind::Countdown:
            if (s.CountdownTime == TimeFields{}) {
                return {StartPrompt::Kind::Error, std::wstring(start_texts::kCountdownZero)};
            }
            break;
        case TriggerKind::ProgramStarted:
            if (CheckProgram(processes, s.WatchedProgram, false).running) {
                return Ask(L"Wskazany program jest już uruchomiony, oznacza to że program " +
                           title + std::wstring(kTriggerTail));
            }
            break;
        case TriggerKind::ProgramNotResponding: {
            const ProgramCheck check = CheckProgram(processes, s.WatchedProgram, true);
            if (check.running && !check.responding) {
                return Ask(L"Wskazany program nie odpowiada, oznacza to że aplikacja " + title +
                           std::wstring(kTriggerTail));
            }
            if (!check.running) {
                return Ask(
                    L"Wskazany program nie jest uruchomiony, w związku z czym nie można "
                    L"stwierdzić czy przestał odpowiadać czy nadal działa co oznacza że warunki "
                    L"potrzebne na zaalarmowanie, na uruchomienie alarmu, mogą nie zostać "
                    L"spełnione - do momentu gdy program zostanie uruchomiony.\r\rCzy mimo tego "
                    L"chcesz uruchomić odliczanie - program " +
                    title +
                    L" będzie czekał na uruchomienie wskazanego programu oraz na moment kiedy "
                    L"program przestanie odpowiadać (jeżeli taki przypadek nastąpi) ???");
            }
            break;
        }
        case TriggerKind::ProgramClosed:
            if (!CheckProgram(processes, s.WatchedProgram, false).running) {
                return Ask(
                    L"Wskazany program nie jest uruchomiony (został już zamknięty lub nie został "
                    L"jeszcze uruchomiony), oznacza to że aplikacja " +
                    title + std::wstring(kTriggerTail));
            }
            break;
        default:
            break;
    }
    return {};
}

void FillTrigger(const AlarmSettings& s, WatchState& w) {
    w.TriggerCode = std::wstring(Info(s.Trigger).code);
    w.AtHour = w.AtMinute = w.AtSecond = 0;
    w.SecondsLeft = 100;
    switch (s.Trigger) {
        case TriggerKind::AtTime:
            w.AtHour = s.AtTime.hours;
            w.AtMinute = s.AtTime.minutes;
            w.AtSecond = s.AtTime.seconds;
            w.SecondsLeft = 0;
            break;
        case TriggerKind::Countdown:
            w.AtHour = s.CountdownTime.hours;
            w.AtMinute = s.CountdownTime.minutes;
            w.AtSecond = s.CountdownTime.seconds;
            w.SecondsLeft = ToInt32(CountdownSeconds(s.CountdownTime));
            break;
        case TriggerKind::NoInternet:
            w.SecondsLeft = ToInt32(s.NoInternetSeconds);
            break;
        case TriggerKind::ProgramStarted:
        case TriggerKind::ProgramNotResponding:
        case TriggerKind::ProgramClosed:
            w.WatchedProgramPath = s.WatchedProgram;
            break;
        case TriggerKind::AfterWindowsStart:
            break;
    }
}

void FillAction(const AlarmSettings& s, WatchState& w) {
    w.ActionCaption = CaptionOf(s.Action);
    w.ActionParameter.clear();
    w.ActionDetail.clear();
    if (!s.Action)
        return;
    switch (*s.Action) {
        case ActionKind::DefaultWindow:
            break;
        case ActionKind::Message:
            w.ActionParameter = s.MessageCaption + kMessageSeparator + s.MessageText;
            break;
        case ActionKind::PlaySound:
            w.ActionParameter = s.SoundFile;
            break;
        case ActionKind::ShutDown:
            w.ActionParameter = CaptionOf(s.ShutdownMode);
            break;
        case ActionKind::RunProgram:
            w.ActionParameter = s.ProgramPath;
            break;
        case ActionKind::OpenFile:
            w.ActionParameter = s.FilePath;
            break;
        case ActionKind::OpenFolder:
            w.ActionParameter = s.FolderPath;
            break;
        case ActionKind::OpenWebPage:
            w.ActionParameter = s.WebAddress;
            break;
        case ActionKind::Other:
            w.ActionParameter = CaptionOf(s.OtherAction);
            if (s.OtherAction == OtherActionKind::SingleClick ||
                s.OtherAction == OtherActionKind::DoubleClick) {
                w.ActionDetail = std::to_wstring(s.ClickX) + L";" + std::to_wstring(s.ClickY);
            } else if (s.OtherAction == OtherActionKind::PressKeys) {
                w.ActionDetail = s.KeyCombination;
            } else if (s.OtherAction == OtherActionKind::CdTray) {
                const std::wstring op = FoldUpper(s.CdTrayOperation);
                if (op == kCdTrayOpen)
                    w.ActionDetail = s.CdDrive + L";1";
                if (op == kCdTrayClose)
                    w.ActionDetail = s.CdDrive + L";0";
            }
            break;
        case ActionKind::KillProcess:
            w.ActionParameter = w.ActionCaption;
            w.ActionDetail = s.ProcessIdText;
            break;
    }
}

std::optional<int32_t> RepeatSecondsOf(const StartInput& in) {
    const AlarmSettings& s = in.settings;
    if (!s.RepeatEnabled || !in.repeatBoxEnabled || !in.repeatEditEnabled ||
        s.RepeatSecondsText.empty()) {
        return 0;
    }
    const std::optional<int32_t> seconds = ParseInteger(s.RepeatSecondsText);
    if (!seconds || *seconds < 0)
        return std::nullopt;
    return seconds;
}

StartPlan PlanStart(const StartInput& in, const WatchState& current) {
    const AlarmSettings& s = in.settings;
    StartPlan plan;
    WriteList w;
    const std::wstring_view main = kSettingsKey;
    w.String(main, settings::kLastRun, TriggerListText(s.Trigger));
    w.Dword(main, settings::kRepeat, s.RepeatEnabled ? 1 : 0);
    w.String(main, settings::kRepeatTime, s.RepeatSecondsText);
    w.String(main, settings::kLastAction, CaptionOf(s.Action));
    w.Dword(main, settings::kBrakNeta, AsDword(s.NoInternetSeconds));
    w.String(main, settings::kAppRun, in.programs.started);
    w.String(main, settings::kAppRespondig, in.programs.notResponding);
    w.String(main, settings::kAppClosed, in.programs.closed);
    w.Push(mru::kAtTime, FormatTimeText(s.AtTime));
    w.Push(mru::kCountdown, FormatTimeText(s.CountdownTime));
    ActionWrites(s, w);
    plan.writes = std::move(w.out);

    plan.watch = current;
    plan.watch.Armed = false;
    FillTrigger(s, plan.watch);
    FillAction(s, plan.watch);
    const std::optional<int32_t> repeat = RepeatSecondsOf(in);
    plan.watch.RepeatSeconds = repeat.value_or(0);
    if (!repeat)
        plan.repeatError = std::wstring(start_texts::kBadRepeat);
    return plan;
}

std::optional<std::wstring> RefuseUnstorable(std::span<const RegistryWrite> writes) {
    for (const RegistryWrite& write : writes) {
        if (write.kind == RegistryWrite::Kind::Push && write.text.size() > kMaxValueNameLength)
            return std::wstring(start_texts::kTooLong);
    }
    return std::nullopt;
}

std::optional<std::wstring> ApplyRegistryWrites(RegistryPort& registry,
                                                std::span<const RegistryWrite> writes) {
    try {
        std::unique_ptr<RegistryKey> open;
        std::wstring openPath;
        for (const RegistryWrite& write : writes) {
            if (write.kind == RegistryWrite::Kind::Push) {
                open.reset();  // a key is closed before the next one is opened
                openPath.clear();
                RecentList(registry, write.key).Push(write.text);
                continue;
            }
            if (!open || !EqualsNoCase(openPath, write.key)) {
                open.reset();
                open = registry.Open(write.key);
                openPath = write.key;
            }
            if (write.kind == RegistryWrite::Kind::String) {
                open->WriteString(write.name, write.text);
            } else {
                open->WriteDword(write.name, write.number);
            }
        }
    } catch (const UserError& error) {
        return error.Message();
    }
    return std::nullopt;
}

ActionEditors EditorsOf(std::wstring_view actionText, std::wstring_view otherText) {
    ActionEditors e;
    e.action = ActionByCaption(actionText);
    if (!e.action)
        return e;
    switch (*e.action) {
        case ActionKind::DefaultWindow:
        case ActionKind::Message:
        case ActionKind::RunProgram:
        case ActionKind::OpenFile:
        case ActionKind::OpenFolder:
        case ActionKind::OpenWebPage:
            e.preview = true;
            break;
        case ActionKind::Other: {
            e.preview = true;
            const std::optional<OtherActionKind> sub = OtherActionByCaption(otherText);
            if (sub && Info(*sub).subPanel != OtherSubPanel::None)
                e.subAction = sub;
            break;
        }
        case ActionKind::PlaySound:
        case ActionKind::ShutDown:
        case ActionKind::KillProcess:
            break;
    }
    return e;
}

StopDecision DecideStop(std::wstring_view triggerText, std::wstring_view actionText,
                        std::wstring_view otherText) {
    StopDecision d;
    d.repeatBoxEnabled = !EqualsNoCase(actionText, Info(ActionKind::ShutDown).caption) &&
                         !EqualsNoCase(actionText, Info(ActionKind::DefaultWindow).caption);
    d.triggerEditors = triggerText.empty() ? std::optional(TriggerKind::AfterWindowsStart)
                                           : TriggerByCaption(triggerText);
    d.enableStart = d.triggerEditors == TriggerKind::AfterWindowsStart;
    d.actionEditors = EditorsOf(actionText, otherText);
    return d;
}

}  // namespace klaxora
