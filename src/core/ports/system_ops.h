#pragma once
// The operations through which alarm actions reach the operating system. The Windows
// implementation makes the system calls; tests use a recording fake, so nothing that would end
// the session (shutdown, log-off, power states, input blocking) ever runs on the test machine.
#include <cstdint>
#include <string>
#include <string_view>

#include "ports/system_failure.h"

namespace klaxora {

// A window handle carried through the core without Windows headers; 0 is no window.
using WindowRef = uintptr_t;

// ExitWindowsEx flags.
inline constexpr uint32_t kEwxLogOff = 0;
inline constexpr uint32_t kEwxShutdown = 1;
inline constexpr uint32_t kEwxReboot = 2;
inline constexpr uint32_t kEwxForce = 4;
inline constexpr uint32_t kEwxPowerOff = 8;

inline constexpr std::wstring_view kShutdownPrivilege = L"SeShutdownPrivilege";

class SystemOperations {
  public:
    virtual ~SystemOperations() = default;

    // True when the privilege was adjusted.
    virtual bool SetTokenPrivilege(std::wstring_view privilege, bool enable) = 0;
    // ExitWindowsEx with the given flags and reason 0; a refusal is returned.
    [[nodiscard]] virtual SystemFailure ExitSystem(uint32_t flags) = 0;
    // Suspend (true) or hibernate (false). Throws a UserError with the system's text when a
    // step fails.
    virtual void EnterPowerState(bool suspend, bool force) = 0;
    virtual void SendMonitorOff() = 0;
    virtual void SendScreenSaver(WindowRef target) = 0;
    virtual void SendMinimizeAll() = 0;
    virtual void WakeDisplay() = 0;
    virtual void LaunchControlPanel() = 0;
    virtual void LaunchExplorer(WindowRef owner) = 0;
    virtual void LaunchDefaultBrowser(WindowRef owner) = 0;
    // A program, document, folder or address the shell cannot open is returned as a failure.
    [[nodiscard]] virtual SystemFailure OpenWithShell(WindowRef owner,
                                                      std::wstring_view target) = 0;
    // The system's volume (the default output's) at its maximum and not muted; a failure to
    // reach it is returned.
    [[nodiscard]] virtual SystemFailure SetMaxVolume() = 0;
    virtual void DisableKeyboard(WindowRef owner) = 0;
    virtual void DisableMouse(WindowRef owner) = 0;
    virtual void ClickMouse(int x, int y, int clicks) = 0;
    virtual void OperateCdTray(wchar_t driveLetter, bool open) = 0;
};

}  // namespace klaxora
