#pragma once
// A process list held in memory: programs named by their full path (a..z compared without
// regard to case, as the process checks compare paths), each with one main window that may hang.
#include <map>
#include <string>

#include "ports/processes.h"
#include "util/text.h"

namespace klaxora::testing {

class MemoryProcesses : public ProcessWatchPort {
  public:
    // Starts a program; its main window is the id + 1000.
    void Run(std::wstring_view path, ProcessId id, bool hung = false) {
        processes_[AsciiUpper(path)] = {id, hung};
    }
    void End(std::wstring_view path) { processes_.erase(AsciiUpper(path)); }

    bool IsInternetConnected() override { return true; }
    std::wstring GetProcessPath(ProcessId id) override {
        for (const auto& [path, p] : processes_) {
            if (p.id == id)
                return path;
        }
        return {};
    }
    bool IsProgramRunning(std::wstring_view path) override {
        return FindProcessIdByPath(path) != kNoProcess;
    }
    ProcessId FindProcessIdByPath(std::wstring_view path) override {
        const auto it = processes_.find(AsciiUpper(path));
        return it == processes_.end() ? kNoProcess : it->second.id;
    }
    WindowRef FindMainWindow(ProcessId id) override {
        return GetProcessPath(id).empty() ? 0 : WindowRef(id) + 1000;
    }
    bool IsWindowResponding(WindowRef window) override {
        for (const auto& [path, p] : processes_) {
            if (window != 0 && WindowRef(p.id) + 1000 == window)
                return !p.hung;
        }
        return true;
    }

  private:
    struct Process {
        ProcessId id;
        bool hung;
    };
    std::map<std::wstring, Process> processes_;
};

}  // namespace klaxora::testing
