#pragma once
// Ending the process chosen for "Zabij proces". Process identifiers are reused: the process is
// ended only while it still runs the executable chosen at Start.
#include <optional>
#include <string_view>

#include "ports/process_control.h"

namespace klaxora {

inline constexpr std::wstring_view kKillFailedMessage =
    L"Nie udało się zakończyć wybranego procesu !!!";

enum class KillResult {
    Ended,
    NothingToEnd,  // no such process, or its identifier now belongs to another program
    Failed,        // it is the chosen program, but the system refused to end it
};

// The identifier as ActionDetail holds it; nothing unless it is a plain decimal number of a
// process (neither 0 nor the "no process" value).
std::optional<ProcessId> ParseProcessId(std::wstring_view text);

// Whether a running process (its full path, or only its file name when the path cannot be read)
// is the one chosen: the file names must agree, and the full paths too when both are known.
// Nothing chosen matches nothing.
bool IsChosenProgram(std::wstring_view chosen, std::wstring_view runningPath,
                     std::wstring_view runningName);

KillResult KillChosenProcess(ProcessControlPort& processes, std::wstring_view processIdText,
                             std::wstring_view chosenImage);

}  // namespace klaxora
