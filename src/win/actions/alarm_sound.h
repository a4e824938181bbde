#pragma once
// The alarm's own playback on the process's one sound device: the sound an alarm plays when it
// fires, whether it still sounds, silencing it, and the report of its end. A preview the user
// plays on the panel takes the device over, and the alarm's playback takes it back, as the
// rules of the sound player say.
#include <functional>
#include <string>

#include "win/actions/sound_device.h"

namespace klaxora::win {

class AlarmSound {
  public:
    struct Links {
        // Told once each time the alarm's playback stops sounding, whatever the reason
        // (silenced, ended, taken over by the transport, another file, the device released),
        // after the panel shows it. It may play or silence again.
        std::function<void()> ended;
    };

    explicit AlarmSound(SoundDevice& device);
    ~AlarmSound();
    AlarmSound(const AlarmSound&) = delete;
    AlarmSound& operator=(const AlarmSound&) = delete;

    void Connect(Links links) { links_ = std::move(links); }

    // Plays a sound file for the alarm. Throws a UserError when it cannot be opened or played.
    void PlayForAlarm(const std::wstring& path);
    // Whether the alarm's own playback still plays; a preview the user plays is not it.
    bool AlarmSounding() const;
    // Stops the alarm's own playback, leaving a preview the user started playing.
    void SilenceAlarm();

  private:
    void Settled();

    SoundDevice& device_;
    Links links_;
    // What the last settled step left, so that each end is reported once even when the report
    // itself runs another step.
    bool sounding_ = false;
};

}  // namespace klaxora::win
