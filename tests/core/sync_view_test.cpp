#include "config/sync_view.h"

#include <gtest/gtest.h>

#include "fakes/memory_files.h"

namespace klaxora {
namespace {

using testing::MemoryFiles;

std::wstring Caption(TriggerKind t) {
    return std::wstring(Info(t).caption);
}
std::wstring Caption(ActionKind a) {
    return std::wstring(Info(a).caption);
}
std::wstring Caption(OtherActionKind o) {
    return std::wstring(Info(o).caption);
}

class SyncViewTest : public ::testing::Test {
  protected:
    SyncViewTest() {
        in.firstShowDone = true;
        in.triggerText = Caption(TriggerKind::AtTime);
        in.actionText = Caption(ActionKind::DefaultWindow);
        files.AddFile(L"C:\\Apps\\Tool.EXE");
        files.AddFile(L"C:\\Apps\\readme.txt");
        files.AddFile(L"C:\\Sounds\\ding.Midi");
        files.AddFile(L"C:\\Sounds\\tune.ogg");
        files.AddDirectory(L"C:\\Apps");
    }
    SyncViewDecision Decide(SoundOutcome sound = SoundOutcome::NotAsked) {
        return DecideSyncView(in, files, sound);
    }
    SyncViewInput in;
    MemoryFiles files;
};

TEST_F(SyncViewTest, InertUntilTheFirstShowIsDone) {
    in.firstShowDone = false;
    const SyncViewDecision d = Decide();
    EXPECT_FALSE(d.run);
    EXPECT_TRUE(d.message.empty());
    EXPECT_FALSE(d.skrotEnabled.has_value());
}

TEST_F(SyncViewTest, EachTriggerShowsItsPageAndGivesItsVerdict) {
    struct Case {
        TriggerKind trigger;
        const wchar_t* page;
        bool verdict;
    };
    const Case cases[] = {
        {TriggerKind::NoInternet, L"brak_neta", true},
        {TriggerKind::Countdown, L"odlicz_w_dol", false},  // 0:0:0
        {TriggerKind::ProgramNotResponding, L"program_nie_odpowiada", false},
        {TriggerKind::ProgramClosed, L"program_zamkniety", false},
        {TriggerKind::AtTime, L"wykonaj_o", true},
        {TriggerKind::ProgramStarted, L"program_uruch", false},
    };
    for (const Case& c : cases) {
        in.triggerText = Caption(c.trigger);
        const SyncViewDecision d = Decide();
        EXPECT_EQ(d.page, c.page) << c.page;
        EXPECT_EQ(d.triggerVerdict, c.verdict) << c.page;
        EXPECT_EQ(d.startEnabled, c.verdict) << c.page;
        EXPECT_EQ(d.skrotEnabled, c.verdict) << c.page;
    }
}

TEST_F(SyncViewTest, NoTriggerSelectedIsAfterWindowsStartWithoutRepetition) {
    in.triggerText.clear();
    in.actionText = Caption(ActionKind::Message);
    in.messageText = L"a";
    in.messageCaption = L"b";
    in.repeatChecked = true;
    const SyncViewDecision d = Decide();
    EXPECT_EQ(d.page, L"wykonaj_win");
    EXPECT_TRUE(d.startEnabled);
    EXPECT_EQ(d.repeatBoxEnabled, false);
    EXPECT_EQ(d.repeatEditEnabled, false);
}

TEST_F(SyncViewTest, ProgramTriggersReadTheirOwnEditorAndIgnoreCaseOfExe) {
    in.triggerText = Caption(TriggerKind::ProgramClosed);
    in.zawieszonyProgram = L"C:\\Apps\\Tool.EXE";  // another trigger's editor
    EXPECT_FALSE(Decide().triggerVerdict);
    in.programZamkniety = L"c:\\apps\\tool.exe";
    EXPECT_TRUE(Decide().triggerVerdict);
    in.programZamkniety = L"C:\\Apps\\readme.txt";
    EXPECT_FALSE(Decide().triggerVerdict);
    in.triggerText = Caption(TriggerKind::ProgramStarted);
    in.uruchomionyProgram = L"C:\\Apps\\Missing.exe";
    EXPECT_FALSE(Decide().triggerVerdict);
}

TEST_F(SyncViewTest, CountdownOfZeroDisablesStartWhateverTheAction) {
    in.triggerText = Caption(TriggerKind::Countdown);
    const SyncViewDecision d = Decide();
    EXPECT_FALSE(d.startEnabled);
    EXPECT_EQ(d.skrotEnabled, false);
    EXPECT_TRUE(d.podgladEnabled);  // the default window can still be previewed
    // One second is enough for the countdown's own handler, without a synchronisation.
    EXPECT_TRUE(CountdownAllowsStart({0, 0, 1}));
    EXPECT_FALSE(CountdownAllowsStart({0, 0, 0}));
    in.countdown = {0, 90, 0};
    EXPECT_TRUE(Decide().startEnabled);
}

TEST_F(SyncViewTest, DefaultWindowHidesEveryPanelAndOffersNoRepetition) {
    in.repeatChecked = true;
    SyncViewDecision d = Decide();
    EXPECT_TRUE(d.panel.empty());
    EXPECT_TRUE(d.podgladVisible);
    EXPECT_TRUE(d.podgladEnabled);
    EXPECT_TRUE(d.startEnabled);
    EXPECT_EQ(d.repeatBoxEnabled, false);
    EXPECT_EQ(d.repeatEditEnabled, false);
    // Switching to a message offers repetition again; the edit follows the check box.
    in.actionText = Caption(ActionKind::Message);
    d = Decide();
    EXPECT_EQ(d.repeatBoxEnabled, true);
    EXPECT_EQ(d.repeatEditEnabled, true);
    in.repeatChecked = false;
    EXPECT_EQ(Decide().repeatEditEnabled, false);
}

TEST_F(SyncViewTest, MessageNeedsTextAndCaption) {
    in.actionText = Caption(ActionKind::Message);
    in.messageText = L"Już czas !!!";
    SyncViewDecision d = Decide();
    EXPECT_EQ(d.panel, L"p_k_komunikat");
    EXPECT_FALSE(d.podgladEnabled);
    EXPECT_FALSE(d.startEnabled);
    in.messageCaption = L"x";
    d = Decide();
    EXPECT_TRUE(d.podgladEnabled);
    EXPECT_TRUE(d.startEnabled);
    // An incomplete trigger still keeps the start off; the preview does not depend on it.
    in.triggerText = Caption(TriggerKind::Countdown);
    d = Decide();
    EXPECT_TRUE(d.podgladEnabled);
    EXPECT_FALSE(d.startEnabled);
}

TEST_F(SyncViewTest, PreviewIsHiddenOnlyForShutDownAndSound) {
    for (const ActionInfo& a : Actions()) {
        in.actionText = std::wstring(a.caption);
        const bool hidden = a.kind == ActionKind::ShutDown || a.kind == ActionKind::PlaySound;
        EXPECT_EQ(Decide().podgladVisible, !hidden) << ToUtf8(a.caption);
    }
}

TEST_F(SyncViewTest, SoundFileDecidesWhatThePlayerIsAsked) {
    in.actionText = Caption(ActionKind::PlaySound);
    EXPECT_EQ(SoundStepFor(in, files), SoundStep::Clear);
    in.soundFile = L"C:\\Sounds\\missing.wav";
    EXPECT_EQ(SoundStepFor(in, files), SoundStep::Clear);
    in.soundFile = L"C:\\Sounds\\ding.Midi";
    EXPECT_EQ(SoundStepFor(in, files), SoundStep::Load);
    in.soundFile = L"C:\\Sounds\\tune.ogg";
    EXPECT_EQ(SoundStepFor(in, files), SoundStep::ReportWrongFormat);
    in.actionText = Caption(ActionKind::Message);
    EXPECT_EQ(SoundStepFor(in, files), SoundStep::None);
}

TEST_F(SyncViewTest, LoadedSoundEnablesTransportAndStart) {
    in.actionText = Caption(ActionKind::PlaySound);
    in.soundFile = L"C:\\Sounds\\ding.Midi";
    SyncViewDecision d = Decide(SoundOutcome::Loaded);
    EXPECT_EQ(d.panel, L"p_k_PdegrajDzwiek");
    EXPECT_FALSE(d.podgladVisible);
    EXPECT_TRUE(d.podgladEnabled);
    EXPECT_TRUE(d.transportEnabled);
    EXPECT_TRUE(d.startEnabled);
    EXPECT_TRUE(d.message.empty());
    // The player found nothing after all: as with no file.
    d = Decide(SoundOutcome::NoFile);
    EXPECT_FALSE(d.transportEnabled);
    EXPECT_FALSE(d.startEnabled);
}

TEST_F(SyncViewTest, OggIsReportedOnceAndStartKeepsTheTriggerVerdict) {
    in.actionText = Caption(ActionKind::PlaySound);
    in.soundFile = L"C:\\Sounds\\tune.ogg";
    SyncViewDecision d = Decide();
    EXPECT_EQ(d.message, kWrongSoundFormat);
    EXPECT_TRUE(d.startEnabled);
    EXPECT_FALSE(d.podgladEnabled);
    in.triggerText = Caption(TriggerKind::Countdown);
    d = Decide();
    EXPECT_FALSE(d.startEnabled);
}

TEST_F(SyncViewTest, SoundThePlayerCannotOpenStopsBeforeTheFinalPart) {
    in.actionText = Caption(ActionKind::PlaySound);
    in.soundFile = L"C:\\Sounds\\ding.Midi";
    const SyncViewDecision d = Decide(SoundOutcome::Failed);
    EXPECT_TRUE(d.run);
    EXPECT_EQ(d.panel, L"p_k_PdegrajDzwiek");
    EXPECT_TRUE(d.startEnabled);  // as the trigger left it
    EXPECT_FALSE(d.skrotEnabled.has_value());
    EXPECT_FALSE(d.repeatBoxEnabled.has_value());
}

TEST_F(SyncViewTest, ShutDownNeedsAModeAndOffersNoRepetition) {
    in.actionText = Caption(ActionKind::ShutDown);
    SyncViewDecision d = Decide();
    EXPECT_EQ(d.panel, L"p_Zamknij");
    EXPECT_FALSE(d.startEnabled);
    EXPECT_EQ(d.repeatBoxEnabled, false);
    in.shutdownSelected = true;
    d = Decide();
    EXPECT_TRUE(d.startEnabled);
    EXPECT_FALSE(d.podgladEnabled);
}

TEST_F(SyncViewTest, RunProgramReportsAForeignFileAndLeavesTheButtons) {
    in.actionText = Caption(ActionKind::RunProgram);
    SyncViewDecision d = Decide();
    EXPECT_EQ(d.panel, L"p_UrProg");
    EXPECT_FALSE(d.startEnabled);
    in.programPath = L"C:\\Apps\\readme.txt";
    d = Decide();
    EXPECT_EQ(d.message, texts::kWrongProgramFormat);
    EXPECT_TRUE(d.startEnabled);  // the trigger's verdict
    EXPECT_FALSE(d.podgladEnabled);
    in.programPath = L"C:\\Apps\\Tool.EXE";
    d = Decide();
    EXPECT_TRUE(d.message.empty());
    EXPECT_TRUE(d.podgladEnabled);
    EXPECT_TRUE(d.startEnabled);
}

TEST_F(SyncViewTest, FileFolderAndWebPage) {
    in.actionText = Caption(ActionKind::OpenFile);
    in.filePath = L"C:\\Apps\\readme.txt";
    EXPECT_EQ(Decide().panel, L"p_Plik");
    EXPECT_TRUE(Decide().startEnabled);
    in.filePath = L"C:\\Apps";  // a folder is not a file
    EXPECT_FALSE(Decide().startEnabled);

    in.actionText = Caption(ActionKind::OpenFolder);
    in.folderPath = L"C:\\Apps";
    EXPECT_EQ(Decide().panel, L"p_OtworzFolder");
    EXPECT_TRUE(Decide().podgladEnabled);
    in.folderPath = L"C:\\Apps\\readme.txt";
    EXPECT_FALSE(Decide().podgladEnabled);

    in.actionText = Caption(ActionKind::OpenWebPage);
    in.webAddress = L"HTTP://EXAMPLE.ORG";
    EXPECT_EQ(Decide().panel, L"p_WWW");
    EXPECT_FALSE(Decide().startEnabled);
    in.webAddress = L"see http://example.org";
    EXPECT_TRUE(Decide().startEnabled);
}

TEST_F(SyncViewTest, OtherWithoutSubActionShowsNothingAndCannotStart) {
    in.actionText = Caption(ActionKind::Other);
    SyncViewDecision d = Decide();
    EXPECT_EQ(d.panel, L"p_Inne");
    EXPECT_TRUE(d.subPanel.empty());
    EXPECT_FALSE(d.amhHelpVisible);
    EXPECT_FALSE(d.amhHint.has_value());
    EXPECT_FALSE(d.startEnabled);
    EXPECT_FALSE(d.podgladEnabled);
}

TEST_F(SyncViewTest, OtherSubActionsShowTheirPanelsAndHelp) {
    in.actionText = Caption(ActionKind::Other);
    in.otherActionText = Caption(OtherActionKind::BlockMouse);
    SyncViewDecision d = Decide();
    ASSERT_TRUE(d.amhHint.has_value());
    EXPECT_TRUE(d.amhHelpVisible);
    const auto [text, title] = SplitHelpHint(*d.amhHint);
    EXPECT_EQ(title, L"Zawieś działanie myszy");
    EXPECT_EQ(text + L"|", texts::kHelpBlockMouse);
    EXPECT_TRUE(d.startEnabled);

    in.otherActionText = Caption(OtherActionKind::MonitorOff);
    d = Decide();
    EXPECT_EQ(d.amhHint, std::wstring());
    EXPECT_FALSE(d.amhHelpVisible);
    EXPECT_TRUE(d.subPanel.empty());

    in.otherActionText = Caption(OtherActionKind::PressKeys);
    d = Decide();
    EXPECT_EQ(d.subPanel, L"p_Inne_Klawisz");
    EXPECT_FALSE(d.startEnabled);
    in.keySelected = true;
    EXPECT_TRUE(Decide().startEnabled);

    in.otherActionText = Caption(OtherActionKind::CdTray);
    in.cdDriveSelected = true;
    d = Decide();
    EXPECT_EQ(d.subPanel, L"p_Inne_DyskCD");
    EXPECT_FALSE(d.startEnabled);
    in.cdOperationSelected = true;
    EXPECT_TRUE(Decide().podgladEnabled);

    in.otherActionText = Caption(OtherActionKind::SingleClick);
    in.pickerRunning = true;
    d = Decide();
    EXPECT_EQ(d.subPanel, L"p_Inne_Klikniecie1");
    EXPECT_TRUE(d.label3Visible);
}

TEST(SyncViewPreparation, OnlySubActionsWithFieldsAreRefreshedOrRestored) {
    const std::wstring other = Caption(ActionKind::Other);
    SubActionPreparation p = PrepareSubAction(other, Caption(OtherActionKind::CdTray));
    EXPECT_TRUE(p.refreshCdDrives);
    EXPECT_EQ(p.restore, OtherActionKind::CdTray);
    p = PrepareSubAction(other, Caption(OtherActionKind::PressKeys));
    EXPECT_FALSE(p.refreshCdDrives);
    EXPECT_EQ(p.restore, OtherActionKind::PressKeys);
    EXPECT_EQ(PrepareSubAction(other, Caption(OtherActionKind::DoubleClick)).restore,
              OtherActionKind::DoubleClick);
    EXPECT_FALSE(PrepareSubAction(other, Caption(OtherActionKind::MonitorOff)).restore.has_value());
    EXPECT_FALSE(PrepareSubAction(other, L"").restore.has_value());
    // The same sub-action caption under another action prepares nothing.
    p = PrepareSubAction(Caption(ActionKind::Message), Caption(OtherActionKind::CdTray));
    EXPECT_FALSE(p.refreshCdDrives);
    EXPECT_FALSE(p.restore.has_value());
}

TEST_F(SyncViewTest, KillProcessChosenInTheWindowWaitsForARow) {
    in.actionText = Caption(ActionKind::KillProcess);
    SyncViewDecision d = Decide();
    EXPECT_EQ(d.panel, L"p_ZabijProces");
    EXPECT_FALSE(d.startEnabled);
    EXPECT_FALSE(d.podgladEnabled);
    in.killFromCommandLine = true;
    EXPECT_TRUE(Decide().startEnabled);
}

TEST_F(SyncViewTest, NoActionHidesPanelsAndDisablesStart) {
    in.actionText.clear();
    const SyncViewDecision d = Decide();
    EXPECT_TRUE(d.panel.empty());
    EXPECT_FALSE(d.startEnabled);
    EXPECT_EQ(d.repeatBoxEnabled, true);  // a trigger is selected and the action is neither
}

TEST_F(SyncViewTest, ActionCaptionsAreComparedExactly) {
    in.actionText = L"komunikat";
    const SyncViewDecision d = Decide();
    EXPECT_FALSE(d.action.has_value());
    EXPECT_FALSE(d.startEnabled);
}

TEST(SyncViewHelpers, TextsAndWidths) {
    EXPECT_EQ(ClockLine(L"12:34:56"), L" W tej chwili jest: 12:34:56 ");
    EXPECT_EQ(NoInternetLabel(90061), L"Po przekonwertowaniu:    25:01:01");
    EXPECT_EQ(PickedPointText(10, 20), L"Wprowadzono punkt o współrzędnych x = 10  y = 20");
    EXPECT_EQ(DroppedWidth(201, 150, 30), 201);
    EXPECT_EQ(DroppedWidth(100, 150, 30), 180);
    EXPECT_EQ(SplitHelpHint(L"a|b|c"), std::make_pair(std::wstring(L"a"), std::wstring(L"b|c")));
    EXPECT_EQ(SplitHelpHint(L"plain"), std::make_pair(std::wstring(L"plain"), std::wstring()));
}

}  // namespace
}  // namespace klaxora
