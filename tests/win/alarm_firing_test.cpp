// The main window's watch loop and the action executor, armed directly (as Start arms them)
// and watched as a user would see them: message boxes, the popup, programs started and ended.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/after_start.h"
#include "app/armed_record.h"
#include "app/watch_loop.h"
#include "util/message_titles.h"
#include "win/actions/popup_window.h"
#include "win/app/held_record.h"
#include "win/app/main_window.h"
#include "win/box_answerer.h"
#include "win/child_process.h"
#include "win/pump.h"
#include "win/sys/file_system_win.h"
#include "win/sys/registry_win.h"

namespace klaxora::testing {
namespace {

const std::wstring kCaption = L"Komunikat";
const std::wstring kText = L"Już czas !!!";

// Watches for the message boxes of this process from another thread, notes when each
// appeared, its title and text, keeps it open for `holdMs` and then presses `first` on the
// first box, OK on the others.
class BoxWatcher {
  public:
    struct Box {
        ULONGLONG shownAt = 0, closedAt = 0;
        std::wstring title, text;
    };
    explicit BoxWatcher(DWORD holdMs = 0, int first = IDOK) {
        worker_ = std::thread([this, holdMs, first] {
            HWND last = nullptr;
            while (!stop_) {
                const HWND box = FindOwnMessageBox();
                if (box && box != last) {
                    Box b;
                    b.shownAt = GetTickCount64();
                    b.title = WindowTextOf(box);
                    b.text = WindowTextOf(GetDlgItem(box, 0xFFFF));
                    for (DWORD held = 0; held < holdMs && !stop_; held += 10)
                        Sleep(10);
                    b.closedAt = GetTickCount64();
                    {
                        std::lock_guard lock(mutex_);
                        boxes_.push_back(b);
                    }
                    const int button = last ? IDOK : first;
                    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
                    last = box;
                }
                Sleep(2);
            }
        });
    }
    ~BoxWatcher() {
        stop_ = true;
        worker_.join();
    }
    size_t Count() {
        std::lock_guard lock(mutex_);
        return boxes_.size();
    }
    Box At(size_t i) {
        std::lock_guard lock(mutex_);
        return boxes_.at(i);
    }

  private:
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Box> boxes_;
    std::thread worker_;
};

class AlarmFiring : public ::testing::Test {
  protected:
    AlarmFiring() {
        popup.Create();
        glowna.Create();
        system.operations.SetApplicationWindow(glowna.Hwnd());
        win::ArmedAlarm::Links links;
        links.mainWindow = glowna.Hwnd();
        links.popup = &popup;
        links.setTrayEnabled = [this](bool on) { glowna.Tray.SetEnabled(on); };
        links.changed = [this](const WatchState& w) {
            glowna.AlarmChanged(w);
            stops += w.Armed ? 0 : 1;
        };
        alarm.Connect(std::move(links));
    }
    ~AlarmFiring() override {
        alarm.Connect({});
        alarm.Stop();
        popup.Close();
    }
    // Arms as Start does: the fields, then the timer.
    void Arm(std::wstring code, int seconds, std::wstring action, std::wstring parameter = {},
             int repeat = 0) {
        WatchState w;
        w.TriggerCode = std::move(code);
        w.SecondsLeft = seconds;
        w.ActionCaption = std::move(action);
        w.ActionParameter = std::move(parameter);
        w.RepeatSeconds = repeat;
        alarm.Arm(w, L"");
        armedAt = GetTickCount64();
    }
    void ArmMessage(std::wstring code, int seconds, int repeat = 0) {
        Arm(std::move(code), seconds, L"Komunikat", kCaption + kMessageSeparator + kText, repeat);
    }

    win::SystemPorts system;
    win::TF_ALARMUJ popup;
    win::ArmedAlarm alarm{system.Ports()};
    win::TF_Glowna glowna{system.Ports(), alarm};
    int stops = 0;
    ULONGLONG armedAt = 0;
};

TEST_F(AlarmFiring, ACountdownWithAMessageFiresOnceOnTimeAndLeavesNoTimer) {
    BoxWatcher boxes;
    ArmMessage(L"OD", 2);
    ASSERT_TRUE(PumpUntil([&] { return boxes.Count() >= 1; }));
    const auto box = boxes.At(0);
    EXPECT_EQ(box.title, kCaption);
    EXPECT_EQ(box.text, kText);
    EXPECT_GE(box.shownAt, armedAt + 1950);
    EXPECT_LE(box.shownAt, armedAt + 2500);
    ASSERT_TRUE(PumpUntil([&] { return !alarm.State().Firing; }));
    EXPECT_FALSE(alarm.Armed());
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(glowna.Tray.Enabled());
    // Idle: no watch timer is left to wake the program.
    EXPECT_FALSE(KillTimer(alarm.TimerWindow(), win::ArmedAlarm::kWatchTimerId));
    PumpFor(1200);  // nothing more
    EXPECT_EQ(boxes.Count(), 1u);
}

TEST_F(AlarmFiring, ARepeatIsCountedFromTheClosingOfTheBox) {
    BoxWatcher boxes(1500);  // each box stays open for a second and a half
    ArmMessage(L"OD", 1, 2);
    ASSERT_TRUE(PumpUntil([&] { return boxes.Count() >= 2; }, 15000));
    const auto first = boxes.At(0), second = boxes.At(1);
    EXPECT_GE(second.shownAt, first.closedAt + 1900);
    EXPECT_LE(second.shownAt, first.closedAt + 2600);
    EXPECT_EQ(stops, 0);
    alarm.Stop();
    EXPECT_EQ(alarm.State().TriggerCode, L"OD");
}

TEST_F(AlarmFiring, ResumeLooksAtOnceAndFiresWhatFellDueDuringSleep) {
    BoxWatcher boxes;
    ArmMessage(L"OD", 600);
    // Asleep: no tick came, and the deadline has long passed.
    KillTimer(alarm.TimerWindow(), win::ArmedAlarm::kWatchTimerId);
    alarm.State().Timing.DueMs -= 600000;
    SendMessageW(glowna.Hwnd(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_EQ(boxes.Count(), 1u);  // shown and closed within the resume's handling
    EXPECT_FALSE(alarm.Armed());
}

// Missed by ten minutes, a program is not started on its own: "Nie" ends the alarm with nothing
// started; "Tak" starts it (here a missing one, so the shell's refusal shows it was tried).
TEST_F(AlarmFiring, ALateLaunchAsksFirstAndOnlyTakPerformsIt) {
    const std::wstring missing = win::Win32FileSystem().ExecutableDirectory() + L"brak.exe";
    for (const bool yes : {false, true}) {
        stops = 0;
        Arm(L"OD", 600, L"Uruchom program", missing);
        alarm.State().Timing.DueMs -= 1200000;  // ten minutes past
        BoxWatcher boxes(0, yes ? IDYES : IDNO);
        SendMessageW(glowna.Hwnd(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
        PumpFor(500);  // nothing more after "Nie"
        ASSERT_EQ(boxes.Count(), yes ? 2u : 1u);
        EXPECT_NE(boxes.At(0).text.find(L"Wykonać teraz?"), std::wstring::npos);
        EXPECT_NE(boxes.At(0).text.find(missing), std::wstring::npos);
        EXPECT_FALSE(alarm.Armed()) << yes;
        EXPECT_EQ(stops, 1) << yes;
    }
}

TEST_F(AlarmFiring, TheDefaultWindowSlidesInAtTheBottomRight) {
    Arm(L"OD", 1, L"Domyślne okno");
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ASSERT_TRUE(PumpUntil([&] {
        RECT r{};
        GetWindowRect(popup.Hwnd(), &r);
        return IsWindowVisible(popup.Hwnd()) && r.bottom == work.bottom && r.right == work.right;
    }));
    ASSERT_TRUE(PumpUntil([&] { return stops == 1; }));
    EXPECT_FALSE(alarm.Armed());
    EXPECT_TRUE(glowna.Tray.Enabled());
}

TEST_F(AlarmFiring, RunProgramStartsIt) {
    CopiedHelper helper(L"klaxora_run_target.exe");
    Arm(L"OD", 1, L"Uruchom program", helper.path);
    HWND started = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        started = FindWindowW(L"KlaxoraWatchTarget", L"KlaxoraWatchTarget");
        return started != nullptr;
    }));
    DWORD pid = 0;
    GetWindowThreadProcessId(started, &pid);
    win::KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    PostMessageW(started, WM_CLOSE, 0, 0);
    if (process && WaitForSingleObject(process.Get(), 5000) != WAIT_OBJECT_0)
        TerminateProcess(process.Get(), 0);
}

// "PU", "PZ", "PO": the test starts, closes and hangs the watched program.
TEST_F(AlarmFiring, ProgramTriggersFireWhenTheProgramStartsClosesOrHangs) {
    CopiedHelper helper(L"klaxora_trigger_target.exe");
    {
        BoxWatcher boxes;
        ArmMessage(L"PU", 0);
        alarm.State().WatchedProgramPath = helper.path;
        PumpFor(1500);
        EXPECT_EQ(boxes.Count(), 0u) << "fired before the program started";
        Started target(helper.path, L"visible");
        ASSERT_TRUE(PumpUntil([&] { return boxes.Count() == 1; }));
    }
    {
        BoxWatcher boxes;
        auto target = std::make_unique<Started>(helper.path, L"visible");
        ArmMessage(L"PZ", 0);
        alarm.State().WatchedProgramPath = helper.path;
        PumpFor(1500);
        EXPECT_EQ(boxes.Count(), 0u) << "fired while the program still ran";
        target.reset();
        ASSERT_TRUE(PumpUntil([&] { return boxes.Count() == 1; }));
    }
    {
        BoxWatcher boxes;
        Started target(helper.path, L"hang");
        ArmMessage(L"PO", 0);
        alarm.State().WatchedProgramPath = helper.path;
        HWND window = nullptr;
        ASSERT_TRUE(PumpUntil([&] {
            window = FindWindowW(L"KlaxoraWatchTarget", nullptr);
            return window != nullptr;
        }));
        PumpFor(1500);
        EXPECT_EQ(boxes.Count(), 0u) << "fired while the program responded";
        PostMessageW(window, WM_APP, 0, 0);  // it stops taking messages
        PostMessageW(window, WM_NULL, 0, 0);
        ASSERT_TRUE(PumpUntil([&] { return boxes.Count() == 1; }, 20000));
    }
    EXPECT_EQ(stops, 3);
}

TEST_F(AlarmFiring, DeletingTheWatchedProgramAbortsWithItsMessage) {
    auto helper = std::make_unique<CopiedHelper>(L"klaxora_deleted_target.exe");
    BoxWatcher boxes;
    ArmMessage(L"PU", 0);
    alarm.State().WatchedProgramPath = helper->path;
    PumpFor(1200);
    EXPECT_EQ(boxes.Count(), 0u);
    helper.reset();
    ASSERT_TRUE(PumpUntil([&] { return boxes.Count() == 1; }));
    EXPECT_EQ(boxes.At(0).title, kErrorTitle);
    EXPECT_EQ(boxes.At(0).text, kProgramStartedMissing);
    EXPECT_FALSE(alarm.Armed());
    EXPECT_EQ(stops, 1);
}

TEST_F(AlarmFiring, AKillEndsTheChosenProgramAndSparesAStrangerWithItsIdentifier) {
    CopiedHelper helper(L"klaxora_kill_target.exe");
    Started chosen(helper.path, L"idle");
    Arm(L"OD", 1, L"Zabij proces");
    alarm.State().ActionDetail = std::to_wstring(chosen.id);
    alarm.State().KillImage = helper.path;
    ASSERT_TRUE(
        PumpUntil([&] { return WaitForSingleObject(chosen.Process(), 0) == WAIT_OBJECT_0; }));

    // The identifier now belongs to a program other than the one chosen at Start.
    Started stranger(HelperPath(), L"idle");
    Arm(L"OD", 1, L"Zabij proces");
    alarm.State().ActionDetail = std::to_wstring(stranger.id);
    alarm.State().KillImage = helper.path;
    ASSERT_TRUE(PumpUntil([&] { return stops == 2; }));
    EXPECT_EQ(WaitForSingleObject(stranger.Process(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST_F(AlarmFiring, AnArmedAlarmIsKeptWithItsLogonRunUntilStoppedAndTakenByOneCopyOnly) {
    win::Win32Registry registry;
    ArmMessage(L"OD", 600);
    const std::vector<std::wstring> ids = ArmedRecordIds(registry);
    ASSERT_EQ(ids.size(), 1u);
    const auto kept = ReadArmedRecord(registry, ids[0], win::ThisComputer()).record;
    ASSERT_TRUE(kept);
    // Held in the user's global namespace, kept for this computer.
    EXPECT_EQ(kept->computer, win::ThisComputer());
    EXPECT_TRUE(
        win::KernelHandle(OpenMutexW(SYNCHRONIZE, FALSE, win::RecordMutexName(ids[0]).c_str())));
    EXPECT_EQ(win::RecordMutexName(ids[0]).rfind(L"Global\\Klaxora-S-1-", 0), 0u);
    EXPECT_EQ(kept->watch.ActionParameter, kCaption + kMessageSeparator + kText);
    EXPECT_NEAR(static_cast<double>(*kept->dueUtcMs - kept->armedUtcMs), 600000.0, 1000.0);
    const auto run = registry.Open(kRunOnceKey)->Read(L"Klaxora " + ids[0]);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->text, L"\"" + win::ExecutablePath() + L"\" " + std::wstring(kAfterStartMarker));
    // This copy holds it: nobody else may take it.
    EXPECT_FALSE(win::TakeUnheldRecord(registry).taken);
    alarm.Stop();  // Stop
    EXPECT_TRUE(ArmedRecordIds(registry).empty());
    EXPECT_FALSE(registry.Open(kRunOnceKey)->Read(L"Klaxora " + ids[0]));
}

TEST_F(AlarmFiring, AKeptAlarmWhoseMomentPassedIsTakenArmedAndFiredOnceAtOnce) {
    win::Win32Registry registry;
    ArmedRecord record;
    record.watch.TriggerCode = L"OD";
    record.watch.ActionCaption = L"Komunikat";
    record.watch.ActionParameter = kCaption + kMessageSeparator + kText;
    record.watch.RepeatSeconds = 60;
    record.watch.SecondsLeft = 1000;
    record.armedUtcMs = 1'000'000;
    record.dueUtcMs = 2'000'000;  // long ago
    WriteArmedRecord(registry, L"stary", record);
    win::TakeOutcome outcome = win::TakeUnheldRecord(registry);
    ASSERT_TRUE(outcome.taken);
    EXPECT_FALSE(win::TakeUnheldRecord(registry).taken);  // once
    BoxWatcher boxes;
    glowna.Adopt(std::move(*outcome.taken));
    PostMessageW(glowna.Hwnd(), win::TF_Glowna::kAfterStartMessage, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return boxes.Count() == 1; }));
    EXPECT_EQ(boxes.At(0).text, kText);
    // Repeating from now on, and kept as such under its own identity.
    ASSERT_TRUE(PumpUntil([&] { return alarm.State().TriggerCode == L"OD" && alarm.Armed(); }));
    EXPECT_EQ(ArmedRecordIds(registry), std::vector<std::wstring>{L"stary"});
    EXPECT_NE(glowna.Tray.Hint().find(L"Komunikat"), std::wstring::npos);
    alarm.Stop();
    EXPECT_TRUE(ArmedRecordIds(registry).empty());
}

}  // namespace
}  // namespace klaxora::testing
