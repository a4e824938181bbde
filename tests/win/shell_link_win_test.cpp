#include <windows.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include "shortcut_read.h"
#include "util/user_error.h"
#include "win/sys/handles.h"
#include "win/sys/shell_link.h"

namespace klaxora::win {
namespace {

using testing::ReadShortcut;

struct ShellLinkTest : ::testing::Test {
    std::wstring folder;
    std::wstring exe;

    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"klaxora-lnk-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder.c_str(), nullptr);
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        exe = self;
    }
    void TearDown() override {
        DeleteFileW((folder + L"\\Alarm poranny.lnk").c_str());
        RemoveDirectoryW(folder.c_str());
    }
};

TEST_F(ShellLinkTest, WritesTargetArgumentsWorkingFolderAndIconAndReplacesAnOldFile) {
    const std::wstring workDir = exe.substr(0, exe.rfind(L'\\') + 1);
    CreateShellLink(L"Alarm poranny", folder + L"\\", exe, L" \"PW:\" \"Domyślne okno\"", workDir,
                    SW_SHOWNORMAL, L"", 0);
    const std::wstring arguments = L" \"OD: 0:20:0\" \"Otwórz folder\" \"C:\\\"";
    // Without the trailing backslash the same file is written, replacing the first.
    CreateShellLink(L"Alarm poranny", folder, exe, arguments, workDir, SW_SHOWNORMAL, L"", 0);
    const testing::ShortcutRead link = ReadShortcut(folder + L"\\Alarm poranny.lnk");
    EXPECT_TRUE(link.loaded);
    EXPECT_EQ(_wcsicmp(link.path.c_str(), exe.c_str()), 0) << link.path.c_str();
    EXPECT_EQ(link.arguments, arguments);
    EXPECT_EQ(link.workingDirectory, workDir);
    EXPECT_EQ(link.showCommand, SW_SHOWNORMAL);
    EXPECT_EQ(link.iconPath, L"");
    EXPECT_EQ(link.iconIndex, 0);
}

TEST_F(ShellLinkTest, AFileThatCannotBeWrittenIsReported) {
    try {
        CreateShellLink(L"Alarm poranny", folder + L"\\nie ma takiego", exe, L"", L"",
                        SW_SHOWNORMAL, L"", 0);
        ADD_FAILURE() << "no error";
    } catch (const UserError& e) {
        EXPECT_NE(e.Message().find(L"nie ma takiego\\Alarm poranny.lnk"), std::wstring::npos);
    }
}

}  // namespace
}  // namespace klaxora::win
