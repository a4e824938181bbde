#include "win/dialogs/dialog_controls.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>

#include "win/ui/window.h"

namespace klaxora::win::dialogs {

HWND MakeControl(HWND parent, const wchar_t* cls, std::wstring_view text, DWORD style, Place place,
                 int id, HFONT font, DWORD exStyle) {
    const std::wstring caption(text);
    HWND hwnd = CreateWindowExW(exStyle, cls, caption.c_str(), WS_CHILD | WS_VISIBLE | style,
                                place.x, place.y, place.width, place.height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleInstance(),
                                nullptr);
    if (hwnd && font)
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd;
}

std::wstring ControlText(HWND control) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool IsChecked(HWND box) {
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND box, bool checked) {
    SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetVisible(HWND control, bool visible) {
    ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
}

void ShellOpen(HWND owner, const std::wstring& target, int showCommand) {
    ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, showCommand);
}

}  // namespace klaxora::win::dialogs
