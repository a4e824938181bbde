#include "win/ui/controls.h"

#include "util/text.h"
#include "win/sys/handles.h"
#include "win/ui/window.h"

namespace klaxora::win {

HWND MakeControl(const wchar_t* cls, std::wstring_view text, DWORD style, const Box& box,
                 HWND parent, UINT id, HFONT font, DWORD exStyle) {
    const std::wstring caption(text);
    HWND hwnd = CreateWindowExW(
        exStyle, cls, caption.c_str(), WS_CHILD | WS_VISIBLE | style, box.x, box.y, box.w, box.h,
        parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ModuleInstance(), nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd;
}

HWND MakeLabel(HWND parent, UINT id, std::wstring_view text, const Box& box, HFONT font,
               DWORD style) {
    return MakeControl(L"STATIC", text, SS_LEFT | style, box, parent, id, font);
}

HWND MakeCombo(HWND parent, UINT id, const Box& box, DWORD style, HFONT font) {
    return MakeControl(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | style, box, parent, id, font);
}

HWND MakeButton(HWND parent, UINT id, std::wstring_view text, const Box& box, HFONT font,
                DWORD style) {
    return MakeControl(L"BUTTON", text, WS_TABSTOP | style, box, parent, id, font);
}

HWND MakeEdit(HWND parent, UINT id, const Box& box, HFONT font) {
    return MakeControl(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, box, parent, id, font,
                       WS_EX_CLIENTEDGE);
}

HWND MakeGlyphButton(HWND parent, UINT id, std::wstring_view name, const Box& box, HFONT font,
                     HICON icon, DWORD style) {
    HWND b = MakeButton(parent, id, name, box, font, style | BS_ICON);
    SendMessageW(b, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    return b;
}

std::wstring TextOf(HWND hwnd) {
    if (!hwnd)
        return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ItemText(HWND combo, LRESULT index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

std::wstring SelectedText(HWND combo) {
    if (!combo)
        return {};
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? std::wstring() : ItemText(combo, index);
}

bool HasSelection(HWND combo) {
    return combo && SendMessageW(combo, CB_GETCURSEL, 0, 0) != CB_ERR;
}

bool SelectItemByText(HWND combo, std::wstring_view text) {
    if (!combo)
        return false;
    // CB_SELECTSTRING and CB_FINDSTRINGEXACT follow the list's own rules (a prefix, or the
    // system's case folding); the items are compared here instead.
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    LRESULT found = CB_ERR;
    for (LRESULT i = 0; i < count && found == CB_ERR; ++i) {
        if (EqualsNoCase(ItemText(combo, i), text))
            found = i;
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    return found != CB_ERR;
}

void AddItems(HWND combo, std::span<const std::wstring_view> items) {
    for (std::wstring_view item : items) {
        const std::wstring s(item);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
    }
}

bool OwnVisible(HWND hwnd) {
    return hwnd && (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void SetVisible(HWND hwnd, bool visible) {
    if (hwnd && OwnVisible(hwnd) != visible)
        ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void SetEnabled(HWND hwnd, bool enabled) {
    if (hwnd)
        EnableWindow(hwnd, enabled ? TRUE : FALSE);
}

bool Checked(HWND button) {
    return button && SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SendBehind(HWND label) {
    SetWindowLongPtrW(label, GWL_STYLE, GetWindowLongPtrW(label, GWL_STYLE) | WS_CLIPSIBLINGS);
    SetWindowPos(label, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int TextWidth(HFONT font, std::wstring_view text) {
    WindowDc dc(nullptr);
    SIZE size{};
    SelectedObject selected(dc, font);
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace klaxora::win
