#pragma once
// p_Inne, the panel of "Inne możliwości": the list of other operations and the three
// sub-panels of the operations with fields of their own.
#include <functional>
#include <optional>

#include "config/alarm_settings.h"
#include "win/config/panel_kit.h"
#include "win/ui/panel.h"
#include "win/ui/spin_edit.h"

namespace klaxora::win {

// p_Inne_Klawisz: the key or combination to simulate.
class KeyPanel : public Panel {
  public:
    enum Id : UINT { kKlawisz = 100, kKlawisze };
    explicit KeyPanel(const PanelKit& kit) : kit_(kit) {}
    std::function<void()> Changed;  // cb_KlawiszeChange
    // Chooses the key of exactly that name ("a" and "A" are different keys).
    void Choose(std::wstring_view name);

    Label l_Klawisz;
    ComboBox cb_Klawisze;

  protected:
    void Build() override;
    bool OnCommand(UINT id, UINT code) override;

  private:
    const PanelKit& kit_;
};

// p_Inne_DyskCD: the CD drive and the tray operation.
class CdPanel : public Panel {
  public:
    enum Id : UINT { kDysk = 100, kLiteraDysku, kDrive, kOperationLabel, kOperation };
    explicit CdPanel(const PanelKit& kit) : kit_(kit) {}
    std::function<void()> Changed;  // cb_Inne_DyskCDChange

    // Adds the CD drives of the machine; the command line's drive (it supplied `keepListed`)
    // stays listed, and the user's choice stays chosen while it is still a CD drive.
    void RefreshCdDriveList(bool keepListed);
    // The stored choice: the drive, when still listed, and the operation.
    void Choose(const std::optional<std::wstring>& drive,
                const std::optional<std::wstring>& operation);
    // The command line's choice: its drive is the only one listed.
    void ChooseListedOnly(const std::wstring& drive, std::wstring_view operation);

    Label l_Dysk, l_LiteraDysku, l_Operacja;
    ComboBox cb_Inne_DyskCD, cd_Inne_DyskCD_WsWy;

  protected:
    void Build() override;
    bool OnCommand(UINT id, UINT code) override;

  private:
    const PanelKit& kit_;
};

// p_Inne_Klikniecie1: the point of a click and its picker, which follows the mouse until Enter
// or Esc is pressed in the coordinate editors. The picker runs on a timer, not in a loop of its
// own, so its keys take the window's one keyboard path (TF_Alarm::PreTranslate).
class ClickPanel : public Panel {
  public:
    enum Id : UINT { kWspolrzedne = 100, kXLabel, kX, kYLabel, kY, kPick, kJakWskazac };
    explicit ClickPanel(const PanelKit& kit) : kit_(kit) {}

    void SpeedButton1Click();
    // Enter or Esc in a coordinate editor; true when the key was the picker's.
    bool PickerKeyDown(WPARAM key);
    void StopPicker();
    bool PickerRunning() const { return pickerRunning_; }
    bool IsCoordinateEditor(HWND hwnd) const;
    void SetPoint(std::optional<int64_t> x, std::optional<int64_t> y);

    Label l_Wspolrzedne, l_X, l_Y, l_JakWskazac;
    Button sb_WskazPunkt;
    SpinEdit se_Inne_X_DC, se_Inne_Y_DC;

  protected:
    void Build() override;
    bool OnCommand(UINT id, UINT code) override;
    bool OnTimer(UINT_PTR id) override;

  private:
    void PickerTick();
    void SetCoordinates(int64_t x, int64_t y);
    const PanelKit& kit_;
    bool pickerRunning_ = false;
};

class OtherPanel : public Panel {
  public:
    enum Id : UINT { kMozliwosci = 100, kInneOpcje };
    explicit OtherPanel(const PanelKit& kit)
        : p_Inne_Klawisz(kit), p_Inne_DyskCD(kit), p_Inne_Klikniecie1(kit), kit_(kit) {}
    std::function<void()> Changed;

    void Read(AlarmSettings& s) const;
    std::wstring Operation() const { return choice_.Get(cb_InneOpcje); }
    void Choose(std::wstring_view caption) { choice_.Set(cb_InneOpcje, caption); }
    // Builds the panel and its sub-panels, for the stored details of a sub-action.
    void BuildAll();
    // Shows the sub-panel of that name (empty: none).
    void ShowSubPanel(OtherSubPanel shown);
    OtherSubPanel VisibleSubPanel() const;

    Label l_Mozliwosci;
    ComboBox cb_InneOpcje;
    KeyPanel p_Inne_Klawisz;
    CdPanel p_Inne_DyskCD;
    ClickPanel p_Inne_Klikniecie1;

  protected:
    void Build() override;
    bool OnCommand(UINT id, UINT code) override;

  private:
    const PanelKit& kit_;
    HeldChoice choice_;
};

}  // namespace klaxora::win
