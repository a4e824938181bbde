#include "app/after_start.h"

#include <algorithm>

#include "util/text.h"

namespace klaxora {

namespace {

constexpr std::wstring_view kCaption = L"ActionCaption";
constexpr std::wstring_view kParameter = L"ActionParameter";
constexpr std::wstring_view kDetail = L"ActionDetail";
constexpr std::wstring_view kRepeat = L"RepeatSeconds";
constexpr std::wstring_view kKillImage = L"KillImage";

}  // namespace

std::optional<std::wstring> AfterStartCommand(std::wstring_view programPath) {
    std::wstring command =
        L"\"" + std::wstring(programPath) + L"\" " + std::wstring(kAfterStartMarker);
    if (programPath.empty() || command.size() > kRunOnceMaxLength)
        return std::nullopt;
    return command;
}

bool HasAfterStartAlarm(RegistryPort& registry) {
    try {
        const auto key = registry.OpenExisting(kAfterStartKey);  // nothing made by looking
        return key && key->Read(kCaption).has_value();
    } catch (const UserError&) {
        return false;
    }
}

std::optional<WatchState> TakeAfterStartAlarm(RegistryPort& registry) {
    std::optional<WatchState> state;
    try {
        auto key = registry.OpenExisting(kAfterStartKey);
        if (!key)
            return state;
        if (key->Read(kCaption)) {
            state.emplace();
            state->TriggerCode = L"PW";
            state->ActionCaption = ReadString(*key, kCaption);
            state->ActionParameter = ReadString(*key, kParameter);
            state->ActionDetail = ReadString(*key, kDetail);
            state->RepeatSeconds = std::max(ReadInteger(*key, kRepeat), 0);
            state->KillImage = ReadString(*key, kKillImage);
        }
        registry.DeleteTree(kAfterStartKey);
    } catch (const UserError&) {
    }
    return state;
}

bool TakeMarker(std::vector<std::wstring>& commandLine, std::wstring_view marker) {
    const auto found =
        std::find_if(commandLine.begin() + (commandLine.empty() ? 0 : 1), commandLine.end(),
                     [&](const std::wstring& entry) { return EqualsAsciiNoCase(entry, marker); });
    if (found == commandLine.end())
        return false;
    commandLine.erase(found);
    if (commandLine.size() == 1)
        commandLine.clear();  // only the program's path is left: no parameters
    return true;
}

}  // namespace klaxora
