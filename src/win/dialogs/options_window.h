#pragma once
// The options dialog, over the configuration window: start with Windows, start in the
// notification area, and the behaviour before an alarm. Its boxes are read from the registry
// every time it is shown; OK writes them back and into the running program's options.
#include <functional>
#include <string>

#include "app/watch_state.h"
#include "dialogs/options.h"
#include "win/actions/window_ports.h"
#include "win/sys/handles.h"
#include "win/ui/controls.h"
#include "win/ui/owned_dialog.h"
#include "win/ui/spin_edit.h"
#include "win/ui/tooltips.h"

namespace klaxora::win {

class TF_Opcje : public OwnedDialog {
  public:
    enum Id : int {
        kStartWithWindows = 100,
        kStartMinimized,
        kPrzedAlarmem,
        kScreenSaverOff,
        kMinimizeAll,
        kMinimizeOnPreview,
        kBeep,
        kHelpButton,  // "Pomoc"
        kPicture,
        kSnoozeLabel,
        kSnooze,
        kOk = IDOK,
        kCancel = IDCANCEL,
    };

    // The registry, the program's path and the help page come from the ports.
    explicit TF_Opcje(const WindowPorts& ports) : ports_(ports) {}
    // Hidden until shown over `owner` (the configuration window); its controls are built on
    // the first show.
    void Create(HWND owner = nullptr);
    struct Links {
        AppOptions* options = nullptr;  // the running program's, changed by OK; none: not saved
    };
    void Connect(Links links) { links_ = links; }

    // The default system beep; tests count it instead.
    std::function<void()> Beep = [] { MessageBeep(0); };

    // Handlers, named after their events.
    void FormShow() override;
    void SpeedButton1Click();  // OK
    void SpeedButton3Click();  // Anuluj
    void SpeedButton2Click();  // Pomoc
    void CheckBox6Click();
    // The dialog's own key before dialog navigation: F1 opens the help.
    bool PreTranslate(MSG& msg) override;

    CheckBox cb_StartWithWindows, cb_StartMinimized, cb_ScreenSaverOff, cb_MinimizeAll,
        cb_MinimizeOnPreview, cb_Beep;
    GroupBox gb_PrzedAlarmem;
    Label Picture, SnoozeLabel;
    SpinEdit se_Drzemka;  // the snooze's minutes
    Button b_Ok, b_Anuluj, b_Pomoc;

    // The boxes as they stand.
    OptionChecks Checks();

  protected:
    void BuildControls() override;
    bool OnCommand(UINT id, UINT code) override;

  private:
    void SetChecks(const OptionChecks& checks);

    const WindowPorts ports_;
    Links links_;
    ToolTips hints_;
};

}  // namespace klaxora::win
