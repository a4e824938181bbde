#include "win/ui/panel.h"

#include "win/ui/controls.h"
#include "win/ui/dpi.h"
#include "win/ui/fonts.h"
#include "win/ui/palette.h"

namespace klaxora::win {

void HeldText::Set(HWND edit, const std::wstring& text) {
    if (!edit) {
        text_ = text;
        return;
    }
    text_.reset();
    SetWindowTextW(edit, text.c_str());
}

std::wstring HeldText::Get(HWND edit) const {
    return edit ? Control(edit).Text() : text_.value_or(std::wstring());
}

void HeldText::Apply(HWND edit) {
    if (edit && text_)
        SetWindowTextW(edit, text_->c_str());
    text_.reset();
}

void HeldChoice::Set(const ComboBox& list, std::wstring_view item) {
    if (!list.Hwnd()) {
        item_ = std::wstring(item);
        return;
    }
    item_.reset();
    list.SelectExactly(item);
}

std::wstring HeldChoice::Get(const ComboBox& list) const {
    return list.Hwnd() ? list.SelectedText() : item_.value_or(std::wstring());
}

void HeldChoice::Apply(const ComboBox& list) {
    if (list.Hwnd() && item_)
        list.SelectExactly(*item_);
    item_.reset();
}

bool ListCommand(UINT code, const std::function<void()>& changed) {
    if (code == CBN_SELCHANGE && changed)
        changed();
    return true;
}

void Panel::Create(HWND parent, const Box& box, COLORREF colour, bool visible,
                   const wchar_t* caption, bool frame, HFONT font) {
    colour_ = colour;
    frame_ = frame;
    font_ = font;
    const Box at = Scale(box, DpiOf(parent));
    CreateWindowOf({L"KlaxoraPanel", CS_HREDRAW | CS_VREDRAW, nullptr}, caption,
                   WS_CHILD | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, at.x, at.y, at.w, at.h, parent);
    if (visible)
        SetShown(true);
}

void Panel::SetShown(bool shown) {
    if (shown)
        EnsureBuilt();
    Control(Hwnd()).SetVisible(shown);
}

void Panel::ShowUnbuilt() {
    Control(Hwnd()).SetVisible(true);
}

bool Panel::Shown() const {
    return Control(Hwnd()).OwnVisible();
}

void Panel::EnsureBuilt() {
    if (built_ || !Hwnd())
        return;
    built_ = true;
    // The new controls' own notifications (a spin edit's first value) are not the user's.
    muted_ = true;
    struct BuildingEnds {
        bool& flag;
        ~BuildingEnds() { flag = false; }
    } ends{muted_};
    Build();
    if (AfterBuild)
        AfterBuild();
}

void Panel::SetCaption(const std::wstring& caption) {
    SetWindowTextW(Hwnd(), caption.c_str());
    if (frame_) {
        RECT top;
        GetClientRect(Hwnd(), &top);
        top.bottom = Scaled(16);
        InvalidateRect(Hwnd(), &top, TRUE);
    }
}

COLORREF Panel::TextColour(HWND control) const {
    return TextColourOf ? TextColourOf(control) : CurrentPalette().groupText;
}

HBRUSH Panel::Brush(COLORREF fill) {
    if (!brush_ || brushColour_ != fill) {
        brush_.Reset(CreateSolidBrush(fill));
        brushColour_ = fill;
    }
    return brush_.Get();
}

void Panel::Paint(HDC dc) {
    const Palette palette = CurrentPalette();
    const COLORREF fill = palette.highContrast ? palette.group : colour_;
    RECT rc;
    GetClientRect(Hwnd(), &rc);
    FillRect(dc, &rc, Brush(fill));
    if (!frame_)
        return;
    wchar_t caption[256] = {};
    GetWindowTextW(Hwnd(), caption, 256);
    SelectedObject font(dc, font_ ? font_ : SystemGuiFont());
    SIZE size{};
    GetTextExtentPoint32W(dc, caption, lstrlenW(caption), &size);
    RECT frameRect = rc;
    frameRect.top = size.cy / 2;
    DrawEdge(dc, &frameRect, EDGE_ETCHED, BF_RECT);
    SetBkColor(dc, fill);
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, IsWindowEnabled(Hwnd()) ? palette.groupText : palette.groupGrayText);
    RECT textRect{Scaled(8), 0, Scaled(8) + size.cx, size.cy};
    DrawTextW(dc, caption, -1, &textRect, DT_SINGLELINE | DT_LEFT | DT_TOP);
}

LRESULT Panel::PassUp(UINT msg, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(GetAncestor(Hwnd(), GA_ROOT), msg, wParam, lParam);
}

LRESULT Panel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_SETFONT:  // the caption's font, made again when the DPI changes
            font_ = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_PAINT: {
            PaintDc dc(Hwnd());
            if (dc)
                Paint(dc);
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const auto control = reinterpret_cast<HWND>(lParam);
            const auto dc = reinterpret_cast<HDC>(wParam);
            wchar_t cls[16] = {};
            GetClassNameW(control, cls, 16);
            if (lstrcmpiW(cls, L"Edit") == 0) {
                // Read-only editors keep the look of an editor.
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            }
            // A page's own fixed colours would be unreadable on the system's fill.
            const Palette palette = CurrentPalette();
            const COLORREF fill = palette.highContrast ? palette.group : colour_;
            SetBkMode(dc, TRANSPARENT);
            SetBkColor(dc, fill);
            SetTextColor(dc, !palette.highContrast ? TextColour(control)
                             : TextColourOf        ? TextColourOf(control)
                                                   : palette.groupText);
            return reinterpret_cast<LRESULT>(Brush(fill));
        }
        case WM_COMMAND:
            // What the panel's own handlers left goes up only from a plain group whose
            // controls the window handles: a page's or a panel's control, whatever its id,
            // can never press a button of the window.
            if (!commandsToWindow_)
                return 0;
            return PassUp(msg, wParam, lParam);
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_VSCROLL:
        case WM_HSCROLL:
            return PassUp(msg, wParam, lParam);
        default:
            return Default(msg, wParam, lParam);
    }
}

}  // namespace klaxora::win
