#pragma once
// The time-entry wizard, over the configuration window: a time as a number of seconds, with a
// time picker, or as a number of days ahead. Modal: the configuration window waits while it
// shows. Its controls keep their state between uses.
#include <functional>
#include <string>
#include <string_view>

#include "dialogs/time_wizard.h"
#include "win/sys/handles.h"
#include "win/ui/controls.h"
#include "win/ui/owned_dialog.h"
#include "win/ui/spin_edit.h"

namespace klaxora::win {

class Tf_WprowadzCzas : public OwnedDialog {
  public:
    enum Id : int {
        kRbSeconds = 100,
        kRbTimeOfDay,
        kRbDays,
        kSeconds,
        kPicker1,
        kPicker2,
        kBitBtn1 = IDOK,
        kBitBtn2 = IDCANCEL,
    };

    // Hidden until shown over `owner` (the configuration window); its controls are built when
    // it is first prepared or shown.
    void Create(HWND owner = nullptr);

    // Where OK's time text goes: the configuration window's ApplyAtTimeText and
    // ApplyCountdownText.
    struct Links {
        std::function<void(const std::wstring& text)> applyAtTimeText;
        std::function<void(const std::wstring& text)> applyCountdownText;
    };
    void Connect(Links links) { links_ = std::move(links); }

    // The configuration window's "Kreator" buttons: prepares the wizard for the selected
    // trigger caption, shows it modally and, on OK, hands the result over.
    void sb_SpecialTimeClick(std::wstring_view triggerCaption);
    // The two halves of it: preparing (labels, pickers, modes, focus) and showing without
    // waiting, for the tests.
    void Prepare(std::wstring_view triggerCaption);

    // Handlers, named after their events.
    void rb_KWC_TinSClick(WizardMode mode);
    void se_TimeInSecChange();
    void DateTimePicker2Change();
    void BitBtn1Click();  // OK
    void BitBtn2Click();  // Anuluj

    WizardMode Mode() const { return mode_; }

    CheckBox rb_KWC_TinS, rb_KWC_WprCzas, rb_KWC_UrZaDni;
    GroupBox gb_Sekundy, gb_Czas, gb_Dni;
    Label l_Sekundy, l_Jednostka, l_PoKonwersji, l_Czas, l_Data, l_RoznicaDni;
    SpinEdit se_TimeInSec;
    win::DateTimePicker dtp_Czas, dtp_Data;
    Button BitBtn1, BitBtn2;

  protected:
    void BuildControls() override;
    bool OnCommand(UINT id, UINT code) override;
    bool OnNotify(const NMHDR& header) override;

  private:
    WizardInput Input() const;

    WizardTarget target_ = WizardTarget::None;
    WizardMode mode_ = WizardMode::None;
    Links links_;
};

}  // namespace klaxora::win
