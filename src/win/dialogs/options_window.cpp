#include "win/dialogs/options_window.h"

#include <string_view>

#include "win/app/program_info.h"
#include "win/ui/fonts.h"
#include "win/ui/message_box.h"

namespace klaxora::win {
namespace {

using namespace dialogs;

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
constexpr std::wstring_view kOk = L"OK";
constexpr std::wstring_view kCancel = L"Anuluj";
constexpr std::wstring_view kHelp = L"Pomoc";
}  // namespace text

// The client area and where each control stands in it.
constexpr int kClientWidth = 390, kClientHeight = 222;
constexpr Place kCheckBox1Place{12, 12, 320, 20};
constexpr Place kCheckBox2Place{12, 34, 320, 20};
constexpr Place kGroupBox1Place{8, 60, 374, 68};
constexpr Place kCheckBox4Place{20, 78, 356, 20};
constexpr Place kCheckBox3Place{20, 100, 356, 20};
constexpr Place kCheckBox5Place{12, 136, 370, 20};
constexpr Place kCheckBox6Place{12, 158, 370, 20};
constexpr Place kPicturePlace{346, 12, 32, 32};
constexpr int kButtonTop = 190, kButtonWidth = 75, kButtonHeight = 25;
constexpr Place kHelpPlace{8, kButtonTop, kButtonWidth, kButtonHeight};
constexpr Place kOkPlace{kClientWidth - 2 * kButtonWidth - 16, kButtonTop, kButtonWidth,
                         kButtonHeight};
constexpr Place kCancelPlace{kClientWidth - kButtonWidth - 8, kButtonTop, kButtonWidth,
                             kButtonHeight};

}  // namespace

void TF_Opcje::Create(OptionsContext context, HWND owner) {
    context_ = std::move(context);
    if (!Open)
        Open = [this](const std::wstring& target, int show) { ShellOpen(Hwnd(), target, show); };
    CreateToolDialog(L"TF_Opcje", std::wstring(text::kCaption).c_str(), kClientWidth, kClientHeight,
                     owner);
}

void TF_Opcje::BuildControls() {
    font_ = MakeFont(-11, FontWeight::Normal);
    const HFONT f = font_.Get();
    const HWND w = Hwnd();
    constexpr DWORD box = BS_AUTOCHECKBOX | WS_TABSTOP;
    CheckBox1 =
        MakeControl(w, L"BUTTON", text::kCheckBox1, box | WS_GROUP, kCheckBox1Place, kCheckBox1, f);
    CheckBox2 = MakeControl(w, L"BUTTON", text::kCheckBox2, box, kCheckBox2Place, kCheckBox2, f);
    GroupBox1 =
        MakeControl(w, L"BUTTON", text::kGroupBox1, BS_GROUPBOX, kGroupBox1Place, kGroupBox1, f);
    CheckBox4 = MakeControl(w, L"BUTTON", text::kCheckBox4, box, kCheckBox4Place, kCheckBox4, f);
    CheckBox3 = MakeControl(w, L"BUTTON", text::kCheckBox3, box, kCheckBox3Place, kCheckBox3, f);
    CheckBox5 = MakeControl(w, L"BUTTON", text::kCheckBox5, box, kCheckBox5Place, kCheckBox5, f);
    CheckBox6 = MakeControl(w, L"BUTTON", text::kCheckBox6, box, kCheckBox6Place, kCheckBox6, f);
    const HWND picture =
        MakeControl(w, L"STATIC", L"", SS_ICON | SS_REALSIZEIMAGE, kPicturePlace, kPicture, f);
    SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(AppIcon(32)), 0);
    SpeedButton2 = MakeControl(w, L"BUTTON", text::kHelp, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                               kHelpPlace, kSpeedButton2, f);
    SpeedButton1 = MakeControl(w, L"BUTTON", text::kOk, BS_DEFPUSHBUTTON | WS_TABSTOP, kOkPlace,
                               kSpeedButton1, f);
    SpeedButton3 = MakeControl(w, L"BUTTON", text::kCancel, BS_PUSHBUTTON | WS_TABSTOP,
                               kCancelPlace, kSpeedButton3, f);

    if (hints_.CreateHints(w))
        hints_.Add(CheckBox6, std::wstring(text::kCheckBox6Hint));
}

OptionChecks TF_Opcje::Checks() {
    EnsureBuilt();
    return {IsChecked(CheckBox1), IsChecked(CheckBox2), IsChecked(CheckBox3),
            IsChecked(CheckBox4), IsChecked(CheckBox5), IsChecked(CheckBox6)};
}

void TF_Opcje::SetChecks(const OptionChecks& checks) {
    EnsureBuilt();
    // The beep box sounds on every change of its state, the show's own included.
    if (IsChecked(CheckBox6) != checks.CheckBox6)
        Beep();
    SetChecked(CheckBox1, checks.CheckBox1);
    SetChecked(CheckBox2, checks.CheckBox2);
    SetChecked(CheckBox3, checks.CheckBox3);
    SetChecked(CheckBox4, checks.CheckBox4);
    SetChecked(CheckBox5, checks.CheckBox5);
    SetChecked(CheckBox6, checks.CheckBox6);
}

void TF_Opcje::FormShow() {
    EnsureBuilt();
    SetVisible(SpeedButton2, context_.files && !context_.helpFile.empty() &&
                                 context_.files->FileExists(context_.helpFile));
    if (context_.registry && context_.files) {
        try {
            SetChecks(ReadOptionChecks(*context_.registry, *context_.files));
        } catch (const UserError&) {
            // A registry that cannot be read shows every box unchecked, without a message.
            SetChecks({});
        }
    }
    SetFocus(CheckBox1);
}

void TF_Opcje::SpeedButton1Click() {
    if (context_.registry && context_.files && context_.options) {
        const auto error = SaveOptionChecks(*context_.registry, *context_.files, Checks(),
                                            context_.executablePath, *context_.options);
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
        Open(context_.helpFile, SW_SHOWMAXIMIZED);
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

LRESULT TF_Opcje::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SHOWWINDOW:
            // Only a show of its own; the owner's minimising and restoring hides and shows the
            // dialog too (lParam set), which must not reload it.
            if (wParam && lParam == 0)
                Guarded([&] { FormShow(); });
            break;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                switch (LOWORD(wParam)) {
                    case kSpeedButton1:
                        SpeedButton1Click();
                        return 0;
                    case kSpeedButton3:
                        SpeedButton3Click();
                        return 0;
                    case kSpeedButton2:
                        SpeedButton2Click();
                        return 0;
                    case kCheckBox6:
                        CheckBox6Click();
                        return 0;
                }
            }
            break;
    }
    return OwnedDialog::HandleMessage(msg, wParam, lParam);
}

}  // namespace klaxora::win
