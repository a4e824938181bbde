// The soak run's driver: starts Klaxora.exe and works it from outside as a user would, then
// prints what the program holds before and after each stage. Growth in any of the figures is a
// leak.
//
//   soak_driver [previews=1000] [firings=100000] [scale=100] [sound=<file>] [popups=<n>]
//
// Stages, all in one run of the program:
//  1. `popups` previews of the alarm popup ("Domyślne okno", the Preview button, the popup's OK);
//  2. `previews` previews of a sound ("Odegraj dźwięk", the sound panel's Play, then its Stop);
//  3. a repeating 1-second count-down started with Start, whose action presses the right Shift
//     key, left to fire `firings` times. The program's clocks run `scale` times faster
//     (KLAXORA_CLOCK_SCALE), so a firing falls every 1000/scale ms of real time; every firing is
//     counted from here by a low-level keyboard hook, which sees each key the program sends.
//     Each firing takes at least one look at the clock, so the looks are at least as many.
//
// Figures of the program's process: handles, GDI and USER objects and private bytes as Windows
// reports them; under Wine, which answers 0 for those of another process, also the handles
// wineserver lists for it, its windows (message-only ones included) and the private memory
// Linux sees for it.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "e2e/program.h"
#include "listed_handles.h"
#include "win/config/action_panels.h"
#include "win/config/alarm_window.h"
#include "now_ms.h"

namespace {

using namespace klaxora::e2e;

// The configuration window's controls and the sound panel's, by their numbers.
using Alarm = klaxora::win::TF_Alarm;
using Sound = klaxora::win::SoundActionPanel;
constexpr UINT kStartId = Alarm::kStart;
constexpr UINT kStopId = Alarm::kStop;
constexpr UINT kRepeatBoxId = Alarm::kRepeatBox;
constexpr UINT kRepeatEditId = Alarm::kRepeatEdit;
constexpr UINT kPreviewId = Alarm::kPreview;
constexpr UINT kSoundEditId = Sound::kEdit;
constexpr UINT kSoundPlayId = Sound::kPlay;
constexpr UINT kSoundStopId = Sound::kStop;
constexpr UINT kPopupOkId = 100;  // the popup's OK button
constexpr UINT kRightShift = 0xA1;

// Lets this thread's messages through (the keyboard hook is called through them) until `done`
// holds; false when it still does not after `ms`.
template <typename F>
bool PumpUntil(F done, DWORD ms) {
    const double deadline = NowMs() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done())
            return true;
        if (NowMs() > deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// The control with the id among the window's descendants; with `shown`, only a visible one (the
// panels number their controls alike, and only the current panel shows).
HWND Control(HWND window, UINT id, bool shown = true) {
    for (HWND c : Descendants(window)) {
        if (static_cast<UINT>(GetDlgCtrlID(c)) == id && (!shown || IsWindowVisible(c)))
            return c;
    }
    return nullptr;
}

// Posted, for a click whose handler runs on (Start hides the window).
void PostClick(HWND control) {
    PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
}

void Click(HWND control) {
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
}

// --- what the process holds ----------------------------------------------------------------

struct Figures {
    DWORD handles = 0;
    DWORD gdi = 0;
    DWORD user = 0;
    SIZE_T privateBytes = 0;
    long listedHandles = -1;  // wineserver's (or the kernel's) list of handles; -1: unavailable
    long windows = 0;
    long linuxPrivateKb = -1;  // -1: not readable (on Windows)
};

long CountWindows(DWORD pid) {
    long n = 0;
    for (HWND top : WindowsOfProcess(pid))
        n += 1 + static_cast<long>(Descendants(top).size());
    for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
         w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        n += owner == pid;
    }
    return n;
}

std::string ReadSmallFile(const std::wstring& path) {
    std::string text;
    if (FILE* f = _wfopen(path.c_str(), L"rb")) {
        char chunk[4096];
        size_t got = 0;
        while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0 && text.size() < (1 << 20))
            text.append(chunk, got);
        std::fclose(f);
    }
    return text;
}

// Under Wine the Linux file system is drive Z:. The program's Linux process is the one whose
// command line names Klaxora.exe and whose environment has this prefix.
std::wstring LinuxProcessFolder() {
    wchar_t prefix[1024] = {};
    const DWORD n = GetEnvironmentVariableW(L"WINEPREFIX", prefix, 1024);
    std::string wanted;
    if (n > 0 && n < 1024) {
        char narrow[2048] = {};
        WideCharToMultiByte(CP_UTF8, 0, prefix, -1, narrow, sizeof narrow, nullptr, nullptr);
        wanted = std::string("WINEPREFIX=") + narrow;
    }
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    std::wstring match;
    do {
        if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9')
            continue;
        const std::wstring folder = std::wstring(L"Z:\\proc\\") + found.cFileName;
        const std::string commandLine = ReadSmallFile(folder + L"\\cmdline");
        if (commandLine.find("Klaxora.exe") == std::string::npos)
            continue;
        std::string environment = ReadSmallFile(folder + L"\\environ");
        for (char& c : environment)
            c = c == '\0' ? '\n' : c;
        if (wanted.empty() || ("\n" + environment).find("\n" + wanted + "\n") != std::string::npos)
            match = folder;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return match;
}

long LinuxPrivateKb(const std::wstring& folder) {
    if (folder.empty())
        return -1;
    const std::string text = ReadSmallFile(folder + L"\\smaps_rollup");
    long total = 0;
    bool any = false;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end == std::string::npos ? end : end - at);
        long kb = 0;
        if (std::sscanf(line.c_str(), "Private_Clean: %ld", &kb) == 1 ||
            std::sscanf(line.c_str(), "Private_Dirty: %ld", &kb) == 1) {
            total += kb;
            any = true;
        }
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    return any ? total : -1;
}

Figures Measure(const RunningProgram& program, const std::wstring& linuxFolder) {
    Figures f;
    GetProcessHandleCount(program.Handle(), &f.handles);
    f.gdi = GetGuiResources(program.Handle(), GR_GDIOBJECTS);
    f.user = GetGuiResources(program.Handle(), GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(program.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory))
        f.privateBytes = memory.PrivateUsage;
    f.listedHandles = ListedHandles(program.Id());
    f.windows = CountWindows(program.Id());
    f.linuxPrivateKb = LinuxPrivateKb(linuxFolder);
    return f;
}

void Print(const char* label, const Figures& f) {
    std::printf(
        "%-18s handles=%lu gdi=%lu user=%lu private=%.2fMB listed-handles=%ld windows=%ld "
        "linux-private=%.2fMB\n",
        label, f.handles, f.gdi, f.user, static_cast<double>(f.privateBytes) / 1048576.0,
        f.listedHandles, f.windows, f.linuxPrivateKb < 0 ? -1.0 : f.linuxPrivateKb / 1024.0);
    std::fflush(stdout);
}

void PrintGrowth(const char* stage, const Figures& after, const Figures& before) {
    Print(stage, after);
    const auto grew = [](auto now, auto then) {
        return static_cast<long long>(now) - static_cast<long long>(then);
    };
    std::printf(
        "%-18s handles=%+lld gdi=%+lld user=%+lld private=%+.2fMB listed-handles=%+lld "
        "windows=%+lld linux-private=%+.2fMB\n",
        "  growth", grew(after.handles, before.handles), grew(after.gdi, before.gdi),
        grew(after.user, before.user), grew(after.privateBytes, before.privateBytes) / 1048576.0,
        grew(after.listedHandles, before.listedHandles), grew(after.windows, before.windows),
        grew(after.linuxPrivateKb, before.linuxPrivateKb) / 1024.0);
    std::fflush(stdout);
}

// --- the stages ------------------------------------------------------------------------------

HWND PopupOf(DWORD pid) {
    for (HWND w : WindowsOfProcess(pid)) {
        if (ClassName(w) == L"TF_ALARMUJ" && IsWindowVisible(w))
            return w;
    }
    return nullptr;
}

bool PopupPreviews(const RunningProgram& program, HWND window, HWND actions, int count) {
    Pick(actions, L"Domyślne okno");
    const HWND preview = Control(window, kPreviewId);
    for (int i = 0; i < count; ++i) {
        Click(preview);
        HWND popup = nullptr;
        if (!PumpUntil([&] { return (popup = PopupOf(program.Id())) != nullptr; }, 15000)) {
            std::printf("popup %d did not show\n", i + 1);
            return false;
        }
        // Its OK button, as the user closes it.
        PostMessageW(popup, WM_COMMAND, MAKEWPARAM(kPopupOkId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(popup, kPopupOkId)));
        if (!PumpUntil([&] { return !PopupOf(program.Id()) && IsWindowEnabled(window); }, 15000)) {
            std::printf("popup %d did not close\n", i + 1);
            return false;
        }
    }
    return true;
}

struct Transport {
    HWND play = nullptr;
    HWND stop = nullptr;
};

// Chooses the sound action and its file, which the window then opens.
Transport ChooseSound(HWND window, HWND actions, const std::wstring& sound) {
    Pick(actions, L"Odegraj dźwięk");
    // The sound panel: the shown edit with its number (a trigger page numbers a label alike);
    // its transport buttons are its siblings.
    HWND edit = nullptr;
    for (HWND c : Descendants(window)) {
        if (static_cast<UINT>(GetDlgCtrlID(c)) == kSoundEditId && IsWindowVisible(c) &&
            ClassName(c) == L"Edit")
            edit = c;
    }
    if (!edit) {
        std::printf("no sound file field\n");
        return {};
    }
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(sound.c_str()));
    const Transport t{GetDlgItem(GetParent(edit), kSoundPlayId),
                      GetDlgItem(GetParent(edit), kSoundStopId)};
    if (!t.play || !t.stop || !PumpUntil([&] { return IsWindowEnabled(t.play) != FALSE; }, 15000)) {
        std::printf("the sound %ls did not load\n", sound.c_str());
        return {};
    }
    return t;
}

// The sound panel's Play, then its Stop, `count` times.
bool SoundPreviews(const Transport& t, int count) {
    if (!t.play)
        return false;
    const HWND play = t.play;
    const HWND stop = t.stop;
    for (int i = 0; i < count; ++i) {
        Click(play);
        if (!PumpUntil([&] { return SendMessageW(play, BM_GETCHECK, 0, 0) == BST_CHECKED; },
                       15000)) {
            std::printf("sound preview %d did not play\n", i + 1);
            return false;
        }
        Click(stop);
        if (!PumpUntil([&] { return SendMessageW(play, BM_GETCHECK, 0, 0) != BST_CHECKED; },
                       15000)) {
            std::printf("sound preview %d did not stop\n", i + 1);
            return false;
        }
    }
    return true;
}

long g_keys = 0;

LRESULT CALLBACK CountKeys(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        if (key->vkCode == kRightShift && (key->flags & LLKHF_INJECTED))
            ++g_keys;
    }
    return CallNextHookEx(nullptr, code, message, data);
}

bool Firings(HWND window, HWND actions, long count, int scale) {
    // The sub-action and its key came with the command line.
    Pick(actions, L"Inne możliwości");
    const HWND repeat = Control(window, kRepeatBoxId);
    SendMessageW(repeat, BM_SETCHECK, BST_CHECKED, 0);
    Click(repeat);
    if (SendMessageW(repeat, BM_GETCHECK, 0, 0) != BST_CHECKED) {
        SendMessageW(repeat, BM_SETCHECK, BST_CHECKED, 0);
        Click(repeat);
    }
    SendMessageW(Control(window, kRepeatEditId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1"));

    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, CountKeys, GetModuleHandleW(nullptr), 0);
    if (!hook) {
        std::printf("no keyboard hook (%lu)\n", GetLastError());
        return false;
    }
    const double started = NowMs();
    PostClick(Control(window, kStartId));
    long reported = 0;
    bool done = true;
    // Each firing is due 1000/scale ms after the last; a generous allowance for a busy machine.
    const DWORD allowance = 60000;
    while (g_keys < count) {
        const long before = g_keys;
        if (!PumpUntil([&] { return g_keys > before; }, allowance)) {
            std::printf("no firing for %lu s after %ld\n", allowance / 1000, g_keys);
            done = false;
            break;
        }
        if (g_keys >= reported + count / 10) {
            reported = g_keys;
            const double seconds = (NowMs() - started) / 1000.0;
            std::printf("  %ld firings in %.0f s (%.1f ms each, %.1f program seconds each)\n",
                        g_keys, seconds, seconds * 1000.0 / g_keys, seconds * scale / g_keys);
            std::fflush(stdout);
        }
    }
    PostClick(Control(window, kStopId, false));
    // Stopped: no more keys for a while (a firing already under way may still end).
    long settled = -1;
    PumpUntil(
        [&] {
            const bool still = settled == g_keys;
            settled = g_keys;
            return still;
        },
        5000);
    UnhookWindowsHookEx(hook);
    return done;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int previews = 1000;
    int popups = -1;
    long firings = 100000;
    int scale = 100;
    std::wstring sound;
    for (int i = 1, n = 0; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg.rfind(L"sound=", 0) == 0)
            sound = arg.substr(6);
        else if (arg.rfind(L"popups=", 0) == 0)
            popups = std::stoi(arg.substr(7));
        else if (n == 0 && ++n)
            previews = std::stoi(arg);
        else if (n == 1 && ++n)
            firings = std::stol(arg);
        else if (n == 2 && ++n)
            scale = std::stoi(arg);
    }
    if (popups < 0)
        popups = previews;
    if (sound.empty()) {
        sound = ProgramPath();
        sound.resize(sound.find_last_of(L'\\') + 1);
        sound += L"sound\\Budzik.mp3";
    }

    SetEnvironmentVariableW(L"KLAXORA_CLOCK_SCALE", std::to_wstring(scale).c_str());
    RunningProgram program(
        L"\"OD: 1\" \"Inne możliwości\" \"Zasymuluj wciśnięcie dowolnego klawisza(y)\" "
        L"\"Prawy SHIFT\"");
    const HWND window = program.FindVisibleWindowOf(L"TF_Alarm");
    if (!window || !program.WaitIdle()) {
        std::printf("Klaxora.exe did not come up\n");
        return 1;
    }
    const HWND actions = ComboListing(window, L"Domyślne okno");
    if (!actions) {
        std::printf("no action list\n");
        return 1;
    }
    const std::wstring linuxFolder = LinuxProcessFolder();
    std::printf("Klaxora.exe pid %lu, clock scale %d, Linux process %ls\n", program.Id(), scale,
                linuxFolder.empty() ? L"(none)" : linuxFolder.c_str());

    Sleep(1000);  // let late start-up work (fonts, theme) settle before the first figures
    Print("start", Measure(program, linuxFolder));
    // The first preview of each kind loads what then stays loaded for the life of the process
    // (under Wine, the media framework behind MP3 files); growth is counted from after them.
    bool ok = PopupPreviews(program, window, actions, 1);
    const Transport transport = ChooseSound(window, actions, sound);
    ok = ok && SoundPreviews(transport, 1);
    const Figures warm = Measure(program, linuxFolder);
    Print("after one of each", warm);

    double t = NowMs();
    ok = ok && PopupPreviews(program, window, actions, popups - 1);
    std::printf("%d more popup previews in %.0f s\n", popups - 1, (NowMs() - t) / 1000.0);
    const Figures popped = Measure(program, linuxFolder);
    PrintGrowth("popup previews", popped, warm);

    // Back to the sound action: choosing it makes the window open the file again.
    Pick(actions, L"Odegraj dźwięk");
    const Figures reopened = Measure(program, linuxFolder);
    PrintGrowth("sound chosen again", reopened, popped);
    t = NowMs();
    ok = ok && SoundPreviews(transport, previews - 1);
    std::printf("%d more sound previews in %.0f s\n", previews - 1, (NowMs() - t) / 1000.0);
    const Figures played = Measure(program, linuxFolder);
    PrintGrowth("sound previews", played, reopened);

    t = NowMs();
    ok = ok && Firings(window, actions, firings, scale);
    std::printf("%ld firings of the repeating 1-second count-down in %.0f s\n", g_keys,
                (NowMs() - t) / 1000.0);
    const Figures end = Measure(program, linuxFolder);
    PrintGrowth("firings", end, played);
    PrintGrowth("whole run", end, warm);

    const bool closed = program.Close(30000);
    std::printf("closed: %s, exit code %lu\n", closed ? "yes" : "no", program.ExitCode());
    return ok && closed && program.ExitCode() == 0 ? 0 : 1;
}
