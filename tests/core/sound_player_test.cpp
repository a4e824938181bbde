#include <gtest/gtest.h>

#include "actions/sound_player.h"
#include "fakes/memory_files.h"
#include "util/user_error.h"

namespace klaxora::testing {
namespace {

TEST(SoundDurationLabel, ScalesAndCountsTheStartedSecond) {
    EXPECT_EQ(SoundDurationLabel(65000), L"1:05s");
    // 179.63 s: the started sixtieth second carries into the minute.
    EXPECT_EQ(SoundDurationLabel(180000), L"3:00s");
    EXPECT_EQ(SoundDurationLabel(0), L"0:01s");
    EXPECT_EQ(SoundDurationLabel(9), L"0:01s");
    EXPECT_EQ(SoundDurationLabel(65071), L"1:05s");
    EXPECT_EQ(SoundDurationLabel(1000), L"0:01s");
    EXPECT_EQ(SoundDurationLabel(10000), L"0:10s");
    EXPECT_EQ(SoundDurationLabel(3600000), L"59:53s");
    EXPECT_EQ(SoundDurationLabel(7200000), L"119:46s");
}

TEST(SoundFileExtension, OnlyTheFileNamesExtensionCounts) {
    EXPECT_EQ(FileExtension(L"C:\\a\\b.mp3"), L".mp3");
    EXPECT_EQ(FileExtension(L"C:\\a.dir\\b"), L"");
    EXPECT_EQ(FileExtension(L"x.tar.WAV"), L".WAV");
    EXPECT_TRUE(IsSoundExtension(L"C:\\s\\Ding.WaV"));
    EXPECT_TRUE(IsSoundExtension(L"tune.midi"));
    EXPECT_TRUE(IsSoundExtension(L"tune.MID"));
    EXPECT_FALSE(IsSoundExtension(L"C:\\s\\song.ogg"));
    EXPECT_FALSE(IsSoundExtension(L"C:\\wav"));
    EXPECT_EQ(CannotOpenSoundText(L"C:\\x\\broken.mp3"),
              L"Nie mogę otworzyć pliku o rozszerzeniu \".mp3\" Sprawdź czy plik nie jest "
              L"uszkodzony lub czy jego format danych jest prawidłowy.");
}

class FakeMedia : public MediaPort {
  public:
    std::vector<std::wstring> log;
    bool refuse = false;
    bool open = false;
    uint64_t length = 65000;
    uint64_t position = 0;
    MediaMode mode = MediaMode::NotOpen;

    bool Open(std::wstring_view path) override {
        log.push_back(L"open " + std::wstring(path));
        open = !refuse;
        mode = open ? MediaMode::Stopped : MediaMode::NotOpen;
        position = 0;
        return open;
    }
    bool IsOpen() const override { return open; }
    uint64_t LengthMs() override { return length; }
    uint64_t PositionMs() override { return position; }
    void SeekToStart() override {
        log.push_back(L"seek");
        position = 0;
    }
    int refusePlays = 0;  // so many plays are refused
    bool Play(bool notify) override {
        log.push_back(notify ? L"play notify" : L"play");
        if (refusePlays-- > 0)
            return false;
        mode = MediaMode::Playing;
        return true;
    }
    void Pause() override {
        log.push_back(L"pause");
        mode = MediaMode::Paused;
    }
    void Stop() override {
        log.push_back(L"stop");
        mode = MediaMode::Stopped;
    }
    MediaMode Mode() override { return mode; }
    // The device plays to the end of the sound.
    void End() {
        position = length;
        mode = MediaMode::Stopped;
    }
};

class SoundPlayerTest : public ::testing::Test {
  protected:
    SoundPlayerTest() {
        files.windowsDirectory = L"C:\\windows";
        files.AddFile(L"C:\\s\\ding.wav");
        files.AddFile(L"C:\\s\\song.ogg");
    }
    std::wstring ErrorOf(void (SoundPlayer::*click)()) {
        try {
            (player.*click)();
        } catch (const UserError& e) {
            return e.Message();
        }
        return L"no error";
    }
    MemoryFiles files;
    FakeMedia media;
    SoundPlayer player{media, files, files};
    const TransportButtons up{false, false, false};
    const TransportButtons playing{true, false, false};
    const TransportButtons paused{false, true, false};
    const TransportButtons stopped{false, false, true};
};

TEST_F(SoundPlayerTest, ClicksWithoutAFileCorrectTheButtonsAndSay) {
    EXPECT_EQ(ErrorOf(&SoundPlayer::PlayClick), kPlayWithoutSound);
    EXPECT_EQ(player.Buttons(), up);
    EXPECT_EQ(ErrorOf(&SoundPlayer::PauseClick), kPauseWithoutSound);
    EXPECT_EQ(player.Buttons(), up);
    EXPECT_EQ(ErrorOf(&SoundPlayer::StopClick), kStopWithoutSound);
    EXPECT_EQ(player.Buttons(), up);
    EXPECT_TRUE(media.log.empty());
}

TEST_F(SoundPlayerTest, FileChangeLoadsRefusesOrClears) {
    EXPECT_EQ(player.ApplyFileChange(L"C:\\s\\ding.wav"), SoundFileChange::Loaded);
    EXPECT_EQ(player.Label(), L"1:05s");
    EXPECT_EQ(player.Buttons(), stopped);
    EXPECT_TRUE(player.TransportEnabled());

    // Another type is refused and nothing changes.
    EXPECT_EQ(player.ApplyFileChange(L"C:\\s\\song.ogg"), SoundFileChange::WrongFormat);
    EXPECT_EQ(player.Label(), L"1:05s");
    EXPECT_TRUE(player.TransportEnabled());
    EXPECT_EQ(player.ApplyFileChange(L"C:\\s\\song.ogg"), SoundFileChange::WrongFormatAgain);

    // Emptying the name while playing stops the sound.
    player.PlayClick();
    media.log.clear();
    EXPECT_EQ(player.ApplyFileChange(L""), SoundFileChange::NoFile);
    EXPECT_EQ(media.log, std::vector<std::wstring>{L"stop"});
    EXPECT_EQ(player.Label(), kNoSoundFile);
    EXPECT_EQ(player.Buttons(), stopped);
    EXPECT_FALSE(player.TransportEnabled());
    EXPECT_EQ(player.ApplyFileChange(L"C:\\s\\gone.wav"), SoundFileChange::NoFile);
}

TEST_F(SoundPlayerTest, TheMediaFolderFileIsPreferred) {
    files.AddFile(L"C:\\windows\\Media\\ding.wav");
    files.AddFile(L"ding.wav");
    player.LoadSoundPreview(L"ding.wav");
    EXPECT_EQ(media.log, std::vector<std::wstring>{L"open C:\\windows\\Media\\ding.wav"});
    media.log.clear();
    player.LoadSoundPreview(L"C:\\s\\ding.wav");
    EXPECT_EQ(media.log, std::vector<std::wstring>{L"open C:\\s\\ding.wav"});
}

TEST_F(SoundPlayerTest, AFileThatWillNotOpenRaisesItsExtension) {
    media.refuse = true;
    try {
        player.ApplyFileChange(L"C:\\s\\ding.wav");
        FAIL() << "no error";
    } catch (const UserError& e) {
        EXPECT_EQ(e.Message(), CannotOpenSoundText(L".wav"));
    }
    EXPECT_FALSE(player.TransportEnabled());
}

TEST_F(SoundPlayerTest, PlayPauseResumeStop) {
    player.ApplyFileChange(L"C:\\s\\ding.wav");
    media.log.clear();
    player.PlayClick();
    EXPECT_EQ(player.Buttons(), playing);
    player.PauseClick();
    EXPECT_EQ(player.Buttons(), paused);
    // A pause that interrupts the pending play does not show the player stopped.
    player.PlayerNotify(false, false);
    EXPECT_EQ(player.Buttons(), paused);
    player.PauseClick();
    EXPECT_EQ(player.Buttons(), playing);
    // The first play's report, arriving after the resume, is not the end of the sound.
    player.PlayerNotify(false, false);
    player.PlayerNotify(true, true);
    EXPECT_EQ(player.Buttons(), playing);
    player.StopClick();
    EXPECT_EQ(player.Buttons(), stopped);
    // The resumed play asks to be told of its end again, and does not rewind.
    EXPECT_EQ(media.log,
              (std::vector<std::wstring>{L"play notify", L"pause", L"play notify", L"stop"}));
}

TEST_F(SoundPlayerTest, PlayAtTheEndRewindsFirst) {
    player.ApplyFileChange(L"C:\\s\\ding.wav");
    media.position = media.length;
    media.log.clear();
    player.PlayClick();
    EXPECT_EQ(media.log, (std::vector<std::wstring>{L"seek", L"play notify"}));
}

TEST_F(SoundPlayerTest, TheLoopReplaysOnlyAFinishedPlay) {
    player.ApplyFileChange(L"C:\\s\\ding.wav");
    player.PlayClick();
    media.End();
    media.log.clear();
    player.PlayerNotify(true, true);
    EXPECT_EQ(media.log, (std::vector<std::wstring>{L"seek", L"play notify"}));
    EXPECT_EQ(player.Buttons(), playing);
    // A device may still call itself playing when it reports the end: at the end, that is an
    // end all the same, and the loop goes on.
    media.position = media.length;
    media.log.clear();
    player.PlayerNotify(true, true);
    EXPECT_EQ(media.log, (std::vector<std::wstring>{L"seek", L"play notify"}));
    // Short of the end, a report while playing belongs to a play a newer one replaced.
    media.position = 100;
    media.log.clear();
    player.PlayerNotify(true, true);
    EXPECT_TRUE(media.log.empty());
    // Stopped by the user: the interruption report does not restart it.
    player.StopClick();
    media.log.clear();
    player.PlayerNotify(false, true);
    EXPECT_TRUE(media.log.empty());
    EXPECT_EQ(player.Buttons(), stopped);
    // The end of the sound was reported just before the user stopped it: the report, still
    // queued, must not start the sound again.
    player.PlayerNotify(true, true);
    EXPECT_TRUE(media.log.empty());
    EXPECT_EQ(player.Buttons(), stopped);
}

TEST_F(SoundPlayerTest, WithoutLoopTheEndShowsStopped) {
    player.ApplyFileChange(L"C:\\s\\ding.wav");
    player.PlayClick();
    media.End();
    player.PlayerNotify(true, false);
    EXPECT_EQ(player.Buttons(), stopped);
}

TEST_F(SoundPlayerTest, ArmingStopsThePreviewAndLocksThePanel) {
    player.ApplyFileChange(L"C:\\s\\ding.wav");
    player.PlayClick();
    player.SetLocked(true);
    EXPECT_EQ(media.mode, MediaMode::Stopped);
    EXPECT_EQ(player.Buttons(), stopped);
    EXPECT_FALSE(player.TransportEnabled());
    player.SetLocked(false);
    EXPECT_TRUE(player.TransportEnabled());
}

TEST_F(SoundPlayerTest, TheAlarmOpensTheFileAsGivenAndPlays) {
    files.AddFile(L"C:\\windows\\Media\\ding.wav");
    player.PlayForAlarm(L"ding.wav");
    EXPECT_EQ(media.log, (std::vector<std::wstring>{L"open ding.wav", L"play notify"}));
    EXPECT_TRUE(player.Playing());
    media.refuse = true;
    EXPECT_THROW(player.PlayForAlarm(L"C:\\s\\x.mp3"), UserError);
}

// A refused play (the alarm's too) is tried once more on the file opened anew, then reported.
TEST_F(SoundPlayerTest, ARefusedPlayIsReopenedOnceThenReported) {
    player.LoadSoundPreview(L"C:\\s\\ding.wav");
    for (const int refused : {1, 2}) {
        media.log.clear();
        media.refusePlays = refused;
        EXPECT_EQ(ErrorOf(&SoundPlayer::PlayClick),
                  refused == 1 ? L"no error" : CannotPlaySoundText(L"C:\\s\\ding.wav"));
        EXPECT_EQ(media.log, (std::vector<std::wstring>{L"play notify", L"open C:\\s\\ding.wav",
                                                        L"play notify"}));
        EXPECT_EQ(player.Buttons(), refused == 1 ? playing : stopped);
    }
}

TEST_F(SoundPlayerTest, ARepeatingAlarmReplaysItsOpenFileFromTheStart) {
    player.PlayForAlarm(L"C:\\s\\ding.wav");
    media.position = 300;  // the next firing comes while it plays
    player.PlayForAlarm(L"C:\\s\\ding.wav");
    media.End();
    player.PlayForAlarm(L"C:\\s\\ding.wav");
    player.PlayForAlarm(L"C:\\s\\inny.wav");
    EXPECT_EQ(media.log, (std::vector<std::wstring>{
                             L"open C:\\s\\ding.wav", L"play notify", L"seek", L"play notify",
                             L"seek", L"play notify", L"open C:\\s\\inny.wav", L"play notify"}));
}

// Silencing stops only the alarm's own sound, looping or not. The steps before it: a = the
// alarm plays, p = the user's Play, e = the end without the loop, l = the end with it.
TEST_F(SoundPlayerTest, SilencingStopsOnlyTheAlarmsOwnSound) {
    for (const auto& [steps, sounding] : std::vector<std::pair<std::string, bool>>{
             {"a", true}, {"p", false}, {"ae", false}, {"ap", false}, {"al", true}}) {
        SCOPED_TRACE(steps);
        FakeMedia m;
        SoundPlayer p{m, files, files};
        p.LoadSoundPreview(L"C:\\s\\ding.wav");
        for (const char step : steps) {
            if (step == 'a') {
                p.PlayForAlarm(L"C:\\s\\ding.wav");
            } else if (step == 'p') {
                p.PlayClick();
            } else {
                m.End();
                p.PlayerNotify(true, step == 'l');
            }
        }
        const TransportButtons shown = p.Buttons();
        EXPECT_EQ(p.AlarmSounding(), sounding);
        m.log.clear();
        p.SilenceAlarm();
        EXPECT_FALSE(p.AlarmSounding());
        EXPECT_EQ(m.log.size(), sounding ? 1u : 0u);  // the stop
        EXPECT_EQ(p.Buttons(), sounding ? stopped : shown);
    }
}

}  // namespace
}  // namespace klaxora::testing
