#include <gtest/gtest.h>

#include "config/recent_list.h"
#include "fakes/memory_files.h"
#include "fakes/memory_registry.h"

namespace klaxora {
namespace {

using testing::MemoryFiles;
using testing::MemoryRegistry;
using Names = std::vector<std::wstring>;

TEST(TypedRead, OnlyTheExpectedTypeCounts) {
    MemoryRegistry reg;
    const std::wstring key(kSettingsKey);
    reg.Set(key, L"Repeat", {RegistryType::String, L"1", 0});
    reg.Set(key, L"BrakNeta", {RegistryType::String, L"30", 0});
    reg.Set(key, L"LastRun", {RegistryType::ExpandString, L"Uruchom alarm o ...", 0});
    reg.Set(key, L"AutoMinimize", {RegistryType::Dword, L"", 1});
    reg.Set(key, L"PlayBeep", {RegistryType::Dword, L"", 0});
    reg.Set(key, L"Odd", {RegistryType::Other, L"", 0});
    EXPECT_EQ(ReadRegistryInteger(reg, key, L"Repeat", 0), 0);
    EXPECT_EQ(ReadRegistryInteger(reg, key, L"BrakNeta", 0), 0);
    EXPECT_EQ(ReadRegistryString(reg, key, L"LastRun", L""), L"");
    EXPECT_EQ(ReadRegistryString(reg, key, L"Odd", L"d"), L"d");
    EXPECT_EQ(ReadRegistryInteger(reg, key, L"autominimize", 0), 1);
    const auto open = reg.Open(key);
    EXPECT_TRUE(ReadBool(*open, L"AutoMinimize"));
    EXPECT_FALSE(ReadBool(*open, L"PlayBeep", true));
    EXPECT_FALSE(ReadBool(*open, L"Repeat"));
    EXPECT_TRUE(ReadBool(*open, L"Missing", true));
    EXPECT_EQ(ReadRegistryString(reg, key, L"Repeat_Time", L"1"), L"1");
}

TEST(TypedRead, ReadingCreatesTheMissingKey) {
    MemoryRegistry reg;
    EXPECT_EQ(ReadRegistryString(reg, L"Software\\Nowhere", L"x", L"dflt"), L"dflt");
    EXPECT_TRUE(reg.KeyExists(L"Software\\Nowhere"));
}

TEST(RecentListOps, PushWritesCurrentThenTheEntry) {
    MemoryRegistry reg;
    RecentList list(reg, mru::kCountdown);
    list.Push(L"00:05:00");
    const std::wstring k = RecentListKey(mru::kCountdown);
    EXPECT_EQ(reg.WriteLog(), (Names{k + L"|", k + L"|00:05:00"}));
    EXPECT_EQ(list.Load(), (Names{L"", L"00:05:00"}));
    EXPECT_EQ(list.Current(), L"00:05:00");
}

TEST(RecentListOps, PushingAKnownEntryInOtherCaseAddsNothing) {
    MemoryRegistry reg;
    RecentList list(reg, mru::kWeb);
    list.Push(L"www.Example.org");
    list.Push(L"WWW.EXAMPLE.ORG");
    EXPECT_EQ(list.Load(), (Names{L"", L"www.Example.org"}));
    EXPECT_EQ(list.Current(), L"WWW.EXAMPLE.ORG");
}

TEST(RecentListOps, PushingAnEmptyEntryOnlyEmptiesTheCurrent) {
    MemoryRegistry reg;
    RecentList list(reg, mru::kMessageText);
    list.Push(L"Już czas !!!");
    list.Push(L"");
    EXPECT_EQ(list.Load(), (Names{L"", L"Już czas !!!"}));
    EXPECT_EQ(list.Current(), L"");
}

TEST(RecentListOps, ClearThenOnePushShowsTheButtonAgain) {
    MemoryRegistry reg;
    MemoryFiles files;
    RecentList list(reg, mru::kAtTime);
    list.AddEntries(Names{L"06:00:00", L"07:00:00"});
    list.Clear();
    EXPECT_TRUE(reg.KeyExists(RecentListKey(mru::kAtTime)));
    EXPECT_TRUE(list.Load().empty());
    list.Push(L"09:05:00");
    const auto menu = BuildRecentMenu(mru::kAtTime, list.Load(), files);
    EXPECT_TRUE(menu.showButton);
    ASSERT_EQ(menu.items.size(), 1u);
    EXPECT_EQ(menu.items[0].caption, L"09:05:00");
}

TEST(RecentMenuBuild, OneNamedEntryHidesTheButton) {
    MemoryFiles files;
    const auto menu = BuildRecentMenu(mru::kWeb, Names{L"www.a.pl"}, files);
    EXPECT_FALSE(menu.showButton);
    EXPECT_EQ(menu.items.size(), 1u);
}

TEST(RecentMenuBuild, MissingFilesAreSkippedButStillCount) {
    MemoryFiles files;
    const auto menu = BuildRecentMenu(mru::kSound, Names{L"", L"C:\\x\\gone.wav"}, files);
    EXPECT_TRUE(menu.showButton);
    EXPECT_TRUE(menu.items.empty());
}

TEST(RecentMenuBuild, FileListsShowTheBareName) {
    MemoryFiles files;
    files.AddFile(L"C:\\Klaxora\\sound\\Budzik.mp3");
    files.AddDirectory(L"C:\\Data");
    const auto sounds =
        BuildRecentMenu(mru::kSound, Names{L"C:\\Klaxora\\sound\\Budzik.mp3"}, files);
    ASSERT_EQ(sounds.items.size(), 1u);
    EXPECT_EQ(sounds.items[0].caption, L"Budzik");
    EXPECT_EQ(sounds.items[0].entry, L"C:\\Klaxora\\sound\\Budzik.mp3");
    const auto folders = BuildRecentMenu(mru::kFolders, Names{L"C:\\Data", L"C:\\Gone"}, files);
    ASSERT_EQ(folders.items.size(), 1u);
    EXPECT_EQ(folders.items[0].caption, L"C:\\Data");
    // Times and addresses are not checked against the disk.
    EXPECT_EQ(BuildRecentMenu(mru::kWeb, Names{L"www.a.pl", L"www.b.pl"}, files).items.size(), 2u);
    EXPECT_EQ(BareFileName(L"C:\\a.b\\name"), L"name");
    EXPECT_EQ(BareFileName(L"plain.tar.gz"), L"plain.tar");
}

class Seeding : public ::testing::Test {
  protected:
    MemoryRegistry reg;
    MemoryFiles files;
    Names Seeds(std::wstring_view list) { return SeedEntries(list, files, files); }
};

TEST_F(Seeding, FixedListsInOrder) {
    const Names at = Seeds(mru::kAtTime);
    ASSERT_EQ(at.size(), 10u);
    EXPECT_EQ(at.front(), L"00:00:00");
    EXPECT_EQ(at.back(), L"23:00:00");
    const Names za = Seeds(mru::kCountdown);
    ASSERT_EQ(za.size(), 10u);
    EXPECT_EQ(za[0], L"00:00:30");
    EXPECT_EQ(za[9], L"05:00:00");
    const Names texts = Seeds(mru::kMessageText);
    ASSERT_EQ(texts.size(), 19u);
    EXPECT_EQ(texts[16], L"To ja ALARM !!!");
    EXPECT_EQ(texts[18], L"Rusz się !!!");
    const Names captions = Seeds(mru::kMessageCaption);
    EXPECT_EQ(captions, (Names{L":-)", L"CZEŚĆ", L"HELLO !!!", L"HEY HEY HEY", L"Vantrelix Klaxora",
                               L"UWAGA !!!", L"Informacja !!!"}));
    const Names web = Seeds(mru::kWeb);
    ASSERT_EQ(web.size(), 6u);
    for (const auto& w : web) {
        EXPECT_EQ(w.find(L"://"), std::wstring::npos);
        EXPECT_NE(w.find(L"www."), std::wstring::npos);  // the address rule accepts them
    }
    EXPECT_TRUE(Seeds(mru::kFiles).empty());
}

TEST_F(Seeding, SoundEntriesOnlyForExistingFilesWithTheirOwnSpelling) {
    files.AddFile(L"C:\\Klaxora\\sound\\BUDZIK.MP3");
    files.AddFile(L"C:\\Klaxora\\sound\\telefon.wav");
    files.AddFile(L"C:\\windows\\Media\\tada.wav");
    files.AddFile(L"C:\\windows\\Media\\Dźwięk logowania systemu Windows.wav");
    EXPECT_EQ(Seeds(mru::kSound),
              (Names{L"C:\\windows\\Media\\Dźwięk logowania systemu Windows.wav",
                     L"C:\\Klaxora\\sound\\Budzik.mp3", L"C:\\Klaxora\\sound\\Telefon.wav",
                     L"C:\\windows\\Media\\tada.wav"}));
}

TEST_F(Seeding, ProgramsAndFolders) {
    EXPECT_TRUE(Seeds(mru::kPrograms).empty());
    EXPECT_EQ(Seeds(mru::kFolders), (Names{L"C:\\"}));
    files.AddFile(L"C:\\windows\\notepad.exe");
    files.AddFile(L"C:\\Program Files\\Winamp\\WINAMP.exe");
    files.AddDirectory(L"C:\\windows");
    files.AddDirectory(L"C:\\Program Files");
    EXPECT_EQ(Seeds(mru::kPrograms),
              (Names{L"C:\\windows\\Notepad.exe", L"C:\\Program Files\\Winamp\\Winamp.exe"}));
    EXPECT_EQ(Seeds(mru::kFolders), (Names{L"C:\\windows", L"C:\\Program Files", L"C:\\"}));
}

TEST_F(Seeding, WritesNamesOnlyAndAddsToExistingLists) {
    RecentList(reg, mru::kAtTime).Push(L"09:05:00");
    SeedRecentLists(reg, files, files);
    EXPECT_FALSE(reg.KeyExists(RecentListKey(mru::kFiles)));
    const Names at = RecentList(reg, mru::kAtTime).Load();
    EXPECT_EQ(at.size(), 12u);  // the unnamed value, the pushed entry and ten seeds
    EXPECT_EQ(RecentList(reg, mru::kAtTime).Current(), L"09:05:00");
    const Names captions = RecentList(reg, mru::kMessageCaption).Load();
    EXPECT_EQ(captions.size(), 7u);
    EXPECT_FALSE(reg.Open(RecentListKey(mru::kMessageCaption))->Read(L"").has_value());
    // Seeding again adds nothing new.
    SeedRecentLists(reg, files, files);
    EXPECT_EQ(RecentList(reg, mru::kAtTime).Load().size(), 12u);
    EXPECT_EQ(SeededLists().size(), 8u);
    EXPECT_EQ(SeededLists()[4], mru::kSound);
}

}  // namespace
}  // namespace klaxora
