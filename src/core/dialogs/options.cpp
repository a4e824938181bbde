#include "dialogs/options.h"

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

OptionChecks ReadOptionChecks(RegistryPort& registry, const FileSystemPort& files) {
    OptionChecks checks;
    {
        const auto key = registry.Open(kSettingsKey);
        checks.CheckBox2 = ReadBool(*key, settings::kAutoMinimize);
        checks.CheckBox4 = ReadBool(*key, settings::kWygOff);
        checks.CheckBox3 = ReadBool(*key, settings::kMinimizeAll);
        checks.CheckBox5 = ReadBool(*key, settings::kMinimizeProg);
        checks.CheckBox6 = ReadBool(*key, settings::kPlayBeep);
    }
    const auto run = registry.Open(kRunKey);
    checks.CheckBox1 = RunEntryCounts(*run, files);
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
            write(settings::kAutoMinimize, checks.CheckBox2, options.AutoMinimize);
            write(settings::kWygOff, checks.CheckBox4, options.Wyg_Off);
            write(settings::kMinimizeAll, checks.CheckBox3, options.MinimizeAll);
            write(settings::kMinimizeProg, checks.CheckBox5, options.MinimizeProg);
            write(settings::kPlayBeep, checks.CheckBox6, options.PlayBeep);
        }
        const auto run = registry.Open(kRunKey);
        if (checks.CheckBox1)
            run->WriteString(kRunValue, RunEntryFor(executablePath));
        else if (RunEntryCounts(*run, files))
            run->DeleteValue(kRunValue);
    } catch (const UserError& e) {
        return e.Message();
    }
    return std::nullopt;
}

}  // namespace klaxora
