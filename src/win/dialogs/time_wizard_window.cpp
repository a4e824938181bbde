#include "win/dialogs/time_wizard_window.h"

#include <commctrl.h>

#include "win/dialogs/dialog_controls.h"
#include "win/sys/clock_win.h"
#include "win/ui/fonts.h"
#include "win/ui/message_box.h"

namespace klaxora::win {
namespace {

using namespace dialogs;

namespace t = wizard_text;

constexpr int kClientWidth = 440, kClientHeight = 352;
constexpr Place kRbSecondsPlace{8, 8, 300, 18};
constexpr Place kGroupBox1Place{8, 28, 424, 98};
constexpr Place kLabel1Place{16, 44, 408, 28};  // two lines
constexpr Place kSecondsPlace{16, 76, 120, 21};
constexpr Place kLabel2Place{140, 79, 20, 16};
constexpr Place kLabel5Place{16, 104, 300, 16};
constexpr Place kRbTimeOfDayPlace{8, 134, 330, 18};
constexpr Place kGroupBox2Place{8, 154, 424, 66};
constexpr Place kLabel3Place{16, 170, 408, 16};
constexpr Place kPicker1Place{16, 188, 120, 21};
constexpr Place kRbDaysPlace{8, 228, 300, 18};
constexpr Place kGroupBox3Place{8, 248, 424, 62};
constexpr Place kLabel4Place{16, 264, 250, 16};
constexpr Place kPicker2Place{16, 282, 250, 21};
constexpr Place kLabel6Place{280, 285, 148, 16};
constexpr Place kOkPlace{kClientWidth - 166, kClientHeight - 33, 75, 25};
constexpr Place kCancelPlace{kClientWidth - 83, kClientHeight - 33, 75, 25};

SYSTEMTIME PickerTime(HWND picker) {
    SYSTEMTIME st{};
    if (SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID)
        GetLocalTime(&st);
    return st;
}

std::wstring TimeSeparator() {
    wchar_t separator[8] = L":";
    if (!GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STIME, separator, 8))
        return L":";
    return separator;
}

}  // namespace

void Tf_WprowadzCzas::Create(HWND owner) {
    CreateToolDialog(L"Tf_WprowadzCzas", std::wstring(t::kCaption).c_str(), kClientWidth,
                     kClientHeight, owner);
}

void Tf_WprowadzCzas::BuildControls() {
    font_ = MakeFont(-11, FontWeight::Normal);
    const HFONT f = font_.Get();
    const HWND w = Hwnd();
    // The mode buttons are checked by the program, so the group boxes between them do not
    // split them into separate groups of the dialog manager.
    constexpr DWORD radio = BS_RADIOBUTTON | WS_TABSTOP;
    rb_KWC_TinS = MakeControl(w, L"BUTTON", t::kSecondsMode, radio, kRbSecondsPlace, kRbSeconds, f);
    GroupBox1 = MakeControl(w, L"BUTTON", L"", BS_GROUPBOX, kGroupBox1Place, 0, f);
    Label1 = MakeControl(w, L"STATIC", t::kLabel1, SS_LEFT, kLabel1Place, 0, f);
    se_TimeInSec.Create(w, kSeconds, kSecondsPlace.x, kSecondsPlace.y, kSecondsPlace.width,
                        kSecondsPlace.height, {kWizardMinSeconds, kWizardMaxSeconds});
    SendMessageW(se_TimeInSec.Edit(), WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
    // Ten digits hold every number of the field's range and a little more, which OK refuses.
    SendMessageW(se_TimeInSec.Edit(), EM_LIMITTEXT, 10, 0);
    Label2 = MakeControl(w, L"STATIC", t::kLabel2, SS_LEFT, kLabel2Place, 0, f);
    Label5 = MakeControl(w, L"STATIC", ConvertedLabel(1), SS_LEFT, kLabel5Place, 0, f);

    rb_KWC_WprCzas =
        MakeControl(w, L"BUTTON", t::kTimeOfDayMode, radio, kRbTimeOfDayPlace, kRbTimeOfDay, f);
    GroupBox2 = MakeControl(w, L"BUTTON", L"", BS_GROUPBOX, kGroupBox2Place, 0, f);
    Label3 = MakeControl(w, L"STATIC", t::kLabel3Countdown, SS_LEFT, kLabel3Place, 0, f);
    DateTimePicker1 = MakeControl(w, DATETIMEPICK_CLASSW, L"", DTS_TIMEFORMAT | WS_TABSTOP,
                                  kPicker1Place, kPicker1, f);

    rb_KWC_UrZaDni = MakeControl(w, L"BUTTON", t::kDaysMode, radio, kRbDaysPlace, kRbDays, f);
    GroupBox3 = MakeControl(w, L"BUTTON", L"", BS_GROUPBOX, kGroupBox3Place, 0, f);
    Label4 = MakeControl(w, L"STATIC", t::kLabel4Countdown, SS_LEFT, kLabel4Place, 0, f);
    DateTimePicker2 = MakeControl(w, DATETIMEPICK_CLASSW, L"", DTS_LONGDATEFORMAT | WS_TABSTOP,
                                  kPicker2Place, kPicker2, f);
    // The date starts at today, which matches the difference of 0 days shown.
    Label6 = MakeControl(w, L"STATIC", DayDifferenceLabel(0), SS_LEFT, kLabel6Place, 0, f);

    BitBtn1 = MakeControl(w, L"BUTTON", t::kOk, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, kOkPlace,
                          kBitBtn1, f);
    BitBtn2 = MakeControl(w, L"BUTTON", t::kCancel, BS_PUSHBUTTON | WS_TABSTOP, kCancelPlace,
                          kBitBtn2, f);

    // No mode is chosen until the user picks one; until then no group takes input.
    rb_KWC_TinSClick(WizardMode::None);
}

void Tf_WprowadzCzas::Prepare(std::wstring_view triggerCaption) {
    EnsureBuilt();
    target_ = WizardTargetFor(triggerCaption);
    const WizardPreparation p = PrepareWizard(target_);
    SetWindowTextW(Label3, std::wstring(p.Label3).c_str());
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SYSTEMTIME start = now;
    if (!p.timeOfDayPickerAtNow)
        start.wHour = start.wMinute = start.wSecond = start.wMilliseconds = 0;
    SendMessageW(DateTimePicker1, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&start));
    SetWindowTextW(Label4, std::wstring(p.Label4).c_str());
    SYSTEMTIME day = PickerTime(DateTimePicker2);
    day.wHour = day.wMinute = day.wSecond = day.wMilliseconds = 0;
    SendMessageW(DateTimePicker2, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&day));
    DateTimePicker2Change();
    EnableWindow(rb_KWC_UrZaDni, p.daysModeEnabled);
    SetFocus(rb_KWC_TinS);
}

void Tf_WprowadzCzas::sb_SpecialTimeClick(std::wstring_view triggerCaption) {
    Prepare(triggerCaption);
    // The configuration window waits until the wizard is closed.
    ShowModal(rb_KWC_TinS);
}

void Tf_WprowadzCzas::rb_KWC_TinSClick(WizardMode mode) {
    EnsureBuilt();
    mode_ = mode;
    SetChecked(rb_KWC_TinS, mode == WizardMode::Seconds);
    SetChecked(rb_KWC_WprCzas, mode == WizardMode::TimeOfDay);
    SetChecked(rb_KWC_UrZaDni, mode == WizardMode::Days);
    const auto enable = [](bool on, std::initializer_list<HWND> controls) {
        for (HWND c : controls)
            EnableWindow(c, on);
    };
    enable(mode == WizardMode::Seconds,
           {GroupBox1, Label1, Label5, se_TimeInSec.Edit(), se_TimeInSec.UpDown(), Label2});
    enable(mode == WizardMode::TimeOfDay, {GroupBox2, Label3, DateTimePicker1});
    enable(mode == WizardMode::Days, {GroupBox3, Label4, Label6, DateTimePicker2});
}

void Tf_WprowadzCzas::se_TimeInSecChange() {
    EnsureBuilt();
    SetWindowTextW(Label5,
                   ConvertedLabel(WizardSecondsValue(ControlText(se_TimeInSec.Edit()))).c_str());
}

void Tf_WprowadzCzas::DateTimePicker2Change() {
    EnsureBuilt();
    SYSTEMTIME today{};
    GetLocalTime(&today);
    today.wHour = today.wMinute = today.wSecond = 0;
    const int64_t days =
        DayDistance(FromSystemTime(PickerTime(DateTimePicker2)), FromSystemTime(today));
    SetWindowTextW(Label6, DayDifferenceLabel(days).c_str());
}

WizardInput Tf_WprowadzCzas::Input() const {
    WizardInput in;
    in.target = target_;
    in.mode = mode_;
    in.secondsText = ControlText(se_TimeInSec.Edit());
    const SYSTEMTIME time = PickerTime(DateTimePicker1);
    in.pickedTime = {time.wHour, time.wMinute, time.wSecond};
    in.timeSeparator = TimeSeparator();
    in.pickedDate = FromSystemTime(PickerTime(DateTimePicker2));
    SYSTEMTIME today{};
    GetLocalTime(&today);
    today.wHour = today.wMinute = today.wSecond = 0;
    in.today = FromSystemTime(today);
    return in;
}

void Tf_WprowadzCzas::BitBtn1Click() {
    EnsureBuilt();
    const WizardResult result = WizardOkResult(Input());
    if (result.kind == WizardResult::Kind::Refuse) {
        // The entry stays as typed, so the user can correct it.
        ShowError(result.text);
        return;
    }
    Close();
    if (result.kind == WizardResult::Kind::ApplyAtTime && ApplyAtTimeText)
        ApplyAtTimeText(result.text);
    else if (result.kind == WizardResult::Kind::ApplyCountdown && ApplyCountdownText)
        ApplyCountdownText(result.text);
}

void Tf_WprowadzCzas::BitBtn2Click() {
    Close();
}

LRESULT Tf_WprowadzCzas::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND: {
            const WORD id = LOWORD(wParam), code = HIWORD(wParam);
            if (code == BN_CLICKED) {
                switch (id) {
                    case kRbSeconds:
                        rb_KWC_TinSClick(WizardMode::Seconds);
                        return 0;
                    case kRbTimeOfDay:
                        rb_KWC_TinSClick(WizardMode::TimeOfDay);
                        return 0;
                    case kRbDays:
                        rb_KWC_TinSClick(WizardMode::Days);
                        return 0;
                    case kBitBtn1:
                        BitBtn1Click();
                        return 0;
                    case kBitBtn2:
                        BitBtn2Click();
                        return 0;
                }
            }
            if (code == EN_CHANGE && id == kSeconds) {
                se_TimeInSecChange();
                return 0;
            }
            break;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == DateTimePicker2 && header->code == DTN_DATETIMECHANGE) {
                DateTimePicker2Change();
                return 0;
            }
            break;
        }
    }
    return OwnedDialog::HandleMessage(msg, wParam, lParam);
}

}  // namespace klaxora::win
