#pragma once
// An in-memory file system whose names compare without regard to letter case, as on Windows.
#include <set>
#include <string>

#include "ports/file_system.h"
#include "util/text.h"

namespace klaxora::testing {

class MemoryFiles : public FileSystemPort, public SystemFoldersPort {
  public:
    void AddFile(std::wstring_view path) { files_.insert(FoldUpper(path)); }
    void RemoveFile(std::wstring_view path) { files_.erase(FoldUpper(path)); }
    void AddDirectory(std::wstring_view path) { dirs_.insert(FoldUpper(path)); }

    bool FileExists(std::wstring_view path) const override {
        return files_.contains(FoldUpper(path));
    }
    bool DirectoryExists(std::wstring_view path) const override {
        return dirs_.contains(FoldUpper(path));
    }

    std::wstring windowsDirectory = L"C:\\windows";
    std::wstring executableDirectory = L"C:\\Klaxora\\";
    std::wstring WindowsDirectory() const override { return windowsDirectory; }
    std::wstring ExecutableDirectory() const override { return executableDirectory; }

  private:
    std::set<std::wstring> files_;
    std::set<std::wstring> dirs_;
};

}  // namespace klaxora::testing
