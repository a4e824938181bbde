#include "actions/sound_player.h"

#include "util/text.h"
#include "util/user_error.h"

namespace klaxora {

std::wstring CannotOpenSoundText(std::wstring_view path) {
    return L"Nie mogę otworzyć pliku o rozszerzeniu \"" + std::wstring(FileExtension(path)) +
           L"\" Sprawdź czy plik nie jest uszkodzony lub czy jego format danych jest "
           L"prawidłowy.";
}

std::wstring CannotPlaySoundText(std::wstring_view path) {
    return L"Nie mogę odtworzyć pliku \"" + std::wstring(path) +
           L"\". Sprawdź, czy urządzenie dźwiękowe jest podłączone i włączone.";
}

std::wstring SoundDurationLabel(uint64_t lengthMs) {
    // The player's clock runs at 100.2066 hundredths per second; the label shows the second
    // in progress, so any started second counts.
    const uint64_t hundredths = lengthMs / 10;
    const double seconds = static_cast<double>(hundredths) / 100.2066;
    uint64_t minutes = static_cast<uint64_t>(seconds / 60);
    uint64_t secs = static_cast<uint64_t>(seconds - 60.0 * static_cast<double>(minutes)) + 1;
    if (secs >= 60) {
        secs -= 60;
        ++minutes;
    }
    std::wstring text = std::to_wstring(minutes) + L":";
    if (secs < 10)
        text += L'0';
    return text + std::to_wstring(secs) + L"s";
}

SoundFileChange SoundPlayer::ApplyFileChange(std::wstring_view path) {
    if (!path.empty() && files_.FileExists(path)) {
        if (!IsSoundExtension(path)) {
            // Said once for the file chosen, not again at every later change of the window.
            if (path == refusedPath_)
                return SoundFileChange::WrongFormatAgain;
            refusedPath_ = path;
            return SoundFileChange::WrongFormat;
        }
        refusedPath_.clear();
        LoadSoundPreview(path);
        transportEnabled_ = true;
        return SoundFileChange::Loaded;
    }
    refusedPath_.clear();
    label_ = kNoSoundFile;
    if (buttons_.playDown)
        StopWithoutNotify();
    transportEnabled_ = false;
    return SoundFileChange::NoFile;
}

void SoundPlayer::LoadSoundPreview(std::wstring_view path) {
    if (path.empty()) {
        label_ = kNoSoundFile;
        return;
    }
    std::wstring file = folders_.WindowsDirectory() + L"\\Media\\" + std::wstring(path);
    if (!files_.FileExists(file)) {
        file = std::wstring(path);
        if (!files_.FileExists(file)) {
            label_ = kNoSoundFile;
            return;
        }
    }
    buttons_ = {false, false, true};
    OpenOrThrow(file);
    label_ = SoundDurationLabel(media_.LengthMs());
}

void SoundPlayer::OpenOrThrow(const std::wstring& path) {
    openedPath_ = path;
    if (!media_.Open(path))
        throw UserError(CannotOpenSoundText(path));
}

void SoundPlayer::PlayFromStartIfAtEnd() {
    const uint64_t length = media_.LengthMs();
    if (length > 0 && media_.PositionMs() >= length)
        media_.SeekToStart();
    PlayOrThrow();
}

void SoundPlayer::PlayOrThrow() {
    // A device can refuse a file it opened (an output unplugged or changed, a sleep between):
    // the file opened anew plays from its start on the output there is now.
    if (media_.Play(true) || (media_.Open(openedPath_) && media_.Play(true)))
        return;
    buttons_ = {false, false, true};
    alarmPlayback_ = false;
    throw UserError(CannotPlaySoundText(openedPath_));
}

void SoundPlayer::StopWithoutNotify() {
    media_.Stop();
    buttons_ = {false, false, true};
}

void SoundPlayer::PlayClick() {
    alarmPlayback_ = false;
    if (!media_.IsOpen()) {
        buttons_ = {};
        throw UserError(std::wstring(kPlayWithoutSound));
    }
    PlayFromStartIfAtEnd();
    buttons_ = {true, false, false};
}

void SoundPlayer::PauseClick() {
    alarmPlayback_ = false;
    if (!media_.IsOpen()) {
        buttons_ = {};
        throw UserError(std::wstring(kPauseWithoutSound));
    }
    switch (media_.Mode()) {
        case MediaMode::Playing:
            media_.Pause();
            buttons_ = {false, true, false};
            break;
        case MediaMode::Paused:
            // Resumed by playing on from the paused place, asking again for the end: a pause
            // may have ended the first play's report, and without one a looping sound would
            // stop looping and the buttons would stay down after the end.
            PlayOrThrow();
            buttons_ = {true, false, false};
            break;
        default:
            buttons_ = {false, true, false};
            break;
    }
}

void SoundPlayer::StopClick() {
    alarmPlayback_ = false;
    if (!media_.IsOpen()) {
        buttons_ = {};
        throw UserError(std::wstring(kStopWithoutSound));
    }
    StopWithoutNotify();
}

void SoundPlayer::PlayerNotify(bool completed, bool loop) {
    // A report that arrives while the device plays short of the end is about an earlier play
    // that a newer one (a resume) replaced; the newer one reports its own end. At the end
    // itself a device may still call itself playing when its report comes.
    if (media_.Mode() == MediaMode::Playing) {
        const uint64_t length = media_.LengthMs();
        if (length == 0 || media_.PositionMs() < length)
            return;
    }
    if (loop) {
        // Only a sound still shown as playing starts again: the end of a play may be reported
        // after the user has already stopped it, from the queue.
        if (completed && buttons_.playDown)
            PlayFromStartIfAtEnd();
        return;
    }
    // A pause can interrupt the pending play on some devices; the paused state stays shown.
    if (!completed && buttons_.pauseDown)
        return;
    buttons_ = {false, false, true};
}

void SoundPlayer::SetLocked(bool locked) {
    if (locked && buttons_.playDown)
        StopWithoutNotify();
    locked_ = locked;
}

void SoundPlayer::PlayForAlarm(std::wstring_view path) {
    alarmPlayback_ = false;
    buttons_.stopDown = false;
    if (media_.IsOpen() && openedPath_ == path) {
        // A repeating alarm replays the device it already has: opening a file again costs the
        // system's player dozens of handles at every firing.
        media_.SeekToStart();
    } else {
        OpenOrThrow(std::wstring(path));
    }
    buttons_.playDown = true;
    alarmPlayback_ = true;
    PlayFromStartIfAtEnd();
}

void SoundPlayer::SilenceAlarm() {
    if (!AlarmSounding())
        return;
    StopWithoutNotify();
    alarmPlayback_ = false;
}

}  // namespace klaxora
