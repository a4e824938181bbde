#include "win/config/other_panel.h"

#include <algorithm>

#include "actions/key_names.h"
#include "config/sync_view.h"
#include "win/config/action_panels.h"
#include "win/config/alarm_layout.h"
#include "win/config/alarm_texts.h"
#include "win/ui/dpi.h"
#include "win/sys/monitors_win.h"
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
    l_Klawisz.Create(Hwnd(), kKlawisz, L::kCaption, T::kKlawisz, kit_.font);
    cb_Klawisze.Create(Hwnd(), kKlawisze, L::kField, kit_.font, CBS_DROPDOWNLIST);
    for (std::wstring_view name : KeyNames())
        cb_Klawisze.Add(name);
}

void KeyPanel::Choose(std::wstring_view name) {
    EnsureBuilt();
    cb_Klawisze.SelectExactly(name);
}

bool KeyPanel::OnCommand(UINT id, UINT code) {
    return id == kKlawisze && ListCommand(code, Changed);
}

namespace {

// A caption at `x` on the row of fields, as wide as its text; where the field after it starts.
int CaptionBefore(Label& caption, HWND parent, UINT id, int x, std::wstring_view text, HFONT font) {
    caption.Create(parent, id, {x, L::kGapLabel.y, 0, L::kGapLabel.h}, text, font);
    const int width = caption.TextWidth(text) + 1;
    SetWindowPos(caption, nullptr, 0, 0, Scale(width, DpiOf(parent)),
                 Scale(L::kGapLabel.h, DpiOf(parent)), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return x + width + L::kCaptionGap;
}

}  // namespace

// --- CdPanel -------------------------------------------------------------------------------

void CdPanel::Build() {
    HWND p = Hwnd();
    HFONT f = kit_.font;
    l_Dysk.Create(p, kDysk, L::kCaption, T::kDysk, f);
    // Each list after its caption, in reading order, so each is named by its own caption.
    // Drive letters sort alike under every locale, and one the command line added keeps its
    // place among them; the two operations are filled in their own order.
    const DWORD style = CBS_DROPDOWNLIST | CBS_UPPERCASE;
    int x = CaptionBefore(l_LiteraDysku, p, kLiteraDysku, 0, T::kLiteraDysku, f);
    cb_Inne_DyskCD.Create(p, kDrive, {x, L::kGapFieldY, L::kDriveMinWidth, kListDropHeight}, f,
                          style | CBS_SORT);
    x = CaptionBefore(l_Operacja, p, kOperationLabel, x + L::kDriveMinWidth + L::kFieldGap,
                      T::kOperacja, f);
    cd_Inne_DyskCD_WsWy.Create(p, kOperation,
                               {x, L::kGapFieldY, L::kOperationWidth, kListDropHeight}, f, style);
    cd_Inne_DyskCD_WsWy.AddItems(CdTrayOperations());
}

void CdPanel::RefreshCdDriveList(bool keepListed) {
    EnsureBuilt();
    const std::wstring chosen = cb_Inne_DyskCD.SelectedText();
    if (!keepListed)
        cb_Inne_DyskCD.Clear();
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        const wchar_t root[] = {letter, L':', L'\\', L'\0'};
        const wchar_t item[] = {letter, L'\0'};
        if (GetDriveTypeW(root) == DRIVE_CDROM &&
            SendMessageW(cb_Inne_DyskCD, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(item)) == CB_ERR) {
            SendMessageW(cb_Inne_DyskCD, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
    }
    if (!chosen.empty() && !cb_Inne_DyskCD.HasSelection())
        cb_Inne_DyskCD.SelectByText(chosen);
}

void CdPanel::Choose(const std::optional<std::wstring>& drive,
                     const std::optional<std::wstring>& operation) {
    EnsureBuilt();
    if (drive)
        cb_Inne_DyskCD.SelectByText(*drive);
    if (operation)
        cd_Inne_DyskCD_WsWy.SelectExactly(*operation);
}

void CdPanel::ChooseListedOnly(const std::wstring& drive, std::wstring_view operation) {
    EnsureBuilt();
    cb_Inne_DyskCD.Clear();
    cb_Inne_DyskCD.Add(drive);
    cb_Inne_DyskCD.Select(0);
    cd_Inne_DyskCD_WsWy.SelectByText(operation);
}

bool CdPanel::OnCommand(UINT id, UINT code) {
    return (id == kDrive || id == kOperation) && ListCommand(code, Changed);
}

// --- ClickPanel ----------------------------------------------------------------------------

void ClickPanel::Build() {
    HWND p = Hwnd();
    HFONT f = kit_.font;
    l_Wspolrzedne.Create(p, kWspolrzedne, L::kCaption, T::kWspolrzedne, f);
    // Each editor after its caption, so each is named by its own caption.
    const int xX = CaptionBefore(l_X, p, kXLabel, 0, T::kX, f);
    se_Inne_X_DC.Create(p, kX, {xX, L::kGapFieldY, L::kCoordinateWidth, kRowHeight}, {0, 0}, f,
                        true);
    const int yX =
        CaptionBefore(l_Y, p, kYLabel, xX + L::kCoordinateWidth + L::kFieldGap, T::kY, f);
    se_Inne_Y_DC.Create(p, kY, {yX, L::kGapFieldY, L::kCoordinateWidth, kRowHeight}, {0, 0}, f,
                        true);
    for (SpinEdit* e : {&se_Inne_X_DC, &se_Inne_Y_DC})
        e->SetLimit(10);
    const int pickX = yX + L::kCoordinateWidth + 4;
    sb_WskazPunkt.Create(p, kPick,
                         {pickX, L::kPickButtonY, L::kWidth - pickX, L::kPickButtonHeight},
                         T::kOkreslPunkt, f);
    l_JakWskazac.Create(p, kJakWskazac, L::kPickerNote, T::kJakWskazac, f);
    l_JakWskazac.SetVisible(false);
    SetCoordinates(se_Inne_X_DC.Value(), se_Inne_Y_DC.Value());
}

void ClickPanel::SetCoordinates(int64_t x, int64_t y) {
    // The arrows reach over every monitor, left of and above the primary one too; a point
    // written elsewhere (a shortcut from a desk with more monitors) is kept as written, for
    // Start to refuse rather than the editors to move it onto another monitor.
    const MonitorRect screen = VirtualScreen();
    const auto reach = [](int64_t value, int64_t from, int64_t to) {
        return SpinRange{std::min(value, from), std::max(value, to - 1)};
    };
    se_Inne_X_DC.SetRange(reach(x, screen.left, screen.right));
    se_Inne_Y_DC.SetRange(reach(y, screen.top, screen.bottom));
    se_Inne_X_DC.SetValue(x);
    se_Inne_Y_DC.SetValue(y);
}

bool ClickPanel::IsCoordinateEditor(HWND hwnd) const {
    return hwnd && (hwnd == se_Inne_X_DC.Edit() || hwnd == se_Inne_Y_DC.Edit());
}

void ClickPanel::SetPoint(std::optional<int64_t> x, std::optional<int64_t> y) {
    EnsureBuilt();
    SetCoordinates(x.value_or(se_Inne_X_DC.Value()), y.value_or(se_Inne_Y_DC.Value()));
}

void ClickPanel::SpeedButton1Click() {
    ShowMessageBox(T::kPickerStart, kWarningTitle, MB_ICONINFORMATION);
    pickerRunning_ = true;
    l_JakWskazac.SetVisible(true);
    SetTimer(Hwnd(), kPickerTimer, 10, nullptr);
}

void ClickPanel::PickerTick() {
    POINT pt{};
    if (!GetCursorPos(&pt))
        return;
    SetCoordinates(pt.x, pt.y);
    if (GetFocus() != se_Inne_X_DC.Edit() && IsWindowVisible(se_Inne_X_DC.Edit()))
        SetFocus(se_Inne_X_DC.Edit());
}

void ClickPanel::StopPicker() {
    if (Hwnd())
        KillTimer(Hwnd(), kPickerTimer);
    pickerRunning_ = false;
    l_JakWskazac.SetVisible(false);
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

bool ClickPanel::OnCommand(UINT id, UINT code) {
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

bool ClickPanel::OnTimer(UINT_PTR id) {
    if (id != kPickerTimer)
        return false;
    PickerTick();
    return true;
}

// --- OtherPanel ----------------------------------------------------------------------------

void OtherPanel::Build() {
    HWND p = Hwnd();
    l_Mozliwosci.Create(p, kMozliwosci, L::kCaption, T::kMozliwosci, kit_.font);
    // Filled in the order of the operations, which the system's sort would change by locale.
    cb_InneOpcje.Create(p, kInneOpcje, L::kField, kit_.font, CBS_DROPDOWNLIST);
    for (const OtherActionInfo& o : OtherActions())
        cb_InneOpcje.Add(o.caption);
    choice_.Apply(cb_InneOpcje);
    for (Panel* sub : {static_cast<Panel*>(&p_Inne_Klawisz), static_cast<Panel*>(&p_Inne_DyskCD),
                       static_cast<Panel*>(&p_Inne_Klikniecie1)}) {
        sub->Create(p, L::kSubPanel, kit_.colour);
    }
}

void OtherPanel::BuildAll() {
    EnsureBuilt();
    p_Inne_Klawisz.EnsureBuilt();
    p_Inne_DyskCD.EnsureBuilt();
    p_Inne_Klikniecie1.EnsureBuilt();
}

void OtherPanel::Read(AlarmSettings& s) const {
    s.OtherAction = OtherActionByCaption(Operation());
    s.KeyCombination = p_Inne_Klawisz.cb_Klawisze.SelectedText();
    s.CdDrive = p_Inne_DyskCD.cb_Inne_DyskCD.SelectedText();
    s.CdTrayOperation = p_Inne_DyskCD.cd_Inne_DyskCD_WsWy.SelectedText();
    s.ClickX = static_cast<int32_t>(p_Inne_Klikniecie1.se_Inne_X_DC.Value());
    s.ClickY = static_cast<int32_t>(p_Inne_Klikniecie1.se_Inne_Y_DC.Value());
}

void OtherPanel::ShowSubPanel(OtherSubPanel shown) {
    if (shown != OtherSubPanel::None)
        EnsureBuilt();
    p_Inne_Klawisz.SetShown(shown == OtherSubPanel::Keys);
    p_Inne_DyskCD.SetShown(shown == OtherSubPanel::CdTray);
    p_Inne_Klikniecie1.SetShown(shown == OtherSubPanel::Click);
}

OtherSubPanel OtherPanel::VisibleSubPanel() const {
    if (p_Inne_Klawisz.Shown())
        return OtherSubPanel::Keys;
    if (p_Inne_DyskCD.Shown())
        return OtherSubPanel::CdTray;
    if (p_Inne_Klikniecie1.Shown())
        return OtherSubPanel::Click;
    return OtherSubPanel::None;
}

bool OtherPanel::OnCommand(UINT id, UINT code) {
    if (id != kInneOpcje)
        return false;
    if (code == CBN_DROPDOWN)
        cb_InneOpcje.FitDroppedWidth(30);
    return ListCommand(code, Changed);
}

}  // namespace klaxora::win
