#include "win/actions/media_player.h"

#include <mmsystem.h>

#include "win/sys/file_system_win.h"
#include "win/sys/system_library.h"
#include "win/ui/window.h"

namespace klaxora::win {
namespace {

// The media back end: one MCI device at a time, opened by file name (MCI picks the device
// from the extension), timed in milliseconds.
class MciMedia : public MediaPort {
  public:
    ~MciMedia() override { Close(); }
    // Lets go of the device now rather than when the process's statics go.
    void Release() { Close(); }

    void SetCallback(HWND window) { callback_ = window; }
    MCIDEVICEID Device() const { return device_; }

    bool Open(std::wstring_view path) override {
        Close();
        const std::wstring file(path);
        MCI_OPEN_PARMSW open{};
        open.lpstrElementName = file.c_str();
        if (delayed::mciSendCommandW(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT,
                                     reinterpret_cast<DWORD_PTR>(&open)) != 0) {
            return false;
        }
        device_ = open.wDeviceID;
        MCI_SET_PARMS set{};
        set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
        Send(MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, &set);
        return true;
    }
    bool IsOpen() const override { return device_ != 0; }
    uint64_t LengthMs() override { return Status(MCI_STATUS_LENGTH); }
    uint64_t PositionMs() override { return Status(MCI_STATUS_POSITION); }
    void SeekToStart() override {
        MCI_SEEK_PARMS seek{};
        Send(MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, &seek);
    }
    bool Play(bool notify) override {
        MCI_PLAY_PARMS play{};
        play.dwCallback = reinterpret_cast<DWORD_PTR>(callback_);
        DWORD_PTR flags = notify ? MCI_NOTIFY : 0;
        // A paused device is told where to play from: some take a bare play as a resume and
        // report its end at once instead of when the sound ends.
        if (Mode() == MediaMode::Paused) {
            play.dwFrom = static_cast<DWORD>(PositionMs());
            flags |= MCI_FROM;
        }
        return Send(MCI_PLAY, flags, &play) == 0;
    }
    void Pause() override {
        MCI_GENERIC_PARMS p{};
        Send(MCI_PAUSE, MCI_WAIT, &p);
    }
    void Stop() override {
        MCI_GENERIC_PARMS p{};
        Send(MCI_STOP, MCI_WAIT, &p);
    }
    MediaMode Mode() override {
        if (!device_)
            return MediaMode::NotOpen;
        switch (Status(MCI_STATUS_MODE)) {
            case MCI_MODE_PLAY:
                return MediaMode::Playing;
            case MCI_MODE_PAUSE:
                return MediaMode::Paused;
            default:
                return MediaMode::Stopped;
        }
    }

  private:
    MCIERROR Send(UINT command, DWORD_PTR flags, void* parms) {
        if (!device_)
            return MCIERR_INVALID_DEVICE_ID;
        return delayed::mciSendCommandW(device_, command, flags,
                                        reinterpret_cast<DWORD_PTR>(parms));
    }
    uint64_t Status(DWORD item) {
        MCI_STATUS_PARMS status{};
        status.dwItem = item;
        if (Send(MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &status) != 0)
            return 0;
        return status.dwReturn;
    }
    void Close() {
        if (!device_)
            return;
        MCI_GENERIC_PARMS p{};
        delayed::mciSendCommandW(device_, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&p));
        device_ = 0;
    }

    MCIDEVICEID device_ = 0;
    HWND callback_ = nullptr;
};

constexpr wchar_t kNotifyClass[] = L"KlaxoraSoundPlayer";

}  // namespace

struct MediaPlayer::Impl {
    Win32FileSystem files;
    MciMedia media;
    SoundPlayer player{media, files, files};
    MediaPlayerControls controls;
    HWND notifyWindow = nullptr;  // our own message-only window
    std::function<void()> alarmSoundEnded;
    // What the last settled step left, so that each end is reported once even when the
    // report itself calls the player again.
    bool alarmSounding = false;

    void Apply() const {
        const TransportButtons& b = player.Buttons();
        controls.Play.SetChecked(b.playDown);
        controls.Pause.SetChecked(b.pauseDown);
        controls.Stop.SetChecked(b.stopDown);
        controls.LabelCzas.SetText(player.Label());
        for (const Button& control :
             {controls.Play, controls.Pause, controls.Stop, Button(controls.LoopCheckBox)})
            control.SetEnabled(player.TransportEnabled());
    }
    bool Loop() const { return controls.LoopCheckBox.Checked(); }
    // Shows the player's state and reports an alarm sound that has stopped sounding. The
    // report comes last: it may run another step, which settles on its own.
    void Settle() {
        Apply();
        const bool sounding = player.AlarmSounding();
        const bool ended = alarmSounding && !sounding;
        alarmSounding = sounding;
        if (ended && alarmSoundEnded) {
            // A copy, as the report may replace the callback while it runs.
            const std::function<void()> report = alarmSoundEnded;
            report();
        }
    }
    // Runs a step of the player and shows its outcome, failures included.
    template <typename F>
    auto Run(F step) {
        try {
            if constexpr (std::is_void_v<decltype(step())>) {
                step();
                Settle();
            } else {
                auto result = step();
                Settle();
                return result;
            }
        } catch (...) {
            Settle();
            throw;
        }
    }
    void UseCallback() {
        media.SetCallback(controls.NotifyWindow ? controls.NotifyWindow : notifyWindow);
    }
};

namespace {

LRESULT CALLBACK NotifyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == MM_MCINOTIFY) {
        auto* panel = reinterpret_cast<MediaPlayer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (panel)
            Guarded([&] { panel->PlayerNotify(wParam, lParam); });
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

MediaPlayer::MediaPlayer() : impl_(std::make_unique<Impl>()) {
    WNDCLASSW wc{};
    if (!GetClassInfoW(ModuleInstance(), kNotifyClass, &wc)) {
        wc = {};
        wc.lpfnWndProc = &NotifyProc;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = kNotifyClass;
        RegisterClassW(&wc);
    }
    impl_->notifyWindow = CreateWindowExW(0, kNotifyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                          nullptr, ModuleInstance(), nullptr);
    if (impl_->notifyWindow) {
        SetWindowLongPtrW(impl_->notifyWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    impl_->UseCallback();
}

MediaPlayer::~MediaPlayer() {
    if (impl_->notifyWindow)
        DestroyWindow(impl_->notifyWindow);
}

void MediaPlayer::ReleaseDevice() {
    impl_->Run([&] { impl_->player.SilenceAlarm(); });
    impl_->media.Release();
    if (impl_->notifyWindow) {
        DestroyWindow(impl_->notifyWindow);
        impl_->notifyWindow = nullptr;
    }
}

void MediaPlayer::Attach(const MediaPlayerControls& controls) {
    impl_->controls = controls;
    impl_->UseCallback();
    impl_->Apply();
}

SoundFileChange MediaPlayer::ApplyFileChange(const std::wstring& path) {
    return impl_->Run([&] { return impl_->player.ApplyFileChange(path); });
}

void MediaPlayer::LoadSoundPreview(const std::wstring& path) {
    impl_->Run([&] { impl_->player.LoadSoundPreview(path); });
}

void MediaPlayer::PlayClick() {
    impl_->Run([&] { impl_->player.PlayClick(); });
}

void MediaPlayer::PauseClick() {
    impl_->Run([&] { impl_->player.PauseClick(); });
}

void MediaPlayer::StopClick() {
    impl_->Run([&] { impl_->player.StopClick(); });
}

void MediaPlayer::PlayerNotify(WPARAM flags) {
    // A play replaced by a newer one is still playing: nothing ended.
    if (flags == MCI_NOTIFY_SUPERSEDED)
        return;
    impl_->Run([&] { impl_->player.PlayerNotify(flags == MCI_NOTIFY_SUCCESSFUL, impl_->Loop()); });
}

void MediaPlayer::PlayerNotify(WPARAM flags, LPARAM device) {
    if (static_cast<MCIDEVICEID>(device) != impl_->media.Device())
        return;
    PlayerNotify(flags);
}

void MediaPlayer::SetLocked(bool locked) {
    impl_->Run([&] { impl_->player.SetLocked(locked); });
}

void MediaPlayer::PlayForAlarm(const std::wstring& path) {
    impl_->Run([&] { impl_->player.PlayForAlarm(path); });
}

bool MediaPlayer::Playing() const {
    return impl_->player.Playing();
}
bool MediaPlayer::AlarmSounding() const {
    return impl_->player.AlarmSounding();
}

void MediaPlayer::SilenceAlarm() {
    impl_->Run([&] { impl_->player.SilenceAlarm(); });
}

void MediaPlayer::SetAlarmSoundEnded(std::function<void()> ended) {
    impl_->alarmSoundEnded = std::move(ended);
}

const TransportButtons& MediaPlayer::Buttons() const {
    return impl_->player.Buttons();
}
const std::wstring& MediaPlayer::Label() const {
    return impl_->player.Label();
}
MediaMode MediaPlayer::Mode() const {
    return impl_->media.Mode();
}
uint64_t MediaPlayer::PositionMs() const {
    return impl_->media.PositionMs();
}

}  // namespace klaxora::win
