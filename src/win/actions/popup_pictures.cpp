#include "win/actions/popup_pictures.h"

#include <cmath>
#include <iterator>

#include "win/ui/smooth_picture.h"

namespace klaxora::win {
namespace {

// A world transform scaling by k and turning by `degrees` about (cx, cy), then moving the
// drawing down by dy.
XFORM Swing(double degrees, double k, double cx, double cy, double dy) {
    const double r = degrees * 3.14159265358979 / 180.0;
    const double c = k * std::cos(r), s = k * std::sin(r);
    XFORM x{};
    x.eM11 = static_cast<FLOAT>(c);
    x.eM12 = static_cast<FLOAT>(s);
    x.eM21 = static_cast<FLOAT>(-s);
    x.eM22 = static_cast<FLOAT>(c);
    x.eDx = static_cast<FLOAT>(cx - cx * c + cy * s);
    x.eDy = static_cast<FLOAT>(cy - cx * s - cy * c + dy);
    return x;
}

// An ellipse as four bezier quarters inside an open path: turned exactly by a world
// transform and joined to nothing drawn before it.
void EllipseFigure(HDC dc, int l, int t, int r, int b) {
    const double cx = (l + r) / 2.0, cy = (t + b) / 2.0, rx = (r - l) / 2.0, ry = (b - t) / 2.0;
    const double k = 0.5523;
    const auto at = [](double x, double y) {
        return POINT{static_cast<LONG>(std::lround(x)), static_cast<LONG>(std::lround(y))};
    };
    const POINT curve[] = {
        at(cx + rx, cy + k * ry), at(cx + k * rx, cy + ry), at(cx, cy + ry),
        at(cx - k * rx, cy + ry), at(cx - rx, cy + k * ry), at(cx - rx, cy),
        at(cx - rx, cy - k * ry), at(cx - k * rx, cy - ry), at(cx, cy - ry),
        at(cx + k * rx, cy - ry), at(cx + rx, cy - k * ry), at(cx + rx, cy),
    };
    MoveToEx(dc, static_cast<int>(std::lround(cx + rx)), static_cast<int>(std::lround(cy)),
             nullptr);
    PolyBezierTo(dc, curve, static_cast<DWORD>(std::size(curve)));
    CloseFigure(dc);
}

void FillEllipse(HDC dc, COLORREF fill, COLORREF line, int l, int t, int r, int b, int width) {
    BrushHandle brush(CreateSolidBrush(fill));
    PenHandle pen(CreatePen(PS_SOLID, width, line));
    SelectedObject b1(dc, brush.Get());
    SelectedObject p1(dc, pen.Get());
    // As a path, so that a turned drawing turns the ellipse exactly.
    BeginPath(dc);
    EllipseFigure(dc, l, t, r, b);
    EndPath(dc);
    StrokeAndFillPath(dc);
}

// One frame of the swinging bell at s times its size; it is averaged down afterwards so that
// its curves are not jagged.
void DrawBell(HDC dc, double angle, int s, COLORREF background) {
    const COLORREF outline = RGB(133, 86, 8);
    const COLORREF body = RGB(246, 189, 38);
    const COLORREF shine = RGB(255, 236, 160);
    const COLORREF rim = RGB(214, 148, 22);
    const COLORREF waves = RGB(200, 60, 40);

    RECT all{0, 0, kBellFrameWidth * s, kBellFrameHeight * s};
    BrushHandle fill(CreateSolidBrush(background));
    FillRect(dc, &all, fill.Get());

    // Sound waves on the side the bell swings to, drawn upright.
    {
        PenHandle pen(CreatePen(PS_SOLID, 3 * s, waves));
        SelectedObject p(dc, pen.Get());
        SelectedObject b(dc, GetStockObject(NULL_BRUSH));
        const int side = angle < 0 ? -1 : 1;
        const int cx = (64 + side * 44) * s, cy = 70 * s;
        for (int i = 0; i < 2; ++i) {
            const int r = (8 + 8 * i) * s;
            // Arcs open away from the bell.
            if (side > 0) {
                Arc(dc, cx - r, cy - r, cx + r, cy + r, cx, cy + r, cx, cy - r);
            } else {
                Arc(dc, cx - r, cy - r, cx + r, cy + r, cx, cy - r, cx, cy + r);
            }
        }
    }

    // Turned within whatever scale the caller set.
    XFORM outer{};
    GetWorldTransform(dc, &outer);
    const XFORM turn = Swing(angle, 0.86, 64.0 * s, 14.0 * s, 6.0 * s);
    ModifyWorldTransform(dc, &turn, MWT_LEFTMULTIPLY);

    // The hanger ring.
    {
        PenHandle pen(CreatePen(PS_SOLID, 4 * s, outline));
        SelectedObject p(dc, pen.Get());
        SelectedObject b(dc, GetStockObject(NULL_BRUSH));
        BeginPath(dc);
        EllipseFigure(dc, 56 * s, 6 * s, 72 * s, 24 * s);
        EndPath(dc);
        StrokePath(dc);
    }

    // The body: a bezier outline closed by the mouth.
    const POINT outlinePoints[] = {
        {18 * s, 108 * s},  {26 * s, 96 * s}, {30 * s, 74 * s}, {32 * s, 52 * s},
        {34 * s, 30 * s},   {48 * s, 20 * s}, {64 * s, 20 * s}, {80 * s, 20 * s},
        {94 * s, 30 * s},   {96 * s, 52 * s}, {98 * s, 74 * s}, {102 * s, 96 * s},
        {110 * s, 108 * s},
    };
    {
        BrushHandle brush(CreateSolidBrush(body));
        PenHandle pen(CreatePen(PS_SOLID, 2 * s, outline));
        SelectedObject b(dc, brush.Get());
        SelectedObject p(dc, pen.Get());
        BeginPath(dc);
        MoveToEx(dc, outlinePoints[0].x, outlinePoints[0].y, nullptr);
        PolyBezier(dc, outlinePoints, static_cast<DWORD>(std::size(outlinePoints)));
        LineTo(dc, 18 * s, 108 * s);
        EndPath(dc);
        StrokeAndFillPath(dc);
    }
    // A highlight down the left of the body.
    FillEllipse(dc, shine, shine, 38 * s, 36 * s, 53 * s, 90 * s, 1);
    // A band round the shoulder and the rim at the mouth.
    {
        PenHandle pen(CreatePen(PS_SOLID, 3 * s, rim));
        SelectedObject p(dc, pen.Get());
        MoveToEx(dc, 33 * s, 44 * s, nullptr);
        LineTo(dc, 95 * s, 44 * s);
    }
    FillEllipse(dc, rim, outline, 14 * s, 101 * s, 114 * s, 113 * s, 2 * s);
    // The clapper hangs below the mouth and lags behind the swing.
    const int clapperX = (64 - static_cast<int>(angle * 0.8)) * s;
    FillEllipse(dc, RGB(110, 70, 10), outline, clapperX - 8 * s, 108 * s, clapperX + 8 * s, 124 * s,
                s);

    SetWorldTransform(dc, &outer);
}

}  // namespace

BitmapHandle MakeBellFrame(HDC screen, double angle, COLORREF background, UINT dpi) {
    constexpr int s = 2;
    return DrawSmooth(screen, MulDiv(kBellFrameWidth, static_cast<int>(dpi), 96),
                      MulDiv(kBellFrameHeight, static_cast<int>(dpi), 96), s, [&](HDC dc) {
                          const ScaledDrawing scaled(dc, dpi / 96.0);
                          DrawBell(dc, angle, s, background);
                      });
}

// The OK button's picture: a green tick on the button colour.
BitmapHandle MakeOkGlyph(HDC screen, UINT dpi) {
    const int size = MulDiv(16, static_cast<int>(dpi), 96);
    MemoryDc dc(screen);
    BitmapHandle glyph(CreateCompatibleBitmap(screen, size, size));
    if (!dc || !glyph)
        return {};
    SelectedObject b(dc, glyph.Get());
    RECT r{0, 0, size, size};
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    const ScaledDrawing scaled(dc, dpi / 96.0);
    PenHandle pen(CreatePen(PS_SOLID, 3, RGB(24, 140, 40)));
    SelectedObject p(dc, pen.Get());
    const POINT tick[] = {{2, 8}, {6, 12}, {14, 3}};
    Polyline(dc, tick, 3);
    return glyph;
}

void BlitBitmap(HDC target, HBITMAP bitmap, int x, int y, int w, int h) {
    MemoryDc source(target);
    if (!source || !bitmap)
        return;
    SelectedObject b(source, bitmap);
    BitBlt(target, x, y, w, h, source, 0, 0, SRCCOPY);
}

}  // namespace klaxora::win
