#include "fakes/memory_registry.h"

#include "util/text.h"

namespace klaxora::testing {
namespace {

std::wstring NormalPath(std::wstring_view path) {
    std::wstring p = FoldUpper(path);
    while (!p.empty() && p.back() == L'\\')
        p.pop_back();
    return p;
}

}  // namespace

class MemoryKey : public RegistryKey {
  public:
    MemoryKey(MemoryRegistry& owner, std::wstring path) : owner_(owner), path_(std::move(path)) {}

    std::optional<RegistryValue> Read(std::wstring_view name) const override {
        for (const auto& [n, v] : Values()) {
            if (EqualsNoCase(n, name))
                return v;
        }
        return std::nullopt;
    }
    void WriteString(std::wstring_view name, std::wstring_view text) override {
        Write(name, RegistryValue{RegistryType::String, std::wstring(text), 0});
    }
    void WriteDword(std::wstring_view name, uint32_t number) override {
        Write(name, RegistryValue{RegistryType::Dword, L"", number});
    }
    void WriteBinary(std::wstring_view name, const std::vector<uint8_t>& bytes) override {
        Write(name, RegistryValue{RegistryType::Binary, L"", 0, bytes});
    }
    void DeleteValue(std::wstring_view name) override {
        auto& values = owner_.KeyAt(path_).values;
        std::erase_if(values, [&](const auto& p) { return EqualsNoCase(p.first, name); });
    }
    std::vector<std::wstring> ValueNames() const override {
        std::vector<std::wstring> names;
        for (const auto& [n, v] : Values())
            names.push_back(n);
        return names;
    }

    std::vector<std::wstring> SubkeyNames() const override {
        std::vector<std::wstring> names;
        const std::wstring prefix = NormalPath(path_) + L"\\";
        for (const auto& [path, key] : owner_.keys_) {
            if (path.starts_with(prefix) && path.find(L'\\', prefix.size()) == std::wstring::npos)
                names.push_back(owner_.spellings_.at(path));
        }
        return names;
    }

  private:
    const std::vector<std::pair<std::wstring, RegistryValue>>& Values() const {
        return owner_.KeyAt(path_).values;
    }
    void Write(std::wstring_view name, RegistryValue value) {
        if (owner_.failWrites_)
            throw RegistryError(L"Odmowa dostępu");
        owner_.writes_.push_back(path_ + L"|" + std::wstring(name));
        auto& values = owner_.KeyAt(path_).values;
        for (auto& [n, v] : values) {
            if (EqualsNoCase(n, name)) {
                v = std::move(value);  // an existing name keeps its own spelling
                return;
            }
        }
        values.emplace_back(std::wstring(name), std::move(value));
    }

    MemoryRegistry& owner_;
    std::wstring path_;
};

MemoryRegistry::Key& MemoryRegistry::KeyAt(std::wstring_view path) {
    const std::wstring normal = NormalPath(path);
    // A key keeps the spelling of its name as first created.
    if (!spellings_.contains(normal)) {
        const std::wstring_view p = path.substr(0, path.find_last_not_of(L'\\') + 1);
        spellings_[normal] = std::wstring(p.substr(p.find_last_of(L'\\') + 1));
    }
    return keys_[normal];
}

std::unique_ptr<RegistryKey> MemoryRegistry::Open(std::wstring_view path) {
    ++opens_;
    if (!failOpen_.empty() && NormalPath(path) == NormalPath(failOpen_)) {
        throw RegistryError(L"Odmowa dostępu");
    }
    // Opening with creation makes the key and every parent on the way.
    const std::wstring p(path);
    for (size_t at = p.find(L'\\'); at != std::wstring::npos; at = p.find(L'\\', at + 1)) {
        KeyAt(p.substr(0, at));
    }
    KeyAt(p);
    return std::make_unique<MemoryKey>(*this, p);
}

std::unique_ptr<RegistryKey> MemoryRegistry::OpenExisting(std::wstring_view path) {
    if (!KeyExists(path))
        return nullptr;
    return Open(path);
}

void MemoryRegistry::DeleteTree(std::wstring_view path) {
    const std::wstring p = NormalPath(path);
    const auto under = [&](const std::wstring& key) {
        return key == p || key.starts_with(p + L"\\");
    };
    std::erase_if(keys_, [&](const auto& entry) { return under(entry.first); });
    std::erase_if(spellings_, [&](const auto& entry) { return under(entry.first); });
}

bool MemoryRegistry::KeyExists(std::wstring_view path) const {
    return keys_.contains(NormalPath(path));
}

void MemoryRegistry::Set(std::wstring_view path, std::wstring_view name, RegistryValue value) {
    Open(path);
    --opens_;
    auto& values = KeyAt(path).values;
    for (auto& [n, v] : values) {
        if (EqualsNoCase(n, name)) {
            v = std::move(value);
            return;
        }
    }
    values.emplace_back(std::wstring(name), std::move(value));
}

}  // namespace klaxora::testing
