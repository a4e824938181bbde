#pragma once
// The system operations through Win32. Every call goes through a table of function pointers,
// so tests can check the exact arguments of a shutdown or an input block without firing one.
#include <windows.h>

#include <endpointvolume.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cstdint>
#include <span>
#include <string_view>

#include "ports/system_ops.h"

namespace klaxora::win {

struct SystemApi {
    BOOL(WINAPI* OpenProcessToken)(HANDLE, DWORD, PHANDLE);
    BOOL(WINAPI* LookupPrivilegeValueW)(LPCWSTR, LPCWSTR, PLUID);
    BOOL(WINAPI* AdjustTokenPrivileges)
    (HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD);
    BOOL(WINAPI* CloseHandle)(HANDLE);
    BOOL(WINAPI* ExitWindowsEx)(UINT, DWORD);
    BOOL(WINAPI* SetSystemPowerState)(BOOL, BOOL);
    LRESULT(WINAPI* SendMessageW)(HWND, UINT, WPARAM, LPARAM);
    UINT(WINAPI* SendInput)(UINT, LPINPUT, int);
    BOOL(WINAPI* GetCursorPos)(LPPOINT);
    BOOL(WINAPI* SetCursorPos)(int, int);
    UINT(WINAPI* WinExec)(LPCSTR, UINT);
    HINSTANCE(WINAPI* ShellExecuteW)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    MMRESULT(WINAPI* waveOutSetVolume)(HWAVEOUT, DWORD);
    MCIERROR(WINAPI* mciSendCommandW)(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR);
    // The system's volume: the default output's endpoint.
    HRESULT(WINAPI* DefaultOutputVolume)(IAudioEndpointVolume**);
    // The action's own launch, which learns the started process to let it come to the front.
    BOOL(WINAPI* ShellExecuteExW)(SHELLEXECUTEINFOW*);
    DWORD(WINAPI* GetProcessId)(HANDLE);
    BOOL(WINAPI* AllowSetForegroundWindow)(DWORD);
    // Whether Windows would let simulated input through: the input desktop (not ours while the
    // computer is locked) and the elevation of the process whose window would take it.
    HDESK(WINAPI* OpenInputDesktop)(DWORD, BOOL, ACCESS_MASK);
    BOOL(WINAPI* CloseDesktop)(HDESK);
    HWND(WINAPI* GetForegroundWindow)();
    HWND(WINAPI* WindowFromPoint)(POINT);
    DWORD(WINAPI* GetWindowThreadProcessId)(HWND, LPDWORD);
    HANDLE(WINAPI* OpenProcess)(DWORD, BOOL, DWORD);
    BOOL(WINAPI* GetTokenInformation)(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD, PDWORD);
    // The shell's own minimise-all.
    HRESULT(WINAPI* MinimizeAllWindows)();
    // Whether a screen saver is chosen.
    BOOL(WINAPI* SystemParametersInfoW)(UINT, UINT, PVOID, UINT);
    LSTATUS(WINAPI* RegGetValueW)(HKEY, LPCWSTR, LPCWSTR, DWORD, LPDWORD, PVOID, LPDWORD);
    // The program's one input blocker (InputBlocker::Block): the system's error, or 0.
    DWORD (*HookInput)(uint8_t devices, uint32_t forMs);
};

// The system's own functions.
const SystemApi& RealSystemApi();

// The volume control of the default output (the console's render endpoint), through Core Audio.
HRESULT WINAPI DefaultOutputVolume(IAudioEndpointVolume** volume);
// IShellDispatch::MinimizeAll, in the calling thread's apartment.
HRESULT WINAPI MinimizeAllWindows();

// Why Windows would drop input simulated now for `target` (the window in front, the window
// under a click): the computer is locked, or the window's program runs as administrator while
// we do not, which Windows answers by dropping the input without a word. Nothing when the
// input would arrive.
SystemFailure InputRefusal(const SystemApi& api, HWND target);
// Sends the events in one call, so none of the user's own come between them; fewer taken than
// given is the system's refusal.
SystemFailure SendInputs(const SystemApi& api, std::span<INPUT> inputs);

namespace system_texts {
inline constexpr std::wstring_view kInputLocked =
    L"Komputer jest zablokowany (lub widać ekran logowania albo zabezpieczeń), a Windows nie "
    L"przyjmuje wtedy od programów naciśnięć klawiszy ani kliknięć myszy.\r\rNic nie zostało "
    L"naciśnięte ani kliknięte.";
inline constexpr std::wstring_view kInputElevated =
    L"Okno, do którego trafiłoby naciśnięcie klawisza lub kliknięcie myszy, należy do programu "
    L"uruchomionego jako administrator, a Windows nie przekazuje mu ich od programów "
    L"uruchomionych zwyczajnie.\r\rNic nie zostało naciśnięte ani kliknięte. Aby to działało, "
    L"uruchom Klaxorę również jako administrator.";
inline constexpr std::wstring_view kInputDropped =
    L"Windows nie przyjął zasymulowanego naciśnięcia klawisza lub kliknięcia myszy.";
inline constexpr std::wstring_view kNoScreenSaver =
    L"W systemie nie wybrano wygaszacza ekranu, więc nie ma czego uruchomić.\r\rWybierz go w "
    L"ustawieniach Windows: Personalizacja > Ekran blokady > Ustawienia wygaszacza ekranu.";
inline constexpr std::wstring_view kMinimizeAllFailed =
    L"Nie udało się zminimalizować wszystkich okien.";
inline constexpr std::wstring_view kKeyboardNotBlocked = L"Nie udało się zablokować klawiatury.";
inline constexpr std::wstring_view kMouseNotBlocked = L"Nie udało się zablokować myszy.";
}  // namespace system_texts

// Posted to the application window when a launch that was still waiting (for the system's
// elevation prompt, say) when the action went on is refused after all; lParam is a heap
// std::wstring with the refusal's text, the receiver's to delete.
inline constexpr UINT kLaunchRefusedMessage = WM_APP + 23;
// How long an action waits for its launch before it goes on and lets the answer come later.
inline constexpr DWORD kLaunchWaitMs = 2000;

// The shell's launch itself, waiting for its answer; the started program may come to the front.
SystemFailure ShellLaunch(const SystemApi& api, HWND owner, const std::wstring& file);

class Win32SystemOperations : public SystemOperations {
  public:
    // applicationWindow: the program's hidden main window, which receives the monitor-off
    // command.
    explicit Win32SystemOperations(HWND applicationWindow, const SystemApi& api = RealSystemApi())
        : appWindow_(applicationWindow), api_(api) {}
    // The program's operations are made before its main window: it is named once it exists.
    void SetApplicationWindow(HWND applicationWindow) { appWindow_ = applicationWindow; }

    bool SetTokenPrivilege(std::wstring_view privilege, bool enable) override;
    SystemFailure ExitSystem(uint32_t flags) override;
    void EnterPowerState(bool suspend, bool force) override;
    void SendMonitorOff() override;
    SystemFailure SendScreenSaver(WindowRef target) override;
    SystemFailure SendMinimizeAll() override;
    void WakeDisplay() override;
    void LaunchControlPanel() override;
    void LaunchExplorer(WindowRef owner) override;
    void LaunchDefaultBrowser(WindowRef owner) override;
    SystemFailure OpenWithShell(WindowRef owner, std::wstring_view target) override;
    SystemFailure SetMaxVolume() override;
    SystemFailure DisableKeyboard(uint32_t forMs) override;
    SystemFailure DisableMouse(uint32_t forMs) override;
    SystemFailure ClickMouse(int x, int y, int clicks) override;
    void OperateCdTray(wchar_t driveLetter, bool open) override;

  private:
    HWND appWindow_;
    const SystemApi& api_;
};

inline HWND ToHwnd(WindowRef w) {
    return reinterpret_cast<HWND>(w);
}
inline WindowRef ToRef(HWND w) {
    return reinterpret_cast<WindowRef>(w);
}

}  // namespace klaxora::win
