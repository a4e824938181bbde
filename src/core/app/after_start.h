#pragma once
// The markers a copy of the program is started with to take an armed record over: by the
// one-time logon run kept for every record (and by the system's restart service), and by a copy
// that found more records than it can hold. The system's one-time-run command is short (the
// logon run refuses lines over 260 characters), so the line carries only the program and the
// marker; the alarm waits in its record. A marker holds no trigger code, so the command-line
// reader never takes it for a trigger.
//
// Earlier versions kept one alarm after Windows start in a key of its own; a logon run they
// registered still performs it once.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/watch_state.h"
#include "ports/registry.h"

namespace klaxora {

inline constexpr std::wstring_view kRunOnceKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr std::wstring_view kRunOnceValue = L"Klaxora";
inline constexpr std::wstring_view kAfterStartKey = L"Software\\Vantrelix\\Klaxora\\PoStarcie";
inline constexpr std::wstring_view kAfterStartMarker = L"/alarm-po-starcie";
inline constexpr std::wstring_view kTakeOverMarker = L"/przejmij";
// The system's restart service (after an update, a crash or a hang): a copy started with it
// takes a record as a copy started by another one does, and is never a logon run.
inline constexpr std::wstring_view kRestartMarker = L"/wznowienie";
inline constexpr size_t kRunOnceMaxLength = 259;  // characters, without the terminating zero
inline constexpr std::wstring_view kAfterStartTooLong =
    L"Ścieżka programu jest zbyt długa, aby uruchomić go po starcie Windows !!!";

// The one-time-run command for the program at `programPath`; nothing when it is too long.
std::optional<std::wstring> AfterStartCommand(std::wstring_view programPath);

// Whether an earlier version stored an alarm after Windows start.
bool HasAfterStartAlarm(RegistryPort& registry);
// The action an earlier version stored, removed as it is taken (the run is one-time), or
// nothing when none is stored. Trigger "PW", not armed.
std::optional<WatchState> TakeAfterStartAlarm(RegistryPort& registry);

// Whether the command line (CommandLineList) carries `marker`; removes it, so the reader sees
// only the rest (and nothing at all when the marker was the only parameter).
bool TakeMarker(std::vector<std::wstring>& commandLine, std::wstring_view marker);

}  // namespace klaxora
