#include "win/app/held_record.h"

#include "app/after_start.h"
#include "win/sys/file_system_win.h"

namespace klaxora::win {
namespace {

std::wstring MutexName(std::wstring_view id) {
    return L"Local\\Klaxora-uzbrojony-" + std::wstring(id);
}

std::wstring RunOnceName(std::wstring_view id) {
    return std::wstring(kRunOnceValue) + L" " + std::wstring(id);
}

// The record's mutex, when no other copy has it; nothing when one does (or it cannot be made).
KernelHandle Claim(std::wstring_view id) {
    KernelHandle mutex(CreateMutexW(nullptr, FALSE, MutexName(id).c_str()));
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS)
        mutex.Reset();
    return mutex;
}

}  // namespace

struct RecordTaker {
    static HeldRecord Make(std::wstring id, KernelHandle mutex) {
        return HeldRecord(std::move(id), std::move(mutex));
    }
};

HeldRecord HeldRecord::New() {
    // The process and the moment: unique among the copies of this user.
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::wstring id = std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring((static_cast<uint64_t>(now.dwHighDateTime) << 32) |
                                            now.dwLowDateTime);
    return HeldRecord(id, Claim(id));
}

void HeldRecord::Keep(RegistryPort& registry, const ArmedRecord& record,
                      std::wstring_view programPath) {
    const std::optional<std::wstring> command = AfterStartCommand(programPath);
    if (!command && record.watch.TriggerCode == L"PW")
        throw UserError(std::wstring(kAfterStartTooLong));
    WriteArmedRecord(registry, id_, record);
    try {
        // Windows removes a one-time run as it starts it: the copy that takes the record over
        // writes it again.
        if (command)
            registry.Open(kRunOnceKey)->WriteString(RunOnceName(id_), *command);
    } catch (const UserError&) {
        Drop(registry);
        throw;
    }
    // After an update's restart the system starts us again as the logon run would.
    const std::wstring marker(kAfterStartMarker);
    RegisterApplicationRestart(marker.c_str(), 0);
}

void HeldRecord::Drop(RegistryPort& registry) {
    UnregisterApplicationRestart();
    try {
        registry.Open(kRunOnceKey)->DeleteValue(RunOnceName(id_));
    } catch (const UserError&) {
    }
    DeleteArmedRecord(registry, id_);
    mutex_.Reset();
}

TakeOutcome TakeUnheldRecord(RegistryPort& registry, bool take) {
    TakeOutcome outcome;
    for (const std::wstring& id : ArmedRecordIds(registry)) {
        KernelHandle mutex = Claim(id);
        if (!mutex)
            continue;  // a running copy holds it
        std::optional<ArmedRecord> record = ReadArmedRecord(registry, id);
        if (!record) {
            HeldRecord damaged = RecordTaker::Make(id, std::move(mutex));
            damaged.Drop(registry);
            outcome.damagedRemoved = true;
        } else if (take && !outcome.taken) {
            outcome.taken = TakenRecord{RecordTaker::Make(id, std::move(mutex)), std::move(*record)};
        } else {
            ++outcome.othersUnheld;  // let go again, for the copy that will take it
        }
    }
    return outcome;
}

void StartCopyForRecord() {
    const std::wstring program = ExecutablePath();
    std::wstring line = L"\"" + program + L"\" " + std::wstring(kTakeOverMarker);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
}

}  // namespace klaxora::win
