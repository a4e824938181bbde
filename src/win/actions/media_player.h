#pragma once
// The sound panel's media player: loads a sound, shows its length, plays, pauses, stops and
// loops it. The configuration window creates the panel's controls and hands them over; the
// same player plays the sound when an alarm fires.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "actions/sound_player.h"
#include "win/ui/controls.h"

namespace klaxora::win {

struct MediaPlayerControls {
    Label LabelCzas;           // duration label
    Button Play, Pause, Stop;  // push-like check buttons: checked means "down"
    CheckBox LoopCheckBox;
    // Receives MM_MCINOTIFY and passes it to PlayerNotify. Optional: without it the player's
    // own message-only window receives the reports.
    HWND NotifyWindow = nullptr;
};

using klaxora::SoundFileChange;

class MediaPlayer {
  public:
    MediaPlayer();
    ~MediaPlayer();
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    void Attach(const MediaPlayerControls& controls);

    // The file-change rule run by the view synchroniser for the sound action (the window says
    // WrongFormat); throws a UserError when the player cannot open the file.
    SoundFileChange ApplyFileChange(const std::wstring& path);
    void LoadSoundPreview(const std::wstring& path);

    // The transport's click handlers; each throws a UserError (for the standard error box)
    // when no sound is open or the device will not play it, after correcting the buttons.
    void PlayClick();
    void PauseClick();
    void StopClick();
    // MM_MCINOTIFY's wParam.
    void PlayerNotify(WPARAM flags);
    // MM_MCINOTIFY's wParam and lParam: a report of a device closed since is ignored.
    void PlayerNotify(WPARAM flags, LPARAM device);

    // Start disables the panel (stopping a running preview); Stop enables it again.
    void SetLocked(bool locked);
    // The alarm's own playback of a sound file. Throws a UserError when it cannot be opened
    // or played.
    void PlayForAlarm(const std::wstring& path);
    bool Playing() const;
    // Whether the alarm's own playback still plays; a preview the user plays is not it.
    bool AlarmSounding() const;
    // Stops the alarm's own playback, leaving a preview the user started playing.
    void SilenceAlarm();
    // Called once each time the alarm's own playback stops sounding, whatever the reason
    // (silenced, ended, taken over by the transport, another file, the device released),
    // after the buttons show it. It may call the player again.
    void SetAlarmSoundEnded(std::function<void()> ended);

    const TransportButtons& Buttons() const;
    const std::wstring& Label() const;
    MediaMode Mode() const;
    // Where the open sound is, 0 without one.
    uint64_t PositionMs() const;
    // Closes the open sound and the notification window. The one player lives until the
    // process ends, when the media libraries behind an open device may already be unloaded
    // (closing it then faults), so the program calls this once its message loop is over.
    // An alarm sound still playing is silenced first, and its end reported.
    void ReleaseDevice();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace klaxora::win
