#pragma once
// Looking at other programs through Win32: the process list, their executables, their
// windows, and whether the network is up.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "ports/processes.h"
#include "win/sys/handles.h"

struct INetworkListManager;

namespace klaxora::win {

class Win32ProcessWatch : public ProcessWatchPort {
  public:
    Win32ProcessWatch();
    ~Win32ProcessWatch() override;
    std::vector<ProcessEntry> ListProcesses() override;
    // As Windows shows it, asked on the thread whose COM apartment the program holds.
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
    std::optional<uint32_t> ManagerConnectivity();
    Counters counters_;
    ComPtr<INetworkListManager> networks_;
};

}  // namespace klaxora::win
