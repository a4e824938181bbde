#include "win/actions/popup_window.h"

#include <cmath>
#include <string>

#include "win/ui/fonts.h"
#include "win/ui/smooth_picture.h"

namespace klaxora::win {
namespace {

constexpr UINT_PTR kTimer1 = 1;          // swaps the animation frames
constexpr UINT_PTR kTimerStayOnTop = 2;  // keeps the popup topmost and out of the taskbar
constexpr UINT_PTR kTimerBeep = 3;       // one beep per tick
constexpr UINT kFrameInterval = 50;
constexpr UINT kStayOnTopInterval = 50;
constexpr UINT kBeepInterval = 500;

constexpr int kHeaderHeight = 25;
constexpr int kFrameLeft = 8, kFrameTop = 28, kFrameWidth = 128, kFrameHeight = 142;
constexpr int kButtonLeft = 150, kButtonTop = 141, kButtonWidth = 71, kButtonHeight = 25;
constexpr int kSpeedButton1Id = 100;

namespace text {
// "ALARM", a space and 50 exclamation marks: the popup's title, never shown.
const std::wstring kCaption = L"ALARM " + std::wstring(50, L'!');
constexpr std::wstring_view kHeader = L"ALARM";
constexpr std::wstring_view kOk = L"OK";
}  // namespace text

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
void DrawBell(HDC dc, double angle, int s) {
    const COLORREF outline = RGB(133, 86, 8);
    const COLORREF body = RGB(246, 189, 38);
    const COLORREF shine = RGB(255, 236, 160);
    const COLORREF rim = RGB(214, 148, 22);
    const COLORREF waves = RGB(200, 60, 40);

    RECT all{0, 0, kFrameWidth * s, kFrameHeight * s};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

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

    SetGraphicsMode(dc, GM_ADVANCED);
    const XFORM turn = Swing(angle, 0.86, 64.0 * s, 14.0 * s, 6.0 * s);
    SetWorldTransform(dc, &turn);

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

    ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
    SetGraphicsMode(dc, GM_COMPATIBLE);
}

BitmapHandle MakeFrame(HDC screen, double angle) {
    constexpr int s = 2;
    Dib big(screen, kFrameWidth * s, kFrameHeight * s);
    Dib frame(screen, kFrameWidth, kFrameHeight);
    MemoryDc dc(screen);
    if (!big || !frame || !dc)
        return {};
    {
        SelectedObject b(dc, big.Bitmap());
        DrawBell(dc, angle, s);
    }
    DownSample(big, frame, s);
    return frame.Release();
}

// The OK button's 16 x 16 picture: a green tick on the button colour.
BitmapHandle MakeOkGlyph(HDC screen) {
    MemoryDc dc(screen);
    BitmapHandle glyph(CreateCompatibleBitmap(screen, 16, 16));
    if (!dc || !glyph)
        return {};
    SelectedObject b(dc, glyph.Get());
    RECT r{0, 0, 16, 16};
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
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

}  // namespace

TF_ALARMUJ::~TF_ALARMUJ() = default;

void TF_ALARMUJ::Create() {
    // A tool window is never given a taskbar button.
    CreateWindowOf({L"TF_ALARMUJ", 0, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))},
                   text::kCaption.c_str(), WS_POPUP | WS_CLIPCHILDREN,
                   WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0, 0, kWidth, kHeight, nullptr);
    FormCreate();
}

void TF_ALARMUJ::FormCreate() {
    {
        WindowDc screen(nullptr);
        img1_ = MakeFrame(screen, -12.0);
        img2_ = MakeFrame(screen, 12.0);
        okGlyph_ = MakeOkGlyph(screen);
    }
    captionFont_ = MakeFont(-11, FontWeight::Bold);
    speedButton1_.Create(Hwnd(), kSpeedButton1Id,
                         {kButtonLeft, kButtonTop, kButtonWidth, kButtonHeight}, text::kOk,
                         SystemGuiFont(), BS_OWNERDRAW);
}

void TF_ALARMUJ::Close() {
    FormClose();
}

void TF_ALARMUJ::SetBeepEnabled(bool enabled) {
    beepEnabled_ = enabled;
    if (enabled) {
        SetTimer(Hwnd(), kTimerBeep, kBeepInterval, nullptr);
    } else {
        KillTimer(Hwnd(), kTimerBeep);
    }
}

void TF_ALARMUJ::PopUp(bool playBeep) {
    if (enableConfiguration_)
        enableConfiguration_(false);
    SetBeepEnabled(playBeep);
    // Placed below the work area before it shows, so it never flashes where it last rested.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(Hwnd(), nullptr, work.right - kWidth, work.bottom, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Shown without taking the focus from whatever the user is typing into.
    Show(SW_SHOWNOACTIVATE);
    SlideInPopup(Hwnd(), 10, 2, SlideDirection::In, 0);
}

void TF_ALARMUJ::FormShow() {
    SetTimer(Hwnd(), kTimerStayOnTop, kStayOnTopInterval, nullptr);
    SetTimer(Hwnd(), kTimer1, kFrameInterval, nullptr);
    TimerStayOnTopTimer();
}

void TF_ALARMUJ::FormClose() {
    if (enableConfiguration_)
        enableConfiguration_(true);
    KillTimer(Hwnd(), kTimerStayOnTop);
    SetWindowPos(Hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetBeepEnabled(false);
    // The frames need not swap while nobody can see them.
    KillTimer(Hwnd(), kTimer1);
    Hide();
}

void TF_ALARMUJ::SpeedButton1Click() {
    Close();
}

void TF_ALARMUJ::Timer1Timer() {
    img1Visible_ = !img1Visible_;
    const RECT frame{kFrameLeft, kFrameTop, kFrameLeft + kFrameWidth, kFrameTop + kFrameHeight};
    InvalidateRect(Hwnd(), &frame, FALSE);
}

void TF_ALARMUJ::TimerStayOnTopTimer() {
    // Above any window brought to the front since the last tick, without taking the focus.
    SetWindowPos(Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const LONG_PTR style = GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE);
    const LONG_PTR wanted = (style | WS_EX_TOOLWINDOW) & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW);
    if (wanted != style)
        SetWindowLongPtrW(Hwnd(), GWL_EXSTYLE, wanted);
}

void TF_ALARMUJ::t_BeepTimer() {
    if (beeper_) {
        beeper_();
    } else {
        MessageBeep(0);
    }
}

void TF_ALARMUJ::Paint(HDC dc) {
    RECT client{0, 0, kWidth, kHeight};
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    // The header, shaded from grey to the button colour, with its caption.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    TRIVERTEX ends[2] = {
        {0, 0, 0x8000, 0x8000, 0x8000, 0},
        {kWidth, kHeaderHeight, static_cast<COLOR16>(GetRValue(face) << 8),
         static_cast<COLOR16>(GetGValue(face) << 8), static_cast<COLOR16>(GetBValue(face) << 8), 0},
    };
    GRADIENT_RECT span{0, 1};
    GradientFill(dc, ends, 2, &span, 1, GRADIENT_FILL_RECT_H);
    {
        SelectedObject font(dc, captionFont_.Get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        TextOutW(dc, 12, 5, text::kHeader.data(), static_cast<int>(text::kHeader.size()));
    }

    // The raised bevel round the rest.
    RECT bevel{0, kHeaderHeight, kWidth, kHeight};
    DrawEdge(dc, &bevel, BDR_RAISEDINNER | BDR_RAISEDOUTER, BF_RECT);

    BlitBitmap(dc, img1Visible_ ? img1_.Get() : img2_.Get(), kFrameLeft, kFrameTop, kFrameWidth,
               kFrameHeight);
}

void TF_ALARMUJ::DrawSpeedButton(const DRAWITEMSTRUCT& item) {
    RECT r = item.rcItem;
    const bool pushed = item.itemState & ODS_SELECTED;
    DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const int shift = pushed ? 1 : 0;
    const int glyphLeft = r.left + 12 + shift;
    const int glyphTop = r.top + (r.bottom - r.top - 16) / 2 + shift;
    BlitBitmap(item.hDC, okGlyph_.Get(), glyphLeft, glyphTop, 16, 16);
    RECT text{glyphLeft + 16, r.top + shift, r.right - 8 + shift, r.bottom + shift};
    SelectedObject font(item.hDC, SystemGuiFont());
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(item.hDC, text::kOk.data(), static_cast<int>(text::kOk.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(item.hDC, &focus);
    }
}

bool TF_ALARMUJ::OnCommand(UINT id, UINT code) {
    if (id != kSpeedButton1Id || code != BN_CLICKED)
        return false;
    SpeedButton1Click();
    return true;
}

bool TF_ALARMUJ::OnTimer(UINT_PTR id) {
    if (id == kTimer1)
        Timer1Timer();
    else if (id == kTimerStayOnTop)
        TimerStayOnTopTimer();
    else if (id == kTimerBeep)
        t_BeepTimer();
    return true;
}

bool TF_ALARMUJ::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID != kSpeedButton1Id)
        return false;
    DrawSpeedButton(item);
    return true;
}

LRESULT TF_ALARMUJ::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_SHOWWINDOW:
            if (wParam)
                FormShow();
            break;
        case WM_ERASEBKGND:
            return 1;  // everything is painted in WM_PAINT, off screen first
        case WM_PAINT: {
            PaintDc dc(Hwnd());
            if (!dc)
                return 0;
            MemoryDc memory(dc);
            BitmapHandle buffer(CreateCompatibleBitmap(dc, kWidth, kHeight));
            if (memory && buffer) {
                SelectedObject b(memory, buffer.Get());
                Paint(memory);
                BitBlt(dc, 0, 0, kWidth, kHeight, memory, 0, 0, SRCCOPY);
            } else {
                Paint(dc);  // no memory for a buffer: straight to the screen, flicker and all
            }
            return 0;
        }
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;  // a click on the popup leaves the focus where it was
        default:
            break;
    }
    return Default(msg, wParam, lParam);
}

void ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        // The same path as the main loop, so F1, F10 and Tab work in our windows during an
        // action too.
        HandleQueuedMessage(msg);
    }
}

void SlideInPopup(HWND window, int delayMs, int step, SlideDirection direction, int pauseMs) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    // The work area's true edges, so a taskbar at the top or left does not offset the popup.
    const int left = work.right - width;
    const std::vector<int> tops = SlideTops(work.bottom, height, step, direction);
    for (size_t i = 0; i < tops.size(); ++i) {
        SetWindowPos(window, nullptr, left, tops[i], 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (i == 0 || i + 1 == tops.size())
            continue;  // the first and last placements
        ProcessMessages();
        Sleep(static_cast<DWORD>(delayMs > 0 ? delayMs : 0));
    }
    if (pauseMs > 0) {
        Sleep(static_cast<DWORD>(pauseMs));
        SlideInPopup(window, delayMs, step, SlideDirection::Out, 0);
    }
}

}  // namespace klaxora::win
