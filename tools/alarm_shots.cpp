// Shows the configuration window as a user sees it on its first show and with every action
// panel, and saves each view as a bitmap (the screenshot script turns them into PNGs).
#include <windows.h>

#include <cstdio>
#include <string>
#include <thread>

#include "config/recent_list.h"
#include "config/vocabulary.h"
#include "win/sys/file_system_win.h"
#include "win/sys/registry_win.h"
#include "win/app/armed_alarm.h"
#include "win/config/alarm_window.h"
#include "win/ui/controls.h"
#include "shot_file.h"

using namespace klaxora;
using namespace klaxora::win;
using shots::Pump;
using shots::Save;
using shots::WriteBmp;

namespace {

// Selects an item and tells the list's parent, as a user's choice does.
void Select(HWND combo, std::wstring_view text) {
    ComboBox(combo).SelectByText(text);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

// Opens a recent-value menu and saves the window with the menu open; the menu is then closed.
void SaveWithMenu(TF_Alarm& window, size_t list, const std::wstring& path) {
    std::thread shooter([&window, path] {
        for (int i = 0; i < 250; ++i) {
            HWND menu = FindWindowW(L"#32768", nullptr);
            if (menu && IsWindowVisible(menu)) {
                Sleep(400);
                Save(window.Hwnd(), path, 200);
                PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
                return;
            }
            Sleep(20);
        }
    });
    window.ShowRecentMenu(list);
    shooter.join();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring dir = argc > 1 ? argv[1] : L".";
    {
        // The recent lists as a first run leaves them, so their buttons and menus show.
        Win32Registry registry;
        Win32FileSystem files;
        SeedRecentLists(registry, files, files);
    }
    SystemPorts system;
    TF_Alarm window(system.Ports());
    window.Create();
    window.Show();
    SetForegroundWindow(window.Hwnd());
    Pump(800);
    Save(window.Hwnd(), dir + L"\\00_first_show.bmp");

    // A countdown trigger for the action views, so the left side changes too.
    Select(window.cb_A_Wykonaj, Info(TriggerKind::Countdown).caption);
    window.ApplyCountdownText(L"0:5:0");
    int n = 1;
    for (const ActionInfo& a : Actions()) {
        Select(window.cb_Typ_Alarmu, a.caption);
        if (a.kind == ActionKind::Message) {
            HWND caption = window.p_k_komunikat.cb_Caption;
            SetWindowTextW(window.p_k_komunikat.cb_Komunikat, L"Już czas !!!");
            SetWindowTextW(caption, L"CZEŚĆ");
            SendMessageW(GetParent(caption), WM_COMMAND,
                         MAKEWPARAM(MessagePanel::kCaption, CBN_EDITCHANGE),
                         reinterpret_cast<LPARAM>(caption));
        }
        if (a.kind == ActionKind::Other) {
            Select(window.p_Inne.cb_InneOpcje, Info(OtherActionKind::BlockMouse).caption);
        }
        Pump(300);
        wchar_t name[64];
        swprintf(name, 64, L"\\%02d_action_%d.bmp", n++, static_cast<int>(a.kind));
        Save(window.Hwnd(), dir + name);
    }
    // The three sub-panels of "Inne możliwości" and the other trigger pages.
    Select(window.cb_Typ_Alarmu, Info(ActionKind::Other).caption);
    const OtherActionKind subs[] = {OtherActionKind::PressKeys, OtherActionKind::CdTray,
                                    OtherActionKind::SingleClick};
    const TriggerKind triggers[] = {TriggerKind::NoInternet, TriggerKind::ProgramNotResponding,
                                    TriggerKind::ProgramStarted};
    for (int i = 0; i < 3; ++i) {
        Select(window.p_Inne.cb_InneOpcje, Info(subs[i]).caption);
        Select(window.cb_A_Wykonaj, Info(triggers[i]).caption);
        if (subs[i] == OtherActionKind::SingleClick)
            ShowWindow(window.p_Inne.p_Inne_Klikniecie1.l_JakWskazac, SW_SHOW);
        Pump(300);
        wchar_t name[64];
        swprintf(name, 64, L"\\%02d_other_%d.bmp", n++, static_cast<int>(subs[i]));
        Save(window.Hwnd(), dir + name);
    }
    // The page of a program that is closed, which has no note under its editor.
    Select(window.cb_A_Wykonaj, Info(TriggerKind::ProgramClosed).caption);
    Pump(300);
    Save(window.Hwnd(), dir + L"\\14_program_closed.bmp");

    // A balloon tip over the hours of the time of day, and the hint of a top-row button.
    Select(window.cb_A_Wykonaj, Info(TriggerKind::AtTime).caption);
    Pump(200);
    RECT spin;
    GetWindowRect(window.wykonaj_o.Hours.Edit(), &spin);
    SetCursorPos(spin.left + 8, spin.top + 8);
    Pump(100);
    SetCursorPos(spin.left + 10, spin.top + 10);
    Pump(1500);
    Save(window.Hwnd(), dir + L"\\18_balloon.bmp", 120);
    RECT button;
    GetWindowRect(window.ib_Opcje, &button);
    SetCursorPos(button.left + 18, button.top + 18);
    Pump(100);
    SetCursorPos(button.left + 19, button.top + 19);
    Pump(1500);
    Save(window.Hwnd(), dir + L"\\19_hint.bmp", 60);
    SetCursorPos(0, 0);

    // The list of triggers opened, to see its width.
    SendMessageW(window.cb_A_Wykonaj, CB_SHOWDROPDOWN, TRUE, 0);
    Pump(300);
    RECT rc;
    GetWindowRect(window.Hwnd(), &rc);
    Save(window.Hwnd(), dir + L"\\20_trigger_list.bmp");
    SendMessageW(window.cb_A_Wykonaj, CB_SHOWDROPDOWN, FALSE, 0);

    // Two recent-value menus open: the times of day, and the sounds by their bare names.
    Pump(200);
    SaveWithMenu(window, 0, dir + L"\\22_menu_times.bmp");
    Select(window.cb_Typ_Alarmu, Info(ActionKind::PlaySound).caption);
    Pump(300);
    SaveWithMenu(window, 2, dir + L"\\23_menu_sounds.bmp");

    // The window's two icons on a light and a dark ground.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP board = CreateCompatibleBitmap(screen, 120, 50);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, board);
    RECT light{0, 0, 60, 50}, dark{60, 0, 120, 50};
    FillRect(dc, &light, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(dc, &dark, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
    auto big = reinterpret_cast<HICON>(SendMessageW(window.Hwnd(), WM_GETICON, ICON_BIG, 0));
    auto small = reinterpret_cast<HICON>(SendMessageW(window.Hwnd(), WM_GETICON, ICON_SMALL, 0));
    for (int x : {4, 64}) {
        DrawIconEx(dc, x, 9, big, 32, 32, 0, nullptr, DI_NORMAL);
        DrawIconEx(dc, x + 38, 17, small, 16, 16, 0, nullptr, DI_NORMAL);
    }
    SelectObject(dc, old);
    WriteBmp(dc, board, 120, 50, dir + L"\\21_icons.bmp");
    DeleteObject(board);
    DeleteDC(dc);

    // Armed: Stop in Start's place and, at the bottom, when the alarm will come.
    ArmedAlarm armed(system.Ports());
    ArmedAlarm::Links links;
    links.changed = [&window](const WatchState& w) { window.AlarmChanged(w); };
    armed.Connect(std::move(links));
    TF_Alarm::Links windowLinks;
    windowLinks.alarm = &armed;
    window.Connect(std::move(windowLinks));
    Select(window.cb_A_Wykonaj, Info(TriggerKind::Countdown).caption);
    window.ApplyCountdownText(L"20:0:0");
    Select(window.cb_Typ_Alarmu, Info(ActionKind::DefaultWindow).caption);
    window.ib_StartClick();
    window.Show();
    Pump(500);
    Save(window.Hwnd(), dir + L"\\24_armed.bmp");
    armed.Stop();
    return 0;
}
