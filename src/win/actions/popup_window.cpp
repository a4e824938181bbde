#include "win/actions/popup_window.h"

#include <string>

#include "app/startup.h"
#include "win/actions/popup_pictures.h"
#include "win/ui/fonts.h"
#include "win/ui/palette.h"

namespace klaxora::win {
namespace {

constexpr UINT_PTR kTimer1 = 1;          // swaps the animation frames
constexpr UINT_PTR kTimerStayOnTop = 2;  // keeps the popup topmost and out of the taskbar
constexpr UINT_PTR kTimerBeep = 3;       // one beep per tick
constexpr UINT kFrameInterval = 50;
constexpr UINT kStayOnTopInterval = 50;
constexpr UINT kBeepInterval = 500;

constexpr int kHeaderHeight = 25;
constexpr int kFrameLeft = 8, kFrameTop = 28, kFrameWidth = kBellFrameWidth,
              kFrameHeight = kBellFrameHeight;
constexpr int kButtonLeft = 150, kButtonTop = 141, kButtonWidth = 71, kButtonHeight = 25;
constexpr int kOkId = 100;
constexpr int kSnoozeId = 101;
constexpr int kSnoozeLeft = 74;

namespace text {
// The title, never shown but read out by screen readers: what fired, then the alarm's text.
constexpr std::wstring_view kNameSuffix = L" \u2013 alarm";
constexpr std::wstring_view kNameTextSeparator = L": ";
constexpr std::wstring_view kHeader = L"ALARM";
constexpr std::wstring_view kOk = L"OK";
constexpr std::wstring_view kSnooze = L"&Drzemka";
}  // namespace text

std::wstring AccessibleName(std::wstring_view alarmText) {
    std::wstring name = std::wstring(kApplicationTitle) + std::wstring(text::kNameSuffix);
    if (!alarmText.empty())
        name += std::wstring(text::kNameTextSeparator) + std::wstring(alarmText);
    return name;
}

}  // namespace

TF_ALARMUJ::~TF_ALARMUJ() = default;

void TF_ALARMUJ::Create() {
    // A tool window is never given a taskbar button. It holds a control, so the message loop
    // lets the dialog manager serve its keys.
    CreateWindowOf({L"TF_ALARMUJ", 0, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))},
                   AccessibleName({}).c_str(), WS_POPUP | WS_CLIPCHILDREN,
                   WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT, 0, 0, kWidth, kHeight,
                   nullptr);
    FitToDpi();
    FormCreate();
}

void TF_ALARMUJ::MakePictures() {
    // The pictures carry the colours they stand on.
    WindowDc screen(nullptr);
    const COLORREF background = CurrentPalette().popup;
    img1_ = MakeBellFrame(screen, -12.0, background, Dpi());
    img2_ = MakeBellFrame(screen, 12.0, background, Dpi());
    okGlyph_ = MakeOkGlyph(screen, Dpi());
}

void TF_ALARMUJ::FitToDpi() {
    SetWindowPos(Hwnd(), nullptr, 0, 0, Scaled(kWidth), Scaled(kHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TF_ALARMUJ::OnDpiChanged(UINT) {
    FitToDpi();
    MakePictures();
}

void TF_ALARMUJ::FormCreate() {
    MakePictures();
    okButton_.Create(Hwnd(), kOkId, {kButtonLeft, kButtonTop, kButtonWidth, kButtonHeight},
                     text::kOk, Font(-11, FontWeight::Normal), BS_OWNERDRAW);
    // Before OK in Tab's order; shown only for a firing that offers it.
    snoozeButton_.Create(Hwnd(), kSnoozeId, {kSnoozeLeft, kButtonTop, kButtonWidth, kButtonHeight},
                         text::kSnooze, Font(-11, FontWeight::Normal));
    SetWindowPos(snoozeButton_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    snoozeButton_.SetVisible(false);
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

void TF_ALARMUJ::PopUp(bool playBeep, std::wstring_view alarmText, std::function<void()> snooze) {
    SetWindowTextW(Hwnd(), AccessibleName(alarmText).c_str());
    snooze_ = std::move(snooze);
    snoozeButton_.SetVisible(static_cast<bool>(snooze_));
    // Asked before the window is disabled: the user was working in it just now.
    const bool takeForeground =
        links_.configurationWindow && GetForegroundWindow() == links_.configurationWindow;
    if (links_.enableConfiguration)
        links_.enableConfiguration(false);
    SetBeepEnabled(playBeep);
    // Placed below the work area before it shows, so it never flashes where it last rested.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(Hwnd(), nullptr, work.right - Scaled(kWidth), work.bottom, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Shown without taking the focus from whatever the user is typing into, unless that was
    // our own window, now disabled: then the keyboard follows to the popup.
    Show(SW_SHOWNOACTIVATE);
    NotifyWinEvent(EVENT_SYSTEM_ALERT, Hwnd(), OBJID_CLIENT, CHILDID_SELF);
    if (takeForeground)
        SetForegroundWindow(Hwnd());
    SlideInPopup(Hwnd(), 10, 2, SlideDirection::In, 0);
}

void TF_ALARMUJ::FormShow() {
    SetTimer(Hwnd(), kTimerStayOnTop, kStayOnTopInterval, nullptr);
    SetTimer(Hwnd(), kTimer1, kFrameInterval, nullptr);
    TimerStayOnTopTimer();
}

void TF_ALARMUJ::FormClose() {
    snooze_ = nullptr;
    if (links_.enableConfiguration)
        links_.enableConfiguration(true);
    KillTimer(Hwnd(), kTimerStayOnTop);
    SetWindowPos(Hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetBeepEnabled(false);
    // The frames need not swap while nobody can see them.
    KillTimer(Hwnd(), kTimer1);
    Hide();
    if (links_.closed)
        links_.closed();
}

void TF_ALARMUJ::SpeedButton1Click() {
    Close();
}

void TF_ALARMUJ::Timer1Timer() {
    img1Visible_ = !img1Visible_;
    const RECT frame{Scaled(kFrameLeft), Scaled(kFrameTop), Scaled(kFrameLeft + kFrameWidth),
                     Scaled(kFrameTop + kFrameHeight)};
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
    const Palette palette = CurrentPalette();
    RECT client{};
    GetClientRect(Hwnd(), &client);
    const int width = client.right, header = Scaled(kHeaderHeight);
    BrushHandle body(CreateSolidBrush(palette.popup));
    FillRect(dc, &client, body.Get());

    // The header, shaded from grey to the button colour, with its caption.
    const auto vertex = [](LONG x, LONG y, COLORREF c) {
        return TRIVERTEX{x,
                         y,
                         static_cast<COLOR16>(GetRValue(c) << 8),
                         static_cast<COLOR16>(GetGValue(c) << 8),
                         static_cast<COLOR16>(GetBValue(c) << 8),
                         0};
    };
    TRIVERTEX ends[2] = {vertex(0, 0, palette.headerLeft),
                         vertex(width, header, palette.headerRight)};
    GRADIENT_RECT span{0, 1};
    GdiGradientFill(dc, ends, 2, &span, 1, GRADIENT_FILL_RECT_H);
    {
        SelectedObject font(dc, Font(-11, FontWeight::Bold));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, palette.headerText);
        TextOutW(dc, Scaled(12), Scaled(5), text::kHeader.data(),
                 static_cast<int>(text::kHeader.size()));
    }

    // The raised bevel round the rest.
    RECT bevel{0, header, width, client.bottom};
    DrawEdge(dc, &bevel, BDR_RAISEDINNER | BDR_RAISEDOUTER, BF_RECT);

    BlitBitmap(dc, img1Visible_ ? img1_.Get() : img2_.Get(), Scaled(kFrameLeft), Scaled(kFrameTop),
               Scaled(kFrameWidth), Scaled(kFrameHeight));
}

void TF_ALARMUJ::DrawSpeedButton(const DRAWITEMSTRUCT& item) {
    RECT r = item.rcItem;
    const bool pushed = item.itemState & ODS_SELECTED;
    DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const int shift = pushed ? 1 : 0;
    const int glyphLeft = r.left + Scaled(12) + shift;
    const int glyph = Scaled(16);
    const int glyphTop = r.top + (r.bottom - r.top - glyph) / 2 + shift;
    BlitBitmap(item.hDC, okGlyph_.Get(), glyphLeft, glyphTop, glyph, glyph);
    RECT text{glyphLeft + glyph, r.top + shift, r.right - Scaled(8) + shift, r.bottom + shift};
    SelectedObject font(item.hDC, Font(-11, FontWeight::Normal));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(item.hDC, text::kOk.data(), static_cast<int>(text::kOk.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -Scaled(4), -Scaled(4));
        DrawFocusRect(item.hDC, &focus);
    }
}

bool TF_ALARMUJ::OnCommand(UINT id, UINT code) {
    if (id == kSnoozeId && code == BN_CLICKED) {
        // Taken before the closing, whose handlers may show the next thing.
        const std::function<void()> snooze = std::move(snooze_);
        snooze_ = nullptr;
        Close();
        if (snooze)
            snooze();
        return true;
    }
    // Enter and Esc come from the dialog manager as IDOK and IDCANCEL.
    const bool closes = id == kOkId || id == IDOK || id == IDCANCEL;
    if (!closes || code != BN_CLICKED)
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
    if (item.CtlID != kOkId)
        return false;
    DrawSpeedButton(item);
    return true;
}

LRESULT TF_ALARMUJ::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleDialogMessage(msg, wParam, lParam, result))
        return result;
    switch (msg) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_SHOWWINDOW:
            if (wParam)
                FormShow();
            break;
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            if (ColoursMayHaveChanged(msg, wParam)) {
                MakePictures();
                RepaintInNewColours(Hwnd());
            }
            return Default(msg, wParam, lParam);
        case WM_ERASEBKGND:
            return 1;  // everything is painted in WM_PAINT, off screen first
        case WM_PAINT: {
            PaintDc dc(Hwnd());
            if (!dc)
                return 0;
            MemoryDc memory(dc);
            RECT client{};
            GetClientRect(Hwnd(), &client);
            BitmapHandle buffer(CreateCompatibleBitmap(dc, client.right, client.bottom));
            if (memory && buffer) {
                SelectedObject b(memory, buffer.Get());
                Paint(memory);
                BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
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
