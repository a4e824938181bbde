#include "win/ui/smooth_picture.h"

#include <algorithm>

namespace klaxora::win {

ScaledDrawing::ScaledDrawing(HDC dc, double scale, POINT origin) : dc_(dc) {
    SetGraphicsMode(dc, GM_ADVANCED);
    const XFORM xf{static_cast<FLOAT>(scale),
                   0,
                   0,
                   static_cast<FLOAT>(scale),
                   static_cast<FLOAT>(-origin.x),
                   static_cast<FLOAT>(-origin.y)};
    SetWorldTransform(dc, &xf);
}

ScaledDrawing::~ScaledDrawing() {
    ModifyWorldTransform(dc_, nullptr, MWT_IDENTITY);
    SetGraphicsMode(dc_, GM_COMPATIBLE);
}

Dib::Dib(HDC dc, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap_ && bits) {
        pixels_ = static_cast<uint32_t*>(bits);
        width_ = width;
        height_ = height;
    }
}

BitmapHandle Dib::Release() {
    pixels_ = nullptr;
    width_ = height_ = 0;
    return BitmapHandle(bitmap_.Release());
}

void DownSample(const Dib& big, Dib& small, int scale, std::optional<COLORREF> transparentKey) {
    if (!big || !small || scale < 1)
        return;
    GdiFlush();
    // A DIB pixel is 0x00RRGGBB, a COLORREF 0x00BBGGRR.
    const uint32_t key = transparentKey
                             ? (static_cast<uint32_t>(GetRValue(*transparentKey)) << 16) |
                                   (static_cast<uint32_t>(GetGValue(*transparentKey)) << 8) |
                                   GetBValue(*transparentKey)
                             : 0;
    const unsigned total = static_cast<unsigned>(scale * scale);
    const int width = std::min(small.Width(), big.Width() / scale);
    const int height = std::min(small.Height(), big.Height() / scale);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned r = 0, g = 0, b = 0, covered = 0;
            for (int sy = 0; sy < scale; ++sy) {
                for (int sx = 0; sx < scale; ++sx) {
                    const uint32_t px = big.At(x * scale + sx, y * scale + sy) & 0x00FFFFFFu;
                    if (transparentKey && px == key)
                        continue;
                    r += (px >> 16) & 0xFF;
                    g += (px >> 8) & 0xFF;
                    b += px & 0xFF;
                    ++covered;
                }
            }
            // Dividing by the whole block premultiplies by the covered share; without a key
            // every pixel is covered and this is the plain average.
            const uint32_t colour = ((r / total) << 16) | ((g / total) << 8) | (b / total);
            if (transparentKey) {
                small.At(x, y) = covered ? ((covered * 255 / total) << 24) | colour : 0;
            } else {
                small.At(x, y) = colour;
            }
        }
    }
}

}  // namespace klaxora::win
