#pragma once
// What the decisions need to know of the file system.
#include <string>
#include <string_view>

namespace klaxora {

class FileSystemPort {
  public:
    virtual ~FileSystemPort() = default;
    virtual bool FileExists(std::wstring_view path) const = 0;
    virtual bool DirectoryExists(std::wstring_view path) const = 0;
};

// Where the system's own folders are.
class SystemFoldersPort {
  public:
    virtual ~SystemFoldersPort() = default;
    // The Windows folder, without a trailing backslash.
    virtual std::wstring WindowsDirectory() const = 0;
    // The executable's folder, with its trailing backslash.
    virtual std::wstring ExecutableDirectory() const = 0;
};

}  // namespace klaxora
