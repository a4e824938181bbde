#pragma once
// Programs, windows, the connection and process ends as the test sets them up.
#include <map>
#include <optional>
#include <set>
#include <string>

#include "ports/process_control.h"
#include "ports/processes.h"
#include "util/text.h"

namespace klaxora::testing {

// The running programs by path (a..z compared without regard to case, as the real port
// compares paths), a connection switch and a set of hung windows.
class FakeProcessWatch : public ProcessWatchPort {
  public:
    bool connected = true;
    std::map<std::wstring, ProcessId> running;  // upper-cased path -> process
    std::map<ProcessId, std::wstring> paths;    // process -> path as it was started
    std::map<ProcessId, WindowRef> windows;
    std::set<WindowRef> hung;
    int connectionChecks = 0;

    // Starts a program; `window` is its main window (none when 0).
    void Run(std::wstring_view path, ProcessId id, WindowRef window = 0) {
        running[AsciiUpper(path)] = id;
        paths[id] = std::wstring(path);
        if (window)
            windows[id] = window;
    }
    void Close(std::wstring_view path) {
        const auto it = running.find(AsciiUpper(path));
        if (it == running.end())
            return;
        paths.erase(it->second);
        windows.erase(it->second);
        running.erase(it);
    }

    std::vector<ProcessEntry> ListProcesses() override {
        std::vector<ProcessEntry> list;
        for (const auto& [id, path] : paths)
            list.push_back({id, 1, std::wstring(FileNameOf(path))});
        return list;
    }
    bool IsInternetConnected() override {
        ++connectionChecks;
        return connected;
    }
    std::wstring GetProcessPath(ProcessId id) override {
        const auto it = paths.find(id);
        return it == paths.end() ? std::wstring() : it->second;
    }
    bool IsProgramRunning(std::wstring_view path) override {
        return FindProcessIdByPath(path) != kNoProcess;
    }
    ProcessId FindProcessIdByPath(std::wstring_view path) override {
        const auto it = running.find(AsciiUpper(path));
        return it == running.end() ? kNoProcess : it->second;
    }
    WindowRef FindMainWindow(ProcessId id) override {
        const auto it = windows.find(id);
        return it == windows.end() ? 0 : it->second;
    }
    bool IsWindowResponding(WindowRef window) override { return !hung.contains(window); }
};

// Processes that can be ended: what each runs (path, or only the name when the path cannot be
// read), when it started, and whether the system lets us open and end it.
class FakeProcessControl : public ProcessControlPort {
  public:
    struct Entry {
        std::wstring path;
        std::wstring name;
        bool mayEnd = true;
        std::optional<uint64_t> created{};
        bool denied = false;  // opening it is refused; the list still shows `name`
    };
    std::map<ProcessId, Entry> processes;
    std::set<ProcessId> ended;
    int opened = 0;
    std::wstring refusal = L"Odmowa dostępu.";

    ProcessOpening Open(ProcessId id) override {
        ++opened;
        const auto it = processes.find(id);
        if (it == processes.end())
            return {};
        if (it->second.denied)
            return {nullptr, refusal, it->second.name};
        return {std::make_unique<Opened>(*this, id)};
    }

  private:
    class Opened : public OpenedProcess {
      public:
        Opened(FakeProcessControl& owner, ProcessId id) : owner_(owner), id_(id) {}
        std::wstring ImagePath() override { return owner_.processes[id_].path; }
        std::wstring ImageName() override { return owner_.processes[id_].name; }
        std::optional<uint64_t> CreationTime() override { return owner_.processes[id_].created; }
        bool Terminate() override {
            if (!owner_.processes[id_].mayEnd)
                return false;
            owner_.ended.insert(id_);
            return true;
        }

      private:
        FakeProcessControl& owner_;
        ProcessId id_;
    };
};

}  // namespace klaxora::testing
