#pragma once
// Ending the process chosen for "Zabij proces". Process identifiers are reused: the process is
// ended only while it is still the one chosen at Start, the same executable started at the
// same moment.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ports/process_control.h"

namespace klaxora {

inline constexpr std::wstring_view kKillFailedMessage =
    L"Nie udało się zakończyć wybranego procesu !!!";

// What Start keeps of the chosen process until the alarm fires.
struct KillTarget {
    // Its executable: the full path, or the file name when the path cannot be read.
    std::wstring image;
    // When it was started; nothing when unknown (then only the executable is compared). The
    // value 0 stands for a process that had already gone at Start: no process matches it.
    std::optional<uint64_t> created{};
    bool operator==(const KillTarget&) const = default;
};

// Start's reading of the chosen row: its process is asked for its path and start time, and
// kept only while it still runs the program the row names. A row whose process has gone, or
// whose identifier another program has taken since the list was filled, keeps the row's name
// and matches nothing; one the system will not open keeps the name, so the firing reports it.
KillTarget ReadKillTarget(ProcessControlPort& processes, ProcessId id, std::wstring_view rowName);

enum class KillResult {
    Ended,
    NothingToEnd,  // no such process, or its identifier now belongs to another program
    Failed,        // it runs, but the system refused to let us open or end it
};

struct KillOutcome {
    KillResult result = KillResult::NothingToEnd;
    std::wstring error{};  // Failed: what the user is told
};

// The identifier as ActionDetail holds it; nothing unless it is a plain decimal number of a
// process (neither 0 nor the "no process" value).
std::optional<ProcessId> ParseProcessId(std::wstring_view text);

// Whether a running process (its full path, or only its file name when the path cannot be read)
// is the one chosen: the file names must agree, and the full paths too when both are known.
// Nothing chosen matches nothing.
bool IsChosenProgram(std::wstring_view chosen, std::wstring_view runningPath,
                     std::wstring_view runningName);

KillOutcome KillChosenProcess(ProcessControlPort& processes, std::wstring_view processIdText,
                              const KillTarget& chosen);

}  // namespace klaxora
