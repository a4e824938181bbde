#include "win/ui/image_button.h"

#include "win/sys/handles.h"
#include "win/ui/window.h"

namespace klaxora::win {

void ImageButton::Create(HWND parent, UINT id, const Box& box, std::wstring_view caption,
                         Painter painter) {
    painter_ = std::move(painter);
    Control::Create(L"BUTTON", parent, id, box, caption, WS_TABSTOP | BS_OWNERDRAW, nullptr);
    if (!hwnd_)
        return;
    // Subclassed through the window's own fields: a property or a comctl32 subclass is looked
    // up again for every message the button gets.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    buttonProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ImageButton::Proc)));
}

ImageState ImageButton::State() const {
    if (!IsWindowEnabled(hwnd_))
        return ImageState::Disabled;
    if (SendMessageW(hwnd_, BM_GETSTATE, 0, 0) & BST_PUSHED)
        return ImageState::Pressed;
    if (released_)
        return ImageState::Released;
    if (hovered_)
        return ImageState::Hovered;
    return ImageState::Normal;
}

void ImageButton::Draw(const DRAWITEMSTRUCT& item) {
    RECT rc = item.rcItem;
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    // Drawn off screen first so hovering does not flicker.
    MemoryDc memory(item.hDC);
    BitmapHandle bitmap(CreateCompatibleBitmap(item.hDC, w, h));
    {
        SelectedObject selected(memory, bitmap.Get());
        ImageState state = State();
        if (item.itemState & ODS_DISABLED)
            state = ImageState::Disabled;
        else if (item.itemState & ODS_SELECTED)
            state = ImageState::Pressed;
        const bool focused = (item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT);
        RECT local{0, 0, w, h};
        if (painter_)
            painter_(memory, local, state, focused);
        BitBlt(item.hDC, rc.left, rc.top, w, h, memory, 0, 0, SRCCOPY);
    }
}

LRESULT CALLBACK ImageButton::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ImageButton*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
        case WM_MOUSEMOVE:
            if (!self->hovered_) {
                self->hovered_ = true;
                TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, hwnd, 0};
                TrackMouseEvent(&tme);
                InvalidateRect(hwnd, nullptr, FALSE);
            }
            break;
        case WM_MOUSELEAVE:
            self->hovered_ = false;
            self->released_ = false;
            InvalidateRect(hwnd, nullptr, FALSE);
            break;
        case WM_LBUTTONUP:
            if (self->hovered_)
                self->released_ = true;
            break;
        case WM_ERASEBKGND:
            return 1;
        default:
            break;
    }
    return CallWindowProcW(self->buttonProc_, hwnd, msg, wParam, lParam);
}

}  // namespace klaxora::win
