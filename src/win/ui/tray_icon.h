#pragma once
// The program's icon in the notification area. The owner window passes its messages through
// HandleMessage; clicks arrive as the version-4 notifications (the selection, the context
// menu, the double-click) and are forwarded to the callbacks. While the icon is disabled it
// ignores the mouse. An add the shell refuses (Explorer still starting at logon) is tried again
// every few seconds for a minute, and again whenever the shell restarts ("TaskbarCreated").
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>

namespace klaxora::win {

// The shell's one function, replaced by the tests to play a shell that is not there yet.
struct TrayShellApi {
    BOOL(WINAPI* Shell_NotifyIconW)(DWORD, PNOTIFYICONDATAW);
};
const TrayShellApi& RealTrayShellApi();

class TrayIcon {
  public:
    // The callback message the shell sends to the owner window.
    static constexpr UINT kCallbackMessage = WM_APP + 1;
    static constexpr UINT kIconId = 1;
    // The owner's timer that retries a refused add; the owner's own timers use other ids.
    static constexpr UINT_PTR kRetryTimerId = 0x4B6C;
    static constexpr UINT kRetryEveryMs = 3000;
    static constexpr int kRetries = 20;  // a minute

    enum class BalloonIcon { Info, Warning };

    explicit TrayIcon(const TrayShellApi& api = RealTrayShellApi(),
                      UINT retryEveryMs = kRetryEveryMs)
        : api_(api), retryEveryMs_(retryEveryMs) {}
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon for the owner window; false when the shell refused it for now.
    bool Add(HWND owner, HICON icon, std::wstring hint);
    void Remove();
    bool Added() const { return added_; }

    // The tip, changed in place while the icon is shown.
    void SetHint(std::wstring hint);
    const std::wstring& Hint() const { return hint_; }

    // A balloon by the icon (on newer Windows, a notification), its title and text cut to what
    // the shell takes. False when the icon is not shown or the shell refused.
    bool ShowBalloon(const std::wstring& title, const std::wstring& text,
                     BalloonIcon kind = BalloonIcon::Warning);
    // The same, now or as soon as the icon is shown in this run; `shown` runs once it was.
    void ShowBalloonWhenAdded(std::wstring title, std::wstring text, BalloonIcon kind,
                              std::function<void()> shown);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }

    // A click or a double-click with the primary button.
    std::function<void()> OnClick;
    // The secondary button, or the menu key; the point is where the menu belongs (screen).
    std::function<void(POINT)> OnContextMenu;

    // True when the message was the icon's; `result` is what the window procedure returns.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  private:
    struct Balloon {
        std::wstring title, text;
        BalloonIcon kind = BalloonIcon::Info;
        std::function<void()> shown;
    };
    NOTIFYICONDATAW Data() const;
    bool Register();
    // One add; shown, it ends the retries and shows a waiting balloon.
    void Attempt();
    void StartRetrying();
    void StopRetrying();
    void ShowPendingBalloon();

    const TrayShellApi& api_;
    UINT retryEveryMs_;
    HWND owner_ = nullptr;
    HICON icon_ = nullptr;
    std::wstring hint_;
    bool added_ = false;
    bool enabled_ = true;
    bool retrying_ = false;
    int retriesLeft_ = 0;
    std::optional<Balloon> pending_;
};

// The message the shell broadcasts when the taskbar is created (again).
UINT TaskbarCreatedMessage();

}  // namespace klaxora::win
