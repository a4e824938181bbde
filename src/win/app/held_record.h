#pragma once
// The armed records as this copy sees them. A copy holds a record through a named mutex of its
// own for as long as it runs, so whether any copy holds a record is a question the system
// answers at once and atomically: a crashed or ended copy frees its record with its handles,
// and two copies starting together cannot both take one. While it holds a record a copy keeps a
// one-time logon run for it and is registered with the system's restart service.
#include <optional>
#include <string>

#include "app/armed_record.h"
#include "ports/registry.h"
#include "win/sys/handles.h"

namespace klaxora::win {

// The name of the mutex that holds a record: in the global namespace with the user's SID, since
// the records are the user's and every session of the user sees them.
std::wstring RecordMutexName(std::wstring_view id);
// This computer's name, kept with each record so that a roaming profile's records stay with the
// computer they were armed on.
std::wstring ThisComputer();

class HeldRecord {
  public:
    // A new record for an alarm armed here. Throws a UserError when it cannot be held.
    static HeldRecord New();
    const std::wstring& Id() const { return id_; }
    // Writes (again) what is armed, then the logon run and the restart registration. Throws a
    // UserError when the record cannot be kept, or for an alarm after Windows start, which
    // only the logon run can fire, when the logon run cannot carry the program's path.
    void Keep(RegistryPort& registry, const ArmedRecord& record, std::wstring_view programPath);
    // Removes the record, its logon run and the restart registration, and lets it go.
    void Drop(RegistryPort& registry);

  private:
    friend struct RecordTaker;
    HeldRecord(std::wstring id, KernelHandle mutex)
        : id_(std::move(id)), mutex_(std::move(mutex)) {}
    std::wstring id_;
    KernelHandle mutex_;
};

struct TakenRecord {
    HeldRecord held;
    ArmedRecord record;
};

struct TakeOutcome {
    std::optional<TakenRecord> taken;
    size_t othersUnheld = 0;  // records left that no copy holds
    bool damagedRemoved = false;
    bool newerKept = false;  // a record of another version waits for it
};

// Takes the first record no running copy holds and counts the others; damaged records met on the
// way are removed. `take` false only counts.
TakeOutcome TakeUnheldRecord(RegistryPort& registry, bool take = true);

// Starts one more copy of this program to take a record over.
void StartCopyForRecord();

}  // namespace klaxora::win
