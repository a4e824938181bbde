#include "win/app/application.h"

#include <utility>

#include "app/startup.h"

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
#include "win/sys/registry_win.h"
#include "win/ui/owned_dialog.h"
#include "win/ui/window.h"

namespace klaxora::win {
namespace {

// Handles what is queued without waiting. A request to end is queued again for the loop.
void DrainQueue() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        HandleQueuedMessage(msg);
    }
}

int MessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        HandleQueuedMessage(msg);  // the window's own keys, dialog navigation, dispatch
    return static_cast<int>(msg.wParam);
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
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                        ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);
    MarkStartup("common-controls");

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
    // The dialogs and the popup are made once the configuration window has had its first
    // paint (or at once when something needs one earlier): about a third of the start-up went
    // into building windows nobody sees until they are asked for, before the first one showed.
    TF_About about;
    App().F_About = &about;
    TF_Opcje opcje;
    App().F_Opcje = &opcje;
    TF_ALARMUJ alarmuj;
    App().F_ALARMUJ = &alarmuj;
    Tf_WprowadzCzas wprowadzCzas;
    App().f_WprowadzCzas = &wprowadzCzas;
    Tf_Skrot skrot;
    App().f_Skrot = &skrot;
    bool created = false;
    const auto createRest = [&] {
        if (std::exchange(created, true))
            return;
        about.Create({&files, helpFile, ProgramVersionText()}, alarm.Hwnd());
        opcje.Create({&registry, &files, &glowna.Options(), ExecutablePath(), helpFile},
                     alarm.Hwnd());
        alarmuj.Create();
        wprowadzCzas.Create(alarm.Hwnd());
        skrot.Create(alarm.Hwnd());
        MarkStartup("other-windows");
    };

    // What each window needs of the others.
    alarmuj.SetConfigurationEnabler([&alarm](bool enabled) { alarm.Enable(enabled); });
    alarm.ShowOptions = [&] {
        createRest();
        opcje.ShowOver();
    };
    alarm.ShowAbout = [&] {
        createRest();
        about.ShowOver();
    };
    alarm.CloseMainWindow = [&glowna] { PostMessageW(glowna.Hwnd(), WM_CLOSE, 0, 0); };
    wprowadzCzas.ApplyAtTimeText = [&alarm](const std::wstring& t) { alarm.ApplyAtTimeText(t); };
    wprowadzCzas.ApplyCountdownText = [&alarm](const std::wstring& t) {
        alarm.ApplyCountdownText(t);
    };
    glowna.Connect({
        .configuration = &alarm,
        .closePopup =
            [&] {
                createRest();
                alarmuj.Close();
            },
        .showOptions =
            [&] {
                createRest();
                opcje.ShowOver();
            },
        .showAbout =
            [&] {
                createRest();
                about.ShowOver();
            },
        .destroyed = [] { PostQuitMessage(0); },
    });

    glowna.Start();
    MarkStartup("shown");
    // Whatever the show queued (the first paint above all) is handled before the rest is made.
    DrainQueue();
    MarkStartup("first-paint");
    createRest();
    const int exitCode = MessageLoop();
    // The windows it links to go before it does.
    glowna.Connect({});
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
