#include "win/dialogs/time_wizard_window.h"

#include <commctrl.h>

#include "win/sys/clock_win.h"
#include "win/ui/fonts.h"
#include "win/ui/message_box.h"

namespace klaxora::win {
namespace {

namespace t = wizard_text;

constexpr int kClientWidth = 440, kClientHeight = 352;
constexpr Box kRbSecondsPlace{8, 8, 300, 18};
constexpr Box kSekundyGroupPlace{8, 28, 424, 98};
constexpr Box kSekundyPlace{16, 44, 408, 28};  // two lines
constexpr Box kSecondsPlace{16, 76, 120, 21};
constexpr Box kJednostkaPlace{140, 79, 20, 16};
constexpr Box kPoKonwersjiPlace{16, 104, 300, 16};
constexpr Box kRbTimeOfDayPlace{8, 134, 330, 18};
constexpr Box kCzasGroupPlace{8, 154, 424, 66};
constexpr Box kCzasPlace{16, 170, 408, 16};
constexpr Box kPicker1Place{16, 188, 120, 21};
constexpr Box kRbDaysPlace{8, 228, 300, 18};
constexpr Box kDniGroupPlace{8, 248, 424, 62};
constexpr Box kDataPlace{16, 264, 250, 16};
constexpr Box kPicker2Place{16, 282, 250, 21};
constexpr Box kRoznicaDniPlace{280, 285, 148, 16};
constexpr Box kOkPlace{kClientWidth - 166, kClientHeight - 33, 75, 25};
constexpr Box kCancelPlace{kClientWidth - 83, kClientHeight - 33, 75, 25};

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
    const HFONT f = Font(-11, FontWeight::Normal);
    const HWND w = Hwnd();
    // The mode buttons are checked by the program, so the group boxes between them do not
    // split them into separate groups of the dialog manager.
    constexpr DWORD radio = BS_RADIOBUTTON;
    rb_KWC_TinS.Create(w, kRbSeconds, kRbSecondsPlace, t::kSecondsMode, f, radio);
    gb_Sekundy.Create(w, 0, kSekundyGroupPlace, L"", f);
    l_Sekundy.Create(w, 0, kSekundyPlace, t::kSecondsCaption, f);
    se_TimeInSec.Create(w, kSeconds, kSecondsPlace, {kWizardMinSeconds, kWizardMaxSeconds}, f);
    // Ten digits hold every number of the field's range and a little more, which OK refuses.
    se_TimeInSec.SetLimit(10);
    l_Jednostka.Create(w, 0, kJednostkaPlace, t::kSecondsUnit, f);
    l_PoKonwersji.Create(w, 0, kPoKonwersjiPlace, ConvertedLabel(1), f);

    rb_KWC_WprCzas.Create(w, kRbTimeOfDay, kRbTimeOfDayPlace, t::kTimeOfDayMode, f, radio);
    gb_Czas.Create(w, 0, kCzasGroupPlace, L"", f);
    l_Czas.Create(w, 0, kCzasPlace, t::kTimeCaptionCountdown, f);
    dtp_Czas.Create(w, kPicker1, kPicker1Place, f, DTS_TIMEFORMAT);

    rb_KWC_UrZaDni.Create(w, kRbDays, kRbDaysPlace, t::kDaysMode, f, radio);
    gb_Dni.Create(w, 0, kDniGroupPlace, L"", f);
    l_Data.Create(w, 0, kDataPlace, t::kDateCaptionCountdown, f);
    dtp_Data.Create(w, kPicker2, kPicker2Place, f, DTS_LONGDATEFORMAT);
    // The date starts at today, which matches the difference of 0 days shown.
    l_RoznicaDni.Create(w, 0, kRoznicaDniPlace, DayDifferenceLabel(0), f);

    BitBtn1.Create(w, kBitBtn1, kOkPlace, t::kOk, f, BS_DEFPUSHBUTTON | WS_GROUP);
    BitBtn2.Create(w, kBitBtn2, kCancelPlace, t::kCancel, f);

    // No mode is chosen until the user picks one; until then no group takes input.
    rb_KWC_TinSClick(WizardMode::None);
}

void Tf_WprowadzCzas::Prepare(std::wstring_view triggerCaption) {
    EnsureBuilt();
    target_ = WizardTargetFor(triggerCaption);
    const WizardPreparation p = PrepareWizard(target_);
    l_Czas.SetText(p.timeCaption);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SYSTEMTIME start = now;
    if (!p.timeOfDayPickerAtNow)
        start.wHour = start.wMinute = start.wSecond = start.wMilliseconds = 0;
    dtp_Czas.SetTime(start);
    l_Data.SetText(p.dateCaption);
    SYSTEMTIME day = dtp_Data.Time();
    day.wHour = day.wMinute = day.wSecond = day.wMilliseconds = 0;
    dtp_Data.SetTime(day);
    DateTimePicker2Change();
    rb_KWC_UrZaDni.SetEnabled(p.daysModeEnabled);
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
    rb_KWC_TinS.SetChecked(mode == WizardMode::Seconds);
    rb_KWC_WprCzas.SetChecked(mode == WizardMode::TimeOfDay);
    rb_KWC_UrZaDni.SetChecked(mode == WizardMode::Days);
    // An unchecked radio button drops its tab stop; while no mode is chosen the first one
    // keeps it, so Tab still reaches the modes.
    if (mode == WizardMode::None) {
        SetWindowLongPtrW(rb_KWC_TinS, GWL_STYLE,
                          GetWindowLongPtrW(rb_KWC_TinS, GWL_STYLE) | WS_TABSTOP);
    }
    const auto enable = [](bool on, std::initializer_list<HWND> controls) {
        for (HWND c : controls)
            EnableWindow(c, on);
    };
    enable(mode == WizardMode::Seconds, {gb_Sekundy, l_Sekundy, l_PoKonwersji, se_TimeInSec.Edit(),
                                         se_TimeInSec.UpDown(), l_Jednostka});
    enable(mode == WizardMode::TimeOfDay, {gb_Czas, l_Czas, dtp_Czas});
    enable(mode == WizardMode::Days, {gb_Dni, l_Data, l_RoznicaDni, dtp_Data});
}

void Tf_WprowadzCzas::se_TimeInSecChange() {
    EnsureBuilt();
    l_PoKonwersji.SetText(ConvertedLabel(WizardSecondsValue(Control(se_TimeInSec).Text())));
}

void Tf_WprowadzCzas::DateTimePicker2Change() {
    EnsureBuilt();
    SYSTEMTIME today{};
    GetLocalTime(&today);
    today.wHour = today.wMinute = today.wSecond = 0;
    const int64_t days = DayDistance(FromSystemTime(dtp_Data.Time()), FromSystemTime(today));
    l_RoznicaDni.SetText(DayDifferenceLabel(days));
}

WizardInput Tf_WprowadzCzas::Input() const {
    WizardInput in;
    in.target = target_;
    in.mode = mode_;
    in.secondsText = Control(se_TimeInSec).Text();
    const SYSTEMTIME time = dtp_Czas.Time();
    in.pickedTime = {time.wHour, time.wMinute, time.wSecond};
    in.timeSeparator = TimeSeparator();
    in.pickedDate = FromSystemTime(dtp_Data.Time());
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
    if (result.kind == WizardResult::Kind::ApplyAtTime && links_.applyAtTimeText)
        links_.applyAtTimeText(result.text);
    else if (result.kind == WizardResult::Kind::ApplyCountdown && links_.applyCountdownText)
        links_.applyCountdownText(result.text);
}

void Tf_WprowadzCzas::BitBtn2Click() {
    Close();
}

bool Tf_WprowadzCzas::OnCommand(UINT id, UINT code) {
    if (id == kSeconds && code == EN_CHANGE)
        se_TimeInSecChange();
    else if (code != BN_CLICKED)
        return false;
    else if (id == kRbSeconds || id == kRbTimeOfDay || id == kRbDays)
        rb_KWC_TinSClick(id == kRbSeconds     ? WizardMode::Seconds
                         : id == kRbTimeOfDay ? WizardMode::TimeOfDay
                                              : WizardMode::Days);
    else if (id == kBitBtn1)
        BitBtn1Click();
    else if (id == kBitBtn2)
        BitBtn2Click();
    return true;
}

bool Tf_WprowadzCzas::OnNotify(const NMHDR& header) {
    if (header.idFrom != kPicker2 || header.code != DTN_DATETIMECHANGE)
        return false;
    DateTimePicker2Change();
    return true;
}

}  // namespace klaxora::win
