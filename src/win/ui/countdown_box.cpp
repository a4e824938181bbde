#include "win/ui/countdown_box.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <vector>

#include "win/sys/handles.h"
#include "win/ui/dpi.h"
#include "win/ui/owned_dialog.h"

// A dialog of our own rather than a task dialog: on Windows a task dialog draws its text
// itself, with no Static child a tool could read, and under Wine Esc does nothing in a task
// dialog without a Cancel button.

namespace klaxora::win {
namespace {

// The ids a message box gives its text and its icon, so what reads message boxes reads ours.
constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 20;
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;

constexpr UINT_PTR kTickTimer = 1;
// A tick only prompts a look at the clock: five a second keep the number within a fifth of a
// second of the truth and let a compressed clock count down visibly.
constexpr UINT kTickMs = 200;
// Posted at creation: the box can take the foreground only once it shows.
constexpr UINT kShownMessage = WM_APP + 1;

// The box's measures, in dialog units of its font, after the system's message boxes.
struct Measures {
    int marginX = 8;  // around the icon and the text, and beside the buttons
    int marginY = 8;
    int iconGap = 8;  // between the icon and the text
    int maxTextWidth = 260;
    int buttonWidth = 50;  // at least: a long caption widens both buttons alike
    int buttonHeight = 14;
    int buttonGap = 4;
    int captionPad = 8;  // beside a caption inside its button
    int bandPad = 6;     // above and below the buttons in their band
};
constexpr Measures kMeasures;

// The whole seconds shown with `remainingMs` left: a started second counts, so the box shows 1
// until the moment itself and never 0 before it.
int SecondsShown(int64_t remainingMs) {
    return remainingMs <= 0 ? 0 : static_cast<int>((remainingMs + 999) / 1000);
}

// The font message boxes use, so the box reads like the system's own; the shell's dialog font
// where the system will not say.
LOGFONTW MessageFont(int& points) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) &&
        metrics.lfMessageFont.lfHeight != 0) {
        WindowDc screen(nullptr);
        points =
            MulDiv(std::abs(metrics.lfMessageFont.lfHeight), 72, GetDeviceCaps(screen, LOGPIXELSY));
        return metrics.lfMessageFont;
    }
    LOGFONTW font{};
    lstrcpynW(font.lfFaceName, L"MS Shell Dlg", LF_FACESIZE);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    points = 8;
    return font;
}

// An extended dialog template in memory: the frame, then its items, each on a DWORD boundary.
class DialogTemplate {
  public:
    DialogTemplate(DWORD style, const std::wstring& title) {
        int points = 0;
        const LOGFONTW font = MessageFont(points);
        Words({1, 0xFFFF});  // version and signature of the extended form
        Dword(0);            // help id
        Dword(0);            // extended style: topmost is set once the box exists
        Dword(style | DS_SETFONT);
        count_ = words_.size();
        // No items yet; placed and sized in pixels once the font is known.
        Words({0, 0, 0, 200, 60, 0, 0});
        Text(title);
        Words({static_cast<WORD>(points), static_cast<WORD>(font.lfWeight),
               MAKEWORD(font.lfItalic, font.lfCharSet)});
        Text(font.lfFaceName);
    }
    void Item(DWORD style, WORD classAtom, int id, const std::wstring& text) {
        if (words_.size() % 2)
            words_.push_back(0);
        Dword(0);
        Dword(0);
        Dword(style | WS_CHILD | WS_VISIBLE);
        Words({0, 0, 0, 0});
        Dword(static_cast<DWORD>(id));
        Words({0xFFFF, classAtom});
        Text(text);
        Words({0});  // no creation data
        ++words_[count_];
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    void Words(std::initializer_list<WORD> words) { words_.insert(words_.end(), words); }
    void Dword(DWORD value) { Words({LOWORD(value), HIWORD(value)}); }
    void Text(const std::wstring& text) {
        words_.insert(words_.end(), text.begin(), text.end());
        words_.push_back(0);
    }
    std::vector<WORD> words_;
    size_t count_ = 0;
};

class Countdown {
  public:
    explicit Countdown(const CountdownBox& box) : box_(box) {}
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // What the text's callback threw, handed to the caller once the box is gone.
    std::exception_ptr failure;

  private:
    INT_PTR Handle(UINT msg, WPARAM wParam);
    void Init();
    void Tick();
    void ShowText(int secondsLeft);
    void Layout(const std::wstring& text);
    void Place(int id, int x, int y, int w, int h) const {
        SetWindowPos(GetDlgItem(hwnd_, id), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SIZE Pixels(int x, int y) const {
        RECT units{0, 0, x, y};
        MapDialogRect(hwnd_, &units);
        return {units.right, units.bottom};
    }
    int64_t Now() const {
        return box_.nowMs ? box_.nowMs() : static_cast<int64_t>(GetTickCount64());
    }

    const CountdownBox& box_;
    HWND hwnd_ = nullptr;
    HMONITOR monitor_ = nullptr;
    int64_t deadline_ = 0;
    int shown_ = -1;
    bool laidOut_ = false;
    // The text's place, fixed by the first text so the box does not jump as the number changes;
    // a later text needing more lines makes it taller.
    SIZE text_{};
    int bandTop_ = 0;
};

INT_PTR CALLBACK Countdown::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        reinterpret_cast<Countdown*>(lParam)->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<Countdown*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self)
        return FALSE;
    try {
        return self->Handle(msg, wParam);
    } catch (...) {
        // No exception reaches Windows: the box ends refused and the caller gets it.
        self->failure = std::current_exception();
        EndDialog(hwnd, IDNO);
        return TRUE;
    }
}

INT_PTR Countdown::Handle(UINT msg, WPARAM wParam) {
    switch (msg) {
        case WM_INITDIALOG:
            Init();
            // The focus is placed: the first button is not always the default one.
            return FALSE;
        case kShownMessage:
            SetForegroundWindow(hwnd_);
            return TRUE;
        case WM_TIMER:
            if (wParam != kTickTimer)
                return FALSE;
            Tick();
            return TRUE;
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED)
                return FALSE;
            // IDCANCEL is Esc, the close box and Alt+F4: all of them refuse.
            if (LOWORD(wParam) == IDYES || LOWORD(wParam) == IDNO || LOWORD(wParam) == IDCANCEL) {
                EndDialog(hwnd_, LOWORD(wParam) == IDYES ? IDYES : IDNO);
                return TRUE;
            }
            return FALSE;
        case WM_ERASEBKGND: {
            // The text on the window's colour, the buttons in a band of the face colour, as
            // the system's message boxes are drawn.
            const HDC dc = reinterpret_cast<HDC>(wParam);
            RECT text{};
            GetClientRect(hwnd_, &text);
            RECT band = text;
            text.bottom = band.top = bandTop_;
            FillRect(dc, &text, GetSysColorBrush(COLOR_WINDOW));
            FillRect(dc, &band, GetSysColorBrush(COLOR_BTNFACE));
            SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        case WM_CTLCOLORSTATIC: {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
        }
        default:
            return FALSE;
    }
}

void Countdown::Init() {
    deadline_ = Now() + int64_t{std::max(box_.seconds, 0)} * 1000;
    // The user's screen is where the window in front is; the box stays on that monitor.
    monitor_ = MonitorFromWindow(GetForegroundWindow(), MONITOR_DEFAULTTOPRIMARY);
    // The warning icon at the size the box's DPI asks for, not a small one stretched.
    const int iconSize = SystemMetricAt(SM_CXICON, DpiOf(hwnd_));
    SendDlgItemMessageW(hwnd_, kIconId, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadImageW(nullptr, IDI_WARNING, IMAGE_ICON,
                                                            iconSize, iconSize, LR_SHARED)),
                        0);
    ShowText(SecondsShown(deadline_ - Now()));
    const int defaultId = box_.refuseIsDefault ? IDNO : IDYES;
    SendMessageW(hwnd_, DM_SETDEFID, defaultId, 0);
    SetFocus(GetDlgItem(hwnd_, defaultId));
    SetTimer(hwnd_, kTickTimer, kTickMs, nullptr);
    // Screen readers announce it as they announce a message box.
    NotifyWinEvent(EVENT_SYSTEM_ALERT, hwnd_, OBJID_CLIENT, CHILDID_SELF);
    // The sound a warning box makes, so a user looking elsewhere turns round.
    MessageBeep(MB_ICONEXCLAMATION);
    PostMessageW(hwnd_, kShownMessage, 0, 0);
}

void Countdown::Tick() {
    const int64_t remaining = deadline_ - Now();
    if (remaining <= 0) {
        EndDialog(hwnd_, box_.proceedAtZero ? IDYES : IDNO);
        return;
    }
    ShowText(SecondsShown(remaining));
}

void Countdown::ShowText(int secondsLeft) {
    if (secondsLeft == shown_)
        return;
    shown_ = secondsLeft;
    const std::wstring text = box_.text ? box_.text(secondsLeft) : std::wstring();
    Layout(text);
    SetDlgItemTextW(hwnd_, kTextId, text.c_str());
}

// Measures the text in the box's font and sizes and places everything around it, centred on
// the work area; later texts only make it taller where they need more lines.
void Countdown::Layout(const std::wstring& text) {
    const SIZE margin = Pixels(kMeasures.marginX, kMeasures.marginY);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(monitor_, &monitor))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
    const RECT& work = monitor.rcWork;

    WindowDc dc(hwnd_);
    SelectedObject font(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    const LONG widest =
        std::min(Pixels(kMeasures.maxTextWidth, 0).cx, (work.right - work.left) / 2);
    RECT area{0, 0, text_.cx > 0 ? text_.cx : widest, 0};
    DrawTextW(dc, text.c_str(), -1, &area,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    if (laidOut_ && area.right <= text_.cx && area.bottom <= text_.cy)
        return;
    text_ = {std::max(text_.cx, area.right), std::max(text_.cy, area.bottom)};
    laidOut_ = true;

    auto captionWidth = [&](const std::wstring& caption) {
        SIZE size{};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
        return size.cx;
    };
    const SIZE pad = Pixels(kMeasures.captionPad, kMeasures.bandPad);
    const SIZE button = Pixels(kMeasures.buttonWidth, kMeasures.buttonHeight);
    const int buttonWidth = std::max<int>(
        button.cx, std::max(captionWidth(box_.proceed), captionWidth(box_.refuse)) + 2 * pad.cx);
    const int buttonGap = Pixels(kMeasures.buttonGap, 0).cx;
    const int iconSize = SystemMetricAt(SM_CXICON, DpiOf(hwnd_));
    const SIZE icon{iconSize, iconSize};
    const int textLeft = margin.cx + icon.cx + Pixels(kMeasures.iconGap, 0).cx;

    // A short text stands in the middle of the icon's height, a long one from its top.
    const int contentHeight = std::max<int>(icon.cy, text_.cy);
    const int width =
        std::max<int>(textLeft + text_.cx + margin.cx, 2 * margin.cx + 2 * buttonWidth + buttonGap);
    bandTop_ = 2 * margin.cy + contentHeight;
    const int height = bandTop_ + 2 * pad.cy + button.cy;
    Place(kIconId, margin.cx, margin.cy, icon.cx, icon.cy);
    Place(kTextId, textLeft, margin.cy + (contentHeight - text_.cy) / 2, text_.cx, text_.cy);
    const int buttonTop = bandTop_ + pad.cy;
    Place(IDNO, width - margin.cx - buttonWidth, buttonTop, buttonWidth, button.cy);
    Place(IDYES, width - margin.cx - 2 * buttonWidth - buttonGap, buttonTop, buttonWidth,
          button.cy);

    RECT frame{}, client{};
    GetWindowRect(hwnd_, &frame);
    GetClientRect(hwnd_, &client);
    const SIZE size{width + (frame.right - frame.left) - client.right,
                    height + (frame.bottom - frame.top) - client.bottom};
    const POINT at = CentredPlace(size, nullptr, work);
    SetWindowPos(hwnd_, HWND_TOPMOST, at.x, at.y, size.cx, size.cy, SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

}  // namespace

bool ShowCountdownBox(const CountdownBox& box) {
    DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND,
                          box.title);
    dialog.Item(SS_ICON, kStaticClass, kIconId, L"");
    dialog.Item(SS_LEFT | SS_NOPREFIX, kStaticClass, kTextId, L"");
    const auto button = [&](bool isDefault) {
        return WS_TABSTOP | static_cast<DWORD>(isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    };
    dialog.Item(button(!box.refuseIsDefault) | WS_GROUP, kButtonClass, IDYES, box.proceed);
    dialog.Item(button(box.refuseIsDefault), kButtonClass, IDNO, box.refuse);

    Countdown countdown(box);
    // No owner: the program's other windows stay usable while the box waits.
    const INT_PTR answer =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), nullptr, &Countdown::Proc,
                                reinterpret_cast<LPARAM>(&countdown));
    if (countdown.failure)
        std::rethrow_exception(countdown.failure);
    return answer == IDYES;
}

}  // namespace klaxora::win
