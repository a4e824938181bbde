#pragma once
// A program a Windows test starts (the watch_target helper, usually) and ends when it is over.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "util/text.h"
#include "win/sys/file_system_win.h"
#include "win/sys/handles.h"

namespace klaxora::testing {

// watch_target.exe, built beside the test binary.
inline std::wstring HelperPath() {
    return win::Win32FileSystem().ExecutableDirectory() + L"watch_target.exe";
}

class Started {
  public:
    Started(const std::wstring& exe, const std::wstring& mode) {
        std::wstring command = L"\"" + exe + L"\" " + mode;
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &si, &pi)) {
            ADD_FAILURE() << "cannot start " << ToUtf8(exe);
            return;
        }
        process_.Reset(pi.hProcess);
        CloseHandle(pi.hThread);
        id = pi.dwProcessId;
        WaitForInputIdle(pi.hProcess, 5000);
    }
    ~Started() {
        if (process_) {
            TerminateProcess(process_.Get(), 0);
            WaitForSingleObject(process_.Get(), 5000);
        }
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;
    DWORD id = 0;

  private:
    win::KernelHandle process_;
};

}  // namespace klaxora::testing
