#pragma once
// The program's icon in the notification area. The owner window passes its messages through
// HandleMessage; clicks arrive as the version-4 notifications (the selection, the context
// menu, the double-click) and are forwarded to the callbacks. While the icon is disabled it
// ignores the mouse. When the shell restarts ("TaskbarCreated") the icon is added again.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

namespace klaxora::win {

class TrayIcon {
  public:
    // The callback message the shell sends to the owner window.
    static constexpr UINT kCallbackMessage = WM_APP + 1;
    static constexpr UINT kIconId = 1;

    TrayIcon() = default;
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon for the owner window; false when the shell refused it (it is retried when
    // the shell announces itself).
    bool Add(HWND owner, HICON icon, std::wstring hint);
    void Remove();
    bool Added() const { return added_; }

    // The tip, changed in place while the icon is shown.
    void SetHint(std::wstring hint);
    const std::wstring& Hint() const { return hint_; }

    // A warning balloon by the icon (on newer Windows, a notification), its title and text cut
    // to what the shell takes. False when the icon is not shown or the shell refused.
    bool ShowBalloon(const std::wstring& title, const std::wstring& text);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }

    // A click or a double-click with the primary button.
    std::function<void()> OnClick;
    // The secondary button, or the menu key; the point is where the menu belongs (screen).
    std::function<void(POINT)> OnContextMenu;

    // True when the message was the icon's; `result` is what the window procedure returns.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  private:
    NOTIFYICONDATAW Data() const;
    bool Register();

    HWND owner_ = nullptr;
    HICON icon_ = nullptr;
    std::wstring hint_;
    bool added_ = false;
    bool enabled_ = true;
};

// The message the shell broadcasts when the taskbar is created (again).
UINT TaskbarCreatedMessage();

}  // namespace klaxora::win
