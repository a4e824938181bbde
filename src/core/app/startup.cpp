#include "app/startup.h"

#include "app/snooze.h"
#include "config/recent_list.h"

namespace klaxora {

std::wstring HelpFilePath(std::wstring_view executableDirectory) {
    return std::wstring(executableDirectory) + std::wstring(kHelpFile);
}

std::wstring FormatFileVersion(uint16_t major, uint16_t minor, uint16_t release, uint16_t build) {
    return std::to_wstring(major) + L"." + std::to_wstring(minor) + L"." +
           std::to_wstring(release) + L"." + std::to_wstring(build);
}

bool IsFirstRun(const RegistryKey& settingsKey, const FileSystemPort& files) {
    const auto path = settingsKey.Read(settings::kPath);
    if (!path)
        return true;
    if (path->type != RegistryType::String && path->type != RegistryType::ExpandString) {
        throw RegistryError(L"Invalid data type for '" + std::wstring(settings::kPath) + L"'");
    }
    return !files.FileExists(path->text);
}

AppOptions ReadAppOptions(const RegistryKey& settingsKey) {
    AppOptions options;
    options.AutoMinimize = ReadBool(settingsKey, settings::kAutoMinimize);
    options.Wyg_Off = ReadBool(settingsKey, settings::kWygOff);
    options.MinimizeAll = ReadBool(settingsKey, settings::kMinimizeAll);
    options.MinimizeProg = ReadBool(settingsKey, settings::kMinimizeProg);
    options.PlayBeep = ReadBool(settingsKey, settings::kPlayBeep);
    options.SnoozeMinutes =
        SnoozeMinutes(ReadInteger(settingsKey, settings::kSnooze, kSnoozeDefaultMinutes));
    return options;
}

StartupOutcome PrepareRegistry(RegistryPort& registry, const FileSystemPort& files,
                               const SystemFoldersPort& folders, const StartupFacts& facts) {
    StartupOutcome outcome;
    try {
        {
            auto key = registry.Open(kSettingsKey);
            outcome.firstRun = IsFirstRun(*key, files);
            if (outcome.firstRun) {
                key->WriteString(settings::kVersion, facts.version);
                key->WriteString(settings::kPath, facts.executablePath);
                key->WriteString(settings::kName, kApplicationTitle);
            }
        }  // the settings key is closed before the lists are seeded
        if (outcome.firstRun)
            SeedRecentLists(registry, files, folders);
        const auto key = registry.Open(kSettingsKey);
        outcome.options = ReadAppOptions(*key);
    } catch (const UserError& e) {
        outcome.options = {};
        outcome.error = e.Message();
    }
    return outcome;
}

}  // namespace klaxora
