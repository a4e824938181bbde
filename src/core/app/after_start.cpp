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

void RegisterAfterStart(RegistryPort& registry, const WatchState& state,
                        std::wstring_view programPath) {
    const auto command = AfterStartCommand(programPath);
    if (!command)
        throw UserError(std::wstring(kAfterStartTooLong));
    try {
        // The action first: a run registered without it would start the program for nothing.
        registry.DeleteTree(kAfterStartKey);
        auto key = registry.Open(kAfterStartKey);
        key->WriteString(kCaption, state.ActionCaption);
        key->WriteString(kParameter, state.ActionParameter);
        key->WriteString(kDetail, state.ActionDetail);
        key->WriteDword(kRepeat, static_cast<uint32_t>(std::max(state.RepeatSeconds, 0)));
        key->WriteString(kKillImage, state.KillImage);
        registry.Open(kRunOnceKey)->WriteString(kRunOnceValue, *command);
    } catch (const UserError&) {
        UnregisterAfterStart(registry);
        throw;
    }
}

void UnregisterAfterStart(RegistryPort& registry) {
    try {
        registry.Open(kRunOnceKey)->DeleteValue(kRunOnceValue);
    } catch (const UserError&) {
    }
    try {
        registry.DeleteTree(kAfterStartKey);
    } catch (const UserError&) {
    }
}

std::optional<WatchState> TakeAfterStartAlarm(RegistryPort& registry) {
    std::optional<WatchState> state;
    try {
        auto key = registry.Open(kAfterStartKey);
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

bool TakeAfterStartMarker(std::vector<std::wstring>& commandLine) {
    const auto marker = std::find_if(
        commandLine.begin() + (commandLine.empty() ? 0 : 1), commandLine.end(),
        [](const std::wstring& entry) { return EqualsAsciiNoCase(entry, kAfterStartMarker); });
    if (marker == commandLine.end())
        return false;
    commandLine.erase(marker);
    if (commandLine.size() == 1)
        commandLine.clear();  // only the program's path is left: no parameters
    return true;
}

}  // namespace klaxora
