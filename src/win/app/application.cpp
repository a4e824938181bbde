#include "win/app/application.h"

#include "win/actions/sound_panel.h"

#include "app/after_start.h"
#include "app/startup.h"
#include "dialogs/options.h"

#include <commctrl.h>

#include "win/actions/popup_window.h"
#include "win/app/main_window.h"
#include "win/app/startup_trace.h"
#include "win/cmdline/shortcut_window.h"
#include "win/config/alarm_window.h"
#include "win/dialogs/about_window.h"
#include "win/dialogs/options_window.h"
#include "win/dialogs/time_wizard_window.h"
#include "win/sys/file_system_win.h"
#include "win/sys/handles.h"
#include "win/sys/registry_win.h"
#include "win/ui/owned_dialog.h"
#include "win/ui/window.h"

namespace klaxora::win {
namespace {

constexpr ULONGLONG kAwaitAutostartMs = 30000;

int MessageLoop() {
    MSG msg;
    bool idle = false;
    for (;;) {
        // The first time nothing waits, start-up has ended: the windows are painted.
        if (!idle && GetQueueStatus(QS_ALLINPUT) == 0) {
            MarkStartup("idle");
            idle = true;
        }
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0)
            break;
        HandleQueuedMessage(msg);  // the window's own keys, dialog navigation, dispatch
    }
    return static_cast<int>(msg.wParam);
}

// Started by the logon run of an alarm after Windows start while the program already runs
// (the autostart, say): the alarm is handed to that copy and this one ends, so the user never
// sees two icons. When the autostart is set but its copy is not up yet, it is awaited a while.
bool HandedToRunningCopy() {
    auto strings = CommandLineStrings(GetCommandLineW(), ExecutablePath());
    if (!TakeAfterStartMarker(strings))
        return false;
    bool autostart = false;
    try {
        Win32Registry registry;
        autostart = registry.Open(kRunKey)->Read(kRunValue).has_value();
    } catch (const UserError&) {
    }
    const ULONGLONG deadline = GetTickCount64() + (autostart ? kAwaitAutostartMs : 0);
    for (;;) {
        if (const HWND running = FindWindowW(L"TF_Glowna", nullptr)) {
            DWORD_PTR taken = FALSE;
            if (SendMessageTimeoutW(running, TF_Glowna::kAfterStartMessage,
                                    TF_Glowna::kAfterStartHandOver, 0, SMTO_ABORTIFHUNG, 10000,
                                    &taken) &&
                taken)
                return true;
            return false;
        }
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(250);
    }
}

// Keeps App() from pointing at windows that no longer exist once the run ends.
struct FormsReset {
    ~FormsReset() { App() = {}; }
};

}  // namespace

Forms& App() {
    static Forms forms;
    return forms;
}

int RunApplication() {
    MarkStartup("wWinMain");
    if (HandedToRunningCopy())
        return 0;
    // The shell (ShellExecute at firing, shortcuts, folder trees, file dialogs) may hand work
    // to COM extensions: one apartment for the GUI thread, for the whole run.
    const ComApartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                        ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);

    FormsReset reset;
    // The ports and facts the dialogs are handed.
    Win32Registry registry;
    Win32FileSystem files;
    const std::wstring helpFile = HelpFilePath(files.ExecutableDirectory());
    // Created in this order; each lives until the program ends. The main window's creation
    // (its registry set-up) runs before any other window exists; the dialogs stand over the
    // configuration window.
    TF_Glowna glowna;
    App().F_Glowna = &glowna;
    glowna.Create();
    MarkStartup("main-window");
    TF_Alarm alarm;
    App().F_Alarm = &alarm;
    alarm.Create();
    MarkStartup("configuration-window");
    TF_About about;
    App().F_About = &about;
    about.Create({&files, helpFile, ProgramVersionText()}, alarm.Hwnd());
    TF_Opcje opcje;
    App().F_Opcje = &opcje;
    opcje.Create({&registry, &files, &glowna.Options(), ExecutablePath(), helpFile}, alarm.Hwnd());
    TF_ALARMUJ alarmuj;
    App().F_ALARMUJ = &alarmuj;
    alarmuj.Create();
    Tf_WprowadzCzas wprowadzCzas;
    App().f_WprowadzCzas = &wprowadzCzas;
    wprowadzCzas.Create(alarm.Hwnd());
    Tf_Skrot skrot;
    App().f_Skrot = &skrot;
    skrot.Create(alarm.Hwnd());
    MarkStartup("other-windows");

    // What each window needs of the others.
    alarmuj.SetConfigurationEnabler([&alarm](bool enabled) { alarm.Enable(enabled); });
    alarm.ShowOptions = [&opcje] { opcje.ShowOver(); };
    alarm.ShowAbout = [&about] { about.ShowOver(); };
    alarm.CloseMainWindow = [&glowna] { PostMessageW(glowna.Hwnd(), WM_CLOSE, 0, 0); };
    alarm.SetWatchTimer = [&glowna](bool armed) { glowna.SetArmed(armed); };
    alarm.OpenTimeWizard = [&wprowadzCzas](const std::wstring& triggerCaption) {
        wprowadzCzas.sb_SpecialTimeClick(triggerCaption);
    };
    alarm.ShowShortcutDialog = [&skrot](const std::wstring& arguments,
                                        const std::array<std::wstring, 8>& names) {
        skrot.CreateShortcut(arguments, names);
    };
    wprowadzCzas.ApplyAtTimeText = [&alarm](const std::wstring& t) { alarm.ApplyAtTimeText(t); };
    wprowadzCzas.ApplyCountdownText = [&alarm](const std::wstring& t) {
        alarm.ApplyCountdownText(t);
    };
    glowna.Connect({
        .configuration = &alarm,
        .closePopup = [&alarmuj] { alarmuj.Close(); },
        .showOptions = [&opcje] { opcje.ShowOver(); },
        .showAbout = [&about] { about.ShowOver(); },
        .destroyed = [] { PostQuitMessage(0); },
        .popup = &alarmuj,
        .stop = [&alarm] { alarm.ib_StopClick(); },
    });
    alarm.Preview = [&glowna, &alarm] { glowna.PreviewAction(alarm.ReadSettings()); };

    glowna.Start();
    MarkStartup("shown");
    const int exitCode = MessageLoop();
    // The windows it links to go before it does.
    glowna.Connect({});
    Player().ReleaseDevice();
    return exitCode;
}

void ShowDialogOverConfiguration(OwnedDialog* dialog) {
    if (!dialog)
        return;
    if (!dialog->Owner() && App().F_Alarm)
        dialog->SetOwner(App().F_Alarm->Hwnd());
    dialog->ShowOver();
}

}  // namespace klaxora::win
