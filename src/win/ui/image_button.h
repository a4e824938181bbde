#pragma once
// A push button drawn from pictures: one each for the normal, hovered, pressed, released and
// disabled states. It stays a standard button (class "Button", owner-drawn), so the keyboard,
// assistive tools and other programs see an ordinary button with its caption.
#include <windows.h>

#include <functional>
#include <string>

#include "win/ui/controls.h"

namespace klaxora::win {

enum class ImageState { Normal, Hovered, Pressed, Released, Disabled };

class ImageButton : public Control {
  public:
    using Painter = std::function<void(HDC dc, const RECT& rc, ImageState state, bool focused)>;

    // The button's window keeps a pointer to this object: it stays where it was made.
    ImageButton() = default;
    ImageButton(const ImageButton&) = delete;
    ImageButton& operator=(const ImageButton&) = delete;

    void Create(HWND parent, UINT id, const Box& box, std::wstring_view caption, Painter painter);
    ImageState State() const;
    // Called by the parent for WM_DRAWITEM of this button.
    void Draw(const DRAWITEMSTRUCT& item);

  private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    Painter painter_;
    WNDPROC buttonProc_ = nullptr;
    bool hovered_ = false;
    bool released_ = false;  // clicked and still under the mouse
};

}  // namespace klaxora::win
