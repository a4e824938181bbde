#pragma once
// A plain child window that holds other controls: the notebook pages, the action panels and
// the two group boxes. It fills itself with one colour, may draw a group frame with its
// caption, and passes its children's notifications up to the top-level window, so one window
// handles every control however deep it sits.
#include "win/sys/handles.h"
#include "win/ui/window.h"

namespace klaxora::win {

class Panel : public Window {
  public:
    // `frame`: draw an etched group frame with the window text as its caption.
    void Create(HWND parent, int x, int y, int width, int height, COLORREF colour,
                const wchar_t* caption = L"", bool frame = false, HFONT font = nullptr);
    void SetCaption(const std::wstring& caption);

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void Paint(HDC dc);
    BrushHandle brush_;
    COLORREF colour_ = 0;
    bool frame_ = false;
    HFONT font_ = nullptr;
};

}  // namespace klaxora::win
