#include "win/ui/tooltips.h"

#include <commctrl.h>

#include "win/ui/dpi.h"
#include "win/ui/window.h"

namespace klaxora::win {

ToolTips::~ToolTips() {
    if (tip_)
        DestroyWindow(tip_);
}

void ToolTips::CreateHints(HWND owner) {
    owner_ = owner;
    style_ = TTS_ALWAYSTIP | TTS_NOPREFIX;
}

void ToolTips::CreateBalloons(HWND owner, const std::wstring& title, int icon) {
    owner_ = owner;
    style_ = TTS_ALWAYSTIP | TTS_BALLOON;
    title_ = title.substr(0, 255);
    icon_ = icon >= 0 && icon <= 3 ? icon : 0;
}

bool ToolTips::Realize() {
    if (tip_ || !owner_)
        return tip_ != nullptr;
    tip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style_, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr,
                           ModuleInstance(), nullptr);
    if (!tip_)
        return false;
    SetWindowPos(tip_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    // A width limit makes the tooltip honour the line breaks of multi-line hints.
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, Scale(400, DpiOf(owner_)));
    // Long explanations stay up long enough to be read.
    SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 20000);
    if (style_ & TTS_BALLOON)
        SendMessageW(tip_, TTM_SETTITLEW, static_cast<WPARAM>(icon_),
                     reinterpret_cast<LPARAM>(title_.c_str()));
    for (const Tool& tool : kept_)
        Send(TTM_ADDTOOLW, tool);
    kept_.clear();
    return true;
}

bool ToolTips::Awaits(HWND window) const {
    for (const Tool& tool : kept_) {
        const bool own = (tool.flags & TTF_IDISHWND) != 0;
        if (own ? reinterpret_cast<HWND>(tool.id) == window : tool.host == window)
            return true;
    }
    return false;
}

void ToolTips::Send(UINT msg, const Tool& tool) const {
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = tool.flags;
    ti.hwnd = tool.host;
    ti.uId = tool.id;
    ti.rect = tool.area;
    ti.hinst = ModuleInstance();
    ti.lpszText = const_cast<wchar_t*>(tool.text.c_str());
    SendMessageW(tip_, msg, 0, reinterpret_cast<LPARAM>(&ti));
}

void ToolTips::AddTool(Tool tool) {
    if (tip_)
        Send(TTM_ADDTOOLW, tool);
    else
        kept_.push_back(std::move(tool));
}

void ToolTips::Add(HWND control, const std::wstring& text) {
    if (control)
        AddTool({GetParent(control),
                 reinterpret_cast<UINT_PTR>(control),
                 TTF_IDISHWND | TTF_SUBCLASS,
                 {},
                 text});
}

UINT_PTR ToolTips::AddArea(HWND host, const RECT& area, const std::wstring& text) {
    if (!host)
        return 0;
    const UINT_PTR id = nextId_++;
    AddTool({host, id, TTF_SUBCLASS, area, text});
    return id;
}

void ToolTips::AddClientArea(HWND control, const std::wstring& text) {
    RECT rc;
    if (control && GetClientRect(control, &rc))
        AddArea(control, rc, text);
}

void ToolTips::SetText(HWND control, const std::wstring& text) {
    if (control)
        UpdateText(GetParent(control), reinterpret_cast<UINT_PTR>(control), true, text);
}

void ToolTips::SetArea(HWND host, UINT_PTR id, const RECT& area, const std::wstring& text) {
    if (!host || !id)
        return;
    if (tip_)
        Send(TTM_NEWTOOLRECTW, Tool{host, id, 0, area, text});
    for (Tool& tool : kept_) {
        if (tool.host == host && tool.id == id && !(tool.flags & TTF_IDISHWND))
            tool.area = area;
    }
    UpdateText(host, id, false, text);
}

void ToolTips::UpdateText(HWND host, UINT_PTR id, bool isWindow, const std::wstring& text) {
    if (tip_) {
        const UINT flags = isWindow ? TTF_IDISHWND : 0;
        Send(TTM_UPDATETIPTEXTW, Tool{host, id, flags, RECT{}, text});
        return;
    }
    for (Tool& tool : kept_) {
        if (tool.host == host && tool.id == id && ((tool.flags & TTF_IDISHWND) != 0) == isWindow)
            tool.text = text;
    }
}

}  // namespace klaxora::win
