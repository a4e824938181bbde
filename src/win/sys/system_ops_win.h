#pragma once
// The system operations through Win32. Every call goes through a table of function pointers,
// so tests can check the exact arguments of a shutdown or an input block without firing one.
#include <windows.h>

#include <endpointvolume.h>
#include <mmsystem.h>
#include <shellapi.h>

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
    void(WINAPI* keybd_event)(BYTE, BYTE, DWORD, ULONG_PTR);
    BOOL(WINAPI* GetCursorPos)(LPPOINT);
    BOOL(WINAPI* SetCursorPos)(int, int);
    UINT(WINAPI* WinExec)(LPCSTR, UINT);
    HINSTANCE(WINAPI* ShellExecuteW)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    MMRESULT(WINAPI* waveOutSetVolume)(HWAVEOUT, DWORD);
    void(WINAPI* mouse_event)(DWORD, DWORD, DWORD, DWORD, ULONG_PTR);
    MCIERROR(WINAPI* mciSendCommandW)(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR);
    // The system's volume: the default output's endpoint.
    HRESULT(WINAPI* DefaultOutputVolume)(IAudioEndpointVolume**);
    // The action's own launch, which learns the started process to let it come to the front.
    BOOL(WINAPI* ShellExecuteExW)(SHELLEXECUTEINFOW*);
    DWORD(WINAPI* GetProcessId)(HANDLE);
    BOOL(WINAPI* AllowSetForegroundWindow)(DWORD);
};

// The system's own functions.
const SystemApi& RealSystemApi();

// The volume control of the default output (the console's render endpoint), through Core Audio.
HRESULT WINAPI DefaultOutputVolume(IAudioEndpointVolume** volume);

// The command line that blocks the mouse, started through rundll32 like the keyboard's
// "keyboard,disable": the same file,entry form.
inline constexpr const wchar_t* kDisableMouseParameters = L"mouse,disable";
inline constexpr const wchar_t* kDisableKeyboardParameters = L"keyboard,disable";

class Win32SystemOperations : public SystemOperations {
  public:
    // applicationWindow: the program's hidden main window, which receives the monitor-off
    // command.
    explicit Win32SystemOperations(HWND applicationWindow, const SystemApi& api = RealSystemApi())
        : appWindow_(applicationWindow), api_(api) {}

    bool SetTokenPrivilege(std::wstring_view privilege, bool enable) override;
    SystemFailure ExitSystem(uint32_t flags) override;
    void EnterPowerState(bool suspend, bool force) override;
    void SendMonitorOff() override;
    void SendScreenSaver(WindowRef target) override;
    void SendMinimizeAll() override;
    void WakeDisplay() override;
    void LaunchControlPanel() override;
    void LaunchExplorer(WindowRef owner) override;
    void LaunchDefaultBrowser(WindowRef owner) override;
    SystemFailure OpenWithShell(WindowRef owner, std::wstring_view target) override;
    SystemFailure SetMaxVolume() override;
    void DisableKeyboard(WindowRef owner) override;
    void DisableMouse(WindowRef owner) override;
    void ClickMouse(int x, int y, int clicks) override;
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
