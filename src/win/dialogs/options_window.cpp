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
constexpr std::wstring_view kStartWithWindows = L"Uruchamiaj przy starcie &Windows";
constexpr std::wstring_view kStartMinimized = L"&Po uruchomieniu minimalizuj do traya";
constexpr std::wstring_view kPrzedAlarmem = L" Przed alarmem: ";
constexpr std::wstring_view kScreenSaverOff = L"&Jeżeli wygaszacz ekranu jest włączony wyłącz go";
constexpr std::wstring_view kMinimizeAll = L"&Minimalizuj wszystkie okna";
constexpr std::wstring_view kMinimizeOnPreview =
    L"&Uruchamiając podgląd alarmu minimalizuj okno główne";
constexpr std::wstring_view kBeep = L"P&odczas najazdu domyślnego okna odgrywaj dźwięk (beep)";
constexpr std::wstring_view kBeepHint =
    L"Jest to dźwiek BEEP, który słyszysz zaznaczając tą opcję !!!";
constexpr std::wstring_view kSnooze = L"&Drzemka okna alarmu (minuty):";
constexpr std::wstring_view kOk = L"OK";
constexpr std::wstring_view kCancel = L"Anuluj";
constexpr std::wstring_view kHelp = L"Pomoc";
}  // namespace text

// The client area and where each control stands in it.
constexpr int kClientWidth = 390, kClientHeight = 248;
constexpr Box kStartWithWindowsPlace{12, 12, 320, 20};
constexpr Box kStartMinimizedPlace{12, 34, 320, 20};
constexpr Box kPrzedAlarmemPlace{8, 60, 374, 68};
constexpr Box kScreenSaverOffPlace{20, 78, 356, 20};
constexpr Box kMinimizeAllPlace{20, 100, 356, 20};
constexpr Box kMinimizeOnPreviewPlace{12, 136, 370, 20};
constexpr Box kBeepPlace{12, 158, 370, 20};
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
    cb_StartWithWindows.Create(w, kStartWithWindows, kStartWithWindowsPlace,
                               text::kStartWithWindows, f, BS_AUTOCHECKBOX | WS_GROUP);
    cb_StartMinimized.Create(w, kStartMinimized, kStartMinimizedPlace, text::kStartMinimized, f);
    gb_PrzedAlarmem.Create(w, kPrzedAlarmem, kPrzedAlarmemPlace, text::kPrzedAlarmem, f);
    cb_ScreenSaverOff.Create(w, kScreenSaverOff, kScreenSaverOffPlace, text::kScreenSaverOff, f);
    cb_MinimizeAll.Create(w, kMinimizeAll, kMinimizeAllPlace, text::kMinimizeAll, f);
    cb_MinimizeOnPreview.Create(w, kMinimizeOnPreview, kMinimizeOnPreviewPlace,
                                text::kMinimizeOnPreview, f);
    cb_Beep.Create(w, kBeep, kBeepPlace, text::kBeep, f);
    SnoozeLabel.Create(w, kSnoozeLabel, kSnoozeLabelPlace, text::kSnooze, f);
    se_Drzemka.Create(w, kSnooze, kSnoozePlace, {kSnoozeMinMinutes, kSnoozeMaxMinutes}, f);
    Picture.Create(w, kPicture, kPicturePlace, L"", f, SS_ICON | SS_REALSIZEIMAGE);
    SendMessageW(Picture, STM_SETICON, reinterpret_cast<WPARAM>(AppIcon(32)), 0);
    b_Pomoc.Create(w, kHelpButton, kHelpPlace, text::kHelp, f, BS_PUSHBUTTON | WS_GROUP);
    b_Ok.Create(w, kOk, kOkPlace, text::kOk, f, BS_DEFPUSHBUTTON);
    b_Anuluj.Create(w, kCancel, kCancelPlace, text::kCancel, f);

    hints_.CreateHints(w);
    hints_.Add(cb_Beep, std::wstring(text::kBeepHint));
    hints_.Realize();
}

OptionChecks TF_Opcje::Checks() {
    EnsureBuilt();
    return {cb_StartWithWindows.Checked(),
            cb_StartMinimized.Checked(),
            cb_MinimizeAll.Checked(),
            cb_ScreenSaverOff.Checked(),
            cb_MinimizeOnPreview.Checked(),
            cb_Beep.Checked(),
            static_cast<int32_t>(se_Drzemka.Value())};
}

void TF_Opcje::SetChecks(const OptionChecks& checks) {
    EnsureBuilt();
    // The beep box sounds on every change of its state, the show's own included.
    if (cb_Beep.Checked() != checks.beep)
        Beep();
    cb_StartWithWindows.SetChecked(checks.startWithWindows);
    cb_StartMinimized.SetChecked(checks.startMinimized);
    cb_MinimizeAll.SetChecked(checks.minimizeAll);
    cb_ScreenSaverOff.SetChecked(checks.screenSaverOff);
    cb_MinimizeOnPreview.SetChecked(checks.minimizeOnPreview);
    cb_Beep.SetChecked(checks.beep);
    se_Drzemka.SetValue(checks.snoozeMinutes);
}

void TF_Opcje::FormShow() {
    EnsureBuilt();
    b_Pomoc.SetVisible(ports_.HelpExists());
    try {
        SetChecks(ReadOptionChecks(ports_.registry, ports_.files));
    } catch (const UserError&) {
        // A registry that cannot be read shows every box unchecked, without a message.
        SetChecks({});
    }
    SetFocus(cb_StartWithWindows);
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
    if (IsWindowVisible(b_Pomoc))
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
    if (id == kOk)
        SpeedButton1Click();
    else if (id == kCancel)
        SpeedButton3Click();
    else if (id == kHelpButton)
        SpeedButton2Click();
    else if (id == kBeep)
        CheckBox6Click();
    return true;
}

}  // namespace klaxora::win
