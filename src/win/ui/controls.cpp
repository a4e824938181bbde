#include "win/ui/controls.h"

#include <commctrl.h>

#include <algorithm>

#include "util/list_width.h"
#include "util/text.h"
#include "win/sys/handles.h"
#include "win/ui/dpi.h"
#include "win/ui/fonts.h"
#include "win/ui/window.h"

namespace klaxora::win {

void Control::Create(const wchar_t* cls, HWND parent, UINT id, const Box& box,
                     std::wstring_view text, DWORD style, HFONT font, DWORD exStyle) {
    const std::wstring caption(text);
    const Box at = Scale(box, DpiOf(parent));
    hwnd_ = CreateWindowExW(
        exStyle, cls, caption.c_str(), WS_CHILD | WS_VISIBLE | style, at.x, at.y, at.w, at.h,
        parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ModuleInstance(), nullptr);
    if (hwnd_ && font)
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

std::wstring Control::Text() const {
    if (!hwnd_)
        return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Control::SetText(std::wstring_view text) const {
    if (hwnd_)
        SetWindowTextW(hwnd_, std::wstring(text).c_str());
}

bool Control::OwnVisible() const {
    return hwnd_ && (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Control::SetVisible(bool visible) const {
    if (hwnd_ && OwnVisible() != visible)
        ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Control::Enabled() const {
    return IsWindowEnabled(hwnd_) != FALSE;
}

void Control::SetEnabled(bool enabled) const {
    if (hwnd_)
        EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

int Control::TextWidth(std::wstring_view text) const {
    return Unscale(
        win::TextWidth(reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)), text),
        DpiOf(hwnd_));
}

void Control::SendBehind() const {
    SetWindowLongPtrW(hwnd_, GWL_STYLE, GetWindowLongPtrW(hwnd_, GWL_STYLE) | WS_CLIPSIBLINGS);
    SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Label::Create(HWND parent, UINT id, const Box& box, std::wstring_view text, HFONT font,
                   DWORD style) {
    Control::Create(L"STATIC", parent, id, box, text, style, font);
}

void GroupBox::Create(HWND parent, UINT id, const Box& box, std::wstring_view text, HFONT font) {
    Control::Create(L"BUTTON", parent, id, box, text, BS_GROUPBOX, font);
}

void Button::Create(HWND parent, UINT id, const Box& box, std::wstring_view text, HFONT font,
                    DWORD style) {
    Control::Create(L"BUTTON", parent, id, box, text, WS_TABSTOP | style, font);
}

void Button::CreateGlyph(HWND parent, UINT id, const Box& box, std::wstring_view name, HFONT font,
                         HICON icon, DWORD style) {
    Create(parent, id, box, name, font, style | BS_ICON);
    SendMessageW(hwnd_, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

bool Button::Checked() const {
    return hwnd_ && SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Button::SetChecked(bool checked) const {
    if (hwnd_)
        SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Edit::Create(HWND parent, UINT id, const Box& box, HFONT font, DWORD style) {
    Control::Create(L"EDIT", parent, id, box, L"", WS_TABSTOP | style, font, WS_EX_CLIENTEDGE);
}

void Edit::SetLimit(size_t characters) const {
    SendMessageW(hwnd_, EM_LIMITTEXT, characters, 0);
}

void ComboBox::Create(HWND parent, UINT id, const Box& box, HFONT font, DWORD style) {
    Control::Create(L"COMBOBOX", parent, id, box, L"", WS_TABSTOP | WS_VSCROLL | style, font);
}

size_t ComboBox::Count() const {
    const LRESULT count = SendMessageW(hwnd_, CB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<size_t>(count) : 0;
}

std::wstring ComboBox::ItemText(size_t index) const {
    const LRESULT length = SendMessageW(hwnd_, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

std::wstring ComboBox::SelectedText() const {
    const LRESULT index = hwnd_ ? SendMessageW(hwnd_, CB_GETCURSEL, 0, 0) : CB_ERR;
    return index == CB_ERR ? std::wstring() : ItemText(static_cast<size_t>(index));
}

bool ComboBox::HasSelection() const {
    return hwnd_ && SendMessageW(hwnd_, CB_GETCURSEL, 0, 0) != CB_ERR;
}

bool ComboBox::SelectFirst(std::wstring_view text,
                           bool (*same)(std::wstring_view, std::wstring_view)) const {
    if (!hwnd_)
        return false;
    // CB_SELECTSTRING and CB_FINDSTRINGEXACT follow the list's own rules (a prefix, or the
    // system's case folding); the items are compared here instead.
    std::optional<size_t> found;
    for (size_t i = 0; i < Count() && !found && !text.empty(); ++i) {
        if (same(ItemText(i), text))
            found = i;
    }
    Select(found);
    return found.has_value();
}

bool ComboBox::SelectByText(std::wstring_view text) const {
    return SelectFirst(text,
                       [](std::wstring_view a, std::wstring_view b) { return EqualsNoCase(a, b); });
}

bool ComboBox::SelectExactly(std::wstring_view text) const {
    return SelectFirst(text, [](std::wstring_view a, std::wstring_view b) { return a == b; });
}

void ComboBox::Select(std::optional<size_t> index) const {
    SendMessageW(hwnd_, CB_SETCURSEL, index ? *index : static_cast<WPARAM>(-1), 0);
}

void ComboBox::Add(std::wstring_view item) const {
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(item).c_str()));
}

void ComboBox::AddItems(std::span<const std::wstring_view> items) const {
    for (std::wstring_view item : items)
        Add(item);
}

void ComboBox::Clear() const {
    SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
}

void ComboBox::SetLimit(size_t characters) const {
    SendMessageW(hwnd_, CB_LIMITTEXT, characters, 0);
}

void ComboBox::FitDroppedWidth(int margin) const {
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    int widest = 0;
    for (size_t i = 0; i < Count(); ++i)
        widest = std::max(widest, win::TextWidth(font, ItemText(i)));
    // Back to the box's width first: some list implementations refuse a width narrower than
    // the list's previous one.
    SendMessageW(hwnd_, CB_SETDROPPEDWIDTH, 1, 0);
    SendMessageW(hwnd_, CB_SETDROPPEDWIDTH,
                 DroppedWidth(rc.right - rc.left, widest, Scale(margin, DpiOf(hwnd_))), 0);
}

void ListView::Create(HWND parent, UINT id, const Box& box, HFONT font, DWORD style) {
    Control::Create(WC_LISTVIEWW, parent, id, box, L"", WS_TABSTOP | style, font, WS_EX_CLIENTEDGE);
}

int ListView::Count() const {
    return hwnd_ ? ListView_GetItemCount(hwnd_) : 0;
}

std::wstring ListView::ItemText(int row, int column) const {
    // A cell may hold a path of any length: a text that fills the buffer may have been cut.
    std::wstring text(MAX_PATH, L'\0');
    for (;;) {
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        const auto n = static_cast<size_t>(
            SendMessageW(hwnd_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (n + 1 < text.size()) {
            text.resize(n);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

std::optional<int> ListView::SelectedRow() const {
    const int row = hwnd_ ? ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED) : -1;
    return row < 0 ? std::nullopt : std::optional<int>(row);
}

void ListView::SelectRow(int row) const {
    const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(hwnd_, row, state, state);
    ListView_EnsureVisible(hwnd_, row, FALSE);
}

void DateTimePicker::Create(HWND parent, UINT id, const Box& box, HFONT font, DWORD style) {
    Control::Create(DATETIMEPICK_CLASSW, parent, id, box, L"", WS_TABSTOP | style, font);
}

SYSTEMTIME DateTimePicker::Time() const {
    SYSTEMTIME st{};
    if (SendMessageW(hwnd_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID)
        GetLocalTime(&st);
    return st;
}

void DateTimePicker::SetTime(const SYSTEMTIME& time) const {
    SendMessageW(hwnd_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

}  // namespace klaxora::win
