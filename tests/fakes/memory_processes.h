#pragma once
// A process list held in memory: programs named by their full path (compared as Windows
// compares paths), each with a process id and a main window that may hang.
#include <map>
#include <string>

#include "ports/processes.h"
#include "util/text.h"

namespace klaxora::testing {

class MemoryProcesses : public ProcessWatchPort {
  public:
    struct Process {
        ProcessId id = kNoProcess;
        WindowRef window = 0;
        bool hung = false;
    };

    // Starts a program; its main window is id + 1000 unless the test says otherwise.
    void Run(std::wstring_view path, ProcessId id, bool hung = false) {
        processes_[AsciiUpper(path)] = {id, WindowRef(id) + 1000, hung};
    }
    void End(std::wstring_view path) { processes_.erase(AsciiUpper(path)); }

    bool connected = true;
    bool IsInternetConnected() override { return connected; }
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
        for (const auto& [path, p] : processes_) {
            if (p.id == id)
                return p.window;
        }
        return 0;
    }
    bool IsWindowResponding(WindowRef window) override {
        for (const auto& [path, p] : processes_) {
            if (window != 0 && p.window == window)
                return !p.hung;
        }
        return true;
    }

  private:
    std::map<std::wstring, Process> processes_;
};

}  // namespace klaxora::testing
