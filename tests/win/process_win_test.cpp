// Process watching against programs this test starts itself.
#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "util/text.h"
#include "win/sys/file_system_win.h"
#include "win/sys/handles.h"
#include "win/sys/process_win.h"
#include "win/child_process.h"

namespace klaxora::testing {
namespace {

template <typename F>
bool WaitFor(F condition, int ms) {
    for (int waited = 0; waited < ms; waited += 50) {
        if (condition())
            return true;
        Sleep(50);
    }
    return condition();
}

TEST(ProcessWatch, PathsCompareWithoutRegardToCase) {
    CopiedHelper copy(L"WATCHCASE.EXE");
    Started target(copy.path, L"idle");
    win::Win32ProcessWatch watch;
    // The file was made in upper case; it is watched in lower case.
    std::wstring lowered = copy.path;
    for (auto& c : lowered)
        c = AsciiLower(c);
    EXPECT_TRUE(EqualsAsciiNoCase(watch.GetProcessPath(target.id), copy.path));
    EXPECT_TRUE(watch.IsProgramRunning(lowered));
    EXPECT_EQ(watch.FindProcessIdByPath(lowered), target.id);
}

TEST(ProcessWatch, OnlyProcessesOfTheWatchedNameAreOpened) {
    CopiedHelper copy(L"klaxora_only_me.exe");
    Started target(copy.path, L"idle");
    win::Win32ProcessWatch watch;
    EXPECT_EQ(watch.FindProcessIdByPath(copy.path), target.id);
    EXPECT_EQ(watch.Stats().snapshots, 1u);
    EXPECT_EQ(watch.Stats().processesOpened, 1u);

    // A file that exists and does not run: a walk, no process opened, no match.
    CopiedHelper idle(L"klaxora_not_running.exe");
    EXPECT_FALSE(watch.IsProgramRunning(idle.path));
    EXPECT_EQ(watch.FindProcessIdByPath(idle.path), kNoProcess);
    EXPECT_EQ(watch.Stats().snapshots, 3u);
    EXPECT_EQ(watch.Stats().processesOpened, 1u);
}

TEST(ProcessWatch, AMissingFileTakesNoSnapshot) {
    win::Win32ProcessWatch watch;
    EXPECT_FALSE(watch.IsProgramRunning(L"C:\\nie\\ma\\takiego.exe"));
    EXPECT_EQ(watch.FindProcessIdByPath(L"C:\\nie\\ma\\takiego.exe"), kNoProcess);
    EXPECT_EQ(watch.FindProcessIdByPath(L""), kNoProcess);
    EXPECT_EQ(watch.Stats().snapshots, 0u);
    EXPECT_EQ(watch.GetProcessPath(0xFFFFFFF0u), L"");
}

TEST(ProcessWatch, ItsOwnPathIsReadBack) {
    win::Win32ProcessWatch watch;
    EXPECT_TRUE(
        EqualsAsciiNoCase(watch.GetProcessPath(GetCurrentProcessId()), win::ExecutablePath()));
    EXPECT_EQ(watch.FindProcessIdByPath(win::ExecutablePath()), GetCurrentProcessId());
}

TEST(ProcessWatch, TwoCopiesUseTheFirstInTheListsOrder) {
    CopiedHelper copy(L"klaxora_twice.exe");
    Started first(copy.path, L"visible");
    Started second(copy.path, L"visible");
    win::Win32ProcessWatch watch;

    DWORD firstListed = 0;
    win::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more && !firstListed;
         more = Process32NextW(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == first.id || entry.th32ProcessID == second.id) {
            firstListed = entry.th32ProcessID;
        }
    }
    ASSERT_NE(firstListed, 0u);
    EXPECT_EQ(watch.FindProcessIdByPath(copy.path), firstListed);

    ASSERT_TRUE(WaitFor([&] { return watch.FindMainWindow(firstListed) != 0; }, 5000));
    const HWND window = reinterpret_cast<HWND>(watch.FindMainWindow(firstListed));
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    EXPECT_EQ(owner, firstListed);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(watch.IsWindowResponding(reinterpret_cast<WindowRef>(window)));
}

TEST(ProcessWatch, HiddenOrDisabledWindowsAreNoMainWindow) {
    Started target(HelperPath(), L"hidden");
    win::Win32ProcessWatch watch;
    // Both of its windows exist...
    int windows = 0;
    std::pair<DWORD, int*> search{target.id, &windows};
    ASSERT_TRUE(WaitFor(
        [&] {
            windows = 0;
            EnumWindows(
                [](HWND hwnd, LPARAM param) -> BOOL {
                    auto* t = reinterpret_cast<std::pair<DWORD, int*>*>(param);
                    DWORD owner = 0;
                    GetWindowThreadProcessId(hwnd, &owner);
                    if (owner == t->first)
                        ++*t->second;
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            return windows >= 2;
        },
        5000));
    // ...but neither is visible and enabled.
    EXPECT_EQ(watch.FindMainWindow(target.id), 0u);
    EXPECT_EQ(watch.FindMainWindow(0), 0u);
    EXPECT_EQ(watch.FindMainWindow(kNoProcess), 0u);
}

TEST(ProcessWatch, AWindowThatStopsTakingMessagesIsReportedAfterFiveSeconds) {
    Started target(HelperPath(), L"hang");
    win::Win32ProcessWatch watch;
    WindowRef window = 0;
    ASSERT_TRUE(WaitFor([&] { return (window = watch.FindMainWindow(target.id)) != 0; }, 5000));
    EXPECT_TRUE(watch.IsWindowResponding(window));

    const HWND hwnd = reinterpret_cast<HWND>(window);
    PostMessageW(hwnd, WM_APP, 0, 0);
    const DWORD hungAt = GetTickCount();
    Sleep(300);
    PostMessageW(hwnd, WM_NULL, 0, 0);  // left waiting in its queue
    Sleep(1500);
    EXPECT_TRUE(watch.IsWindowResponding(window)) << "reported hung too early";
    ASSERT_TRUE(WaitFor([&] { return !watch.IsWindowResponding(window); }, 9000));
    EXPECT_GE(GetTickCount() - hungAt, 5000u);
}

TEST(ProcessWatch, InternetStateIsAnswered) {
    win::Win32ProcessWatch watch;
    // Wine always reports a connection; the call must simply answer without failing.
    EXPECT_TRUE(watch.IsInternetConnected());
}

}  // namespace
}  // namespace klaxora::testing
