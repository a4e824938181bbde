#include <gtest/gtest.h>

#include "config/alarm_settings.h"
#include "config/click_point.h"
#include "fakes/memory_files.h"

namespace klaxora {
namespace {

using testing::MemoryFiles;

class Completeness : public ::testing::Test {
  protected:
    MemoryFiles files;
    AlarmSettings s;
};

TEST_F(Completeness, EmptyTriggerSelectionIsAfterWindowsStartAndComplete) {
    EXPECT_EQ(s.Trigger, TriggerKind::AfterWindowsStart);
    EXPECT_TRUE(TriggerComplete(s, files));
    s.Action = ActionKind::Message;
    EXPECT_FALSE(RepeatOffered(s));
}

TEST_F(Completeness, CountdownNeedsOneNonZeroField) {
    s.Trigger = TriggerKind::Countdown;
    EXPECT_FALSE(TriggerComplete(s, files));
    s.CountdownTime = {0, 0, 1};
    EXPECT_TRUE(TriggerComplete(s, files));
    s.CountdownTime = {0, 90, 0};
    EXPECT_TRUE(TriggerComplete(s, files));
    EXPECT_EQ(CountdownSeconds(s.CountdownTime), 5400);
}

TEST_F(Completeness, TimeAndInternetTriggersAlwaysComplete) {
    s.Trigger = TriggerKind::AtTime;
    EXPECT_TRUE(TriggerComplete(s, files));
    s.Trigger = TriggerKind::NoInternet;
    s.NoInternetSeconds = 0;
    EXPECT_TRUE(TriggerComplete(s, files));
}

TEST_F(Completeness, ProgramTriggersNeedAnExistingExe) {
    files.AddFile(L"C:\\Apps\\EDITOR.EXE");
    files.AddFile(L"C:\\Apps\\old.com");
    for (auto kind : {TriggerKind::ProgramStarted, TriggerKind::ProgramClosed,
                      TriggerKind::ProgramNotResponding}) {
        s.Trigger = kind;
        s.WatchedProgram = L"";
        EXPECT_FALSE(TriggerComplete(s, files));
        s.WatchedProgram = L"C:\\Apps\\EDITOR.EXE";
        EXPECT_TRUE(TriggerComplete(s, files));
        s.WatchedProgram = L"c:\\apps\\editor.exe";  // the file test ignores case too
        EXPECT_TRUE(TriggerComplete(s, files));
        s.WatchedProgram = L"C:\\Apps\\old.com";
        EXPECT_FALSE(TriggerComplete(s, files));
        s.WatchedProgram = L"C:\\Apps\\missing.exe";
        EXPECT_FALSE(TriggerComplete(s, files));
    }
}

TEST_F(Completeness, NoActionVetoes) {
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);
    s.Action = ActionKind::DefaultWindow;
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Complete);
}

TEST_F(Completeness, MessageNeedsTextAndCaption) {
    s.Action = ActionKind::Message;
    s.MessageText = L"Już czas !!!";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);
    s.MessageCaption = L"UWAGA !!!";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Complete);
    s.MessageText.clear();
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);
}

TEST_F(Completeness, SoundFileExtensionsAndTheWrongTypeCase) {
    s.Action = ActionKind::PlaySound;
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);
    s.SoundFile = L"C:\\s\\a.Midi";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);  // does not exist
    files.AddFile(s.SoundFile);
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Complete);
    EXPECT_EQ(CheckAction(s, files, false), ActionVerdict::Veto);  // the player refused it
    s.SoundFile = L"C:\\s\\b.ogg";
    files.AddFile(s.SoundFile);
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::WrongType);
    EXPECT_TRUE(IsSoundExtension(L"x.WAV"));
    EXPECT_TRUE(IsSoundExtension(L"x.mp3"));
    EXPECT_TRUE(IsSoundExtension(L"x.mid"));
    EXPECT_FALSE(IsSoundExtension(L"C:\\dir.wav\\file"));
    EXPECT_FALSE(IsSoundExtension(L"wav"));
}

TEST_F(Completeness, ProgramFileAndFolder) {
    files.AddFile(L"C:\\p\\tool.Exe");
    files.AddFile(L"C:\\p\\notes.txt");
    files.AddDirectory(L"C:\\p");
    s.Action = ActionKind::RunProgram;
    s.ProgramPath = L"C:\\p\\tool.Exe";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Complete);
    s.ProgramPath = L"C:\\p\\notes.txt";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::WrongType);
    s.ProgramPath = L"C:\\p\\gone.exe";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);

    s.Action = ActionKind::OpenFile;
    s.FilePath = L"C:\\p\\notes.txt";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Complete);
    s.FilePath = L"C:\\p";  // a folder is not a file
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);

    s.Action = ActionKind::OpenFolder;
    s.FolderPath = L"C:\\p";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Complete);
    s.FolderPath = L"C:\\p\\notes.txt";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);
    s.FolderPath.clear();
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);
}

TEST_F(Completeness, WebAddressSubstringsAreCaseSensitive) {
    s.Action = ActionKind::OpenWebPage;
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);
    s.WebAddress = L"http://example.org";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Complete);
    s.WebAddress = L"see www.example.org";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Complete);
    s.WebAddress = L"HTTP://EXAMPLE.ORG";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);
    // A secure address without "www." is as complete as a plain one.
    s.WebAddress = L"https://example.org";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Complete);
    s.WebAddress = L"HTTPS://EXAMPLE.ORG";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);
    s.WebAddress = L"example.org";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);
}

TEST_F(Completeness, ShutdownOtherAndKill) {
    s.Action = ActionKind::ShutDown;
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);
    s.ShutdownMode = ShutdownKind::Hibernate;
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Complete);
    EXPECT_FALSE(RepeatOffered(s));

    s.Action = ActionKind::Other;
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);
    s.OtherAction = OtherActionKind::BlockMouse;
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Complete);
    s.OtherAction = OtherActionKind::PressKeys;
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);
    s.KeyCombination = L"Ctrl+Esc";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Complete);
    s.OtherAction = OtherActionKind::CdTray;
    s.CdDrive = L"D";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);
    s.CdTrayOperation = L"WYSUŃ";
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Complete);

    s.Action = ActionKind::KillProcess;
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Veto);
    s.ProcessChosen = true;
    EXPECT_EQ(CheckAction(s, files), ActionVerdict::Complete);
}

TEST_F(Completeness, RepeatOfferedOnlyForSelectedTriggerAndRepeatableAction) {
    s.Trigger = TriggerKind::AtTime;
    s.Action = ActionKind::DefaultWindow;
    EXPECT_FALSE(RepeatOffered(s));
    s.Action = ActionKind::Message;
    EXPECT_TRUE(RepeatOffered(s));
    s.Action = std::nullopt;
    EXPECT_TRUE(RepeatOffered(s));
}

// A laptop with a monitor left of it and lower down: the corner above that monitor is on none.
TEST(ClickPoint, StartRefusesAClickOnNoMonitorAttached) {
    const std::vector<MonitorRect> desk{{0, 0, 1920, 1080}, {-1280, 200, 0, 1224}};
    AlarmSettings s;
    s.Action = ActionKind::Other, s.OtherAction = OtherActionKind::DoubleClick;
    for (const auto& [x, y, refused] : std::vector<std::tuple<int, int, bool>>{
             {-1280, 1223, false}, {1920, 500, true}, {-1, 199, true}, {500, 1080, true}}) {
        s.ClickX = x, s.ClickY = y;
        EXPECT_EQ(ClickPointRefusal(s, desk).has_value(), refused) << x << "," << y;
    }
    s.OtherAction = OtherActionKind::PressKeys;  // only a click has a point
    EXPECT_FALSE(ClickPointRefusal(s, desk));
}

}  // namespace
}  // namespace klaxora
