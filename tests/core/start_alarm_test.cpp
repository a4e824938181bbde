#include <gtest/gtest.h>

#include "config/recent_list.h"
#include "config/start_alarm.h"
#include "fakes/fake_processes.h"
#include "fakes/memory_registry.h"

namespace klaxora {
namespace {

using testing::FakeProcessWatch;
using testing::MemoryRegistry;
using Lines = std::vector<std::wstring>;

constexpr std::wstring_view kProgram = L"C:\\Apps\\Edytor.exe";

// One write as a line: "Name=SZ:text", "Inne_MRU\Name=DW:1", "push ZA_MRU 00:05:00".
std::wstring Describe(const RegistryWrite& w) {
    if (w.kind == RegistryWrite::Kind::Push)
        return L"push " + w.key + L" " + w.text;
    std::wstring key = w.key == kSettingsKey ? L"" : w.key.substr(kSettingsKey.size() + 1) + L"\\";
    if (w.kind == RegistryWrite::Kind::Dword) {
        return key + w.name + L"=DW:" + std::to_wstring(w.number);
    }
    return key + w.name + L"=SZ:" + w.text;
}
Lines Describe(const std::vector<RegistryWrite>& writes) {
    Lines out;
    for (const auto& w : writes)
        out.push_back(Describe(w));
    return out;
}

// A count-down message alarm as a user would fill it in.
StartInput MessageAlarm() {
    StartInput in;
    AlarmSettings& s = in.settings;
    s.Trigger = TriggerKind::Countdown;
    s.CountdownTime = {0, 5, 0};
    s.AtTime = {9, 5, 0};
    s.NoInternetSeconds = 30;
    s.Action = ActionKind::Message;
    s.MessageText = L"Już czas !!!";
    s.MessageCaption = L"UWAGA !!!";
    s.RepeatEnabled = true;
    s.RepeatSecondsText = L"60";
    in.programs = {L"C:\\a.exe", L"C:\\b.exe", L"C:\\c.exe"};
    in.repeatBoxEnabled = in.repeatEditEnabled = true;
    return in;
}

TEST(StartChecks, EachTriggerAsksOrRefusesAsItShould) {
    const std::wstring tail =
        L" zaalarmuje Cię w wybrany sposób zaraz po rozpoczęciu odliczania ponieważ spełniony "
        L"będzie warunek uruchamiający alarm.\r\rCzy mam kontynuować ???";
    using K = StartPrompt::Kind;
    struct Case {
        TriggerKind trigger;
        TimeFields countdown;
        int running;  // 0: not running, 1: running, 2: running and hung
        K kind;
        std::wstring text;
    };
    const Case cases[] = {
        {TriggerKind::Countdown, {0, 0, 0}, 0, K::Error, L"Odliczany czas musi być większy od 0"},
        {TriggerKind::Countdown, {0, 0, 1}, 0, K::None, L""},
        {TriggerKind::Countdown, {0, 90, 0}, 0, K::None, L""},
        {TriggerKind::ProgramStarted,
         {},
         1,
         K::Question,
         L"Wskazany program jest już uruchomiony, oznacza to że program \"Klaxora\"" + tail},
        {TriggerKind::ProgramStarted, {}, 0, K::None, L""},
        {TriggerKind::ProgramNotResponding,
         {},
         2,
         K::Question,
         L"Wskazany program nie odpowiada, oznacza to że aplikacja \"Klaxora\"" + tail},
        {TriggerKind::ProgramNotResponding, {}, 1, K::None, L""},
        {TriggerKind::ProgramNotResponding,
         {},
         0,
         K::Question,
         L"Wskazany program nie jest uruchomiony, w związku z czym nie można stwierdzić czy "
         L"przestał odpowiadać czy nadal działa co oznacza że warunki potrzebne na "
         L"zaalarmowanie, na uruchomienie alarmu, mogą nie zostać spełnione - do momentu gdy "
         L"program zostanie uruchomiony.\r\rCzy mimo tego chcesz uruchomić odliczanie - program "
         L"\"Klaxora\" będzie czekał na uruchomienie wskazanego programu oraz na moment kiedy "
         L"program przestanie odpowiadać (jeżeli taki przypadek nastąpi) ???"},
        {TriggerKind::ProgramClosed,
         {},
         0,
         K::Question,
         L"Wskazany program nie jest uruchomiony (został już zamknięty lub nie został jeszcze "
         L"uruchomiony), oznacza to że aplikacja \"Klaxora\"" +
             tail},
        {TriggerKind::ProgramClosed, {}, 1, K::None, L""},
        // A count-down of 0 matters only for the count-down trigger.
        {TriggerKind::AtTime, {0, 0, 0}, 1, K::None, L""},
        {TriggerKind::AfterWindowsStart, {0, 0, 0}, 1, K::None, L""},
    };
    for (const Case& c : cases) {
        FakeProcessWatch processes;
        if (c.running) {
            processes.Run(L"c:\\apps\\EDYTOR.EXE", 4242, 0x500);
            if (c.running == 2)
                processes.hung.insert(0x500);
        }
        AlarmSettings s;
        s.Trigger = c.trigger;
        s.CountdownTime = c.countdown;
        s.WatchedProgram = kProgram;
        const StartPrompt prompt = CheckStart(s, processes, L"Klaxora");
        SCOPED_TRACE(std::wstring(Info(c.trigger).caption) + L" " + std::to_wstring(c.running));
        EXPECT_EQ(prompt.kind, c.kind);
        EXPECT_EQ(prompt.text, c.text);
    }
}

TEST(StartChecks, CtrlAltDeleteIsRefusedBeforeAnyQuestion) {
    FakeProcessWatch processes;
    processes.Run(L"c:\\apps\\EDYTOR.EXE", 4242, 0x500);  // a question otherwise
    AlarmSettings s;
    s.Trigger = TriggerKind::ProgramStarted;
    s.WatchedProgram = kProgram;
    s.Action = ActionKind::Other;
    const std::tuple<OtherActionKind, const wchar_t*, StartPrompt::Kind> cases[] = {
        {OtherActionKind::PressKeys, L"Ctrl+Alt+Delete", StartPrompt::Kind::Error},
        {OtherActionKind::PressKeys, L"Ctrl+Alt+Insert", StartPrompt::Kind::Question},
        {OtherActionKind::PressKeys, L"Shift+Delete", StartPrompt::Kind::Question},
        {OtherActionKind::SingleClick, L"Ctrl+Alt+Delete", StartPrompt::Kind::Question},
    };
    for (const auto& [subAction, key, kind] : cases) {
        s.OtherAction = subAction;
        s.KeyCombination = key;
        EXPECT_EQ(CheckStart(s, processes, L"Klaxora").kind, kind) << key;
    }
}

TEST(StartWrites, SettingsThenTimesThenTheActionInOrder) {
    const StartPlan plan = PlanStart(MessageAlarm(), {});
    EXPECT_EQ(Describe(plan.writes),
              (Lines{L"LastRun=SZ:Odlicz w dół i uruchom", L"Repeat=DW:1", L"Repeat_Time=SZ:60",
                     L"LastAction=SZ:Komunikat", L"BrakNeta=DW:30", L"AppRun=SZ:C:\\a.exe",
                     L"AppRespondig=SZ:C:\\b.exe", L"AppClosed=SZ:C:\\c.exe",
                     L"push O_MRU 09:05:00", L"push ZA_MRU 00:05:00",
                     L"push Kom_Text_MRU Już czas !!!", L"push Kom_Caption_MRU UWAGA !!!"}));
}

// Every field filled, so that each action shows which ones it takes.
StartInput FullAlarm() {
    StartInput in = MessageAlarm();
    AlarmSettings& s = in.settings;
    s.SoundFile = L"C:\\x.wav";
    s.ShutdownMode = ShutdownKind::Restart;
    s.ProgramPath = L"C:\\p.exe";
    s.FilePath = L"C:\\f.txt";
    s.FolderPath = L"C:\\Data";
    s.WebAddress = L"www.a.pl";
    s.ClickX = 120;
    s.ClickY = 45;
    s.KeyCombination = L"A";
    s.CdDrive = L"E";
    s.CdTrayOperation = L"WYSUŃ";
    s.ProcessName = L"notepad.exe";
    s.ProcessIdText = L"4242";
    return in;
}

TEST(StartByAction, WritesAndArmedActionOfEveryActionAndSubAction) {
    using A = ActionKind;
    using O = OtherActionKind;
    struct Case {
        A action;
        std::optional<O> sub;
        std::wstring parameter, detail;
        Lines tail;  // the writes after the two time lists
    };
    const std::wstring cd = L"Wysuń/wsuń szufladę CD/DVD/Blu-Ray";
    const Case cases[] = {
        {A::DefaultWindow, {}, L"", L"", {}},
        {A::Message,
         {},
         L"UWAGA !!!\u00B6Już czas !!!",
         L"",
         {L"push Kom_Text_MRU Już czas !!!", L"push Kom_Caption_MRU UWAGA !!!"}},
        {A::PlaySound, {}, L"C:\\x.wav", L"", {L"push Sound_MRU C:\\x.wav"}},
        {A::ShutDown,
         {},
         L"Uruchom ponownie (restart)",
         L"",
         {L"cb_Reboot=SZ:Uruchom ponownie (restart)"}},
        {A::RunProgram, {}, L"C:\\p.exe", L"", {L"push EXE_MRU C:\\p.exe"}},
        {A::OpenFile, {}, L"C:\\f.txt", L"", {L"push Pliki_MRU C:\\f.txt"}},
        {A::OpenFolder, {}, L"C:\\Data", L"", {L"push Foldery_MRU C:\\Data"}},
        {A::OpenWebPage, {}, L"www.a.pl", L"", {L"push WWW_MRU www.a.pl"}},
        {A::Other,
         O::DoubleClick,
         L"Zasymuluj podwójne kliknięcie myszy",
         L"120;45",
         {L"cb_Inne=SZ:Zasymuluj podwójne kliknięcie myszy", L"Inne_MRU\\x_DoubleClick=DW:120",
          L"Inne_MRU\\y_DoubleClick=DW:45"}},
        {A::Other,
         O::SingleClick,
         L"Zasymuluj pojedyncze kliknięcie myszy",
         L"120;45",
         {L"cb_Inne=SZ:Zasymuluj pojedyncze kliknięcie myszy", L"Inne_MRU\\x_SingleClick=DW:120",
          L"Inne_MRU\\y_SingleClick=DW:45"}},
        {A::Other,
         O::PressKeys,
         L"Zasymuluj wciśnięcie dowolnego klawisza(y)",
         L"A",
         {L"cb_Inne=SZ:Zasymuluj wciśnięcie dowolnego klawisza(y)", L"Inne_MRU\\Klawisz=SZ:A"}},
        {A::Other,
         O::CdTray,
         cd,
         L"E;1",
         {L"cb_Inne=SZ:" + cd, L"Inne_MRU\\Dysk_CD=SZ:E", L"Inne_MRU\\Dysk_CD_Ws-Wy=SZ:WYSUŃ"}},
        {A::Other, O::MonitorOff, L"Wygaś monitor", L"", {L"cb_Inne=SZ:Wygaś monitor"}},
        {A::Other,
         O::BlockMouse,
         L"Zawieś działanie myszy",
         L"",
         {L"cb_Inne=SZ:Zawieś działanie myszy"}},
        // The sub-action list's click point stays out of a kill.
        {A::KillProcess, O::SingleClick, L"Zabij proces", L"4242", {L"ProcesName=SZ:notepad.exe"}},
    };
    WatchState before;
    before.ActionDetail = L"stale";
    for (const Case& c : cases) {
        StartInput in = FullAlarm();
        in.settings.Action = c.action;
        in.settings.OtherAction = c.sub;
        const StartPlan plan = PlanStart(in, before);
        const Lines all = Describe(plan.writes);
        SCOPED_TRACE(c.parameter);
        ASSERT_GE(all.size(), 10u);
        EXPECT_EQ(all[3], L"LastAction=SZ:" + std::wstring(Info(c.action).caption));
        EXPECT_EQ(Lines(all.begin() + 10, all.end()), c.tail);
        EXPECT_EQ(plan.watch.ActionCaption, Info(c.action).caption);
        EXPECT_EQ(plan.watch.ActionParameter, c.parameter);
        EXPECT_EQ(plan.watch.ActionDetail, c.detail);
    }
}

TEST(StartByAction, TrayOperationAndKillWithoutARow) {
    StartInput in = FullAlarm();
    in.settings.Action = ActionKind::Other;
    in.settings.OtherAction = OtherActionKind::CdTray;
    in.settings.CdTrayOperation = L"wsuń";  // compared upper-cased
    EXPECT_EQ(PlanStart(in, {}).watch.ActionDetail, L"E;0");
    in.settings.CdTrayOperation.clear();
    EXPECT_EQ(PlanStart(in, {}).watch.ActionDetail, L"");
    // A kill the command line set up, with no row selected, stores no name.
    in.settings.Action = ActionKind::KillProcess;
    in.settings.ProcessName.clear();
    in.settings.ProcessIdText.clear();
    EXPECT_EQ(PlanStart(in, {}).writes.size(), 10u);
}

TEST(StartWrites, AnAfterWindowsStartAlarmStoresNoTriggerAndTimesStayAsTyped) {
    StartInput in = MessageAlarm();
    in.settings.Trigger = TriggerKind::AfterWindowsStart;
    in.settings.CountdownTime = {100, 90, 9};
    in.settings.RepeatEnabled = false;
    in.settings.RepeatSecondsText = L"abc";
    in.settings.MessageText.clear();
    const Lines all = Describe(PlanStart(in, {}).writes);
    EXPECT_EQ(all[0], L"LastRun=SZ:");
    EXPECT_EQ(all[1], L"Repeat=DW:0");
    EXPECT_EQ(all[2], L"Repeat_Time=SZ:abc");
    EXPECT_EQ(all[9], L"push ZA_MRU 100:90:09");
    EXPECT_EQ(all[10], L"push Kom_Text_MRU ");
}

TEST(StartWrites, AppliedThroughTheRegistryInOrder) {
    MemoryRegistry reg;
    StartInput in = MessageAlarm();
    in.settings.Action = ActionKind::Other;
    in.settings.OtherAction = OtherActionKind::CdTray;
    in.settings.CdDrive = L"E";
    in.settings.CdTrayOperation = L"WSUŃ";
    const StartPlan plan = PlanStart(in, {});
    EXPECT_FALSE(ApplyRegistryWrites(reg, plan.writes).has_value());
    const std::wstring main(kSettingsKey);
    const std::wstring o = RecentListKey(mru::kAtTime), za = RecentListKey(mru::kCountdown);
    Lines expected;
    for (auto name : {L"LastRun", L"Repeat", L"Repeat_Time", L"LastAction", L"BrakNeta", L"AppRun",
                      L"AppRespondig", L"AppClosed", L"*", L"*", L"*", L"*", L"cb_Inne"}) {
        expected.push_back(main + L"|" + name);
    }
    expected[8] = o + L"|";  // a push: the current entry, then the entry as a name
    expected[9] = o + L"|09:05:00";
    expected[10] = za + L"|";
    expected[11] = za + L"|00:05:00";
    expected.push_back(InneMruKey() + L"|Dysk_CD");
    expected.push_back(InneMruKey() + L"|Dysk_CD_Ws-Wy");
    EXPECT_EQ(reg.WriteLog(), expected);
    EXPECT_EQ(ReadRegistryInteger(reg, main, L"Repeat", 7), 1);
    EXPECT_EQ(ReadRegistryInteger(reg, main, L"BrakNeta", 7), 30);
    EXPECT_EQ(ReadRegistryString(reg, InneMruKey(), L"Dysk_CD_Ws-Wy", L""), L"WSUŃ");
    EXPECT_EQ(RecentList(reg, mru::kCountdown).Current(), L"00:05:00");
}

TEST(StartWrites, AFailedWriteStopsTheWritingAndIsReported) {
    MemoryRegistry reg;
    reg.FailWrites(true);
    const StartPlan plan = PlanStart(MessageAlarm(), {});
    EXPECT_EQ(ApplyRegistryWrites(reg, plan.writes),
              std::optional<std::wstring>(L"Odmowa dostępu"));
    EXPECT_TRUE(reg.WriteLog().empty());
    MemoryRegistry noKey;
    noKey.FailOpen(RecentListKey(mru::kCountdown));
    EXPECT_TRUE(ApplyRegistryWrites(noKey, plan.writes).has_value());
    EXPECT_EQ(noKey.WriteLog().size(), 10u);  // the settings and "O_MRU", nothing after
}

TEST(StartWrites, AnEntryLongerThanAValueNameIsRefusedBeforeAnyWrite) {
    for (const size_t length : {size_t{16383}, size_t{16384}}) {
        StartInput in = MessageAlarm();
        in.settings.MessageText.assign(length, L'x');
        EXPECT_EQ(RefuseUnstorable(PlanStart(in, {}).writes).has_value(), length > 16383);
    }
}

TEST(StartWatchState, TriggerSetUp) {
    WatchState before;
    before.WatchedProgramPath = L"C:\\old.exe";
    before.Armed = true;
    struct Case {
        TriggerKind trigger;
        std::wstring code;
        TimeFields fields;
        int32_t secondsLeft;
        std::wstring watched;
    };
    const Case cases[] = {
        {TriggerKind::AtTime, L"UG", {9, 5, 0}, 0, L"C:\\old.exe"},
        {TriggerKind::Countdown, L"OD", {0, 90, 10}, 5410, L"C:\\old.exe"},
        {TriggerKind::NoInternet, L"BI", {}, 30, L"C:\\old.exe"},
        {TriggerKind::ProgramStarted, L"PU", {}, 100, L"C:\\a.exe"},
        {TriggerKind::ProgramNotResponding, L"PO", {}, 100, L"C:\\b.exe"},
        {TriggerKind::ProgramClosed, L"PZ", {}, 100, L"C:\\c.exe"},
        {TriggerKind::AfterWindowsStart, L"PW", {}, 100, L"C:\\old.exe"},
    };
    for (const Case& c : cases) {
        StartInput in = MessageAlarm();
        in.settings.Trigger = c.trigger;
        in.settings.CountdownTime = {0, 90, 10};
        in.settings.WatchedProgram = in.programs.For(c.trigger);
        const WatchState w = PlanStart(in, before).watch;
        SCOPED_TRACE(c.code);
        EXPECT_EQ(w.TriggerCode, c.code);
        EXPECT_EQ((TimeFields{w.AtHour, w.AtMinute, w.AtSecond}), c.fields);
        EXPECT_EQ(w.SecondsLeft, c.secondsLeft);
        EXPECT_EQ(w.WatchedProgramPath, c.watched);
        EXPECT_FALSE(w.Armed);  // armed by the window, last
    }
    StartInput largest = MessageAlarm();
    largest.settings.CountdownTime = {100000, 999, 999};
    EXPECT_EQ(PlanStart(largest, {}).watch.SecondsLeft, 360060939);
}

TEST(StartRepeat, IntervalCountsOnlyWhenTickedEnabledAndConvertible) {
    struct Case {
        bool ticked, boxEnabled, editEnabled;
        std::wstring text;
        std::optional<int32_t> seconds;
    };
    const Case cases[] = {
        {true, true, true, L"60", 60},
        {true, true, true, L"", 0},  // an empty interval: no repeat, no message
        {false, true, true, L"60", 0},
        {true, false, true, L"60", 0},
        {true, true, false, L"60", 0},
        {true, true, true, L"999999999", 999999999},
        {true, true, true, L"12a", std::nullopt},
        {true, true, true, L"99999999999", std::nullopt},
        {true, true, true, L"-5", std::nullopt},  // a stored negative would never fire
    };
    for (const Case& c : cases) {
        StartInput in = MessageAlarm();
        in.settings.RepeatEnabled = c.ticked;
        in.settings.RepeatSecondsText = c.text;
        in.repeatBoxEnabled = c.boxEnabled;
        in.repeatEditEnabled = c.editEnabled;
        const StartPlan plan = PlanStart(in, {});
        SCOPED_TRACE(c.text);
        EXPECT_EQ(RepeatSecondsOf(in), c.seconds);
        EXPECT_EQ(plan.watch.RepeatSeconds, c.seconds.value_or(0));
        EXPECT_EQ(plan.repeatError.has_value(), !c.seconds.has_value());
        // The text goes to the registry as typed, checked or not.
        EXPECT_EQ(Describe(plan.writes[2]), L"Repeat_Time=SZ:" + c.text);
    }
    StartInput bad = MessageAlarm();
    bad.settings.RepeatSecondsText = L"x";
    EXPECT_EQ(*PlanStart(bad, {}).repeatError,
              L"Wpisany czas powtórki ma niepoprawny format tzn. nie jest liczbą całkowitą "
              L"!!!\r\rZostał ustawiony domyślny czas powtórki równy 0 czyli brak powtórki !!!");
}

TEST(StartStop, EditorsLockedAndUnlocked) {
    // The sub-action's own controls go with "Other" only, and only where it has some.
    EXPECT_EQ(
        EditorsOf(L"Inne możliwości", L"Zasymuluj wciśnięcie dowolnego klawisza(y)").subAction,
        OtherActionKind::PressKeys);
    EXPECT_FALSE(EditorsOf(L"Inne możliwości", L"Wygaś monitor").subAction);
    EXPECT_FALSE(EditorsOf(L"Zabij proces", L"Wysuń/wsuń szufladę CD/DVD/Blu-Ray").subAction);
    // Without a trigger the stop enables the start; the repeat box stays off for the default
    // window and for shutting down.
    const StopDecision idle = DecideStop(L"", L"Domyślne okno", L"");
    EXPECT_TRUE(idle.enableStart);
    EXPECT_FALSE(idle.repeatBoxEnabled);
    const StopDecision countdown = DecideStop(L"Odlicz w dół i uruchom", L"Komunikat", L"");
    EXPECT_EQ(countdown.triggerEditors, TriggerKind::Countdown);
    EXPECT_FALSE(countdown.enableStart);
    EXPECT_TRUE(countdown.repeatBoxEnabled);
    EXPECT_FALSE(DecideStop(L"", L"Zamknij system/Wyłącz komputer", L"").repeatBoxEnabled);
}

}  // namespace
}  // namespace klaxora
