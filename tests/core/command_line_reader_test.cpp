#include <gtest/gtest.h>

#include "cmdline/cmdline_texts.h"
#include "cmdline/command_line_reader.h"
#include "fakes/memory_files.h"
#include "fakes/fake_processes.h"

namespace klaxora::testing {
namespace {

namespace t = cmdline;
using Texts = std::vector<std::wstring>;

constexpr wchar_t kExe[] = L"C:\\Klaxora\\Klaxora.exe";

struct ReaderFixture : ::testing::Test {
    MemoryFiles files;
    FakeProcessWatch processes;
    CommandLineEnvironment env{files, processes, [](wchar_t d) { return d == L'E'; }};

    CommandLineReading Read(std::vector<std::wstring> parameters, const WatchState& watch = {}) {
        parameters.insert(parameters.begin(), kExe);
        return ReadCommandLine(std::move(parameters), watch, env);
    }
    static Texts MessageTexts(const CommandLineReading& r) {
        Texts texts;
        for (const auto& m : r.messages)
            texts.push_back(m.text);
        return texts;
    }
};

TEST_F(ReaderFixture, NoParametersDoNothing) {
    WatchState watch;
    watch.ActionCaption = L"Komunikat";
    const CommandLineReading r = ReadCommandLine({}, watch, env);
    EXPECT_TRUE(r.list.empty());
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.watch.ActionCaption, L"Komunikat");
    EXPECT_FALSE(r.filled.trigger);
}

struct TimeCase {
    std::wstring parameter;
    TriggerKind trigger;
    TimeFields edits;  // NoInternet: hours hold se_BrakNeta
    int32_t secondsLeft;
    Texts messages;
};

TEST_F(ReaderFixture, TimeTriggersFillTheirEditorsAndTheArmedTime) {
    const std::wstring range(t::kTimeOutOfRange);
    const TimeCase cases[] = {
        {L"OD: 90", TriggerKind::Countdown, {0, 1, 30}, 90, {}},
        {L"OD: 1:30", TriggerKind::Countdown, {1, 30, 0}, 5400, {}},
        {L"od:0:90:5", TriggerKind::Countdown, {0, 90, 5}, 5405, {}},
        {L"OD: 0:0:0", TriggerKind::Countdown, {0, 0, 0}, 0, {std::wstring(t::kZeroTime)}},
        {L"OD: 1:2:3:4", TriggerKind::Countdown, {0, 0, 0}, 0, {std::wstring(t::kBadTimeData)}},
        {L"OD: 1:x", TriggerKind::Countdown, {0, 0, 0}, 0, {std::wstring(t::kBadTimeData)}},
        // Beyond the editors: warned, then taken back from the clamped editors.
        {L"OD: 400000:0:0", TriggerKind::Countdown, {100000, 0, 0}, 360000000, {range}},
        {L"OD: 2147483647", TriggerKind::Countdown, {100000, 14, 7}, 360000847, {range}},
        {L"OD: -5", TriggerKind::Countdown, {0, 0, 0}, 0, {range, std::wstring(t::kZeroTime)}},
        {L"UG: 7:05", TriggerKind::AtTime, {7, 5, 0}, 0, {}},
        {L"UG: 25:00:00", TriggerKind::AtTime, {0, 0, 0}, 0, {std::wstring(t::kBadTimeFormat)}},
        {L"UG: 90", TriggerKind::AtTime, {0, 0, 0}, 0, {std::wstring(t::kBadTimeFormat)}},
        {L"BI: 0:5:0", TriggerKind::NoInternet, {300, 0, 0}, 300, {}},
        {L"BI: 0", TriggerKind::NoInternet, {0, 0, 0}, 0, {}},
        {L"BI: -5", TriggerKind::NoInternet, {2147483647, 0, 0}, 2147483647, {range}},
        // A sum beyond 32 bits waits as long as possible instead of wrapping round.
        {L"BI: 1000000:0:0", TriggerKind::NoInternet, {2147483647, 0, 0}, 2147483647, {range}},
        {L"BI: 5:", TriggerKind::NoInternet, {0, 0, 0}, 0, {std::wstring(t::kBadTimeData)}},
    };
    for (const TimeCase& c : cases) {
        SCOPED_TRACE(ToUtf8(c.parameter));
        WatchState before;
        before.SecondsLeft = -1;
        const CommandLineReading r = Read({c.parameter}, before);
        EXPECT_TRUE(r.filled.trigger);
        EXPECT_EQ(r.settings.Trigger, c.trigger);
        EXPECT_EQ(r.watch.TriggerCode, Info(c.trigger).code);
        EXPECT_EQ(MessageTexts(r), c.messages);
        if (c.trigger == TriggerKind::Countdown) {
            EXPECT_TRUE(r.filled.countdownTime);
            EXPECT_EQ(r.settings.CountdownTime, c.edits);
        } else if (c.trigger == TriggerKind::AtTime) {
            EXPECT_TRUE(r.filled.atTime);
            EXPECT_EQ(r.settings.AtTime, c.edits);
        } else {
            EXPECT_TRUE(r.filled.noInternetSeconds);
            EXPECT_EQ(r.settings.NoInternetSeconds, c.edits.hours);
        }
        // A malformed text leaves the armed time alone; every other outcome sets it.
        if (!c.messages.empty() && c.messages.back() == t::kBadTimeData) {
            EXPECT_EQ(r.watch.SecondsLeft, -1);
        } else {
            EXPECT_EQ(r.watch.SecondsLeft, c.secondsLeft);
        }
        for (const auto& m : r.messages) {
            EXPECT_EQ(m.title, m.text == range ? t::kWarningTitle : t::kErrorTitle);
        }
    }
}

struct TriggerSearchCase {
    std::vector<std::wstring> parameters;
    std::optional<TriggerKind> trigger;  // nothing: no trigger selected
    Texts messages;
};

TEST_F(ReaderFixture, TheTriggerIsTheFirstParameterCarryingAKnownCode) {
    files.AddFile(L"C:\\app.exe");
    const std::wstring noTrigger(t::kNoTrigger);
    const TriggerSearchCase cases[] = {
        {{L"PW:"}, TriggerKind::AfterWindowsStart, {}},
        {{L"pw: cokolwiek"}, TriggerKind::AfterWindowsStart, {}},
        {{L"", L"Domyślne okno", L"x", L"PU: C:\\app.exe"}, TriggerKind::ProgramStarted, {}},
        {{L"PO: C:\\app.exe"}, TriggerKind::ProgramNotResponding, {}},
        {{L"PZ:C:\\app.exe"}, TriggerKind::ProgramClosed, {}},
        {{L"Domyślne okno"}, std::nullopt, {noTrigger}},
        // A code inside another word names no trigger: refused, nothing is filled.
        {{L"XOD: 5", L"Domyślne okno"}, std::nullopt, {noTrigger}},
        {{L"OD:", L"Domyślne okno"}, std::nullopt, {std::wstring(t::kNoTriggerData)}},
        {{L"OD: "}, std::nullopt, {std::wstring(t::kNoTriggerData)}},
    };
    for (const TriggerSearchCase& c : cases) {
        SCOPED_TRACE(ToUtf8(c.parameters.front()));
        const CommandLineReading r = Read(c.parameters);
        EXPECT_EQ(MessageTexts(r), c.messages);
        EXPECT_EQ(r.filled.trigger, c.trigger.has_value());
        if (c.trigger) {
            EXPECT_EQ(r.settings.Trigger, *c.trigger);
            EXPECT_EQ(r.watch.TriggerCode, Info(*c.trigger).code);
        } else {
            EXPECT_FALSE(r.filled.action);
        }
    }
    // The program trigger's path is kept only when the file is there.
    const CommandLineReading found = Read({L"PU: C:\\app.exe"});
    EXPECT_TRUE(found.filled.watchedProgram);
    EXPECT_EQ(found.settings.WatchedProgram, L"C:\\app.exe");
}

TEST_F(ReaderFixture, AMissingWatchedProgramIsReportedAndTheActionStillRead) {
    const CommandLineReading r = Read({L"PZ: C:\\brak.exe", L"Domyślne okno"});
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0].text, t::kMissingProgram);
    EXPECT_EQ(r.messages[0].title, L"BŁAD !!!");
    EXPECT_EQ(r.messages[0].icon, MessageIcon::Error);
    EXPECT_FALSE(r.filled.watchedProgram);
    EXPECT_EQ(r.settings.Trigger, TriggerKind::ProgramClosed);
    EXPECT_EQ(r.watch.ActionCaption, L"Domyślne okno");
}

struct ActionCase {
    std::vector<std::wstring> parameters;  // after the trigger
    std::wstring caption, parameter, detail;
    Texts messages;
};

TEST_F(ReaderFixture, EachActionSetsItsArmedFieldsOrStopsWithItsMessage) {
    files.AddFile(L"C:\\a.WAV");
    files.AddFile(L"C:\\a.midi");
    files.AddFile(L"C:\\a.ogg");
    files.AddFile(L"C:\\p.EXE");
    files.AddFile(L"C:\\p.com");
    files.AddDirectory(L"C:\\");
    processes.Run(L"C:\\p.EXE", 4242);
    const std::wstring other(Info(ActionKind::Other).caption);
    const std::wstring keys(Info(OtherActionKind::PressKeys).caption);
    const std::wstring click(Info(OtherActionKind::SingleClick).caption);
    const std::wstring cd(Info(OtherActionKind::CdTray).caption);
    const std::wstring summary(t::kSummary);
    const std::wstring sep(1, kMessageSeparator);
    auto text = [](std::wstring_view v) { return std::wstring(v); };
    const ActionCase cases[] = {
        {{L"Domyślne okno"}, L"Domyślne okno", L"", L"", {}},
        {{L"komunikat", L"UWAGA !!!|Już czas !!!"},
         L"Komunikat",
         L"UWAGA !!!" + sep + L"Już czas !!!",
         L"",
         {}},
        {{L"Komunikat", L"Już czas"}, L"Komunikat", L"UWAGA !!!" + sep + L"Już czas", L"", {}},
        {{L"Komunikat", L"Hej|"}, L"Komunikat", L"Hej" + sep, L"", {}},
        {{L"Komunikat", L"|a|b"}, L"Komunikat", L"UWAGA !!!" + sep + L"a|b", L"", {}},
        {{L"Komunikat", L""}, L"", L"", L"", {}},
        {{L"Odegraj dźwięk", L"C:\\a.WAV"}, L"Odegraj dźwięk", L"C:\\a.WAV", L"", {}},
        {{L"Odegraj dźwięk", L"C:\\a.midi"}, L"Odegraj dźwięk", L"C:\\a.midi", L"", {}},
        {{L"Odegraj dźwięk", L"C:\\a.ogg"}, L"", L"", L"", {text(t::kBadExtension)}},
        {{L"Odegraj dźwięk", L"C:\\b.wav"}, L"", L"", L"", {text(t::kFileMissing)}},
        {{L"OTWÓRZ FOLDER", L"C:\\"}, L"Otwórz folder", L"C:\\", L"", {}},
        {{L"Otwórz folder", L"C:\\nie"}, L"", L"", L"", {text(t::kFolderMissing)}},
        {{L"Uruchom plik", L"C:\\nie"}, L"", L"", L"", {text(t::kFileMissing)}},
        {{L"Uruchom program", L"C:\\p.EXE"}, L"Uruchom program", L"C:\\p.EXE", L"", {}},
        {{L"Uruchom program", L"C:\\p.com"}, L"", L"", L"", {text(t::kBadExtension)}},
        {{L"Uruchom stronę WWW", L"http://x.pl"}, L"Uruchom stronę WWW", L"http://x.pl", L"", {}},
        {{L"Uruchom stronę WWW", L"HTTP://X.PL"}, L"", L"", L"", {text(t::kBadWebAddress)}},
        // The window starts an https address, so its shortcut must read back too.
        {{L"Uruchom stronę WWW", L"https://x.pl"}, L"Uruchom stronę WWW", L"https://x.pl", L"", {}},
        {{L"Uruchom stronę WWW", L"HTTPS://X.PL"}, L"", L"", L"", {text(t::kBadWebAddress)}},
        {{L"Zamknij system/Wyłącz komputer", L"wyłącz KOMPUTER"},
         L"Zamknij system/Wyłącz komputer",
         L"Wyłącz komputer",
         L"",
         {}},
        {{L"Zamknij system/Wyłącz komputer", L"Wyłącz"}, L"", L"", L"", {text(t::kBadShutdown)}},
        {{other, L"wygaś monitor"}, other, L"Wygaś monitor", L"", {}},
        {{other, L"Coś innego"}, L"", L"", L"", {text(t::kBadOtherAction)}},
        {{other, cd, L"e", L"wysuń"}, other, cd, L"E;1", {}},
        {{other, cd, L"F", L"wsuń"}, L"", L"", L"", {text(t::kNotCdDrive)}},
        {{other, cd, L"EE", L"wsuń"}, L"", L"", L"", {text(t::kBadCdDrive)}},
        {{other, cd, L"E", L""}, L"", L"", L"", {text(t::kBadCdOperation)}},
        {{other, cd, L"", L"wsuń"}, L"", L"", L"", {}},
        {{other, cd, L"E"}, L"", L"", L"", {}},
        // Kept as written: Start refuses a point on no monitor attached.
        {{other, click, L"X:5000", L"Y:10"}, other, click, L"5000;10", {}},
        {{other, click, L"x:-5", L"y:2000"}, other, click, L"-5;2000", {}},
        {{other, click, L"X:", L"Y:1"}, L"", L"", L"", {text(t::kBadX)}},
        {{other, click, L"X:a", L"Y:1"}, L"", L"", L"", {text(t::kBadX), summary}},
        {{other, click, L"X:1"}, L"", L"", L"", {text(t::kMissingY)}},
        {{other, click, L"X:1", L"10"}, L"", L"", L"", {text(t::kBadY)}},
        {{other, click, L"X:1", L"Y:b"}, L"", L"", L"", {text(t::kBadY), summary}},
        {{other, keys, L"A"}, other, keys, L"A", {}},
        {{other, keys, L"a"}, other, keys, L"a", {}},
        {{other, keys, L"ctrl+alt+strzałka W GÓRĘ"}, other, keys, L"", {}},
        {{other, keys, L"alt+strzałka W GÓRĘ"}, other, keys, L"Alt+Strzałka w górę", {}},
        {{other, keys, L""}, L"", L"", L"", {text(t::kBadKey)}},
        {{L"Zabij proces", L"C:\\p.exe"}, L"Zabij proces", L"Zabij proces", L"4242", {}},
        {{L"Zabij proces", L"C:\\p.com"},
         L"",
         L"",
         L"C:\\p.com",
         {text(t::kProcessNotRunning), summary}},
        {{L"Zabij proces", L"C:\\nie.exe"}, L"", L"", L"", {text(t::kFileMissing)}},
        {{L"Budzik"}, L"", L"", L"", {}},
    };
    WatchState before;
    before.ActionCaption = L"stare";
    before.ActionParameter = L"stare";
    before.ActionDetail = L"stare";
    before.WatchedProgramPath = L"C:\\w.exe";
    before.RepeatSeconds = 60;
    for (const ActionCase& c : cases) {
        std::vector<std::wstring> parameters{L"OD: 60"};
        parameters.insert(parameters.end(), c.parameters.begin(), c.parameters.end());
        SCOPED_TRACE(ToUtf8(parameters.back()));
        const CommandLineReading r = Read(parameters, before);
        EXPECT_EQ(r.watch.ActionCaption, c.caption);
        EXPECT_EQ(r.watch.ActionParameter, c.parameter);
        EXPECT_EQ(r.watch.ActionDetail, c.detail);
        EXPECT_EQ(MessageTexts(r), c.messages);
        EXPECT_EQ(r.watch.WatchedProgramPath, L"C:\\w.exe");
        EXPECT_EQ(r.watch.RepeatSeconds, 60);
        EXPECT_FALSE(r.watch.Armed);
        for (const auto& m : r.messages) {
            EXPECT_EQ(m.icon, m.text == summary ? MessageIcon::Warning : MessageIcon::Error);
            EXPECT_EQ(m.title, m.text == summary ? t::kWarningTitle : t::kErrorTitle);
        }
    }
}

TEST_F(ReaderFixture, ConsumedEntriesAreEmptiedAndAKillOfAMissingFileDropsTheFirst) {
    const std::wstring other(Info(ActionKind::Other).caption);
    const std::wstring click(Info(OtherActionKind::DoubleClick).caption);
    CommandLineReading r = Read({L"OD: 5", other, click, L"X:1", L"Y:2", L"reszta"});
    EXPECT_EQ(r.list, (std::vector<std::wstring>{kExe, L"", L"", L"", L"", L"", L"reszta"}));

    // A time that fails stops before the action: its entries stay.
    r = Read({L"OD: 0", L"Domyślne okno"});
    EXPECT_EQ(r.list, (std::vector<std::wstring>{kExe, L"", L"Domyślne okno"}));

    r = Read({L"OD: 5", L"Zabij proces", L"C:\\nie.exe"});
    EXPECT_EQ(r.list, (std::vector<std::wstring>{L"", L"", L""}));
}

}  // namespace
}  // namespace klaxora::testing
