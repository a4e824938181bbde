#include "win/ui/panel.h"

namespace klaxora::win {

void Panel::Create(HWND parent, int x, int y, int width, int height, COLORREF colour,
                   const wchar_t* caption, bool frame, HFONT font) {
    colour_ = colour;
    frame_ = frame;
    font_ = font;
    brush_.Reset(CreateSolidBrush(colour));
    CreateWindowOf({L"KlaxoraPanel", CS_HREDRAW | CS_VREDRAW, nullptr}, caption,
                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, x, y, width,
                   height, parent);
}

void Panel::SetCaption(const std::wstring& caption) {
    SetWindowTextW(Hwnd(), caption.c_str());
    if (frame_) {
        RECT top;
        GetClientRect(Hwnd(), &top);
        top.bottom = 16;
        InvalidateRect(Hwnd(), &top, TRUE);
    }
}

void Panel::Paint(HDC dc) {
    RECT rc;
    GetClientRect(Hwnd(), &rc);
    FillRect(dc, &rc, brush_.Get());
    if (!frame_)
        return;
    wchar_t caption[256] = {};
    GetWindowTextW(Hwnd(), caption, 256);
    SelectedObject font(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32W(dc, caption, lstrlenW(caption), &size);
    RECT frameRect = rc;
    frameRect.top = size.cy / 2;
    DrawEdge(dc, &frameRect, EDGE_ETCHED, BF_RECT);
    SetBkColor(dc, colour_);
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(Hwnd()) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    RECT textRect{8, 0, 8 + size.cx, size.cy};
    DrawTextW(dc, caption, -1, &textRect, DT_SINGLELINE | DT_LEFT | DT_TOP);
}

LRESULT Panel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PaintDc dc(Hwnd());
            if (dc)
                Paint(dc);
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_VSCROLL:
        case WM_HSCROLL:
            return SendMessageW(GetAncestor(Hwnd(), GA_ROOT), msg, wParam, lParam);
        default:
            return Default(msg, wParam, lParam);
    }
}

}  // namespace klaxora::win
