#pragma once
// A process list held in memory: which executables run under which identifiers. Paths
// compare without regard to letter case, as the real port compares them.
#include <map>
#include <string>

#include "ports/processes.h"
#include "util/text.h"

namespace klaxora::testing {

class ProcessTable : public ProcessWatchPort {
  public:
    void Run(std::wstring_view path, ProcessId id) {
        running_[FoldUpper(path)] = {id, std::wstring(path)};
    }

    bool IsInternetConnected() override { return true; }
    std::wstring GetProcessPath(ProcessId id) override {
        for (const auto& [key, entry] : running_) {
            if (entry.id == id)
                return entry.path;
        }
        return {};
    }
    bool IsProgramRunning(std::wstring_view path) override {
        return FindProcessIdByPath(path) != kNoProcess;
    }
    ProcessId FindProcessIdByPath(std::wstring_view path) override {
        const auto it = running_.find(FoldUpper(path));
        return it == running_.end() ? kNoProcess : it->second.id;
    }
    WindowRef FindMainWindow(ProcessId) override { return 0; }
    bool IsWindowResponding(WindowRef) override { return true; }

  private:
    struct Entry {
        ProcessId id;
        std::wstring path;
    };
    std::map<std::wstring, Entry> running_;
};

}  // namespace klaxora::testing
