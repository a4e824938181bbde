#include <gtest/gtest.h>

#include "actions/key_names.h"
#include "config/restore.h"
#include "fakes/memory_files.h"
#include "fakes/memory_registry.h"

namespace klaxora {
namespace {

using testing::MemoryFiles;
using testing::MemoryRegistry;
using Names = std::vector<std::wstring>;

const std::wstring kMain(kSettingsKey);

RegistryValue Text(std::wstring text) {
    return {RegistryType::String, std::move(text), 0};
}
RegistryValue Number(uint32_t n) {
    return {RegistryType::Dword, L"", n};
}

class Restore : public ::testing::Test {
  protected:
    MemoryRegistry reg;
    MemoryFiles files;
    RestorePlan Read(size_t commandLine = 0, bool triggerSelected = false) {
        return ReadRestore(reg, files, RestoreInput{commandLine, {}, {}, triggerSelected});
    }
};

TEST_F(Restore, EmptyRegistryGivesTheFreshDefinition) {
    const RestorePlan p = Read();
    EXPECT_EQ(p.actionCaption, L"");
    EXPECT_EQ(p.repeatChecked, false);
    EXPECT_EQ(p.repeatText, L"1");
    EXPECT_EQ(p.triggerCaption, L"Uruchom alarm o ...");
    EXPECT_EQ(p.shutdownCaption, L"");
    EXPECT_EQ(p.otherCaption, L"");
    EXPECT_EQ(p.noInternetSeconds, 0);
    EXPECT_EQ(p.programs, ProgramEditors{});
    EXPECT_FALSE(p.atTimeText);  // no current entry: the fields stay as they are
    EXPECT_FALSE(p.countdownText);
    EXPECT_EQ(p.messageText, L"");
    EXPECT_EQ(p.soundFile, L"");
    EXPECT_EQ(p.webAddress, L"");
    EXPECT_TRUE(p.messageTextItems.empty());
    EXPECT_FALSE(p.error);
    ASSERT_EQ(p.menus.size(), 7u);
    for (size_t i = 0; i < p.menus.size(); ++i) {
        EXPECT_EQ(p.menus[i].subkey, MenuLists()[i]);
        EXPECT_FALSE(p.menus[i].menu.showButton);
        EXPECT_TRUE(p.menus[i].menu.items.empty());
    }
    EXPECT_EQ(MenuLists()[0], mru::kAtTime);
    EXPECT_EQ(MenuLists()[6], mru::kWeb);
}

TEST_F(Restore, WhatAStartStoredComesBack) {
    files.AddFile(L"C:\\s\\Budzik.mp3");
    StartInput in;
    AlarmSettings& s = in.settings;
    s.Trigger = TriggerKind::Countdown;
    s.CountdownTime = {0, 90, 0};
    s.AtTime = {7, 5, 0};
    s.NoInternetSeconds = 45;
    s.Action = ActionKind::PlaySound;
    s.SoundFile = L"C:\\s\\Budzik.mp3";
    s.RepeatEnabled = true;
    s.RepeatSecondsText = L"120";
    in.programs = {L"C:\\a.exe", L"C:\\b.exe", L""};
    ASSERT_FALSE(ApplyRegistryWrites(reg, PlanStart(in, {}).writes));
    // The trigger-side values of other actions from an earlier start.
    reg.Set(kMain, L"cb_Reboot", Text(L"Wyłącz komputer"));
    reg.Set(kMain, L"cb_Inne", Text(L"Wygaś monitor"));

    const RestorePlan p = Read();
    EXPECT_EQ(p.triggerCaption, L"Odlicz w dół i uruchom");
    EXPECT_EQ(p.actionCaption, L"Odegraj dźwięk");
    EXPECT_EQ(p.repeatChecked, true);
    EXPECT_EQ(p.repeatText, L"120");
    EXPECT_EQ(p.noInternetSeconds, 45);
    EXPECT_EQ(p.programs, in.programs);
    EXPECT_EQ(p.atTimeText, L"07:05:00");
    EXPECT_EQ(p.countdownText, L"00:90:00");
    EXPECT_EQ(p.soundFile, L"C:\\s\\Budzik.mp3");
    EXPECT_EQ(p.shutdownCaption, L"Wyłącz komputer");
    EXPECT_EQ(p.otherCaption, L"Wygaś monitor");
    const RecentMenu& sounds = p.menus[2].menu;
    EXPECT_TRUE(sounds.showButton);  // the unnamed value and the entry
    ASSERT_EQ(sounds.items.size(), 1u);
    EXPECT_EQ(sounds.items[0].caption, L"Budzik");
}

TEST_F(Restore, ValuesOfAnotherTypeCountAsMissing) {
    reg.Set(kMain, L"Repeat", Text(L"1"));
    reg.Set(kMain, L"Repeat_Time", Number(5));
    reg.Set(kMain, L"BrakNeta", Text(L"30"));
    reg.Set(kMain, L"LastRun", {RegistryType::ExpandString, L"Odlicz w dół i uruchom", 0});
    reg.Set(kMain, L"LastAction", Number(1));
    reg.Set(kMain, L"AppRun", {RegistryType::ExpandString, L"C:\\a.exe", 0});
    reg.Set(RecentListKey(mru::kAtTime), L"", Number(7));
    reg.Set(RecentListKey(mru::kWeb), L"", {RegistryType::Other, L"www.a.pl", 0});
    const RestorePlan p = Read();
    EXPECT_EQ(p.repeatChecked, false);
    EXPECT_EQ(p.repeatText, L"1");
    EXPECT_EQ(p.noInternetSeconds, 0);
    EXPECT_EQ(p.triggerCaption, L"Uruchom alarm o ...");
    EXPECT_EQ(p.actionCaption, L"");
    EXPECT_EQ(p.programs->started, L"");
    EXPECT_FALSE(p.atTimeText);
    EXPECT_EQ(p.webAddress, L"");
}

TEST_F(Restore, SelectionsMatchIgnoringCaseOrSelectNothing) {
    reg.Set(kMain, L"LastAction", Text(L"KOMUNIKAT"));
    reg.Set(kMain, L"LastRun", Text(L"uruchomiony zostanie program"));
    reg.Set(kMain, L"cb_Reboot", Text(L"Zamknij system (stary napis)"));
    reg.Set(kMain, L"cb_Inne", Text(L"wysuń/WSUŃ szufladę cd/dvd/blu-ray"));
    reg.Set(kMain, L"BrakNeta", Number(0xFFFFFFFFu));
    RestorePlan p = Read();
    EXPECT_EQ(p.actionCaption, L"Komunikat");
    EXPECT_EQ(p.triggerCaption, L"Uruchomiony zostanie program");
    EXPECT_EQ(p.shutdownCaption, L"");
    EXPECT_EQ(p.otherCaption, L"Wysuń/wsuń szufladę CD/DVD/Blu-Ray");
    EXPECT_EQ(p.noInternetSeconds, 0);  // the spin edit's range
    // The after-Windows trigger has no item: the time of day is shown instead.
    reg.Set(kMain, L"LastRun", Text(L"Po uruchomieniu Windows"));
    EXPECT_EQ(Read().triggerCaption, L"Uruchom alarm o ...");
}

TEST_F(Restore, FileFieldsOnlyForWhatStillExists) {
    files.AddFile(L"C:\\p.exe");
    files.AddDirectory(L"C:\\Data");
    RecentList(reg, mru::kPrograms).Push(L"C:\\p.exe");
    RecentList(reg, mru::kFiles).Push(L"C:\\gone.txt");
    RecentList(reg, mru::kFolders).Push(L"C:\\p.exe");  // a file, not a folder
    RecentList(reg, mru::kWeb).Push(L"no address rule here");
    RestorePlan p = Read();
    EXPECT_EQ(p.programPath, L"C:\\p.exe");
    EXPECT_EQ(p.filePath, L"");
    EXPECT_EQ(p.folderPath, L"");
    EXPECT_EQ(p.webAddress, L"no address rule here");
    RecentList(reg, mru::kFolders).Push(L"C:\\Data");
    EXPECT_EQ(Read().folderPath, L"C:\\Data");
}

TEST_F(Restore, MessageBoxesTakeTheWholeListSorted) {
    RecentList(reg, mru::kMessageCaption).AddEntries(Names{L"UWAGA !!!", L":-)", L"hello"});
    RecentList(reg, mru::kMessageText).Push(L"Wstawaj");
    RecentList(reg, mru::kMessageText).AddEntries(Names{L"ALARM !!!", L"Już czas !!!"});
    const RestorePlan p = Read();
    EXPECT_EQ(p.messageCaptionItems, (Names{L":-)", L"hello", L"UWAGA !!!"}));
    // Once something was pushed, the unnamed value adds the empty item.
    EXPECT_EQ(p.messageTextItems, (Names{L"", L"ALARM !!!", L"Już czas !!!", L"Wstawaj"}));
    EXPECT_EQ(p.messageText, L"Wstawaj");
    EXPECT_EQ(p.messageCaption, L"");
}

TEST_F(Restore, WithACommandLineOnlyRepeatMenusAndListsAreRestored) {
    reg.Set(kMain, L"Repeat", Number(1));
    reg.Set(kMain, L"Repeat_Time", Text(L"15"));
    reg.Set(kMain, L"LastRun", Text(L"Odlicz w dół i uruchom"));
    reg.Set(kMain, L"LastAction", Text(L"Komunikat"));
    RecentList(reg, mru::kAtTime).Push(L"07:00:00");
    RecentList(reg, mru::kMessageText).Push(L"Już czas !!!");
    const RestorePlan p = Read(3);
    EXPECT_EQ(p.repeatChecked, true);
    EXPECT_EQ(p.repeatText, L"15");
    EXPECT_EQ(p.menus.size(), 7u);
    EXPECT_TRUE(p.menus[0].menu.showButton);
    EXPECT_EQ(p.messageTextItems.size(), 2u);
    for (const auto* field : {&p.actionCaption, &p.shutdownCaption, &p.otherCaption, &p.atTimeText,
                              &p.countdownText, &p.messageText, &p.messageCaption, &p.soundFile,
                              &p.programPath, &p.filePath, &p.folderPath, &p.webAddress}) {
        EXPECT_FALSE(field->has_value());
    }
    EXPECT_FALSE(p.noInternetSeconds);
    EXPECT_FALSE(p.programs);
    // A command line that selected no valid trigger still leaves one chosen, not the blank
    // that would mean after-Windows-start; one that selected a trigger keeps it.
    EXPECT_EQ(p.triggerCaption, L"Uruchom alarm o ...");
    EXPECT_FALSE(p.focusTrigger);
    EXPECT_FALSE(Read(3, true).triggerCaption);
}

TEST_F(Restore, ATextLongerThanItsFieldTakesCountsAsMissing) {
    const std::wstring overlong(16384, L'7');
    reg.Set(kMain, L"Repeat_Time", Text(L"1234567890"));
    reg.Set(kMain, L"AppRun", Text(overlong));
    reg.Set(RecentListKey(mru::kWeb), L"", Text(overlong));
    reg.Set(RecentListKey(mru::kMessageCaption), L"", Text(overlong.substr(1)));
    const RestorePlan p = Read();
    EXPECT_EQ(p.repeatText, L"1");
    EXPECT_EQ(p.programs->started, L"");
    EXPECT_EQ(p.webAddress, L"");
    EXPECT_EQ(p.messageCaption->size(), 16383u);  // the longest an entry may be
}

TEST_F(Restore, ArmedProcessRowIsTheFirstWithItsId) {
    const Names ids{L"100", L"4242", L"4242"};
    EXPECT_EQ(ReadRestore(reg, files, {0, ids, L"4242"}).processRow, 1u);
    EXPECT_FALSE(ReadRestore(reg, files, {0, ids, L"7"}).processRow);
    EXPECT_FALSE(ReadRestore(reg, files, {0, ids, L""}).processRow);
    EXPECT_EQ(ReadRestore(reg, files, {2, ids, L"100"}).processRow, 0u);
}

TEST_F(Restore, AFailureKeepsWhatWasReadAndStillGivesATrigger) {
    reg.Set(kMain, L"LastRun", Text(L"Brak połączenia z Internetem"));
    reg.Set(kMain, L"LastAction", Text(L"Uruchom program"));
    RecentList(reg, mru::kPrograms).Push(L"C:\\p.exe");
    reg.FailOpen(RecentListKey(mru::kSound));
    const RestorePlan p = Read();
    EXPECT_EQ(p.error, L"Odmowa dostępu");
    EXPECT_EQ(p.actionCaption, L"Uruchom program");
    EXPECT_TRUE(p.messageText.has_value());
    EXPECT_FALSE(p.soundFile);  // from the failed step on, nothing is touched
    EXPECT_FALSE(p.programPath);
    EXPECT_EQ(p.menus.size(), 2u);
    EXPECT_EQ(p.triggerCaption, L"Brak połączenia z Internetem");
    reg.FailOpen(kMain);
    const RestorePlan none = Read();
    EXPECT_TRUE(none.error);
    EXPECT_FALSE(none.repeatText);
    EXPECT_EQ(none.triggerCaption, L"Uruchom alarm o ...");
}

TEST(SubActionRestore, CommandLineCountDecidesWhatIsRead) {
    MemoryRegistry reg;
    reg.Set(InneMruKey(), L"x_DoubleClick", Number(120));
    reg.Set(InneMruKey(), L"y_DoubleClick", Number(45));
    reg.Set(InneMruKey(), L"x_SingleClick", Text(L"9"));
    reg.Set(InneMruKey(), L"Klawisz", Text(L"ctrl+alt+delete"));
    reg.Set(InneMruKey(), L"Dysk_CD", Text(L"e"));
    reg.Set(InneMruKey(), L"Dysk_CD_Ws-Wy", Text(L"wysuń"));
    const auto dbl = ReadSubActionValues(reg, OtherActionKind::DoubleClick, 5);
    EXPECT_EQ(dbl.clickX, 120);
    EXPECT_EQ(dbl.clickY, 45);
    EXPECT_FALSE(ReadSubActionValues(reg, OtherActionKind::DoubleClick, 6).clickX);
    const auto single = ReadSubActionValues(reg, OtherActionKind::SingleClick, 0);
    EXPECT_EQ(single.clickX, 0);  // stored as text: missing
    EXPECT_EQ(ReadSubActionValues(reg, OtherActionKind::PressKeys, 4).keyName, L"Ctrl+Alt+Delete");
    EXPECT_FALSE(ReadSubActionValues(reg, OtherActionKind::PressKeys, 5).keyName);
    const auto cd = ReadSubActionValues(reg, OtherActionKind::CdTray, 5);
    EXPECT_EQ(cd.cdDrive, L"e");
    EXPECT_EQ(cd.cdOperation, L"WYSUŃ");
    EXPECT_FALSE(ReadSubActionValues(reg, OtherActionKind::CdTray, 6).cdDrive);
    const auto nothing = ReadSubActionValues(reg, OtherActionKind::MonitorOff, 0);
    EXPECT_FALSE(nothing.clickX || nothing.keyName || nothing.cdDrive);
    reg.Set(InneMruKey(), L"Dysk_CD_Ws-Wy", Text(L"otwórz"));
    EXPECT_EQ(ReadSubActionValues(reg, OtherActionKind::CdTray, 0).cdOperation, L"");
}

TEST(SubActionRestore, KeyNamesKeepTheirCase) {
    EXPECT_EQ(MatchItem(KeyNames(), L"A"), L"A");
    EXPECT_EQ(MatchItem(KeyNames(), L"a"), L"a");
    EXPECT_EQ(MatchItem(KeyNames(), L"strzałka w GÓRĘ"), L"Strzałka w górę");
    EXPECT_EQ(MatchItem(KeyNames(), L"Ctrl+Ą"), L"");
    EXPECT_EQ(MatchItem(KeyNames(), L""), L"");
}

TEST(SubActionRestore, StoredValuesDoNotOverwriteTheUsersLaterChoice) {
    SubActionRestoreGate gate;
    EXPECT_TRUE(gate.ShouldRestore(OtherActionKind::DoubleClick));
    EXPECT_FALSE(gate.ShouldRestore(OtherActionKind::DoubleClick));  // another sync, same panel
    EXPECT_TRUE(gate.ShouldRestore(OtherActionKind::SingleClick));   // its own values
    EXPECT_TRUE(gate.ShouldRestore(OtherActionKind::DoubleClick));
    EXPECT_TRUE(gate.ShouldRestore(OtherActionKind::PressKeys));
    EXPECT_FALSE(gate.ShouldRestore(OtherActionKind::PressKeys));
    EXPECT_FALSE(gate.ShouldRestore(OtherActionKind::DoubleClick));  // the keys have their own box
    EXPECT_TRUE(gate.ShouldRestore(OtherActionKind::CdTray));
    EXPECT_FALSE(gate.ShouldRestore(OtherActionKind::CdTray));
    EXPECT_FALSE(gate.ShouldRestore(OtherActionKind::MonitorOff));
}

}  // namespace
}  // namespace klaxora
