#pragma once
// Starting Klaxora.exe as a user would and looking at it from outside.
#include <windows.h>

#include <string>
#include <vector>

namespace klaxora::e2e {

// The Klaxora.exe built beside this test binary.
std::wstring ProgramPath();

class RunningProgram {
public:
    // Starts the program with the given command line after its path.
    explicit RunningProgram(const std::wstring& arguments = L"",
                            const std::wstring& program = ProgramPath());
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    bool WaitIdle(DWORD ms = 15000) const;
    // True when the process ended within the time.
    bool WaitExit(DWORD ms = 15000) const;
    bool Running() const { return !WaitExit(0); }
    // A top-level window of this process with the class (and the title, when given).
    HWND FindWindowOf(const std::wstring& className, const std::wstring& title = L"",
                      DWORD waitMs = 10000) const;
    void Kill();

private:
    PROCESS_INFORMATION info_{};
};

// The top-level windows of a process, visible or not.
std::vector<HWND> WindowsOfProcess(DWORD pid);
std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);

}  // namespace klaxora::e2e
