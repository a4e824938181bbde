#include "win/ui/window.h"

#include "util/user_error.h"
#include "win/sys/system_error.h"
#include "win/ui/dpi.h"
#include "win/ui/message_box.h"

namespace klaxora::win {
namespace text {
constexpr std::wstring_view kUnexpected = L"Nieoczekiwany błąd";
constexpr std::wstring_view kNoWindow = L"Nie można utworzyć okna programu.\r\n";
}  // namespace text

namespace {

[[noreturn]] void ThrowNoWindow() {
    throw UserError(std::wstring(text::kNoWindow) + SystemErrorMessage(GetLastError()));
}

}  // namespace

HINSTANCE ModuleInstance() {
    return GetModuleHandleW(nullptr);
}

void ShowException() noexcept {
    try {
        throw;
    } catch (const UserError& e) {
        ShowStandardError(e.Message());
    } catch (...) {
        // What the library says of its failures is in English: the user is told in Polish.
        ShowStandardError(text::kUnexpected);
    }
}

Window::~Window() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::CreateWindowOf(const WindowClass& cls, const wchar_t* title, DWORD style,
                            DWORD exStyle, int x, int y, int width, int height, HWND owner) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(ModuleInstance(), cls.name, &wc)) {
        wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = cls.style;
        wc.lpfnWndProc = &Window::Proc;
        wc.hInstance = ModuleInstance();
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = cls.background;
        wc.hIcon = cls.icon;
        wc.hIconSm = cls.smallIcon;
        wc.lpszClassName = cls.name;
        if (!RegisterClassExW(&wc))
            ThrowNoWindow();
    }
    const HWND created = CreateWindowExW(exStyle, cls.name, title, style, x, y, width, height,
                                         owner, nullptr, ModuleInstance(), this);
    if (!created)
        ThrowNoWindow();
    if (!(style & WS_CHILD)) {
        // Fonts made before the window existed were made for the system's DPI; a window that
        // opens on a monitor of another scale makes them again before any control uses them.
        const UINT dpi = DpiOf(created);
        SetLayoutDpi(created, dpi);
        if (dpi != DpiOf(nullptr)) {
            for (OwnedFont& f : fonts_)
                f.handle = MakeFont(f.height, f.weight, f.face.c_str(), f.look, dpi);
        }
    }
}

UINT Window::Dpi() const {
    return hwnd_ ? DpiOf(hwnd_) : DpiOf(nullptr);
}

int Window::Scaled(int value) const {
    return Scale(value, Dpi());
}

HFONT Window::Font(int height, FontWeight weight, const wchar_t* face, FontLook look) {
    for (const OwnedFont& f : fonts_) {
        if (f.height == height && f.weight == weight && f.face == face && f.look == look)
            return f.handle.Get();
    }
    fonts_.push_back({height, weight, face, look, MakeFont(height, weight, face, look, Dpi())});
    return fonts_.back().handle.Get();
}

void Window::OnDpiChanged(UINT) {}

void Window::ApplyDpi(UINT dpi, const RECT* suggested) {
    if (!hwnd_ || dpi == 0)
        return;
    const UINT previous = Dpi();
    SetLayoutDpi(hwnd_, dpi);
    // The old fonts live until every control holds its new one.
    std::vector<FontHandle> old;
    std::vector<std::pair<HFONT, HFONT>> swap;
    for (OwnedFont& f : fonts_) {
        FontHandle remade = MakeFont(f.height, f.weight, f.face.c_str(), f.look, dpi);
        swap.emplace_back(f.handle.Get(), remade.Get());
        old.push_back(std::move(f.handle));
        f.handle = std::move(remade);
    }
    RescaleControls(hwnd_, previous, dpi, swap);
    for (const auto& [before, after] : swap) {
        if (reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)) == before)
            SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(after), FALSE);
    }
    // The frame Windows suggests, or, laid out by hand, the frame scaled where it stands.
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    if (suggested) {
        frame = *suggested;
    } else {
        frame.right = frame.left + MulDiv(frame.right - frame.left, dpi, previous);
        frame.bottom = frame.top + MulDiv(frame.bottom - frame.top, dpi, previous);
    }
    SetWindowPos(hwnd_, nullptr, frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // A window of a fixed size sizes itself here exactly.
    Guarded([&] { OnDpiChanged(dpi); });
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return Default(msg, wParam, lParam);
}

bool Window::OnCommand(UINT, UINT) {
    return false;
}

bool Window::OnNotify(const NMHDR&) {
    return false;
}

bool Window::OnTimer(UINT_PTR) {
    return false;
}

bool Window::OnDrawItem(const DRAWITEMSTRUCT&) {
    return false;
}

LRESULT Window::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (muted_ || OnCommand(LOWORD(wParam), HIWORD(wParam)))
                return 0;
            break;
        case WM_NOTIFY:
            if (muted_ || OnNotify(*reinterpret_cast<const NMHDR*>(lParam)))
                return 0;
            break;
        case WM_TIMER:
            if (OnTimer(wParam))
                return 0;
            break;
        case WM_DRAWITEM:
            if (OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
                return TRUE;
            break;
        case WM_DPICHANGED:
            ApplyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_NCDESTROY:
            ForgetLayoutDpi(hwnd_);
            break;
        default:
            break;
    }
    return HandleMessage(msg, wParam, lParam);
}

bool Window::PreTranslate(MSG&) {
    return false;
}

bool Window::PreTranslateMessage(MSG& msg) {
    if (!msg.hwnd)
        return false;
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    // Only windows of our classes carry an object; the class's procedure says so even when
    // the window itself is subclassed.
    if (!root || GetClassLongPtrW(root, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&Window::Proc))
        return false;
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(root, GWLP_USERDATA));
    if (!self)
        return false;
    try {
        return self->PreTranslate(msg);
    } catch (...) {
        ShowException();
        return true;
    }
}

void HandleQueuedMessage(MSG& msg) {
    if (Window::PreTranslateMessage(msg))
        return;
    const HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && (GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
        IsDialogMessageW(root, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

bool Window::HandleDialogMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus && IsChild(hwnd_, focus))
                    lastFocus_ = focus;
            } else if (!HIWORD(wParam)) {
                HWND target = lastFocus_;
                if (!target || !IsWindow(target) || !IsChild(hwnd_, target) ||
                    !IsWindowVisible(target) || !IsWindowEnabled(target)) {
                    target = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
                }
                if (target)
                    SetFocus(target);
            }
            result = 0;
            return true;
        case WM_NEXTDLGCTL: {
            // As a dialog answers it: a given control, or the next or previous tab stop.
            const HWND target = lParam ? reinterpret_cast<HWND>(wParam)
                                       : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0);
            if (target)
                SetFocus(target);
            result = 0;
            return true;
        }
        default:
            return false;
    }
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        // A window of one of our classes created by anyone else carries no object.
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (!self)
            return DefWindowProcW(hwnd, msg, wParam, lParam);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    try {
        const LRESULT result = self->Dispatch(msg, wParam, lParam);
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    } catch (...) {
        ShowException();
        return 0;
    }
}

}  // namespace klaxora::win
