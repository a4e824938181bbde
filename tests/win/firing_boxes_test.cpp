// The boxes an alarm shows while it fires come over whatever the user is doing, and nothing the
// alarm must do waits behind them; a shutdown is announced by a countdown that can cancel it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "actions/alarm_plan.h"
#include "fakes/recording_system_ops.h"
#include "win/actions/alarm_executor.h"
#include "win/box_answerer.h"
#include "win/ui/message_box.h"

namespace klaxora::testing {
namespace {

struct NoKeys : KeyEventSink {
    void KeyEvent(uint8_t, bool, bool) override {}
};

struct Firing {
    RecordingSystemOps ops;
    NoKeys keys;
    std::vector<std::wstring> log;  // the steps that always run
    win::AlarmExecutorLinks links;
    Firing() {
        links.systemOperations = &ops;
        links.keys = &keys;
        links.setTrayEnabled = [this](bool on) { log.push_back(on ? L"icon on" : L"icon off"); };
        links.stop = [this] { log.push_back(L"stop"); };
    }
    bool Fire(const wchar_t* action, const wchar_t* parameter) {
        WatchState w;
        w.ActionCaption = action;
        w.ActionParameter = parameter;
        win::AlarmStepPerformer performer(links);
        return ExecuteAlarmAction(w, {}, performer);
    }
};

// The boxes shown, with their flags, in place of the system's.
std::vector<UINT> g_boxFlags;
int WINAPI RecordBox(HWND, LPCWSTR, LPCWSTR, UINT flags) {
    g_boxFlags.push_back(flags);
    return IDOK;
}

TEST(FiringBoxes, AFailureShowsOverEverythingOnceTheIconIsBackAndTheAlarmStopped) {
    Firing firing;
    firing.ops.refusal = L"Nie można znaleźć pliku.";
    g_boxFlags.clear();
    const win::MessageBoxCall system = win::ReplaceMessageBoxCall(&RecordBox);
    firing.links.stop = [&] {
        firing.log.push_back(L"stop, boxes: " + std::to_wstring(g_boxFlags.size()));
    };
    EXPECT_FALSE(firing.Fire(L"Uruchom program", L"C:\\brak.exe"));
    win::ReplaceMessageBoxCall(system);
    EXPECT_EQ(firing.log, (std::vector<std::wstring>{L"icon off", L"icon on", L"stop, boxes: 0"}));
    ASSERT_EQ(g_boxFlags.size(), 1u);
    EXPECT_EQ(g_boxFlags[0] & (MB_TOPMOST | MB_SETFOREGROUND), UINT{MB_TOPMOST | MB_SETFOREGROUND});
}

// "Anuluj", or a Stop while it counts down, ends the alarm with nothing done.
TEST(FiringBoxes, AShutdownCountsDownFirstAndOnlyGoesDownIfNotCancelledOrStopped) {
    const struct {
        int button;
        bool stillArmed, goesDown;
    } cases[] = {{IDNO, true, false}, {IDYES, true, true}, {IDYES, false, false}};
    for (const auto& c : cases) {
        Firing firing;
        firing.links.armed = [&] { return c.stillArmed; };
        BoxAnswerer answer(c.button);
        EXPECT_EQ(firing.Fire(L"Zamknij system/Wyłącz komputer", L"Wyloguj aktualnego użytkownika"),
                  c.goesDown);
        EXPECT_NE(answer.text.find(L"Wyloguj aktualnego użytkownika"), std::wstring::npos);
        const bool exited =
            std::any_of(firing.ops.calls.begin(), firing.ops.calls.end(),
                        [](const std::wstring& call) { return call.find(L"Exit") == 0; });
        EXPECT_EQ(exited, c.goesDown) << c.button << c.stillArmed;
        EXPECT_EQ(firing.log, (std::vector<std::wstring>{L"icon off", L"icon on", L"stop"}));
    }
}

}  // namespace
}  // namespace klaxora::testing
