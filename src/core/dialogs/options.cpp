#include "dialogs/options.h"

#include "app/snooze.h"
#include "app/startup.h"

namespace klaxora {

std::wstring RunEntryFor(std::wstring_view executablePath) {
    return L"\"" + std::wstring(executablePath) + L"\"";
}

bool RunEntryCounts(const RegistryKey& runKey, const FileSystemPort& files) {
    const auto value = runKey.Read(kRunValue);
    if (!value || value->type != RegistryType::String)
        return false;
    // Earlier versions wrote the path bare; ours is quoted. Both name the same program.
    std::wstring_view path = value->text;
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"')
        path = path.substr(1, path.size() - 2);
    return !path.empty() && files.FileExists(path);
}

bool AutostartOn(RegistryPort& registry, const FileSystemPort& files) {
    if (!RunEntryCounts(*registry.Open(kRunKey), files))
        return false;
    const auto approval = registry.OpenExisting(kStartupApprovedKey);
    const auto value = approval ? approval->Read(kRunValue) : std::nullopt;
    const bool switchedOff = value && value->type == RegistryType::Binary &&
                             !value->bytes.empty() && (value->bytes[0] & 1) != 0;
    return !switchedOff;
}

OptionChecks ReadOptionChecks(RegistryPort& registry, const FileSystemPort& files) {
    OptionChecks checks;
    {
        const auto key = registry.Open(kSettingsKey);
        checks.startMinimized = ReadBool(*key, settings::kAutoMinimize);
        checks.screenSaverOff = ReadBool(*key, settings::kWygOff);
        checks.minimizeAll = ReadBool(*key, settings::kMinimizeAll);
        checks.minimizeOnPreview = ReadBool(*key, settings::kMinimizeProg);
        checks.beep = ReadBool(*key, settings::kPlayBeep);
        checks.snoozeMinutes =
            SnoozeMinutes(ReadInteger(*key, settings::kSnooze, kSnoozeDefaultMinutes));
    }
    checks.startWithWindows = AutostartOn(registry, files);
    return checks;
}

std::optional<std::wstring> SaveOptionChecks(RegistryPort& registry, const FileSystemPort& files,
                                             const OptionChecks& checks,
                                             std::wstring_view executablePath,
                                             AppOptions& options) {
    try {
        {
            const auto key = registry.Open(kSettingsKey);
            const auto write = [&](std::wstring_view name, bool checked, bool& field) {
                key->WriteDword(name, checked ? 1 : 0);
                field = checked;
            };
            write(settings::kAutoMinimize, checks.startMinimized, options.AutoMinimize);
            write(settings::kWygOff, checks.screenSaverOff, options.Wyg_Off);
            write(settings::kMinimizeAll, checks.minimizeAll, options.MinimizeAll);
            write(settings::kMinimizeProg, checks.minimizeOnPreview, options.MinimizeProg);
            write(settings::kPlayBeep, checks.beep, options.PlayBeep);
            const int32_t snooze = SnoozeMinutes(checks.snoozeMinutes);
            key->WriteDword(settings::kSnooze, static_cast<uint32_t>(snooze));
            options.SnoozeMinutes = snooze;
        }
        if (checks.startWithWindows) {
            registry.Open(kRunKey)->WriteString(kRunValue, RunEntryFor(executablePath));
            // Switched on as Windows itself does it, also where Task Manager switched it off.
            std::vector<uint8_t> on(12, 0);
            on[0] = 0x02;
            registry.Open(kStartupApprovedKey)->WriteBinary(kRunValue, on);
        } else if (AutostartOn(registry, files)) {
            registry.Open(kRunKey)->DeleteValue(kRunValue);
        }
    } catch (const UserError& e) {
        return e.Message();
    }
    return std::nullopt;
}

}  // namespace klaxora
