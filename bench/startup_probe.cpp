// Starts a program, waits until it is idle with its window up (and, for Klaxora, its icon in
// the notification area), and prints how long that took and what the idle process holds:
// private bytes, GDI and USER objects. Then closes it.
//
//   startup_probe <program.exe> <window class> [tray] [hold=<ms>]
//
// Output, one line: ms=<start-up until idle> visible=<until the window (and icon) showed>
// private=<bytes> gdi=<n> user=<n> pid=<id>
// With hold, the idle program is left running that long after the line is printed, so that
// tools outside Windows can look at it too (Wine answers 0 for another process's memory and
// does not count GUI objects).
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "now_ms.h"

namespace {

// Looked up by class, so that a look costs a few calls whatever else is on the desktop: the
// probe polls while the program starts, and a probe that walks every window at each poll
// keeps Windows (and Wine's server) as busy as the program it measures.
HWND VisibleWindowOf(DWORD pid, const wchar_t* className) {
    for (HWND hwnd = FindWindowExW(nullptr, nullptr, className, nullptr); hwnd;
         hwnd = FindWindowExW(nullptr, hwnd, className, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == pid && IsWindowVisible(hwnd))
            return hwnd;
    }
    return nullptr;
}

// Wine without a desktop shows each notification-area icon as a child of this window.
int TrayIconCount() {
    const HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    if (!tray)
        return 0;
    int count = 0;
    for (HWND child = FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr); child;
         child = FindWindowExW(tray, child, L"__winex11_tray_icon", nullptr)) {
        ++count;
    }
    return count;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: startup_probe <program.exe> <window class> [tray]\n");
        return 2;
    }
    const std::wstring program = argv[1];
    const wchar_t* className = argv[2];
    bool tray = false;
    DWORD hold = 0;
    for (int i = 3; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"tray")
            tray = true;
        if (arg.rfind(L"hold=", 0) == 0)
            hold = static_cast<DWORD>(std::stoul(arg.substr(5)));
    }
    const int traysBefore = TrayIconCount();

    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const double started = NowMs();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        std::fwprintf(stderr, L"cannot start %ls\n", program.c_str());
        return 1;
    }
    // Looked for from the start, so that a window shown before the program is first idle counts
    // from when it showed.
    HWND window = nullptr;
    for (;;) {
        window = VisibleWindowOf(process.dwProcessId, className);
        if (window && (!tray || TrayIconCount() > traysBefore))
            break;
        if (NowMs() - started > 30000) {
            std::fwprintf(stderr, L"no window of class %ls\n", className);
            TerminateProcess(process.hProcess, 1);
            return 1;
        }
        Sleep(1);
    }
    const double visible = NowMs() - started;
    // Idle: the window has been shown and the process waits for input again.
    WaitForInputIdle(process.hProcess, 30000);
    const double elapsed = NowMs() - started;
    Sleep(500);  // let late work (fonts, theme) settle before the figures are taken

    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    if (!GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                              sizeof(memory))) {
        std::fwprintf(stderr, L"GetProcessMemoryInfo failed: %lu\n", GetLastError());
    }
    const DWORD gdi = GetGuiResources(process.hProcess, GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(process.hProcess, GR_USEROBJECTS);
    std::wprintf(L"ms=%.1f visible=%.1f private=%llu workingset=%llu gdi=%lu user=%lu pid=%lu\n",
                 elapsed, visible, static_cast<unsigned long long>(memory.PrivateUsage),
                 static_cast<unsigned long long>(memory.WorkingSetSize), gdi, user,
                 process.dwProcessId);
    std::fflush(stdout);
    Sleep(hold);

    // Close it as a user would: the window of the given class, or the process's main window.
    const HWND main =
        className == std::wstring(L"TF_Alarm") ? FindWindowW(L"TF_Glowna", nullptr) : window;
    PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
