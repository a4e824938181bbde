// The Win32 system operations: the exact calls through a replaced function table (nothing is
// shut down, suspended or blocked), and the mouse and keys delivered for real to test windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include <cstring>
#include <string>
#include <vector>

#include "actions/key_names.h"
#include "actions/system_actions.h"
#include "win/sys/file_system_win.h"
#include "win/sys/handles.h"
#include "win/sys/input_block_win.h"
#include "win/sys/key_sink_win.h"
#include "util/user_error.h"
#include "win/sys/system_error.h"
#include "win/pump.h"
#include "win/sys/system_ops_win.h"

namespace klaxora::testing {
namespace {

using Calls = std::vector<std::wstring>;
Calls g_calls;
POINT g_cursor{};
bool g_failPower = false;
bool g_failMciOpen = false;
// Where simulated input would go and what the system answers; the events sent.
struct Answers {
    bool locked{}, weElevated{}, frontElevated{}, frontOpens = true, saverActive = true;
    DWORD saverBytes[2]{}, hookError = 0;  // the policy's and the user's SCRNSAVE.EXE
    UINT taken = 99;
    HRESULT minimized = S_OK;
} g;
Calls g_sent;

std::wstring Hex(uintptr_t v) {
    wchar_t text[32];
    swprintf(text, 32, L"%llx", static_cast<unsigned long long>(v));
    return text;
}

const HANDLE kToken = reinterpret_cast<HANDLE>(0x7070);
const HANDLE kFront = reinterpret_cast<HANDLE>(0x8080);  // the front window's process and token

BOOL WINAPI FakeOpenProcessToken(HANDLE process, DWORD access, PHANDLE token) {
    g_calls.push_back(L"OpenProcessToken " + Hex(access));
    *token = process == kFront ? kFront : kToken;
    return TRUE;
}
BOOL WINAPI FakeLookupPrivilegeValueW(LPCWSTR system, LPCWSTR name, PLUID luid) {
    g_calls.push_back(std::wstring(L"LookupPrivilegeValue ") + (system ? L"remote " : L"") + name);
    luid->LowPart = 19;
    luid->HighPart = 0;
    return TRUE;
}
BOOL WINAPI FakeAdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state,
                                      DWORD size, PTOKEN_PRIVILEGES, PDWORD) {
    g_calls.push_back(
        L"AdjustTokenPrivileges " + std::wstring(token == kToken ? L"token" : L"?") + L" " +
        std::to_wstring(disableAll) + L" count " + std::to_wstring(state->PrivilegeCount) +
        L" luid " + std::to_wstring(state->Privileges[0].Luid.LowPart) + L" attr " +
        std::to_wstring(state->Privileges[0].Attributes) + L" size " + std::to_wstring(size));
    return TRUE;
}
BOOL WINAPI FakeCloseHandle(HANDLE h) {
    g_calls.push_back(std::wstring(L"CloseHandle ") + (h == kToken ? L"token" : L"?"));
    return TRUE;
}
BOOL WINAPI FakeExitWindowsEx(UINT flags, DWORD reason) {
    g_calls.push_back(L"ExitWindowsEx " + std::to_wstring(flags) + L" " + std::to_wstring(reason));
    return TRUE;
}
BOOL WINAPI FakeSetSystemPowerState(BOOL suspend, BOOL force) {
    g_calls.push_back(L"SetSystemPowerState " + std::to_wstring(suspend) + L" " +
                      std::to_wstring(force));
    if (g_failPower) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return TRUE;
}
LRESULT WINAPI FakeSendMessageW(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    g_calls.push_back(L"SendMessage " + Hex(reinterpret_cast<uintptr_t>(hwnd)) + L" " + Hex(msg) +
                      L" " + Hex(w) + L" " + Hex(l));
    return 0;
}
UINT WINAPI FakeSendInput(UINT count, LPINPUT in, int) {
    for (UINT i = 0; i < count; ++i)
        g_sent.push_back(in[i].type == INPUT_MOUSE
                             ? L"mouse " + Hex(in[i].mi.dwFlags)
                             : L"key " + Hex(in[i].ki.wVk) + L" " + Hex(in[i].ki.wScan) + L" " +
                                   Hex(in[i].ki.dwFlags));
    return std::min(count, g.taken);
}
BOOL WINAPI FakeGetCursorPos(LPPOINT p) {
    *p = g_cursor;
    g_calls.push_back(L"GetCursorPos");
    return TRUE;
}
BOOL WINAPI FakeSetCursorPos(int x, int y) {
    g_calls.push_back(L"SetCursorPos " + std::to_wstring(x) + L"," + std::to_wstring(y));
    return TRUE;
}
UINT WINAPI FakeWinExec(LPCSTR command, UINT show) {
    std::wstring wide(command, command + strlen(command));
    g_calls.push_back(L"WinExec " + wide + L" " + std::to_wstring(show));
    return 33;
}
HINSTANCE WINAPI FakeShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR params,
                                   LPCWSTR dir, INT show) {
    g_calls.push_back(L"ShellExecute " + Hex(reinterpret_cast<uintptr_t>(owner)) + L" " + verb +
                      L" " + file + L" " + (params ? params : L"-") + L" " + (dir ? dir : L"-") +
                      L" " + std::to_wstring(show));
    return reinterpret_cast<HINSTANCE>(33);
}
// The shell reports the process it started.
BOOL WINAPI FakeShellExecuteExW(SHELLEXECUTEINFOW* info) {
    g_calls.push_back(L"ShellExecuteEx " + Hex(reinterpret_cast<uintptr_t>(info->hwnd)) + L" " +
                      info->lpVerb + L" " + info->lpFile + L" " + Hex(info->fMask));
    info->hInstApp = reinterpret_cast<HINSTANCE>(42);
    info->hProcess = kToken;
    return TRUE;
}
DWORD WINAPI FakeGetProcessId(HANDLE process) {
    return process == kToken ? 4321 : 0;
}
BOOL WINAPI FakeAllowSetForegroundWindow(DWORD pid) {
    g_calls.push_back(L"AllowSetForegroundWindow " + std::to_wstring(pid));
    return TRUE;
}
MMRESULT WINAPI FakeWaveOutSetVolume(HWAVEOUT device, DWORD volume) {
    g_calls.push_back(L"waveOutSetVolume " + Hex(reinterpret_cast<uintptr_t>(device)) + L" " +
                      Hex(volume));
    return 0;
}
MCIERROR WINAPI FakeMciSendCommandW(MCIDEVICEID id, UINT msg, DWORD_PTR flags, DWORD_PTR param) {
    std::wstring call = L"mci " + std::to_wstring(id) + L" " + Hex(msg) + L" " + Hex(flags);
    if (msg == MCI_OPEN) {
        auto* open = reinterpret_cast<MCI_OPEN_PARMSW*>(param);
        call += std::wstring(L" type ") + open->lpstrDeviceType + L" element " +
                open->lpstrElementName + L" callback " + Hex(open->dwCallback);
        if (g_failMciOpen) {
            g_calls.push_back(call);
            return MCIERR_INVALID_DEVICE_NAME;
        }
        open->wDeviceID = 9;
    }
    g_calls.push_back(call);
    return 0;
}

IAudioEndpointVolume* g_output = nullptr;  // the default output, when there is one
HRESULT WINAPI FakeDefaultOutputVolume(IAudioEndpointVolume** volume) {
    g_calls.push_back(L"DefaultOutputVolume");
    if ((*volume = g_output) != nullptr)
        g_output->AddRef();
    return g_output ? S_OK : HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
}

const win::SystemApi kFakeApi{
    &FakeOpenProcessToken,
    &FakeLookupPrivilegeValueW,
    &FakeAdjustTokenPrivileges,
    &FakeCloseHandle,
    &FakeExitWindowsEx,
    &FakeSetSystemPowerState,
    &FakeSendMessageW,
    &FakeSendInput,
    &FakeGetCursorPos,
    &FakeSetCursorPos,
    &FakeWinExec,
    &FakeShellExecuteW,
    &FakeWaveOutSetVolume,
    &FakeMciSendCommandW,
    &FakeDefaultOutputVolume,
    &FakeShellExecuteExW,
    &FakeGetProcessId,
    &FakeAllowSetForegroundWindow,
    [](DWORD, BOOL, ACCESS_MASK) { return g.locked ? HDESK{} : reinterpret_cast<HDESK>(1); },
    [](HDESK) { return TRUE; },
    [] { return reinterpret_cast<HWND>(0xF0); },
    [](POINT) { return reinterpret_cast<HWND>(0xF1); },
    [](HWND, LPDWORD pid) { return *pid = 4321; },
    [](DWORD, BOOL, DWORD) { return g.frontOpens ? kFront : HANDLE{}; },
    [](HANDLE token, TOKEN_INFORMATION_CLASS, LPVOID out, DWORD, PDWORD) {
        auto* elevation = static_cast<TOKEN_ELEVATION*>(out);
        elevation->TokenIsElevated = token == kFront ? g.frontElevated : g.weElevated;
        return TRUE;
    },
    [] {
        g_calls.push_back(L"MinimizeAllWindows");
        return g.minimized;
    },
    [](UINT, UINT, PVOID on, UINT) {
        *static_cast<BOOL*>(on) = g.saverActive;
        return TRUE;
    },
    [](HKEY, LPCWSTR key, LPCWSTR, DWORD, LPDWORD, PVOID, LPDWORD size) {
        *size = g.saverBytes[std::wstring_view(key).starts_with(L"Control") ? 1 : 0];
        return *size ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    },
    [](uint8_t devices, uint32_t ms) {
        g_calls.push_back(L"HookInput " + std::to_wstring(devices) + L" " + std::to_wstring(ms));
        return g.hookError;
    },
};

class SystemOpsSeam : public ::testing::Test {
  protected:
    void SetUp() override {
        g_calls.clear();
        g_cursor = {};
        g_failPower = g_failMciOpen = false;
        g = {};
    }
    HWND app = reinterpret_cast<HWND>(0xA0);
    win::Win32SystemOperations ops{app, kFakeApi};
};

// A launch held up by the elevation prompt: the action goes on after a moment, and the refusal
// that comes later reaches the application window.
HANDLE g_promptAnswered = nullptr;
BOOL WINAPI FakePromptedShellExecuteExW(SHELLEXECUTEINFOW* info) {
    WaitForSingleObject(g_promptAnswered, 30000);
    info->hInstApp = reinterpret_cast<HINSTANCE>(SE_ERR_ACCESSDENIED);
    return FALSE;
}

TEST(SystemOpsLaunch, ALaunchWaitingForElevationLetsTheActionGoOnAndReportsLater) {
    win::SystemApi prompted = kFakeApi;
    prompted.ShellExecuteExW = &FakePromptedShellExecuteExW;
    win::KernelHandle answered(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    g_promptAnswered = answered.Get();
    const HWND app = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     nullptr, nullptr);
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(win::Win32SystemOperations(app, prompted).OpenWithShell(0, L"C:\\admin.exe"),
              std::nullopt);
    EXPECT_LT(GetTickCount64() - start, win::kLaunchWaitMs + 1000);
    SetEvent(answered.Get());
    MSG msg{};
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!PeekMessageW(&msg, app, win::kLaunchRefusedMessage, win::kLaunchRefusedMessage,
                         PM_REMOVE) &&
           GetTickCount64() < deadline)
        Sleep(10);
    const std::unique_ptr<std::wstring> refusal(reinterpret_cast<std::wstring*>(msg.lParam));
    ASSERT_TRUE(refusal);
    EXPECT_EQ(*refusal, win::SystemErrorMessage(ERROR_ACCESS_DENIED));
    DestroyWindow(app);
}

TEST_F(SystemOpsSeam, PowerOffEnablesThePrivilegeExitsAndDropsIt) {
    ShutDownSystem(ops, L"Wyłącz komputer");
    const std::wstring adjust = L"AdjustTokenPrivileges token 0 count 1 luid 19 attr ";
    EXPECT_EQ(g_calls, (Calls{
                           L"OpenProcessToken 28",
                           L"LookupPrivilegeValue SeShutdownPrivilege",
                           adjust + L"2 size 16",
                           L"CloseHandle token",
                           L"ExitWindowsEx 12 0",
                           L"OpenProcessToken 28",
                           L"LookupPrivilegeValue SeShutdownPrivilege",
                           adjust + L"0 size 16",
                           L"CloseHandle token",
                       }));
    g_calls.clear();
    ShutDownSystem(ops, L"Uruchom ponownie (restart)");
    EXPECT_EQ(g_calls[4], L"ExitWindowsEx 6 0");
    g_calls.clear();
    ShutDownSystem(ops, L"Wyloguj aktualnego użytkownika");
    EXPECT_EQ(g_calls[4], L"ExitWindowsEx 4 0");
    g_calls.clear();
    ShutDownSystem(ops, L"Zamknij system (Przejdź do DOS Win 9x i ME)");
    EXPECT_EQ(g_calls[4], L"ExitWindowsEx 5 0");
}

TEST_F(SystemOpsSeam, MonitorOffGoesToTheApplicationWindowWithLowPower) {
    ShutDownSystem(ops, L"Wygaś monitor");
    EXPECT_EQ(g_calls[4], L"SendMessage a0 112 f170 1");
    g_calls.clear();
    ops.SendMonitorOff();
    EXPECT_EQ(g_calls, Calls{L"SendMessage a0 112 f170 1"});
    // A screen saver only when one is chosen: Windows 10 and 11 come with none.
    const std::tuple<bool, DWORD, DWORD, bool> cases[] = {
        {true, 0, 24, true}, {true, 12, 0, true},   {true, 0, 2, false},
        {true, 0, 0, false}, {false, 0, 24, false},
    };
    for (const auto& [active, policy, user, started] : cases) {
        g_calls.clear();
        std::tie(g.saverActive, g.saverBytes[0], g.saverBytes[1]) = std::tie(active, policy, user);
        EXPECT_EQ(ops.SendScreenSaver(0xB0).value_or(L""),
                  started ? L"" : win::system_texts::kNoScreenSaver);
        EXPECT_EQ(g_calls, started ? Calls{L"SendMessage b0 112 f140 0"} : Calls{}) << user;
    }
}

TEST_F(SystemOpsSeam, PowerStateSetsThePrivilegeThenRaisesTheSystemsText) {
    ops.EnterPowerState(false, true);
    EXPECT_EQ(g_calls, (Calls{
                           L"OpenProcessToken 28",
                           L"LookupPrivilegeValue SeShutdownPrivilege",
                           L"AdjustTokenPrivileges token 0 count 1 luid 19 attr 2 size 16",
                           L"CloseHandle token",
                           L"SetSystemPowerState 0 1",
                       }));
    g_failPower = true;
    g_calls.clear();
    try {
        ops.EnterPowerState(true, true);
        FAIL() << "no error";
    } catch (const UserError& e) {
        EXPECT_FALSE(e.Message().empty());
        EXPECT_EQ(e.Message(),
                  L"Błąd systemu. Kod: 5.\r\n" + win::SystemErrorText(ERROR_ACCESS_DENIED));
    }
    EXPECT_EQ(g_calls.back(), L"SetSystemPowerState 1 1");
}

TEST_F(SystemOpsSeam, KeysMouseAndCursor) {
    using namespace win::system_texts;
    const std::pair<Answers, std::wstring_view> cases[] = {
        {{.locked = true, .weElevated = true}, kInputLocked},
        {{.frontElevated = true}, kInputElevated},
        {{.frontOpens = false}, kInputElevated},  // not even to be asked: taken as elevated
        {{.weElevated = true, .frontElevated = true}, L""},
        {{}, L""},
    };
    for (const auto& [answers, refusal] : cases) {
        g = answers;
        g_sent.clear();
        win::SendInputKeySink keys(kFakeApi);
        if (refusal.empty())
            EXPECT_NO_THROW(SimulateNamedKey(keys, L"Strzałka w lewo"));
        else
            EXPECT_THROW(SimulateNamedKey(keys, L"Strzałka w lewo"), UserError);
        EXPECT_EQ(ops.ClickMouse(100, 200, 2).value_or(L""), refusal);
        EXPECT_EQ(g_sent.empty(), !refusal.empty()) << g.locked << g.frontOpens;
    }
    EXPECT_EQ(g_sent, (Calls{L"key 25 4b 1", L"key 25 4b 3", L"mouse 2", L"mouse 4", L"mouse 2",
                             L"mouse 4"}));
    g.taken = 0;  // fewer taken than given: the system's refusal
    EXPECT_EQ(ops.ClickMouse(1, 1, 1).value_or(L"").find(kInputDropped), 0u);
    g_calls.clear();
    g_cursor = {0, 0};
    ops.WakeDisplay();
    EXPECT_EQ(g_calls, (Calls{L"GetCursorPos", L"SetCursorPos 10,10", L"SetCursorPos 0,0"}));
    g_calls.clear();
    g_cursor = {300, 5};
    ops.WakeDisplay();
    EXPECT_EQ(g_calls, (Calls{L"GetCursorPos", L"SetCursorPos 0,0", L"SetCursorPos 300,5"}));
}

TEST_F(SystemOpsSeam, LaunchesMinimizeAllAndInputBlocks) {
    ops.LaunchControlPanel();
    ops.LaunchExplorer(0xC0);
    ops.LaunchDefaultBrowser(0xC0);
    EXPECT_EQ(ops.OpenWithShell(0xC0, L"C:\\Folder z ą\\plik.txt"), std::nullopt);
    EXPECT_EQ(ops.SendMinimizeAll(), std::nullopt);
    EXPECT_EQ(ops.DisableMouse(0), std::nullopt);
    EXPECT_EQ(ops.DisableKeyboard(10000), std::nullopt);
    // No endpoint: reported, and our own session's volume is raised all the same.
    EXPECT_EQ(ops.SetMaxVolume(), win::SystemErrorMessage(HRESULT_FROM_WIN32(ERROR_NOT_FOUND)));
    EXPECT_EQ(g_calls, (Calls{
                           L"WinExec rundll32 shell32.dll,Control_RunDLL 5",
                           L"ShellExecute c0 open explorer.exe - - 1",
                           L"ShellExecute c0 open about:blank - - 1",
                           L"ShellExecuteEx c0 open C:\\Folder z ą\\plik.txt 440",
                           L"AllowSetForegroundWindow 4321",
                           L"CloseHandle token",
                           L"MinimizeAllWindows",
                           L"HookInput 2 0",
                           L"HookInput 1 10000",
                           L"DefaultOutputVolume",
                           L"waveOutSetVolume 0 ffffffff",
                       }));
    g = {.hookError = ERROR_ACCESS_DENIED, .minimized = E_NOTIMPL};
    EXPECT_EQ(ops.SendMinimizeAll().value_or(L"").find(win::system_texts::kMinimizeAllFailed), 0u);
    EXPECT_EQ(ops.DisableKeyboard(0).value_or(L"").find(win::system_texts::kKeyboardNotBlocked),
              0u);
}

TEST_F(SystemOpsSeam, CdTrayOpensTheDriveDoorAndCloses) {
    ops.OperateCdTray(L'E', true);
    EXPECT_EQ(g_calls, (Calls{L"mci 0 803 2200 type CDAudio element E callback 0", L"mci 9 80d 100",
                              L"mci 9 804 1"}));
    g_calls.clear();
    ops.OperateCdTray(L'D', false);
    EXPECT_EQ(g_calls[1], L"mci 9 80d 200");
    g_calls.clear();
    g_failMciOpen = true;
    ops.OperateCdTray(L'Q', true);
    EXPECT_EQ(g_calls.size(), 1u);
}

// A window that records the mouse buttons and keys it receives, with where they happened.
class InputWindow {
  public:
    InputWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &InputWindow::Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KlaxoraInputTest";
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(WS_EX_TOPMOST, L"KlaxoraInputTest", L"input", WS_POPUP | WS_VISIBLE,
                               100, 100, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
        SetForegroundWindow(hwnd);
        SetFocus(hwnd);
        Pump(200);
        events.clear();
    }
    ~InputWindow() { DestroyWindow(hwnd); }
    static void Pump(int ms) { PumpFor(ms); }
    // Waits for `count` events (a deadline, not a fixed time); the events are compared after.
    static void WaitForEvents(size_t count) {
        PumpUntil([count] { return events.size() >= count; });
    }
    HWND hwnd = nullptr;
    static inline std::vector<std::wstring> events;

  private:
    // Bit 24 of a key message: the key is an extended key.
    static std::wstring Extended(LPARAM l) { return (l & (1 << 24)) ? L"e" : L""; }
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
        const auto at = [&] {
            return L" " + std::to_wstring(static_cast<short>(LOWORD(l))) + L"," +
                   std::to_wstring(static_cast<short>(HIWORD(l)));
        };
        switch (msg) {
            case WM_LBUTTONDOWN:
                events.push_back(L"down" + at());
                break;
            case WM_LBUTTONUP:
                events.push_back(L"up" + at());
                break;
            case WM_LBUTTONDBLCLK:
                events.push_back(L"dbl" + at());
                break;
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                events.push_back(L"v" + Hex(w) + Extended(l));
                break;
            case WM_KEYUP:
            case WM_SYSKEYUP:
                events.push_back(L"^" + Hex(w) + Extended(l));
                break;
            default:
                break;
        }
        return DefWindowProcW(hwnd, msg, w, l);
    }
};

TEST(SystemOpsReal, ClickMouseDeliversDownAndUpAtThePoint) {
    InputWindow window;
    win::Win32SystemOperations ops(nullptr);
    ASSERT_EQ(ops.ClickMouse(150, 170, 1), std::nullopt);
    InputWindow::WaitForEvents(2);
    EXPECT_EQ(InputWindow::events, (Calls{L"down 50,70", L"up 50,70"}));
    InputWindow::events.clear();
    ASSERT_EQ(ops.ClickMouse(220, 130, 2), std::nullopt);
    InputWindow::WaitForEvents(4);
    // The class has no double-click style, so the second click is a plain down and up.
    EXPECT_EQ(InputWindow::events,
              (Calls{L"down 120,30", L"up 120,30", L"down 120,30", L"up 120,30"}));
}

// Wine's shell, too, cannot start a program that is not there.
TEST(SystemOpsReal, AProgramTheShellCannotStartIsReportedWithTheSystemsText) {
    const std::wstring missing = win::Win32FileSystem().ExecutableDirectory() + L"brak.exe";
    EXPECT_EQ(win::Win32SystemOperations(nullptr).OpenWithShell(0, missing),
              win::SystemErrorMessage(ERROR_FILE_NOT_FOUND));
}

TEST(SystemOpsReal, SimulateNamedKeyReachesTheFocusedWindow) {
    InputWindow window;
    win::SendInputKeySink sink;
    SimulateNamedKey(sink, L"Z");
    InputWindow::WaitForEvents(4);
    EXPECT_EQ(InputWindow::events, (Calls{L"v10", L"v5a", L"^5a", L"^10"}));
    InputWindow::events.clear();
    SimulateNamedKey(sink, L"Ctrl+F5");
    InputWindow::WaitForEvents(4);
    EXPECT_EQ(InputWindow::events, (Calls{L"v11", L"v74", L"^74", L"^11"}));
    // An arrow arrives as the extended key, not as its keypad twin.
    InputWindow::events.clear();
    SimulateNamedKey(sink, L"Strzałka w lewo");
    InputWindow::WaitForEvents(2);
    EXPECT_EQ(InputWindow::events, (Calls{L"v25e", L"^25e"}));
    InputWindow::events.clear();
    SimulateNamedKey(sink, L"nieznany");
    InputWindow::Pump(200);  // nothing is to arrive
    EXPECT_TRUE(InputWindow::events.empty());
}

TEST(SystemOpsReal, ABlockSwallowsKeysUntilItsTimeIsUp) {
    InputWindow window;
    win::InputBlocker blocker;
    win::SendInputKeySink keys;
    const ULONGLONG start = GetTickCount64();
    ASSERT_EQ(blocker.Block(win::kKeyboardInput, 300), 0u);
    SimulateNamedKey(keys, L"z");
    ASSERT_EQ(blocker.Blocked(), win::kKeyboardInput) << "the key went out after the block";
    // The click comes in after the key: once it is there, the key would have been too.
    ASSERT_EQ(win::Win32SystemOperations(nullptr).ClickMouse(150, 170, 1), std::nullopt);
    InputWindow::WaitForEvents(2);
    EXPECT_EQ(InputWindow::events, (Calls{L"down 50,70", L"up 50,70"}));
    EXPECT_TRUE(PumpUntil([&] { return blocker.Blocked() == 0; }));
    EXPECT_GE(GetTickCount64() - start, 300u);
    InputWindow::events.clear();
    SimulateNamedKey(keys, L"z");
    InputWindow::WaitForEvents(2);
    EXPECT_EQ(InputWindow::events, (Calls{L"v5a", L"^5a"}));
}

// Wine gives the null sound device an output (its level fixed at the maximum).
TEST_F(SystemOpsSeam, MaxVolumeRaisesAndUnmutesTheDefaultOutput) {
    win::ComPtr<IAudioEndpointVolume> output;
    ASSERT_HRESULT_SUCCEEDED(win::DefaultOutputVolume(output.Put()));
    ASSERT_HRESULT_SUCCEEDED(output->SetMute(TRUE, nullptr));
    g_output = output.Get();
    EXPECT_EQ(ops.SetMaxVolume(), std::nullopt);
    g_output = nullptr;
    BOOL muted = TRUE;
    output->GetMute(&muted);
    EXPECT_FALSE(muted);
}

}  // namespace
}  // namespace klaxora::testing
