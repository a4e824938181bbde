// Shows the options dialog, the time-entry wizard, the shortcut dialog, the about box and the
// alarm popup as a user sees them and saves each as a bitmap (the screenshot script turns them into
// PNGs). The about box asks a version file served on 127.0.0.1, so its update button shows.
#include <windows.h>

#include <cstdio>
#include <string>

#include "shot_file.h"
#include "cmdline/shortcut_name.h"
#include "win/actions/popup_window.h"
#include "win/dialogs/shortcut_window.h"
#include "win/dialogs/about_window.h"
#include "win/dialogs/options_window.h"
#include "win/dialogs/time_wizard_window.h"
#include "win/sys/file_system_win.h"
#include "win/local_http_server.h"
#include "win/test_ports.h"
#include "win/sys/registry_win.h"

using namespace klaxora;
using namespace klaxora::win;
using shots::Pump;
using shots::Save;

int wmain(int argc, wchar_t** argv) {
    const std::wstring dir = argc > 1 ? argv[1] : L".";

    Win32Registry registry;
    Win32FileSystem files;
    {
        auto key = registry.Open(kSettingsKey);
        key->WriteDword(L"AutoMinimize", 1);
        key->WriteDword(L"PlayBeep", 1);
    }
    AppOptions options;
    // The help button shows (any file stands for the page), and the about box is online.
    klaxora::testing::DialogPorts ports({ExecutablePath(), L"1.0.0.0", ExecutablePath()}, true);
    TF_Opcje opcje(ports.Ports());
    opcje.Beep = [] {};
    opcje.Connect({.options = &options});
    opcje.Create();
    opcje.ShowOver();
    Pump(500);
    Save(opcje.Hwnd(), dir + L"\\dialog_options.bmp");
    opcje.Close();

    Tf_WprowadzCzas wizard;
    wizard.Create();
    wizard.Prepare(L"Odlicz w dół i uruchom");
    wizard.ShowOver();
    SendMessageW(wizard.rb_KWC_TinS, BM_CLICK, 0, 0);
    SetWindowTextW(wizard.se_TimeInSec.Edit(), L"3661");
    Pump(500);
    Save(wizard.Hwnd(), dir + L"\\dialog_wizard_countdown.bmp");
    wizard.Close();
    wizard.Prepare(L"Uruchom alarm o ...");
    wizard.ShowOver();
    SendMessageW(wizard.rb_KWC_WprCzas, BM_CLICK, 0, 0);
    Pump(500);
    Save(wizard.Hwnd(), dir + L"\\dialog_wizard_at_time.bmp");
    wizard.Close();

    Tf_Skrot skrot(ports.Ports());
    skrot.Create();
    skrot.Prepare(L" \"OD: 0:20:0\" \"Komunikat\" \"UWAGA !!!|Już czas !!!\"",
                  ShortcutNameSuggestions(TriggerKind::Countdown, ActionKind::Message));
    skrot.ShowOver();
    SetFocus(skrot.e_NazwaSkrotu);
    Pump(500);
    Save(skrot.Hwnd(), dir + L"\\dialog_shortcut.bmp");
    skrot.dfs_LokalizacjaSkrotu.SelectPath(files.WindowsDirectory());
    for (int i = 0; i < 100 && skrot.dfs_LokalizacjaSkrotu.Selecting(); ++i)
        Pump(50);
    Pump(500);
    Save(skrot.Hwnd(), dir + L"\\dialog_shortcut_windows.bmp");
    skrot.Close();

    klaxora::testing::LocalHttpServer server(
        "[dane]\r\nVantrelixHomePage=https://www.vantrelix.pl/\r\n[Klaxora]\r\nversion=9.0.0.0\r\n"
        "url=https://www.vantrelix.pl/klaxora/setup.exe\r\nnew=Nowa wersja\r\n");
    TF_About about(ports.Ports());
    about.VersionFileAddress = server.Base() + L"version.ini";
    about.Create();
    about.ShowOver();
    for (int i = 0; i < 100 && about.CheckRunning(); ++i)
        Pump(50);
    Pump(300);
    Save(about.Hwnd(), dir + L"\\dialog_about.bmp");
    about.Close();

    // The alarm popup, once it has slid in and stands in the corner of the screen. Copying the
    // screen from here gives black for it under Wine, so its place is written to popup.rect and
    // the script takes the picture from outside while it stands.
    TF_ALARMUJ popup;
    popup.Create();
    popup.PopUp(false, {}, [] {});  // as a firing that ends the alarm shows it: with Drzemka
    Pump(500);
    RECT r{};
    GetWindowRect(popup.Hwnd(), &r);
    if (FILE* f = _wfopen((dir + L"\\popup.rect").c_str(), L"w")) {
        std::fprintf(f, "%ldx%ld+%ld+%ld\n", r.right - r.left + 20, r.bottom - r.top + 20,
                     r.left - 10, r.top - 10);
        std::fclose(f);
    }
    Pump(4000);
    popup.Close();

    registry.DeleteTree(kSettingsKey);
    return 0;
}
