#include "win/sys/system_ops_win.h"

#include <mmdeviceapi.h>
#include <shellapi.h>

#include <string>

#include "util/user_error.h"
#include "win/sys/handles.h"
#include "win/sys/system_error.h"
#include "win/sys/system_library.h"

namespace klaxora::win {

const SystemApi& RealSystemApi() {
    static const SystemApi api{
        &::OpenProcessToken,
        &::LookupPrivilegeValueW,
        &::AdjustTokenPrivileges,
        &::CloseHandle,
        &::ExitWindowsEx,
        &::SetSystemPowerState,
        &::SendMessageW,
        &::keybd_event,
        &::GetCursorPos,
        &::SetCursorPos,
        &::WinExec,
        &::ShellExecuteW,
        &delayed::waveOutSetVolume,
        &::mouse_event,
        &delayed::mciSendCommandW,
        &DefaultOutputVolume,
        &::ShellExecuteExW,
        &::GetProcessId,
        &::AllowSetForegroundWindow,
    };
    return api;
}

namespace {

constexpr DWORD kTokenAccess = TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY;  // 0x28

// The token of this process, closed through the same table that opened it.
class Token {
  public:
    Token(const SystemApi& api) : api_(api) {}
    ~Token() {
        if (handle_)
            api_.CloseHandle(handle_);
    }
    Token(const Token&) = delete;
    Token& operator=(const Token&) = delete;
    HANDLE* Put() { return &handle_; }
    HANDLE Get() const { return handle_; }

  private:
    const SystemApi& api_;
    HANDLE handle_ = nullptr;
};

// The system's error, with its code and its own text, for the standard error box.
[[noreturn]] void ThrowLastError() {
    throw UserError(SystemErrorMessage(GetLastError()));
}

// The Win32 error a ShellExecute result of 32 or less stands for (the shell's own numbers for
// a missing association and its DDE failures are not Win32 errors).
DWORD ShellExecuteError(INT_PTR result) {
    switch (result) {
        case 0:
            return ERROR_NOT_ENOUGH_MEMORY;
        case SE_ERR_SHARE:
            return ERROR_SHARING_VIOLATION;
        case SE_ERR_ASSOCINCOMPLETE:
        case SE_ERR_NOASSOC:
            return ERROR_NO_ASSOCIATION;
        case SE_ERR_DDETIMEOUT:
        case SE_ERR_DDEFAIL:
        case SE_ERR_DDEBUSY:
            return ERROR_DDE_FAIL;
        case SE_ERR_DLLNOTFOUND:
            return ERROR_DLL_NOT_FOUND;
        default:
            return static_cast<DWORD>(result);  // file or path not found, access denied, ...
    }
}

// The default output at full volume and not muted. A level the endpoint will not set counts
// only when it is not at the maximum already.
HRESULT RaiseVolume(IAudioEndpointVolume& volume) {
    HRESULT hr = volume.SetMasterVolumeLevelScalar(1.0f, nullptr);
    float level = 0.0f;
    if (FAILED(hr) && SUCCEEDED(volume.GetMasterVolumeLevelScalar(&level)) && level >= 1.0f)
        hr = S_OK;
    const HRESULT unmuted = volume.SetMute(FALSE, nullptr);
    return FAILED(hr) ? hr : unmuted;
}

}  // namespace

HRESULT WINAPI DefaultOutputVolume(IAudioEndpointVolume** volume) {
    ComPtr<IMMDeviceEnumerator> devices;
    HRESULT hr =
        CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER,
                         __uuidof(IMMDeviceEnumerator), reinterpret_cast<void**>(devices.Put()));
    ComPtr<IMMDevice> output;
    if (SUCCEEDED(hr))
        hr = devices->GetDefaultAudioEndpoint(eRender, eConsole, output.Put());
    if (SUCCEEDED(hr))
        hr = output->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_INPROC_SERVER, nullptr,
                              reinterpret_cast<void**>(volume));
    return hr;
}

bool Win32SystemOperations::SetTokenPrivilege(std::wstring_view privilege, bool enable) {
    Token token(api_);
    api_.OpenProcessToken(GetCurrentProcess(), kTokenAccess, token.Put());
    TOKEN_PRIVILEGES wanted{};
    const std::wstring name(privilege);
    if (!api_.LookupPrivilegeValueW(nullptr, name.c_str(), &wanted.Privileges[0].Luid)) {
        return false;
    }
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    TOKEN_PRIVILEGES previous{};
    DWORD returned = 0;
    return api_.AdjustTokenPrivileges(token.Get(), FALSE, &wanted, sizeof(wanted), &previous,
                                      &returned) != FALSE;
}

SystemFailure Win32SystemOperations::ExitSystem(uint32_t flags) {
    if (!api_.ExitWindowsEx(flags, 0))
        return SystemErrorMessage(GetLastError());
    return std::nullopt;
}

void Win32SystemOperations::EnterPowerState(bool suspend, bool force) {
    // Every supported system is of the NT family, so the privilege is always needed. The
    // token is closed once the privilege is set; the privilege stays with the process.
    {
        Token token(api_);
        if (!api_.OpenProcessToken(GetCurrentProcess(), kTokenAccess, token.Put())) {
            ThrowLastError();
        }
        TOKEN_PRIVILEGES wanted{};
        if (!api_.LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &wanted.Privileges[0].Luid)) {
            ThrowLastError();
        }
        wanted.PrivilegeCount = 1;
        wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (!api_.AdjustTokenPrivileges(token.Get(), FALSE, &wanted, sizeof(wanted), nullptr,
                                        nullptr)) {
            ThrowLastError();
        }
    }
    if (!api_.SetSystemPowerState(suspend ? TRUE : FALSE, force ? TRUE : FALSE))
        ThrowLastError();
}

void Win32SystemOperations::SendMonitorOff() {
    // lParam 1 is the monitor's low-power state.
    api_.SendMessageW(appWindow_, WM_SYSCOMMAND, SC_MONITORPOWER, 1);
}

void Win32SystemOperations::SendScreenSaver(WindowRef target) {
    api_.SendMessageW(ToHwnd(target), WM_SYSCOMMAND, SC_SCREENSAVE, 0);
}

void Win32SystemOperations::SendMinimizeAll() {
    // Win+M, with the scan codes the program has always sent.
    api_.keybd_event(VK_LWIN, 0x5B, 0, 0);
    api_.keybd_event(0x4D, 0x32, 0, 0);
    api_.keybd_event(0x4D, 0x32, KEYEVENTF_KEYUP, 0);
    api_.keybd_event(VK_LWIN, 0x5B, KEYEVENTF_KEYUP, 0);
}

void Win32SystemOperations::WakeDisplay() {
    // A move of the mouse ends a running screen saver; the cursor comes back where it was.
    POINT at{};
    api_.GetCursorPos(&at);
    if (at.x != 0 || at.y != 0) {
        api_.SetCursorPos(0, 0);
    } else {
        api_.SetCursorPos(10, 10);
    }
    api_.SetCursorPos(at.x, at.y);
}

void Win32SystemOperations::LaunchControlPanel() {
    api_.WinExec("rundll32 shell32.dll,Control_RunDLL", SW_SHOW);
}

void Win32SystemOperations::LaunchExplorer(WindowRef owner) {
    api_.ShellExecuteW(ToHwnd(owner), L"open", L"explorer.exe", nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32SystemOperations::LaunchDefaultBrowser(WindowRef owner) {
    api_.ShellExecuteW(ToHwnd(owner), L"open", L"about:blank", nullptr, nullptr, SW_SHOWNORMAL);
}

SystemFailure Win32SystemOperations::OpenWithShell(WindowRef owner, std::wstring_view target) {
    const std::wstring file(target);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // The refusal is ours to report, in the box shown at firing, not a second one of the shell's.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = ToHwnd(owner);
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    const BOOL started = api_.ShellExecuteExW(&info);
    const auto result = reinterpret_cast<INT_PTR>(info.hInstApp);
    if (!started || result <= 32)
        return SystemErrorMessage(ShellExecuteError(result));
    if (info.hProcess) {
        // Started at firing, the program would open behind the user's window: a background
        // process may not take the foreground unless the one that started it allows it.
        api_.AllowSetForegroundWindow(api_.GetProcessId(info.hProcess));
        api_.CloseHandle(info.hProcess);
    }
    return std::nullopt;
}

SystemFailure Win32SystemOperations::SetMaxVolume() {
    ComPtr<IAudioEndpointVolume> volume;
    HRESULT hr = api_.DefaultOutputVolume(volume.Put());
    if (SUCCEEDED(hr))
        hr = volume ? RaiseVolume(*volume.Get()) : E_POINTER;
    // Since Vista only our own session's volume: the program's own sound at full as well.
    api_.waveOutSetVolume(nullptr, 0xFFFFFFFF);
    if (FAILED(hr))
        return SystemErrorMessage(static_cast<DWORD>(hr));
    return std::nullopt;
}

void Win32SystemOperations::DisableKeyboard(WindowRef owner) {
    api_.ShellExecuteW(ToHwnd(owner), L"open", L"rundll32", kDisableKeyboardParameters, nullptr,
                       SW_SHOWNORMAL);
}

void Win32SystemOperations::DisableMouse(WindowRef owner) {
    api_.ShellExecuteW(ToHwnd(owner), L"open", L"rundll32", kDisableMouseParameters, nullptr,
                       SW_SHOWNORMAL);
}

void Win32SystemOperations::ClickMouse(int x, int y, int clicks) {
    // No move flag: the events act where the cursor was just put.
    api_.SetCursorPos(x, y);
    for (int i = 0; i < clicks; ++i) {
        api_.mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN, x, y, 0, 0);
        api_.mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP, x, y, 0, 0);
    }
}

void Win32SystemOperations::OperateCdTray(wchar_t driveLetter, bool open) {
    const wchar_t element[2] = {driveLetter, L'\0'};
    MCI_OPEN_PARMSW openParms{};
    openParms.lpstrDeviceType = L"CDAudio";
    openParms.lpstrElementName = element;
    if (api_.mciSendCommandW(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT,
                             reinterpret_cast<DWORD_PTR>(&openParms)) != 0) {
        return;  // not a CD drive: nothing to open or close
    }
    // Some drivers refuse a missing record even for the door commands; an empty one is safe.
    MCI_SET_PARMS setParms{};
    api_.mciSendCommandW(openParms.wDeviceID, MCI_SET,
                         open ? MCI_SET_DOOR_OPEN : MCI_SET_DOOR_CLOSED,
                         reinterpret_cast<DWORD_PTR>(&setParms));
    api_.mciSendCommandW(openParms.wDeviceID, MCI_CLOSE, MCI_NOTIFY,
                         reinterpret_cast<DWORD_PTR>(&openParms));
}

}  // namespace klaxora::win
