#include "win/ui/tooltips.h"

#include <commctrl.h>

#include "win/ui/window.h"

namespace klaxora::win {

ToolTips::~ToolTips() {
    if (tip_)
        DestroyWindow(tip_);
}

bool ToolTips::CreateTip(HWND owner, DWORD style) {
    tip_ =
        CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, ModuleInstance(), nullptr);
    if (!tip_)
        return false;
    SetWindowPos(tip_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    // A width limit makes the tooltip honour the line breaks of multi-line hints.
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 400);
    // Long explanations stay up long enough to be read.
    SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 20000);
    return true;
}

bool ToolTips::CreateHints(HWND owner) {
    return CreateTip(owner, TTS_ALWAYSTIP | TTS_NOPREFIX);
}

bool ToolTips::CreateBalloons(HWND owner, const std::wstring& title, int icon) {
    if (!CreateTip(owner, TTS_ALWAYSTIP | TTS_BALLOON))
        return false;
    const std::wstring clipped = title.substr(0, 255);
    SendMessageW(tip_, TTM_SETTITLEW, static_cast<WPARAM>(icon >= 0 && icon <= 3 ? icon : 0),
                 reinterpret_cast<LPARAM>(clipped.c_str()));
    return true;
}

void ToolTips::Add(HWND control, const std::wstring& text) {
    if (!tip_ || !control)
        return;
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = GetParent(control);
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.hinst = ModuleInstance();
    ti.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

bool ToolTips::AddArea(HWND host, const RECT& area, const std::wstring& text) {
    if (!tip_ || !host)
        return false;
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = host;
    ti.uId = nextId_++;
    ti.rect = area;
    ti.hinst = ModuleInstance();
    ti.lpszText = const_cast<wchar_t*>(text.c_str());
    return SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
}

bool ToolTips::AddClientArea(HWND control, const std::wstring& text) {
    RECT rc;
    if (!control || !GetClientRect(control, &rc))
        return false;
    return AddArea(control, rc, text);
}

void ToolTips::SetText(HWND control, const std::wstring& text) {
    if (!tip_ || !control)
        return;
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = GetParent(control);
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.hinst = ModuleInstance();
    ti.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace klaxora::win
