#pragma once
// The options dialog's registry side: what its check boxes show when it opens and what its OK
// writes, in order, into the registry and the running program's options.
#include <optional>
#include <string>
#include <string_view>

#include "app/watch_state.h"
#include "ports/file_system.h"
#include "ports/registry.h"

namespace klaxora {

// The autostart value under the Run key.
inline constexpr std::wstring_view kRunValue = L"Alarm";

// The six boxes of the dialog, named as the dialog names them.
struct OptionChecks {
    bool CheckBox1 = false;  // start with Windows (the Run key's "Alarm")
    bool CheckBox2 = false;  // AutoMinimize
    bool CheckBox3 = false;  // MinimizeAll
    bool CheckBox4 = false;  // Wyg_Off
    bool CheckBox5 = false;  // MinimizeProg
    bool CheckBox6 = false;  // PlayBeep
    bool operator==(const OptionChecks&) const = default;
};

// The Run value for a program: its path in quotes, since Windows starts a Run entry exactly as
// written and a path with a space would otherwise arrive as several parameters.
std::wstring RunEntryFor(std::wstring_view executablePath);

// "Alarm" counts when it is REG_SZ and names an existing file, quoted or not, whichever program
// that is.
bool RunEntryCounts(const RegistryKey& runKey, const FileSystemPort& files);

// The boxes as the registry has them: the five options read as booleans (REG_DWORD not 0),
// then the Run key's entry.
OptionChecks ReadOptionChecks(RegistryPort& registry, const FileSystemPort& files);

// OK: writes "AutoMinimize", "Wyg_Off", "MinimizeAll", "MinimizeProg", "PlayBeep" as REG_DWORD
// 1 or 0 and copies each into `options` right after it is written; then the Run key: a checked
// box writes "Alarm" = the executable's path in quotes, an unchecked one deletes "Alarm" only when
// it counts. A registry failure stops the writes where it happened and its text is returned.
std::optional<std::wstring> SaveOptionChecks(RegistryPort& registry, const FileSystemPort& files,
                                             const OptionChecks& checks,
                                             std::wstring_view executablePath, AppOptions& options);

}  // namespace klaxora
