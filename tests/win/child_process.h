#pragma once
// Programs the Windows tests start themselves: the helper watch_target, and private copies of
// it under other names; each ended or deleted when the test is over.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "util/text.h"
#include "win/sys/file_system_win.h"
#include "win/sys/handles.h"

namespace klaxora::testing {

inline std::wstring HelperPath() {
    return win::Win32FileSystem().ExecutableDirectory() + L"watch_target.exe";
}

// A started program, ended when the test is over.
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
    HANDLE Process() const { return process_.Get(); }

  private:
    win::KernelHandle process_;
};

// A private copy of the helper under another name, deleted afterwards.
class CopiedHelper {
  public:
    explicit CopiedHelper(const std::wstring& name) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir = std::wstring(temp) + L"klaxora_watch_" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(dir.c_str(), nullptr);
        path = dir + L"\\" + name;
        EXPECT_TRUE(CopyFileW(HelperPath().c_str(), path.c_str(), FALSE));
    }
    ~CopiedHelper() {
        for (int i = 0; i < 50 && !DeleteFileW(path.c_str()); ++i)
            Sleep(100);
        RemoveDirectoryW(dir.c_str());
    }
    std::wstring dir;
    std::wstring path;
};

}  // namespace klaxora::testing
