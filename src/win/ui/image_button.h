#pragma once
// A push button drawn from pictures: one each for the normal, hovered, pressed, released and
// disabled states. It stays a standard button (class "Button", owner-drawn), so the keyboard,
// assistive tools and other programs see an ordinary button with its caption.
#include <windows.h>

#include <functional>
#include <string>

namespace klaxora::win {

enum class ImageState { Normal, Hovered, Pressed, Released, Disabled };

class ImageButton {
  public:
    using Painter = std::function<void(HDC dc, const RECT& rc, ImageState state, bool focused)>;

    void Create(HWND parent, int id, int x, int y, int width, int height,
                const std::wstring& caption, Painter painter);
    HWND Hwnd() const { return hwnd_; }
    operator HWND() const { return hwnd_; }
    ImageState State() const;
    // Called by the parent for WM_DRAWITEM of this button.
    void Draw(const DRAWITEMSTRUCT& item);
    // The button a window handle belongs to, or null.
    static ImageButton* From(HWND hwnd);

  private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    HWND hwnd_ = nullptr;
    Painter painter_;
    bool hovered_ = false;
    bool released_ = false;  // clicked and still under the mouse
};

}  // namespace klaxora::win
