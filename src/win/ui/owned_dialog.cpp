#include "win/ui/owned_dialog.h"

#include <algorithm>

#include "win/ui/dpi.h"

namespace klaxora::win {
namespace {

void Centre(HWND dialog, HWND owner) {
    RECT frame{};
    GetWindowRect(dialog, &frame);
    const SIZE size{frame.right - frame.left, frame.bottom - frame.top};
    RECT ownerFrame{};
    const bool onOwner =
        owner && IsWindowVisible(owner) && !IsIconic(owner) && GetWindowRect(owner, &ownerFrame);
    // The work area of the monitor the owner (or the dialog) is on.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    RECT work{};
    if (GetMonitorInfoW(MonitorFromWindow(onOwner ? owner : dialog, MONITOR_DEFAULTTOPRIMARY),
                        &monitor)) {
        work = monitor.rcWork;
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    }
    const POINT at = CentredPlace(size, onOwner ? &ownerFrame : nullptr, work);
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

POINT CentredPlace(SIZE size, const RECT* owner, const RECT& work) {
    const RECT& around = owner ? *owner : work;
    LONG x = around.left + (around.right - around.left - size.cx) / 2;
    LONG y = around.top + (around.bottom - around.top - size.cy) / 2;
    // Inside the work area, the top-left corner first when the dialog is larger than it.
    x = std::max(work.left, std::min(x, work.right - size.cx));
    y = std::max(work.top, std::min(y, work.bottom - size.cy));
    return {x, y};
}

void OwnedDialog::CreateDialogWindow(const wchar_t* className, const wchar_t* title, int width,
                                     int height, HWND owner) {
    constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    constexpr DWORD exStyle = WS_EX_DLGMODALFRAME;
    owner_ = owner;
    CreateWindowOf({className}, title, style, exStyle, CW_USEDEFAULT, CW_USEDEFAULT, width, height,
                   owner);
    SizeOuterFrame(width, height);
    Centre(Hwnd(), owner_);
}

void OwnedDialog::SizeOuterFrame(int width, int height) {
    // The size is the frame's at 96 DPI: its client area is scaled, the frame is the system's.
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(Hwnd(), GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE));
    RECT frame96{};
    AdjustWindowRectExForDpi(&frame96, style, FALSE, exStyle, kLayoutDpi);
    SizeFrame(width - (frame96.right - frame96.left), height - (frame96.bottom - frame96.top));
}

void OwnedDialog::OnDpiChanged(UINT) {
    if (layoutClient_.cx > 0 && !(GetWindowLongPtrW(Hwnd(), GWL_STYLE) & WS_THICKFRAME))
        SizeFrame(layoutClient_.cx, layoutClient_.cy);
}

void OwnedDialog::SizeFrame(int clientWidth, int clientHeight) {
    layoutClient_ = {clientWidth, clientHeight};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(Hwnd(), GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE));
    RECT frame{0, 0, Scaled(clientWidth), Scaled(clientHeight)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, Dpi());
    SetWindowPos(Hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OwnedDialog::CreateToolDialog(const wchar_t* className, const wchar_t* title, int clientWidth,
                                   int clientHeight, HWND owner) {
    constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    constexpr DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
    owner_ = owner;
    CreateWindowOf({className}, title, style, exStyle, CW_USEDEFAULT, CW_USEDEFAULT, clientWidth,
                   clientHeight, owner);
    SizeFrame(clientWidth, clientHeight);
    Centre(Hwnd(), owner_);
}

void OwnedDialog::EnsureBuilt() {
    if (built_ || !Hwnd())
        return;
    // Set first: the new controls' own notifications reach handlers that ask for them too.
    built_ = true;
    BuildControls();
}

LRESULT OwnedDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // However the dialog comes to be shown, it shows with its controls. The owner's minimising
    // and restoring hides and shows it too (lParam set), which must not reload it.
    if (msg == WM_SHOWWINDOW && wParam) {
        EnsureBuilt();
        if (lParam == 0)
            Guarded([&] { FormShow(); });
    }
    return HidingWindow::HandleMessage(msg, wParam, lParam);
}

void OwnedDialog::ShowModal(HWND focus) {
    ShowOver();
    if (focus)
        SetFocus(focus);
    MSG msg;
    while (Visible()) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            // The program is ending: the outer loop must see the quit too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            Close();
            break;
        }
        HandleQueuedMessage(msg);
    }
}

void OwnedDialog::ShowOver() {
    if (!Visible()) {
        EnsureBuilt();
        Centre(Hwnd(), owner_);
        if (owner_ && IsWindowEnabled(owner_)) {
            EnableWindow(owner_, FALSE);
            ownerDisabled_ = true;
        }
        Show();
    }
    SetForegroundWindow(Hwnd());
}

void OwnedDialog::Close() {
    // The owner is enabled before the dialog hides, so Windows hands the activation to it and
    // not to some other program's window.
    if (ownerDisabled_ && owner_) {
        EnableWindow(owner_, TRUE);
        ownerDisabled_ = false;
    }
    const bool wasActive = GetActiveWindow() == Hwnd();
    Hide();
    if (owner_ && wasActive && IsWindowVisible(owner_))
        SetForegroundWindow(owner_);
}

}  // namespace klaxora::win
