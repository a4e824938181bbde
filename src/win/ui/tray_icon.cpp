#include "win/ui/tray_icon.h"

#include <shellapi.h>

#include <algorithm>

namespace klaxora::win {

const TrayShellApi& RealTrayShellApi() {
    static const TrayShellApi api{&::Shell_NotifyIconW};
    return api;
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

TrayIcon::~TrayIcon() {
    Remove();
}

namespace {

// Copies as much of the text as the zeroed buffer holds with its terminating zero, never half a
// surrogate pair.
template <size_t N>
void CopyCut(const std::wstring& text, wchar_t (&buffer)[N]) {
    size_t n = std::min(text.size(), N - 1);
    if (n < text.size() && n > 0 && IS_HIGH_SURROGATE(text[n - 1]))
        --n;
    std::copy_n(text.c_str(), n, buffer);
}

}  // namespace

NOTIFYICONDATAW TrayIcon::Data() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner_;
    data.uID = kIconId;
    CopyCut(hint_, data.szTip);
    return data;
}

bool TrayIcon::ShowBalloon(const std::wstring& title, const std::wstring& text, BalloonIcon kind) {
    if (!added_)
        return false;
    NOTIFYICONDATAW data = Data();
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = kind == BalloonIcon::Info ? NIIF_INFO : NIIF_WARNING;
    CopyCut(title, data.szInfoTitle);
    CopyCut(text, data.szInfo);
    return api_.Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void TrayIcon::ShowBalloonWhenAdded(std::wstring title, std::wstring text, BalloonIcon kind,
                                    std::function<void()> shown) {
    pending_ = Balloon{std::move(title), std::move(text), kind, std::move(shown)};
    ShowPendingBalloon();
}

void TrayIcon::ShowPendingBalloon() {
    if (!pending_ || !ShowBalloon(pending_->title, pending_->text, pending_->kind))
        return;
    const auto shown = std::move(pending_->shown);
    pending_.reset();
    if (shown)
        shown();
}

void TrayIcon::SetHint(std::wstring hint) {
    hint_ = std::move(hint);
    if (!added_)
        return;
    NOTIFYICONDATAW data = Data();
    data.uFlags = NIF_TIP | NIF_SHOWTIP;
    api_.Shell_NotifyIconW(NIM_MODIFY, &data);
}

bool TrayIcon::Register() {
    NOTIFYICONDATAW data = Data();
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icon_;
    // A stale icon of ours (after Explorer restarted or failed, or an add the shell reported
    // as failed but made) would make the add fail.
    if (!api_.Shell_NotifyIconW(NIM_ADD, &data)) {
        api_.Shell_NotifyIconW(NIM_DELETE, &data);
        if (!api_.Shell_NotifyIconW(NIM_ADD, &data))
            return false;
    }
    data.uVersion = NOTIFYICON_VERSION_4;
    api_.Shell_NotifyIconW(NIM_SETVERSION, &data);
    return true;
}

void TrayIcon::Attempt() {
    added_ = Register();
    if (!added_)
        return;
    StopRetrying();
    ShowPendingBalloon();
}

void TrayIcon::StartRetrying() {
    retriesLeft_ = kRetries;
    // Without the timer the icon still comes back with the shell's next "TaskbarCreated".
    retrying_ = SetTimer(owner_, kRetryTimerId, retryEveryMs_, nullptr) != 0;
}

void TrayIcon::StopRetrying() {
    if (retrying_)
        KillTimer(owner_, kRetryTimerId);
    retrying_ = false;
}

bool TrayIcon::Add(HWND owner, HICON icon, std::wstring hint) {
    Remove();
    owner_ = owner;
    icon_ = icon;
    hint_ = std::move(hint);
    // Let the shell's "TaskbarCreated" through even when the process runs elevated.
    ChangeWindowMessageFilterEx(owner_, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
    Attempt();
    if (!added_)
        StartRetrying();
    return added_;
}

void TrayIcon::Remove() {
    StopRetrying();
    if (!added_)
        return;
    NOTIFYICONDATAW data = Data();
    api_.Shell_NotifyIconW(NIM_DELETE, &data);
    added_ = false;
}

bool TrayIcon::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (owner_ && msg == TaskbarCreatedMessage()) {
        StopRetrying();
        Attempt();
        if (!added_)
            StartRetrying();
        result = 0;
        return true;
    }
    if (msg == WM_TIMER && wParam == kRetryTimerId && owner_) {
        if (!added_)
            Attempt();
        if (!added_ && --retriesLeft_ <= 0)
            StopRetrying();
        result = 0;
        return true;
    }
    if (msg != kCallbackMessage)
        return false;
    result = 0;
    if (HIWORD(lParam) != kIconId || !enabled_)
        return true;
    // Version 4: the event in the low word of lParam, the anchor point in wParam.
    const POINT anchor{static_cast<short>(LOWORD(wParam)), static_cast<short>(HIWORD(wParam))};
    switch (LOWORD(lParam)) {
        case NIN_SELECT:
        case NIN_KEYSELECT:
        case WM_LBUTTONDBLCLK:
            if (OnClick)
                OnClick();
            break;
        case WM_CONTEXTMENU:
            if (OnContextMenu)
                OnContextMenu(anchor);
            break;
        default:
            break;
    }
    return true;
}

}  // namespace klaxora::win
