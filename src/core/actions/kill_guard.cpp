#include "actions/kill_guard.h"

#include "util/decimal.h"
#include "util/text.h"

namespace klaxora {

namespace {

// The executable an opened process runs: its path, or only its name when the path is hidden.
struct RunningImage {
    std::wstring path;
    std::wstring name{};
};

RunningImage ImageOf(OpenedProcess& process) {
    RunningImage image{process.ImagePath()};
    if (image.path.empty())
        image.name = process.ImageName();
    return image;
}

}  // namespace

KillTarget ReadKillTarget(ProcessControlPort& processes, ProcessId id, std::wstring_view rowName) {
    const KillTarget gone{std::wstring(rowName), 0};
    const ProcessOpening opening = processes.Open(id);
    if (!opening.process)
        return opening.refusal ? KillTarget{std::wstring(rowName), std::nullopt} : gone;
    const RunningImage image = ImageOf(*opening.process);
    if (!IsChosenProgram(rowName, image.path, image.name))
        return gone;
    return {image.path.empty() ? std::wstring(rowName) : image.path,
            opening.process->CreationTime()};
}

std::optional<ProcessId> ParseProcessId(std::wstring_view text) {
    return ParseDecimalAs<ProcessId>(text, {.min = 1, .max = kNoProcess - 1});
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

KillOutcome KillChosenProcess(ProcessControlPort& processes, std::wstring_view processIdText,
                              const KillTarget& chosen) {
    const auto id = ParseProcessId(processIdText);
    if (!id)
        return {};
    const ProcessOpening opening = processes.Open(*id);
    if (!opening.process) {
        // Refused: only the process list's name tells what it runs. The chosen program that
        // may not be ended is reported; a stranger that took the identifier is not.
        if (opening.refusal && IsChosenProgram(chosen.image, L"", opening.refusedName))
            return {KillResult::Failed, *opening.refusal};
        return {};
    }
    OpenedProcess& process = *opening.process;
    const RunningImage image = ImageOf(process);
    if (!IsChosenProgram(chosen.image, image.path, image.name))
        return {};
    // A new instance of the same program that was given the identifier is not the one chosen;
    // one whose start cannot be read now cannot be confirmed.
    if (chosen.created && process.CreationTime() != chosen.created)
        return {};
    if (!process.Terminate())
        return {KillResult::Failed, std::wstring(kKillFailedMessage)};
    return {KillResult::Ended};
}

}  // namespace klaxora
