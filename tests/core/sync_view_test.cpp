#include "config/sync_view.h"

#include <gtest/gtest.h>

#include "fakes/memory_files.h"

namespace klaxora {
namespace {

using testing::MemoryFiles;

class SyncViewTest : public ::testing::Test {
  protected:
    SyncViewTest() {
        state.firstShowDone = true;
        s.Trigger = TriggerKind::AtTime;
        s.Action = ActionKind::DefaultWindow;
        files.AddFile(L"C:\\Apps\\Tool.EXE");
        files.AddFile(L"C:\\Apps\\readme.txt");
        files.AddFile(L"C:\\Sounds\\ding.Midi");
        files.AddFile(L"C:\\Sounds\\tune.ogg");
        files.AddDirectory(L"C:\\Apps");
    }
    SyncViewDecision Decide(SoundOutcome sound = SoundOutcome::NotAsked) {
        return DecideSyncView(s, state, files, sound);
    }
    AlarmSettings s;
    SyncViewState state;
    MemoryFiles files;
};

TEST_F(SyncViewTest, InertUntilTheFirstShowIsDone) {
    state.firstShowDone = false;
    const SyncViewDecision d = Decide();
    EXPECT_FALSE(d.run);
    EXPECT_TRUE(d.message.empty());
    EXPECT_FALSE(d.skrotEnabled.has_value());
}

TEST_F(SyncViewTest, EachTriggerShowsItsPageAndGivesItsVerdict) {
    struct Case {
        TriggerKind trigger;
        bool verdict;
    };
    const Case cases[] = {
        {TriggerKind::NoInternet, true},
        {TriggerKind::Countdown, false},  // 0:0:0
        {TriggerKind::ProgramNotResponding, false},
        {TriggerKind::ProgramClosed, false},
        {TriggerKind::AtTime, true},
        {TriggerKind::ProgramStarted, false},
    };
    for (const Case& c : cases) {
        s.Trigger = c.trigger;
        const SyncViewDecision d = Decide();
        EXPECT_EQ(d.page, c.trigger) << Info(c.trigger).code.data();
        EXPECT_EQ(d.triggerVerdict, c.verdict) << Info(c.trigger).code.data();
        EXPECT_EQ(d.startEnabled, c.verdict) << Info(c.trigger).code.data();
        EXPECT_EQ(d.skrotEnabled, c.verdict) << Info(c.trigger).code.data();
    }
}

TEST_F(SyncViewTest, NoTriggerSelectedIsAfterWindowsStartWithoutRepetition) {
    s.Trigger = TriggerKind::AfterWindowsStart;
    s.Action = ActionKind::Message;
    s.MessageText = L"a";
    s.MessageCaption = L"b";
    s.RepeatEnabled = true;
    const SyncViewDecision d = Decide();
    EXPECT_EQ(d.page, TriggerKind::AfterWindowsStart);
    EXPECT_TRUE(d.startEnabled);
    EXPECT_EQ(d.repeatBoxEnabled, false);
    EXPECT_EQ(d.repeatEditEnabled, false);
}

TEST_F(SyncViewTest, ProgramTriggersNeedAnExistingExeWhateverItsCase) {
    s.Trigger = TriggerKind::ProgramClosed;
    EXPECT_FALSE(Decide().triggerVerdict);
    s.WatchedProgram = L"c:\\apps\\tool.exe";
    EXPECT_TRUE(Decide().triggerVerdict);
    s.WatchedProgram = L"C:\\Apps\\readme.txt";
    EXPECT_FALSE(Decide().triggerVerdict);
    s.Trigger = TriggerKind::ProgramStarted;
    s.WatchedProgram = L"C:\\Apps\\Missing.exe";
    EXPECT_FALSE(Decide().triggerVerdict);
}

TEST_F(SyncViewTest, CountdownOfZeroDisablesStartWhateverTheAction) {
    s.Trigger = TriggerKind::Countdown;
    const SyncViewDecision d = Decide();
    EXPECT_FALSE(d.startEnabled);
    EXPECT_EQ(d.skrotEnabled, false);
    EXPECT_TRUE(d.podgladEnabled);  // the default window can still be previewed
    s.CountdownTime = {0, 90, 0};
    EXPECT_TRUE(Decide().startEnabled);
}

TEST_F(SyncViewTest, DefaultWindowHidesEveryPanelAndOffersNoRepetition) {
    s.RepeatEnabled = true;
    SyncViewDecision d = Decide();
    EXPECT_EQ(d.panel, std::nullopt);
    EXPECT_TRUE(d.podgladVisible);
    EXPECT_TRUE(d.podgladEnabled);
    EXPECT_TRUE(d.startEnabled);
    EXPECT_EQ(d.repeatBoxEnabled, false);
    EXPECT_EQ(d.repeatEditEnabled, false);
    // Switching to a message offers repetition again; the edit follows the check box.
    s.Action = ActionKind::Message;
    d = Decide();
    EXPECT_EQ(d.repeatBoxEnabled, true);
    EXPECT_EQ(d.repeatEditEnabled, true);
    s.RepeatEnabled = false;
    EXPECT_EQ(Decide().repeatEditEnabled, false);
}

TEST_F(SyncViewTest, MessageNeedsTextAndCaption) {
    s.Action = ActionKind::Message;
    s.MessageText = L"Już czas !!!";
    SyncViewDecision d = Decide();
    EXPECT_EQ(d.panel, ActionKind::Message);
    EXPECT_FALSE(d.podgladEnabled);
    EXPECT_FALSE(d.startEnabled);
    s.MessageCaption = L"x";
    d = Decide();
    EXPECT_TRUE(d.podgladEnabled);
    EXPECT_TRUE(d.startEnabled);
    // An incomplete trigger still keeps the start off; the preview does not depend on it.
    s.Trigger = TriggerKind::Countdown;
    d = Decide();
    EXPECT_TRUE(d.podgladEnabled);
    EXPECT_FALSE(d.startEnabled);
}

TEST_F(SyncViewTest, PreviewIsHiddenOnlyForShutDownAndSound) {
    for (const ActionInfo& a : Actions()) {
        s.Action = a.kind;
        const bool hidden = a.kind == ActionKind::ShutDown || a.kind == ActionKind::PlaySound;
        EXPECT_EQ(Decide().podgladVisible, !hidden) << ToUtf8(a.caption);
    }
}

TEST_F(SyncViewTest, SoundFileDecidesWhatThePlayerIsAsked) {
    s.Action = ActionKind::PlaySound;
    EXPECT_EQ(SoundStepFor(s, files), SoundStep::Clear);
    s.SoundFile = L"C:\\Sounds\\missing.wav";
    EXPECT_EQ(SoundStepFor(s, files), SoundStep::Clear);
    s.SoundFile = L"C:\\Sounds\\ding.Midi";
    EXPECT_EQ(SoundStepFor(s, files), SoundStep::Load);
    s.SoundFile = L"C:\\Sounds\\tune.ogg";
    EXPECT_EQ(SoundStepFor(s, files), SoundStep::ReportWrongFormat);
    s.Action = ActionKind::Message;
    EXPECT_EQ(SoundStepFor(s, files), SoundStep::None);
}

TEST_F(SyncViewTest, LoadedSoundEnablesTransportAndStart) {
    s.Action = ActionKind::PlaySound;
    s.SoundFile = L"C:\\Sounds\\ding.Midi";
    SyncViewDecision d = Decide(SoundOutcome::Loaded);
    EXPECT_EQ(d.panel, ActionKind::PlaySound);
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

TEST_F(SyncViewTest, OggIsSaidOnceForTheFileChosenAndNeverStarts) {
    s.Action = ActionKind::PlaySound;
    s.SoundFile = L"C:\\Sounds\\tune.ogg";
    for (const auto& [outcome, said] : std::vector<std::pair<SoundOutcome, bool>>{
             {SoundOutcome::WrongFormat, true}, {SoundOutcome::WrongFormatReported, false}}) {
        const SyncViewDecision d = Decide(outcome);
        EXPECT_EQ(d.message, said ? kWrongSoundFormat : L"");
        EXPECT_FALSE(d.startEnabled);
    }
}

TEST_F(SyncViewTest, SoundThePlayerCannotOpenStopsBeforeTheFinalPart) {
    s.Action = ActionKind::PlaySound;
    s.SoundFile = L"C:\\Sounds\\ding.Midi";
    const SyncViewDecision d = Decide(SoundOutcome::Failed);
    EXPECT_TRUE(d.run);
    EXPECT_EQ(d.panel, ActionKind::PlaySound);
    // Not startable: the error is shown and the start and the shortcut are off.
    EXPECT_FALSE(d.startEnabled);
    EXPECT_EQ(d.skrotEnabled, false);
    EXPECT_FALSE(d.repeatBoxEnabled.has_value());
}

TEST_F(SyncViewTest, ShutDownNeedsAModeAndOffersNoRepetition) {
    s.Action = ActionKind::ShutDown;
    SyncViewDecision d = Decide();
    EXPECT_EQ(d.panel, ActionKind::ShutDown);
    EXPECT_FALSE(d.startEnabled);
    EXPECT_EQ(d.repeatBoxEnabled, false);
    s.ShutdownMode = ShutdownKind::Restart;
    d = Decide();
    EXPECT_TRUE(d.startEnabled);
    EXPECT_FALSE(d.podgladEnabled);
}

TEST_F(SyncViewTest, RunProgramReportsAForeignFileAndLeavesTheButtons) {
    s.Action = ActionKind::RunProgram;
    SyncViewDecision d = Decide();
    EXPECT_EQ(d.panel, ActionKind::RunProgram);
    EXPECT_FALSE(d.startEnabled);
    s.ProgramPath = L"C:\\Apps\\readme.txt";
    d = Decide();
    EXPECT_EQ(d.message, texts::kWrongProgramFormat);
    EXPECT_TRUE(d.startEnabled);  // the trigger's verdict
    EXPECT_FALSE(d.podgladEnabled);
    s.ProgramPath = L"C:\\Apps\\Tool.EXE";
    d = Decide();
    EXPECT_TRUE(d.message.empty());
    EXPECT_TRUE(d.podgladEnabled);
    EXPECT_TRUE(d.startEnabled);
}

TEST_F(SyncViewTest, FileFolderAndWebPage) {
    s.Action = ActionKind::OpenFile;
    s.FilePath = L"C:\\Apps\\readme.txt";
    EXPECT_EQ(Decide().panel, ActionKind::OpenFile);
    EXPECT_TRUE(Decide().startEnabled);
    s.FilePath = L"C:\\Apps";  // a folder is not a file
    EXPECT_FALSE(Decide().startEnabled);

    s.Action = ActionKind::OpenFolder;
    s.FolderPath = L"C:\\Apps";
    EXPECT_EQ(Decide().panel, ActionKind::OpenFolder);
    EXPECT_TRUE(Decide().podgladEnabled);
    s.FolderPath = L"C:\\Apps\\readme.txt";
    EXPECT_FALSE(Decide().podgladEnabled);

    s.Action = ActionKind::OpenWebPage;
    s.WebAddress = L"HTTP://EXAMPLE.ORG";
    EXPECT_EQ(Decide().panel, ActionKind::OpenWebPage);
    EXPECT_FALSE(Decide().startEnabled);
    s.WebAddress = L"see http://example.org";
    EXPECT_TRUE(Decide().startEnabled);
}

TEST_F(SyncViewTest, OtherWithoutSubActionShowsNothingAndCannotStart) {
    s.Action = ActionKind::Other;
    SyncViewDecision d = Decide();
    EXPECT_EQ(d.panel, ActionKind::Other);
    EXPECT_EQ(d.subPanel, OtherSubPanel::None);
    EXPECT_FALSE(d.amhHelpVisible);
    EXPECT_FALSE(d.amhHint.has_value());
    EXPECT_FALSE(d.startEnabled);
    EXPECT_FALSE(d.podgladEnabled);
}

TEST_F(SyncViewTest, OtherSubActionsShowTheirPanelsAndHelp) {
    s.Action = ActionKind::Other;
    s.OtherAction = OtherActionKind::BlockMouse;
    SyncViewDecision d = Decide();
    ASSERT_TRUE(d.amhHint.has_value());
    EXPECT_TRUE(d.amhHelpVisible);
    const auto [text, title] = SplitHelpHint(*d.amhHint);
    EXPECT_EQ(title, L"Zawieś działanie myszy");
    EXPECT_EQ(text + L"|", texts::kHelpBlockMouse);
    EXPECT_TRUE(d.startEnabled);

    s.OtherAction = OtherActionKind::MonitorOff;
    d = Decide();
    EXPECT_EQ(d.amhHint, std::wstring());
    EXPECT_FALSE(d.amhHelpVisible);
    EXPECT_EQ(d.subPanel, OtherSubPanel::None);

    s.OtherAction = OtherActionKind::PressKeys;
    d = Decide();
    EXPECT_EQ(d.subPanel, OtherSubPanel::Keys);
    EXPECT_FALSE(d.startEnabled);
    s.KeyCombination = L"F5";
    EXPECT_TRUE(Decide().startEnabled);

    s.OtherAction = OtherActionKind::CdTray;
    s.CdDrive = L"D";
    d = Decide();
    EXPECT_EQ(d.subPanel, OtherSubPanel::CdTray);
    EXPECT_FALSE(d.startEnabled);
    s.CdTrayOperation = L"WYSUŃ";
    EXPECT_TRUE(Decide().podgladEnabled);

    s.OtherAction = OtherActionKind::SingleClick;
    state.pickerRunning = true;
    d = Decide();
    EXPECT_EQ(d.subPanel, OtherSubPanel::Click);
    EXPECT_TRUE(d.label3Visible);
}

TEST(SyncViewPreparation, OnlySubActionsWithFieldsAreRefreshedOrRestored) {
    auto prepare = [](ActionKind action, std::optional<OtherActionKind> sub) {
        AlarmSettings s;
        s.Action = action;
        s.OtherAction = sub;
        return PrepareSubAction(s);
    };
    SubActionPreparation p = prepare(ActionKind::Other, OtherActionKind::CdTray);
    EXPECT_TRUE(p.refreshCdDrives);
    EXPECT_EQ(p.restore, OtherActionKind::CdTray);
    p = prepare(ActionKind::Other, OtherActionKind::PressKeys);
    EXPECT_FALSE(p.refreshCdDrives);
    EXPECT_EQ(p.restore, OtherActionKind::PressKeys);
    EXPECT_EQ(prepare(ActionKind::Other, OtherActionKind::DoubleClick).restore,
              OtherActionKind::DoubleClick);
    EXPECT_FALSE(prepare(ActionKind::Other, OtherActionKind::MonitorOff).restore.has_value());
    EXPECT_FALSE(prepare(ActionKind::Other, std::nullopt).restore.has_value());
    // The same sub-action under another action prepares nothing.
    p = prepare(ActionKind::Message, OtherActionKind::CdTray);
    EXPECT_FALSE(p.refreshCdDrives);
    EXPECT_FALSE(p.restore.has_value());
}

TEST_F(SyncViewTest, KillProcessChosenInTheWindowWaitsForARow) {
    s.Action = ActionKind::KillProcess;
    SyncViewDecision d = Decide();
    EXPECT_EQ(d.panel, ActionKind::KillProcess);
    EXPECT_FALSE(d.startEnabled);
    EXPECT_FALSE(d.podgladEnabled);
    s.ProcessChosen = true;  // a row, or a kill set up by the command line
    EXPECT_TRUE(Decide().startEnabled);
}

TEST_F(SyncViewTest, NoActionHidesPanelsAndDisablesStart) {
    s.Action.reset();
    const SyncViewDecision d = Decide();
    EXPECT_EQ(d.panel, std::nullopt);
    EXPECT_FALSE(d.startEnabled);
    EXPECT_EQ(d.repeatBoxEnabled, true);  // a trigger is selected and the action is neither
}

// The change handlers' verdict is the synchroniser's: a complete trigger never makes an
// incomplete action startable, and the other way round.
TEST_F(SyncViewTest, ChangeHandlersStartOnlyACompleteDefinition) {
    s.Trigger = TriggerKind::Countdown;
    s.CountdownTime = {0, 0, 1};
    s.Action = ActionKind::Message;  // no text yet
    EXPECT_FALSE(DecideStart(s, files, false).start);
    s.MessageText = L"a";
    s.MessageCaption = L"b";
    EXPECT_TRUE(DecideStart(s, files, false).start);
    s.CountdownTime = {};
    EXPECT_FALSE(DecideStart(s, files, false).start);
    EXPECT_TRUE(DecideStart(s, files, false).preview);

    s.CountdownTime = {0, 1, 0};
    s.Action = ActionKind::KillProcess;
    EXPECT_FALSE(DecideStart(s, files, false).start);
    s.Action = ActionKind::Other;
    s.OtherAction = OtherActionKind::CdTray;
    s.CdDrive = L"D";
    EXPECT_FALSE(DecideStart(s, files, false).start);  // no operation
    s.OtherAction = OtherActionKind::PressKeys;
    s.KeyCombination = L"F5";
    EXPECT_TRUE(DecideStart(s, files, false).start);
    s.Trigger = TriggerKind::ProgramClosed;  // no program named
    EXPECT_FALSE(DecideStart(s, files, false).start);

    // A sound counts only while the player holds it.
    s.Trigger = TriggerKind::AtTime;
    s.Action = ActionKind::PlaySound;
    s.SoundFile = L"C:\\Sounds\\ding.Midi";
    EXPECT_FALSE(DecideStart(s, files, false).start);
    EXPECT_TRUE(DecideStart(s, files, true).start);
}

TEST_F(SyncViewTest, GreyedStartNamesTheFirstFieldToMend) {
    using A = ActionKind;
    using O = OtherActionKind;
    using S = AlarmSettings;
    using Trig = TriggerKind;
    namespace t = texts;
    const std::optional<A> none;
    const wchar_t *txt = L"C:\\Apps\\readme.txt", *ogg = L"C:\\Sounds\\tune.ogg",
                  *midi = L"C:\\Sounds\\ding.Midi";  // files that exist
    const struct {
        TriggerKind trigger;
        std::optional<A> action;
        std::optional<O> other;
        std::wstring_view reason;
        std::wstring S::*field = nullptr;  // one field written, the rest left empty
        const wchar_t* value = L"";
    } rows[] = {
        {Trig::AtTime, A::DefaultWindow, {}, L""},
        {Trig::Countdown, A::DefaultWindow, {}, t::kWhyCountdownZero},
        {Trig::Countdown, none, {}, t::kWhyCountdownZero},  // the trigger's field first
        {Trig::ProgramClosed, A::DefaultWindow, {}, t::kWhyWatchedPath},
        {Trig::ProgramStarted, A::Message, {}, t::kWhyWatchedMissing, &S::WatchedProgram, L"x.exe"},
        {Trig::ProgramStarted, A::Message, {}, t::kWhyWatchedNotExe, &S::WatchedProgram, txt},
        {Trig::AtTime, none, {}, t::kWhyNoAction},
        {Trig::AtTime, A::Message, {}, t::kWhyMessageText, &S::MessageCaption, L"t"},
        {Trig::AtTime, A::Message, {}, t::kWhyMessageCaption, &S::MessageText, L"t"},
        {Trig::AtTime, A::PlaySound, {}, t::kWhySoundPath},
        {Trig::AtTime, A::PlaySound, {}, t::kWhySoundMissing, &S::SoundFile, L"C:\\x.wav"},
        {Trig::AtTime, A::PlaySound, {}, t::kWhySoundFormat, &S::SoundFile, ogg},
        {Trig::AtTime, A::PlaySound, {}, t::kWhySoundUnplayable, &S::SoundFile, midi},
        {Trig::AtTime, A::ShutDown, {}, t::kWhyShutdownKind},
        {Trig::AtTime, A::RunProgram, {}, t::kWhyProgramPath},
        {Trig::AtTime, A::RunProgram, {}, t::kWhyProgramMissing, &S::ProgramPath, L"C:\\x.exe"},
        {Trig::AtTime, A::OpenFile, {}, t::kWhyFilePath},
        {Trig::AtTime, A::OpenFile, {}, t::kWhyFileMissing, &S::FilePath, L"C:\\x"},
        {Trig::AtTime, A::OpenFolder, {}, t::kWhyFolderPath},
        {Trig::AtTime, A::OpenFolder, {}, t::kWhyFolderMissing, &S::FolderPath, L"C:\\x"},
        {Trig::AtTime, A::OpenWebPage, {}, t::kWhyWebAddress, &S::WebAddress, L"a.pl"},
        {Trig::AtTime, A::Other, {}, t::kWhyOtherAction},
        {Trig::AtTime, A::Other, O::PressKeys, t::kWhyKeys},
        {Trig::AtTime, A::Other, O::CdTray, t::kWhyCdDrive},
        {Trig::AtTime, A::Other, O::CdTray, t::kWhyCdOperation, &S::CdDrive, L"D"},
        {Trig::AtTime, A::KillProcess, {}, t::kWhyProcess},
    };
    for (const auto& row : rows) {
        AlarmSettings a;
        a.Trigger = row.trigger;
        a.Action = row.action;
        a.OtherAction = row.other;
        if (row.field)
            a.*row.field = row.value;
        const StartVerdict v = DecideStart(a, files, false);
        EXPECT_EQ(v.reason, row.reason);
        EXPECT_EQ(v.start, row.reason.empty());
        // The player holds no sound here, as DecideStart was told.
        EXPECT_EQ(DecideSyncView(a, state, files, SoundOutcome::NoFile).startReason, row.reason);
    }
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
