// A small program the Windows tests and the process benchmark start and watch.
//   watch_target visible   a visible, enabled window titled "KlaxoraWatchTarget"
//   watch_target hidden    only a hidden window and a visible but disabled one
//   watch_target hang      a visible window that stops taking messages once it gets WM_APP
//   watch_target idle      no window; sleeps until ended
#include <windows.h>

#include <string>

namespace {

bool g_hang = false;

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_APP:
            g_hang = true;
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

HWND MakeWindow(const wchar_t* title, bool visible, bool enabled) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KlaxoraWatchTarget";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, L"KlaxoraWatchTarget", title, WS_OVERLAPPEDWINDOW, 20, 20, 200,
                                120, nullptr, nullptr, wc.hInstance, nullptr);
    if (!enabled)
        EnableWindow(hwnd, FALSE);
    if (visible)
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    return hwnd;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"visible";
    if (mode == L"idle") {
        Sleep(INFINITE);
        return 0;
    }
    if (mode == L"hidden") {
        MakeWindow(L"KlaxoraWatchTarget hidden", false, true);
        MakeWindow(L"KlaxoraWatchTarget disabled", true, false);
    } else {
        MakeWindow(L"KlaxoraWatchTarget", true, true);
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
        if (g_hang)
            Sleep(INFINITE);  // the window stops responding from here on
    }
    return 0;
}
