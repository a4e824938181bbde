#include "win/sys/process_control_win.h"

#include "win/sys/handles.h"
#include "win/sys/process_win.h"
#include "win/sys/system_error.h"

namespace klaxora::win {
namespace {

// The length limit of the extended form, the terminating zero included.
constexpr size_t kLongestPath = 32768;

}  // namespace

std::wstring ProcessImagePath(HANDLE process) {
    // Room for the longest path the system has: a long one is never cut, and one call does.
    std::wstring buffer(kLongestPath, L'\0');
    DWORD size = static_cast<DWORD>(buffer.size());
    if (!QueryFullProcessImageNameW(process, 0, buffer.data(), &size))
        return {};
    buffer.resize(size);
    return buffer;
}

namespace {

// A process's file name as the process list shows it; the list needs no access to the process.
std::wstring ListedName(ProcessId id) {
    for (const ProcessEntry& entry : Win32ProcessWatch().ListProcesses()) {
        if (entry.id == id)
            return entry.exeFile;
    }
    return {};
}

class Win32OpenedProcess : public OpenedProcess {
  public:
    Win32OpenedProcess(KernelHandle handle, ProcessId id) : handle_(std::move(handle)), id_(id) {}

    std::wstring ImagePath() override { return ProcessImagePath(handle_.Get()); }

    // While our handle is open the identifier cannot be given to another process, so the
    // list's entry for it is this process.
    std::wstring ImageName() override { return ListedName(id_); }

    std::optional<uint64_t> CreationTime() override {
        FILETIME created{}, exited{}, kernel{}, user{};
        if (!GetProcessTimes(handle_.Get(), &created, &exited, &kernel, &user))
            return std::nullopt;
        return (static_cast<uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    }

    bool Terminate() override { return TerminateProcess(handle_.Get(), 1) != FALSE; }

  private:
    KernelHandle handle_;
    ProcessId id_;
};

}  // namespace

ProcessOpening Win32ProcessControl::Open(ProcessId id) {
    if (id == 0 || id == kNoProcess || id == GetCurrentProcessId())
        return {};
    KernelHandle handle(
        OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!handle)
        handle.Reset(OpenProcess(PROCESS_TERMINATE, FALSE, id));
    if (!handle) {
        // Another user's or an elevated process: it runs, but it is not ours to end.
        if (GetLastError() == ERROR_ACCESS_DENIED)
            return {nullptr, SystemErrorMessage(ERROR_ACCESS_DENIED), ListedName(id)};
        return {};
    }
    // A process that has ended but whose object is still held open by someone runs nothing.
    DWORD exitCode = 0;
    if (GetExitCodeProcess(handle.Get(), &exitCode) && exitCode != STILL_ACTIVE)
        return {};
    return {std::make_unique<Win32OpenedProcess>(std::move(handle), id)};
}

}  // namespace klaxora::win
