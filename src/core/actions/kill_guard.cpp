#include "actions/kill_guard.h"

#include "util/text.h"

namespace klaxora {

std::optional<ProcessId> ParseProcessId(std::wstring_view text) {
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    uint64_t value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - L'0');
    }
    if (value == 0 || value >= kNoProcess)
        return std::nullopt;
    return static_cast<ProcessId>(value);
}

bool IsChosenProgram(std::wstring_view chosen, std::wstring_view runningPath,
                     std::wstring_view runningName) {
    if (chosen.empty())
        return false;
    const std::wstring_view name =
        runningPath.empty() ? FileNameOf(runningName) : FileNameOf(runningPath);
    // Windows compares file names without regard to the case of any letter.
    if (!EqualsNoCase(FileNameOf(chosen), name))
        return false;
    const bool chosenHasPath = FileNameOf(chosen).size() != chosen.size();
    if (chosenHasPath && !runningPath.empty())
        return EqualsNoCase(chosen, runningPath);
    return true;
}

KillResult KillChosenProcess(ProcessControlPort& processes, std::wstring_view processIdText,
                             std::wstring_view chosenImage) {
    const auto id = ParseProcessId(processIdText);
    if (!id)
        return KillResult::NothingToEnd;
    const auto process = processes.Open(*id);
    if (!process)
        return KillResult::NothingToEnd;
    const std::wstring path = process->ImagePath();
    const std::wstring name = path.empty() ? process->ImageName() : std::wstring();
    if (!IsChosenProgram(chosenImage, path, name))
        return KillResult::NothingToEnd;
    return process->Terminate() ? KillResult::Ended : KillResult::Failed;
}

}  // namespace klaxora
