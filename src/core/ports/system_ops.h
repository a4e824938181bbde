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
    // No screen saver chosen is returned as a failure: there is nothing to start.
    [[nodiscard]] virtual SystemFailure SendScreenSaver(WindowRef target) = 0;
    [[nodiscard]] virtual SystemFailure SendMinimizeAll() = 0;
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
    // Swallows the keyboard's (the mouse's) input until the program ends or, when `forMs` is
    // not 0, for that long; a block the system refuses is returned.
    [[nodiscard]] virtual SystemFailure DisableKeyboard(uint32_t forMs) = 0;
    [[nodiscard]] virtual SystemFailure DisableMouse(uint32_t forMs) = 0;
    // Input the system would drop (a locked computer, a window run as administrator) is
    // returned as a failure.
    [[nodiscard]] virtual SystemFailure ClickMouse(int x, int y, int clicks) = 0;
    virtual void OperateCdTray(wchar_t driveLetter, bool open) = 0;
};

}  // namespace klaxora
