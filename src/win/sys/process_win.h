#pragma once
// Looking at other programs through Win32: the process list, their executables, their
// windows, and whether the network is up.
#include <windows.h>

#include <cstdint>

#include "ports/processes.h"

namespace klaxora::win {

class Win32ProcessWatch : public ProcessWatchPort {
  public:
    std::vector<ProcessEntry> ListProcesses() override;
    bool IsInternetConnected() override;
    std::wstring GetProcessPath(ProcessId id) override;
    bool IsProgramRunning(std::wstring_view path) override;
    ProcessId FindProcessIdByPath(std::wstring_view path) override;
    WindowRef FindMainWindow(ProcessId id) override;
    bool IsWindowResponding(WindowRef window) override;

    // What the checks cost so far: process lists taken and processes opened.
    struct Counters {
        uint64_t snapshots = 0;
        uint64_t processesOpened = 0;
    };
    const Counters& Stats() const { return counters_; }

  private:
    Counters counters_;
};

}  // namespace klaxora::win
