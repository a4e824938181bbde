#pragma once
// The windows are laid out for 96 DPI: the layout tables, font heights and drawn pictures are
// written at that scale, and each window scales them by the DPI of the monitor it stands on,
// again whenever it moves to a monitor of another scale (WM_DPICHANGED).
#include <windows.h>

#include <utility>
#include <vector>

#include "win/ui/layout.h"

namespace klaxora::win {

inline constexpr UINT kLayoutDpi = 96;

// The DPI `hwnd` is laid out at: what its top-level window was last laid out for, or the
// system's answer for a window not laid out yet.
UINT DpiOf(HWND hwnd);
// Records the DPI a top-level window is laid out at; its controls made later follow it.
void SetLayoutDpi(HWND root, UINT dpi);
// Forgets it, as the window goes.
void ForgetLayoutDpi(HWND root);

inline int Scale(int value, UINT dpi) {
    return MulDiv(value, static_cast<int>(dpi), static_cast<int>(kLayoutDpi));
}
// A measured size in pixels back at the layout's scale.
inline int Unscale(int value, UINT dpi) {
    return MulDiv(value, static_cast<int>(kLayoutDpi), static_cast<int>(dpi));
}
inline Box Scale(const Box& box, UINT dpi) {
    return {Scale(box.x, dpi), Scale(box.y, dpi), Scale(box.w, dpi), Scale(box.h, dpi)};
}
// A system size (SM_CXSMICON, SM_CXMENUCHECK ...) at `dpi`.
int SystemMetricAt(int index, UINT dpi);

// Moves and sizes every control laid out on `root` and the panels in it from `from` to `to`
// DPI, and hands each control that used a font of `fonts` (old, new) the new one. Controls
// inside standard controls (a list view's header, a combo box's parts) follow their parent.
void RescaleControls(HWND root, UINT from, UINT to,
                     const std::vector<std::pair<HFONT, HFONT>>& fonts);

// Hands every button on `root` that shows an icon of `icons` (old, new) the new one.
void ReplaceButtonIcons(HWND root, const std::vector<std::pair<HICON, HICON>>& icons);

}  // namespace klaxora::win
