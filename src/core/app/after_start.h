#pragma once
// "Po uruchomieniu Windows": arming registers a one-time run at the user's next logon. The
// system's one-time-run command is short (the logon run refuses lines over 260 characters), so
// the line carries only the program and a marker, and the armed action waits in our own key.
// The marker holds no trigger code, so the command-line reader never takes it for a trigger.
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
inline constexpr size_t kRunOnceMaxLength = 259;  // characters, without the terminating zero
inline constexpr std::wstring_view kAfterStartTooLong =
    L"Ścieżka programu jest zbyt długa, aby uruchomić go po starcie Windows !!!";

// The one-time-run command for the program at `programPath`; nothing when it is too long.
std::optional<std::wstring> AfterStartCommand(std::wstring_view programPath);

// Writes the armed action (our key) and then the one-time run. Throws a UserError (the
// registry's, or the too-long text) and leaves nothing registered when it cannot.
void RegisterAfterStart(RegistryPort& registry, const WatchState& state,
                        std::wstring_view programPath);
// Removes both; nothing registered is not an error. Never throws.
void UnregisterAfterStart(RegistryPort& registry);

// The action stored by RegisterAfterStart, removed as it is taken (the run is one-time), or
// nothing when none is stored. Trigger "PW", not armed.
std::optional<WatchState> TakeAfterStartAlarm(RegistryPort& registry);

// Whether the command line (CommandLineList) carries the marker; removes it, so the reader
// sees only the rest (and nothing at all when the marker was the only parameter).
bool TakeAfterStartMarker(std::vector<std::wstring>& commandLine);

}  // namespace klaxora
