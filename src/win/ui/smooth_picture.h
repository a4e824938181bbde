#pragma once
// Smooth pictures from GDI, which draws curves without anti-aliasing: a picture is drawn
// several times larger into a Dib and averaged down, block by block.
#include <cstdint>
#include <optional>

#include "win/sys/handles.h"

namespace klaxora::win {

// While it lives, what is drawn on `dc` lands `scale` times larger, moved by `origin` (device
// pixels), through the dc's world transform: pictures written for 96 DPI drawn at any other.
// The dc's plain mapping comes back when it goes.
class ScaledDrawing {
  public:
    ScaledDrawing(HDC dc, double scale, POINT origin = {});
    ~ScaledDrawing();
    ScaledDrawing(const ScaledDrawing&) = delete;
    ScaledDrawing& operator=(const ScaledDrawing&) = delete;

  private:
    HDC dc_;
};

// A 32-bit top-down DIB section: drawn on with GDI (select Bitmap() into a memory context),
// read and written pixel by pixel as 0xAARRGGBB.
class Dib {
  public:
    // Compatible with `dc` (null: the screen). Empty (false) when Windows has no memory for it.
    Dib(HDC dc, int width, int height);
    explicit operator bool() const { return pixels_ != nullptr; }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t* Pixels() { return pixels_; }
    const uint32_t* Pixels() const { return pixels_; }
    uint32_t& At(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    // Hands the bitmap over (a picture kept after the pixels are done with).
    BitmapHandle Release();

  private:
    BitmapHandle bitmap_;
    uint32_t* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Averages each `scale` x `scale` block of `big` into the pixel of `small` it covers (big is
// `scale` times small in each direction; a block beyond `big` is left out). Without a key the
// result is opaque colour. With a key colour, pixels of that colour are background: the result
// is colour premultiplied by the covered share, which is the alpha (what an icon wants).
// Flushes GDI first, so drawing done just before is counted.
void DownSample(const Dib& big, Dib& small, int scale,
                std::optional<COLORREF> transparentKey = std::nullopt);

// A `width` x `height` picture drawn `scale` times larger by `draw` (given the large picture's
// device context) and averaged down as DownSample does; empty when it cannot be made.
template <class Draw>
BitmapHandle DrawSmooth(HDC screen, int width, int height, int scale, Draw draw,
                        std::optional<COLORREF> transparentKey = std::nullopt) {
    Dib big(screen, width * scale, height * scale);
    Dib small(screen, width, height);
    MemoryDc dc(screen);
    if (!big || !small || !dc)
        return {};
    {
        SelectedObject selected(dc, big.Bitmap());
        draw(static_cast<HDC>(dc));
    }
    DownSample(big, small, scale, transparentKey);
    return small.Release();
}

}  // namespace klaxora::win
