// The clocks, the wake timer and the guarded process end against the real system, and the wake
// timer's exact calls through its function table.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/kill_guard.h"
#include "win/sys/clock_win.h"
#include "win/sys/due_timer_win.h"
#include "win/sys/file_system_win.h"
#include "win/sys/handles.h"
#include "win/sys/process_control_win.h"
#include "win/sys/wake_timer_win.h"

namespace klaxora::testing {
namespace {

template <typename F>
bool WaitFor(F condition, int ms) {
    for (int waited = 0; waited < ms; waited += 20) {
        if (condition())
            return true;
        Sleep(20);
    }
    return condition();
}

TEST(Win32Clock, MonotonicTimeAdvancesAndLocalTimeIsTheSystems) {
    win::Win32Clock clock;
    const ClockReading first = clock.Now();
    EXPECT_TRUE(WaitFor([&] { return clock.Now().monotonicMs >= first.monotonicMs + 100; }, 10000));
    SYSTEMTIME local{};
    GetLocalTime(&local);
    const int64_t difference =
        CivilSeconds(win::FromSystemTime(local)) - CivilSeconds(clock.Now().local);
    EXPECT_LE(difference < 0 ? -difference : difference, 2);
}

TEST(WakeTimer, SignalsWhenACountdownOrATimeOfDayIsDue) {
    win::WakeTimer timer;
    WakePlan plan;
    plan.kind = WakePlan::Kind::AfterMs;
    plan.afterMs = 200;
    ASSERT_TRUE(timer.Apply(plan));
    EXPECT_EQ(WaitForSingleObject(timer.Handle(), 10000), WAIT_OBJECT_0);

    // Two seconds ahead on the local clock, given as a time of day.
    SYSTEMTIME now{};
    GetLocalTime(&now);
    plan.kind = WakePlan::Kind::AtLocal;
    plan.at = FromCivilSeconds(CivilSeconds(win::FromSystemTime(now)) + 2);
    ASSERT_TRUE(timer.Apply(plan));
    EXPECT_EQ(WaitForSingleObject(timer.Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(WaitForSingleObject(timer.Handle(), 15000), WAIT_OBJECT_0);
}

std::vector<std::wstring> g_calls;
LONGLONG g_due = 0;
const HANDLE kTimer = reinterpret_cast<HANDLE>(0x5150);

HANDLE WINAPI FakeCreate(LPSECURITY_ATTRIBUTES, BOOL manualReset, LPCWSTR name) {
    g_calls.push_back(std::wstring(L"Create ") + (manualReset ? L"manual" : L"auto") +
                      (name ? L" named" : L""));
    // A real event stands for the timer so the handle owner can close it.
    return CreateEventW(nullptr, TRUE, FALSE, nullptr);
}
BOOL WINAPI FakeSet(HANDLE, const LARGE_INTEGER* due, LONG period, PTIMERAPCROUTINE routine, LPVOID,
                    BOOL resume) {
    g_due = due->QuadPart;
    g_calls.push_back(L"Set period " + std::to_wstring(period) + (routine ? L" apc" : L"") +
                      (resume ? L" resume" : L" no-resume"));
    return TRUE;
}
BOOL WINAPI FakeCancel(HANDLE) {
    g_calls.push_back(L"Cancel");
    return TRUE;
}
BOOL WINAPI FakeToUtc(const TIME_ZONE_INFORMATION* zone, const SYSTEMTIME* local,
                      LPSYSTEMTIME utc) {
    g_calls.push_back(std::wstring(L"ToUtc ") + (zone ? L"zone" : L"current") + L" " +
                      std::to_wstring(local->wHour) + L":" + std::to_wstring(local->wMinute));
    *utc = *local;
    utc->wHour = static_cast<WORD>((local->wHour + 23) % 24);  // one hour east of UTC
    return TRUE;
}

void WINAPI FakeNow(LPFILETIME now) {
    now->dwLowDateTime = 0x10000000;
    now->dwHighDateTime = 0x01DC0000;
}
constexpr LONGLONG kFakeNow = 0x01DC000010000000LL;

TEST(WakeTimer, ResumesTheSystemAtTheDueTimeAndCancelsWhenDisarmed) {
    static const win::WakeTimerApi api{&FakeCreate, &FakeSet, &FakeCancel, &FakeToUtc, &FakeNow};
    g_calls.clear();
    win::WakeTimer timer(api);
    WakePlan plan;
    plan.kind = WakePlan::Kind::AfterMs;
    plan.afterMs = 1500;
    EXPECT_TRUE(timer.Apply(plan));
    // Absolute (now plus the time left, in 100 ns), so time spent asleep counts.
    EXPECT_EQ(g_due, kFakeNow + 15000000LL);
    plan.afterMs = 0;  // already due: at once
    timer.Apply(plan);
    EXPECT_EQ(g_due, kFakeNow);

    plan.kind = WakePlan::Kind::AtLocal;
    plan.at = LocalDateTime{2026, 3, 15, 7, 15, 0, 0};
    timer.Apply(plan);
    SYSTEMTIME utc{2026, 3, 0, 15, 6, 15, 0, 0};
    FILETIME file{};
    SystemTimeToFileTime(&utc, &file);
    EXPECT_EQ(g_due,
              static_cast<LONGLONG>((ULONGLONG(file.dwHighDateTime) << 32) | file.dwLowDateTime));

    timer.Apply(WakePlan{});
    EXPECT_EQ(g_calls, (std::vector<std::wstring>{L"Create manual", L"Set period 0 resume",
                                                  L"Set period 0 resume", L"ToUtc current 7:15",
                                                  L"Set period 0 resume", L"Cancel"}));
}

TEST(DueTimer, PostsItsMessageAtTheMoment) {
    const HWND window =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    win::DueTimer timer;
    timer.Notify(window, WM_APP + 5);
    ASSERT_TRUE(timer.Aim(100));
    MSG msg{};
    for (int waited = 0; waited < 10000 && !PeekMessageW(&msg, window, 0, 0, PM_REMOVE);
         waited += 20)
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_POSTMESSAGE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP + 5));
    DestroyWindow(window);
}

// The due timer's calls; a refused high-resolution timer falls back to a normal one.
bool g_highResolutionRefused = false;
HANDLE WINAPI FakeCreateEx(LPSECURITY_ATTRIBUTES, LPCWSTR, DWORD flags, DWORD) {
    g_calls.push_back(L"Create " + std::to_wstring(flags));
    return flags && g_highResolutionRefused ? nullptr : CreateEventW(nullptr, TRUE, FALSE, nullptr);
}
int WINAPI FakeGetPriority(HANDLE) {
    return THREAD_PRIORITY_BELOW_NORMAL;
}
BOOL WINAPI FakeSetPriority(HANDLE, int priority) {
    g_calls.push_back(L"Priority " + std::to_wstring(priority));
    return TRUE;
}

TEST(DueTimer, HighResolutionWhereOfferedRelativeAndThePriorityPutBack) {
    static const win::DueTimerApi api{&FakeCreateEx, &FakeSet, &FakeCancel, &FakeGetPriority,
                                      &FakeSetPriority};
    for (const bool refused : {false, true}) {
        g_highResolutionRefused = refused;
        g_calls.clear();
        {
            win::DueTimer timer(api);
            timer.Cancel();  // never aimed: no call at all
            ASSERT_TRUE(timer.Aim(25) && timer.Aim(3));
            timer.Cancel();
        }
        // Relative (100 ns), no resume; the waiter raised once, the aiming thread till cancelled.
        EXPECT_EQ(g_due, -30000);
        std::vector<std::wstring> expected{L"Create 2",   L"Create 0",   L"Set period 0 no-resume",
                                           L"Priority 2", L"Priority 2", L"Set period 0 no-resume",
                                           L"Cancel",     L"Priority -1"};
        expected.erase(expected.begin() + (refused ? 2 : 1), expected.begin() + 2);
        EXPECT_EQ(g_calls, expected) << refused;
    }
}

// The watch helper, started for the test and ended whatever happens.
class Helper {
  public:
    Helper() {
        const std::wstring exe = win::Win32FileSystem().ExecutableDirectory() + L"watch_target.exe";
        path = exe;
        std::wstring command = L"\"" + exe + L"\" idle";
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &si, &pi)) {
            ADD_FAILURE() << "cannot start the helper";
            return;
        }
        process.Reset(pi.hProcess);
        CloseHandle(pi.hThread);
        id = pi.dwProcessId;
    }
    ~Helper() {
        if (process && Running()) {
            TerminateProcess(process.Get(), 0);
            WaitForSingleObject(process.Get(), 5000);
        }
    }
    bool Running() const { return WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT; }

    std::wstring path;
    DWORD id = 0;
    win::KernelHandle process;
};

TEST(KillProcess, EndsTheChosenProgramAndSparesAnyOther) {
    win::Win32ProcessControl control;
    Helper spared;
    ASSERT_TRUE(spared.Running());
    // The identifier now runs a program other than the one chosen: left alone.
    EXPECT_EQ(KillChosenProcess(control, std::to_wstring(spared.id), {L"C:\\Gry\\Gra.exe"}).result,
              KillResult::NothingToEnd);
    EXPECT_EQ(KillChosenProcess(control, std::to_wstring(spared.id), {L"watch_target2.exe"}).result,
              KillResult::NothingToEnd);
    EXPECT_TRUE(spared.Running());
    // Our own process is never ended.
    EXPECT_EQ(control.Open(GetCurrentProcessId()).process, nullptr);

    Helper chosen;
    EXPECT_EQ(KillChosenProcess(control, std::to_wstring(chosen.id), {chosen.path}).result,
              KillResult::Ended);
    EXPECT_EQ(WaitForSingleObject(chosen.process.Get(), 10000), WAIT_OBJECT_0);
    // Ended: nothing is left to end, and the other one still runs.
    EXPECT_EQ(KillChosenProcess(control, std::to_wstring(chosen.id), {chosen.path}).result,
              KillResult::NothingToEnd);
    EXPECT_TRUE(spared.Running());
}

}  // namespace
}  // namespace klaxora::testing
