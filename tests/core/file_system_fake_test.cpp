#include "contract/file_system_contract.h"
#include "fakes/memory_files.h"

namespace klaxora::testing {
namespace {

struct MemoryFixture : FileSystemFixture {
    MemoryFiles files;
    MemoryFixture() { files.AddDirectory(L"C:\\scratch"); }
    const FileSystemPort& Port() override { return files; }
    std::wstring Root() override { return L"C:\\scratch\\"; }
    void MakeFile(const std::wstring& path) override { files.AddFile(path); }
    void MakeDirectory(const std::wstring& path) override { files.AddDirectory(path); }
};

INSTANTIATE_TEST_SUITE_P(Memory, FileSystemContract,
                         ::testing::Values(FileSystemFactory{
                             "Memory", [] { return std::make_unique<MemoryFixture>(); }}));

}  // namespace
}  // namespace klaxora::testing
