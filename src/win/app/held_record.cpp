#include "win/app/held_record.h"

#include <sddl.h>

#include <vector>

#include "app/after_start.h"
#include "win/sys/file_system_win.h"

namespace klaxora::win {
namespace {

constexpr std::wstring_view kCannotHold =
    L"Nie można zapamiętać alarmu: system odmówił blokady, która chroni go przed innymi kopiami "
    L"programu.";

// The user's SID as text; empty when it cannot be read.
std::wstring UserSid() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw))
        return {};
    const KernelHandle token(raw);
    DWORD size = 0;
    GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    wchar_t* text = nullptr;
    if (size == 0 || !GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size) ||
        !ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text))
        return {};
    std::wstring sid(text);
    LocalFree(text);
    return sid;
}

std::wstring RunOnceName(std::wstring_view id) {
    return std::wstring(kRunOnceValue) + L" " + std::wstring(id);
}

// The record's mutex, when no other copy has it; nothing when one does (or it cannot be made).
KernelHandle Claim(std::wstring_view id) {
    KernelHandle mutex(CreateMutexW(nullptr, FALSE, RecordMutexName(id).c_str()));
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS)
        mutex.Reset();
    return mutex;
}

}  // namespace

std::wstring RecordMutexName(std::wstring_view id) {
    static const std::wstring sid = UserSid();
    return L"Global\\Klaxora-" + sid + L"-uzbrojony-" + std::wstring(id);
}

std::wstring ThisComputer() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &size) ? std::wstring(name, size) : std::wstring();
}

struct RecordTaker {
    static HeldRecord Make(std::wstring id, KernelHandle mutex) {
        return HeldRecord(std::move(id), std::move(mutex));
    }
};

HeldRecord HeldRecord::New() {
    // The process and the moment: unique among the copies of this user.
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::wstring id =
        std::to_wstring(GetCurrentProcessId()) + L"-" +
        std::to_wstring((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    KernelHandle mutex = Claim(id);
    // Unheld, the record could be taken by another copy while this one fires it.
    if (!mutex)
        throw UserError(std::wstring(kCannotHold));
    return HeldRecord(id, std::move(mutex));
}

void HeldRecord::Keep(RegistryPort& registry, const ArmedRecord& record,
                      std::wstring_view programPath) {
    const std::optional<std::wstring> command = AfterStartCommand(programPath);
    if (!command && record.watch.Watches(TriggerKind::AfterWindowsStart))
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
    // After an update's restart, a crash or a hang the system starts us again with a marker of
    // its own: that copy takes the record as a plain start would, and is no logon.
    const std::wstring marker(kRestartMarker);
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
        RecordReading reading = ReadArmedRecord(registry, id, ThisComputer());
        if (reading.state == RecordState::Damaged) {
            HeldRecord damaged = RecordTaker::Make(id, std::move(mutex));
            damaged.Drop(registry);
            outcome.damagedRemoved = true;
        } else if (reading.state == RecordState::OtherVersion) {
            outcome.newerKept = true;  // left alone, for the version that wrote it
        } else if (reading.state != RecordState::Whole) {
            continue;  // gone meanwhile, or another computer's
        } else if (take && !outcome.taken) {
            outcome.taken =
                TakenRecord{RecordTaker::Make(id, std::move(mutex)), std::move(*reading.record)};
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
