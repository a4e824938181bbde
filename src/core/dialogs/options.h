#pragma once
// The options dialog's registry side: what its check boxes show when it opens and what its OK
// writes, in order, into the registry and the running program's options.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/watch_state.h"
#include "ports/file_system.h"
#include "ports/registry.h"

namespace klaxora {

// The autostart value under the Run key, and its switch under the start-up approval key.
inline constexpr std::wstring_view kRunValue = L"Alarm";
// Task Manager and the Settings app switch a Run entry off here, leaving the Run value alone.
inline constexpr std::wstring_view kStartupApprovedKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// The six boxes of the dialog, by what each switches, and the snooze's length.
struct OptionChecks {
    bool startWithWindows = false;   // start with Windows (the Run key's "Alarm", not switched off)
    bool startMinimized = false;     // AutoMinimize
    bool minimizeAll = false;        // MinimizeAll
    bool screenSaverOff = false;     // Wyg_Off
    bool minimizeOnPreview = false;  // MinimizeProg
    bool beep = false;               // PlayBeep
    int32_t snoozeMinutes = 5;       // "Drzemka", 1..60
    bool operator==(const OptionChecks&) const = default;
};

// The Run value for a program: its path in quotes, since Windows starts a Run entry exactly as
// written and a path with a space would otherwise arrive as several parameters.
std::wstring RunEntryFor(std::wstring_view executablePath);

// "Alarm" counts when it is REG_SZ and names an existing file, quoted or not, whichever program
// that is.
bool RunEntryCounts(const RegistryKey& runKey, const FileSystemPort& files);

// Whether Windows starts the Run entry: it counts, and its start-up approval (a binary value
// whose first byte has the lowest bit set: 0x01, 0x03, 0x07) does not switch it off. No
// approval value, or 0x02 / 0x06, means on.
bool AutostartOn(RegistryPort& registry, const FileSystemPort& files);

// The boxes as the registry has them: the five options read as booleans (REG_DWORD not 0),
// then the autostart as Windows has it.
OptionChecks ReadOptionChecks(RegistryPort& registry, const FileSystemPort& files);

// OK: writes "AutoMinimize", "Wyg_Off", "MinimizeAll", "MinimizeProg", "PlayBeep" as REG_DWORD
// 1 or 0 and "Drzemka" as minutes (1..60), and copies each into `options` right after it is
// written; then the autostart: a
// checked box writes "Alarm" = the executable's path in quotes and its approval switched on, an
// unchecked one deletes "Alarm" only when it is on (one switched off in Task Manager stays
// there to be switched on again). A registry failure stops the writes where it happened and
// its text is returned.
std::optional<std::wstring> SaveOptionChecks(RegistryPort& registry, const FileSystemPort& files,
                                             const OptionChecks& checks,
                                             std::wstring_view executablePath, AppOptions& options);

}  // namespace klaxora
