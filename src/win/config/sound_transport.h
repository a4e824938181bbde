#pragma once
// The sound panel's transport: the length label, Play, Pause, Stop and the loop box over the
// process's one sound device, their click handlers and the lock that arming sets. The rules
// (which file loads, what the buttons show, the errors, the loop) are the core's sound player.
#include <windows.h>

#include <string>

#include "actions/sound_player.h"
#include "win/actions/sound_device.h"
#include "win/ui/controls.h"

namespace klaxora::win {

struct SoundTransportControls {
    Label LabelCzas;           // duration label
    Button Play, Pause, Stop;  // push-like check buttons: checked means "down"
    CheckBox LoopCheckBox;
    // Receives MM_MCINOTIFY and passes it to SoundDevice::Notify. Optional: without it the
    // device's own message-only window receives the reports.
    HWND NotifyWindow = nullptr;
};

class SoundTransport {
  public:
    explicit SoundTransport(SoundDevice& device);
    ~SoundTransport();
    SoundTransport(const SoundTransport&) = delete;
    SoundTransport& operator=(const SoundTransport&) = delete;

    // The panel's controls, once it has built them; until then nothing shows.
    void Attach(const SoundTransportControls& controls);

    // The file-change rule run by the view synchroniser for the sound action (the window says
    // WrongFormat); throws a UserError when the device cannot open the file.
    SoundFileChange ApplyFileChange(const std::wstring& path);
    void LoadSoundPreview(const std::wstring& path);

    // The click handlers; each throws a UserError (for the standard error box) when no sound
    // is open or the device will not play it, after correcting the buttons.
    void PlayClick();
    void PauseClick();
    void StopClick();
    // Start disables the panel (stopping a running preview); Stop enables it again.
    void SetLocked(bool locked);

    const TransportButtons& Buttons() const { return device_.Rules().Buttons(); }
    const std::wstring& Label() const { return device_.Rules().Label(); }
    MediaMode Mode() const { return device_.Mode(); }
    uint64_t PositionMs() const { return device_.PositionMs(); }

  private:
    void Show() const;

    SoundDevice& device_;
    SoundTransportControls controls_;
};

}  // namespace klaxora::win
