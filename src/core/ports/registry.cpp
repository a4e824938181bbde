#include "ports/registry.h"

namespace klaxora {

std::wstring ReadString(const RegistryKey& key, std::wstring_view name,
                        std::wstring_view defaultValue) {
    const auto value = key.Read(name);
    if (!value || value->type != RegistryType::String)
        return std::wstring(defaultValue);
    return value->text;
}

int32_t ReadInteger(const RegistryKey& key, std::wstring_view name, int32_t defaultValue) {
    const auto value = key.Read(name);
    if (!value || value->type != RegistryType::Dword)
        return defaultValue;
    return static_cast<int32_t>(value->number);
}

bool ReadBool(const RegistryKey& key, std::wstring_view name, bool defaultValue) {
    const auto value = key.Read(name);
    if (!value || value->type != RegistryType::Dword)
        return defaultValue;
    return value->number != 0;
}

std::wstring ReadRegistryString(RegistryPort& registry, std::wstring_view key,
                                std::wstring_view name, std::wstring_view defaultValue) {
    const auto open = registry.Open(key);
    return ReadString(*open, name, defaultValue);
}

int32_t ReadRegistryInteger(RegistryPort& registry, std::wstring_view key, std::wstring_view name,
                            int32_t defaultValue) {
    const auto open = registry.Open(key);
    return ReadInteger(*open, name, defaultValue);
}

}  // namespace klaxora
