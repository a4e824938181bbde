#include "win/sys/process_win.h"

#include <netlistmgr.h>
#include <tlhelp32.h>

#include <string>

#include "app/connectivity.h"
#include "win/sys/process_control_win.h"
#include "win/sys/system_library.h"

namespace klaxora::win {
namespace {

bool FileExistsAt(std::wstring_view path) {
    if (path.empty())
        return false;
    const DWORD a = GetFileAttributesW(std::wstring(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

static_assert(kConnectivityIpv4Internet == NLM_CONNECTIVITY_IPV4_INTERNET &&
              kConnectivityIpv6Internet == NLM_CONNECTIVITY_IPV6_INTERNET);

Win32ProcessWatch::Win32ProcessWatch() = default;
Win32ProcessWatch::~Win32ProcessWatch() = default;

bool Win32ProcessWatch::IsInternetConnected() {
    return InternetConnected(ManagerConnectivity(), [] {
        DWORD flags = 0;
        return delayed::InternetGetConnectedState(&flags, 0) != FALSE;
    });
}

std::optional<uint32_t> Win32ProcessWatch::ManagerConnectivity() {
    // Made once and kept; one that fails (its service restarted) is let go and made again at
    // the next look. Without COM on this thread, or without the manager, nothing is known.
    if (!networks_ && FAILED(CoCreateInstance(CLSID_NetworkListManager, nullptr, CLSCTX_ALL,
                                              IID_INetworkListManager,
                                              reinterpret_cast<void**>(networks_.Put())))) {
        return std::nullopt;
    }
    NLM_CONNECTIVITY connectivity = NLM_CONNECTIVITY_DISCONNECTED;
    if (FAILED(networks_->GetConnectivity(&connectivity))) {
        networks_.Reset();
        return std::nullopt;
    }
    return static_cast<uint32_t>(connectivity);
}

std::wstring Win32ProcessWatch::GetProcessPath(ProcessId id) {
    // The limited right is granted for elevated and other users' processes too, where the
    // full query-and-read access is refused; a watched program running elevated would
    // otherwise look closed.
    ++counters_.processesOpened;
    KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!process)
        return {};
    return ProcessImagePath(process.Get());
}

std::vector<ProcessEntry> Win32ProcessWatch::ListProcesses() {
    ++counters_.snapshots;
    std::vector<ProcessEntry> list;
    // Processes only: a full system snapshot (heaps, modules) would cost far more.
    FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return list;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        list.push_back({entry.th32ProcessID, entry.cntThreads, entry.szExeFile});
    }
    return list;
}

ProcessId Win32ProcessWatch::FindProcessIdByPath(std::wstring_view path) {
    if (!FileExistsAt(path))
        return kNoProcess;
    for (const ProcessEntry& entry : ListProcesses()) {
        // The list gives each executable's file name: only a process whose name is the
        // watched one's is worth opening for its full path.
        if (ExeNameCanMatch(entry.exeFile, path) && SameProgramPath(GetProcessPath(entry.id), path))
            return entry.id;
    }
    return kNoProcess;
}

bool Win32ProcessWatch::IsProgramRunning(std::wstring_view path) {
    return FindProcessIdByPath(path) != kNoProcess;
}

WindowRef Win32ProcessWatch::FindMainWindow(ProcessId id) {
    if (id == 0 || id == kNoProcess)
        return 0;
    struct Search {
        DWORD id;
        HWND found;
    } search{id, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s->id && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return reinterpret_cast<WindowRef>(search.found);
}

bool Win32ProcessWatch::IsWindowResponding(WindowRef window) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32)
        return true;
    using IsHungAppWindowFn = BOOL(WINAPI*)(HWND);
    const auto isHung = reinterpret_cast<IsHungAppWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "IsHungAppWindow")));
    if (!isHung)
        return true;
    return isHung(reinterpret_cast<HWND>(window)) == FALSE;
}

}  // namespace klaxora::win
