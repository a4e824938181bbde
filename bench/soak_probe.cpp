// The soak run's probe: inside one process it shows and closes the alarm popup, plays and stops
// a sound through the one player of the process, and evaluates an armed repeating 1-second
// count-down many times over with the clock compressed, then prints what the process holds
// before and after. Growth in any of the figures is a leak.
//
//   soak_probe [previews=1000] [evaluations=100000] [sound=<file>] [popups=<n>]
//
// popups=<n> takes another number of popup previews than sound previews (the popup's slide
// takes most of a second each).
//
// Output: one "before" and one "after" line of figures, a "growth" line, and what each stage did.
// Wine answers 0 for the handle count (GetProcessHandleCount), the GDI and USER objects
// (GetGuiResources) and PrivateUsage, so the process's windows are counted too and the private
// memory Linux sees for this process is printed when it can be read.
#include <windows.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>

#include "app/watch_loop.h"
#include "ports/clock.h"
#include "win/actions/popup_window.h"
#include "win/actions/sound_panel.h"
#include "win/sys/file_system_win.h"
#include "win/sys/process_win.h"
#include "win/sys/registry_win.h"
#include "win/sys/wake_timer_win.h"

namespace {

using namespace klaxora;

struct Figures {
    DWORD handles = 0;
    DWORD gdi = 0;
    DWORD user = 0;
    SIZE_T privateBytes = 0;
    SIZE_T workingSet = 0;
    long linuxPrivateKb = -1;  // -1: not readable (on Windows)
    long windows = 0;          // this process's windows, message-only ones included
};

// Windows are the USER objects a leak would most likely leave; Wine does not count USER objects
// but does list windows, so they are counted here on every system.
long CountWindows() {
    struct Count {
        DWORD pid;
        long n = 0;
    } count{GetCurrentProcessId()};
    const WNDENUMPROC add = [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* c = reinterpret_cast<Count*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == c->pid)
            ++c->n;
        return TRUE;
    };
    EnumWindows(
        [](HWND top, LPARAM lp) -> BOOL {
            auto* c = reinterpret_cast<Count*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(top, &owner);
            if (owner != c->pid)
                return TRUE;
            ++c->n;
            EnumChildWindows(
                top,
                [](HWND, LPARAM inner) -> BOOL {
                    ++reinterpret_cast<Count*>(inner)->n;
                    return TRUE;
                },
                lp);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
         w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr))
        add(w, reinterpret_cast<LPARAM>(&count));
    return count.n;
}

// Under Wine the Linux file system is the Z: drive; the process's own memory map says how much
// of its memory is private to it.
long LinuxPrivateKb() {
    FILE* f = _wfopen(L"Z:\\proc\\self\\smaps_rollup", L"r");
    if (!f)
        return -1;
    char line[256];
    long total = 0;
    bool found = false;
    while (std::fgets(line, sizeof line, f)) {
        long kb = 0;
        if (std::sscanf(line, "Private_Clean: %ld", &kb) == 1 ||
            std::sscanf(line, "Private_Dirty: %ld", &kb) == 1) {
            total += kb;
            found = true;
        }
    }
    std::fclose(f);
    return found ? total : -1;
}

Figures Measure() {
    Figures f;
    GetProcessHandleCount(GetCurrentProcess(), &f.handles);
    f.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    f.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(),
                             reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        f.privateBytes = memory.PrivateUsage;
        f.workingSet = memory.WorkingSetSize;
    }
    f.linuxPrivateKb = LinuxPrivateKb();
    f.windows = CountWindows();
    return f;
}

void Print(const char* label, const Figures& f) {
    std::printf(
        "%s handles=%lu gdi=%lu user=%lu windows=%ld private=%llu workingset=%llu "
        "linuxkb=%ld\n",
        label, static_cast<unsigned long>(f.handles), static_cast<unsigned long>(f.gdi),
        static_cast<unsigned long>(f.user), f.windows,
        static_cast<unsigned long long>(f.privateBytes),
        static_cast<unsigned long long>(f.workingSet), f.linuxPrivateKb);
    std::fflush(stdout);
}

double NowMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One preview of the popup as the user sees it: it slides in, and "OK" closes it.
void PopupPreview(win::TF_ALARMUJ& popup) {
    popup.PopUp(false);
    win::ProcessMessages();
    popup.Close();
    win::ProcessMessages();
}

// One preview of the sound panel: the file is loaded, played a moment and stopped.
bool SoundPreview(const std::wstring& path) {
    win::SoundPanel& player = win::Player();
    try {
        player.LoadSoundPreview(path);
        player.PlayClick();
        win::ProcessMessages();
        player.StopClick();
        win::ProcessMessages();
        return true;
    } catch (...) {
        return false;
    }
}

// The armed repeating 1-second count-down, evaluated `evaluations` times with a clock that
// moves one second per evaluation: each firing re-arms the repeat as the program does, and the
// wake timer is set for every plan, through the real system ports.
struct LoopResult {
    long fires = 0;
    long waits = 0;
    long aborts = 0;
    long wakeRefusals = 0;
};

LoopResult RunCountdown(long evaluations) {
    win::Win32ProcessWatch processes;
    win::Win32FileSystem files;
    win::Win32Registry registry;
    win::WakeTimer wake;
    ClockReading now;
    now.monotonicMs = 1'000'000;
    now.local = LocalDateTime{2026, 3, 14, 12, 0, 0, 0};

    WatchState state;
    state.Armed = true;
    state.TriggerCode = L"OD";
    state.SecondsLeft = 1;
    state.RepeatSeconds = 1;
    state.ActionCaption = L"Komunikat";
    ArmWatch(state, now);

    LoopResult result;
    for (long i = 0; i < evaluations; ++i) {
        now.monotonicMs += 1000;
        now.local = FromCivilSeconds(CivilSeconds(now.local) + 1);
        const TickOutcome outcome = WatchTick(state, now, WatchPorts{processes, files, registry});
        switch (outcome.verdict) {
            case TickVerdict::Fire:
                ++result.fires;
                // The action has run; the repeat is armed as a count-down from now.
                if (!RearmForRepeat(state, now))
                    ++result.aborts;
                break;
            case TickVerdict::Wait:
                ++result.waits;
                break;
            case TickVerdict::Abort:
                ++result.aborts;
                break;
        }
        if (!wake.Apply(PlanWake(state, now)))
            ++result.wakeRefusals;
    }
    wake.Cancel();
    return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    long previews = 1000;
    long evaluations = 100000;
    std::wstring sound = win::Win32FileSystem().ExecutableDirectory() + L"sound\\Budzik.mp3";
    long popups = -1;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg.rfind(L"sound=", 0) == 0)
            sound = arg.substr(6);
        else if (arg.rfind(L"popups=", 0) == 0)
            popups = std::wcstol(arg.c_str() + 7, nullptr, 10);
        else if (positional++ == 0)
            previews = std::wcstol(arg.c_str(), nullptr, 10);
        else
            evaluations = std::wcstol(arg.c_str(), nullptr, 10);
    }

    win::TF_ALARMUJ popup;
    popup.Create();
    popup.SetBeeper([] {});
    // One of each first: what the first use loads once (the media player's libraries, the
    // popup's pictures) is not growth.
    PopupPreview(popup);
    const bool soundOk = SoundPreview(sound);
    (void)RunCountdown(10);

    const Figures before = Measure();
    Print("before", before);

    if (popups < 0)
        popups = previews;
    double started = NowMs();
    for (long i = 0; i < popups; ++i)
        PopupPreview(popup);
    const double popupMs = NowMs() - started;
    const Figures afterPopup = Measure();

    started = NowMs();
    long soundFailures = 0;
    for (long i = 0; i < previews; ++i)
        soundFailures += SoundPreview(sound) ? 0 : 1;
    const double soundMs = NowMs() - started;
    const Figures afterSound = Measure();

    started = NowMs();
    const LoopResult loop = RunCountdown(evaluations);
    const double loopMs = NowMs() - started;
    const Figures after = Measure();

    std::printf("popup previews=%ld ms=%.0f\n", popups, popupMs);
    Print("after-popups", afterPopup);
    std::printf("sound previews=%ld failures=%ld ms=%.0f file=%ls%s\n", previews, soundFailures,
                soundMs, sound.c_str(), soundOk ? "" : " (did not open)");
    Print("after-sounds", afterSound);
    std::printf(
        "countdown evaluations=%ld fires=%ld waits=%ld aborts=%ld wake-refusals=%ld "
        "ms=%.0f\n",
        evaluations, loop.fires, loop.waits, loop.aborts, loop.wakeRefusals, loopMs);
    Print("after", after);
    std::printf(
        "growth handles=%ld gdi=%ld user=%ld windows=%ld private=%lld linuxkb=%ld\n",
        static_cast<long>(after.handles) - static_cast<long>(before.handles),
        static_cast<long>(after.gdi) - static_cast<long>(before.gdi),
        static_cast<long>(after.user) - static_cast<long>(before.user),
        after.windows - before.windows,
        static_cast<long long>(after.privateBytes) - static_cast<long long>(before.privateBytes),
        after.linuxPrivateKb >= 0 && before.linuxPrivateKb >= 0
            ? after.linuxPrivateKb - before.linuxPrivateKb
            : 0);
    return 0;
}
