#include "win/sys/system_ops_win.h"

#include <mmdeviceapi.h>
#include <shellapi.h>
#include <shldisp.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "util/user_error.h"
#include "win/sys/handles.h"
#include "win/sys/input_block_win.h"
#include "win/sys/system_error.h"
#include "win/sys/system_library.h"

namespace klaxora::win {
namespace {

// The program's one blocker, kept as long as the program runs: that is how long a block lasts.
DWORD HookInputOfProgram(uint8_t devices, uint32_t forMs) {
    static InputBlocker blocker;
    return blocker.Block(devices, forMs);
}

}  // namespace

const SystemApi& RealSystemApi() {
    static const SystemApi api{
        &::OpenProcessToken,
        &::LookupPrivilegeValueW,
        &::AdjustTokenPrivileges,
        &::CloseHandle,
        &::ExitWindowsEx,
        &::SetSystemPowerState,
        &::SendMessageW,
        &::SendInput,
        &::GetCursorPos,
        &::SetCursorPos,
        &::WinExec,
        &::ShellExecuteW,
        &delayed::waveOutSetVolume,
        &delayed::mciSendCommandW,
        &DefaultOutputVolume,
        &::ShellExecuteExW,
        &::GetProcessId,
        &::AllowSetForegroundWindow,
        &::OpenInputDesktop,
        &::CloseDesktop,
        &::GetForegroundWindow,
        &::WindowFromPoint,
        &::GetWindowThreadProcessId,
        &::OpenProcess,
        &::GetTokenInformation,
        &MinimizeAllWindows,
        &::SystemParametersInfoW,
        &::RegGetValueW,
        &HookInputOfProgram,
    };
    return api;
}

namespace {

constexpr DWORD kTokenAccess = TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY;  // 0x28

// A token or process, closed through the same table that opened it.
class ApiHandle {
  public:
    ApiHandle(const SystemApi& api) : api_(api) {}
    ~ApiHandle() {
        if (handle_)
            api_.CloseHandle(handle_);
    }
    ApiHandle(const ApiHandle&) = delete;
    ApiHandle& operator=(const ApiHandle&) = delete;
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

SystemFailure Failed(std::wstring_view what, DWORD code) {
    return std::wstring(what) + L"\r\r" + SystemErrorMessage(code);
}

// A token we may not even read counts as elevated: only an elevated or protected process
// refuses that to us.
bool RunsElevated(const SystemApi& api, HANDLE process) {
    ApiHandle token(api);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return !api.OpenProcessToken(process, TOKEN_QUERY, token.Put()) ||
           !api.GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof(elevation),
                                    &size) ||
           elevation.TokenIsElevated != 0;
}

// The screen saver's program as the user chose it or as a policy sets it. Windows 10 and 11
// come with none, and then SC_SCREENSAVE does nothing at all.
bool ScreenSaverChosen(const SystemApi& api) {
    for (const wchar_t* key : {L"Software\\Policies\\Microsoft\\Windows\\Control Panel\\Desktop",
                               L"Control Panel\\Desktop"}) {
        DWORD size = 0;
        if (api.RegGetValueW(HKEY_CURRENT_USER, key, L"SCRNSAVE.EXE",
                             RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, nullptr,
                             &size) == ERROR_SUCCESS &&
            size > sizeof(wchar_t))
            return true;
    }
    return false;
}

}  // namespace

SystemFailure InputRefusal(const SystemApi& api, HWND target) {
    const HDESK desktop = api.OpenInputDesktop(0, FALSE, DESKTOP_SWITCHDESKTOP);
    if (!desktop)
        return std::wstring(system_texts::kInputLocked);
    api.CloseDesktop(desktop);
    DWORD pid = 0;
    if (!target || target == GetDesktopWindow() || !api.GetWindowThreadProcessId(target, &pid) ||
        pid == GetCurrentProcessId())
        return std::nullopt;
    // Elevated ourselves we reach every window; our own token unread, nothing is known and the
    // input is tried.
    if (RunsElevated(api, GetCurrentProcess()))
        return std::nullopt;
    ApiHandle process(api);
    *process.Put() = api.OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process.Get() || RunsElevated(api, process.Get()))
        return std::wstring(system_texts::kInputElevated);
    return std::nullopt;
}

SystemFailure SendInputs(const SystemApi& api, std::span<INPUT> inputs) {
    if (inputs.empty())
        return std::nullopt;
    const UINT count = static_cast<UINT>(inputs.size());
    if (api.SendInput(count, inputs.data(), sizeof(INPUT)) != count)
        return Failed(system_texts::kInputDropped, GetLastError());
    return std::nullopt;
}

HRESULT WINAPI MinimizeAllWindows() {
    // The shell's own command needs no simulated keys, which Windows could drop. The GUI thread
    // calls it, in the apartment the program set up.
    ComPtr<IShellDispatch> shell;
    HRESULT hr = CoCreateInstance(CLSID_Shell, nullptr, CLSCTX_INPROC_SERVER, IID_IShellDispatch,
                                  reinterpret_cast<void**>(shell.Put()));
    if (SUCCEEDED(hr))
        hr = shell->MinimizeAll();
    return hr;
}

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
    ApiHandle token(api_);
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
        ApiHandle token(api_);
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

SystemFailure Win32SystemOperations::SendScreenSaver(WindowRef target) {
    BOOL active = TRUE;
    const BOOL known = api_.SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    if ((known && !active) || !ScreenSaverChosen(api_))
        return std::wstring(system_texts::kNoScreenSaver);
    api_.SendMessageW(ToHwnd(target), WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    return std::nullopt;
}

SystemFailure Win32SystemOperations::SendMinimizeAll() {
    const HRESULT hr = api_.MinimizeAllWindows();
    if (FAILED(hr))
        return Failed(system_texts::kMinimizeAllFailed, static_cast<DWORD>(hr));
    return std::nullopt;
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

namespace {

// One launch, shared by the caller and the thread that performs it.
struct Launch {
    const SystemApi& api;
    HWND owner, notify;
    std::wstring file;
    std::mutex lock;
    bool finished = false, abandoned = false;
    SystemFailure failure;
    KernelHandle done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

DWORD WINAPI PerformLaunch(LPVOID param) {
    const std::unique_ptr<std::shared_ptr<Launch>> held(
        static_cast<std::shared_ptr<Launch>*>(param));
    Launch& launch = **held;
    // The shell may hand the launch to COM extensions: this thread's own apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SystemFailure failure = ShellLaunch(launch.api, launch.owner, launch.file);
    if (SUCCEEDED(com))
        CoUninitialize();
    std::lock_guard guard(launch.lock);
    launch.finished = true;
    launch.failure = failure;
    if (launch.abandoned && failure) {
        // The action has gone on: the refusal reaches the user through the program's window.
        auto* text = new std::wstring(*failure);
        if (!launch.notify ||
            !PostMessageW(launch.notify, kLaunchRefusedMessage, 0, reinterpret_cast<LPARAM>(text)))
            delete text;
    }
    SetEvent(launch.done.Get());
    return 0;
}

}  // namespace

SystemFailure Win32SystemOperations::OpenWithShell(WindowRef owner, std::wstring_view target) {
    // A program that needs elevation holds ShellExecuteEx until the system's prompt is
    // answered, which may be long after the alarm: the launch runs on a thread of its own, and
    // the action waits for it only a moment.
    auto launch = std::make_shared<Launch>(api_, ToHwnd(owner), appWindow_, std::wstring(target));
    auto* param = new std::shared_ptr<Launch>(launch);
    const KernelHandle thread(
        launch->done ? CreateThread(nullptr, 0, &PerformLaunch, param, 0, nullptr) : nullptr);
    if (!thread) {
        delete param;
        return ShellLaunch(api_, ToHwnd(owner), launch->file);
    }
    WaitForSingleObject(launch->done.Get(), kLaunchWaitMs);
    std::lock_guard guard(launch->lock);
    if (launch->finished)
        return launch->failure;
    launch->abandoned = true;
    return std::nullopt;
}

SystemFailure ShellLaunch(const SystemApi& api, HWND owner, const std::wstring& file) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // The refusal is ours to report, in the box shown at firing, not a second one of the shell's.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    const BOOL started = api.ShellExecuteExW(&info);
    const auto result = reinterpret_cast<INT_PTR>(info.hInstApp);
    if (!started || result <= 32)
        return SystemErrorMessage(ShellExecuteError(result));
    if (info.hProcess) {
        // Started at firing, the program would open behind the user's window: a background
        // process may not take the foreground unless the one that started it allows it.
        api.AllowSetForegroundWindow(api.GetProcessId(info.hProcess));
        api.CloseHandle(info.hProcess);
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

SystemFailure Win32SystemOperations::DisableKeyboard(uint32_t forMs) {
    if (const DWORD error = api_.HookInput(kKeyboardInput, forMs))
        return Failed(system_texts::kKeyboardNotBlocked, error);
    return std::nullopt;
}

SystemFailure Win32SystemOperations::DisableMouse(uint32_t forMs) {
    if (const DWORD error = api_.HookInput(kMouseInput, forMs))
        return Failed(system_texts::kMouseNotBlocked, error);
    return std::nullopt;
}

SystemFailure Win32SystemOperations::ClickMouse(int x, int y, int clicks) {
    // The window under the point takes the click, so its program is the one that matters.
    if (SystemFailure refused = InputRefusal(api_, api_.WindowFromPoint(POINT{x, y})))
        return refused;
    if (!api_.SetCursorPos(x, y))
        return Failed(system_texts::kInputDropped, GetLastError());
    // No move flag: the buttons act where the cursor was just put.
    std::vector<INPUT> inputs;
    for (int i = 0; i < clicks; ++i) {
        for (const DWORD button : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = button;
            inputs.push_back(input);
        }
    }
    return SendInputs(api_, inputs);
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
