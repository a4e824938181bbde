#include "win/actions/sound_device.h"

#include <mmsystem.h>

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

struct SoundDevice::Impl {
    Impl(const FileSystemPort& files, const SystemFoldersPort& folders)
        : rules(media, files, folders) {}
    MciMedia media;
    SoundPlayer rules;
    HWND ownWindow = nullptr;  // our own message-only window
    HWND transportWindow = nullptr;
    std::function<void()> showTransport;
    std::function<bool()> loop;
    std::function<void()> alarmSettled;

    // The transport shows the step first; the alarm's playback may run another step from its
    // report, which settles on its own.
    void Settle() const {
        if (showTransport)
            showTransport();
        if (alarmSettled) {
            // A copy, as the report may replace the follower while it runs.
            const std::function<void()> settled = alarmSettled;
            settled();
        }
    }
    void UseCallback() { media.SetCallback(transportWindow ? transportWindow : ownWindow); }
};

namespace {

LRESULT CALLBACK NotifyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == MM_MCINOTIFY) {
        auto* device = reinterpret_cast<SoundDevice*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (device)
            Guarded([&] { device->Notify(wParam, lParam); });
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

SoundDevice::SoundDevice(const FileSystemPort& files, const SystemFoldersPort& folders)
    : impl_(std::make_unique<Impl>(files, folders)) {
    WNDCLASSW wc{};
    if (!GetClassInfoW(ModuleInstance(), kNotifyClass, &wc)) {
        wc = {};
        wc.lpfnWndProc = &NotifyProc;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = kNotifyClass;
        RegisterClassW(&wc);
    }
    impl_->ownWindow = CreateWindowExW(0, kNotifyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       ModuleInstance(), nullptr);
    if (impl_->ownWindow)
        SetWindowLongPtrW(impl_->ownWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    impl_->UseCallback();
}

SoundDevice::~SoundDevice() {
    if (impl_->ownWindow)
        DestroyWindow(impl_->ownWindow);
}

void SoundDevice::Release() {
    Run([](SoundPlayer& rules) { rules.SilenceAlarm(); });
    impl_->media.Release();
    if (impl_->ownWindow) {
        DestroyWindow(impl_->ownWindow);
        impl_->ownWindow = nullptr;
    }
}

void SoundDevice::Run(const std::function<void(SoundPlayer& rules)>& step) {
    try {
        step(impl_->rules);
    } catch (...) {
        impl_->Settle();
        throw;
    }
    impl_->Settle();
}

const SoundPlayer& SoundDevice::Rules() const {
    return impl_->rules;
}
MediaMode SoundDevice::Mode() const {
    return impl_->media.Mode();
}
uint64_t SoundDevice::PositionMs() const {
    return impl_->media.PositionMs();
}

void SoundDevice::FollowTransport(std::function<void()> show, std::function<bool()> loop,
                                  HWND notifyWindow) {
    impl_->showTransport = std::move(show);
    impl_->loop = std::move(loop);
    impl_->transportWindow = notifyWindow;
    impl_->UseCallback();
}

void SoundDevice::FollowAlarm(std::function<void()> settled) {
    impl_->alarmSettled = std::move(settled);
}

void SoundDevice::Notify(WPARAM flags, LPARAM device) {
    if (static_cast<MCIDEVICEID>(device) != impl_->media.Device())
        return;
    // A play replaced by a newer one is still playing: nothing ended.
    if (flags == MCI_NOTIFY_SUPERSEDED)
        return;
    const bool loop = impl_->loop && impl_->loop();
    Run([&](SoundPlayer& rules) { rules.PlayerNotify(flags == MCI_NOTIFY_SUCCESSFUL, loop); });
}

}  // namespace klaxora::win
