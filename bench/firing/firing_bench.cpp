// Firing accuracy of the watch loop against a loop that counts timer ticks, armed in turn in one
// process while other processes load the machine; then the processor time
// of one look per trigger, and how often the idle program is woken. Prints figures only.
//
//   firing_bench.exe WATCH_TARGET_EXE [rounds] [loaders]
//   firing_bench.exe --spin                       (a loader: spins until ended)
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/watch_loop.h"
#include "win/actions/popup_window.h"
#include "win/app/main_window.h"
#include "win/config/alarm_window.h"
#include "win/sys/clock_win.h"
#include "../now_ms.h"

using namespace klaxora;

namespace {

constexpr const wchar_t* kWatchTitle = L"Klaxora bench";
constexpr const wchar_t* kTickTitle = L"Liczone takty";
constexpr UINT kArmCounter = WM_APP + 1;
constexpr UINT kBoxNow = WM_APP + 2;  // calibration: a box shown at once

// The loop the program once had: every tick counts one second, and a time of day fires only
// when a tick falls into its very second.
struct TickCounter {
    std::wstring code;
    int left = 0;
    int h = 0, m = 0, s = 0;
    bool armed = false;
};
TickCounter g_counter;
// What the tick-counting loop does when it fires: the program's own action, so that both loops
// are measured with the same box and differ only in when they wake.
std::function<void()> g_fireTick;

LRESULT CALLBACK CounterProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kArmCounter) {
        g_counter.armed = true;
        SetTimer(hwnd, 1, 1000, nullptr);
        return 0;
    }
    if (msg == kBoxNow) {
        MessageBoxW(nullptr, L"takt", kTickTitle, MB_OK | MB_TOPMOST);
        return 0;
    }
    if (msg == WM_TIMER && g_counter.armed) {
        bool fire = false;
        if (g_counter.code == L"OD") {
            fire = --g_counter.left == 0;
        } else {
            SYSTEMTIME t;
            GetLocalTime(&t);
            fire = t.wHour == g_counter.h && t.wMinute == g_counter.m && t.wSecond == g_counter.s;
        }
        if (fire) {
            g_counter.armed = false;
            KillTimer(hwnd, 1);
            g_fireTick();
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The tick counter's window lives on the program's thread, as the old loop did; the plain box
// of the calibration is shown from a thread of its own.
std::atomic<HWND> g_counterWindow{nullptr}, g_boxWindow{nullptr};

HWND MakeCounterWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = CounterProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TickCounterBench";
    RegisterClassW(&wc);  // the second call finds the class made
    return CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

void BoxThread() {
    g_boxWindow = MakeCounterWindow();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
}

// Sees the boxes appear from another thread, as a user would, and closes them.
std::atomic<double> g_watchSeen{0}, g_tickSeen{0};
std::atomic<bool> g_observe{true};

void ObserverThread() {
    while (g_observe) {
        for (auto [title, seen] :
             {std::pair{kWatchTitle, &g_watchSeen}, {kTickTitle, &g_tickSeen}}) {
            if (const HWND box = FindWindowW(L"#32770", title); box && IsWindowVisible(box)) {
                if (*seen == 0)
                    *seen = NowMs();
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }
        }
        // Any other box (an abort, say) is answered too, so the run never waits on it. A box
        // without a title yet is still being made: it is looked at again next time round.
        if (const HWND box = FindWindowW(L"#32770", nullptr); box && IsWindowVisible(box)) {
            wchar_t title[64] = {};
            GetWindowTextW(box, title, 64);
            if (title[0] && lstrcmpW(title, kWatchTitle) != 0 && lstrcmpW(title, kTickTitle) != 0) {
                std::printf("  (answered an unexpected box \"%ls\")\n", title);
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }
        }
        Sleep(1);
    }
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

template <typename Done>
bool PumpUntil(Done done, double timeoutMs) {
    const double end = NowMs() + timeoutMs;
    while (!done()) {
        const double left = end - NowMs();
        if (left <= 0)
            return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min(left, 50.0)),
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        Pump();
    }
    return true;
}

struct Figures {
    std::vector<double> errors;
    int missed = 0;
};

// Prints the figures; returns the p99 (0 when every firing was missed).
double Print(const char* name, Figures f) {
    std::sort(f.errors.begin(), f.errors.end());
    if (f.errors.empty()) {
        std::printf("  %-34s all %d missed\n", name, f.missed);
        return 0;
    }
    auto at = [&](double q) {
        const size_t i = std::min(f.errors.size() - 1,
                                  static_cast<size_t>(q * static_cast<double>(f.errors.size())));
        return f.errors[i];
    };
    std::printf("  %-34s median %7.1f  p99 %7.1f  max %7.1f ms   (n=%zu, missed %d)\n", name,
                at(0.5), at(0.99), f.errors.back(), f.errors.size(), f.missed);
    return at(0.99);
}

struct Child {
    PROCESS_INFORMATION pi{};
    explicit Child(std::wstring command) {
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                       &pi);
    }
    ~Child() {
        if (pi.hProcess) {
            TerminateProcess(pi.hProcess, 0);
            WaitForSingleObject(pi.hProcess, 5000);
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
        }
    }
};

double ThreadCpuMs() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](FILETIME f) {
        return static_cast<double>((static_cast<ULONGLONG>(f.dwHighDateTime) << 32) |
                                   f.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wstring(argv[1]) == L"--spin") {
        [[maybe_unused]] volatile unsigned sink = 0;
        for (;;)
            sink = 1;
    }
    if (argc < 2) {
        std::printf("usage: firing_bench WATCH_TARGET_EXE [rounds] [loaders]\n");
        return 2;
    }
    setvbuf(stdout, nullptr, _IONBF, 0);
    wchar_t full[MAX_PATH];
    GetFullPathNameW(argv[1], MAX_PATH, full, nullptr);
    const std::wstring target = full;
    const int rounds = argc > 2 ? _wtoi(argv[2]) : 20;
    const int loaders = argc > 3 ? _wtoi(argv[3]) : 3;

    win::SystemPorts system;
    win::TF_Alarm alarm(system.Ports());  // as in the program: hidden, with its own timers
    alarm.Create();
    win::TF_ALARMUJ popup;
    popup.Create();
    win::ArmedAlarm armed(system.Ports());
    win::TF_Glowna glowna(system.Ports(), armed);
    glowna.Create();
    win::MainWindowLinks links;
    links.configuration = &alarm;
    glowna.Connect(std::move(links));
    win::ArmedAlarm::Links armedLinks;
    armedLinks.mainWindow = glowna.Hwnd();
    armedLinks.popup = &popup;
    armed.Connect(std::move(armedLinks));

    g_counterWindow = MakeCounterWindow();
    g_fireTick = [&armed] { armed.ExecuteAlarmAction(); };
    std::thread counter(BoxThread);
    std::thread observer(ObserverThread);
    while (!g_boxWindow)
        Sleep(1);

    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    Figures watchCountdown, watchAtTime, tickCountdown, tickAtTime, calibration, action;
    {
        std::vector<std::unique_ptr<Child>> load;
        for (int i = 0; i < loaders; ++i)
            load.push_back(std::make_unique<Child>(L"\"" + std::wstring(self) + L"\" --spin"));
        std::printf(
            "firing error against the due time, %d rounds, %d loaders, "
            "seen from another thread:\n",
            rounds, loaders);
        for (int round = 0; round < rounds; ++round) {
            PumpUntil([] { return false; }, (round * 373) % 1000);  // vary the phase
            const bool countdown = round % 2 == 0;
            const int seconds = 2 + round % 3;
            WatchState w;
            // Sets both loops' fields for a moment `seconds` from now; returns that moment.
            auto prepare = [&] {
                w = WatchState{};
                w.ActionCaption = L"Komunikat";
                w.ActionParameter = std::wstring(kWatchTitle) + kMessageSeparator + L"alarm";
                g_counter = TickCounter{};
                if (countdown) {
                    w.TriggerCode = g_counter.code = L"OD";
                    w.SecondsLeft = g_counter.left = seconds;
                    return NowMs() + seconds * 1000.0;
                }
                const ClockReading now = win::Win32Clock().Now();
                const double start = NowMs();
                const LocalDateTime at = FromCivilSeconds(CivilSeconds(now.local) + seconds);
                w.TriggerCode = g_counter.code = L"UG";
                w.AtHour = g_counter.h = at.hour;
                w.AtMinute = g_counter.m = at.minute;
                w.AtSecond = g_counter.s = at.second;
                return start + seconds * 1000.0 - now.local.millisecond;
            };
            auto record = [](Figures& figures, double seen, double due) {
                if (seen != 0)
                    figures.errors.push_back(seen - due);
                else
                    ++figures.missed;
            };
            // The two loops are armed in turn, never together: two boxes made at one moment
            // race for the screen, and the error measured would be the race's.
            g_watchSeen = 0;
            double due = prepare();
            armed.Arm(w, L"");
            PumpUntil([] { return g_watchSeen != 0; }, seconds * 1000.0 + 5000);
            armed.Stop();
            record(countdown ? watchCountdown : watchAtTime, g_watchSeen, due);
            PumpUntil([] { return !FindWindowW(L"#32770", nullptr); }, 3000);
            // The tick counter fires the program's action, with the box titled as its own; the
            // watch loop stays armed far off meanwhile, as a firing expects.
            PumpUntil([] { return false; }, (round * 577) % 1000);
            g_tickSeen = 0;
            due = prepare();
            w.ActionParameter = std::wstring(kTickTitle) + kMessageSeparator + L"alarm";
            w.TriggerCode = L"OD";
            w.SecondsLeft = 3600;
            armed.Arm(w, L"");
            SendMessageW(g_counterWindow, kArmCounter, 0, 0);
            PumpUntil([] { return g_tickSeen != 0; }, seconds * 1000.0 + 3000);
            g_counter.armed = false;  // a tick that missed its second counts nothing more
            armed.Stop();
            record(countdown ? tickCountdown : tickAtTime, g_tickSeen, due);
            PumpUntil([] { return !FindWindowW(L"#32770", nullptr); }, 3000);
            // What showing a box and seeing it costs by itself, under the same load.
            g_tickSeen = 0;
            const double asked = NowMs();
            PostMessageW(g_boxWindow, kBoxNow, 0, 0);
            if (PumpUntil([] { return g_tickSeen != 0; }, 3000))
                calibration.errors.push_back(g_tickSeen - asked);
            PumpUntil([] { return !FindWindowW(L"#32770", nullptr); }, 3000);
            // The alarm's own action performed at once, as a firing performs it (the alarm
            // stopped, then the program's box: task-modal over its windows, with its icon): the
            // watch loop's error without the waiting.
            w.ActionParameter = std::wstring(kWatchTitle) + kMessageSeparator + L"alarm";
            w.TriggerCode = L"OD";
            w.SecondsLeft = 3600;
            armed.Arm(w, L"");
            g_watchSeen = 0;
            const double performed = NowMs();
            armed.ExecuteAlarmAction();  // returns once the box is answered
            record(action, g_watchSeen, performed);
        }
        const double countdownP99 = Print("watch loop, count-down", watchCountdown);
        const double atTimeP99 = Print("watch loop, time of day", watchAtTime);
        Print("tick counting, count-down", tickCountdown);
        Print("tick counting, time of day (missed: a day late)", tickAtTime);
        const double boxP99 = Print("a box shown at once (its own cost)", calibration);
        const double actionP99 = Print("the alarm's action performed at once", action);
        // The box's own cost is the floor: what lies above it is the loop waking late.
        std::printf(
            "  p99 above the box alone: count-down %.1f ms, time of day %.1f ms "
            "(target <= 16, one timer tick)\n",
            countdownP99 - boxP99, atTimeP99 - boxP99);
        std::printf(
            "  p99 above the action performed at once: count-down %.1f ms, "
            "time of day %.1f ms\n",
            countdownP99 - actionP99, atTimeP99 - actionP99);
    }

    // Processor time of one look per trigger, unloaded.
    {
        std::printf("processor time of one look (thread time; wall time), unloaded:\n");
        Child running(L"\"" + target + L"\" visible");
        WaitForInputIdle(running.pi.hProcess, 5000);
        struct Case {
            const wchar_t* code;
            std::wstring path;
        };
        const std::vector<Case> cases{{L"OD", {}},     {L"UG", {}},     {L"BI", {}},
                                      {L"PU", target}, {L"PO", target}, {L"PZ", target}};
        for (const Case& c : cases) {
            WatchState w;
            w = WatchState{};
            w.TriggerCode = c.code;
            w.SecondsLeft = 100000;
            w.AtHour = (win::Win32Clock().Now().local.hour + 12) % 24;
            w.WatchedProgramPath = c.path;
            w.ActionCaption = L"Komunikat";
            // PU would fire on the running target: watch a program that is not running.
            if (std::wstring(c.code) == L"PU") {
                std::wstring idle = self;
                w.WatchedProgramPath =
                    idle.substr(0, idle.rfind(L'\\') + 1) + L"minimal_window.exe";
            }
            armed.Arm(w, L"");
            const int looks = c.path.empty() ? 2000 : 200;
            const double cpu0 = ThreadCpuMs(), wall0 = NowMs();
            for (int i = 0; i < looks; ++i)
                armed.Look();
            const double cpu = (ThreadCpuMs() - cpu0) / looks, wall = (NowMs() - wall0) / looks;
            armed.Stop();
            std::printf("  %ls  %8.3f ms cpu  %8.3f ms wall   (%d looks)\n", c.code, cpu, wall,
                        looks);
        }
    }

    // Wake-ups of the program's thread while idle and not armed.
    {
        Pump();
        const double seconds = 10;
        const double end = NowMs() + seconds * 1000;
        int wakeups = 0, timers = 0;
        while (NowMs() < end) {
            const DWORD r = MsgWaitForMultipleObjectsEx(
                0, nullptr, static_cast<DWORD>(std::max(1.0, end - NowMs())), QS_ALLINPUT,
                MWMO_INPUTAVAILABLE);
            if (r == WAIT_TIMEOUT)
                continue;
            ++wakeups;
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                timers += msg.message == WM_TIMER;
                DispatchMessageW(&msg);
            }
        }
        std::printf(
            "idle, not armed, configuration window hidden: %.2f wake-ups/s "
            "(%d timer messages in %.0f s)\n",
            wakeups / seconds, timers, seconds);
    }

    g_observe = false;
    observer.join();
    PostMessageW(g_boxWindow, WM_QUIT, 0, 0);
    counter.join();
    return 0;
}
