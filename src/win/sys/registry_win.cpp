#include "win/sys/registry_win.h"

#include <windows.h>

#include <cstring>

#include "win/sys/handles.h"
#include "win/sys/system_error.h"

namespace klaxora::win {
namespace {

[[noreturn]] void Fail(LONG status) {
    throw RegistryError(SystemErrorText(static_cast<DWORD>(status)));
}

class Win32Key : public RegistryKey {
  public:
    explicit Win32Key(RegKey key) : key_(std::move(key)) {}

    std::optional<RegistryValue> Read(std::wstring_view name) const override {
        const std::wstring n(name);
        DWORD type = 0;
        DWORD size = 0;
        LONG status = RegQueryValueExW(key_.Get(), n.c_str(), nullptr, &type, nullptr, &size);
        if (status == ERROR_FILE_NOT_FOUND)
            return std::nullopt;
        if (status != ERROR_SUCCESS)
            Fail(status);
        // The value may grow between the two calls; ask again until it fits.
        std::wstring buffer;
        for (;;) {
            buffer.assign(size / sizeof(wchar_t) + 2, L'\0');
            DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
            status = RegQueryValueExW(key_.Get(), n.c_str(), nullptr, &type,
                                      reinterpret_cast<BYTE*>(buffer.data()), &got);
            if (status == ERROR_MORE_DATA) {
                size = got;
                continue;
            }
            if (status == ERROR_FILE_NOT_FOUND)
                return std::nullopt;
            if (status != ERROR_SUCCESS)
                Fail(status);
            size = got;
            break;
        }
        RegistryValue value;
        switch (type) {
            case REG_SZ:
            case REG_EXPAND_SZ: {
                value.type = type == REG_SZ ? RegistryType::String : RegistryType::ExpandString;
                // Stored text need not be terminated; cut at the first terminator.
                buffer.resize(size / sizeof(wchar_t));
                const size_t end = buffer.find(L'\0');
                if (end != std::wstring::npos)
                    buffer.resize(end);
                value.text = std::move(buffer);
                break;
            }
            case REG_DWORD:
                if (size != sizeof(DWORD)) {
                    value.type = RegistryType::Other;
                } else {
                    value.type = RegistryType::Dword;
                    std::memcpy(&value.number, buffer.data(), sizeof(DWORD));
                }
                break;
            case REG_BINARY: {
                value.type = RegistryType::Binary;
                const auto* data = reinterpret_cast<const uint8_t*>(buffer.data());
                value.bytes.assign(data, data + size);
                break;
            }
            default:
                value.type = RegistryType::Other;
        }
        return value;
    }

    void WriteString(std::wstring_view name, std::wstring_view text) override {
        const std::wstring n(name);
        const std::wstring t(text);
        const LONG status = RegSetValueExW(key_.Get(), n.c_str(), 0, REG_SZ,
                                           reinterpret_cast<const BYTE*>(t.c_str()),
                                           static_cast<DWORD>((t.size() + 1) * sizeof(wchar_t)));
        if (status != ERROR_SUCCESS)
            Fail(status);
    }

    void WriteDword(std::wstring_view name, uint32_t number) override {
        const std::wstring n(name);
        const DWORD value = number;
        const LONG status = RegSetValueExW(key_.Get(), n.c_str(), 0, REG_DWORD,
                                           reinterpret_cast<const BYTE*>(&value), sizeof(value));
        if (status != ERROR_SUCCESS)
            Fail(status);
    }

    void WriteBinary(std::wstring_view name, const std::vector<uint8_t>& bytes) override {
        const std::wstring n(name);
        const LONG status = RegSetValueExW(key_.Get(), n.c_str(), 0, REG_BINARY, bytes.data(),
                                           static_cast<DWORD>(bytes.size()));
        if (status != ERROR_SUCCESS)
            Fail(status);
    }

    void DeleteValue(std::wstring_view name) override {
        const std::wstring n(name);
        const LONG status = RegDeleteValueW(key_.Get(), n.c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
            Fail(status);
    }

    std::vector<std::wstring> ValueNames() const override {
        DWORD count = 0;
        DWORD maxName = 0;
        LONG status = RegQueryInfoKeyW(key_.Get(), nullptr, nullptr, nullptr, nullptr, nullptr,
                                       nullptr, &count, &maxName, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            Fail(status);
        std::vector<std::wstring> names;
        names.reserve(count);
        std::wstring buffer(maxName + 2, L'\0');
        for (DWORD i = 0;; ++i) {
            DWORD length = static_cast<DWORD>(buffer.size());
            status = RegEnumValueW(key_.Get(), i, buffer.data(), &length, nullptr, nullptr, nullptr,
                                   nullptr);
            if (status == ERROR_NO_MORE_ITEMS)
                break;
            if (status == ERROR_MORE_DATA) {
                // A longer name was added meanwhile: grow and read this index again.
                buffer.assign(buffer.size() * 2 + 256, L'\0');
                --i;
                continue;
            }
            if (status != ERROR_SUCCESS)
                Fail(status);
            names.emplace_back(buffer.data(), length);
        }
        return names;
    }

    std::vector<std::wstring> SubkeyNames() const override {
        std::vector<std::wstring> names;
        wchar_t buffer[256];  // a key name has at most 255 characters
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            const LONG status =
                RegEnumKeyExW(key_.Get(), i, buffer, &length, nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_NO_MORE_ITEMS)
                break;
            if (status != ERROR_SUCCESS)
                Fail(status);
            names.emplace_back(buffer, length);
        }
        return names;
    }

  private:
    RegKey key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::Open(std::wstring_view path) {
    const std::wstring p(path);
    RegKey key;
    const LONG status = RegCreateKeyExW(HKEY_CURRENT_USER, p.c_str(), 0, nullptr, 0,
                                        KEY_READ | KEY_WRITE, nullptr, key.Put(), nullptr);
    if (status != ERROR_SUCCESS)
        Fail(status);
    return std::make_unique<Win32Key>(std::move(key));
}

std::unique_ptr<RegistryKey> Win32Registry::OpenExisting(std::wstring_view path) {
    const std::wstring p(path);
    RegKey key;
    const LONG status =
        RegOpenKeyExW(HKEY_CURRENT_USER, p.c_str(), 0, KEY_READ | KEY_WRITE, key.Put());
    if (status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND)
        return nullptr;
    if (status != ERROR_SUCCESS)
        Fail(status);
    return std::make_unique<Win32Key>(std::move(key));
}

void Win32Registry::DeleteTree(std::wstring_view path) {
    const std::wstring p(path);
    const LONG status = RegDeleteTreeW(HKEY_CURRENT_USER, p.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        Fail(status);
    // RegDeleteTreeW empties and removes the key itself only on newer systems; make sure.
    RegDeleteKeyW(HKEY_CURRENT_USER, p.c_str());
}

}  // namespace klaxora::win
