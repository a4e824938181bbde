// The sound player over the real MCI: a WAV written here and an MP3 made by sox, played
// through the null sound device of the test prefix, with the panel's controls for real.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "util/user_error.h"
#include "win/actions/alarm_sound.h"
#include "win/config/sound_transport.h"
#include "win/sys/file_system_win.h"
#include "win/pump.h"
#include "win/test_sounds.h"

namespace klaxora::testing {
namespace {

std::wstring Mp3Path() {
    return win::Win32FileSystem().ExecutableDirectory() + L"test_sounds\\tone65.mp3";
}

bool Checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::wstring TextOf(HWND control) {
    wchar_t text[64] = {};
    GetWindowTextW(control, text, 64);
    return text;
}

class SoundPanelTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        longWav = WriteWav(L"long.wav", 65000);
        shortWav = WriteWav(L"short.wav", 300);
        // Long enough that sampling its position sees it rise and fall again: with Wine's null
        // audio device a short sound may end before two samples are taken.
        loopWav = WriteWav(L"loop.wav", 1500);
        ogg = TempFile(L"song.ogg");
        std::ofstream(std::filesystem::path(ogg)) << "OggS";
    }
    static void TearDownTestSuite() {
        for (const auto& f : {longWav, shortWav, loopWav, ogg})
            DeleteFileW(f.c_str());
    }
    void SetUp() override {
        parent = CreateWindowExW(0, L"STATIC", L"panel", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        const auto button = [&](const wchar_t* text, DWORD kind) {
            return CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | kind, 0, 0, 30, 20,
                                   parent, nullptr, nullptr, nullptr);
        };
        controls.LabelCzas =
            win::Label(CreateWindowExW(0, L"STATIC", L"(brak pliku)", WS_CHILD, 0, 0, 50, 20,
                                       parent, nullptr, nullptr, nullptr));
        controls.Play = win::Button(button(L">", BS_AUTOCHECKBOX | BS_PUSHLIKE));
        controls.Pause = win::Button(button(L"||", BS_AUTOCHECKBOX | BS_PUSHLIKE));
        controls.Stop = win::Button(button(L"[]", BS_AUTOCHECKBOX | BS_PUSHLIKE));
        controls.LoopCheckBox = win::CheckBox(button(L"Graj w nieskończoność", BS_AUTOCHECKBOX));
        device = std::make_unique<win::SoundDevice>(files, files);
        panel = std::make_unique<win::SoundTransport>(*device);
        alarm = std::make_unique<win::AlarmSound>(*device);
        panel->Attach(controls);
    }
    void TearDown() override {
        alarm.reset();
        panel.reset();
        device.reset();
        DestroyWindow(parent);
    }
    std::wstring ErrorOf(void (win::SoundTransport::*click)()) {
        try {
            ((*panel).*click)();
        } catch (const UserError& e) {
            return e.Message();
        }
        return L"no error";
    }
    void Loop(bool on) {
        SendMessageW(controls.LoopCheckBox, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    static inline std::wstring longWav, shortWav, loopWav, ogg;
    HWND parent = nullptr;
    win::Win32FileSystem files;
    win::SoundTransportControls controls;
    std::unique_ptr<win::SoundDevice> device;
    std::unique_ptr<win::SoundTransport> panel;
    std::unique_ptr<win::AlarmSound> alarm;
};

TEST_F(SoundPanelTest, WithoutAFileEveryButtonSaysSoAndStaysUp) {
    EXPECT_EQ(ErrorOf(&win::SoundTransport::PlayClick),
              L"Najpierw musisz wybrac dźwięk do odtworzenia !!!");
    EXPECT_FALSE(Checked(controls.Play));
    EXPECT_EQ(ErrorOf(&win::SoundTransport::PauseClick), L"Dźwięk nie jest odtwarzany !!!");
    EXPECT_FALSE(Checked(controls.Pause));
    EXPECT_EQ(ErrorOf(&win::SoundTransport::StopClick),
              L"Nie można wyłączyć dźwięku ponieważ nie jest on odtwarzany !!!");
    EXPECT_FALSE(Checked(controls.Stop));
    EXPECT_FALSE(IsWindowEnabled(controls.Play));
}

TEST_F(SoundPanelTest, LabelsOfAWavAndAnMp3) {
    EXPECT_EQ(panel->ApplyFileChange(longWav), SoundFileChange::Loaded);
    EXPECT_EQ(TextOf(controls.LabelCzas), L"1:05s");
    EXPECT_TRUE(Checked(controls.Stop));
    EXPECT_TRUE(IsWindowEnabled(controls.Play));
    EXPECT_TRUE(IsWindowEnabled(controls.LoopCheckBox));

    ASSERT_NE(GetFileAttributesW(Mp3Path().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(panel->ApplyFileChange(Mp3Path()), SoundFileChange::Loaded);
    EXPECT_EQ(TextOf(controls.LabelCzas), L"1:05s");

    // Another type is refused; the label keeps what it showed.
    EXPECT_EQ(panel->ApplyFileChange(ogg), SoundFileChange::WrongFormat);
    EXPECT_EQ(TextOf(controls.LabelCzas), L"1:05s");

    EXPECT_EQ(panel->ApplyFileChange(L""), SoundFileChange::NoFile);
    EXPECT_EQ(TextOf(controls.LabelCzas), L"(brak pliku)");
    EXPECT_FALSE(IsWindowEnabled(controls.Play));
}

TEST_F(SoundPanelTest, PlayPauseResumeAndStopDriveTheDevice) {
    panel->ApplyFileChange(longWav);
    panel->PlayClick();
    EXPECT_EQ(panel->Mode(), MediaMode::Playing);
    EXPECT_TRUE(Checked(controls.Play));
    EXPECT_FALSE(Checked(controls.Stop));
    ASSERT_TRUE(PumpUntil([&] { return panel->PositionMs() >= 200; }));

    panel->PauseClick();
    EXPECT_EQ(panel->Mode(), MediaMode::Paused);
    EXPECT_TRUE(Checked(controls.Pause));
    EXPECT_FALSE(Checked(controls.Play));
    PumpFor(200);  // a report of the interrupted play must not show it stopped
    EXPECT_TRUE(Checked(controls.Pause));

    panel->PauseClick();
    EXPECT_EQ(panel->Mode(), MediaMode::Playing);
    EXPECT_TRUE(Checked(controls.Play));

    panel->StopClick();
    EXPECT_EQ(panel->Mode(), MediaMode::Stopped);
    EXPECT_TRUE(Checked(controls.Stop));
    PumpFor(200);
    EXPECT_TRUE(Checked(controls.Stop));
    EXPECT_FALSE(Checked(controls.Play));
}

TEST_F(SoundPanelTest, AnMp3PlaysAndStops) {
    panel->ApplyFileChange(Mp3Path());
    panel->PlayClick();
    EXPECT_TRUE(PumpUntil([&] { return panel->PositionMs() >= 300; }));
    EXPECT_EQ(panel->Mode(), MediaMode::Playing);
    panel->StopClick();
    EXPECT_NE(panel->Mode(), MediaMode::Playing);
}

TEST_F(SoundPanelTest, WithoutLoopTheEndShowsStopped) {
    panel->ApplyFileChange(shortWav);
    panel->PlayClick();
    EXPECT_TRUE(PumpUntil([&] { return Checked(controls.Stop); }));
    EXPECT_FALSE(Checked(controls.Play));
    EXPECT_NE(panel->Mode(), MediaMode::Playing);
}

TEST_F(SoundPanelTest, TheLoopRestartsAfterTheEndUntilStopped) {
    panel->ApplyFileChange(loopWav);
    Loop(true);
    panel->PlayClick();
    // It plays to the end and starts again from the beginning, more than once.
    int restarts = 0;
    uint64_t last = 0;
    EXPECT_TRUE(PumpUntil([&] {
        const uint64_t at = panel->PositionMs();
        if (at + 100 < last && panel->Mode() == MediaMode::Playing)
            ++restarts;
        last = at;
        return restarts >= 2;
    }));
    EXPECT_TRUE(Checked(controls.Play));

    panel->StopClick();
    PumpFor(800);  // a queued report of the end must not start it again
    EXPECT_NE(panel->Mode(), MediaMode::Playing);
    EXPECT_TRUE(Checked(controls.Stop));
}

// A resumed play is a new play as far as its end goes: the device is asked again to report it.
TEST_F(SoundPanelTest, AfterPauseAndResumeTheEndIsStillReported) {
    const std::wstring wav = WriteWav(L"resume.wav", 1500);
    panel->ApplyFileChange(wav);
    for (const bool loop : {false, true}) {
        Loop(loop);
        panel->PlayClick();
        ASSERT_TRUE(PumpUntil([&] { return panel->PositionMs() >= 200; }));
        panel->PauseClick();
        ASSERT_EQ(panel->Mode(), MediaMode::Paused);
        panel->PauseClick();
        ASSERT_TRUE(Checked(controls.Play));
        ASSERT_TRUE(PumpUntil([&] { return panel->Mode() == MediaMode::Playing; }));
        if (loop) {
            // It plays to the end and starts again from the beginning.
            uint64_t furthest = 0;
            EXPECT_TRUE(PumpUntil([&] {
                const uint64_t at = panel->PositionMs();
                furthest = std::max(furthest, at);
                return furthest >= 1000 && at < furthest && panel->Mode() == MediaMode::Playing;
            })) << "the loop ended after a resume";
            EXPECT_TRUE(Checked(controls.Play));
            panel->StopClick();
        } else {
            // The buttons come right when the sound has really ended, not before.
            bool stoppedEarly = false;
            EXPECT_TRUE(PumpUntil([&] {
                if (!Checked(controls.Stop))
                    return false;
                stoppedEarly = panel->Mode() == MediaMode::Playing;
                return true;
            })) << "the end after a resume was never reported";
            EXPECT_FALSE(stoppedEarly);
            EXPECT_FALSE(Checked(controls.Play));
        }
    }
    panel->LoadSoundPreview(shortWav);  // lets go of the file
    DeleteFileW(wav.c_str());
}

TEST_F(SoundPanelTest, EmptyingTheNameWhilePlayingStopsTheSound) {
    panel->ApplyFileChange(longWav);
    panel->PlayClick();
    panel->ApplyFileChange(L"");
    EXPECT_NE(panel->Mode(), MediaMode::Playing);
    EXPECT_EQ(TextOf(controls.LabelCzas), L"(brak pliku)");
    EXPECT_TRUE(Checked(controls.Stop));
}

TEST_F(SoundPanelTest, ArmingLocksThePanelAndTheAlarmStillPlays) {
    panel->ApplyFileChange(longWav);
    panel->PlayClick();
    panel->SetLocked(true);
    EXPECT_NE(panel->Mode(), MediaMode::Playing);
    EXPECT_FALSE(IsWindowEnabled(controls.Play));
    alarm->PlayForAlarm(longWav);
    EXPECT_EQ(panel->Mode(), MediaMode::Playing);
    EXPECT_TRUE(Checked(controls.Play));
    panel->SetLocked(false);
    EXPECT_TRUE(IsWindowEnabled(controls.Play));

    const std::wstring broken = TempFile(L"broken.mp3");
    std::ofstream(std::filesystem::path(broken)) << "not a sound";
    try {
        alarm->PlayForAlarm(broken);
        ADD_FAILURE() << "no error";
    } catch (const UserError& e) {
        EXPECT_EQ(e.Message(), CannotOpenSoundText(L".mp3"));
    }
    DeleteFileW(broken.c_str());
}

TEST_F(SoundPanelTest, SilencingTheAlarmReportsItsEndOnceAndSparesAPreview) {
    int ended = 0;
    alarm->Connect({.ended = [&] { ++ended; }});
    Loop(true);
    alarm->PlayForAlarm(loopWav);
    PumpFor(200);
    alarm->SilenceAlarm();
    PumpFor(500);  // the stopped play's queued report ends nothing more
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(Checked(controls.Stop));
    panel->PlayClick();
    alarm->SilenceAlarm();
    EXPECT_EQ(panel->Mode(), MediaMode::Playing);
    EXPECT_EQ(ended, 1);
    panel->StopClick();
}

// A private temporary folder as the current directory for one test: a bare file name is
// looked for there. The previous directory comes back and the folder goes at the end.
class TemporaryWorkingFolder {
  public:
    TemporaryWorkingFolder() {
        wchar_t previous[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, previous);
        previous_ = previous;
        folder_ = TempFile(L"cwd");
        CreateDirectoryW(folder_.c_str(), nullptr);
        SetCurrentDirectoryW(folder_.c_str());
    }
    ~TemporaryWorkingFolder() {
        SetCurrentDirectoryW(previous_.c_str());
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(folder_), ignored);
    }
    TemporaryWorkingFolder(const TemporaryWorkingFolder&) = delete;
    TemporaryWorkingFolder& operator=(const TemporaryWorkingFolder&) = delete;

  private:
    std::wstring previous_, folder_;
};

TEST_F(SoundPanelTest, ANameInTheWindowsMediaFolderIsPlayedFromThere) {
    const std::wstring media = win::Win32FileSystem().WindowsDirectory() + L"\\Media";
    CreateDirectoryW(media.c_str(), nullptr);
    const std::wstring name = L"klaxora_" + std::to_wstring(GetCurrentProcessId()) + L".wav";
    const std::wstring three = WriteWav(L"three.wav", 3000);
    ASSERT_TRUE(CopyFileW(three.c_str(), (media + L"\\" + name).c_str(), FALSE));
    // The same name in the current directory, 65 seconds long.
    TemporaryWorkingFolder cwd;
    ASSERT_TRUE(CopyFileW(longWav.c_str(), name.c_str(), FALSE));

    panel->LoadSoundPreview(name);
    EXPECT_EQ(TextOf(controls.LabelCzas), L"0:03s");
    panel->LoadSoundPreview(shortWav);  // lets go of the Media folder's file
    EXPECT_TRUE(DeleteFileW((media + L"\\" + name).c_str()));
    panel->LoadSoundPreview(name);
    EXPECT_EQ(TextOf(controls.LabelCzas), L"1:05s");

    panel->LoadSoundPreview(shortWav);  // lets go of the current directory's file
    EXPECT_TRUE(DeleteFileW(name.c_str()));
    DeleteFileW(three.c_str());
}

}  // namespace
}  // namespace klaxora::testing
