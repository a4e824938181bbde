#include <gtest/gtest.h>

#include "app/startup.h"
#include "config/recent_list.h"
#include "fakes/memory_files.h"
#include "fakes/memory_registry.h"

namespace klaxora {
namespace {

using testing::MemoryFiles;
using testing::MemoryRegistry;
using Names = std::vector<std::wstring>;

const std::wstring kKey(kSettingsKey);
const std::wstring kExe = L"C:\\Klaxora\\Klaxora.exe";

class Startup : public ::testing::Test {
  protected:
    Startup() {
        files.AddFile(kExe);
        files.AddFile(L"C:\\windows\\NOTEPAD.EXE");
        files.AddDirectory(L"C:\\windows");
        files.AddFile(L"C:\\windows\\Media\\tada.wav");
    }
    StartupOutcome Run() { return PrepareRegistry(reg, files, files, {kExe, L"1.0.0.1"}); }
    Names Entries(std::wstring_view subkey) { return RecentList(reg, subkey).Load(); }
    void SetPath(RegistryType type, std::wstring text, uint32_t number = 0) {
        reg.Set(kKey, L"Path", {type, std::move(text), number});
    }

    MemoryRegistry reg;
    MemoryFiles files;
};

TEST_F(Startup, FirstRunWritesTheThreeValuesThenSeedsEveryListInOrder) {
    const auto outcome = Run();
    EXPECT_TRUE(outcome.firstRun);
    EXPECT_FALSE(outcome.error);
    const auto& log = reg.WriteLog();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(Names(log.begin(), log.begin() + 3),
              (Names{kKey + L"|Version", kKey + L"|Path", kKey + L"|Name"}));
    // After the three values, the lists follow one after the other in seeding order.
    Names listOrder;
    for (size_t i = 3; i < log.size(); ++i) {
        const std::wstring key = log[i].substr(0, log[i].find(L'|'));
        if (listOrder.empty() || listOrder.back() != key)
            listOrder.push_back(key);
    }
    Names expected;
    for (auto subkey : SeededLists())
        expected.push_back(RecentListKey(subkey));
    EXPECT_EQ(listOrder, expected);

    const auto stored = reg.Open(kKey);
    EXPECT_EQ(ReadString(*stored, L"Version"), L"1.0.0.1");
    EXPECT_EQ(ReadString(*stored, L"Path"), kExe);
    EXPECT_EQ(ReadString(*stored, L"Name"), L"Klaxora");
    EXPECT_EQ(stored->ValueNames(), (Names{L"Version", L"Path", L"Name"}));
}

TEST_F(Startup, SeededListsHoldExactlyTheirEntriesAndNoCurrentEntry) {
    files.AddFile(L"C:\\Klaxora\\sound\\BUDZIK.MP3");
    files.AddFile(L"C:\\Klaxora\\sound\\Alarm.mp3");
    Run();
    EXPECT_EQ(Entries(mru::kAtTime),
              (Names{L"00:00:00", L"06:00:00", L"07:00:00", L"11:00:00", L"12:00:00", L"15:00:00",
                     L"20:00:00", L"21:00:00", L"22:00:00", L"23:00:00"}));
    EXPECT_EQ(Entries(mru::kCountdown).size(), 10u);
    EXPECT_EQ(Entries(mru::kCountdown).front(), L"00:00:30");
    EXPECT_EQ(Entries(mru::kMessageText).size(), 19u);
    EXPECT_EQ(Entries(mru::kMessageCaption),
              (Names{L":-)", L"CZEŚĆ", L"HELLO !!!", L"HEY HEY HEY", L"Vantrelix Klaxora",
                     L"UWAGA !!!", L"Informacja !!!"}));
    // Only existing sounds, each with its own spelling, in table order.
    EXPECT_EQ(Entries(mru::kSound),
              (Names{L"C:\\Klaxora\\sound\\Budzik.mp3", L"C:\\Klaxora\\sound\\Alarm.mp3",
                     L"C:\\windows\\Media\\tada.wav"}));
    EXPECT_EQ(Entries(mru::kPrograms), (Names{L"C:\\windows\\Notepad.exe"}));
    EXPECT_EQ(Entries(mru::kFolders), (Names{L"C:\\windows", L"C:\\"}));
    EXPECT_EQ(Entries(mru::kWeb).size(), 6u);
    EXPECT_FALSE(reg.KeyExists(RecentListKey(mru::kFiles)));
    for (auto subkey : SeededLists()) {
        for (const auto& name : Entries(subkey))
            EXPECT_FALSE(name.empty()) << subkey.data();
    }
}

TEST_F(Startup, PathNamingAnExistingFileIsNoFirstRun) {
    for (const auto& stored : {kExe, std::wstring(L"C:\\windows\\NOTEPAD.EXE")}) {
        MemoryRegistry fresh;
        fresh.Set(kKey, L"Path", {RegistryType::String, stored, 0});
        const auto outcome = PrepareRegistry(fresh, files, files, {kExe, L"1.0.0.1"});
        EXPECT_FALSE(outcome.firstRun) << stored.c_str();
        EXPECT_TRUE(fresh.WriteLog().empty());
        EXPECT_FALSE(fresh.KeyExists(RecentListKey(mru::kAtTime)));
    }
}

TEST_F(Startup, PathAsExpandStringCountsAsTextAndIsNotExpanded) {
    SetPath(RegistryType::ExpandString, L"C:\\windows\\NOTEPAD.EXE");
    EXPECT_FALSE(Run().firstRun);
    EXPECT_TRUE(reg.WriteLog().empty());

    MemoryRegistry other;
    other.Set(kKey, L"Path", {RegistryType::ExpandString, L"%WINDIR%\\NOTEPAD.EXE", 0});
    EXPECT_TRUE(PrepareRegistry(other, files, files, {kExe, L"1.0.0.1"}).firstRun);
}

TEST_F(Startup, MovedExecutableSeedsAgainAddingToTheLists) {
    SetPath(RegistryType::String, L"D:\\Old\\Klaxora.exe");
    RecentList(reg, mru::kAtTime).Push(L"09:05:00");
    RecentList(reg, mru::kWeb).Clear();
    const auto outcome = Run();
    EXPECT_TRUE(outcome.firstRun);
    EXPECT_EQ(ReadString(*reg.Open(kKey), L"Path"), kExe);
    const auto atTime = Entries(mru::kAtTime);
    EXPECT_EQ(atTime.size(), 12u);  // unnamed + own entry + ten seeds
    EXPECT_EQ(RecentList(reg, mru::kAtTime).Current(), L"09:05:00");
    EXPECT_EQ(Entries(mru::kWeb).size(), 6u);  // a cleared list gets its seeds back

    // Seeding twice adds no duplicates.
    reg.Set(kKey, L"Path", {RegistryType::String, L"D:\\Gone.exe", 0});
    Run();
    EXPECT_EQ(Entries(mru::kAtTime).size(), 12u);
}

TEST_F(Startup, PathOfAnotherTypeFailsAndSkipsSeedingAndOptions) {
    for (const auto type : {RegistryType::Dword, RegistryType::Other}) {
        MemoryRegistry fresh;
        fresh.Set(kKey, L"Path", {type, L"", 1});
        fresh.Set(kKey, L"AutoMinimize", {RegistryType::Dword, L"", 1});
        const auto outcome = PrepareRegistry(fresh, files, files, {kExe, L"1.0.0.1"});
        ASSERT_TRUE(outcome.error);
        EXPECT_EQ(*outcome.error, L"Invalid data type for 'Path'");
        // The box shows it as it is: the quote sorts before the full stop.
        EXPECT_EQ(StandardErrorText(*outcome.error), L"Invalid data type for 'Path'");
        EXPECT_FALSE(outcome.options.AutoMinimize);
        EXPECT_TRUE(fresh.WriteLog().empty());
        EXPECT_FALSE(fresh.KeyExists(RecentListKey(mru::kAtTime)));
    }
}

TEST_F(Startup, WriteFailureIsReportedAndLeavesTheOptionsFalse) {
    reg.Set(kKey, L"PlayBeep", {RegistryType::Dword, L"", 1});
    reg.FailWrites(true);
    const auto outcome = Run();
    EXPECT_TRUE(outcome.firstRun);
    ASSERT_TRUE(outcome.error);
    EXPECT_FALSE(outcome.options.PlayBeep);
}

TEST_F(Startup, OptionsCountOnlyAsNonZeroDwords) {
    SetPath(RegistryType::String, kExe);
    reg.Set(kKey, L"AutoMinimize", {RegistryType::Dword, L"", 1});
    reg.Set(kKey, L"Wyg_Off", {RegistryType::String, L"1", 0});
    reg.Set(kKey, L"MinimizeAll", {RegistryType::Dword, L"", 0});
    reg.Set(kKey, L"playbeep", {RegistryType::Dword, L"", 7});
    const auto options = Run().options;
    EXPECT_TRUE(options.AutoMinimize);
    EXPECT_FALSE(options.Wyg_Off);
    EXPECT_FALSE(options.MinimizeAll);
    EXPECT_FALSE(options.MinimizeProg);  // missing
    EXPECT_TRUE(options.PlayBeep);       // names ignore letter case

    // Options are read on a first run too, after seeding.
    MemoryRegistry fresh;
    fresh.Set(kKey, L"MinimizeProg", {RegistryType::Dword, L"", 1});
    const auto first = PrepareRegistry(fresh, files, files, {kExe, L"1.0.0.1"});
    EXPECT_TRUE(first.firstRun);
    EXPECT_TRUE(first.options.MinimizeProg);
}

TEST(StartupTexts, VersionAndHelpPath) {
    EXPECT_EQ(FormatFileVersion(1, 0, 12, 65535), L"1.0.12.65535");
    EXPECT_EQ(HelpFilePath(L"C:\\Program Files\\Klaxora\\"),
              L"C:\\Program Files\\Klaxora\\help\\alarm.html");
}

}  // namespace
}  // namespace klaxora
