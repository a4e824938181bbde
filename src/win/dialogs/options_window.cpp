#include "win/dialogs/options_window.h"

#include <string_view>

#include "app/snooze.h"
#include "win/sys/program_info.h"
#include "win/ui/fonts.h"
#include "win/ui/message_box.h"

namespace klaxora::win {
namespace {

namespace text {
constexpr std::wstring_view kCaption = L"Opcje";
constexpr std::wstring_view kCheckBox1 = L"Uruchamiaj przy starcie &Windows";
constexpr std::wstring_view kCheckBox2 = L"&Po uruchomieniu minimalizuj do traya";
constexpr std::wstring_view kGroupBox1 = L" Przed alarmem: ";
constexpr std::wstring_view kCheckBox4 = L"&Jeżeli wygaszacz ekranu jest włączony wyłącz go";
constexpr std::wstring_view kCheckBox3 = L"&Minimalizuj wszystkie okna";
constexpr std::wstring_view kCheckBox5 = L"&Uruchamiając podgląd alarmu minimalizuj okno główne";
constexpr std::wstring_view kCheckBox6 = L"P&odczas najazdu domyślnego okna odgrywaj dźwięk (beep)";
constexpr std::wstring_view kCheckBox6Hint =
    L"Jest to dźwiek BEEP, który słyszysz zaznaczając tą opcję !!!";
constexpr std::wstring_view kSnooze = L"&Drzemka okna alarmu (minuty):";
constexpr std::wstring_view kOk = L"OK";
constexpr std::wstring_view kCancel = L"Anuluj";
constexpr std::wstring_view kHelp = L"Pomoc";
}  // namespace text

// The client area and where each control stands in it.
constexpr int kClientWidth = 390, kClientHeight = 248;
constexpr Box kCheckBox1Place{12, 12, 320, 20};
constexpr Box kCheckBox2Place{12, 34, 320, 20};
constexpr Box kGroupBox1Place{8, 60, 374, 68};
constexpr Box kCheckBox4Place{20, 78, 356, 20};
constexpr Box kCheckBox3Place{20, 100, 356, 20};
constexpr Box kCheckBox5Place{12, 136, 370, 20};
constexpr Box kCheckBox6Place{12, 158, 370, 20};
constexpr Box kSnoozeLabelPlace{12, 187, 250, 16};
constexpr Box kSnoozePlace{266, 184, 60, 21};
constexpr Box kPicturePlace{346, 12, 32, 32};
constexpr int kButtonTop = 216, kButtonWidth = 75, kButtonHeight = 25;
constexpr Box kHelpPlace{8, kButtonTop, kButtonWidth, kButtonHeight};
constexpr Box kOkPlace{kClientWidth - 2 * kButtonWidth - 16, kButtonTop, kButtonWidth,
                       kButtonHeight};
constexpr Box kCancelPlace{kClientWidth - kButtonWidth - 8, kButtonTop, kButtonWidth,
                           kButtonHeight};

}  // namespace

void TF_Opcje::Create(HWND owner) {
    CreateToolDialog(L"TF_Opcje", std::wstring(text::kCaption).c_str(), kClientWidth, kClientHeight,
                     owner);
}

void TF_Opcje::BuildControls() {
    const HFONT f = Font(-11, FontWeight::Normal);
    const HWND w = Hwnd();
    CheckBox1.Create(w, kCheckBox1, kCheckBox1Place, text::kCheckBox1, f,
                     BS_AUTOCHECKBOX | WS_GROUP);
    CheckBox2.Create(w, kCheckBox2, kCheckBox2Place, text::kCheckBox2, f);
    GroupBox1.Create(w, kGroupBox1, kGroupBox1Place, text::kGroupBox1, f);
    CheckBox4.Create(w, kCheckBox4, kCheckBox4Place, text::kCheckBox4, f);
    CheckBox3.Create(w, kCheckBox3, kCheckBox3Place, text::kCheckBox3, f);
    CheckBox5.Create(w, kCheckBox5, kCheckBox5Place, text::kCheckBox5, f);
    CheckBox6.Create(w, kCheckBox6, kCheckBox6Place, text::kCheckBox6, f);
    SnoozeLabel.Create(w, kSnoozeLabel, kSnoozeLabelPlace, text::kSnooze, f);
    se_Drzemka.Create(w, kSnooze, kSnoozePlace, {kSnoozeMinMinutes, kSnoozeMaxMinutes}, f);
    Picture.Create(w, kPicture, kPicturePlace, L"", f, SS_ICON | SS_REALSIZEIMAGE);
    SendMessageW(Picture, STM_SETICON, reinterpret_cast<WPARAM>(AppIcon(32)), 0);
    SpeedButton2.Create(w, kSpeedButton2, kHelpPlace, text::kHelp, f, BS_PUSHBUTTON | WS_GROUP);
    SpeedButton1.Create(w, kSpeedButton1, kOkPlace, text::kOk, f, BS_DEFPUSHBUTTON);
    SpeedButton3.Create(w, kSpeedButton3, kCancelPlace, text::kCancel, f);

    hints_.CreateHints(w);
    hints_.Add(CheckBox6, std::wstring(text::kCheckBox6Hint));
    hints_.Realize();
}

OptionChecks TF_Opcje::Checks() {
    EnsureBuilt();
    return {CheckBox1.Checked(),
            CheckBox2.Checked(),
            CheckBox3.Checked(),
            CheckBox4.Checked(),
            CheckBox5.Checked(),
            CheckBox6.Checked(),
            static_cast<int32_t>(se_Drzemka.Value())};
}

void TF_Opcje::SetChecks(const OptionChecks& checks) {
    EnsureBuilt();
    // The beep box sounds on every change of its state, the show's own included.
    if (CheckBox6.Checked() != checks.beep)
        Beep();
    CheckBox1.SetChecked(checks.startWithWindows);
    CheckBox2.SetChecked(checks.startMinimized);
    CheckBox3.SetChecked(checks.minimizeAll);
    CheckBox4.SetChecked(checks.screenSaverOff);
    CheckBox5.SetChecked(checks.minimizeOnPreview);
    CheckBox6.SetChecked(checks.beep);
    se_Drzemka.SetValue(checks.snoozeMinutes);
}

void TF_Opcje::FormShow() {
    EnsureBuilt();
    SpeedButton2.SetVisible(ports_.HelpExists());
    try {
        SetChecks(ReadOptionChecks(ports_.registry, ports_.files));
    } catch (const UserError&) {
        // A registry that cannot be read shows every box unchecked, without a message.
        SetChecks({});
    }
    SetFocus(CheckBox1);
}

void TF_Opcje::SpeedButton1Click() {
    if (links_.options) {
        const auto error = SaveOptionChecks(ports_.registry, ports_.files, Checks(),
                                            ports_.program.executablePath, *links_.options);
        if (error) {
            // Closing as if saved would lose the user's choice without a word; the dialog
            // stays open to try again or cancel.
            ShowStandardError(*error);
            return;
        }
    }
    Close();
}

void TF_Opcje::SpeedButton3Click() {
    Close();
}

void TF_Opcje::SpeedButton2Click() {
    EnsureBuilt();
    if (IsWindowVisible(SpeedButton2))
        ports_.OpenHelp(Hwnd());
}

void TF_Opcje::CheckBox6Click() {
    Beep();
}

bool TF_Opcje::PreTranslate(MSG& msg) {
    // F1 wherever the focus is in the dialog; Enter and Escape come from the message loop's
    // dialog navigation as OK and Cancel.
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_F1)
        return false;
    SpeedButton2Click();
    return true;
}

bool TF_Opcje::OnCommand(UINT id, UINT code) {
    if (code != BN_CLICKED)
        return false;
    if (id == kSpeedButton1)
        SpeedButton1Click();
    else if (id == kSpeedButton3)
        SpeedButton3Click();
    else if (id == kSpeedButton2)
        SpeedButton2Click();
    else if (id == kCheckBox6)
        CheckBox6Click();
    return true;
}

}  // namespace klaxora::win
