#pragma once
// How the program looks at other programs and at the network. A program is named by the full
// path of its executable, compared without regard to the case of a..z.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ports/system_ops.h"

namespace klaxora {

using ProcessId = uint32_t;
inline constexpr ProcessId kNoProcess = 0xFFFFFFFFu;  // the classic -1

// One entry of the system's process list.
struct ProcessEntry {
    ProcessId id = 0;
    uint32_t threads = 0;
    std::wstring exeFile;  // the executable's file name, as the list gives it
};

class ProcessWatchPort {
  public:
    virtual ~ProcessWatchPort() = default;
    // The system's process list in its own order; empty when it cannot be taken.
    virtual std::vector<ProcessEntry> ListProcesses() = 0;
    virtual bool IsInternetConnected() = 0;
    // The full path of the process's executable, or empty when it cannot be read.
    virtual std::wstring GetProcessPath(ProcessId id) = 0;
    // False, without looking at any process, when no file exists at the path.
    virtual bool IsProgramRunning(std::wstring_view path) = 0;
    // The first process in the system's order running the file; kNoProcess when none.
    virtual ProcessId FindProcessIdByPath(std::wstring_view path) = 0;
    // The first visible and enabled top-level window of the process; 0 when none.
    virtual WindowRef FindMainWindow(ProcessId id) = 0;
    // True unless the system reports the window hung; handle 0 is passed on unchanged.
    virtual bool IsWindowResponding(WindowRef window) = 0;
};

// What one check of a program trigger needs, from a single walk of the process list.
struct ProgramCheck {
    bool running = false;
    ProcessId id = kNoProcess;
    WindowRef window = 0;
    bool responding = true;
};
// withWindow: also find the main window and ask whether it responds (the not-responding
// trigger); the others need only whether the program runs.
ProgramCheck CheckProgram(ProcessWatchPort& processes, std::wstring_view path, bool withWindow);

// The file-name part of a path (after the last backslash or slash).
std::wstring_view FileNameOf(std::wstring_view path);
// Whether a process list entry, which carries only the executable's file name, can be the
// watched program; only such entries are worth opening to read their full path.
bool ExeNameCanMatch(std::wstring_view snapshotExeName, std::wstring_view watchedPath);
// Whether a process's full path is the watched program's.
bool SameProgramPath(std::wstring_view a, std::wstring_view b);

}  // namespace klaxora
