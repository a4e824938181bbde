#pragma once
// The options dialog, over the configuration window: start with Windows, start in the
// notification area, and the behaviour before an alarm. Its boxes are read from the registry
// every time it is shown; OK writes them back and into the running program's options.
#include <functional>
#include <string>

#include "app/watch_state.h"
#include "dialogs/options.h"
#include "ports/file_system.h"
#include "ports/registry.h"
#include "win/sys/handles.h"
#include "win/ui/owned_dialog.h"
#include "win/ui/tooltips.h"
#include "win/dialogs/dialog_controls.h"

namespace klaxora::win {

// What the options dialog works on, handed to it by the application.
struct OptionsContext {
    RegistryPort* registry = nullptr;
    const FileSystemPort* files = nullptr;
    AppOptions* options = nullptr;  // the running program's, changed by OK
    std::wstring executablePath;    // written as the Run key's "Alarm"
    std::wstring helpFile;          // "Pomoc" is offered while it exists
};

class TF_Opcje : public OwnedDialog {
  public:
    enum Id : int {
        kCheckBox1 = 100,
        kCheckBox2,
        kGroupBox1,
        kCheckBox4,
        kCheckBox3,
        kCheckBox5,
        kCheckBox6,
        kSpeedButton2,  // "Pomoc"
        kPicture,
        kSpeedButton1 = IDOK,
        kSpeedButton3 = IDCANCEL,
    };

    // Hidden until shown over `owner` (the configuration window); its controls are built on
    // the first show.
    void Create(OptionsContext context = {}, HWND owner = nullptr);

    // The default system beep; tests count it instead.
    std::function<void()> Beep = [] { MessageBeep(0); };
    // Opens the help file; the shell by default.
    dialogs::Opener Open;

    // Handlers, named after their events.
    void FormShow();
    void SpeedButton1Click();  // OK
    void SpeedButton3Click();  // Anuluj
    void SpeedButton2Click();  // Pomoc
    void CheckBox6Click();
    // The dialog's own key before dialog navigation: F1 opens the help.
    bool PreTranslate(MSG& msg) override;

    HWND CheckBox1 = nullptr, CheckBox2 = nullptr, GroupBox1 = nullptr, CheckBox4 = nullptr,
         CheckBox3 = nullptr, CheckBox5 = nullptr, CheckBox6 = nullptr;
    HWND SpeedButton1 = nullptr, SpeedButton3 = nullptr, SpeedButton2 = nullptr;

    // The boxes as they stand.
    OptionChecks Checks();

  protected:
    void BuildControls() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void SetChecks(const OptionChecks& checks);

    OptionsContext context_;
    FontHandle font_;
    ToolTips hints_;
};

}  // namespace klaxora::win
