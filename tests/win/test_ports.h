#pragma once
// The system's ports with the few pieces a test puts in their place.
#include <functional>
#include <string>
#include <vector>

#include "fakes/fake_processes.h"
#include "win/actions/window_ports.h"

namespace klaxora::testing {

// The documents a window opened, in order, instead of the shell's opening them.
struct RecordingDocuments : win::DocumentOpener {
    std::vector<std::wstring> opened;
    void Open(HWND, const std::wstring& target, int) override { opened.push_back(target); }
};

// The system's process list, with the executable paths a test makes up once it says so.
struct ProcessesWithPaths : ProcessWatchPort {
    explicit ProcessesWithPaths(ProcessWatchPort& system) : system(system) {}
    ProcessWatchPort& system;
    std::function<std::wstring(ProcessId id)> path;  // unset: the system's

    std::vector<ProcessEntry> ListProcesses() override { return system.ListProcesses(); }
    bool IsInternetConnected() override { return system.IsInternetConnected(); }
    std::wstring GetProcessPath(ProcessId id) override {
        return path ? path(id) : system.GetProcessPath(id);
    }
    bool IsProgramRunning(std::wstring_view p) override { return system.IsProgramRunning(p); }
    ProcessId FindProcessIdByPath(std::wstring_view p) override {
        return system.FindProcessIdByPath(p);
    }
    WindowRef FindMainWindow(ProcessId id) override { return system.FindMainWindow(id); }
    bool IsWindowResponding(WindowRef w) override { return system.IsWindowResponding(w); }
};

struct Replacements {
    RegistryPort* registry = nullptr;
    ProcessWatchPort* processes = nullptr;
    win::DocumentOpener* documents = nullptr;
    const win::ProgramFacts* program = nullptr;
};

inline win::WindowPorts Replaced(const win::WindowPorts& p, const Replacements& r) {
    return {r.registry ? *r.registry : p.registry,
            p.files,
            p.folders,
            r.processes ? *r.processes : p.processes,
            p.processControl,
            p.operations,
            p.keys,
            r.documents ? *r.documents : p.documents,
            r.program ? *r.program : p.program,
            p.sound,
            p.alarmSound};
}

// The system's ports with the program's facts a test gives (the version, the help page) and,
// unless it says otherwise, no connection, so that the about box checks for no update.
struct DialogPorts {
    explicit DialogPorts(win::ProgramFacts facts, bool connected = false)
        : program(std::move(facts)) {
        network.connected = connected;
    }
    win::SystemPorts system;
    FakeProcessWatch network;
    RecordingDocuments documents;
    win::ProgramFacts program;
    win::WindowPorts Ports() {
        return Replaced(system.Ports(),
                        {.processes = &network, .documents = &documents, .program = &program});
    }
};

}  // namespace klaxora::testing
