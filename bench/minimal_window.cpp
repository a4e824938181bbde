// The yardstick for start-up time: the least a Win32 program does to put one window on the
// screen and wait for messages. With KLAXORA_STARTUP_TRACE set to a file, it appends the
// milliseconds since its process was created when it reaches wWinMain and when its window
// exists, as Klaxora does for its own stages.
#include <windows.h>

#include <cstdio>

namespace {

void Mark(const char* stage) {
    wchar_t path[MAX_PATH];
    if (!GetEnvironmentVariableW(L"KLAXORA_STARTUP_TRACE", path, MAX_PATH))
        return;
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    auto ms = [](const FILETIME& t) {
        return static_cast<long long>(
            (ULARGE_INTEGER{{t.dwLowDateTime, t.dwHighDateTime}}.QuadPart) / 10000);
    };
    if (FILE* f = _wfopen(path, L"a")) {
        std::fprintf(f, "%s %lld\n", stage, ms(now) - ms(created));
        std::fclose(f);
    }
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    Mark("wWinMain");
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"MinimalWindow";
    RegisterClassExW(&wc);
    const HWND hwnd =
        CreateWindowExW(0, wc.lpszClassName, L"Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                        CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, nullptr);
    Mark("first-window");
    ShowWindow(hwnd, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
