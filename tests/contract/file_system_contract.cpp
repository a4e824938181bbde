#include "contract/file_system_contract.h"

namespace klaxora::testing {
namespace {

TEST_P(FileSystemContract, FilesAndFoldersAreToldApartAndMatchedWithoutCase) {
    const std::wstring root = fs->Root();
    fs->MakeDirectory(root + L"sound");
    fs->MakeFile(root + L"sound\\Budzik.mp3");
    fs->MakeFile(root + L"Płacz tarzana.mp3");
    const auto& port = fs->Port();
    EXPECT_TRUE(port.FileExists(root + L"sound\\Budzik.mp3"));
    EXPECT_TRUE(port.FileExists(root + L"SOUND\\budzik.MP3"));
    EXPECT_TRUE(port.FileExists(root + L"PŁACZ TARZANA.mp3"));
    EXPECT_FALSE(port.FileExists(root + L"sound"));
    EXPECT_TRUE(port.DirectoryExists(root + L"sound"));
    EXPECT_FALSE(port.DirectoryExists(root + L"sound\\Budzik.mp3"));
    EXPECT_FALSE(port.FileExists(root + L"sound\\missing.wav"));
    EXPECT_FALSE(port.FileExists(L""));
    EXPECT_FALSE(port.DirectoryExists(L""));
}

}  // namespace
}  // namespace klaxora::testing
