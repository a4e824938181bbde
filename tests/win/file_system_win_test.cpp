#include <windows.h>

#include "config/recent_list.h"
#include "contract/file_system_contract.h"
#include "fakes/memory_registry.h"
#include "win/sys/file_system_win.h"

namespace klaxora::testing {
namespace {

struct DiskFixture : FileSystemFixture {
    win::Win32FileSystem port;
    std::wstring root;
    DiskFixture() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        root = std::wstring(temp) + L"klaxora-fs-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(root.c_str(), nullptr);
    }
    ~DiskFixture() override {
        // SHFileOperation would pull in the shell; the tree is two levels deep.
        for (auto it = made.rbegin(); it != made.rend(); ++it) {
            if (!DeleteFileW(it->c_str()))
                RemoveDirectoryW(it->c_str());
        }
        RemoveDirectoryW(root.c_str());
    }
    const FileSystemPort& Port() override { return port; }
    std::wstring Root() override { return root; }
    void MakeFile(const std::wstring& path) override {
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        CloseHandle(h);
        made.push_back(path);
    }
    void MakeDirectory(const std::wstring& path) override {
        ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
        made.push_back(path);
    }
    std::vector<std::wstring> made;
};

INSTANTIATE_TEST_SUITE_P(Win32, FileSystemContract,
                         ::testing::Values(FileSystemFactory{
                             "Win32", [] { return std::make_unique<DiskFixture>(); }}));

TEST(Win32Folders, WindowsAndExecutableFolders) {
    win::Win32FileSystem fs;
    const std::wstring windows = fs.WindowsDirectory();
    ASSERT_FALSE(windows.empty());
    EXPECT_NE(windows.back(), L'\\');
    EXPECT_TRUE(fs.DirectoryExists(windows));
    const std::wstring exeDir = fs.ExecutableDirectory();
    EXPECT_EQ(exeDir.back(), L'\\');
    EXPECT_TRUE(fs.FileExists(exeDir + L"win_tests.exe"));
    EXPECT_EQ(win::ExecutablePath().rfind(exeDir, 0), 0u);
}

TEST(Win32Folders, SeedsFindTheRealWindowsFolder) {
    win::Win32FileSystem fs;
    const auto programs = SeedEntries(mru::kPrograms, fs, fs);
    // Wine ships notepad in the Windows folder, as Windows does.
    ASSERT_FALSE(programs.empty());
    EXPECT_EQ(programs[0], fs.WindowsDirectory() + L"\\Notepad.exe");
    const auto folders = SeedEntries(mru::kFolders, fs, fs);
    EXPECT_EQ(folders.front(), fs.WindowsDirectory());
    EXPECT_EQ(folders.back(), L"C:\\");
}

}  // namespace
}  // namespace klaxora::testing
