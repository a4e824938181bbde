#pragma once
// Tooltip windows: the ordinary hints of a window's controls, and balloon tips with a title
// and an icon.
#include <windows.h>

#include <string>

namespace klaxora::win {

class ToolTips {
  public:
    ToolTips() = default;
    ~ToolTips();
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;

    // Ordinary hints. Returns false when the tooltip window cannot be created.
    bool CreateHints(HWND owner);
    // Balloons with a title (at most 255 characters) and an icon (TTI_INFO, TTI_WARNING ...).
    bool CreateBalloons(HWND owner, const std::wstring& title, int icon);

    // The hint of a control's whole window.
    void Add(HWND control, const std::wstring& text);
    // The hint over a rectangle of a window (a label drawn on it, for instance); false when
    // the rectangle cannot be read.
    bool AddArea(HWND host, const RECT& area, const std::wstring& text);
    // A control's client rectangle as its area; false when it cannot be read.
    bool AddClientArea(HWND control, const std::wstring& text);
    void SetText(HWND control, const std::wstring& text);

    HWND Hwnd() const { return tip_; }

  private:
    bool CreateTip(HWND owner, DWORD style);
    HWND tip_ = nullptr;
    UINT_PTR nextId_ = 1;
};

}  // namespace klaxora::win
