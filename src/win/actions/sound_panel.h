#pragma once
// The sound panel's media player: loads a sound, shows its length, plays, pauses, stops and
// loops it. The configuration window creates the panel's controls and hands them over; the
// same player plays the sound when an alarm fires.
#include <windows.h>

#include <string>

namespace klaxora::win {

struct SoundPanelControls {
    HWND LabelCzas = nullptr;     // duration label
    HWND Play = nullptr;          // push-like check buttons: checked means "down"
    HWND Pause = nullptr;
    HWND Stop = nullptr;
    HWND LoopCheckBox = nullptr;
    HWND NotifyWindow = nullptr;  // receives MM_MCINOTIFY and passes it to PlayerNotify
};

enum class SoundFileChange {
    Loaded,       // a sound was loaded: the transport is enabled and the start may be enabled
    WrongFormat,  // an existing file of another type: reported, nothing else changed
    NoFile,       // empty name or no such file: the transport and the start are disabled
};

class SoundPanel {
public:
    void Attach(const SoundPanelControls& controls);

    // The file-change rule run by the view synchroniser for the sound action. Throws a
    // UserError when the player cannot open the file.
    SoundFileChange ApplyFileChange(const std::wstring& path);
    void LoadSoundPreview(const std::wstring& path);

    void PlayClick();
    void PauseClick();
    void StopClick();
    // MM_MCINOTIFY's wParam.
    void PlayerNotify(WPARAM flags);

    // Start disables the panel (stopping a running preview); Stop enables it again.
    void SetLocked(bool locked);
    // The alarm's own playback of a sound file.
    void PlayForAlarm(const std::wstring& path);
    bool Playing() const;
};

// The one player of the process.
SoundPanel& Player();

}  // namespace klaxora::win
