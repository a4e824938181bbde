#pragma once
// The registry as the program uses it: keys under the current user, opened with creation,
// values of a few types, names compared without regard to letter case.
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "util/user_error.h"

namespace klaxora {

enum class RegistryType {
    String,        // REG_SZ
    ExpandString,  // REG_EXPAND_SZ
    Dword,         // REG_DWORD
    Binary,        // REG_BINARY
    Other,         // anything else (multi-string, qword ...)
};

struct RegistryValue {
    RegistryType type = RegistryType::String;
    std::wstring text;                // String and ExpandString
    uint32_t number = 0;              // Dword
    std::vector<uint8_t> bytes = {};  // Binary
};

// A failure of the registry, carrying the text the user is shown.
class RegistryError : public UserError {
  public:
    using UserError::UserError;
};

// One open key; closed when destroyed.
class RegistryKey {
  public:
    virtual ~RegistryKey() = default;
    // The value with its type, or nothing when it does not exist. An empty name is the
    // key's unnamed value.
    virtual std::optional<RegistryValue> Read(std::wstring_view name) const = 0;
    virtual void WriteString(std::wstring_view name, std::wstring_view text) = 0;
    virtual void WriteDword(std::wstring_view name, uint32_t number) = 0;
    virtual void WriteBinary(std::wstring_view name, const std::vector<uint8_t>& bytes) = 0;
    // Deleting a value that does not exist is not an error.
    virtual void DeleteValue(std::wstring_view name) = 0;
    // Value names in the registry's enumeration order; the unnamed value, when set, is
    // enumerated as an empty name.
    virtual std::vector<std::wstring> ValueNames() const = 0;
    // Names of the subkeys directly under this key, in the registry's order.
    virtual std::vector<std::wstring> SubkeyNames() const = 0;
};

class RegistryPort {
  public:
    virtual ~RegistryPort() = default;
    // Opens a key under the current user's root, creating it (and its parents) when missing.
    // Throws RegistryError when it cannot.
    virtual std::unique_ptr<RegistryKey> Open(std::wstring_view path) = 0;
    // Opens a key only when it exists, creating nothing: null when it is missing. Throws
    // RegistryError on any other failure.
    virtual std::unique_ptr<RegistryKey> OpenExisting(std::wstring_view path) = 0;
    // Deletes a key with every subkey and value under it; a missing key is not an error.
    virtual void DeleteTree(std::wstring_view path) = 0;
};

// The longest value name the registry takes, in characters; every recent entry is one.
inline constexpr size_t kMaxValueNameLength = 16383;

// Key paths under the current user.
inline constexpr std::wstring_view kSettingsKey = L"Software\\Vantrelix\\Klaxora";
inline constexpr std::wstring_view kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Text only from REG_SZ; anything else (REG_EXPAND_SZ included) yields the default.
std::wstring ReadRegistryString(RegistryPort& registry, std::wstring_view key,
                                std::wstring_view name, std::wstring_view defaultValue);
// Numbers only from REG_DWORD; anything else yields the default.
int32_t ReadRegistryInteger(RegistryPort& registry, std::wstring_view key, std::wstring_view name,
                            int32_t defaultValue);

// The same typed-read rule over a key that is already open.
std::wstring ReadString(const RegistryKey& key, std::wstring_view name,
                        std::wstring_view defaultValue = {});
int32_t ReadInteger(const RegistryKey& key, std::wstring_view name, int32_t defaultValue = 0);
bool ReadBool(const RegistryKey& key, std::wstring_view name, bool defaultValue = false);

}  // namespace klaxora
