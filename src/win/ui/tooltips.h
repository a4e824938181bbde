#pragma once
// Tooltip windows: the ordinary hints of a window's controls, and balloon tips with a title
// and an icon. The tools are kept until Realize makes the tooltip window, which a window does
// when the mouse first comes over one of them: a tip that is never pointed at costs no window.
#include <windows.h>

#include <string>
#include <vector>

namespace klaxora::win {

class ToolTips {
  public:
    ToolTips() = default;
    ~ToolTips();
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;

    // Ordinary hints of `owner`'s controls.
    void CreateHints(HWND owner);
    // Balloons with a title (at most 255 characters) and an icon (TTI_INFO, TTI_WARNING ...).
    void CreateBalloons(HWND owner, const std::wstring& title, int icon);
    // Makes the tooltip window with the tools added so far; later tools go straight to it.
    // False when the window cannot be made (the hints then do not show).
    bool Realize();
    // Whether a tool not yet realized lies on `window` (the window under the mouse): a control
    // with a hint of its own, or the host of an area.
    bool Awaits(HWND window) const;

    // The hint of a control's whole window.
    void Add(HWND control, const std::wstring& text);
    // The hint over a rectangle of a window (a label drawn on it, for instance); returns the
    // area's id for SetAreaText (0: nothing added).
    UINT_PTR AddArea(HWND host, const RECT& area, const std::wstring& text);
    // A control's client rectangle as its area; nothing when it cannot be read.
    void AddClientArea(HWND control, const std::wstring& text);
    void SetText(HWND control, const std::wstring& text);
    // An area's new place and text; an empty text shows no tip.
    void SetArea(HWND host, UINT_PTR id, const RECT& area, const std::wstring& text);

    // The tooltip window; null until realized.
    HWND Hwnd() const { return tip_; }

  private:
    struct Tool {
        HWND host;
        UINT_PTR id;
        UINT flags;
        RECT area;
        std::wstring text;
    };
    void Send(UINT msg, const Tool& tool) const;
    void UpdateText(HWND host, UINT_PTR id, bool isWindow, const std::wstring& text);
    void AddTool(Tool tool);
    HWND owner_ = nullptr;
    DWORD style_ = 0;
    std::wstring title_;
    int icon_ = 0;
    HWND tip_ = nullptr;
    std::vector<Tool> kept_;  // until realized
    UINT_PTR nextId_ = 1;
};

}  // namespace klaxora::win
