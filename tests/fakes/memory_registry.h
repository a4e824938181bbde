#pragma once
// An in-memory registry with the real one's semantics: names compared without regard to
// letter case (every letter), a key created by opening it, values enumerated in creation order.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ports/registry.h"

namespace klaxora::testing {

class MemoryRegistry : public RegistryPort {
  public:
    struct Key {
        std::vector<std::pair<std::wstring, RegistryValue>> values;
    };

    std::unique_ptr<RegistryKey> Open(std::wstring_view path) override;
    std::unique_ptr<RegistryKey> OpenExisting(std::wstring_view path) override;
    void DeleteTree(std::wstring_view path) override;

    bool KeyExists(std::wstring_view path) const;
    // Writes a value of any type, for setting up tests.
    void Set(std::wstring_view path, std::wstring_view name, RegistryValue value);
    // Counts every Open, so tests can tell whether a decision touched the registry.
    int OpenCount() const { return opens_; }
    // The order of value writes as "key|name", for tests of write order.
    const std::vector<std::wstring>& WriteLog() const { return writes_; }
    // When set, writes throw as a registry without write access would.
    void FailWrites(bool fail) { failWrites_ = fail; }
    // Opening this key (any letter case) throws, as a key without access would.
    void FailOpen(std::wstring_view path) { failOpen_ = path; }

  private:
    friend class MemoryKey;
    Key& KeyAt(std::wstring_view path);
    std::map<std::wstring, Key> keys_;                // by folded path
    std::map<std::wstring, std::wstring> spellings_;  // folded path: the key's own name
    int opens_ = 0;
    bool failWrites_ = false;
    std::wstring failOpen_;
    std::vector<std::wstring> writes_;
};

}  // namespace klaxora::testing
