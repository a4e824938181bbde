// Cost of one program-trigger check (running, process id, main window, responding) next to a
// bare walk of the process list, with a number of extra processes running.
//   process_bench.exe <watch_target.exe> <extra processes> [rounds]
#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "../now_ms.h"
#include "ports/processes.h"
#include "win/sys/handles.h"
#include "win/sys/process_win.h"

using namespace klaxora;

namespace {

HANDLE Start(const std::wstring& exe, const wchar_t* mode) {
    std::wstring command = L"\"" + exe + L"\" " + mode;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi)) {
        return nullptr;
    }
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

size_t BareWalk() {
    win::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    size_t count = 0;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        ++count;
    }
    return count;
}

// The way that opens every process for its path, twice per check, for comparison.
size_t OpenEveryWalk(const std::wstring& path) {
    win::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    size_t opened = 0;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        ++opened;
        win::KernelHandle process(
            OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, entry.th32ProcessID));
        wchar_t buffer[1024] = {};
        if (process)
            GetModuleFileNameExW(process.Get(), nullptr, buffer, 1024);
        if (SameProgramPath(buffer, path))
            break;
    }
    return opened;
}

struct Timing {
    double medianUs;
    double meanUs;
};

template <typename F>
Timing Measure(int rounds, F body) {
    std::vector<double> us;
    for (int i = 0; i < rounds; ++i) {
        const double t = NowMs();
        body();
        us.push_back((NowMs() - t) * 1e3);
    }
    std::sort(us.begin(), us.end());
    double sum = 0;
    for (double u : us)
        sum += u;
    return {us[us.size() / 2], sum / us.size()};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        fwprintf(stderr, L"usage: process_bench <watch_target.exe> <extra> [rounds]\n");
        return 2;
    }
    const std::wstring helper = argv[1];
    const int extra = _wtoi(argv[2]);
    const int rounds = argc > 3 ? _wtoi(argv[3]) : 200;

    // The watched program runs under its own name; the extra processes under another.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring watched = std::wstring(temp) + L"bench_watched.exe";
    const std::wstring other = std::wstring(temp) + L"bench_other.exe";
    CopyFileW(helper.c_str(), watched.c_str(), FALSE);
    CopyFileW(helper.c_str(), other.c_str(), FALSE);

    std::vector<HANDLE> started;
    for (int i = 0; i < extra; ++i) {
        if (HANDLE h = Start(other, L"idle"))
            started.push_back(h);
    }
    HANDLE target = Start(watched, L"visible");
    WaitForInputIdle(target, 10000);
    Sleep(1000);

    win::Win32ProcessWatch watch;
    size_t listed = BareWalk();
    // Warm up both paths once.
    CheckProgram(watch, watched, true);
    const auto before = watch.Stats();
    ProgramCheck last;
    const Timing check = Measure(rounds, [&] { last = CheckProgram(watch, watched, true); });
    const auto after = watch.Stats();
    const Timing bare = Measure(rounds, [&] { listed = BareWalk(); });
    size_t openedEvery = 0;
    const Timing every =
        Measure(rounds, [&] { openedEvery = OpenEveryWalk(watched) + OpenEveryWalk(watched); });

    const double openedPerCheck =
        static_cast<double>(after.processesOpened - before.processesOpened) / rounds;
    const double walksPerCheck = static_cast<double>(after.snapshots - before.snapshots) / rounds;
    wprintf(L"extra processes %d, processes listed %zu, rounds %d\n", extra, listed, rounds);
    wprintf(
        L"  check (running, id, window, responding): median %.0f us, mean %.0f us, "
        L"%.2f processes opened, %.2f list walks; found=%d window=%d responding=%d\n",
        check.medianUs, check.meanUs, openedPerCheck, walksPerCheck, last.running ? 1 : 0,
        last.window != 0 ? 1 : 0, last.responding ? 1 : 0);
    wprintf(L"  bare list walk:                           median %.0f us, mean %.0f us\n",
            bare.medianUs, bare.meanUs);
    wprintf(L"  check / bare walk (medians):              %.2f\n", check.medianUs / bare.medianUs);
    wprintf(L"  for comparison, two walks opening every process: median %.0f us, %zu opened\n",
            every.medianUs, openedEvery);

    for (HANDLE h : started)
        TerminateProcess(h, 0);
    TerminateProcess(target, 0);
    for (HANDLE h : started) {
        WaitForSingleObject(h, 5000);
        CloseHandle(h);
    }
    WaitForSingleObject(target, 5000);
    CloseHandle(target);
    DeleteFileW(watched.c_str());
    DeleteFileW(other.c_str());
    return 0;
}
