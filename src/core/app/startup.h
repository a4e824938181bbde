#pragma once
// What the main window does with the registry when it is created: the first-run test, the
// first-run values and seeds, and the start-up options.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/watch_state.h"
#include "ports/file_system.h"
#include "ports/registry.h"
#include "util/message_titles.h"

namespace klaxora {

// The application title; also stored as "Name" on a first run.

namespace settings {
inline constexpr std::wstring_view kPath = L"Path";
inline constexpr std::wstring_view kVersion = L"Version";
inline constexpr std::wstring_view kName = L"Name";
inline constexpr std::wstring_view kAutoMinimize = L"AutoMinimize";
inline constexpr std::wstring_view kWygOff = L"Wyg_Off";
inline constexpr std::wstring_view kMinimizeAll = L"MinimizeAll";
inline constexpr std::wstring_view kMinimizeProg = L"MinimizeProg";
inline constexpr std::wstring_view kPlayBeep = L"PlayBeep";
inline constexpr std::wstring_view kSnooze = L"Drzemka";  // REG_DWORD, minutes
}  // namespace settings

// The help file, relative to the executable's folder.
inline constexpr std::wstring_view kHelpFile = L"help\\alarm.html";

// The help file's full path: the executable's folder (with its trailing backslash) + the name.
std::wstring HelpFilePath(std::wstring_view executableDirectory);

// The four numbers of a file version joined by ".", major first.
std::wstring FormatFileVersion(uint16_t major, uint16_t minor, uint16_t release, uint16_t build);

// A first run is one where "Path" is missing or names no existing file. "Path" counts as text
// when it is REG_SZ or REG_EXPAND_SZ (taken as stored, not expanded); any other type throws a
// RegistryError "Invalid data type for 'Path'".
bool IsFirstRun(const RegistryKey& settingsKey, const FileSystemPort& files);

// The five options, each true only for a REG_DWORD that is not 0.
AppOptions ReadAppOptions(const RegistryKey& settingsKey);

struct StartupFacts {
    std::wstring executablePath;  // stored as "Path"
    std::wstring version;         // stored as "Version"
};

struct StartupOutcome {
    bool firstRun = false;
    AppOptions options;                 // all false when the registry failed
    std::optional<std::wstring> error;  // the failure's text, for the standard error box
};

// The registry part of the main window's creation: first-run test; on a first run "Version",
// "Path" and "Name" and then the seeded recent lists; then the options. A registry failure
// ends the sequence where it happened and is returned, never thrown, with the options false.
StartupOutcome PrepareRegistry(RegistryPort& registry, const FileSystemPort& files,
                               const SystemFoldersPort& folders, const StartupFacts& facts);

}  // namespace klaxora
