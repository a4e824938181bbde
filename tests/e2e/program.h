#pragma once
// Starting Klaxora.exe as a user would and looking at it from outside.
#include <windows.h>

#include <optional>
#include <functional>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace klaxora::e2e {

// The Klaxora.exe built beside this test binary.
std::wstring ProgramPath();

class RunningProgram {
  public:
    // Starts the program with the given command line after its path.
    explicit RunningProgram(const std::wstring& arguments = L"",
                            const std::wstring& program = ProgramPath());
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    bool WaitIdle(DWORD ms = 15000) const;
    // True when the process ended within the time.
    bool WaitExit(DWORD ms = 15000) const;
    bool Running() const { return !WaitExit(0); }
    // The exit code once the program has ended (STILL_ACTIVE before).
    DWORD ExitCode() const;
    // A top-level window of this process with the class (and the title, when given).
    HWND FindWindowOf(const std::wstring& className, const std::wstring& title = L"",
                      DWORD waitMs = 30000) const;
    // The same, visible.
    HWND FindVisibleWindowOf(const std::wstring& className, DWORD waitMs = 30000) const;
    // Closes the main window as Windows would at log-off and waits for the process to end.
    bool Close(DWORD ms = 10000);
    void Kill();

  private:
    PROCESS_INFORMATION info_{};
};

// The top-level windows of a process, visible or not.
std::vector<HWND> WindowsOfProcess(DWORD pid);
std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);
// The text of a message box (class "#32770"): its static text.
std::wstring MessageBoxText(HWND box);

// Every window below `parent`, depth first.
std::vector<HWND> Descendants(HWND parent);
// The combo box among the window's descendants that lists `item`; null when none does.
HWND ComboListing(HWND window, const std::wstring& item);
// Picks a list item as the user does: the selection, then the list tells its parent.
void Pick(HWND combo, const std::wstring& item);

// The notification area as Wine shows it without a desktop: one child window per icon of the
// "Wine System Tray" window; mouse messages posted to a child reach the icon's program as the
// user's clicks would.
std::vector<HWND> TrayIcons();
// Waits for an icon that is not among `before`.
HWND WaitNewTrayIcon(const std::vector<HWND>& before, DWORD ms = 15000);
void ClickTrayIcon(HWND icon, bool secondary);

// The popup menu window (class "#32768") open in the process, or null.
HWND WaitPopupMenu(DWORD pid, DWORD ms = 5000);
// Sends a key to an open menu, as a user typing would.
void PressKeyInMenu(HWND menu, UINT virtualKey);
// The height of the notification-area menu the icon opens, closed again; -1 when none opened.
// Menus are not readable from another process under Wine, but their size tells how many items
// they offer ("Zatrzymaj odliczanie" is one more while an alarm is armed).
int TrayMenuHeight(const RunningProgram& program, HWND icon);

// Waits until `done` holds, looking every 50 ms; false when it still does not after `ms`.
bool WaitFor(const std::function<bool()>& done, DWORD ms = 15000);

// HKEY_CURRENT_USER\Software\Vantrelix\Klaxora and its subkeys, removed.
void DeleteSettings();

struct StoredValue {
    std::wstring name;
    DWORD type = 0;
    std::wstring text;
    DWORD number = 0;
};
// The values of a key under HKEY_CURRENT_USER in enumeration order; nothing when the key is
// missing.
std::optional<std::vector<StoredValue>> ReadKey(const std::wstring& path);
std::vector<std::wstring> ValueNames(const std::wstring& path);
std::vector<std::wstring> SubkeyNames(const std::wstring& path);
void WriteDword(const std::wstring& path, const std::wstring& name, DWORD value);
void WriteString(const std::wstring& path, const std::wstring& name, const std::wstring& text);
void DeleteValue(const std::wstring& path, const std::wstring& name);

// A fresh folder under the temporary folder, removed with everything in it at the end.
using testing::TempFolder;

}  // namespace klaxora::e2e
