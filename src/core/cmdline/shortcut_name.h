#pragma once
// The shortcut's file: cleaning the typed name, the names offered, and where the file goes.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "config/vocabulary.h"

namespace klaxora {

// The name with leading spaces and control characters dropped, control characters and
// ; \ / < > | * ? " : removed, and, when the trimmed name held two spaces in a row, every run
// of spaces made one. Trailing spaces stay.
std::wstring SanitizeShortcutName(std::wstring_view name);

// The eight names the dialog offers, in order; the first is the one it starts with.
std::array<std::wstring, 8> ShortcutNameSuggestions(TriggerKind trigger,
                                                    std::optional<ActionKind> action);

// The shortcut's file: the folder, a backslash unless the folder ends with one, the name and
// ".lnk".
std::wstring ShortcutFilePath(std::wstring_view folder, std::wstring_view name);

struct ShortcutFile {
    std::wstring name;     // the cleaned name, shown back in the name box
    std::wstring path;     // folder, one backslash, name, ".lnk"; empty when refused
    std::wstring refusal;  // why nothing is written; empty when the file may be written
};

// The file for a name typed into the dialog and the folder chosen in it. A folder that is not
// on disk (empty), a name that cleans to nothing and a device name are refused.
ShortcutFile PlanShortcutFile(std::wstring_view folder, std::wstring_view typedName);

}  // namespace klaxora
