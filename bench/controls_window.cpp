// The second yardstick for start-up time: a window with the standard controls Klaxora's
// configuration window shows when it first appears, themed as Klaxora's are (the same manifest,
// the common controls loaded), and nothing else: no skin, no tray icon, no other windows, no
// registry. What Klaxora needs beyond it is its own work; what this needs beyond the minimal
// window is the cost of the controls themselves on the system at hand.
#include <windows.h>

#include <commctrl.h>

#include <string_view>
#include <utility>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_DRAWITEM: {  // the round picture buttons, as a plain fill
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_HIGHLIGHT));
            return TRUE;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

struct Child {
    const wchar_t* cls;
    const wchar_t* text;
    DWORD style;
    int x, y, w, h;
};

// Klaxora's configuration window at its first show: the two group panels, the trigger and
// action lists, the time-of-day page (label, three spin edits, colons, list button, wizard
// button, format line), the repeat check box and edit, the preview button and the row of
// eight picture buttons.
constexpr Child kChildren[] = {
    {L"STATIC", L"Wykonaj/Podejmij akcję gdy ...", 0, 20, 70, 200, 14},
    {WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_TABSTOP, 20, 86, 200, 200},
    {L"STATIC", L"Uruchom alarm o godzinie:", 0, 20, 120, 200, 14},
    {L"EDIT", L"0", WS_BORDER | ES_NUMBER | WS_TABSTOP, 20, 140, 30, 20},
    {L"EDIT", L"0", WS_BORDER | ES_NUMBER | WS_TABSTOP, 70, 140, 30, 20},
    {L"EDIT", L"0", WS_BORDER | ES_NUMBER | WS_TABSTOP, 120, 140, 30, 20},
    {L"STATIC", L":", 0, 60, 140, 8, 14},
    {L"BUTTON", L"", BS_PUSHBUTTON, 180, 140, 20, 20},
    {L"BUTTON", L"Kreator", BS_PUSHBUTTON | WS_TABSTOP, 30, 175, 70, 22},
    {L"STATIC", L"Format czasu: GG:MM:SS", SS_CENTER, 20, 215, 200, 14},
    {L"BUTTON", L"Powtórz akcję po                   sec", BS_AUTOCHECKBOX | WS_TABSTOP, 25,
     250, 190, 16},
    {L"EDIT", L"1", WS_BORDER | ES_NUMBER | WS_TABSTOP, 140, 248, 45, 20},
    {WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_TABSTOP, 250, 86, 290, 200},
    {L"BUTTON", L"Podgląd", BS_PUSHBUTTON | WS_TABSTOP, 470, 250, 70, 22},
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"ControlsWindow";
    RegisterClassExW(&wc);
    const HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Controls", WS_POPUP | WS_SYSMENU,
                                      100, 100, 570, 321, nullptr, nullptr, instance, nullptr);
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
                     int h, HWND parent) {
        const HWND c = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                       parent, nullptr, instance, nullptr);
        SendMessageW(c, WM_SETFONT, font, FALSE);
        return c;
    };
    for (const auto& [x, w] : {std::pair{12, 213}, std::pair{232, 310}})  // the group panels
        child(L"STATIC", L"", 0, x, 51, w, 222, hwnd);
    child(L"STATIC", L"", 0, 15, 110, 207, 120, hwnd);  // the page holder and the page
    child(L"STATIC", L"", 0, 15, 110, 207, 120, hwnd);
    HWND edits[3] = {};
    int e = 0;
    for (const Child& c : kChildren) {
        const HWND made = child(c.cls, c.text, c.style, c.x, c.y, c.w, c.h, hwnd);
        if (c.cls == std::wstring_view(L"EDIT") && e < 3)
            edits[e++] = made;
    }
    for (HWND buddy : edits) {
        const HWND spin = child(UPDOWN_CLASSW, L"", UDS_ALIGNRIGHT | UDS_SETBUDDYINT, 0, 0, 0,
                                0, hwnd);
        SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    }
    for (int i = 0; i < 8; ++i)
        child(L"BUTTON", L"", BS_OWNERDRAW | WS_TABSTOP, 240 + 37 * i, 10, 34, 34, hwnd);
    ShowWindow(hwnd, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(hwnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return 0;
}
