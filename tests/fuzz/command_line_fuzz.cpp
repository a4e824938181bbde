// A command line anybody could type or put in a shortcut, split as the program splits it and
// read against a disk, a process list and CD drives set up from the fuzzer's bytes. The split
// keeps no quote and reads back the same once written out quoted; the reading never fails,
// keeps the list's length (a kill of a missing file drops entry 0), clamps what it fills to
// the editors and the screen, and a reading without any message, written out as a shortcut
// and read again, means the same when it could be started. From the other side, every
// definition the window could start and save as a shortcut reads back from that shortcut.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "actions/key_names.h"
#include "cmdline/cmdline_texts.h"
#include "cmdline/command_line_reader.h"
#include "cmdline/command_line_split.h"
#include "cmdline/shortcut_arguments.h"
#include "config/alarm_settings.h"
#include "config/time_text.h"
#include "fakes/memory_files.h"
#include "fakes/fake_processes.h"
#include "fuzz/fuzz_input.h"

namespace {

using namespace klaxora;

void Require(bool condition) {
    if (!condition)
        std::abort();
}

const std::wstring kProgram = L"C:\\Klaxora\\Klaxora.exe";

struct World {
    testing::MemoryFiles files;
    testing::FakeProcessWatch processes;
    uint32_t cdDrives = 0;  // bit n: drive 'A' + n is a CD drive

    CommandLineEnvironment Environment() {
        return CommandLineEnvironment{files, processes, [this](wchar_t letter) {
                                          return letter >= L'A' && letter <= L'Z' &&
                                                 (cdDrives >> (letter - L'A')) & 1;
                                      }};
    }
};

void CheckSplit(const std::wstring& line) {
    const std::vector<std::wstring> parts = SplitCommandLine(line);
    std::wstring quoted;
    for (const auto& part : parts) {
        Require(part.find(L'"') == std::wstring::npos);
        quoted += L" \"" + part + L"\"";
    }
    Require(SplitCommandLine(quoted) == parts);
}

void CheckReading(const CommandLineReading& r, size_t listSize) {
    Require(r.list.size() == listSize || r.list.size() + 1 == listSize);
    for (const auto& message : r.messages)
        Require(!message.text.empty() && !message.title.empty());
    Require(!r.filled.trigger || !r.watch.TriggerCode.empty());
    Require(r.watch.ActionCaption.empty() || r.filled.action);
    if (r.filled.countdownTime) {
        Require(ClampCountdown(r.settings.CountdownTime) == r.settings.CountdownTime);
    }
    if (r.filled.noInternetSeconds)
        Require(ClampSpin(r.settings.NoInternetSeconds, ranges::kNoInternetSeconds) ==
                r.settings.NoInternetSeconds);
    // An armed count-down never starts at zero or below.
    if (r.watch.TriggerCode == L"OD" && r.messages.empty())
        Require(r.watch.SecondsLeft > 0);
}

// A definition as the window could hold it (every editor within its range, every list on one
// of its items), its paths present on the disk.
AlarmSettings MakeSettings(fuzz::FuzzReader& in, World& world) {
    AlarmSettings s;
    const auto path = [&] {
        std::wstring p = in.Text(24);
        world.files.AddFile(p);
        world.files.AddDirectory(p);
        return p;
    };
    const auto number = [&](SpinRange range) {
        return ClampSpin(static_cast<int32_t>(in.Number()), range);
    };
    s.Trigger = Triggers()[in.Choice(Triggers().size())].kind;
    s.CountdownTime = ClampCountdown({static_cast<int32_t>(number(ranges::kCountdownHours)),
                                      static_cast<int32_t>(number(ranges::kCountdownMinutes)),
                                      static_cast<int32_t>(number(ranges::kCountdownSeconds))});
    s.AtTime = {static_cast<int32_t>(number(ranges::kAtHour)),
                static_cast<int32_t>(number(ranges::kAtMinute)),
                static_cast<int32_t>(number(ranges::kAtSecond))};
    s.NoInternetSeconds = number(ranges::kNoInternetSeconds);
    s.WatchedProgram = path() + L".exe";
    world.files.AddFile(s.WatchedProgram);
    s.Action = Actions()[in.Choice(Actions().size())].kind;
    s.MessageCaption = in.Text(16);
    s.MessageText = in.Text(16);
    s.SoundFile = path() + (in.Byte() & 1 ? L".wav" : L".mp3");
    world.files.AddFile(s.SoundFile);
    s.ShutdownMode = ShutdownKinds()[in.Choice(ShutdownKinds().size())].kind;
    s.ProgramPath = s.WatchedProgram;
    s.FilePath = path();
    s.FolderPath = path();
    s.WebAddress = in.Text(32);
    s.OtherAction = OtherActions()[in.Choice(OtherActions().size())].kind;
    s.KeyCombination = KeyNames()[in.Choice(KeyNames().size())];
    const wchar_t drive = static_cast<wchar_t>(L'A' + in.Choice(26));
    world.cdDrives |= 1u << (drive - L'A');
    s.CdDrive = std::wstring(1, drive);
    s.CdTrayOperation = std::wstring(in.Byte() & 1 ? kCdTrayOpen : kCdTrayClose);
    s.ClickX = static_cast<int32_t>(in.Number());
    s.ClickY = static_cast<int32_t>(in.Number());
    return s;
}

// Every definition the window lets start and save as a shortcut reads back from the shortcut
// without a message, as the same trigger and action.
void CheckShortcutReadsBack(const AlarmSettings& s, World& world) {
    if (s.Action == ActionKind::KillProcess || !TriggerComplete(s, world.files) ||
        CheckAction(s, world.files) != ActionVerdict::Complete || ShortcutRefusal(s, L""))
        return;
    std::vector<std::wstring> list = ShortcutParameters(s, L"");
    list.insert(list.begin(), kProgram);
    const CommandLineReading r = ReadCommandLine(list, WatchState{}, world.Environment());
    Require(r.messages.empty());
    Require(r.filled.trigger && r.settings.Trigger == s.Trigger);
    Require(r.filled.action && r.settings.Action == s.Action);
    Require(r.watch.TriggerCode == Info(s.Trigger).code);
    switch (s.Trigger) {
        case TriggerKind::Countdown:
            Require(r.settings.CountdownTime == s.CountdownTime);
            break;
        case TriggerKind::AtTime:
            Require(r.settings.AtTime == s.AtTime);
            break;
        case TriggerKind::NoInternet:
            Require(r.settings.NoInternetSeconds == s.NoInternetSeconds);
            break;
        case TriggerKind::AfterWindowsStart:
            break;
        default:
            Require(r.settings.WatchedProgram == s.WatchedProgram);
            break;
    }
    switch (*s.Action) {
        case ActionKind::Message:
            Require(r.settings.MessageCaption == s.MessageCaption &&
                    r.settings.MessageText == s.MessageText);
            break;
        case ActionKind::PlaySound:
            Require(r.settings.SoundFile == s.SoundFile);
            break;
        case ActionKind::OpenFolder:
            Require(r.settings.FolderPath == s.FolderPath);
            break;
        case ActionKind::OpenFile:
            Require(r.settings.FilePath == s.FilePath);
            break;
        case ActionKind::RunProgram:
            Require(r.settings.ProgramPath == s.ProgramPath);
            break;
        case ActionKind::OpenWebPage:
            Require(r.settings.WebAddress == s.WebAddress);
            break;
        case ActionKind::ShutDown:
            Require(r.settings.ShutdownMode == s.ShutdownMode);
            break;
        case ActionKind::Other:
            Require(r.settings.OtherAction == s.OtherAction);
            if (s.OtherAction == OtherActionKind::PressKeys)
                Require(r.settings.KeyCombination == s.KeyCombination);
            if (s.OtherAction == OtherActionKind::CdTray)
                Require(r.settings.CdDrive == s.CdDrive &&
                        r.settings.CdTrayOperation == s.CdTrayOperation);
            if (s.OtherAction == OtherActionKind::SingleClick ||
                s.OtherAction == OtherActionKind::DoubleClick)
                Require(r.settings.ClickX == s.ClickX && r.settings.ClickY == s.ClickY);
            break;
        default:
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzReader in(data, size);
    World world;
    const uint8_t exists = in.Byte();  // which parameters name a file, a folder, a process
    const uint8_t kinds = in.Byte();
    world.cdDrives = in.Number();
    if (kinds & 0x80) {  // from the window's side: a definition written out and read back
        CheckShortcutReadsBack(MakeSettings(in, world), world);
        return 0;
    }
    const std::wstring line = in.RestAsText();

    CheckSplit(line);
    std::vector<std::wstring> list = CommandLineListFor(line, kProgram);
    if (list.empty())
        return 0;
    for (size_t i = 1; i < list.size() && i < 8; ++i) {
        if (!((exists >> i) & 1))
            continue;
        // What a parameter names may exist, without its trigger code in front of it.
        std::wstring path = list[i];
        if (const size_t colon = path.find(L": "); colon != std::wstring::npos && colon <= 2)
            path.erase(0, colon + 2);
        if (kinds & 1)
            world.files.AddFile(path);
        if (kinds & 2)
            world.files.AddDirectory(path);
        if (kinds & 4)
            world.processes.Run(path, static_cast<ProcessId>(100 + i));
    }

    const size_t listSize = list.size();
    const CommandLineReading reading = ReadCommandLine(list, WatchState{}, world.Environment());
    CheckReading(reading, listSize);

    // A definition read to its end that could be started reads back from its own shortcut
    // as the same trigger, editors and action (an unknown key name, say, leaves the key list
    // without a selection, which the window does not let start).
    if (!reading.messages.empty() || !reading.filled.trigger ||
        reading.watch.ActionCaption.empty() || reading.settings.Action == ActionKind::KillProcess ||
        !TriggerComplete(reading.settings, world.files) ||
        CheckAction(reading.settings, world.files) != ActionVerdict::Complete)
        return 0;
    if (ShortcutRefusal(reading.settings, L""))
        return 0;
    std::vector<std::wstring> again = ShortcutParameters(reading.settings, L"");
    again.insert(again.begin(), kProgram);
    const CommandLineReading second = ReadCommandLine(again, WatchState{}, world.Environment());
    Require(second.watch.TriggerCode == reading.watch.TriggerCode);
    Require(second.watch.ActionCaption == reading.watch.ActionCaption);
    Require(second.watch.ActionParameter == reading.watch.ActionParameter);
    Require(second.watch.ActionDetail == reading.watch.ActionDetail);
    if (reading.filled.countdownTime)
        Require(second.settings.CountdownTime == reading.settings.CountdownTime);
    if (reading.filled.atTime)
        Require(second.watch.AtHour == reading.watch.AtHour &&
                second.watch.AtMinute == reading.watch.AtMinute &&
                second.watch.AtSecond == reading.watch.AtSecond);
    if (reading.filled.noInternetSeconds)
        Require(second.settings.NoInternetSeconds == reading.settings.NoInternetSeconds);
    return 0;
}
