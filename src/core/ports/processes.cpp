#include "ports/processes.h"

#include "util/text.h"

namespace klaxora {

ProgramCheck CheckProgram(ProcessWatchPort& processes, std::wstring_view path, bool withWindow) {
    ProgramCheck check;
    // One walk answers both "is it running" and "which process": a second walk could only see
    // a different moment of the same list.
    check.id = processes.FindProcessIdByPath(path);
    check.running = check.id != kNoProcess;
    if (check.running && withWindow) {
        check.window = processes.FindMainWindow(check.id);
        check.responding = processes.IsWindowResponding(check.window);
    }
    return check;
}

std::wstring_view FileNameOf(std::wstring_view path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

bool ExeNameCanMatch(std::wstring_view snapshotExeName, std::wstring_view watchedPath) {
    // Some systems report a path here rather than the bare name: compare the names alone.
    return EqualsAsciiNoCase(FileNameOf(snapshotExeName), FileNameOf(watchedPath));
}

bool SameProgramPath(std::wstring_view a, std::wstring_view b) {
    return !a.empty() && EqualsAsciiNoCase(a, b);
}

}  // namespace klaxora
