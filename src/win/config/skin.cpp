#include "win/config/skin.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "win/config/alarm_texts.h"
#include "win/sys/handles.h"
#include "win/ui/fonts.h"
#include "win/ui/palette.h"
#include "win/ui/smooth_picture.h"

namespace klaxora::win {
namespace {

constexpr COLORREF kMask = RGB(255, 0, 255);
constexpr int kRadius = 28;
constexpr int kStatusLeft = 200;  // the status line, right of the maker's name
constexpr int kScale = 4;         // pictures are drawn four times larger and averaged down

// A system colour that happens to be the mask colour would cut a hole in the window.
COLORREF NotMask(COLORREF colour) {
    return colour == kMask ? RGB(254, 0, 255) : colour;
}

void DrawLine(HDC dc, int x, int y, std::wstring_view text) {
    TextOutW(dc, x, y, text.data(), static_cast<int>(text.size()));
}

void VerticalGradient(HDC dc, const RECT& rc, COLORREF top, COLORREF bottom) {
    TRIVERTEX v[2] = {
        {rc.left, rc.top, static_cast<COLOR16>(GetRValue(top) << 8),
         static_cast<COLOR16>(GetGValue(top) << 8), static_cast<COLOR16>(GetBValue(top) << 8), 0},
        {rc.right, rc.bottom, static_cast<COLOR16>(GetRValue(bottom) << 8),
         static_cast<COLOR16>(GetGValue(bottom) << 8), static_cast<COLOR16>(GetBValue(bottom) << 8),
         0},
    };
    GRADIENT_RECT r{0, 1};
    GdiGradientFill(dc, v, 2, &r, 1, GRADIENT_FILL_RECT_V);
}

// The bell in a 28 x 31 box at (x, y), scaled by `k`.
void DrawBell(HDC dc, int x, int y, int k = 1) {
    BrushHandle gold(CreateSolidBrush(RGB(255, 204, 64)));
    PenHandle outline(CreatePen(PS_SOLID, 2 * k, RGB(150, 100, 10)));
    SelectedObject b(dc, gold.Get());
    SelectedObject p(dc, outline.Get());
    auto pt = [&](int px, int py) { return POINT{x + px * k, y + py * k}; };
    const POINT body[] = {pt(4, 22), pt(7, 9),   pt(11, 4),  pt(17, 4),
                          pt(21, 9), pt(24, 22), pt(27, 25), pt(1, 25)};
    Polygon(dc, body, 8);
    Ellipse(dc, x + 11 * k, y + 24 * k, x + 18 * k, y + 31 * k);
    Ellipse(dc, x + 12 * k, y, x + 16 * k, y + 5 * k);
}

}  // namespace

void Skin::Create(int width, int height, UINT dpi) {
    dpi_ = dpi;
    width_ = MulDiv(width, static_cast<int>(dpi), 96);
    height_ = MulDiv(height, static_cast<int>(dpi), 96);
    titleFont_ = MakeFont(-24, FontWeight::Bold, L"Tahoma", FontLook::Smooth);
    smallFont_ = MakeFont(-11, FontWeight::Normal, L"Tahoma", FontLook::Smooth);
}

void Skin::Draw(HDC dc, POINT origin) const {
    // Drawn where it is needed rather than kept as a bitmap of the whole window: most of it
    // lies under the controls, and a few gradients cost less than holding it all the time.
    // Drawn at the layout's scale through the dc's world transform; the clip region is in
    // device pixels, so it is scaled and moved by hand.
    const double scale = dpi_ / 96.0;
    const int width = MulDiv(width_, 96, static_cast<int>(dpi_));
    const int height = MulDiv(height_, 96, static_cast<int>(dpi_));
    {
        RECT device{0, 0, width_, height_};
        OffsetRect(&device, -origin.x, -origin.y);
        BrushHandle mask(CreateSolidBrush(kMask));
        FillRect(dc, &device, mask.Get());
    }
    RegionHandle bodyRgn(CreateRoundRectRgn(0, 0, width_ + 1, height_ + 1,
                                            MulDiv(kRadius, static_cast<int>(dpi_), 96),
                                            MulDiv(kRadius, static_cast<int>(dpi_), 96)));
    OffsetRgn(bodyRgn.Get(), -origin.x, -origin.y);
    const ScaledDrawing scaled(dc, scale, origin);
    RECT all{0, 0, width, height};
    // The body: a rounded slab with a deep blue gradient.
    const Palette palette = CurrentPalette();
    SelectClipRgn(dc, bodyRgn.Get());
    VerticalGradient(dc, all, NotMask(palette.bodyTop), NotMask(palette.bodyBottom));
    RECT band{0, 0, width, 48};
    VerticalGradient(dc, band, NotMask(palette.bandTop), NotMask(palette.bandBottom));
    SelectClipRgn(dc, nullptr);
    {
        PenHandle pen(CreatePen(PS_SOLID, 2, NotMask(palette.outline)));
        SelectedObject p(dc, pen.Get());
        SelectedObject b(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, 1, 1, width, height, kRadius, kRadius);
    }

    // The program's name in the free corner of the top row.
    DrawBell(dc, 16, 10);
    SetBkMode(dc, TRANSPARENT);
    {
        SelectedObject f(dc, titleFont_.Get());
        SetTextColor(dc, NotMask(palette.titleShadow));
        DrawLine(dc, 53, 7, alarm_texts::kSkinTitle);
        SetTextColor(dc, NotMask(palette.title));
        DrawLine(dc, 52, 6, alarm_texts::kSkinTitle);
    }
    {
        SelectedObject f(dc, smallFont_.Get());
        SetTextColor(dc, NotMask(palette.subtitle));
        DrawLine(dc, 54, 33, alarm_texts::kSkinLine);
        SetTextColor(dc, NotMask(palette.maker));
        DrawLine(dc, 20, 280, alarm_texts::kSkinMaker);
        if (!status_.empty()) {
            RECT line{kStatusLeft, 278, width - 20, 294};
            DrawTextW(dc, status_.c_str(), static_cast<int>(status_.size()), &line,
                      DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    }
}

RECT Skin::SetStatus(std::wstring status) {
    status_ = std::move(status);
    return {MulDiv(kStatusLeft, static_cast<int>(dpi_), 96),
            MulDiv(276, static_cast<int>(dpi_), 96), width_,
            MulDiv(296, static_cast<int>(dpi_), 96)};
}

void Skin::PaintArea(HDC dc, const RECT& area) const {
    Draw(dc, {area.left, area.top});
}

void Skin::Paint(HDC dc, const RECT& area) const {
    // Through a memory picture, so the mask colour under the body never reaches the screen.
    const int w = area.right - area.left;
    const int h = area.bottom - area.top;
    if (w <= 0 || h <= 0)
        return;
    MemoryDc memory(dc);
    BitmapHandle bitmap(CreateCompatibleBitmap(dc, w, h));
    SelectedObject selected(memory, bitmap.Get());
    Draw(memory, {area.left, area.top});
    BitBlt(dc, area.left, area.top, w, h, memory, 0, 0, SRCCOPY);
}

HRGN Skin::CreateRegion() const {
    WindowDc screen(nullptr);
    MemoryDc dc(screen);
    Dib dib(screen, width_, height_);
    {
        SelectedObject selected(dc, dib.Bitmap());
        RECT area{0, 0, width_, height_};
        PaintArea(dc, area);
    }
    GdiFlush();

    // Rows of opaque runs collected as one region's rectangles.
    const uint32_t mask = 0x00FF00FFu;  // kMask as 0x00RRGGBB
    std::vector<RECT> rects;
    for (int y = 0; y < height_; ++y) {
        const uint32_t* row = dib.Pixels() + static_cast<size_t>(y) * width_;
        int x = 0;
        while (x < width_) {
            while (x < width_ && (row[x] & 0x00FFFFFFu) == mask)
                ++x;
            const int start = x;
            while (x < width_ && (row[x] & 0x00FFFFFFu) != mask)
                ++x;
            if (x > start)
                rects.push_back({start, y, x, y + 1});
        }
    }
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(rects.size());
    header->nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    header->rcBound = {0, 0, width_, height_};
    std::copy(rects.begin(), rects.end(),
              reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                           reinterpret_cast<const RGNDATA*>(data.data()));
}

namespace {

struct ButtonColours {
    COLORREF fillTop, fillBottom, ring, glyph;
};

ButtonColours PaletteFor(ButtonGlyph glyph, ImageState state) {
    COLORREF glyphColour = RGB(28, 58, 100);
    if (glyph == ButtonGlyph::Stop || glyph == ButtonGlyph::Quit)
        glyphColour = RGB(190, 32, 32);
    if (glyph == ButtonGlyph::Start)
        glyphColour = RGB(22, 140, 44);
    switch (state) {
        case ImageState::Hovered:
            return {RGB(255, 255, 255), RGB(214, 230, 248), RGB(255, 196, 48), glyphColour};
        case ImageState::Pressed:
            return {RGB(160, 184, 214), RGB(206, 222, 240), RGB(40, 70, 112), glyphColour};
        case ImageState::Released:
            return {RGB(250, 255, 250), RGB(206, 240, 210), RGB(70, 190, 90), glyphColour};
        case ImageState::Disabled:
            return {RGB(176, 182, 190), RGB(148, 154, 162), RGB(120, 126, 134), RGB(110, 114, 120)};
        case ImageState::Normal:
            break;
    }
    return {RGB(240, 245, 252), RGB(190, 208, 232), RGB(100, 140, 190), glyphColour};
}

void DrawGlyph(HDC dc, ButtonGlyph glyph, COLORREF colour, COLORREF fill, int dx, int dy) {
    BrushHandle brush(CreateSolidBrush(colour));
    PenHandle pen(CreatePen(PS_SOLID, 8, colour));
    PenHandle nullPen(CreatePen(PS_NULL, 0, 0));
    SelectedObject b(dc, brush.Get());
    SelectedObject p(dc, nullPen.Get());
    const int cx = 74 + dx;
    const int cy = 74 + dy;
    auto pt = [&](int x, int y) { return POINT{cx + x, cy + y}; };
    switch (glyph) {
        case ButtonGlyph::Stop:
            RoundRect(dc, cx - 24, cy - 24, cx + 24, cy + 24, 10, 10);
            break;
        case ButtonGlyph::Start: {
            const POINT tri[] = {pt(-18, -32), pt(-18, 32), pt(34, 0)};
            Polygon(dc, tri, 3);
            break;
        }
        case ButtonGlyph::Www: {
            SelectObject(dc, pen.Get());
            SelectObject(dc, GetStockObject(NULL_BRUSH));
            Ellipse(dc, cx - 36, cy - 36, cx + 36, cy + 36);
            Ellipse(dc, cx - 15, cy - 36, cx + 15, cy + 36);
            MoveToEx(dc, cx - 36, cy, nullptr);
            LineTo(dc, cx + 36, cy);
            MoveToEx(dc, cx - 30, cy - 18, nullptr);
            LineTo(dc, cx + 30, cy - 18);
            MoveToEx(dc, cx - 30, cy + 18, nullptr);
            LineTo(dc, cx + 30, cy + 18);
            break;
        }
        case ButtonGlyph::Shortcut: {
            SelectObject(dc, pen.Get());
            SelectObject(dc, GetStockObject(NULL_BRUSH));
            Rectangle(dc, cx - 28, cy - 34, cx + 28, cy + 34);
            MoveToEx(dc, cx - 14, cy + 20, nullptr);
            LineTo(dc, cx + 8, cy - 2);
            SelectObject(dc, nullPen.Get());
            SelectObject(dc, brush.Get());
            const POINT head[] = {pt(16, -12), pt(-8, -10), pt(14, 12)};
            Polygon(dc, head, 3);
            break;
        }
        case ButtonGlyph::About:
            Ellipse(dc, cx - 8, cy - 34, cx + 8, cy - 18);
            Rectangle(dc, cx - 7, cy - 10, cx + 8, cy + 30);
            Rectangle(dc, cx - 15, cy - 10, cx + 8, cy - 3);
            Rectangle(dc, cx - 15, cy + 24, cx + 16, cy + 31);
            break;
        case ButtonGlyph::Options: {
            POINT gear[32];
            for (int i = 0; i < 32; ++i) {
                const double angle = (i / 2) * (3.14159265358979 / 8.0) + (i % 2 ? 0.22 : -0.0);
                const int teeth = (i / 2) % 2 == 0;
                const double r = teeth ? 37.0 : 27.0;
                gear[i] = {cx + static_cast<int>(std::lround(r * std::cos(angle))),
                           cy + static_cast<int>(std::lround(r * std::sin(angle)))};
            }
            Polygon(dc, gear, 32);
            BrushHandle hole(CreateSolidBrush(fill));
            SelectObject(dc, hole.Get());
            Ellipse(dc, cx - 11, cy - 11, cx + 11, cy + 11);
            SelectObject(dc, brush.Get());
            break;
        }
        case ButtonGlyph::Quit:
            SelectObject(dc, pen.Get());
            SelectObject(dc, GetStockObject(NULL_BRUSH));
            Arc(dc, cx - 30, cy - 26, cx + 30, cy + 34, cx - 16, cy - 24, cx + 16, cy - 24);
            MoveToEx(dc, cx, cy - 36, nullptr);
            LineTo(dc, cx, cy + 2);
            break;
        case ButtonGlyph::Minimize: {
            Rectangle(dc, cx - 28, cy + 22, cx + 28, cy + 32);
            Rectangle(dc, cx - 6, cy - 36, cx + 7, cy - 8);
            const POINT tri[] = {pt(-22, -10), pt(22, -10), pt(0, 14)};
            Polygon(dc, tri, 3);
            break;
        }
    }
}

}  // namespace

void DrawButtonPicture(HDC dc, const RECT& rc, ButtonGlyph glyph, ImageState state, bool focused,
                       const Skin& skin, POINT origin) {
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    const int bw = w * kScale;
    const int bh = h * kScale;
    const BitmapHandle picture = DrawSmooth(dc, w, h, kScale, [&](HDC big) {
        // The skin under the button, enlarged, so the round edge blends into it.
        Dib under(dc, w, h);
        MemoryDc underDc(dc);
        SelectedObject selected(underDc, under.Bitmap());
        skin.PaintArea(underDc, {origin.x, origin.y, origin.x + w, origin.y + h});
        SetStretchBltMode(big, COLORONCOLOR);
        StretchBlt(big, 0, 0, bw, bh, underDc, 0, 0, w, h, SRCCOPY);

        // The ring and the glyph are drawn for a 37-pixel button and follow the button's size.
        const double size = w / 37.0;
        const ButtonColours pal = PaletteFor(glyph, state);
        const int inset = static_cast<int>(2 * kScale * size);
        RegionHandle clip(CreateEllipticRgn(inset, inset, bw - inset, bh - inset));
        SelectClipRgn(big, clip.Get());
        VerticalGradient(big, {inset, inset, bw - inset, bh - inset}, pal.fillTop, pal.fillBottom);
        SelectClipRgn(big, nullptr);
        PenHandle ring(CreatePen(PS_SOLID, std::max(1, inset), pal.ring));
        SelectedObject p(big, ring.Get());
        SelectedObject b(big, GetStockObject(NULL_BRUSH));
        Ellipse(big, inset, inset, bw - inset, bh - inset);
        const int shift = state == ImageState::Pressed ? kScale : 0;
        const ScaledDrawing scaled(big, size);
        DrawGlyph(big, glyph, pal.glyph, pal.fillBottom, shift, shift);
    });
    MemoryDc small(dc);
    SelectedObject selected(small, picture.Get());
    if (focused) {
        RECT focus{1, 1, w - 1, h - 1};
        DrawFocusRect(small, &focus);
    }
    BitBlt(dc, rc.left, rc.top, w, h, small, 0, 0, SRCCOPY);
}

HICON CreateBellIcon(int size) {
    // Drawn four times larger on the mask colour; coverage becomes the alpha channel.
    const int big = size * kScale;
    WindowDc screen(nullptr);
    // Coverage of the drawing becomes the alpha channel.
    const BitmapHandle icon = DrawSmooth(
        screen, size, size, kScale,
        [&](HDC dc) {
            RECT all{0, 0, big, big};
            BrushHandle mask(CreateSolidBrush(kMask));
            FillRect(dc, &all, mask.Get());
            const int k = std::max(1, big / 32);
            DrawBell(dc, (big - 28 * k) / 2, (big - 31 * k) / 2, k);
        },
        kMask);
    BitmapHandle mask(CreateBitmap(size, size, 1, 1, nullptr));
    ICONINFO info{TRUE, 0, 0, mask.Get(), icon.Get()};
    return CreateIconIndirect(&info);
}

HICON CreateSmallGlyphIcon(SmallGlyph glyph, int size) {
    const int kSize = size;
    WindowDc screen(nullptr);
    MemoryDc colourDc(screen);
    MemoryDc maskDc(screen);
    BitmapHandle colour(CreateCompatibleBitmap(screen, kSize, kSize));
    BitmapHandle mask(CreateBitmap(kSize, kSize, 1, 1, nullptr));
    COLORREF ink = RGB(30, 60, 110);
    if (glyph == SmallGlyph::Play)
        ink = RGB(20, 130, 40);
    if (glyph == SmallGlyph::Stop)
        ink = RGB(170, 30, 30);
    if (glyph == SmallGlyph::DropDown)
        ink = RGB(0, 0, 0);
    {
        SelectedObject c(colourDc, colour.Get());
        SelectedObject m(maskDc, mask.Get());
        RECT all{0, 0, kSize, kSize};
        FillRect(colourDc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        FillRect(maskDc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        BrushHandle inkBrush(CreateSolidBrush(ink));
        const ScaledDrawing scaledColour(colourDc, size / 16.0), scaledMask(maskDc, size / 16.0);
        for (HDC d : {static_cast<HDC>(colourDc), static_cast<HDC>(maskDc)}) {
            SelectedObject b(
                d, d == static_cast<HDC>(colourDc) ? inkBrush.Get() : GetStockObject(BLACK_BRUSH));
            SelectedObject p(d, GetStockObject(NULL_PEN));
            switch (glyph) {
                case SmallGlyph::Play: {
                    const POINT tri[] = {{4, 2}, {4, 15}, {13, 8}};
                    Polygon(d, tri, 3);
                    break;
                }
                case SmallGlyph::Pause:
                    Rectangle(d, 3, 3, 7, 14);
                    Rectangle(d, 9, 3, 13, 14);
                    break;
                case SmallGlyph::Stop:
                    Rectangle(d, 3, 3, 14, 14);
                    break;
                case SmallGlyph::DropDown: {
                    const POINT tri[] = {{4, 6}, {13, 6}, {8, 11}};
                    Polygon(d, tri, 3);
                    break;
                }
            }
        }
    }
    ICONINFO info{TRUE, 0, 0, mask.Get(), colour.Get()};
    return CreateIconIndirect(&info);
}

}  // namespace klaxora::win
