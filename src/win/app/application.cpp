#include "win/app/application.h"

#include "app/after_start.h"
#include "app/startup.h"
#include "dialogs/options.h"

#include <commctrl.h>

#include "win/actions/popup_window.h"
#include "win/app/held_record.h"
#include "win/app/main_window.h"
#include "win/sys/startup_trace.h"
#include "win/dialogs/shortcut_window.h"
#include "win/config/alarm_window.h"
#include "win/dialogs/about_window.h"
#include "win/dialogs/options_window.h"
#include "win/dialogs/time_wizard_window.h"
#include "win/sys/handles.h"
#include "win/sys/registry_win.h"
#include "win/ui/message_box.h"
#include "win/ui/owned_dialog.h"
#include "win/ui/window.h"

namespace klaxora::win {
namespace {

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

// Whom this copy was started for, and which kept alarm it takes over. A copy started by a
// record's logon run (or by the system's restart service) or by another copy to take a record,
// and a copy started without parameters, take the first record no running copy holds; a plain
// copy starts one more copy for each further one. A copy started only to take a record ends
// when there is none left to take. False: this copy ends.
bool TakeOverKeptAlarm(TF_Glowna& glowna, RegistryPort& registry) {
    auto strings = CommandLineStrings(GetCommandLineW(), ExecutablePath());
    const bool logonRun = TakeMarker(strings, kAfterStartMarker);
    const bool restarted = TakeMarker(strings, kRestartMarker);
    const bool takeOver = TakeMarker(strings, kTakeOverMarker) || restarted;  // both removed
    if (!logonRun && !takeOver && !strings.empty())
        return true;  // started with a definition of its own
    TakeOutcome outcome = TakeUnheldRecord(registry);
    if (outcome.damagedRemoved)
        ShowMessageBox(kArmedRecordUnreadable, kApplicationTitle, MB_OK | MB_ICONEXCLAMATION);
    // Once per copy, and only from a copy that would show it anyway (not one per record).
    if (outcome.newerKept && !logonRun && !takeOver)
        ShowMessageBox(kArmedRecordNewer, kApplicationTitle, MB_OK | MB_ICONINFORMATION);
    if (!outcome.taken) {
        // An earlier version's alarm after Windows start is still performed by its logon run.
        return !takeOver && (!logonRun || HasAfterStartAlarm(registry));
    }
    if (!logonRun && !takeOver) {
        const TakeOverPlan plan = PlanTakeOver(outcome.othersUnheld);
        for (size_t i = 0; i < plan.copies; ++i)
            StartCopyForRecord();
        if (plan.message)
            ShowMessageBox(*plan.message, kApplicationTitle, MB_OK | MB_ICONINFORMATION);
    }
    glowna.Adopt(std::move(*outcome.taken));
    return true;
}

}  // namespace

int RunApplication() {
    MarkStartup("wWinMain");
    // The shell (ShellExecute at firing, shortcuts, folder trees, file dialogs) may hand work
    // to COM extensions: one apartment for the GUI thread, for the whole run.
    const ComApartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                        ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);

    // The system's ports, built once; every window is handed them in its constructor.
    SystemPorts system;
    const WindowPorts ports = system.Ports();
    // Created in this order; each lives until the program ends. The main window's creation
    // (its registry set-up) runs before any other window exists; the dialogs stand over the
    // configuration window.
    ArmedAlarm armed(ports);
    TF_Glowna glowna(ports, armed);
    if (!TakeOverKeptAlarm(glowna, system.registry))
        return 0;
    glowna.Create();
    system.operations.SetApplicationWindow(glowna.Hwnd());
    MarkStartup("main-window");
    TF_Alarm alarm(ports);
    alarm.Create();
    MarkStartup("configuration-window");
    TF_About about(ports);
    about.Create(alarm.Hwnd());
    TF_Opcje opcje(ports);
    opcje.Create(alarm.Hwnd());
    TF_ALARMUJ alarmuj;
    alarmuj.Create();
    Tf_WprowadzCzas wprowadzCzas;
    wprowadzCzas.Create(alarm.Hwnd());
    Tf_Skrot skrot(ports);
    skrot.Create(alarm.Hwnd());
    MarkStartup("other-windows");

    // What each window needs of the others, once they all exist.
    alarmuj.Connect({
        .configurationWindow = alarm.Hwnd(),
        .enableConfiguration = [&alarm](bool enabled) { alarm.Enable(enabled); },
        .closed = [&armed] { armed.ActionMayHaveEnded(); },
    });
    system.alarmSound.Connect({.ended = [&armed] { armed.ActionMayHaveEnded(); }});
    opcje.Connect({.options = &glowna.Options()});
    wprowadzCzas.Connect({
        .applyAtTimeText = [&alarm](const std::wstring& t) { alarm.ApplyAtTimeText(t); },
        .applyCountdownText = [&alarm](const std::wstring& t) { alarm.ApplyCountdownText(t); },
    });
    alarm.Connect({
        .alarm = &armed,
        .closeMainWindow =
            [&glowna] { PostMessageW(glowna.Hwnd(), TF_Glowna::kQuitMessage, 0, 0); },
        .showOptions = [&opcje] { opcje.ShowOver(); },
        .showAbout = [&about] { about.ShowOver(); },
        .showProgramMenu = [&glowna](POINT at) { glowna.ContextMenu(at); },
        .openTimeWizard =
            [&wprowadzCzas](const std::wstring& triggerCaption) {
                wprowadzCzas.sb_SpecialTimeClick(triggerCaption);
            },
        .showShortcutDialog =
            [&skrot](const std::wstring& arguments, const std::array<std::wstring, 8>& names) {
                skrot.CreateShortcut(arguments, names);
            },
        .preview = [&armed](const AlarmSettings& settings) { armed.Preview(settings); },
    });
    glowna.Connect({
        .configuration = &alarm,
        .closePopup = [&alarmuj] { alarmuj.Close(); },
        .showOptions = [&opcje] { opcje.ShowOver(); },
        .showAbout = [&about] { about.ShowOver(); },
        .destroyed = [] { PostQuitMessage(0); },
    });
    armed.Connect({
        .mainWindow = glowna.Hwnd(),
        .configurationWindow = alarm.Hwnd(),
        .popup = &alarmuj,
        .options = &glowna.Options(),
        .closeConfiguration = [&alarm] { alarm.Close(); },
        .setTrayEnabled = [&glowna](bool enabled) { glowna.Tray.SetEnabled(enabled); },
        .changed =
            [&glowna, &alarm](const WatchState& watch) {
                glowna.AlarmChanged(watch);
                alarm.AlarmChanged(watch);
            },
        .notify = [&glowna](
                      const std::wstring& title,
                      const std::wstring& text) { return glowna.Tray.ShowBalloon(title, text); },
    });

    glowna.Start();
    MarkStartup("shown");
    const int exitCode = MessageLoop();
    // The windows they link to go before they do.
    glowna.Connect({});
    armed.Connect({});
    alarm.Connect({});
    alarmuj.Connect({});
    opcje.Connect({});
    wprowadzCzas.Connect({});
    system.alarmSound.Connect({});
    system.sound.Release();
    return exitCode;
}

}  // namespace klaxora::win
