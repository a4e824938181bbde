#include "win/config/trigger_pages.h"

#include "config/sync_view.h"
#include "win/config/alarm_layout.h"
#include "win/config/alarm_texts.h"
#include "win/ui/dpi.h"
#include "win/ui/file_dialogs.h"
#include "win/ui/fonts.h"

namespace klaxora::win {

namespace T = alarm_texts;
namespace L = alarm_layout::page;
using alarm_layout::kRowHeight;

namespace {

constexpr COLORREF kFormatColour = RGB(0, 0x40, 0);

// A balloon over a label of a page: the label's rectangle in the page.
void AddLabelBalloon(ToolTips* balloons, HWND label, std::wstring_view text) {
    RECT rc;
    if (!balloons || !GetWindowRect(label, &rc))
        return;
    HWND page = GetParent(label);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rc), 2);
    balloons->AddArea(page, rc, std::wstring(text));
}

}  // namespace

bool FileEditor::OnCommand(UINT id, UINT code, UINT editId, UINT browseId, HWND owner,
                           const std::function<void()>& changed) const {
    if (id == editId) {
        if (code == EN_CHANGE && changed)
            changed();
        return true;
    }
    if (id == browseId) {
        if (code == BN_CLICKED)
            Browse(owner);
        return true;
    }
    return false;
}

void FileEditor::Browse(HWND owner) const {
    const std::wstring current = edit.Text();
    const std::optional<std::wstring> chosen = filter.empty()
                                                   ? ChooseFolder(owner, current)
                                                   : ChooseFile(owner, filter, current, mustExist);
    if (chosen)
        edit.SetText(*chosen);
}

// --- TimePage ------------------------------------------------------------------------------

void TimePage::Build() {
    const bool countdown = kind_ == Kind::Countdown;
    HWND p = Hwnd();
    Caption.Create(p, kCaption, L::kCaption, countdown ? T::kOdliczZa : T::kUruchomO, kit_.font);

    // The colons of one bold label stand between the three fields; the fields are placed by
    // the widths of its characters.
    const int hoursWidth = countdown ? L::kCountdownHoursWidth : L::kAtHoursWidth;
    const UINT dpi = DpiOf(p);
    const int colonWidth = Unscale(TextWidth(kit_.bigBold, L":"), dpi);
    const int run =
        Unscale(TextWidth(kit_.bigBold, T::kColons.substr(0, 10)), dpi);  // ":" and nine spaces
    const int colon1 = L::kTimeLeft + hoursWidth + L::kGap;
    const int colon2 = colon1 + run;
    const int minutesX = colon1 + colonWidth + L::kGap;
    const int secondsX = colon2 + colonWidth + L::kGap;
    const Box colons{colon1, L::kEditorY, run + colonWidth + L::kGap, kRowHeight};
    const Box hours{L::kTimeLeft, L::kEditorY, hoursWidth, kRowHeight};
    const Box minutes{minutesX, L::kEditorY, colon2 - L::kGap - minutesX, kRowHeight};
    const Box seconds{secondsX, L::kEditorY, L::kTimeSecondsWidth, kRowHeight};
    const Box recent{seconds.Right() + L::kListGap, L::kEditorY, L::kListButtonWidth, kRowHeight};

    Colons.Create(p, kColons, colons, T::kColons, kit_.bigBold, SS_NOPREFIX);
    CreateFieldName(FieldNames[0], p, kFieldName, hours, T::kHoursName);
    Hours.Create(p, kHours, hours, countdown ? ranges::kCountdownHours : ranges::kAtHour,
                 kit_.font);
    CreateFieldName(FieldNames[1], p, kFieldName, minutes, T::kMinutesName);
    Minutes.Create(p, kMinutes, minutes, countdown ? ranges::kCountdownMinutes : ranges::kAtMinute,
                   kit_.font);
    CreateFieldName(FieldNames[2], p, kFieldName, seconds, T::kSecondsName);
    Seconds.Create(p, kSeconds, seconds, countdown ? ranges::kCountdownSeconds : ranges::kAtSecond,
                   kit_.font);
    const std::wstring_view recentHint = countdown ? T::kZaHint : T::kOHint;
    Recent.CreateGlyph(p, kRecent, recent, recentHint, kit_.font, kit_.dropIcon);
    Colons.SendBehind();
    Wizard.Create(p, kWizard, L::kWizard, T::kKreator, kit_.font);
    Format.Create(p, kFormat, L::kFormat, T::kTimeFormat, kit_.bold, SS_CENTER);

    if (kit_.hints)
        kit_.hints->Add(Recent, std::wstring(recentHint));
    if (kit_.balloons) {
        AddLabelBalloon(kit_.balloons, Caption,
                        countdown ? T::kBalloonOdliczZa : T::kBalloonUruchomO);
        for (SpinEdit* e : {&Hours, &Minutes, &Seconds}) {
            kit_.balloons->AddClientArea(
                e->Edit(), std::wstring(countdown ? T::kBalloonCountdown : T::kBalloonAt));
        }
    }
}

TimeFields TimePage::Read() const {
    // Unbuilt fields read as they start: 0.
    return {static_cast<int32_t>(Hours.Value()), static_cast<int32_t>(Minutes.Value()),
            static_cast<int32_t>(Seconds.Value())};
}

void TimePage::Write(const TimeFields& time) {
    EnsureBuilt();
    Hours.SetValue(time.hours);
    Minutes.SetValue(time.minutes);
    Seconds.SetValue(time.seconds);
}

bool TimePage::OnCommand(UINT id, UINT code) {
    switch (id) {
        case kHours:
        case kMinutes:
        case kSeconds:
            if (code == EN_CHANGE && kind_ == Kind::Countdown && Changed)
                Changed();
            if (code == EN_KILLFOCUS)
                (id == kHours ? Hours : id == kMinutes ? Minutes : Seconds).Normalise();
            return true;
        case kRecent:
        case kWizard: {
            const auto& clicked = id == kRecent ? RecentClicked : WizardClicked;
            if (code == BN_CLICKED && clicked)
                clicked();
            return true;
        }
        default:
            return false;
    }
}

COLORREF TimePage::TextColour(HWND control) const {
    return static_cast<UINT>(GetDlgCtrlID(control)) == kFormat ? kFormatColour
                                                               : Panel::TextColour(control);
}

// --- ProgramPage ---------------------------------------------------------------------------

void ProgramPage::Build() {
    HWND p = Hwnd();
    Caption.Create(p, kCaption, L::kCaption, T::kProgramPath, kit_.font);
    Editor.edit.Create(p, kEdit, L::kProgramEdit, kit_.font);
    Editor.browse.Create(p, kBrowse, L::kProgramBrowse, T::kBrowse, kit_.font);
    Editor.filter = T::kFilterExe;
    Editor.mustExist = true;
    if (!note_.empty())
        Note.Create(p, kNote, L::kNote, note_, kit_.font);
    path_.Apply(Editor.edit);
}

std::wstring ProgramPage::Path() const {
    return path_.Get(Editor.edit);
}

void ProgramPage::SetPath(const std::wstring& path) {
    path_.Set(Editor.edit, path);
}

bool ProgramPage::OnCommand(UINT id, UINT code) {
    return Editor.OnCommand(id, code, kEdit, kBrowse, GetAncestor(Hwnd(), GA_ROOT), Changed);
}

// --- NoInternetPage ------------------------------------------------------------------------

void NoInternetPage::Build() {
    HWND p = Hwnd();
    l_BrakPolaczenia.Create(p, kBrakPolaczenia, L::kCaption, T::kBrakPolaczenia, kit_.font);
    se_BrakNeta.Create(p, kBrakNeta, L::kSeconds, ranges::kNoInternetSeconds, kit_.font);
    l_Sekundy.Create(p, kSekundy, L::kSecondsUnit, T::kSekundy, kit_.font);
    l_PoKonwersji.Create(p, kPoKonwersji, L::kFormat, T::kPoKonwersji, kit_.font,
                         SS_CENTER | SS_NOTIFY);
    if (kit_.hints) {
        kit_.hints->Add(se_BrakNeta.Edit(), std::wstring(T::kBrakNetaHint));
        kit_.hints->Add(l_PoKonwersji, std::wstring(T::kPoKonwersjiHint));
    }
}

void NoInternetPage::SetSeconds(int64_t seconds) {
    EnsureBuilt();
    se_BrakNeta.SetValue(seconds);
}

void NoInternetPage::se_BrakNetaChange() {
    l_PoKonwersji.SetText(NoInternetLabel(se_BrakNeta.Value()));
    if (Changed)
        Changed();
}

bool NoInternetPage::OnCommand(UINT id, UINT code) {
    if (id != kBrakNeta)
        return false;
    if (code == EN_CHANGE)
        se_BrakNetaChange();
    if (code == EN_KILLFOCUS)
        se_BrakNeta.Normalise();
    return true;
}

// --- WindowsStartPage ----------------------------------------------------------------------

void WindowsStartPage::Build() {
    l_PoStarcie.Create(Hwnd(), kPoStarcie, L::kTopNote, T::kPoStarcie, kit_.font);
}

}  // namespace klaxora::win
