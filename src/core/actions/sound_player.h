#pragma once
// The sound panel's player: which file it loads, what its length label says, what the
// transport buttons show and which media commands each click sends. The media back end sits
// behind MediaPort; the same player plays the sound when an alarm fires.
#include <cstdint>
#include <string>
#include <string_view>

#include "config/alarm_settings.h"
#include "ports/file_system.h"

namespace klaxora {

inline constexpr std::wstring_view kNoSoundFile = L"(brak pliku)";
inline constexpr std::wstring_view kPlayWithoutSound =
    L"Najpierw musisz wybrac dźwięk do odtworzenia !!!";
inline constexpr std::wstring_view kPauseWithoutSound = L"Dźwięk nie jest odtwarzany !!!";
inline constexpr std::wstring_view kStopWithoutSound =
    L"Nie można wyłączyć dźwięku ponieważ nie jest on odtwarzany !!!";

// "Nie mogę otworzyć pliku o rozszerzeniu ".mp3" Sprawdź ..." for the file's extension.
std::wstring CannotOpenSoundText(std::wstring_view path);
// The device would not play the file, even opened anew.
std::wstring CannotPlaySoundText(std::wstring_view path);

// The length label: hundredths of the length scaled by the player's clock, whole minutes and
// the started second, "3:05s". A length of 180 000 ms reads "3:00s".
std::wstring SoundDurationLabel(uint64_t lengthMs);

enum class MediaMode { NotOpen, Stopped, Playing, Paused };

class MediaPort {
  public:
    virtual ~MediaPort() = default;
    // Closes any open file first; false when the file cannot be opened.
    virtual bool Open(std::wstring_view path) = 0;
    virtual bool IsOpen() const = 0;
    virtual uint64_t LengthMs() = 0;
    virtual uint64_t PositionMs() = 0;
    virtual void SeekToStart() = 0;
    // Plays from the current position, a paused place included; with notify the end or
    // interruption of this play is reported (a report asked for earlier is superseded).
    // False when the device refuses to play.
    virtual bool Play(bool notify) = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    virtual MediaMode Mode() = 0;
};

struct TransportButtons {
    bool playDown = false;
    bool pauseDown = false;
    bool stopDown = false;
    bool operator==(const TransportButtons&) const = default;
};

enum class SoundFileChange {
    Loaded,            // a sound was loaded: the transport is enabled and the start may be enabled
    WrongFormat,       // an existing file of another type: to be reported, nothing else changed
    WrongFormatAgain,  // the same file of another type once more: reported already
    NoFile,            // empty name or no such file: the transport and the start are disabled
};

class SoundPlayer {
  public:
    SoundPlayer(MediaPort& media, const FileSystemPort& files, const SystemFoldersPort& folders)
        : media_(media), files_(files), folders_(folders) {}

    // The file-change rule of the sound action. Throws a UserError when the file cannot be
    // opened; the buttons and label keep what was set before the failure. A file of another
    // type is WrongFormat when it is chosen and WrongFormatAgain while it stays chosen.
    SoundFileChange ApplyFileChange(std::wstring_view path);
    // Loads a file, preferring one of that name in the Windows Media folder, and shows its
    // length; a name that names no file leaves the player as it was.
    void LoadSoundPreview(std::wstring_view path);

    // The three transport clicks; each throws a UserError when no file is open, after
    // correcting the buttons. A play the device refuses is tried once more on the file
    // opened anew; a second refusal throws too.
    void PlayClick();
    void PauseClick();
    void StopClick();
    // The media reports that a play ended (completed) or was interrupted.
    void PlayerNotify(bool completed, bool loop);

    // Arming locks the panel and stops a running preview; disarming unlocks it.
    void SetLocked(bool locked);
    // The alarm's playback: open the file as given and play it from the start, reporting the
    // end. The file already open is played again without being opened anew. A refused play
    // is tried again as the Play button's is, and then thrown, so the alarm is not silent
    // unseen.
    void PlayForAlarm(std::wstring_view path);
    // Whether the alarm's own playback still plays (or loops). It is no longer the alarm's
    // once it ends, another file is loaded, or the user takes it over with the transport.
    bool AlarmSounding() const { return alarmPlayback_ && buttons_.playDown; }
    // Stops the alarm's own playback as the Stop button would; a preview the user started
    // plays on.
    void SilenceAlarm();

    const TransportButtons& Buttons() const { return buttons_; }
    const std::wstring& Label() const { return label_; }
    bool TransportEnabled() const { return transportEnabled_ && !locked_; }
    bool Playing() const { return buttons_.playDown; }

  private:
    void OpenOrThrow(const std::wstring& path);
    void PlayFromStartIfAtEnd();
    void PlayOrThrow();
    void StopWithoutNotify();

    MediaPort& media_;
    const FileSystemPort& files_;
    const SystemFoldersPort& folders_;
    TransportButtons buttons_;
    std::wstring label_{kNoSoundFile};
    std::wstring openedPath_;
    std::wstring refusedPath_;  // the file of another type reported last
    bool transportEnabled_ = false;
    bool locked_ = false;
    // Set by the alarm's play and cleared when the user's own click replaces it; whatever
    // else ends the play lifts playDown.
    bool alarmPlayback_ = false;
};

}  // namespace klaxora
