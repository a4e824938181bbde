#pragma once
// Writing an alarm definition as a shortcut's command line (ShortcutArguments), the reverse
// of the command-line reader.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/alarm_settings.h"

namespace klaxora {

// The parameters in order: the trigger ("OD: 0:20:0"; "PW:" after the start of Windows), the
// action caption, its datum, and the sub-action's data. `killTargetPath` is the executable of
// the selected process, used only by the kill action.
std::vector<std::wstring> ShortcutParameters(const AlarmSettings& settings,
                                             std::wstring_view killTargetPath);

// The parameters as one string: each preceded by a space and enclosed in double quotes,
// without escaping.
std::wstring ShortcutArguments(const AlarmSettings& settings, std::wstring_view killTargetPath);

// Why the definition cannot be saved as a shortcut that reads back the same, or nothing when
// it can: a double quote in any parameter, a "|" in a message caption, or a kill whose
// process path could not be read.
std::optional<std::wstring> ShortcutRefusal(const AlarmSettings& settings,
                                            std::wstring_view killTargetPath);

}  // namespace klaxora
