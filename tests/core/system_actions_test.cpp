#include <gtest/gtest.h>

#include "actions/system_actions.h"
#include "fakes/recording_system_ops.h"

namespace klaxora::testing {
namespace {

using Calls = std::vector<std::wstring>;

Calls ShutDown(std::wstring_view caption) {
    RecordingSystemOps ops;
    ShutDownSystem(ops, caption);
    return ops.calls;
}

TEST(ShutDownSystem, EachCaptionMakesItsCallBetweenThePrivilegeSwitches) {
    const std::wstring on = L"SetTokenPrivilege SeShutdownPrivilege on";
    const std::wstring off = L"SetTokenPrivilege SeShutdownPrivilege off";
    EXPECT_EQ(ShutDown(L"Wyłącz komputer"), (Calls{on, L"ExitSystem 12", off}));
    EXPECT_EQ(ShutDown(L"Uruchom ponownie (restart)"), (Calls{on, L"ExitSystem 6", off}));
    EXPECT_EQ(ShutDown(L"Wyloguj aktualnego użytkownika"), (Calls{on, L"ExitSystem 4", off}));
    EXPECT_EQ(ShutDown(L"Zamknij system (Przejdź do DOS Win 9x i ME)"),
              (Calls{on, L"ExitSystem 5", off}));
    EXPECT_EQ(ShutDown(L"Przejdź w stan wstrzymania"),
              (Calls{on, L"EnterPowerState suspend force", off}));
    EXPECT_EQ(ShutDown(L"Przejdź w stan hibernacji"),
              (Calls{on, L"EnterPowerState hibernate force", off}));
    EXPECT_EQ(ShutDown(L"Wygaś monitor"), (Calls{on, L"SendMonitorOff", off}));
    // Captions are exact: another case or an unknown text shuts nothing down.
    EXPECT_EQ(ShutDown(L"wyłącz komputer"), (Calls{on, off}));
    EXPECT_EQ(ShutDown(L""), (Calls{on, off}));
}

TEST(ShutDownSystem, AFailedPowerStateLeavesThePrivilegeOnAndPropagates) {
    RecordingSystemOps ops;
    ops.failPowerState = true;
    EXPECT_THROW(ShutDownSystem(ops, L"Przejdź w stan hibernacji"), UserError);
    EXPECT_EQ(ops.calls, (Calls{L"SetTokenPrivilege SeShutdownPrivilege on",
                                L"EnterPowerState hibernate force"}));
}

Calls Other(std::wstring_view caption, std::wstring_view detail) {
    RecordingSystemOps ops;
    RecordingKeySink keys;
    PerformOtherAction(ops, keys, caption, detail, 77);
    Calls all = ops.calls;
    all.insert(all.end(), keys.events.begin(), keys.events.end());
    return all;
}

TEST(PerformOtherAction, EverySubActionReachesItsOperation) {
    EXPECT_EQ(Other(L"Wygaś monitor", L""), Calls{L"SendMonitorOff"});
    EXPECT_EQ(Other(L"Uruchom Panel Sterowania", L""), Calls{L"LaunchControlPanel"});
    EXPECT_EQ(Other(L"Uruchom eksplorator Windows", L""), Calls{L"LaunchExplorer #77"});
    EXPECT_EQ(Other(L"Uruchom domyślną przeglądarkę internetową", L""),
              Calls{L"LaunchDefaultBrowser #77"});
    EXPECT_EQ(Other(L"Minimalizuj wszystkie okna", L""), Calls{L"SendMinimizeAll"});
    EXPECT_EQ(Other(L"Zwiększ głośność maksymalnie", L""), Calls{L"SetMaxVolume"});
    EXPECT_EQ(Other(L"Uruchom wygaszacz ekranu", L""), Calls{L"SendScreenSaver #77"});
    EXPECT_EQ(Other(L"Zawieś działanie klawiatury", L""), Calls{L"DisableKeyboard 0"});
    EXPECT_EQ(Other(L"Zawieś działanie myszy", L""), Calls{L"DisableMouse 0"});
    EXPECT_EQ(Other(L"Zawieś działanie myszy i klawiatury", L""),
              (Calls{L"DisableMouse 0", L"DisableKeyboard 0"}));
    EXPECT_EQ(Other(L"Nieznana", L""), Calls{});
}

TEST(PerformOtherAction, ClicksTakeThePointFromTheDetail) {
    EXPECT_EQ(Other(L"Zasymuluj pojedyncze kliknięcie myszy", L"640;480"),
              Calls{L"ClickMouse 640,480 x1"});
    EXPECT_EQ(Other(L"Zasymuluj podwójne kliknięcie myszy", L"100;200"),
              Calls{L"ClickMouse 100,200 x2"});
    EXPECT_EQ(Other(L"Zasymuluj pojedyncze kliknięcie myszy", L"-5;0"),
              Calls{L"ClickMouse -5,0 x1"});
    // A detail that is no point clicks nowhere.
    EXPECT_EQ(Other(L"Zasymuluj pojedyncze kliknięcie myszy", L"640"), Calls{});
    EXPECT_EQ(Other(L"Zasymuluj podwójne kliknięcie myszy", L"a;1"), Calls{});
    EXPECT_EQ(Other(L"Zasymuluj podwójne kliknięcie myszy", L""), Calls{});
}

TEST(PerformOtherAction, CdTrayOpensOnlyForOne) {
    const std::wstring cd = L"Wysuń/wsuń szufladę CD/DVD/Blu-Ray";
    EXPECT_EQ(Other(cd, L"E;1"), Calls{L"OperateCdTray E open"});
    EXPECT_EQ(Other(cd, L"E;0"), Calls{L"OperateCdTray E close"});
    EXPECT_EQ(Other(cd, L"D"), Calls{L"OperateCdTray D close"});
    EXPECT_EQ(Other(cd, L""), Calls{});
    EXPECT_EQ(Other(cd, L";1"), Calls{});
}

TEST(PerformOtherAction, PressKeysSendsTheNamedStrokeButNeverCtrlAltDelete) {
    const std::wstring press = L"Zasymuluj wciśnięcie dowolnego klawisza(y)";
    EXPECT_EQ(Other(press, L"Ctrl+Alt+Insert"),
              (Calls{L"v11", L"v12", L"v2De", L"^2De", L"^12", L"^11"}));
    EXPECT_EQ(Other(press, L"?"), Calls{});
    EXPECT_THROW(Other(press, L"Ctrl+Alt+Delete"), UserError);
}

TEST(ApplyPreActions, WakeThenMinimiseThenCloseInThatOrder) {
    RecordingSystemOps ops;
    AppOptions options;
    options.Wyg_Off = options.MinimizeAll = options.MinimizeProg = true;
    ApplyPreActions(ops, options, [&] { ops.calls.push_back(L"close F_Alarm"); });
    EXPECT_EQ(ops.calls, (Calls{L"WakeDisplay", L"SendMinimizeAll", L"close F_Alarm"}));

    RecordingSystemOps none;
    ApplyPreActions(none, AppOptions{}, [&] { none.calls.push_back(L"close F_Alarm"); });
    EXPECT_TRUE(none.calls.empty());

    RecordingSystemOps only;
    AppOptions minimise;
    minimise.MinimizeAll = true;
    ApplyPreActions(only, minimise, nullptr);
    EXPECT_EQ(only.calls, Calls{L"SendMinimizeAll"});
}

}  // namespace
}  // namespace klaxora::testing
