#pragma once
// One contract for the file-system port: the in-memory fake natively, the real disk under Wine.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "ports/file_system.h"

namespace klaxora::testing {

struct FileSystemFixture {
    virtual ~FileSystemFixture() = default;
    virtual const FileSystemPort& Port() = 0;
    // A scratch folder, with its trailing backslash, that exists.
    virtual std::wstring Root() = 0;
    virtual void MakeFile(const std::wstring& path) = 0;
    virtual void MakeDirectory(const std::wstring& path) = 0;
};

struct FileSystemFactory {
    std::string name;
    std::function<std::unique_ptr<FileSystemFixture>()> make;
};

inline std::ostream& operator<<(std::ostream& os, const FileSystemFactory& f) {
    return os << f.name;
}

class FileSystemContract : public ::testing::TestWithParam<FileSystemFactory> {
  protected:
    void SetUp() override { fs = GetParam().make(); }
    std::unique_ptr<FileSystemFixture> fs;
};

}  // namespace klaxora::testing
