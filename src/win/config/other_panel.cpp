#include "win/config/other_panel.h"

#include <algorithm>

#include "actions/key_names.h"
#include "config/sync_view.h"
#include "win/config/action_panels.h"
#include "win/config/alarm_layout.h"
#include "win/config/alarm_texts.h"
#include "win/ui/controls.h"
#include "win/ui/message_box.h"

namespace klaxora::win {

namespace T = alarm_texts;
namespace L = alarm_layout::panel;
using alarm_layout::kListDropHeight;
using alarm_layout::kRowHeight;

namespace {
constexpr UINT_PTR kPickerTimer = 1;  // t_PozycjaMyszy
}  // namespace

// --- KeyPanel ------------------------------------------------------------------------------

void KeyPanel::Build() {
    Label14 = MakeLabel(Hwnd(), kLabel14, T::kLabel14, L::kCaption, kit_.font);
    cb_Klawisze = MakeCombo(Hwnd(), kKlawisze, L::kField, CBS_DROPDOWNLIST, kit_.font);
    for (std::wstring_view name : KeyNames()) {
        const std::wstring c(name);
        SendMessageW(cb_Klawisze, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c.c_str()));
    }
}

bool KeyPanel::OnCommand(UINT id, UINT code, HWND) {
    if (id != kKlawisze)
        return false;
    if (code == CBN_SELCHANGE && Changed)
        Changed();
    return true;
}

// --- CdPanel -------------------------------------------------------------------------------

void CdPanel::Build() {
    HWND p = Hwnd();
    HFONT f = kit_.font;
    Label18 = MakeLabel(p, kLabel18, T::kLabel18, L::kCaption, f);
    Label19 = MakeLabel(p, kLabel19, T::kLabel19, L::kGapLabel, f);
    // The two lists lie in the gaps of Label19's caption.
    const int driveX = TextWidth(f, T::kLabel19Lead1);
    const int operationX = TextWidth(f, T::kLabel19Lead2);
    const int driveWidth =
        std::max(L::kDriveMinWidth, operationX - TextWidth(f, L"Operacja: ") - driveX - 4);
    // Drive letters sort alike under every locale, and one the command line added keeps its
    // place among them; the two operations are filled in their own order.
    const DWORD style = CBS_DROPDOWNLIST | CBS_UPPERCASE;
    cb_Inne_DyskCD = MakeCombo(p, kDrive, {driveX, L::kGapFieldY, driveWidth, kListDropHeight},
                               style | CBS_SORT, f);
    cd_Inne_DyskCD_WsWy = MakeCombo(
        p, kOperation, {operationX, L::kGapFieldY, L::kOperationWidth, kListDropHeight}, style, f);
    AddItems(cd_Inne_DyskCD_WsWy, CdTrayOperations());
    SendBehind(Label19);
}

void CdPanel::RefreshCdDriveList(bool keepListed) {
    EnsureBuilt();
    const std::wstring chosen = SelectedText(cb_Inne_DyskCD);
    if (!keepListed)
        SendMessageW(cb_Inne_DyskCD, CB_RESETCONTENT, 0, 0);
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        const wchar_t root[] = {letter, L':', L'\\', L'\0'};
        const wchar_t item[] = {letter, L'\0'};
        if (GetDriveTypeW(root) == DRIVE_CDROM &&
            SendMessageW(cb_Inne_DyskCD, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(item)) == CB_ERR) {
            SendMessageW(cb_Inne_DyskCD, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
    }
    if (!chosen.empty() && !HasSelection(cb_Inne_DyskCD))
        SelectItemByText(cb_Inne_DyskCD, chosen);
}

bool CdPanel::OnCommand(UINT id, UINT code, HWND) {
    if (id != kDrive && id != kOperation)
        return false;
    if (code == CBN_SELCHANGE && Changed)
        Changed();
    return true;
}

// --- ClickPanel ----------------------------------------------------------------------------

void ClickPanel::Build() {
    HWND p = Hwnd();
    HFONT f = kit_.font;
    Label16 = MakeLabel(p, kLabel16, T::kLabel16, L::kCaption, f);
    Label17 = MakeLabel(p, kLabel17, T::kLabel17, L::kClickLabel, f);
    // The editors lie in the gaps of Label17's caption.
    const int xX = TextWidth(f, T::kLabel17Lead1);
    const int yX = TextWidth(f, T::kLabel17Lead2);
    const int yLabel = TextWidth(f, L"x =                     ");
    se_Inne_X_DC.Create(p, kX, xX, L::kGapFieldY, std::min(L::kCoordinateWidth, yLabel - xX - 4),
                        kRowHeight, {0, 0}, true);
    se_Inne_Y_DC.Create(p, kY, yX, L::kGapFieldY, L::kCoordinateWidth, kRowHeight, {0, 0}, true);
    for (SpinEdit* e : {&se_Inne_X_DC, &se_Inne_Y_DC}) {
        SendMessageW(e->Edit(), WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
        SendMessageW(e->Edit(), EM_LIMITTEXT, 10, 0);
    }
    const int pickX = yX + L::kCoordinateWidth + 4;
    SpeedButton1 = MakeButton(p, kPick, T::kOkreslPunkt,
                              {pickX, L::kPickButtonY, L::kWidth - pickX, L::kPickButtonHeight}, f);
    Label3 = MakeLabel(p, kLabel3, T::kLabel3, L::kPickerNote, f);
    ShowWindow(Label3, SW_HIDE);
    SendBehind(Label17);
    // The bounds of the click coordinates: the screen.
    se_Inne_X_DC.SetRange({0, GetSystemMetrics(SM_CXSCREEN)});
    se_Inne_Y_DC.SetRange({0, GetSystemMetrics(SM_CYSCREEN)});
}

bool ClickPanel::IsCoordinateEditor(HWND hwnd) const {
    return hwnd && (hwnd == se_Inne_X_DC.Edit() || hwnd == se_Inne_Y_DC.Edit());
}

void ClickPanel::SpeedButton1Click() {
    ShowMessageBox(T::kPickerStart, kWarningTitle, MB_ICONINFORMATION);
    pickerRunning_ = true;
    SetVisible(Label3, true);
    SetTimer(Hwnd(), kPickerTimer, 10, nullptr);
}

void ClickPanel::PickerTick() {
    POINT pt{};
    if (!GetCursorPos(&pt))
        return;
    se_Inne_X_DC.SetValue(pt.x);
    se_Inne_Y_DC.SetValue(pt.y);
    if (GetFocus() != se_Inne_X_DC.Edit() && IsWindowVisible(se_Inne_X_DC.Edit()))
        SetFocus(se_Inne_X_DC.Edit());
}

void ClickPanel::StopPicker() {
    if (Hwnd())
        KillTimer(Hwnd(), kPickerTimer);
    pickerRunning_ = false;
    SetVisible(Label3, false);
}

bool ClickPanel::PickerKeyDown(WPARAM key) {
    if (key == VK_RETURN) {
        StopPicker();
        ShowNotice(PickedPointText(se_Inne_X_DC.Value(), se_Inne_Y_DC.Value()));
        return true;
    }
    if (key == VK_ESCAPE) {
        StopPicker();
        return true;
    }
    return false;
}

bool ClickPanel::OnCommand(UINT id, UINT code, HWND) {
    switch (id) {
        case kX:
        case kY:
            if (code == EN_KILLFOCUS)
                (id == kX ? se_Inne_X_DC : se_Inne_Y_DC).Normalise();
            return true;
        case kPick:
            if (code == BN_CLICKED)
                SpeedButton1Click();
            return true;
        default:
            return false;
    }
}

LRESULT ClickPanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == kPickerTimer) {
        PickerTick();
        return 0;
    }
    return Panel::HandleMessage(msg, wParam, lParam);
}

// --- OtherPanel ----------------------------------------------------------------------------

void OtherPanel::Build() {
    HWND p = Hwnd();
    Label12 = MakeLabel(p, kLabel12, T::kLabel12, L::kCaption, kit_.font);
    // Filled in the order of the operations, which the system's sort would change by locale.
    cb_InneOpcje = MakeCombo(p, kInneOpcje, L::kField, CBS_DROPDOWNLIST, kit_.font);
    for (const OtherActionInfo& o : OtherActions()) {
        const std::wstring c(o.caption);
        SendMessageW(cb_InneOpcje, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c.c_str()));
    }
    for (Panel* sub : {static_cast<Panel*>(&p_Inne_Klawisz), static_cast<Panel*>(&p_Inne_DyskCD),
                       static_cast<Panel*>(&p_Inne_Klikniecie1)}) {
        sub->Create(p, L::kSubPanel, kit_.colour);
    }
}

void OtherPanel::Read(AlarmSettings& s) const {
    s.OtherAction = OtherActionByCaption(SelectedText(cb_InneOpcje));
    s.KeyCombination = SelectedText(p_Inne_Klawisz.cb_Klawisze);
    s.CdDrive = SelectedText(p_Inne_DyskCD.cb_Inne_DyskCD);
    s.CdTrayOperation = SelectedText(p_Inne_DyskCD.cd_Inne_DyskCD_WsWy);
    s.ClickX = static_cast<int32_t>(p_Inne_Klikniecie1.se_Inne_X_DC.Value());
    s.ClickY = static_cast<int32_t>(p_Inne_Klikniecie1.se_Inne_Y_DC.Value());
}

void OtherPanel::ShowSubPanel(std::wstring_view name) {
    if (!name.empty())
        EnsureBuilt();
    p_Inne_Klawisz.SetShown(name == Info(OtherActionKind::PressKeys).subPanel);
    p_Inne_DyskCD.SetShown(name == Info(OtherActionKind::CdTray).subPanel);
    p_Inne_Klikniecie1.SetShown(name == Info(OtherActionKind::SingleClick).subPanel);
}

std::wstring OtherPanel::VisibleSubPanel() const {
    if (p_Inne_Klawisz.Shown())
        return std::wstring(Info(OtherActionKind::PressKeys).subPanel);
    if (p_Inne_DyskCD.Shown())
        return std::wstring(Info(OtherActionKind::CdTray).subPanel);
    if (p_Inne_Klikniecie1.Shown())
        return std::wstring(Info(OtherActionKind::SingleClick).subPanel);
    return {};
}

bool OtherPanel::OnCommand(UINT id, UINT code, HWND control) {
    if (id != kInneOpcje)
        return false;
    if (code == CBN_DROPDOWN)
        FitDroppedWidth(control, kit_.font, 30);
    if (code == CBN_SELCHANGE && Changed)
        Changed();
    return true;
}

}  // namespace klaxora::win
