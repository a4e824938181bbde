#pragma once
// The configuration window's look, drawn by the program itself: the skin (background and
// outline, with a transparency mask that shapes the window), the pictures of the image buttons
// in their five states, and the small glyphs of the sound panel and the recent-list buttons.
#include <windows.h>

#include <string>

#include "win/sys/handles.h"
#include "win/ui/image_button.h"

namespace klaxora::win {

enum class ButtonGlyph { Stop, Www, Shortcut, About, Options, Quit, Minimize, Start };
enum class SmallGlyph { Play, Pause, Stop, DropDown };

class Skin {
  public:
    // The skin for a client area of the given size at 96 DPI, drawn for `dpi`; Width and
    // Height are then in pixels.
    void Create(int width, int height, UINT dpi = 96);
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Draws the part of the skin under `area` (client coordinates) into `dc` at (0, 0).
    void PaintArea(HDC dc, const RECT& area) const;
    // A line at the bottom right (when the armed alarm will come); empty: none. Returns the
    // area to paint again (client coordinates).
    RECT SetStatus(std::wstring status);
    // Paints `area` of the window (client coordinates) in one piece.
    void Paint(HDC dc, const RECT& area) const;
    // The window's shape: every pixel of the skin that is not the mask colour.
    HRGN CreateRegion() const;

  private:
    // The whole skin drawn with `origin` (client coordinates) at the dc's (0, 0).
    void Draw(HDC dc, POINT origin) const;
    FontHandle titleFont_, smallFont_;
    std::wstring status_;
    UINT dpi_ = 96;
    int width_ = 0;
    int height_ = 0;
};

// An image button's picture at `origin` (its place on the skin), into a dc of its size.
void DrawButtonPicture(HDC dc, const RECT& rc, ButtonGlyph glyph, ImageState state, bool focused,
                       const Skin& skin, POINT origin);

// The program's bell at a square size (16, 32 ...), with soft edges; the caller owns it.
HICON CreateBellIcon(int size);

// A square icon of a glyph, drawn for 16 x 16 and scaled to `size`; the caller owns it.
HICON CreateSmallGlyphIcon(SmallGlyph glyph, int size = 16);

}  // namespace klaxora::win
