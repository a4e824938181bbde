#pragma once
// The alarm popup's pictures, drawn in code beside the skin's: the swinging bell's two frames
// and the OK button's tick.
#include <windows.h>

#include "win/sys/handles.h"

namespace klaxora::win {

inline constexpr int kBellFrameWidth = 128, kBellFrameHeight = 142;

// The bell turned by `angle` degrees on `background`, drawn larger and averaged down; its size
// (kBellFrameWidth x kBellFrameHeight at 96 DPI) follows `dpi`.
BitmapHandle MakeBellFrame(HDC screen, double angle, COLORREF background, UINT dpi = 96);
// The OK button's picture (16 x 16 at 96 DPI): a green tick on the button colour.
BitmapHandle MakeOkGlyph(HDC screen, UINT dpi = 96);
// Copies a picture onto a device context.
void BlitBitmap(HDC target, HBITMAP bitmap, int x, int y, int w, int h);

}  // namespace klaxora::win
