#pragma once
#include "ports/file_system.h"

namespace klaxora::win {

class Win32FileSystem : public FileSystemPort, public SystemFoldersPort {
  public:
    bool FileExists(std::wstring_view path) const override;
    bool DirectoryExists(std::wstring_view path) const override;
    std::wstring WindowsDirectory() const override;
    std::wstring ExecutableDirectory() const override;
};

// The full path of this executable.
std::wstring ExecutablePath();

}  // namespace klaxora::win
