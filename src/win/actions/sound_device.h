#pragma once
// The process's one sound device (MCI, one file at a time) with the sound panel's rules
// (core actions/sound_player) over it. The panel's preview and the alarm's playback share it
// and take it over from each other as the rules say; after each step the panel's transport
// shows it and then the alarm's playback hears of it.
#include <windows.h>

#include <functional>
#include <memory>

#include "actions/sound_player.h"
#include "ports/file_system.h"

namespace klaxora::win {

class SoundDevice {
  public:
    SoundDevice(const FileSystemPort& files, const SystemFoldersPort& folders);
    ~SoundDevice();
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    // Runs a step of the rules and then tells the transport and the alarm's playback, in that
    // order, failures included (a failure is thrown on once they know).
    void Run(const std::function<void(SoundPlayer& rules)>& step);
    const SoundPlayer& Rules() const;
    MediaMode Mode() const;
    // Where the open sound is, 0 without one.
    uint64_t PositionMs() const;

    // The panel's transport: shows each step, says whether to loop, and names the window that
    // receives the device's reports (none: a message-only window of the device's own). Cleared
    // with empty functions when the transport goes.
    void FollowTransport(std::function<void()> show, std::function<bool()> loop, HWND notifyWindow);
    // The alarm's playback, told after each step; cleared with an empty function.
    void FollowAlarm(std::function<void()> settled);

    // MM_MCINOTIFY's wParam and lParam: a play ended or was interrupted. A report of a device
    // closed since, or of a play replaced by a newer one, is ignored.
    void Notify(WPARAM flags, LPARAM device);

    // Closes the open sound and the notification window. The device lives until the process
    // ends, when the media libraries behind an open device may already be unloaded (closing it
    // then faults), so the program calls this once its message loop is over. An alarm sound
    // still playing is silenced first, and its end reported.
    void Release();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace klaxora::win
