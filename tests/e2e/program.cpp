#include "e2e/program.h"

namespace klaxora::e2e {

std::wstring ProgramPath() {
    wchar_t self[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
    std::wstring dir(self);
    dir.resize(dir.find_last_of(L'\\') + 1);
    return dir + L"Klaxora.exe";
}

RunningProgram::RunningProgram(const std::wstring& arguments, const std::wstring& program) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_)) {
        info_ = {};
    }
}

RunningProgram::~RunningProgram() {
    Kill();
    if (info_.hThread) CloseHandle(info_.hThread);
    if (info_.hProcess) CloseHandle(info_.hProcess);
}

bool RunningProgram::WaitIdle(DWORD ms) const {
    return info_.hProcess && WaitForInputIdle(info_.hProcess, ms) == 0;
}

bool RunningProgram::WaitExit(DWORD ms) const {
    return !info_.hProcess || WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0;
}

void RunningProgram::Kill() {
    if (info_.hProcess && !WaitExit(0)) {
        TerminateProcess(info_.hProcess, 1);
        WaitExit(5000);
    }
}

std::vector<HWND> WindowsOfProcess(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s->pid) s->found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t buffer[1024] = {};
    const auto n = SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer),
                                       SMTO_ABORTIFHUNG, 2000, nullptr);
    (void)n;
    return buffer;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetClassNameW(hwnd, buffer, 256);
    return buffer;
}

HWND RunningProgram::FindWindowOf(const std::wstring& className, const std::wstring& title,
                                  DWORD waitMs) const {
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND hwnd : WindowsOfProcess(Id())) {
            if (ClassName(hwnd) == className && (title.empty() || WindowText(hwnd) == title)) {
                return hwnd;
            }
        }
        if (GetTickCount() - start > waitMs) return nullptr;
        Sleep(50);
    }
}

}  // namespace klaxora::e2e
