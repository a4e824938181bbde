#include "cmdline/command_line_reader.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "actions/key_names.h"
#include "cmdline/cmdline_texts.h"
#include "config/time_text.h"
#include "util/text.h"

namespace klaxora {
namespace {

using namespace cmdline;

// Tested in this order; a parameter qualifies when it contains one anywhere.
constexpr std::array<std::wstring_view, 7> kCodeMarks{L"OD:", L"UG:", L"BI:", L"PO:",
                                                      L"PZ:", L"PU:", L"PW:"};

bool Contains(std::wstring_view text, std::wstring_view part) {
    return text.find(part) != std::wstring_view::npos;
}

void Say(CommandLineReading& r, std::wstring_view text, std::wstring_view title, MessageIcon icon) {
    r.messages.push_back({std::wstring(text), std::wstring(title), icon});
}
void Error(CommandLineReading& r, std::wstring_view text) {
    Say(r, text, kErrorTitle, MessageIcon::Error);
}

// The key list item a command-line key name selects. An exact match wins, so that "A" (with
// Shift) and "a" both come back as written; otherwise the first item equal without regard to
// letter case ("enter" selects "Enter"). Empty: no item.
std::wstring KeyItemFor(std::wstring_view name) {
    for (const std::wstring& item : KeyNames()) {
        if (item == name)
            return item;
    }
    for (const std::wstring& item : KeyNames()) {
        if (EqualsNoCase(item, name))
            return item;
    }
    return {};
}

class Reader {
  public:
    Reader(CommandLineReading& r, const CommandLineEnvironment& env) : r_(r), env_(env) {}

    void Run() {
        if (!ReadTrigger())
            return;
        if (!ReadAction())
            return;
        // Reached after a complete action and after the failures that go on to the summary.
        if (r_.watch.ActionCaption.empty() && r_.watch.ActionParameter.empty()) {
            Say(r_, kSummary, kWarningTitle, MessageIcon::Warning);
        }
    }

  private:
    CommandLineReading& r_;
    const CommandLineEnvironment& env_;

    // Entry n, emptied once read; nothing when the list is too short.
    std::optional<std::wstring> Take(size_t n) {
        if (r_.list.size() <= n)
            return std::nullopt;
        return std::exchange(r_.list[n], std::wstring());
    }
    std::optional<std::wstring> TakeNonEmpty(size_t n) {
        auto entry = Take(n);
        if (!entry || entry->empty())
            return std::nullopt;
        return entry;
    }

    void SetAction(std::wstring_view parameter, std::wstring_view detail = {}) {
        r_.watch.ActionCaption = std::wstring(Info(*r_.settings.Action).caption);
        r_.watch.ActionParameter = std::wstring(parameter);
        r_.watch.ActionDetail = std::wstring(detail);
    }

    // False: stop reading.
    bool ReadTrigger() {
        std::optional<size_t> found;
        for (size_t i = 0; i < r_.list.size() && !found; ++i) {
            if (r_.list[i].empty())
                continue;
            const std::wstring upper = AsciiUpper(r_.list[i]);
            for (std::wstring_view mark : kCodeMarks) {
                if (Contains(upper, mark)) {
                    found = i;
                    break;
                }
            }
        }
        if (!found) {
            Error(r_, kNoTrigger);
            return false;
        }
        const std::wstring entry = std::exchange(r_.list[*found], std::wstring());
        const size_t colon = entry.find(L':');
        const std::wstring code = entry.substr(0, colon);
        std::wstring data = entry.substr(colon + 1);
        if (!data.empty() && data.front() == L' ')
            data.erase(0, 1);

        // A parameter found only because a code stands inside it ("XOD: 5") names no trigger.
        // Going on would leave the trigger list empty, which is the after-Windows-start
        // trigger, so a mistyped shortcut could arm something other than what was meant:
        // it is refused as a missing trigger.
        const std::optional<TriggerKind> trigger = TriggerByCodeNoCase(code);
        if (!trigger) {
            Error(r_, kNoTrigger);
            return false;
        }
        if (*trigger != TriggerKind::AfterWindowsStart && data.empty()) {
            Error(r_, kNoTriggerData);
            return false;
        }
        r_.settings.Trigger = *trigger;
        r_.filled.trigger = true;
        r_.watch.TriggerCode = std::wstring(Info(*trigger).code);
        switch (*trigger) {
            case TriggerKind::Countdown:
            case TriggerKind::AtTime:
            case TriggerKind::NoInternet:
                return ParseTimeParameter(data, *trigger, r_);
            case TriggerKind::ProgramNotResponding:
            case TriggerKind::ProgramClosed:
            case TriggerKind::ProgramStarted:
                if (env_.files.FileExists(data)) {
                    r_.settings.WatchedProgram = data;
                    r_.filled.watchedProgram = true;
                } else {
                    Say(r_, kMissingProgram, kMissingProgramTitle, MessageIcon::Error);
                }
                return true;
            case TriggerKind::AfterWindowsStart:
                return true;
        }
        return true;
    }

    // False: stop reading (no summary).
    bool ReadAction() {
        if (r_.list.size() < 3 || r_.list[2].empty())
            return false;
        const std::optional<ActionKind> action = ActionByCaptionNoCase(*Take(2));
        if (!action)
            return false;
        r_.settings.Action = *action;
        r_.filled.action = true;
        if (*action == ActionKind::DefaultWindow) {
            SetAction({});
            return true;
        }
        const std::optional<std::wstring> data = TakeNonEmpty(3);
        if (!data)
            return false;
        const FileSystemPort& files = env_.files;
        AlarmSettings& s = r_.settings;
        switch (*action) {
            case ActionKind::DefaultWindow:
                return true;
            case ActionKind::Message: {
                const size_t bar = data->find(L'|');
                s.MessageCaption =
                    bar == std::wstring::npos ? std::wstring() : data->substr(0, bar);
                s.MessageText = bar == std::wstring::npos ? *data : data->substr(bar + 1);
                if (s.MessageCaption.empty())
                    s.MessageCaption = kDefaultMessageCaption;
                r_.filled.message = true;
                SetAction(s.MessageCaption + kMessageSeparator + s.MessageText);
                return true;
            }
            case ActionKind::PlaySound:
                if (!files.FileExists(*data))
                    return Fail(kFileMissing);
                // The same extensions the sound panel takes, so every sound that can be
                // started also comes back from its shortcut.
                if (!IsSoundExtension(*data))
                    return Fail(kBadExtension);
                s.SoundFile = *data;
                r_.filled.soundFile = true;
                SetAction(*data);
                return true;
            case ActionKind::OpenFolder:
                if (!files.DirectoryExists(*data))
                    return Fail(kFolderMissing);
                s.FolderPath = *data;
                r_.filled.folderPath = true;
                SetAction(*data);
                return true;
            case ActionKind::OpenFile:
                if (!files.FileExists(*data))
                    return Fail(kFileMissing);
                s.FilePath = *data;
                r_.filled.filePath = true;
                SetAction(*data);
                return true;
            case ActionKind::RunProgram:
                if (!files.FileExists(*data))
                    return Fail(kFileMissing);
                if (!EqualsNoCase(FileExtension(*data), L".exe"))
                    return Fail(kBadExtension);
                s.ProgramPath = *data;
                r_.filled.programPath = true;
                SetAction(*data);
                return true;
            case ActionKind::OpenWebPage:
                if (!IsWebActionAddress(*data))
                    return Fail(kBadWebAddress);
                s.WebAddress = *data;
                r_.filled.webAddress = true;
                SetAction(*data);
                return true;
            case ActionKind::ShutDown: {
                const std::optional<ShutdownKind> kind = ShutdownByCaptionNoCase(*data);
                if (!kind)
                    return Fail(kBadShutdown);
                s.ShutdownMode = *kind;
                r_.filled.shutdownMode = true;
                SetAction(Info(*kind).caption);
                return true;
            }
            case ActionKind::Other:
                return ReadOther(*data);
            case ActionKind::KillProcess:
                return ReadKill(*data);
        }
        return false;
    }

    bool Fail(std::wstring_view text) {
        Error(r_, text);
        return false;
    }

    bool ReadOther(const std::wstring& data) {
        const std::optional<OtherActionKind> kind = OtherActionByCaptionNoCase(data);
        if (!kind)
            return Fail(kBadOtherAction);
        AlarmSettings& s = r_.settings;
        s.OtherAction = *kind;
        r_.filled.otherAction = true;
        const std::wstring_view caption = Info(*kind).caption;
        switch (*kind) {
            case OtherActionKind::CdTray:
                return ReadCdTray(caption);
            case OtherActionKind::SingleClick:
            case OtherActionKind::DoubleClick:
                return ReadClick(caption);
            case OtherActionKind::PressKeys: {
                const std::optional<std::wstring> key = Take(4);
                if (!key)
                    return false;
                if (key->empty())
                    return Fail(kBadKey);
                s.KeyCombination = KeyItemFor(*key);
                r_.filled.keyCombination = true;
                SetAction(caption, s.KeyCombination);
                return true;
            }
            default:
                SetAction(caption);
                return true;
        }
    }

    bool ReadCdTray(std::wstring_view caption) {
        std::optional<std::wstring> drive = TakeNonEmpty(4);
        if (!drive)
            return false;
        if (drive->back() != L':')
            drive->push_back(L':');
        const std::wstring letter = FoldUpper(*drive);
        if (letter.size() > 2)
            return Fail(kBadCdDrive);
        if (letter.size() != 2 || !env_.isCdDrive || !env_.isCdDrive(letter[0])) {
            return Fail(kNotCdDrive);
        }
        const std::optional<std::wstring> operation = Take(5);
        if (!operation)
            return false;
        bool open;
        if (EqualsNoCase(*operation, L"Wsuń")) {
            open = false;
        } else if (EqualsNoCase(*operation, L"Wysuń")) {
            open = true;
        } else {
            return Fail(kBadCdOperation);
        }
        r_.settings.CdDrive = letter.substr(0, 1);
        r_.settings.CdTrayOperation = std::wstring(open ? kCdTrayOpen : kCdTrayClose);
        r_.filled.cdTray = true;
        SetAction(caption, r_.settings.CdDrive + (open ? L";1" : L";0"));
        return true;
    }

    // A coordinate entry "X:<n>" / "Y:<n>". Nothing when it is malformed; `number` tells
    // whether the shape was right but the number was not.
    static std::optional<int32_t> Coordinate(const std::wstring& entry, std::wstring_view mark,
                                             bool& shapeOk) {
        const std::wstring upper = FoldUpper(entry);
        shapeOk = upper.size() > 2 && Contains(upper, mark);
        if (!shapeOk)
            return std::nullopt;
        return ParseInteger(std::wstring_view(upper).substr(2));
    }

    bool ReadClick(std::wstring_view caption) {
        const std::optional<std::wstring> xEntry = Take(4);
        if (!xEntry)
            return false;
        bool shapeOk = false;
        const std::optional<int32_t> x = Coordinate(*xEntry, L"X:", shapeOk);
        if (!shapeOk)
            return Fail(kBadX);
        if (!x) {
            Error(r_, kBadX);
            return true;  // on to the summary
        }
        if (r_.list.size() < 6)
            return Fail(kMissingY);
        const std::wstring yEntry = *Take(5);
        const std::optional<int32_t> y = Coordinate(yEntry, L"Y:", shapeOk);
        if (!shapeOk)
            return Fail(kBadY);
        if (!y) {
            Error(r_, kBadY);
            return true;
        }
        // Kept as written, negative ones included: a point on a monitor not attached here is
        // refused at Start, not moved onto another monitor.
        r_.settings.ClickX = *x;
        r_.settings.ClickY = *y;
        r_.filled.clickPoint = true;
        SetAction(caption,
                  std::to_wstring(r_.settings.ClickX) + L";" + std::to_wstring(r_.settings.ClickY));
        return true;
    }

    bool ReadKill(const std::wstring& path) {
        if (!env_.files.FileExists(path)) {
            Error(r_, kFileMissing);
            r_.list.erase(r_.list.begin());
            return false;
        }
        const ProgramCheck check = CheckProgram(env_.processes, path, false);
        if (check.running) {
            const std::wstring_view caption = Info(ActionKind::KillProcess).caption;
            SetAction(caption, std::to_wstring(check.id));
            r_.selectProcess = check.id;
            r_.settings.ProcessChosen = true;
        } else {
            r_.watch.ActionDetail = path;
            Error(r_, kProcessNotRunning);
        }
        return true;
    }
};

}  // namespace

bool ParseTimeParameter(std::wstring_view text, TriggerKind trigger, CommandLineReading& r) {
    // H, M and S from the text: seconds alone, H:M, or H:M:S.
    size_t colons = 0;
    for (wchar_t c : text)
        colons += c == L':';
    std::optional<int32_t> h, m, s;
    if (colons == 0) {
        if (const std::optional<int32_t> n = ParseInteger(text)) {
            h = *n / 3600;
            m = (*n % 3600) / 60;
            s = *n % 60;
        }
    } else if (colons <= 2) {
        const size_t first = text.find(L':');
        h = ParseInteger(text.substr(0, first));
        std::wstring_view rest = text.substr(first + 1);
        const size_t second = rest.find(L':');
        m = ParseInteger(rest.substr(0, second));
        s = colons == 1 ? std::optional<int32_t>(0) : ParseInteger(rest.substr(second + 1));
    }

    AlarmSettings& settings = r.settings;
    WatchState& watch = r.watch;
    if (!h || !m || !s) {
        switch (trigger) {
            case TriggerKind::Countdown:
                settings.CountdownTime = {};
                r.filled.countdownTime = true;
                break;
            case TriggerKind::AtTime:
                settings.AtTime = {};
                r.filled.atTime = true;
                break;
            default:
                settings.NoInternetSeconds = 0;
                r.filled.noInternetSeconds = true;
                break;
        }
        Error(r, cmdline::kBadTimeData);
        return false;
    }
    const int64_t total = int64_t(*h) * 3600 + int64_t(*m) * 60 + *s;
    const auto warnRange = [&r] {
        Say(r, cmdline::kTimeOutOfRange, cmdline::kWarningTitle, MessageIcon::Warning);
    };

    switch (trigger) {
        case TriggerKind::AtTime: {
            // The split is always made at ":", so the time is checked with that separator
            // whatever the user's locale: a shortcut reads back the same on every machine.
            // A valid time of day has its fields within the editors' ranges.
            if (!ParseAtTimeText(text, L":")) {
                watch.AtHour = watch.AtMinute = watch.AtSecond = watch.SecondsLeft = 0;
                settings.AtTime = {};
                r.filled.atTime = true;
                Error(r, cmdline::kBadTimeFormat);
                return false;
            }
            settings.AtTime = {*h, *m, *s};
            r.filled.atTime = true;
            watch.AtHour = *h;
            watch.AtMinute = *m;
            watch.AtSecond = *s;
            watch.SecondsLeft = 0;
            return true;
        }
        case TriggerKind::Countdown: {
            const TimeFields edits = ClampCountdown({*h, *m, *s});
            settings.CountdownTime = edits;
            r.filled.countdownTime = true;
            watch.AtHour = *h;
            watch.AtMinute = *m;
            watch.AtSecond = *s;
            int64_t seconds = total;
            // 100000 h 59 min 59 s for seconds alone, 100000 h 999 min 999 s otherwise.
            const int64_t limit = colons == 0 ? 360003599 : 360060939;
            if (seconds < 0 || seconds > limit) {
                warnRange();
                watch.AtHour = edits.hours;
                watch.AtMinute = edits.minutes;
                watch.AtSecond = edits.seconds;
                seconds = CountdownSeconds(edits);
            }
            watch.SecondsLeft = static_cast<int32_t>(seconds);
            if (watch.SecondsLeft == 0) {
                Error(r, cmdline::kZeroTime);
                return false;
            }
            return true;
        }
        default: {  // NoInternet
            watch.AtHour = *h;
            watch.AtMinute = *m;
            watch.AtSecond = *s;
            constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
            // Negative seconds alone, or a sum beyond 32 bits, wait as long as possible.
            if ((colons == 0 && total < 0) || total > kMax) {
                warnRange();
                watch.SecondsLeft = static_cast<int32_t>(kMax);
            } else {
                watch.SecondsLeft = static_cast<int32_t>(total);
            }
            settings.NoInternetSeconds = ClampSpin(watch.SecondsLeft, ranges::kNoInternetSeconds);
            r.filled.noInternetSeconds = true;
            return true;
        }
    }
}

CommandLineReading ReadCommandLine(std::vector<std::wstring> list, const WatchState& watch,
                                   const CommandLineEnvironment& environment) {
    CommandLineReading reading;
    reading.list = std::move(list);
    reading.watch = watch;
    if (reading.list.empty())
        return reading;
    reading.watch.ActionCaption.clear();
    reading.watch.ActionParameter.clear();
    reading.watch.ActionDetail.clear();
    Reader(reading, environment).Run();
    return reading;
}

}  // namespace klaxora
