#include "win/ui/dpi.h"

#include <commctrl.h>

#include <algorithm>

namespace klaxora::win {
namespace {

constexpr const wchar_t* kDpiProperty = L"KlaxoraLayoutDpi";

bool ClassIs(HWND hwnd, const wchar_t* name) {
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    return lstrcmpiW(cls, name) == 0;
}

struct Rescale {
    HWND root;
    UINT from, to;
    const std::vector<std::pair<HFONT, HFONT>>* fonts;
    int S(int v) const { return MulDiv(v, static_cast<int>(to), static_cast<int>(from)); }
};

// Whether the control was laid out by us (its parent is the window or one of our panels)
// rather than made by a standard control for itself.
bool LaidOutByUs(HWND control, HWND root) {
    const HWND parent = GetParent(control);
    if (parent == root)
        return true;
    return parent && GetClassLongPtrW(parent, GCLP_WNDPROC) == GetClassLongPtrW(root, GCLP_WNDPROC);
}

BOOL CALLBACK RescaleOne(HWND control, LPARAM param) {
    const auto& r = *reinterpret_cast<const Rescale*>(param);
    if (LaidOutByUs(control, r.root)) {
        RECT rc{};
        GetWindowRect(control, &rc);
        int height = rc.bottom - rc.top;
        if (ClassIs(control, WC_COMBOBOXW)) {
            // A drop-down list's height is that of its opened list.
            RECT dropped{};
            if (SendMessageW(control, CB_GETDROPPEDCONTROLRECT, 0,
                             reinterpret_cast<LPARAM>(&dropped)))
                height = std::max<int>(height, dropped.bottom - rc.top);
        }
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rc), 2);
        SetWindowPos(control, nullptr, r.S(rc.left), r.S(rc.top), r.S(rc.right - rc.left),
                     r.S(height), SWP_NOZORDER | SWP_NOACTIVATE);
        if (ClassIs(control, WC_LISTVIEWW)) {
            const HWND header = reinterpret_cast<HWND>(SendMessageW(control, LVM_GETHEADER, 0, 0));
            const int columns =
                header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
            for (int i = 0; i < columns; ++i) {
                const int w = static_cast<int>(SendMessageW(control, LVM_GETCOLUMNWIDTH, i, 0));
                SendMessageW(control, LVM_SETCOLUMNWIDTH, i, r.S(w));
            }
        }
    }
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    for (const auto& [before, after] : *r.fonts) {
        if (font && font == before) {
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(after), FALSE);
            break;
        }
    }
    return TRUE;
}

}  // namespace

UINT DpiOf(HWND hwnd) {
    const HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
    if (root) {
        if (const auto laid = reinterpret_cast<UINT_PTR>(GetPropW(root, kDpiProperty)))
            return static_cast<UINT>(laid);
        if (const UINT dpi = GetDpiForWindow(root))
            return dpi;
    }
    const UINT system = GetDpiForSystem();
    return system ? system : kLayoutDpi;
}

void SetLayoutDpi(HWND root, UINT dpi) {
    SetPropW(root, kDpiProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(dpi)));
}

void ForgetLayoutDpi(HWND root) {
    RemovePropW(root, kDpiProperty);
}

int SystemMetricAt(int index, UINT dpi) {
    return GetSystemMetricsForDpi(index, dpi);
}

void RescaleControls(HWND root, UINT from, UINT to,
                     const std::vector<std::pair<HFONT, HFONT>>& fonts) {
    if (from == 0 || to == 0)
        return;
    Rescale r{root, from, to, &fonts};
    if (from == to) {
        r.from = r.to = 1;  // fonts only
    }
    EnumChildWindows(root, &RescaleOne, reinterpret_cast<LPARAM>(&r));
}

void ReplaceButtonIcons(HWND root, const std::vector<std::pair<HICON, HICON>>& icons) {
    EnumChildWindows(
        root,
        [](HWND control, LPARAM param) -> BOOL {
            const auto& swap =
                *reinterpret_cast<const std::vector<std::pair<HICON, HICON>>*>(param);
            const auto shown =
                reinterpret_cast<HICON>(SendMessageW(control, BM_GETIMAGE, IMAGE_ICON, 0));
            for (const auto& [before, after] : swap) {
                if (shown && shown == before && ClassIs(control, WC_BUTTONW))
                    SendMessageW(control, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(after));
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&icons));
}

}  // namespace klaxora::win
