#include <gtest/gtest.h>

#include <functional>

#include "config/recent_list.h"
#include "config/start_alarm.h"
#include "fakes/memory_processes.h"
#include "fakes/memory_registry.h"

namespace klaxora {
namespace {

using testing::MemoryProcesses;
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
        MemoryProcesses processes;
        if (c.running)
            processes.Run(L"c:\\apps\\EDYTOR.EXE", 4242, c.running == 2);
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

TEST(StartWrites, SettingsThenTimesThenTheActionInOrder) {
    const StartPlan plan = PlanStart(MessageAlarm(), {});
    EXPECT_EQ(Describe(plan.writes),
              (Lines{L"LastRun=SZ:Odlicz w dół i uruchom", L"Repeat=DW:1", L"Repeat_Time=SZ:60",
                     L"LastAction=SZ:Komunikat", L"BrakNeta=DW:30", L"AppRun=SZ:C:\\a.exe",
                     L"AppRespondig=SZ:C:\\b.exe", L"AppClosed=SZ:C:\\c.exe",
                     L"push O_MRU 09:05:00", L"push ZA_MRU 00:05:00",
                     L"push Kom_Text_MRU Już czas !!!", L"push Kom_Caption_MRU UWAGA !!!"}));
}

TEST(StartWrites, EachActionWritesItsOwnValues) {
    struct Case {
        std::function<void(AlarmSettings&)> set;
        Lines tail;  // the writes after the two time lists
    };
    const Case cases[] = {
        {[](AlarmSettings& s) { s.Action = ActionKind::DefaultWindow; }, {}},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::PlaySound;
             s.SoundFile = L"C:\\s\\Budzik.mp3";
         },
         {L"push Sound_MRU C:\\s\\Budzik.mp3"}},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::RunProgram;
             s.ProgramPath = L"C:\\p.exe";
         },
         {L"push EXE_MRU C:\\p.exe"}},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::OpenFile;
             s.FilePath = L"C:\\f.txt";
         },
         {L"push Pliki_MRU C:\\f.txt"}},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::OpenFolder;
             s.FolderPath = L"C:\\Data";
         },
         {L"push Foldery_MRU C:\\Data"}},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::OpenWebPage;
             s.WebAddress = L"www.a.pl";
         },
         {L"push WWW_MRU www.a.pl"}},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::ShutDown;
             s.ShutdownMode = ShutdownKind::Restart;
         },
         {L"cb_Reboot=SZ:Uruchom ponownie (restart)"}},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::Other;
             s.OtherAction = OtherActionKind::DoubleClick;
             s.ClickX = 120;
             s.ClickY = 45;
         },
         {L"cb_Inne=SZ:Zasymuluj podwójne kliknięcie myszy", L"Inne_MRU\\x_DoubleClick=DW:120",
          L"Inne_MRU\\y_DoubleClick=DW:45"}},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::Other;
             s.OtherAction = OtherActionKind::SingleClick;
             s.ClickX = 7;
         },
         {L"cb_Inne=SZ:Zasymuluj pojedyncze kliknięcie myszy", L"Inne_MRU\\x_SingleClick=DW:7",
          L"Inne_MRU\\y_SingleClick=DW:0"}},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::Other;
             s.OtherAction = OtherActionKind::PressKeys;
             s.KeyCombination = L"Ctrl+Alt+Delete";
         },
         {L"cb_Inne=SZ:Zasymuluj wciśnięcie dowolnego klawisza(y)",
          L"Inne_MRU\\Klawisz=SZ:Ctrl+Alt+Delete"}},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::Other;
             s.OtherAction = OtherActionKind::CdTray;
             s.CdDrive = L"E";
             s.CdTrayOperation = L"WYSUŃ";
         },
         {L"cb_Inne=SZ:Wysuń/wsuń szufladę CD/DVD/Blu-Ray", L"Inne_MRU\\Dysk_CD=SZ:E",
          L"Inne_MRU\\Dysk_CD_Ws-Wy=SZ:WYSUŃ"}},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::Other;
             s.OtherAction = OtherActionKind::MonitorOff;
         },
         {L"cb_Inne=SZ:Wygaś monitor"}},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::KillProcess;
             s.ProcessName = L"notepad.exe";
             s.ProcessIdText = L"4242";
         },
         {L"ProcesName=SZ:notepad.exe"}},
        // A kill set up by the command line without a selected row stores no name.
        {[](AlarmSettings& s) {
             s.Action = ActionKind::KillProcess;
             s.ProcessChosen = true;
         },
         {}},
    };
    for (const Case& c : cases) {
        StartInput in = MessageAlarm();
        in.settings.Action.reset();
        c.set(in.settings);
        const Lines all = Describe(PlanStart(in, {}).writes);
        ASSERT_GE(all.size(), 10u);
        EXPECT_EQ(all[3], L"LastAction=SZ:" + std::wstring(Info(*in.settings.Action).caption));
        EXPECT_EQ(Lines(all.begin() + 10, all.end()), c.tail) << all[3];
    }
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
    const Lines expected{main + L"|LastRun",
                         main + L"|Repeat",
                         main + L"|Repeat_Time",
                         main + L"|LastAction",
                         main + L"|BrakNeta",
                         main + L"|AppRun",
                         main + L"|AppRespondig",
                         main + L"|AppClosed",
                         o + L"|",
                         o + L"|09:05:00",
                         za + L"|",
                         za + L"|00:05:00",
                         main + L"|cb_Inne",
                         InneMruKey() + L"|Dysk_CD",
                         InneMruKey() + L"|Dysk_CD_Ws-Wy"};
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

TEST(StartWatchState, ActionSetUp) {
    struct Case {
        std::function<void(AlarmSettings&)> set;
        std::wstring parameter;
        std::wstring detail;
    };
    const auto other = [](OtherActionKind kind, std::function<void(AlarmSettings&)> more = {}) {
        return [kind, more](AlarmSettings& s) {
            s.Action = ActionKind::Other;
            s.OtherAction = kind;
            if (more)
                more(s);
        };
    };
    const Case cases[] = {
        {[](AlarmSettings& s) { s.Action = ActionKind::DefaultWindow; }, L"", L""},
        {[](AlarmSettings& s) { s.Action = ActionKind::Message; }, L"UWAGA !!!\u00B6Już czas !!!",
         L""},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::PlaySound;
             s.SoundFile = L"C:\\x.wav";
         },
         L"C:\\x.wav", L""},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::ShutDown;
             s.ShutdownMode = ShutdownKind::MonitorOff;
         },
         L"Wygaś monitor", L""},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::RunProgram;
             s.ProgramPath = L"C:\\p.exe";
         },
         L"C:\\p.exe", L""},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::OpenFile;
             s.FilePath = L"C:\\f.txt";
         },
         L"C:\\f.txt", L""},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::OpenFolder;
             s.FolderPath = L"C:\\Data";
         },
         L"C:\\Data", L""},
        {[](AlarmSettings& s) {
             s.Action = ActionKind::OpenWebPage;
             s.WebAddress = L"http://a.pl";
         },
         L"http://a.pl", L""},
        {other(OtherActionKind::SingleClick,
               [](AlarmSettings& s) {
                   s.ClickX = 120;
                   s.ClickY = 45;
               }),
         L"Zasymuluj pojedyncze kliknięcie myszy", L"120;45"},
        {other(OtherActionKind::DoubleClick), L"Zasymuluj podwójne kliknięcie myszy", L"0;0"},
        {other(OtherActionKind::PressKeys, [](AlarmSettings& s) { s.KeyCombination = L"A"; }),
         L"Zasymuluj wciśnięcie dowolnego klawisza(y)", L"A"},
        {other(OtherActionKind::CdTray,
               [](AlarmSettings& s) {
                   s.CdDrive = L"E";
                   s.CdTrayOperation = L"WYSUŃ";
               }),
         L"Wysuń/wsuń szufladę CD/DVD/Blu-Ray", L"E;1"},
        {other(OtherActionKind::CdTray,
               [](AlarmSettings& s) {
                   s.CdDrive = L"D";
                   s.CdTrayOperation = L"wsuń";  // compared upper-cased
               }),
         L"Wysuń/wsuń szufladę CD/DVD/Blu-Ray", L"D;0"},
        {other(OtherActionKind::CdTray, [](AlarmSettings& s) { s.CdDrive = L"D"; }),
         L"Wysuń/wsuń szufladę CD/DVD/Blu-Ray", L""},
        {other(OtherActionKind::MaxVolume), L"Zwiększ głośność maksymalnie", L""},
        {other(OtherActionKind::BlockMouse), L"Zawieś działanie myszy", L""},
        // The click point stays out of a kill even when the sub-action list shows a click.
        {[](AlarmSettings& s) {
             s.Action = ActionKind::KillProcess;
             s.OtherAction = OtherActionKind::SingleClick;
             s.ClickX = 5;
             s.ProcessIdText = L"4242";
         },
         L"Zabij proces", L"4242"},
    };
    WatchState before;
    before.ActionDetail = L"stale";
    for (const Case& c : cases) {
        StartInput in = MessageAlarm();
        in.settings.Action.reset();
        c.set(in.settings);
        const WatchState w = PlanStart(in, before).watch;
        SCOPED_TRACE(c.parameter);
        EXPECT_EQ(w.ActionCaption, Info(*in.settings.Action).caption);
        EXPECT_EQ(w.ActionParameter, c.parameter);
        EXPECT_EQ(w.ActionDetail, c.detail);
    }
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
    const ActionEditors keys =
        EditorsOf(L"Inne możliwości", L"Zasymuluj wciśnięcie dowolnego klawisza(y)");
    EXPECT_EQ(keys.action, ActionKind::Other);
    EXPECT_EQ(keys.subAction, OtherActionKind::PressKeys);
    EXPECT_TRUE(keys.preview);
    EXPECT_FALSE(EditorsOf(L"Inne możliwości", L"Wygaś monitor").subAction.has_value());
    // A sub-action belongs only to "Other".
    EXPECT_FALSE(EditorsOf(L"Zabij proces", L"Wysuń/wsuń szufladę CD/DVD/Blu-Ray").subAction);
    EXPECT_FALSE(EditorsOf(L"Zabij proces", L"").preview);
    EXPECT_FALSE(EditorsOf(L"Odegraj dźwięk", L"").preview);
    EXPECT_TRUE(EditorsOf(L"Domyślne okno", L"").preview);
    EXPECT_FALSE(EditorsOf(L"komunikat", L"").action);  // the list's text, exactly

    const StopDecision idle = DecideStop(L"", L"Domyślne okno", L"");
    EXPECT_FALSE(idle.repeatBoxEnabled);
    EXPECT_EQ(idle.triggerEditors, TriggerKind::AfterWindowsStart);
    EXPECT_TRUE(idle.enableStart);
    const StopDecision countdown = DecideStop(L"Odlicz w dół i uruchom", L"Komunikat", L"");
    EXPECT_TRUE(countdown.repeatBoxEnabled);
    EXPECT_EQ(countdown.triggerEditors, TriggerKind::Countdown);
    EXPECT_FALSE(countdown.enableStart);
    EXPECT_EQ(countdown.actionEditors.action, ActionKind::Message);
    EXPECT_FALSE(DecideStop(L"Uruchom alarm o ...", L"Zamknij system/Wyłącz komputer", L"")
                     .repeatBoxEnabled);
}

}  // namespace
}  // namespace klaxora
