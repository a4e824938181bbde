#pragma once
// The registry port over the real registry, under HKEY_CURRENT_USER.
#include "ports/registry.h"

namespace klaxora::win {

class Win32Registry : public RegistryPort {
  public:
    std::unique_ptr<RegistryKey> Open(std::wstring_view path) override;
    std::unique_ptr<RegistryKey> OpenExisting(std::wstring_view path) override;
    void DeleteTree(std::wstring_view path) override;
};

}  // namespace klaxora::win
